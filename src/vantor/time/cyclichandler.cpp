#include "time/cyclichandler.h"

#include "core/application.h"
#include "core/sharedapplication.h"
#include "core/utils.h"
#include "time/cyclictask.h"
#include "time/datetime.h"
#include "time/timer10ms.h"

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
        m_timer10ms = new BizHW::Timer10ms(this);
        m_schedule.reset();
        for (unsigned n = 0; n < kSlotCount; ++n) {
            auto* thread = new QThread();
            thread->setObjectName(QStringLiteral("CyclicTask %1").arg(n));
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
        if (slot < unsigned(m_tasks.size()))
            m_tasks[int(slot)]->deactivate();
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
    const QSharedPointer<Application> application = sharedApplication();
    if (!application)
        return;
    QMutexLocker locker(&m_tableMutex);
    if (m_isQuitting)
        return;

    if (m_schedule.allocatedMask != 0) {
        const qint64 now = DateTime::getDateTime();
        quint32 due = m_schedule.tick(now);
        while (due != 0) {
            const unsigned slot = unsigned(qCountLeadingZeroBits(due));
            due &= ~CyclicSchedule::slotBit(slot);
            m_tasks[int(slot)]->wake(m_generation[slot]);
        }
    }

    for (TimerSoftware& timer : application->timerSoftware())
        timer.countDown();
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

} // namespace Vl::Tavix3::UI
