#pragma once

#include <QDeadlineTimer>
#include <QMutex>
#include <QObject>
#include <QWaitCondition>

#include <atomic>
#include <functional>

namespace Vl::Tavix3::UI {

// The worker of one scheduler slot, on its own high-priority thread "CyclicTask <slot>": it sleeps
// until the scheduler wakes it and then runs the slot's callback. A wake that comes while the
// callback runs is lost, so a callback slower than its period skips periods instead of queueing them.
//
// Each registration of the slot has its own generation number. A wake carries the generation it was
// given for, and the callback runs only while that generation is still the active one: a released
// registration never runs again, even for a wake delivered before the release, and a spurious
// wake-up of the condition runs nothing. A wake may also be handed over with a deadline: the worker
// then carries it out itself when the deadline passes.
class CyclicTask : public QObject
{
    Q_OBJECT

public:
    using Callback = std::function<void(unsigned)>;

    CyclicTask(
        unsigned slot, QMutex* runMutex, QMutex* wakeMutex, QWaitCondition* wakeCondition, QObject* parent = nullptr);

    // Installs the callback of a new registration. The scheduler calls it under its table mutex,
    // only while isBusy() is false, so the callback object is never replaced while it runs.
    void activate(Callback newCallback, quint64 generation);
    // Ends the active registration: no run starts after this returns. A run already started
    // finishes; the caller waits for it on the run mutex.
    void deactivate();
    // True from the moment the worker takes the run mutex until its callback has returned.
    bool isBusy() const { return m_busy.load(); }

    // Wakes the worker for a wake of the given generation, if it is waiting. Returns false when the
    // wake is lost because the worker is still busy with the previous one.
    bool wake(quint64 generation);
    // Hands the worker a wake of the given generation that it carries out itself at deadline, so
    // that the callback starts when the deadline passes rather than when a second thread gets
    // round to waking it. Only a worker that is waiting with no wake pending takes it; false
    // otherwise (the wake is then left to wake()).
    bool wakeAt(quint64 generation, QDeadlineTimer deadline);
    // Withdraws a wake handed with wakeAt that the worker has not yet taken; true when it was
    // still pending.
    bool cancelTimedWake();

    // The run mutex of the callback the calling thread is running, or null outside any callback.
    static QMutex* runMutexOfCurrentCallback();

    // for unit testing
    // Waits until the worker sleeps waiting for its next wake with no wake pending, timed or not
    // (every wake given so far has been run or lost); false after timeoutMs.
    bool waitUntilIdle(int timeoutMs);
    // How many wakes handed with wakeAt the worker has carried out.
    quint64 timedWakesTaken() const { return m_timedWakesTaken.load(); }

    QMutex* runMutex;
    QMutex* wakeMutex;
    QWaitCondition* wakeCondition;
    const unsigned slot;
    Callback callback;
    std::atomic<bool> isQuit { false };

public slots:
    // The worker loop, run when the task's thread starts.
    void process();
    void quitHandler();

signals:
    void quit();
    void finished();

private:
    void runCallback();

    // Guarded by wakeMutex.
    bool m_waiting = false;
    bool m_wakePending = false;
    quint64 m_wakeGeneration = 0;
    quint64 m_timedWakeGeneration = 0; // 0: no timed wake pending
    QDeadlineTimer m_timedWakeDeadline;
    QWaitCondition m_waitingCondition;

    std::atomic<quint64> m_activeGeneration { 0 };
    std::atomic<bool> m_busy { false };
    std::atomic<quint64> m_timedWakesTaken { 0 };
};

} // namespace Vl::Tavix3::UI
