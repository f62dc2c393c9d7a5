#include "qmltesttools.h"

#include "app/datetime.h"
#include "client/backend.h"
#include "client/clientstuff.h"
#include "layoutinspector.h"
#include "scriptedserver.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QQuickItem>

#include <unistd.h>

namespace TestVantorQml {

QStringList QmlTestTools::layoutFaults(QQuickItem* root) const { return LayoutInspector(root).faults(); }

QObject* QmlTestTools::newServer()
{
    auto* server = new ScriptedServer(this);
    if (!server->listen()) {
        delete server;
        return nullptr;
    }
    return server;
}

void QmlTestTools::deleteServers() { qDeleteAll(findChildren<ScriptedServer*>(QString(), Qt::FindDirectChildrenOnly)); }

void QmlTestTools::usePort(QObject* backend, int port) const
{
    if (auto* client = qobject_cast<Backend*>(backend))
        client->clientStuff()->setPort(quint16(port));
}

void QmlTestTools::setClock(double utcMilliseconds) const
{
    const qint64 ticks = qint64(utcMilliseconds) * Vl::Orvane::UI::DateTime::QMIL1;
    Vl::Orvane::UI::DateTime::setClock([ticks] { return ticks; });
}

void QmlTestTools::resetClock() const { Vl::Orvane::UI::DateTime::setClock({}); }

bool QmlTestTools::acceptFileDialog(const QString& path) const
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QFileDialog*>(widget);
        if (!dialog || !dialog->isVisible())
            continue;
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();
        return true;
    }
    return false;
}

QString QmlTestTools::readFile(const QString& path) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

double QmlTestTools::residentBytes() const
{
    // The second field of statm: resident pages.
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toDouble() * double(sysconf(_SC_PAGESIZE)) : -1;
}

QString QmlTestTools::scratchPath(const QString& name) const { return m_scratch.filePath(name); }

} // namespace TestVantorQml
