#include "ui/msgbox.h"

#include "core/applicationservices.h"
#include "core/sharedapplication.h"
#include "ui/messageresult.h"

#include <QEventLoop>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QThread>

namespace Vl::Tavix3::UI {

QObject* MsgBox::makeBox()
{
    const QSharedPointer<ApplicationServices> app = sharedApplicationServices();
    // While the application closes nothing can close a box: answer at once.
    if (!app || app->isClosing())
        return nullptr;
    if (!m_hostItem) {
        QQuickWindow* window = app->mainWindow();
        if (!window)
            return nullptr;
        m_hostItem = window->findChild<QQuickItem*>(QStringLiteral("mainItem"));
        if (!m_hostItem && window->contentItem())
            m_hostItem = window->contentItem()->findChild<QQuickItem*>(QStringLiteral("mainItem"));
        if (!m_hostItem)
            return nullptr;
    }
    QVariant result;
    const Qt::ConnectionType type
        = QThread::currentThread() == app->applicationThread() ? Qt::DirectConnection : Qt::BlockingQueuedConnection;
    if (!QMetaObject::invokeMethod(m_hostItem.data(), "addMessageBox", type, Q_RETURN_ARG(QVariant, result)))
        return nullptr;
    QObject* box = result.value<QObject*>();
    if (!box)
        return nullptr;
    QQmlEngine::setObjectOwnership(box, QQmlEngine::CppOwnership);
    return box;
}

int MsgBox::waitForBox(QObject* box, const QVariantList& arguments, bool withResult)
{
    QEventLoop loop;
    MessageResult result;
    QPointer<QObject> guardedBox(box);
    QList<QMetaObject::Connection> connections;
    connections << connect(box, SIGNAL(closing()), &loop, SLOT(quit()), Qt::DirectConnection);
    // A box taken away with the main window can no longer close: stop waiting for it.
    connections << connect(box, &QObject::destroyed, &loop, &QEventLoop::quit, Qt::DirectConnection);
    bool closing = false;
    if (const QSharedPointer<ApplicationServices> app = sharedApplicationServices()) {
        connections << app->quitOnClosing(&loop);
        // Closing may have begun while the box was being made, before this connection existed.
        closing = app->isClosing();
    }
    if (withResult)
        connections << connect(box, SIGNAL(setResult(int)), &result, SLOT(setResult(int)), Qt::DirectConnection);

    QMetaObject::invokeMethod(box, "setVisible", Qt::QueuedConnection, Q_ARG(QVariant, arguments.value(0)),
        Q_ARG(QVariant, arguments.value(1)), Q_ARG(QVariant, arguments.value(2)), Q_ARG(QVariant, arguments.value(3)),
        Q_ARG(QVariant, arguments.value(4)), Q_ARG(QVariant, arguments.value(5)), Q_ARG(QVariant, arguments.value(6)),
        Q_ARG(QVariant, arguments.value(7)), Q_ARG(QVariant, arguments.value(8)));
    if (!closing)
        loop.exec();

    for (const QMetaObject::Connection& connection : qAsConst(connections))
        disconnect(connection);
    if (guardedBox)
        guardedBox->deleteLater();
    return result.value;
}

int MsgBox::show(const QString& title, const QString& textF1, const QString& textF2, const QString& textF3,
    const QString& textF4, const QString& textF5, int escKey, int confirmKey)
{
    QObject* box = makeBox();
    if (!box)
        return escKey;
    return waitForBox(box, { title, textF1, textF2, textF3, textF4, textF5, 0, escKey, confirmKey }, true);
}

void MsgBox::show(const QString& title, int timeout)
{
    QObject* box = makeBox();
    if (!box)
        return;
    waitForBox(box, { title, QString(), QString(), QString(), QString(), QString(), timeout, 0, 0 }, false);
}

bool MsgBox::sure(const QString& title)
{
    QObject* box = makeBox();
    if (!box)
        return false;
    const QString header = title + QLatin1Char('\n') + tr("Are you sure?");
    const int key = waitForBox(box,
        { header, QString(), tr("Yes"), tr("No"), QString(), QString(), 0, int(Qt::Key_F3), int(Qt::Key_F2) }, true);
    return key == Qt::Key_F2;
}

void MsgBox::setTitle(QObject* messageBox, const QVariant& value)
{
    if (messageBox)
        QMetaObject::invokeMethod(messageBox, "setTitle", Qt::QueuedConnection, Q_ARG(QVariant, value));
}

void MsgBox::setSubTitle(QObject* messageBox, const QVariant& value)
{
    if (messageBox)
        QMetaObject::invokeMethod(messageBox, "setSubTitle", Qt::QueuedConnection, Q_ARG(QVariant, value));
}

void MsgBox::setClose(QObject* messageBox)
{
    if (messageBox)
        QMetaObject::invokeMethod(messageBox, "setClose", Qt::QueuedConnection);
}

} // namespace Vl::Tavix3::UI
