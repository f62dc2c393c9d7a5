// The running sequence: the tick the scheduler calls every 100 ms, and the primitives that show
// the lights and the time band.
#include "core/exceptionhandler.h"
#include "core/orvaneenum.h"
#include "sequence/displayboard.h"
#include "sequence/displayboardenum.h"
#include "sequence/sema.h"
#include "time/cyclichandler.h"
#include "time/datetime.h"
#include "time/heldnotifications.h"
#include "time/timersoftware.h"

#include <QMutexLocker>
#include <QStringList>

#include <exception>

namespace Vl::Tavix3::UI {

namespace {

constexpr qint64 kSecond = Sema::kTicksPerSecond;
// Display-board text mode pushes the status this often.
constexpr qint64 kTextModeStatusPeriod = 10 * kSecond;
constexpr uint kFormatTimeOfDay = 0x1005;
constexpr uint kFormatCountdown = 0x2025;
constexpr uint kFormatDelta = 0x2023;

qint64 floorToSecond(qint64 ticks)
{
    qint64 seconds = ticks / kSecond;
    if (ticks % kSecond < 0)
        --seconds;
    return seconds * kSecond;
}

// What an interval does when it fires; values outside the tables act as no colour and no tone.
SemaEnum::SemaColor firingColour(int colour)
{
    if (colour < SemaEnum::NO_SEMA_COLOR || colour >= SemaEnum::MAX_SEMA_COLOR)
        return SemaEnum::NO_SEMA_COLOR;
    return SemaEnum::SemaColor(colour);
}

SemaEnum::SemaSound firingSound(int sound)
{
    if (sound < SemaEnum::NO_SEMA_SOUND || sound >= SemaEnum::MAX_SEMA_SOUND)
        return SemaEnum::NO_SEMA_SOUND;
    return SemaEnum::SemaSound(sound);
}

} // namespace

// ---- Registration ----

void Sema::startSequenceCyclic()
{
    // Never under the state mutex: releasing the old registration waits for a running tick,
    // and the tick takes that mutex.
    QMutexLocker registration(&m_registrationMutex);
    CyclicHandler* scheduler = application().scheduler();
    if (!scheduler)
        return;
    if (m_scheduler && m_scheduler != scheduler)
        m_scheduler->stopCyclicEvent(kTickHandle);
    scheduler->stopCyclicEvent(kTickHandle);
    scheduler->cyclicEventHandles[kTickHandle] = scheduler->allocCyclicEvent(
        kTickStartTick, kTickPhaseRefTick, kTickPeriodMs, kTickRestricted,
        [this](unsigned slot) { sequenceTick(quint8(slot)); }, kTickToleranceTicks);
    m_scheduler = scheduler;
}

// ---- The tick ----

bool Sema::isTimeOfDayVisible() const
{
    QMutexLocker locker(&m_stateMutex);
    return showsTimeOfDay();
}

bool Sema::isNewSecond(qint64 now) const
{
    return !m_lastRefresh || *m_lastRefresh > now || now >= *m_lastRefresh + kSecond;
}

QString Sema::timeOfDayText(qint64 now) const
{
    return DateTime::displayTime(now, kFormatTimeOfDay, false, false, 0, false, nullptr);
}

void Sema::sequenceTick(quint8)
{
    // The screens hear of this tick once its status has gone to the clients.
    const HeldNotifications heldNotifications;
    try {
        QMutexLocker locker(&m_stateMutex);
        runTick();
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::Sema::sequenceTick");
    }
}

void Sema::runTick()
{
    const qint64 now = floorToSecond(DateTime::getDateTime());
    SemaApplicationState& app = application();

    // Display-board text mode: the board belongs to the remote texts; only the status goes on.
    if (boardHoldsRemoteTexts()) {
        markRunFrameStale();
        const bool recent = m_lastRefresh && *m_lastRefresh <= now && now < *m_lastRefresh + kTextModeStatusPeriod;
        if (!recent) {
            m_timeOfDayText = timeOfDayText(now);
            m_lastRefresh = now;
            sendStatus(false);
        }
        return;
    }

    // The service screens draw their tests on the board.
    if (app.isInTestMenu() && !m_ledTestSequencer) {
        markRunFrameStale();
        return;
    }

    const bool timeOfDayShown = showsTimeOfDay();
    if (!m_isBoardLayoutSet) {
        // The first tick clears the board.
        clearBoardAndColour(false);
        m_isBoardLayoutSet = true;
        m_isFrameStale = false;
    } else if (m_lastTimeOfDayShown != timeOfDayShown) {
        // The lights and the band move with the time of day.
        m_isFrameStale = true;
    }
    m_lastTimeOfDayShown = timeOfDayShown;
    if (m_isFrameStale && drawsBoard())
        redrawFrame();

    if (isNewSecond(now)) {
        m_timeOfDayText = timeOfDayText(now);
        HeldNotifications::send([this, text = m_timeOfDayText]() { emit timeChanged(text); });
        if (m_ledTestSequencer)
            m_ledTestSequencer->runStep();
        else if (timeOfDayShown)
            board().drawTimeOfDay(m_timeOfDayText);
    }

    if (!m_infoText.isEmpty()) {
        if (isNewSecond(now))
            drawInfoText();
        finishTick(now);
        return;
    }

    if (!m_currentIndex) {
        countdownStep(now);
        finishTick(now);
        return;
    }

    // A delta held on the board for its time is released here once its timer has run out.
    if (TimerSoftware* timer = app.falseStartTimer()) {
        QMutexLocker timerLocker(&timer->mutex);
        if (timer->currentCountProperty->get() == 0)
            timer->currentCountProperty->set(timer->reloadCount);
    }

    if (m_isOff) {
        offDisplay(now);
        return;
    }
    m_isOffModeApplied = false;
    if (!m_plannedStart)
        return;
    runIntervals(now);
}

void Sema::drawInfoText()
{
    const int colour = application().displayboardTimeColor();
    const auto draw = [this, colour](int x, int y, const QString& text) {
        board().drawText(
            x, y, text, colour, DisplayboardEnum::DISP_COLOR_OFF, DisplayboardEnum::DISP_FONT_SMALL, false);
    };
    if (m_currentIndex) {
        board().fillRect(0, 8, Displayboard::kColumns, 8, DisplayboardEnum::DISP_COLOR_OFF, false);
        draw(1, 8, m_infoText);
        return;
    }
    board().fillRect(0, 0, Displayboard::kColumns, Displayboard::kRows, DisplayboardEnum::DISP_COLOR_OFF, false);
    if (!m_infoText.contains(QLatin1Char('\n'))) {
        draw(0, 4, m_infoText);
        return;
    }
    const QStringList lines = m_infoText.split(QLatin1Char('\n'));
    if (lines.size() == 1) {
        draw(0, 4, lines.at(0));
    } else {
        draw(0, 0, lines.at(0));
        draw(0, 8, lines.at(1));
    }
}

// The intervals of a running, switched-on sequence: the end of a table and the group of
// intervals that has come due.
void Sema::runIntervals(qint64 now)
{
    int index = *m_currentIndex;
    auto it = m_intervals.constFind(IntervalKey(index, m_sequenceType));
    if (it == m_intervals.cend()) {
        // A table whose last interval lights or sounds ends on the next new second.
        if (!isNewSecond(now))
            return;
        if (!endOfTable(now))
            return;
        index = 0;
        it = m_intervals.constFind(IntervalKey(index, m_sequenceType));
    }

    for (;;) {
        const qint64 end = *m_plannedStart + it->time * kSecond;
        m_intervalEnd = end;
        if (now < end || !fireIntervalGroup(index)) {
            countdownStep(now);
            finishTick(now);
            return;
        }
        // The silent last interval ends its run in this tick, on its whole second: the next run is
        // planned at once, so that its first countdown value (and, at the minimum repetition time,
        // its first interval) comes on that second too.
        if (!endOfTable(now))
            return;
        index = 0;
        it = m_intervals.constFind(IntervalKey(index, m_sequenceType));
    }
}

// Intervals with the same time fire in one tick, in index order; the next time waits for the
// next tick.
bool Sema::fireIntervalGroup(int index)
{
    auto it = m_intervals.constFind(IntervalKey(index, m_sequenceType));
    bool first = true;
    bool runEnded = false;
    for (;;) {
        const SemaInterval fired = it.value();
        runEnded = fireInterval(index, fired);

        StartEventJob job;
        job.first = first;
        job.fired = fired;
        if (index > 0) {
            const auto previous = m_intervals.constFind(IntervalKey(index - 1, m_sequenceType));
            if (previous != m_intervals.cend())
                job.previous = previous.value();
        }
        job.plannedStart = *m_plannedStart;
        job.run = m_run;
        queueStartEventJob(job);

        m_currentIndex = ++index;
        it = m_intervals.constFind(IntervalKey(index, m_sequenceType));
        if (it == m_intervals.cend() || it->time != fired.time)
            return runEnded;
        first = false;
    }
}

// The end of a table: the next run is planned or the sequence goes off. True when the first
// interval of a next run is to be handled in this tick.
bool Sema::endOfTable(qint64 now)
{
    m_currentIndex = 0;
    endRun();
    switch (m_sequenceMode) {
    case SemaEnum::SEQUENCE_MODE_AUTO:
        if (hasRepetitionTime()) {
            const qint64 repetition = *m_repetitionTime;
            *m_plannedStart += repetition;
            // After the clock jumped ahead (a synchronisation) the runs missed entirely are not
            // played back one after the other: the next run is the first not yet begun.
            const qint64 behind = now - (*m_plannedStart + firstOffset());
            if (behind >= repetition)
                *m_plannedStart += (behind + repetition - 1) / repetition * repetition;
            application().applySynchroAtTime(m_plannedStart, false);
            showNextStartInfo();
        } else {
            m_plannedStart = boost::none;
            goOff();
        }
        break;
    case SemaEnum::SEQUENCE_MODE_AUTOSTART:
        if (const QSharedPointer<StartingListEntry> entry = getNextStartingListEntry()) {
            m_bib = entry->bibNumber;
            m_plannedStart = entry->startTick;
            HeldNotifications::send([this]() { emit bibNumberChanged(); });
            showNextStartInfo();
        } else {
            m_bib = boost::none;
            m_plannedStart = boost::none;
            HeldNotifications::send([this]() {
                emit bibNumberChanged();
                emit nextStartTimeChanged();
            });
            goOff();
        }
        break;
    default:
        m_plannedStart = boost::none;
        goOff();
        break;
    }
    if (m_sequenceMode != SemaEnum::SEQUENCE_MODE_AUTOSTART && m_bib && !m_isBibFixed) {
        *m_bib += 1;
        HeldNotifications::send([this]() { emit bibNumberChanged(); });
    }
    m_intervalEnd = boost::none;
    setSemaTime(boost::none, false, SemaEnum::SEMA_COLOR_OFF);

    // A table emptied while it ran has no first interval to plan: the sequence waits, off.
    if (m_plannedStart && !m_intervals.contains(IntervalKey(0, m_sequenceType))) {
        m_plannedStart = boost::none;
        goOff();
    }
    if (m_plannedStart)
        return true;

    if (!m_isOff) {
        lightsOff();
    } else {
        if (showsTimeOfDay())
            board().drawTimeOfDay(m_timeOfDayText);
        drawOffModeLights(true);
        m_appliedOffMode = m_offMode;
        m_isOffModeApplied = true;
    }
    finishTick(now);
    return false;
}

bool Sema::fireInterval(int index, const SemaInterval& interval)
{
    const SemaEnum::SemaColor colour = firingColour(interval.color);
    const SemaEnum::SemaSound sound = firingSound(interval.sound);
    const bool isLast = !m_intervals.contains(IntervalKey(index + 1, m_sequenceType));
    if (isLast && (colour == SemaEnum::NO_SEMA_COLOR || colour == SemaEnum::SEMA_COLOR_OFF)
        && sound == SemaEnum::NO_SEMA_SOUND) {
        m_lastRefresh = boost::none;
        lightsOff();
        return true;
    }
    switch (colour) {
    case SemaEnum::SEMA_COLOR_RED:
    case SemaEnum::SEMA_COLOR_YELLOW:
    case SemaEnum::SEMA_COLOR_GREEN:
    case SemaEnum::SEMA_COLOR_OFF:
        m_pixelCount = 0;
        // The first interval of a run always redraws.
        setSemaColor(colour, index == 0);
        break;
    case SemaEnum::SEMA_COLOR_PIXEL:
    case SemaEnum::SEMA_COLOR_YELLOW_PIXEL: {
        m_pixelCount = m_pixelCount == 0 ? 5 : m_pixelCount - 1;
        {
            QMutexLocker boardLocker(&m_boardMutex);
            m_currentColor = colour;
            drawLights(colour);
        }
        emitColorSignals(SemaEnum::SEMA_COLOR_YELLOW);
        break;
    }
    default:
        break;
    }
    playSound(sound);
    showSemaTime(m_shownTime, m_isDeltaShown, true);
    return false;
}

// A running sequence that is off or paused: the off-mode lights, once a second.
void Sema::offDisplay(qint64 now)
{
    if (isNewSecond(now)) {
        drawOffModeLights(false);
        m_appliedOffMode = m_offMode;
        m_isOffModeApplied = true;
        publishBoard();
    }
    if (m_intervalEnd) {
        m_intervalEnd = boost::none;
        setSemaTime(boost::none, false, SemaEnum::SEMA_COLOR_OFF);
    }
    m_lastRefresh = now;
}

void Sema::showOffModeNow()
{
    SemaEnum::SemaColor colour = SemaEnum::SEMA_COLOR_OFF;
    switch (m_offMode) {
    case SemaEnum::SEMA_OFF_MODE_ONLY_RED:
        colour = SemaEnum::SEMA_COLOR_RED;
        break;
    case SemaEnum::SEMA_OFF_MODE_BLINKING_RED:
        colour = m_blinkPhase ? SemaEnum::SEMA_COLOR_RED : SemaEnum::SEMA_COLOR_OFF;
        break;
    case SemaEnum::SEMA_OFF_MODE_ON:
        colour = SemaEnum::SEMA_COLOR_ALL;
        break;
    default:
        break;
    }
    m_pixelCount = 0;
    const bool changed = colour != m_currentColor;
    {
        QMutexLocker boardLocker(&m_boardMutex);
        m_currentColor = colour;
    }
    m_appliedOffMode = m_offMode;
    m_isOffModeApplied = true;
    redrawBoard();
    // All lamps on has no lamp signal of its own: the three are off, as when the tick lights them.
    if (changed)
        emitColorSignals(colour == SemaEnum::SEMA_COLOR_ALL ? SemaEnum::NO_SEMA_COLOR : colour);
}

// Draws the off-mode lights; unless always, a steady mode already drawn is left alone.
void Sema::drawOffModeLights(bool always)
{
    const bool applied = !always && m_isOffModeApplied && m_appliedOffMode == m_offMode;
    switch (m_offMode) {
    case SemaEnum::SEMA_OFF_MODE_ONLY_RED:
        if (!applied)
            redLights();
        break;
    case SemaEnum::SEMA_OFF_MODE_BLINKING_RED:
        m_blinkPhase = !m_blinkPhase;
        if (m_blinkPhase)
            redLights();
        else
            lightsOff();
        break;
    case SemaEnum::SEMA_OFF_MODE_ON:
        if (!applied)
            setSemaColorAll();
        break;
    default:
        // SEMA_OFF_MODE_OFF, and a stored value outside the modes.
        if (!applied)
            lightsOff();
        break;
    }
}

void Sema::countdownStep(qint64 now)
{
    if (!isNewSecond(now) || isFalseStartDeltaHeld())
        return;
    if (!m_isOff && m_plannedStart && m_currentIndex)
        showSemaTime(now - *m_plannedStart, false, false);
    else
        setSemaTime(boost::none, false, SemaEnum::SEMA_COLOR_OFF);
}

void Sema::finishTick(qint64 now)
{
    m_lastRefresh = now;
    publishBoard();
}

void Sema::publishBoard()
{
    if (board().sendPixels(0))
        sendStatus(false);
}

// ---- The held false-start delta ----

bool Sema::isFalseStartDeltaHeld()
{
    TimerSoftware* timer = application().falseStartTimer();
    if (!timer)
        return false;
    QMutexLocker timerLocker(&timer->mutex);
    return timer->currentCountProperty->get() != timer->reloadCount;
}

void Sema::holdFalseStartDelta()
{
    if (TimerSoftware* timer = application().falseStartTimer())
        timer->currentCountProperty->set(kFalseStartHoldCount);
}

void Sema::releaseFalseStartDelta()
{
    if (TimerSoftware* timer = application().falseStartTimer())
        timer->reset();
}

// ---- Display primitives ----

void Sema::drawLights(SemaEnum::SemaColor colour)
{
    board().drawSemaLights(m_visualizationMode, showsTimeOfDay(), colour, m_pixelCount, m_isDeltaShown, m_isOff);
}

void Sema::emitColorSignals(SemaEnum::SemaColor colour)
{
    HeldNotifications::send([this, colour]() { emitColorSignalsNow(colour); });
}

void Sema::emitColorSignalsNow(SemaEnum::SemaColor colour)
{
    switch (colour) {
    case SemaEnum::SEMA_COLOR_RED:
        emit semaRedChanged(true);
        emit semaGreenChanged(false);
        emit semaYellowChanged(false);
        break;
    case SemaEnum::SEMA_COLOR_GREEN:
        emit semaGreenChanged(true);
        emit semaRedChanged(false);
        emit semaYellowChanged(false);
        break;
    case SemaEnum::SEMA_COLOR_YELLOW:
    case SemaEnum::SEMA_COLOR_PIXEL:
    case SemaEnum::SEMA_COLOR_YELLOW_PIXEL:
        emit semaYellowChanged(true);
        emit semaRedChanged(false);
        emit semaGreenChanged(false);
        break;
    default:
        emit semaYellowChanged(false);
        emit semaRedChanged(false);
        emit semaGreenChanged(false);
        break;
    }
}

void Sema::clearBoardAndColour(bool sendPixels)
{
    m_currentColor = SemaEnum::NO_SEMA_COLOR;
    board().reset(sendPixels);
    emitColorSignals(SemaEnum::NO_SEMA_COLOR);
}

bool Sema::boardHoldsRemoteTexts() const
{
    const SemaApplicationState& app = application();
    return app.displayboardMode() == OrvaneEnum::DISPLAYBOARD_MODE && app.isInTimingMenu();
}

bool Sema::drawsBoard() const
{
    return !boardHoldsRemoteTexts() && !application().isInTestMenu() && !m_ledTestSequencer;
}

SemaEnum::SemaColor Sema::shownLightColour() const
{
    return !m_remoteText.isEmpty() && m_currentColor == SemaEnum::SEMA_COLOR_OFF ? m_textColor : m_currentColor;
}

void Sema::markRunFrameStale()
{
    if (m_currentIndex)
        m_isFrameStale = true;
}

void Sema::redrawFrame()
{
    m_isFrameStale = false;
    if (m_currentIndex && m_isOff)
        showOffModeNow();
    else
        redrawBoard();
}

void Sema::redrawBoard()
{
    const bool timeOfDayShown = showsTimeOfDay();
    const bool remoteText = !m_remoteText.isEmpty();
    // The band shows a remote text, or the countdown or difference of a switched-on run.
    const bool band = remoteText || (m_currentIndex && !m_isOff);
    const auto drawBand = [this, timeOfDayShown, remoteText]() {
        if (remoteText)
            board().drawSemaText(m_visualizationMode, timeOfDayShown, m_remoteText, m_remoteTextColour);
        else
            board().drawSemaTime(
                m_visualizationMode, timeOfDayShown, m_shownTime, m_isDeltaShown, m_currentColor, m_bib);
    };
    board().reset(false);
    {
        QMutexLocker boardLocker(&m_boardMutex);
        // The band first, for the column where its text starts: rows of dots and blocks stop before
        // it. Then the lights, the time of day and the band again over them, as a second of the run
        // leaves them.
        if (band)
            drawBand();
        const SemaEnum::SemaColor lights = shownLightColour();
        if (lights != SemaEnum::NO_SEMA_COLOR)
            drawLights(lights);
        if (timeOfDayShown)
            board().drawTimeOfDay(m_timeOfDayText);
        if (band)
            drawBand();
    }
    if (!m_infoText.isEmpty())
        drawInfoText();
}

// Signals leave after the board mutex is released, so that a receiver on this thread may call
// back into the engine.
void Sema::setSemaColor(SemaEnum::SemaColor colour, bool force)
{
    {
        QMutexLocker boardLocker(&m_boardMutex);
        if (!force && colour == m_currentColor)
            return;
        m_currentColor = colour;
        drawLights(colour);
    }
    emitColorSignals(colour);
}

void Sema::setSemaColorAll()
{
    {
        QMutexLocker boardLocker(&m_boardMutex);
        if (m_currentColor == SemaEnum::SEMA_COLOR_ALL)
            return;
        m_currentColor = SemaEnum::SEMA_COLOR_ALL;
        drawLights(SemaEnum::SEMA_COLOR_ALL);
    }
    emitColorSignals(SemaEnum::NO_SEMA_COLOR);
}

void Sema::lightsOff()
{
    m_pixelCount = 0;
    {
        QMutexLocker boardLocker(&m_boardMutex);
        if (m_currentColor == SemaEnum::SEMA_COLOR_OFF)
            return;
        m_currentColor = SemaEnum::SEMA_COLOR_OFF;
        drawLights(SemaEnum::SEMA_COLOR_OFF);
    }
    emitColorSignals(SemaEnum::SEMA_COLOR_OFF);
}

void Sema::redLights()
{
    m_pixelCount = 0;
    {
        QMutexLocker boardLocker(&m_boardMutex);
        if (m_currentColor == SemaEnum::SEMA_COLOR_RED)
            return;
        m_currentColor = SemaEnum::SEMA_COLOR_RED;
        drawLights(SemaEnum::SEMA_COLOR_RED);
    }
    emitColorSignals(SemaEnum::SEMA_COLOR_RED);
}

QString Sema::timeBandText() const
{
    return DateTime::displayOptionalTime(m_shownTime, m_isDeltaShown ? kFormatDelta : kFormatCountdown);
}

void Sema::setSemaTime(boost::optional<qint64> time, bool isDelta, SemaEnum::SemaColor colour)
{
    bool timeChanged = false;
    bool colourChanged = false;
    QString text;
    {
        QMutexLocker boardLocker(&m_boardMutex);
        if (time != m_shownTime || isDelta != m_isDeltaShown) {
            timeChanged = true;
            m_remoteText.clear();
            m_shownTime = time;
            m_isDeltaShown = isDelta;
            if (!m_isOff)
                board().drawSemaTime(m_visualizationMode, showsTimeOfDay(), m_shownTime, isDelta, colour, m_bib);
            text = timeBandText();
        }
        if (colour != m_currentColor) {
            colourChanged = true;
            m_currentColor = colour;
            m_textColor = SemaEnum::SEMA_COLOR_OFF;
            if (!m_isOff)
                drawLights(colour);
        }
    }
    if (timeChanged)
        HeldNotifications::send([this, text]() { emit semaTimeChanged(text); });
    if (colourChanged)
        emitColorSignals(colour);
}

void Sema::showSemaTime(boost::optional<qint64> time, bool isDelta, bool force)
{
    QString text;
    {
        QMutexLocker boardLocker(&m_boardMutex);
        if (!force && time == m_shownTime && isDelta == m_isDeltaShown)
            return;
        m_shownTime = time;
        const bool timeOfDayShown = showsTimeOfDay();
        if (!isDelta && m_isDeltaShown) {
            // The delta used a wider band: clear it and redraw the lights it covered.
            board().clearTextArea(timeOfDayShown);
            drawLights(m_currentColor);
        }
        m_isDeltaShown = isDelta;
        board().drawSemaTime(m_visualizationMode, timeOfDayShown, m_shownTime, isDelta, m_currentColor, m_bib);
        text = timeBandText();
    }
    HeldNotifications::send([this, text]() { emit semaTimeChanged(text); });
}

} // namespace Vl::Tavix3::UI
