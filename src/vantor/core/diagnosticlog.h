#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>

namespace Vl::Tavix3::UI {

// The one message handler of Vantor: chains to the handler installed before it, appends one
// line per message to the diagnostic log file and collects warnings and errors in the
// application object's log text.
class DiagnosticLog
{
public:
    // Installs the handler once per process; later calls do nothing.
    static void install();
    static bool isInstalled();

    static void handleMessage(QtMsgType type, const QMessageLogContext& context, const QString& message);

    // Fields of one log line, taken from the function signature the logging context carries.
    static QString functionField(const QString& signature);
    static QString entityField(const QString& signature);
    static QString levelWord(QtMsgType type);
    static QString formatLine(QtMsgType type, const QDateTime& time, const QString& signature, const QString& message);
    // The entry added to the application's log text for a warning or an error.
    static QString formatLogStringEntry(const QTime& time, const QString& signature, const QString& message);
};

} // namespace Vl::Tavix3::UI
