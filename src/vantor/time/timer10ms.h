#pragma once

#include <QObject>
#include <QTimer>

class QSocketNotifier;

namespace Vl::Tavix3::BizHW {

// The scheduler's tick source on the scheduler's thread: fires on every point of the 10 ms grid of
// the wall clock (a whole 10 ms of the time of day), so that the phase points of the scheduler's
// slots fall on ticks. The tick clock counts local time, which differs from the system clock by
// whole seconds, so both share that grid.
class Timer10ms : public QObject
{
    Q_OBJECT

public:
    static constexpr int kIntervalMs = 10;
    static constexpr qint64 kIntervalNs = qint64(kIntervalMs) * 1000000;

    explicit Timer10ms(QObject* parent = nullptr);
    ~Timer10ms() override;

    void start();
    void stop();

    // The first point of the 10 ms grid strictly after nowNs (nanoseconds of the system clock).
    static qint64 nextDeadlineNs(qint64 nowNs);
    // Nanoseconds of the system clock, the clock the grid is kept on.
    static qint64 systemClockNs();

    // for unit testing
    // True while the timer wakes on the wall-clock grid; false when it runs on the plain timer
    // (the system offers no wall-clock timer descriptor) or is stopped.
    bool isOnWallClockGrid() const { return m_notifier != nullptr; }
    // The grid point the timer was last armed for, in nanoseconds of the system clock.
    qint64 armedDeadlineNs() const { return m_armedDeadlineNs; }

signals:
    void timeout();

private:
    bool armOnGrid();
    void closeDescriptor();
    void onDescriptorReady();

    // Fallback without a timer descriptor: a free-running precise timer, phase not kept.
    QTimer m_timer;
    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
    qint64 m_armedDeadlineNs = 0;
};

} // namespace Vl::Tavix3::BizHW
