// Timing events: the lap line as the operator's key, start events judged against the false-start
// windows, the start the engine generates at the start moment, and the events log of each run.
#include "core/exceptionhandler.h"
#include "core/orvaneenum.h"
#include "sequence/sema.h"
#include "time/datetime.h"

#include <QDeadlineTimer>
#include <QMutexLocker>

#include <algorithm>
#include <exception>
#include <limits>

namespace Vl::Tavix3::UI {

namespace {

constexpr qint64 kSecond = Sema::kTicksPerSecond;
// False-start deltas are shown in tenths, truncated toward zero.
constexpr qint64 kDeltaUnit = DateTime::QDEC1;
constexpr uint kFormatRepetitionInfo = 0x4325;

qint64 floorToSecond(qint64 ticks)
{
    qint64 seconds = ticks / kSecond;
    if (ticks % kSecond < 0)
        --seconds;
    return seconds * kSecond;
}

} // namespace

void Sema::onEventReceived(const QVariant& event, bool isFalling)
{
    try {
        const EntityPtr<Event> record = event.value<EntityPtr<Event>>();
        if (record)
            evaluateEvent(record, isFalling);
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::Sema::onEventReceived");
    }
}

void Sema::evaluateEvent(const EntityPtr<Event>& event, bool isFalling)
{
    if (event->physicalChannel == OrvaneEnum::QLAP_LINE)
        evaluateLapLine(event, isFalling);
    else if (isFalling)
        evaluateStart(event);
}

// The lap line is the operator's key: a short press starts or pauses, a long press steps the
// repetition time (onLongPressTimeout).
void Sema::evaluateLapLine(const EntityPtr<Event>& event, bool isFalling)
{
    QMutexLocker locker(&m_stateMutex);
    if (isFalling) {
        startOwnTimer(m_longPressTimer, m_longPressTimer.interval());
        return;
    }
    if (!m_longPressTimer.isActive())
        return;
    stopOwnTimer(m_longPressTimer);
    if (m_sequenceMode == SemaEnum::SEQUENCE_MODE_MANUAL && m_isOff) {
        setSequenceStatus(true);
        applyActivationTime(event->ticks, false);
    } else {
        changePause();
    }
}

void Sema::evaluateStart(const EntityPtr<Event>& event)
{
    QMutexLocker locker(&m_stateMutex);
    if (!m_currentIndex || m_isOff)
        return;

    // The interval in force: the last one whose moment is not after the event's second.
    const qint64 second = floorToSecond(event->ticks);
    int index = *m_currentIndex;
    while (index > 0) {
        const qint64 moment = m_plannedStart.value_or(0) + getInterval(index, m_sequenceType).time * kSecond;
        if (second >= moment)
            break;
        --index;
    }

    boost::optional<qint64> reference;
    if (m_generatedStart)
        reference = m_generatedStart->ticks;
    else
        reference = m_plannedStart;
    if (!reference)
        return;
    m_falseStartDelta = (event->ticks - *reference) / kDeltaUnit * kDeltaUnit;

    if (m_isSkipOutOfWindow
        && (m_currentColor == SemaEnum::SEMA_COLOR_OFF || m_currentColor == SemaEnum::NO_SEMA_COLOR))
        return;

    if (m_isCheckFalseStart) {
        if (m_delayFalseStart <= 0) {
            holdFalseStartDelta();
            showSemaTime(m_falseStartDelta, true, false);
        } else {
            m_delayedDeltaRun = m_run;
            // In 64 bits: the milliseconds of a long delay overflow an int.
            const qint64 delayMs = std::min<qint64>(qint64(m_delayFalseStart) * 1000, std::numeric_limits<int>::max());
            startOwnTimer(m_falseStartDelayTimer, int(delayMs));
        }
        if (m_falseStartDelta != 0)
            event->isScartIn = getInterval(index, m_sequenceType).isFalseStartWindow;
    }

    // Of a real and a generated start the later one is skipped; within 0.1 s the generated one.
    if (m_isGenerateStart && m_generatedStart) {
        if (m_falseStartDelta > 0)
            event->isSkipped = true;
        else
            m_generatedStart->isSkipped = true;
    }

    event->bibNumber = m_bib;
    event->isAuto = false;
    m_ports.remote->sendEvent(event);
    if (m_receivedStart)
        m_ports.eventsLog->writeEventRecord(m_receivedStart);
    m_receivedStart = event;
}

void Sema::onFalseStartDelayTimeout()
{
    QMutexLocker locker(&m_stateMutex);
    // A delta of a run that has since stopped, paused or ended is not shown any more.
    if (m_delayedDeltaRun != m_run || !m_currentIndex || m_isOff)
        return;
    holdFalseStartDelta();
    showSemaTime(m_falseStartDelta, true, false);
}

void Sema::onLongPressTimeout()
{
    // The application moves on to the next usable repetition time and hands it to the engine.
    application().setRepetitionTimeIndex(application().repetitionTimeIndex() + 1);
    checkRepetitionTime();
    if (sequenceStatus() && repetitionTime().isValid())
        showRepetitionTimeInfo();
}

void Sema::showRepetitionTimeInfo()
{
    {
        QMutexLocker locker(&m_stateMutex);
        if (!m_currentIndex)
            return;
        m_infoText = DateTime::displayOptionalTime(m_repetitionTime, kFormatRepetitionInfo);
    }
    emit startTimerInfo();
}

// ---- The generated start ----

void Sema::queueStartEventJob(const StartEventJob& job)
{
    {
        QMutexLocker jobs(&m_jobsMutex);
        ++m_pendingJobs;
    }
    m_ports.jobs->run([this, job]() {
        generateStartEvent(job);
        QMutexLocker jobs(&m_jobsMutex);
        if (--m_pendingJobs == 0)
            m_jobsDone.wakeAll();
    });
}

void Sema::generateStartEvent(const StartEventJob& job)
{
    try {
        QMutexLocker locker(&m_stateMutex);
        // The job belongs to the run it was queued in; a later run has its own.
        if (job.run != m_run)
            return;
        if (!job.first || job.fired.time != 0 || (job.previous && job.previous->time == 0) || !m_isGenerateStart)
            return;

        const auto event = EntityPtr<Event>::create();
        event->ticks = job.plannedStart;
        event->physicalChannel = kGeneratedStartChannel;
        event->isAuto = true;

        if (m_receivedStart) {
            if (job.plannedStart < m_receivedStart->ticks) {
                m_receivedStart->isSkipped = true;
                m_ports.remote->sendEvent(m_receivedStart);
            } else {
                event->isSkipped = true;
            }
        }
        m_generatedStart = event;
        m_generatedStart->bibNumber = m_bib;
        m_ports.remote->sendEvent(m_generatedStart);
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::Sema::generateStartEvent");
    }
}

// ---- The events log of a run ----

void Sema::flushStartEvents()
{
    QMutexLocker locker(&m_stateMutex);
    if (m_generatedStart && m_receivedStart) {
        // Time order; at equal times the generated start first.
        if (m_receivedStart->ticks < m_generatedStart->ticks) {
            m_ports.eventsLog->writeEventRecord(m_receivedStart);
            m_ports.eventsLog->writeEventRecord(m_generatedStart);
        } else {
            m_ports.eventsLog->writeEventRecord(m_generatedStart);
            m_ports.eventsLog->writeEventRecord(m_receivedStart);
        }
    } else if (m_generatedStart) {
        m_ports.eventsLog->writeEventRecord(m_generatedStart);
    } else if (m_receivedStart) {
        m_ports.eventsLog->writeEventRecord(m_receivedStart);
    }
}

// A run ends: its start events go to the events log and nothing queued for it acts any more.
void Sema::endRun()
{
    flushStartEvents();
    m_generatedStart.reset();
    m_receivedStart.reset();
    ++m_run;
}

void Sema::shutDown()
{
    // A start-event job still queued holds the generated start of the last run.
    {
        QMutexLocker jobs(&m_jobsMutex);
        QDeadlineTimer deadline(kJobsWaitMs);
        while (m_pendingJobs > 0 && !deadline.hasExpired())
            m_jobsDone.wait(&m_jobsMutex, deadline);
    }
    QMutexLocker locker(&m_stateMutex);
    endRun();
}

} // namespace Vl::Tavix3::UI
