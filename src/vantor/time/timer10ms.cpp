#include "time/timer10ms.h"

#include <QDebug>
#include <QSocketNotifier>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <sys/timerfd.h>
#include <unistd.h>

namespace Vl::Tavix3::BizHW {

namespace {

constexpr qint64 kNsPerSecond = 1000000000;

timespec toTimespec(qint64 ns) { return timespec { time_t(ns / kNsPerSecond), long(ns % kNsPerSecond) }; }

} // namespace

Timer10ms::Timer10ms(QObject* parent)
    : QObject(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(kIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &Timer10ms::timeout);
}

Timer10ms::~Timer10ms() { closeDescriptor(); }

qint64 Timer10ms::systemClockNs()
{
    timespec ts {};
    clock_gettime(CLOCK_REALTIME, &ts);
    return qint64(ts.tv_sec) * kNsPerSecond + ts.tv_nsec;
}

qint64 Timer10ms::nextDeadlineNs(qint64 nowNs)
{
    qint64 points = nowNs / kIntervalNs;
    if (nowNs % kIntervalNs < 0)
        --points; // floor, also before 1970
    return (points + 1) * kIntervalNs;
}

void Timer10ms::start()
{
    stop();
    // An absolute periodic timer on the system clock stays on its grid: a late wake-up does not
    // move the following ones, and no drift against the wall clock builds up.
    m_fd = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_fd >= 0 && armOnGrid()) {
        m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &Timer10ms::onDescriptorReady);
        return;
    }
    qWarning() << "Timer10ms: no wall-clock timer (" << strerror(errno) << "), ticking on a plain timer";
    closeDescriptor();
    m_timer.start();
}

void Timer10ms::stop()
{
    m_timer.stop();
    closeDescriptor();
}

// Arms the descriptor for the next grid point and every 10 ms after it. It reports a step of the
// system clock (a manual setting, a synchronisation) as a cancelled read, so that the timer is
// moved to the grid of the new time instead of waiting for the old deadline, up to an hour after a
// step backwards.
bool Timer10ms::armOnGrid()
{
    m_armedDeadlineNs = nextDeadlineNs(systemClockNs());
    itimerspec spec {};
    spec.it_value = toTimespec(m_armedDeadlineNs);
    spec.it_interval = toTimespec(kIntervalNs);
    return timerfd_settime(m_fd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &spec, nullptr) == 0;
}

void Timer10ms::closeDescriptor()
{
    delete m_notifier;
    m_notifier = nullptr;
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

void Timer10ms::onDescriptorReady()
{
    uint64_t expirations = 0;
    const ssize_t n = ::read(m_fd, &expirations, sizeof expirations);
    if (n == ssize_t(sizeof expirations) && expirations > 0) {
        // Grid points missed during a stall give one tick: the scheduler catches up by its own rules.
        emit timeout();
        return;
    }
    if (n < 0 && errno == ECANCELED && !armOnGrid()) {
        qWarning() << "Timer10ms: cannot re-arm after a clock step (" << strerror(errno)
                   << "), ticking on a plain timer";
        closeDescriptor();
        m_timer.start();
    }
}

} // namespace Vl::Tavix3::BizHW
