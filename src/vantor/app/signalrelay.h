#pragma once

#include <QObject>
#include <QSocketNotifier>

namespace Vl::Tavix3::UI {

// Carries SIGINT and SIGTERM from their handler, which only writes the signal's number to a
// pipe, to the thread the relay lives on (the GUI thread). There each signal is logged with its
// name and a stack trace is printed, as a handler could not do safely; the program goes on.
class SignalRelay : public QObject
{
    Q_OBJECT

public:
    // readFd: the reading end of the handlers' pipe (non-blocking); the relay does not own it.
    explicit SignalRelay(int readFd, QObject* parent = nullptr);

signals:
    // A relayed signal has been logged.
    void received(int signal);

private:
    void readSignals();

    int m_fd;
    QSocketNotifier m_notifier;
};

} // namespace Vl::Tavix3::UI
