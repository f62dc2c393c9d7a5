#include "app/signalrelay.h"

#include "app/signalhandlers.h"
#include "core/crashrecord.h"

#include <QDebug>
#include <cerrno>
#include <chrono>
#include <unistd.h>

namespace Vl::Tavix3::UI {

SignalRelay::SignalRelay(int readFd, QObject* parent)
    : QObject(parent)
    , m_fd(readFd)
    , m_notifier(readFd, QSocketNotifier::Read, this)
    , m_refreshTimer(this)
    , m_clock([]() {
        return qint64(std::chrono::duration_cast<std::chrono::milliseconds>(
                          std::chrono::steady_clock::now().time_since_epoch())
                          .count());
    })
{
    connect(&m_notifier, &QSocketNotifier::activated, this, &SignalRelay::readSignals);
    connect(&m_refreshTimer, &QTimer::timeout, this, []() { CrashRecord::refresh(); });
    m_refreshTimer.start(kRefreshIntervalMs);
}

void SignalRelay::setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }

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
    // One trace for what arrived together, and none again before the interval has passed.
    const qint64 now = m_clock();
    if (m_traced && now - m_lastTraceMs < kTraceIntervalMs)
        return;
    m_traced = true;
    m_lastTraceMs = now;
    CrashRecord::refresh();
    CrashRecord::writeTrace(STDOUT_FILENO);
}

} // namespace Vl::Tavix3::UI
