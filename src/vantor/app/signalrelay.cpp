#include "app/signalrelay.h"

#include "app/signalhandlers.h"
#include "core/exceptionhandler.h"

#include <QDebug>

#include <cerrno>
#include <unistd.h>

namespace Vl::Tavix3::UI {

SignalRelay::SignalRelay(int readFd, QObject* parent)
    : QObject(parent)
    , m_fd(readFd)
    , m_notifier(readFd, QSocketNotifier::Read, this)
{
    connect(&m_notifier, &QSocketNotifier::activated, this, &SignalRelay::readSignals);
}

void SignalRelay::readSignals()
{
    unsigned char numbers[64];
    int count = 0;
    for (;;) {
        const ssize_t got = ::read(m_fd, numbers, sizeof(numbers));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        for (ssize_t i = 0; i < got; ++i) {
            qDebug().noquote() << signalName(numbers[i]);
            emit received(numbers[i]);
            ++count;
        }
        if (got < ssize_t(sizeof(numbers)))
            break;
    }
    if (count == 0)
        return;
    // One trace for what arrived together: a burst of signals does not hold the GUI thread up.
    Exceptions::printStackTrace();
}

} // namespace Vl::Tavix3::UI
