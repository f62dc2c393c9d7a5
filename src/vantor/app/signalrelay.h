#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include <functional>

namespace Vl::Tavix3::UI {

// The GUI thread's side of the signal handlers. It carries SIGINT and SIGTERM from their
// handler, which only writes the signal's number to a pipe, to the thread the relay lives on.
// There each signal is logged with its name, as a handler could not do safely, and the program
// goes on. A stack trace (frames as module + offset, nothing looked up by name) follows on
// standard output, at most one per trace interval: a storm of signals gets one log line each but
// does not hold the GUI thread up with traces. Once a second the relay also brings the crash
// record up to date (libraries loaded since, the log file), as the fault handlers cannot.
class SignalRelay : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 kTraceIntervalMs = 1000;
    static constexpr int kRefreshIntervalMs = 1000;

    // readFd: the reading end of the handlers' pipe (non-blocking); the relay does not own it.
    explicit SignalRelay(int readFd, QObject* parent = nullptr);

    // The clock (milliseconds) that spaces the traces; a steady clock unless a test sets one.
    void setClock(std::function<qint64()> clock);

signals:
    // A relayed signal has been logged.
    void received(int signal);

private:
    void readSignals();

    int m_fd;
    QSocketNotifier m_notifier;
    QTimer m_refreshTimer;
    std::function<qint64()> m_clock;
    bool m_traced = false;
    qint64 m_lastTraceMs = 0;
};

} // namespace Vl::Tavix3::UI
