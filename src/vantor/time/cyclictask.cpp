#include "time/cyclictask.h"

#include "core/exceptionhandler.h"
#include "time/realtimescheduling.h"

#include <QDeadlineTimer>
#include <QMutexLocker>

#include <exception>

namespace Vl::Tavix3::UI {

namespace {
thread_local QMutex* t_runMutexOfCallback = nullptr;
}

QMutex* CyclicTask::runMutexOfCurrentCallback() { return t_runMutexOfCallback; }

CyclicTask::CyclicTask(
    unsigned taskSlot, QMutex* taskRunMutex, QMutex* taskWakeMutex, QWaitCondition* taskWakeCondition, QObject* parent)
    : QObject(parent)
    , runMutex(taskRunMutex)
    , wakeMutex(taskWakeMutex)
    , wakeCondition(taskWakeCondition)
    , slot(taskSlot)
{
}

void CyclicTask::activate(Callback newCallback, quint64 generation)
{
    callback = std::move(newCallback);
    m_activeGeneration.store(generation);
}

void CyclicTask::deactivate() { m_activeGeneration.store(0); }

bool CyclicTask::wake(quint64 generation)
{
    QMutexLocker locker(wakeMutex);
    if (!m_waiting)
        return false;
    m_wakePending = true;
    m_wakeGeneration = generation;
    // One wake at a time: a timed wake still pending is carried out now, not a second time later.
    m_timedWakeGeneration = 0;
    wakeCondition->wakeAll();
    return true;
}

bool CyclicTask::wakeAt(quint64 generation, QDeadlineTimer deadline)
{
    QMutexLocker locker(wakeMutex);
    if (!m_waiting || m_wakePending || m_timedWakeGeneration != 0 || generation == 0)
        return false;
    m_timedWakeGeneration = generation;
    m_timedWakeDeadline = deadline;
    // The worker sleeps without a deadline until now: it starts again with this one.
    wakeCondition->wakeAll();
    return true;
}

bool CyclicTask::cancelTimedWake()
{
    QMutexLocker locker(wakeMutex);
    if (m_timedWakeGeneration == 0)
        return false;
    m_timedWakeGeneration = 0;
    wakeCondition->wakeAll();
    return true;
}

bool CyclicTask::waitUntilIdle(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    QMutexLocker locker(wakeMutex);
    const auto idle = [this] { return m_waiting && !m_wakePending && m_timedWakeGeneration == 0; };
    while (!idle()) {
        if (!m_waitingCondition.wait(wakeMutex, deadline))
            return idle();
    }
    return true;
}

void CyclicTask::process()
{
    RealtimeScheduling::applyToCurrentThread(RealtimeScheduling::kWorkerPriority);
    while (!isQuit) {
        quint64 generation = 0;
        {
            QMutexLocker locker(wakeMutex);
            m_waiting = true;
            m_waitingCondition.wakeAll();
            // A wake-up without a pending wake is spurious: wait again.
            while (!isQuit && !m_wakePending) {
                if (m_timedWakeGeneration == 0) {
                    wakeCondition->wait(wakeMutex);
                } else if (m_timedWakeDeadline.hasExpired()) {
                    m_wakePending = true;
                    m_wakeGeneration = m_timedWakeGeneration;
                    m_timedWakeGeneration = 0;
                    ++m_timedWakesTaken;
                } else {
                    wakeCondition->wait(wakeMutex, m_timedWakeDeadline);
                }
            }
            m_waiting = false;
            m_wakePending = false;
            generation = m_wakeGeneration;
        }
        if (isQuit)
            break;

        QMutexLocker locker(runMutex);
        // Busy before the generation is read: a registration that sees the worker idle can then
        // rely on it not starting the old callback.
        m_busy.store(true);
        if (!isQuit && generation != 0 && m_activeGeneration.load() == generation)
            runCallback();
        m_busy.store(false);
    }
    emit finished();
}

// A callback that throws must not end the worker, nor the process.
void CyclicTask::runCallback()
{
    struct CallbackMark
    {
        explicit CallbackMark(QMutex* mutex) { t_runMutexOfCallback = mutex; }
        ~CallbackMark() { t_runMutexOfCallback = nullptr; }
    } mark(runMutex);
    try {
        callback(slot);
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::CyclicTask::process");
    } catch (...) {
        Exceptions::inlineExceptionHandler(
            "unknown exception", "Vl::Tavix3::UI::CyclicTask::process", __FILE__, __LINE__);
    }
}

void CyclicTask::quitHandler()
{
    QMutexLocker locker(wakeMutex);
    isQuit = true;
    wakeCondition->wakeAll();
}

} // namespace Vl::Tavix3::UI
