#include "time/cyclichandler.h"

#include "core/applicationservices.h"
#include "core/sharedapplication.h"
#include "core/signalstack.h"
#include "core/utils.h"
#include "time/cyclictask.h"
#include "time/datetime.h"
#include "time/realtimescheduling.h"
#include "time/timer10ms.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDebug>
#include <QMutexLocker>
#include <QThread>
#include <QtAlgorithms>

namespace Vl::Tavix3::UI {

CyclicHandler::CyclicHandler(QObject* parent)
    : QObject(parent)
{
    connect(this, &CyclicHandler::quit, this, &CyclicHandler::quitHandler, Qt::QueuedConnection);
}

// A scheduler deleted without its stop still ends its workers.
CyclicHandler::~CyclicHandler() { stopTasks(); }

void CyclicHandler::startTasks()
{
    {
        QMutexLocker locker(&m_tableMutex);
        if (!m_tasks.isEmpty() || m_isQuitting)
            return;
        // On its own thread the scheduler ticks under real-time scheduling like its workers; a
        // scheduler started on the GUI thread (as tests do) leaves that thread as it is.
        if (QCoreApplication::instance() && QThread::currentThread() != QCoreApplication::instance()->thread())
            RealtimeScheduling::applyToCurrentThread(RealtimeScheduling::kSchedulerPriority);
        m_timer10ms = new BizHW::Timer10ms(this);
        m_schedule.reset();
        for (unsigned n = 0; n < kSlotCount; ++n) {
            auto* thread = new QThread();
            thread->setObjectName(QStringLiteral("CyclicTask %1").arg(n));
            SignalStack::installOnStart(thread);
            auto* task = new CyclicTask(n, &m_runMutexes[n], &m_wakeMutexes[n], &m_wakeConditions[n]);
            task->moveToThread(thread);
            connect(thread, &QThread::started, task, &CyclicTask::process);
            connect(task, &CyclicTask::finished, thread, &QThread::quit, Qt::DirectConnection);
            connect(task, &CyclicTask::quit, task, &CyclicTask::quitHandler, Qt::DirectConnection);
            thread->start(QThread::HighPriority);
            m_tasks.append(task);
        }
        connect(m_timer10ms, &BizHW::Timer10ms::timeout, this, &CyclicHandler::cyclicTimerTick, Qt::DirectConnection);
        if (m_tickTimerEnabled)
            m_timer10ms->start();
    }
    emit started();
}

boost::optional<unsigned> CyclicHandler::allocCyclicEvent(const qint64 startTick, const qint64 phaseRefTick,
    const unsigned periodMs, const unsigned restricted, const std::function<void(unsigned)>& callback,
    qint64 toleranceTicks)
{
    if (m_isQuitting || periodMs == 0 || periodMs > kMaxPeriodMs)
        return boost::none;
    if (!callback) {
        qWarning() << "CyclicHandler: registration without a callback refused";
        return boost::none;
    }

    QMutexLocker locker(&m_tableMutex);
    if (m_isQuitting || m_tasks.size() != int(kSlotCount))
        return boost::none;

    // A slot whose worker is still in a released callback (one that released itself) is passed over.
    quint32 busy = 0;
    for (unsigned s = 0; s < kSlotCount; ++s) {
        if (m_tasks[int(s)]->isBusy())
            busy |= CyclicSchedule::slotBit(s);
    }
    CyclicEvent event;
    event.startTick = startTick;
    event.phaseRefTick = phaseRefTick;
    event.periodMs = periodMs;
    event.periodTicks = periodMs * 50u;
    event.toleranceTicks = toleranceTicks;
    const boost::optional<unsigned> slot = m_schedule.allocate(event, restricted == 1, busy);
    if (!slot)
        return boost::none;
    m_generation[*slot] = ++m_lastGeneration;
    m_tasks[int(*slot)]->activate(callback, m_generation[*slot]);
    return slot;
}

void CyclicHandler::stopCyclicEvent(int handle)
{
    unsigned slot = 0;
    bool waitForRun = false;
    {
        QMutexLocker locker(&m_tableMutex);
        if (handle < 0 || handle >= int(kSlotCount) || !cyclicEventHandles[size_t(handle)])
            return;
        slot = *cyclicEventHandles[size_t(handle)];
        cyclicEventHandles[size_t(handle)] = boost::none;
        if (slot >= kSlotCount)
            return;
        m_schedule.release(slot);
        m_generation[slot] = 0;
        if (slot < unsigned(m_tasks.size())) {
            m_tasks[int(slot)]->deactivate();
            m_tasks[int(slot)]->cancelTimedWake();
        }
        m_handedMask &= ~CyclicSchedule::slotBit(slot);
        // From inside its own callback the run mutex is ours already: waiting would never end.
        waitForRun = CyclicTask::runMutexOfCurrentCallback() != &m_runMutexes[slot];
    }
    // A callback that started before the release finishes before the release returns.
    if (waitForRun) {
        m_runMutexes[slot].lock();
        m_runMutexes[slot].unlock();
    }
}

void CyclicHandler::cyclicTimerTick()
{
    if (m_isQuitting)
        return;
    const QSharedPointer<ApplicationServices> application = sharedApplicationServices();
    if (!application)
        return;
    QMutexLocker locker(&m_tableMutex);
    if (m_isQuitting)
        return;

    if (m_schedule.allocatedMask != 0) {
        const bool onGrid = isTickingOnWallClockGrid();
        const qint64 beforeNs = onGrid ? BizHW::Timer10ms::systemClockNs() : 0;
        const qint64 now = DateTime::getDateTime();
        const qint64 afterNs = onGrid ? BizHW::Timer10ms::systemClockNs() : 0;
        quint32 due = m_schedule.tick(now);

        // The slots handed over at the last tick: the worker of a due one wakes itself; one that is
        // not due after all (the clock was set back meanwhile) gets its wake withdrawn.
        const quint32 handed = m_handedMask;
        m_handedMask = 0;
        for (quint32 withdrawn = handed & ~due; withdrawn != 0;) {
            const unsigned slot = unsigned(qCountLeadingZeroBits(withdrawn));
            withdrawn &= ~CyclicSchedule::slotBit(slot);
            m_tasks[int(slot)]->cancelTimedWake();
        }
        due &= ~handed;
        while (due != 0) {
            const unsigned slot = unsigned(qCountLeadingZeroBits(due));
            due &= ~CyclicSchedule::slotBit(slot);
            m_tasks[int(slot)]->wake(m_generation[slot]);
        }
        if (m_handOverDeadline)
            handOverNextTick(now, m_handOverDeadline());
        else if (onGrid) {
            if (const boost::optional<QDeadlineTimer> deadline = handOverDeadline(beforeNs, afterNs))
                handOverNextTick(now, *deadline);
        }
    }

    application->countDownSoftwareTimers();
}

bool CyclicHandler::isTickingOnWallClockGrid() const
{
    return m_timer10ms && m_timer10ms->isOnWallClockGrid() && DateTime::isRealClock();
}

// The instant of the next tick, when the system clock was read between beforeNs and afterNs, as a
// deadline for the workers. Empty when a grid point fell in between: the tick the clock value
// belongs to is then uncertain.
boost::optional<QDeadlineTimer> CyclicHandler::handOverDeadline(qint64 beforeNs, qint64 afterNs) const
{
    const qint64 gridNs = BizHW::Timer10ms::nextDeadlineNs(beforeNs);
    if (BizHW::Timer10ms::nextDeadlineNs(afterNs) != gridNs)
        return boost::none;
    QDeadlineTimer deadline(Qt::PreciseTimer);
    deadline.setPreciseRemainingTime(0, gridNs - BizHW::Timer10ms::systemClockNs(), Qt::PreciseTimer);
    return deadline;
}

// The slots the next tick will wake are handed to their workers now, with the instant of that
// tick as the deadline: each worker then wakes on its own timer, at the instant the tick is due,
// instead of waiting for this thread to wake first and then wake it. The next tick only confirms.
void CyclicHandler::handOverNextTick(qint64 now, QDeadlineTimer deadline)
{
    // The tick clock counts local time, a whole number of seconds from the system clock: the next
    // grid point in ticks is the next whole 10 ms of now.
    constexpr qint64 kTickStep = qint64(BizHW::Timer10ms::kIntervalMs) * DateTime::QMIL1;
    const qint64 nextTick = CyclicSchedule::nextGridPoint(now, 0, kTickStep);
    for (quint32 toHand = m_schedule.dueBy(nextTick); toHand != 0;) {
        const unsigned slot = unsigned(qCountLeadingZeroBits(toHand));
        toHand &= ~CyclicSchedule::slotBit(slot);
        if (m_tasks[int(slot)]->wakeAt(m_generation[slot], deadline))
            m_handedMask |= CyclicSchedule::slotBit(slot);
    }
}

void CyclicHandler::quitHandler()
{
    // The thread stopper pumps events while it waits, and the stop signal may be sent again.
    if (m_quitHandled)
        return;
    m_quitHandled = true;
    stopTasks();
    emit finished();
}

// The workers are told to quit under the table mutex; the wait for their threads happens outside
// it, so that a callback still running can release its registration and end.
void CyclicHandler::stopTasks()
{
    QList<CyclicTask*> tasks;
    {
        QMutexLocker locker(&m_tableMutex);
        m_isQuitting = true;
        if (m_timer10ms && m_timer10ms->thread() == QThread::currentThread())
            m_timer10ms->stop();
        for (int n = 0; n < m_tasks.size(); ++n) {
            emit m_tasks[n]->quit();
            QMutexLocker wakeLocker(&m_wakeMutexes[size_t(n)]);
            m_wakeConditions[size_t(n)].wakeAll();
        }
        tasks.swap(m_tasks);
    }
    for (CyclicTask* task : qAsConst(tasks))
        Utils::stopThread(&task, false);
}

bool CyclicHandler::waitForWorkerIdle(unsigned slot, int timeoutMs)
{
    CyclicTask* task = nullptr;
    {
        QMutexLocker locker(&m_tableMutex);
        if (slot >= unsigned(m_tasks.size()))
            return false;
        task = m_tasks[int(slot)];
    }
    return task->waitUntilIdle(timeoutMs);
}

CyclicEventState CyclicHandler::slotState(unsigned slot) const
{
    QMutexLocker locker(&m_tableMutex);
    return slot < kSlotCount ? m_schedule.slotState[slot] : CYCLIC_IDLE;
}

qint64 CyclicHandler::nextWakeTick(unsigned slot) const
{
    QMutexLocker locker(&m_tableMutex);
    return slot < kSlotCount ? m_schedule.nextWakeTick[slot] : 0;
}

quint64 CyclicHandler::timedWakesTaken(unsigned slot) const
{
    QMutexLocker locker(&m_tableMutex);
    return slot < unsigned(m_tasks.size()) ? m_tasks[int(slot)]->timedWakesTaken() : 0;
}

} // namespace Vl::Tavix3::UI
