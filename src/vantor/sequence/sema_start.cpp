// Starting, arming, pausing, resuming and stopping a sequence in its three modes, the operator and
// remote starts, the repetition-time and start-date checks, and the next start of a starting list.
#include "core/orvaneenum.h"
#include "sequence/sema.h"
#include "time/datetime.h"

#include <QMutexLocker>

namespace Vl::Tavix3::UI {

namespace {

constexpr qint64 kSecond = Sema::kTicksPerSecond;
constexpr qint64 kMinute = DateTime::QMIN1;
constexpr uint kFormatCrono = 0x4025;
constexpr uint kOperatorStartBeepHz = 2000;
constexpr uint kOperatorStartBeepMs = 300;
const QString kInfoColour = QStringLiteral("#007743");
const QString kWarningColour = QStringLiteral("#d29730");

qint64 floorDiv(qint64 value, qint64 unit)
{
    qint64 quotient = value / unit;
    if (value % unit < 0)
        --quotient;
    return quotient;
}

qint64 floorToSecond(qint64 ticks) { return floorDiv(ticks, kSecond) * kSecond; }

qint64 ceilToSecond(qint64 ticks) { return -floorToSecond(-ticks); }

// A time exactly on a minute gives the following minute.
qint64 nextWholeMinute(qint64 ticks) { return (floorDiv(ticks, kMinute) + 1) * kMinute; }

qint64 nowToSecond() { return floorToSecond(DateTime::getDateTime()); }

} // namespace

qint64 Sema::firstOffset() const
{
    const auto first = m_intervals.constFind(IntervalKey(0, m_sequenceType));
    return first == m_intervals.cend() ? 0 : first->time * kSecond;
}

bool Sema::hasRepetitionTime() const
{
    // A repetition time of zero or less cannot space two runs: it counts as none.
    return m_repetitionTime && *m_repetitionTime > 0;
}

// The sequence waits, lights off, with a cleared board.
void Sema::goOff()
{
    m_isOff = true;
    emit isOffChanged();
    clearBoardAndColour(false);
}

void Sema::startSequence()
{
    QMutexLocker locker(&m_stateMutex);
    application().applySynchroAtTime(boost::none, false);

    // A table without intervals has nothing to count down: it is never armed.
    if (!m_intervals.contains(IntervalKey(0, m_sequenceType))) {
        if (m_currentIndex)
            stopRun();
        if (m_sequenceType != SemaEnum::NO_SEMA_SEQUENCE)
            showInfo(tr("The sequence has no intervals"), 1500, kWarningColour);
        return;
    }

    switch (m_sequenceMode) {
    case SemaEnum::SEQUENCE_MODE_MANUAL:
        m_isOff = true;
        emit isOffChanged();
        clearBoardAndColour(false);
        m_currentIndex = 0;
        lightsOff();
        m_intervalEnd = boost::none;
        return;

    case SemaEnum::SEQUENCE_MODE_AUTOSTART: {
        lightsOff();
        m_intervalEnd = boost::none;
        m_currentIndex = boost::none;
        setSemaTime(boost::none, false, SemaEnum::SEMA_COLOR_OFF);
        const QSharedPointer<StartingListEntry> entry = getNextStartingListEntry();
        if (!entry) {
            m_bib = boost::none;
            m_plannedStart = boost::none;
            emit bibNumberChanged();
            emit nextStartTimeChanged();
            goOff();
            m_currentIndex = 0;
            lightsOff();
            m_intervalEnd = boost::none;
            return;
        }
        m_plannedStart = entry->startTick;
        m_bib = entry->bibNumber;
        emit bibNumberChanged();
        m_currentIndex = 0;
        lightsOff();
        m_intervalEnd = boost::none;
        switchOn();
        application().applySynchroAtTime(m_plannedStart, false);
        showNextStartInfo();
        m_lastRefresh = boost::none;
        sequenceTick(0);
        return;
    }

    default: {
        if (!m_startTime || !m_startDate || !hasRepetitionTime()) {
            showInfo(tr("Please insert start time and repetition time"), 1500, kWarningColour);
            return;
        }
        lightsOff();
        m_intervalEnd = boost::none;
        m_plannedStart = *m_startDate + *m_startTime;
        m_currentIndex = boost::none;
        checkRepetitionTime();
        setSemaTime(boost::none, false, SemaEnum::SEMA_COLOR_OFF);
        if (!hasRepetitionTime())
            return;

        // Catch up by whole repetitions, then take the first run whose first interval is not past.
        const qint64 repetition = *m_repetitionTime;
        qint64 planned = *m_plannedStart;
        const qint64 now = nowToSecond();
        if (now > planned)
            planned += (now - planned) / repetition * repetition;
        const qint64 offset = firstOffset();
        if (planned + offset < now)
            planned += ((now - planned - offset) + repetition - 1) / repetition * repetition;
        while (planned + offset < nowToSecond())
            planned += repetition;
        m_plannedStart = planned;

        m_currentIndex = 0;
        lightsOff();
        m_intervalEnd = boost::none;
        switchOn();
        application().applySynchroAtTime(m_plannedStart, false);
        m_lastRefresh = boost::none;
        sequenceTick(0);
        showNextStartInfo();
        return;
    }
    }
}

void Sema::switchOn()
{
    QMutexLocker locker(&m_stateMutex);
    m_isOff = false;
    endRun();
    emit isOffChanged();
    clearBoardAndColour(false);
}

void Sema::setSequenceStatus(bool value)
{
    {
        QMutexLocker locker(&m_stateMutex);
        if (value == bool(m_currentIndex))
            return;
        if (value)
            startSequence();
        else
            stopRun();
    }
    emit sequenceStatusChanged();
}

// The operator's stop: the run ends, its start events go to the events log, the band clears.
void Sema::stopRun()
{
    m_currentIndex = boost::none;
    endRun();
    releaseFalseStartDelta();
    setSemaTime(boost::none, false, SemaEnum::SEMA_COLOR_OFF);
}

bool Sema::stopRunningSequence()
{
    QMutexLocker locker(&m_stateMutex);
    if (!m_currentIndex)
        return false;
    stopRun();
    return true;
}

void Sema::setIsOff(bool off)
{
    bool runningChanged = false;
    {
        QMutexLocker locker(&m_stateMutex);
        if (m_sequenceType == SemaEnum::NO_SEMA_SEQUENCE || off == m_isOff)
            return;
        const bool wasRunning = bool(m_currentIndex);
        m_isOff = off;
        clearBoardAndColour(false);
        if (off) {
            application().applySynchroAtTime(boost::none, false);
            endRun();
            releaseFalseStartDelta();
            if (m_sequenceMode == SemaEnum::SEQUENCE_MODE_MANUAL)
                m_currentIndex = 0;
        } else {
            if (m_isRestartWithNextMinute) {
                const qint64 next = nextWholeMinute(nowToSecond());
                const qint64 timeOfDay = next % DateTime::kTicksPerDay;
                m_startTime = timeOfDay;
                m_startDate = next - timeOfDay;
            }
            startSequence();
        }
        runningChanged = wasRunning != bool(m_currentIndex);
    }
    emit isOffChanged();
    if (runningChanged)
        emit sequenceStatusChanged();
}

void Sema::changePause() { setIsOff(!isOff()); }

void Sema::setSemaOff(bool resetDisplayboard)
{
    {
        QMutexLocker locker(&m_stateMutex);
        m_isOff = true;
        emit isOffChanged();
        if (resetDisplayboard) {
            clearBoardAndColour(false);
        } else {
            m_currentColor = SemaEnum::NO_SEMA_COLOR;
            application().applySynchroAtTime(boost::none, false);
        }
    }
}

void Sema::setSemaOff() { setSemaOff(true); }

void Sema::setActivationTime(bool fromSerial) { applyActivationTime(boost::none, fromSerial); }

void Sema::applyActivationTime(boost::optional<qint64> time, bool fromSerial)
{
    QMutexLocker locker(&m_stateMutex);
    const qint64 offset = firstOffset();
    if ((!time || !fromSerial) && m_isRestartWithNextMinute) {
        const qint64 t = time ? *time : qint64(DateTime::getDateTime());
        m_activationTime = nextWholeMinute(t) + offset;
    } else if (time) {
        m_activationTime = *time + (fromSerial ? offset : 0);
    } else {
        m_activationTime = qint64(DateTime::getDateTime());
    }

    if (m_sequenceMode != SemaEnum::SEQUENCE_MODE_MANUAL)
        return;
    if (m_isOff && m_currentIndex) {
        const qint64 activation = ceilToSecond(*m_activationTime);
        m_activationTime = floorToSecond(*m_activationTime);
        m_plannedStart = activation - offset;
        m_shownTime = offset;
        application().applySynchroAtTime(m_plannedStart, false);
        switchOn();
        m_lastRefresh = m_activationTime;
        sequenceTick(0);
        showNextStartInfo();
        m_ports.tones->playTone(kOperatorStartBeepHz, kOperatorStartBeepMs);
    }
    m_activationTime = boost::none;
}

bool Sema::checkStartDate(const QVariant& value)
{
    if (value.isNull() || !value.isValid() || value.toString().isEmpty())
        return true;
    {
        QMutexLocker locker(&m_stateMutex);
        if (m_startDate && *m_startDate == value.toLongLong())
            return true;
    }
    if (value.toLongLong() >= DateTime::getDate())
        return true;
    // Asked without the state lock: the question waits for the operator.
    return m_ports.messages->confirm(QStringLiteral("The date is earlier than the current date"));
}

void Sema::displayRepetitionTimeIsNotValid()
{
    const QString minimum
        = DateTime::displayTime(getMinRepetitionTime(), kFormatCrono, false, false, 0, false, nullptr);
    m_ports.messages->showMessageBox(tr("Repetition time is not valid\nThe minimum time is %1").arg(minimum), 2000);
}

void Sema::checkRepetitionTime()
{
    QMutexLocker locker(&m_stateMutex);
    if (m_sequenceMode != SemaEnum::SEQUENCE_MODE_AUTO || !m_repetitionTime || *m_repetitionTime == 0)
        return;
    if (getMinRepetitionTime() > *m_repetitionTime) {
        displayRepetitionTimeIsNotValid();
        setRepetitionTime(QVariant());
    }
}

void Sema::setRemoteStartSequence(int mode, boost::optional<qint64> startTime, boost::optional<qint64> startDate,
    boost::optional<qint64> repetitionTime, const QVariant& bib)
{
    QMutexLocker locker(&m_stateMutex);
    if (m_sequenceType == SemaEnum::NO_SEMA_SEQUENCE)
        return;
    // The board is cleared for a start that starts or arms something: the same start again during
    // a countdown must leave the light in force alone.
    const auto clearBoard = [this]() { clearBoardAndColour(true); };

    if (mode != SemaEnum::SEQUENCE_MODE_AUTOSTART && bib.isValid()) {
        m_isBibFixed = true;
        bool isNumber = false;
        const int number = bib.toInt(&isNumber);
        const boost::optional<int> value = isNumber ? boost::optional<int>(number) : boost::none;
        if (value != m_bib) {
            m_bib = value;
            emit bibNumberChanged();
        }
    }

    setSequenceMode(mode);

    if (mode == SemaEnum::SEQUENCE_MODE_MANUAL) {
        boost::optional<qint64> activation;
        if (startTime)
            activation = *startTime + (startDate ? *startDate : qint64(DateTime::getDate()));
        if (!m_currentIndex || m_isOff)
            clearBoard();
        if (!m_currentIndex) {
            startSequence();
            emit sequenceStatusChanged();
        }
        applyActivationTime(activation, true);
        return;
    }

    if (!startTime || !startDate || !repetitionTime)
        return;
    setStartTime(QVariant(qlonglong(*startTime)));
    setStartDate(QVariant(qlonglong(*startDate)));
    // A repetition time of zero or less would never end a run: refused like one below the minimum.
    if (*repetitionTime <= 0 || getMinRepetitionTime() > *repetitionTime) {
        displayRepetitionTimeIsNotValid();
        return;
    }
    setRepetitionTime(QVariant(qlonglong(*repetitionTime)));
    if (!m_currentIndex)
        clearBoard();
    setSequenceStatus(true);
}

QSharedPointer<StartingListEntry> Sema::getNextStartingListEntry() const
{
    QMutexLocker locker(&m_stateMutex);
    if (!m_startingList)
        return {};
    const qint64 now = nowToSecond();
    // File order: a later entry with an earlier time comes only when every earlier one is past.
    for (const QSharedPointer<StartingListEntry>& entry : qAsConst(m_startingList->entries)) {
        if (entry && entry->startTick > now)
            return entry;
    }
    return {};
}

void Sema::showNextStartInfo()
{
    QMutexLocker locker(&m_stateMutex);
    if (!m_plannedStart)
        return;
    showInfo(tr("Next start") + QStringLiteral(": ")
            + DateTime::displayTime(*m_plannedStart, kFormatCrono, false, false, 0, false, nullptr),
        3000, kInfoColour);
    emit nextStartTimeChanged();
}

} // namespace Vl::Tavix3::UI
