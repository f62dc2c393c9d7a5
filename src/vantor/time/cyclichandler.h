#pragma once

#include "time/cyclicschedule.h"

#include <QDeadlineTimer>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QWaitCondition>

#include <array>
#include <atomic>
#include <boost/optional.hpp>
#include <functional>

namespace Vl::Tavix3::BizHW {
class Timer10ms;
}

namespace Vl::Tavix3::UI {

class CyclicTask;

// The 10 ms scheduler on "CyclicHandler thread": runs periodic callbacks in phase with the clock,
// each slot on its own worker thread, and counts down the application's software timers on every tick.
// While it ticks on the wall clock's 10 ms grid, each tick hands the slots the next tick will wake
// to their workers, which then wake on their own at that tick's instant: one wake-up between the
// grid point and the callback instead of two.
//
// Lock order: the table mutex before a slot's wake mutex. A callback runs with only its slot's run
// mutex held; it may release its own registration (the release then does not wait for it).
class CyclicHandler : public QObject
{
    Q_OBJECT

public:
    static constexpr unsigned kSlotCount = CyclicSchedule::kSlotCount;
    // Longest period whose length in ticks still fits the 32-bit period.
    static constexpr unsigned kMaxPeriodMs = 0xFFFFFFFFu / 50u;

    explicit CyclicHandler(QObject* parent = nullptr);
    ~CyclicHandler() override;

    // Registers callback to run every periodMs from startTick on, in phase with phaseRefTick
    // within toleranceTicks; restricted 1 leaves slots 14 and 15 to unrestricted registrations.
    // Returns the slot, or empty when the scheduler is not running, the period is 0 or too long,
    // the callback is empty or no slot is free.
    boost::optional<unsigned> allocCyclicEvent(const qint64 startTick, const qint64 phaseRefTick,
        const unsigned periodMs, const unsigned restricted, const std::function<void(unsigned)>& callback,
        qint64 toleranceTicks);

    // Releases the slot recorded in cyclicEventHandles[handle]. When it returns, the callback is not
    // running (unless called from that callback) and never runs again.
    void stopCyclicEvent(int handle);

    // Registrations by handle (not by slot): the registrant stores allocCyclicEvent's result in an
    // entry of its choice and releases it by that entry's index.
    std::array<boost::optional<unsigned>, kSlotCount> cyclicEventHandles;

    // for unit testing
    // Starts without the 10 ms timer, so a test calls cyclicTimerTick itself (before startTasks).
    void setTickTimerEnabled(bool enabled) { m_tickTimerEnabled = enabled; }
    // Hands the slots due by the next whole 10 ms over to their workers on every tick, whatever the
    // clock, with the deadline this function gives (empty: the real grid rules again).
    using HandOverDeadline = std::function<QDeadlineTimer()>;
    void setHandOverDeadline(HandOverDeadline deadline) { m_handOverDeadline = std::move(deadline); }
    // Waits until the worker of slot sleeps waiting for its next wake, with no wake pending.
    bool waitForWorkerIdle(unsigned slot, int timeoutMs);
    CyclicEventState slotState(unsigned slot) const;
    // The clock tick at which the running slot is next woken.
    qint64 nextWakeTick(unsigned slot) const;
    // How many wakes the worker of slot has carried out on its own, at the deadline it was handed.
    quint64 timedWakesTaken(unsigned slot) const;

public slots:
    // Creates the workers and the tick source, then emits started; runs when the scheduler's thread starts.
    void startTasks();
    // One scheduler tick.
    void cyclicTimerTick();
    // Stops the workers and the tick source, then emits finished.
    void quitHandler();

signals:
    void quit();
    void finished();
    void started();

private:
    void stopTasks();
    bool isTickingOnWallClockGrid() const;
    boost::optional<QDeadlineTimer> handOverDeadline(qint64 beforeNs, qint64 afterNs) const;
    void handOverNextTick(qint64 now, QDeadlineTimer deadline);

    CyclicSchedule m_schedule;
    BizHW::Timer10ms* m_timer10ms = nullptr;
    QList<CyclicTask*> m_tasks;
    std::array<quint64, kSlotCount> m_generation {};
    quint64 m_lastGeneration = 0;
    // Slots whose workers were handed the next tick's wake (they wake themselves at its instant).
    quint32 m_handedMask = 0;
    std::array<QWaitCondition, kSlotCount> m_wakeConditions;
    std::array<QMutex, kSlotCount> m_wakeMutexes;
    std::array<QMutex, kSlotCount> m_runMutexes;
    mutable QMutex m_tableMutex;
    std::atomic<bool> m_isQuitting { false };
    bool m_quitHandled = false;
    bool m_tickTimerEnabled = true;
    HandOverDeadline m_handOverDeadline;
};

} // namespace Vl::Tavix3::UI
