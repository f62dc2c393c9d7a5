#include "core/diagnosticlog.h"

#include "core/applicationservices.h"
#include "core/crashrecord.h"
#include "core/sharedapplication.h"

#include <QCoreApplication>
#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <QRegularExpression>
#include <QTextStream>

#include <atomic>

namespace Vl::Tavix3::UI {

namespace {

std::atomic<bool> s_installed{false};
QtMessageHandler s_previousHandler = nullptr;

QMutex& handlerMutex()
{
    static QMutex mutex;
    return mutex;
}

QString signatureOf(const QMessageLogContext& context)
{
    return context.function ? QString::fromUtf8(context.function) : QString();
}

} // namespace

void DiagnosticLog::install()
{
    bool expected = false;
    if (!s_installed.compare_exchange_strong(expected, true))
        return;
    s_previousHandler = qInstallMessageHandler(&DiagnosticLog::handleMessage);
}

bool DiagnosticLog::isInstalled()
{
    return s_installed.load();
}

QString DiagnosticLog::functionField(const QString& signature)
{
    if (signature.isEmpty())
        return QString();
    static const QRegularExpression pattern(QStringLiteral("(\\w+)(<.+>)?\\([^\\(\\)]*\\)"));
    const QRegularExpressionMatch match = pattern.match(signature);
    return match.hasMatch() ? match.captured(1) : signature;
}

QString DiagnosticLog::entityField(const QString& signature)
{
    static const QRegularExpression pattern(QStringLiteral("::Entities::(\\w+)\\W"));
    const QRegularExpressionMatch match = pattern.match(signature);
    return match.hasMatch() ? match.captured(1) : QString();
}

QString DiagnosticLog::levelWord(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg:
    case QtInfoMsg:
        return QStringLiteral("DEBUG");
    case QtWarningMsg:
        return QStringLiteral("WARN");
    case QtCriticalMsg:
    case QtFatalMsg:
        return QStringLiteral("ERROR");
    }
    return QStringLiteral("DEBUG");
}

QString DiagnosticLog::formatLine(QtMsgType type, const QDateTime& time, const QString& signature,
                                  const QString& message)
{
    return QStringList{levelWord(type), time.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")),
                       functionField(signature), entityField(signature), message}
        .join(QLatin1Char('|'));
}

QString DiagnosticLog::formatLogStringEntry(const QTime& time, const QString& signature, const QString& message)
{
    return QStringLiteral("%1 %2: %3\n")
        .arg(time.toString(QStringLiteral("hh.mm.ss.zzz")), functionField(signature), message);
}

void DiagnosticLog::handleMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (s_previousHandler)
        s_previousHandler(type, context, message);

    const QString signature = signatureOf(context);
    {
        QMutexLocker locker(&handlerMutex());
        QCoreApplication* instance = QCoreApplication::instance();
        if (instance) {
            const QVariant enabled = instance->property("LOGFILE_ENABLED");
            const QVariant fileName = instance->property("LOGFILE");
            if (enabled.isValid() && enabled.toBool() && fileName.isValid()) {
                QFile file(fileName.toString());
                if (file.open(QIODevice::Append | QIODevice::Text)) {
                    QTextStream stream(&file);
                    stream << formatLine(type, QDateTime::currentDateTime(), signature, message) << '\n';
                }
            }
        }
        // The signal handlers' descriptor follows the file just written (made anew after a
        // version change), and their module table the libraries loaded since.
        CrashRecord::refresh();
    }

    // The log text has its own lock; its change signal is emitted outside this handler's lock,
    // so a receiver that logs cannot dead-lock the handler.
    if (type != QtDebugMsg && type != QtInfoMsg) {
        if (const QSharedPointer<ApplicationServices> app = sharedApplicationServices())
            app->appendLogString(formatLogStringEntry(QTime::currentTime(), signature, message));
    }
}

} // namespace Vl::Tavix3::UI
