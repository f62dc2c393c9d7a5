#include "sequence/sema.h"

#include "app/application.h"
#include "core/sharedapplication.h"
#include "core/version.h"
#include "device/systemhw.h"
#include "sequence/displayboard.h"
#include "sequence/displayboardenum.h"
#include "time/cyclichandler.h"
#include "time/datetime.h"

#include <QDeadlineTimer>
#include <QMutexLocker>
#include <QThread>

#include <algorithm>

namespace Vl::Tavix3::UI {

namespace {
constexpr int kLongPressMs = 2000;
constexpr int kInfoTextMs = 4000;
const QString kSavedSequenceMode = QStringLiteral("SavedSequenceMode");
const QString kSavedRepetitionTime[] = { QStringLiteral("SavedRepetitionTime1"), QStringLiteral("SavedRepetitionTime2"),
    QStringLiteral("SavedRepetitionTime3") };
constexpr uint kFormatCrono = 0x4025;
} // namespace

Sema::Sema(QObject* parent)
    : QObject(parent)
    , m_settings(QStringLiteral("Velmora"), QStringLiteral("Vantor"))
    , m_ports(SemaPorts::forApplication())
{
    qRegisterMetaType<SemaInterval>("SemaInterval");

    m_longPressTimer.setSingleShot(true);
    m_longPressTimer.setInterval(kLongPressMs);
    m_infoTimer.setSingleShot(true);
    m_infoTimer.setInterval(kInfoTextMs);
    m_falseStartDelayTimer.setSingleShot(true);

    initIntervalTables();

    if (const QSharedPointer<Application> application = sharedApplication())
        connect(application.data(), &Application::eventReceived, this, &Sema::onEventReceived);
    connect(&m_longPressTimer, &QTimer::timeout, this, &Sema::onLongPressTimeout);
    connect(&m_falseStartDelayTimer, &QTimer::timeout, this, &Sema::onFalseStartDelayTimeout);
    // The info text may be set from any thread; its timer is started on the thread that owns it.
    connect(this, &Sema::startTimerInfo, &m_infoTimer, [this]() { onStartTimerInfo(); });
    connect(&m_infoTimer, &QTimer::timeout, this, &Sema::onInfoTimerTimeout);
}

Sema::~Sema()
{
    // The tick and the start-event jobs call into this object: neither may outlive it.
    if (m_scheduler) {
        QMutexLocker registration(&m_registrationMutex);
        m_scheduler->stopCyclicEvent(kTickHandle);
    }
    QMutexLocker jobs(&m_jobsMutex);
    QDeadlineTimer deadline(kJobsWaitMs);
    while (m_pendingJobs > 0 && !deadline.hasExpired())
        m_jobsDone.wait(&m_jobsMutex, deadline);
}

void Sema::lock() { m_stateMutex.lock(); }

void Sema::unlock() { m_stateMutex.unlock(); }

void Sema::setDisplayboard(Displayboard* board)
{
    QMutexLocker locker(&m_stateMutex);
    m_displayboard = board;
    m_displayboardBoard.setDisplayboard(board);
}

SemaBoard& Sema::board() { return m_ports.board ? *m_ports.board : m_displayboardBoard; }

void Sema::setPorts(const SemaPorts& ports)
{
    QMutexLocker locker(&m_stateMutex);
    if (ports.board)
        m_ports.board = ports.board;
    if (ports.tones)
        m_ports.tones = ports.tones;
    if (ports.remote)
        m_ports.remote = ports.remote;
    if (ports.eventsLog)
        m_ports.eventsLog = ports.eventsLog;
    if (ports.messages)
        m_ports.messages = ports.messages;
    if (ports.jobs)
        m_ports.jobs = ports.jobs;
    if (ports.application)
        m_ports.application = ports.application;
}

QTimer* Sema::timerByName(const QString& name) const
{
    if (name == QLatin1String("longPress"))
        return const_cast<QTimer*>(&m_longPressTimer);
    if (name == QLatin1String("falseStartDelay"))
        return const_cast<QTimer*>(&m_falseStartDelayTimer);
    if (name == QLatin1String("info"))
        return const_cast<QTimer*>(&m_infoTimer);
    return nullptr;
}

bool Sema::isTimerActive(const QString& name) const
{
    const QTimer* timer = timerByName(name);
    return timer && timer->isActive();
}

int Sema::timerInterval(const QString& name) const
{
    const QTimer* timer = timerByName(name);
    return timer ? timer->interval() : -1;
}

bool Sema::expireTimer(const QString& name)
{
    QTimer* timer = timerByName(name);
    if (!timer || !timer->isActive())
        return false;
    timer->stop();
    if (timer == &m_longPressTimer)
        onLongPressTimeout();
    else if (timer == &m_falseStartDelayTimer)
        onFalseStartDelayTimeout();
    else
        onInfoTimerTimeout();
    return true;
}

// Starts or stops one of the engine's timers on the thread that owns it, whichever thread asks.
void Sema::startOwnTimer(QTimer& timer, int intervalMs)
{
    if (QThread::currentThread() == timer.thread())
        timer.start(intervalMs);
    else
        QMetaObject::invokeMethod(
            &timer, [&timer, intervalMs]() { timer.start(intervalMs); }, Qt::QueuedConnection);
}

void Sema::stopOwnTimer(QTimer& timer)
{
    if (QThread::currentThread() == timer.thread())
        timer.stop();
    else
        QMetaObject::invokeMethod(
            &timer, [&timer]() { timer.stop(); }, Qt::QueuedConnection);
}

// ---- Settings ----

template <typename T> bool Sema::storeSetting(T& member, T value, const QString& key)
{
    {
        QMutexLocker locker(&m_stateMutex);
        if (member == value)
            return false;
        member = value;
    }
    m_settings.setValue(key, QVariant::fromValue(int(value)));
    return true;
}

// Booleans are stored as booleans, not as the int the template writes.
template <> bool Sema::storeSetting<bool>(bool& member, bool value, const QString& key)
{
    {
        QMutexLocker locker(&m_stateMutex);
        if (member == value)
            return false;
        member = value;
    }
    m_settings.setValue(key, value);
    return true;
}

void Sema::setIsShowTimeOfDay(bool value)
{
    if (storeSetting(m_isShowTimeOfDay, value, QStringLiteral("IsShowTimeOfDay")))
        emit isShowTimeOfDayChanged();
}

void Sema::setIsCheckFalseStart(bool value)
{
    if (storeSetting(m_isCheckFalseStart, value, QStringLiteral("IsCheckFalseStart")))
        emit isCheckFalseStartChanged();
}

void Sema::setIsGenerateStart(bool value)
{
    if (storeSetting(m_isGenerateStart, value, QStringLiteral("IsGenerateStart")))
        emit isGenerateStartChanged();
}

void Sema::setIsSkipOutOfWindow(bool value)
{
    if (storeSetting(m_isSkipOutOfWindow, value, QStringLiteral("IsSkipOutOfWindow")))
        emit isSkipOutOfWindowChanged();
}

void Sema::setIsRestartWithNextMinute(bool value)
{
    if (storeSetting(m_isRestartWithNextMinute, value, QStringLiteral("IsRestartWithNextMinute")))
        emit isRestartWithNextMinuteChanged();
}

void Sema::setDelayFalseStart(int value)
{
    value = std::clamp(value, 0, kMaxDelayFalseStart);
    if (storeSetting(m_delayFalseStart, value, QStringLiteral("DelayFalseStart")))
        emit delayFalseStartChanged();
}

void Sema::setOffMode(int value)
{
    if (!storeSetting(m_offMode, SemaEnum::SemaOffMode(value), QStringLiteral("OffMode")))
        return;
    {
        // A sequence that is off shows the new mode at once, drawn on a cleared light area: the
        // old mode's lights may reach beyond the new one's.
        QMutexLocker locker(&m_stateMutex);
        if (!drawsBoard()) {
            markRunFrameStale();
        } else if (m_currentIndex && m_isOff) {
            showOffModeNow();
            publishBoard();
        }
    }
    emit offModeChanged();
}

void Sema::setVisualizationMode(int value)
{
    if (!storeSetting(m_visualizationMode, SemaEnum::VisualizationMode(value), QStringLiteral("VisualizationMode")))
        return;
    {
        // The board is laid out afresh, the light in force drawn in the new layout at once.
        QMutexLocker locker(&m_stateMutex);
        if (drawsBoard()) {
            redrawBoard();
            publishBoard();
        } else {
            board().reset(true);
            markRunFrameStale();
        }
    }
    emit visualizationModeChanged();
}

void Sema::setSequenceMode(int mode)
{
    bool stopped = false;
    {
        QMutexLocker locker(&m_stateMutex);
        if (m_sequenceMode == mode)
            return;
        stopped = stopRunningSequence();
        if (!stopped)
            stopRun();
        m_sequenceMode = SemaEnum::SemaSequenceMode(mode);
    }
    m_settings.setValue(QStringLiteral("SequenceMode"), mode);
    emit sequenceModeChanged();
    if (stopped)
        emit sequenceStatusChanged();
}

void Sema::loadSetting(const QString& key, const QVariant& value)
{
    QMutexLocker locker(&m_stateMutex);
    if (key == QLatin1String("VisualizationMode"))
        m_visualizationMode = SemaEnum::VisualizationMode(value.toInt());
    else if (key == QLatin1String("IsShowTimeOfDay"))
        m_isShowTimeOfDay = value.toBool();
    else if (key == QLatin1String("IsCheckFalseStart"))
        m_isCheckFalseStart = value.toBool();
    else if (key == QLatin1String("IsGenerateStart"))
        m_isGenerateStart = value.toBool();
    else if (key == QLatin1String("OffMode"))
        m_offMode = SemaEnum::SemaOffMode(value.toInt());
    else if (key == QLatin1String("IsSkipOutOfWindow"))
        m_isSkipOutOfWindow = value.toBool();
    else if (key == QLatin1String("IsRestartWithNextMinute"))
        m_isRestartWithNextMinute = value.toBool();
    else if (key == QLatin1String("DelayFalseStart"))
        m_delayFalseStart = std::clamp(value.toInt(), 0, kMaxDelayFalseStart);
    else if (key == QLatin1String("SequenceMode"))
        m_sequenceMode = SemaEnum::SemaSequenceMode(value.toInt());
}

void Sema::saveCurrentData()
{
    m_settings.setValue(kSavedSequenceMode, int(sequenceMode()));
    for (int i = 0; i < 3; ++i)
        m_settings.setValue(kSavedRepetitionTime[i], application().repetitionTimeAt(i));
}

void Sema::loadSavedData()
{
    // Brought into range as the application's own settings are: a mode no version wrote is not
    // taken, a repetition time is kept within its bounds.
    const bool present = m_settings.contains(kSavedSequenceMode);
    int mode = 0;
    if (m_settings.readChoice(kSavedSequenceMode, mode,
            [](qint64 value) { return value >= 0 && value < SemaEnum::MAX_SEQUENCE_MODE; })) {
        QMutexLocker locker(&m_stateMutex);
        m_sequenceMode = SemaEnum::SemaSequenceMode(mode);
    }
    if (present)
        m_settings.remove(kSavedSequenceMode);
    for (int i = 0; i < 3; ++i) {
        qint64 ticks = 0;
        if (!m_settings.readQuantity(kSavedRepetitionTime[i], ticks, 0, Application::kMaxRepetitionTime))
            continue;
        m_settings.remove(kSavedRepetitionTime[i]);
        application().setRepetitionTimeAt(i, ticks);
    }
}

// ---- Properties ----

bool Sema::isOff() const
{
    QMutexLocker locker(&m_stateMutex);
    return m_isOff;
}

bool Sema::sequenceStatus() const
{
    QMutexLocker locker(&m_stateMutex);
    return bool(m_currentIndex);
}

static QVariant optionalTickVariant(const boost::optional<qint64>& value)
{
    return value ? QVariant(qlonglong(*value)) : QVariant();
}

QVariant Sema::startTime() const
{
    QMutexLocker locker(&m_stateMutex);
    return optionalTickVariant(m_startTime);
}

QVariant Sema::startDate() const
{
    QMutexLocker locker(&m_stateMutex);
    return optionalTickVariant(m_startDate);
}

QVariant Sema::repetitionTime() const
{
    QMutexLocker locker(&m_stateMutex);
    return optionalTickVariant(m_repetitionTime);
}

// Writes one of the optional tick properties; any change stops a running sequence (stopped).
bool Sema::setOptionalTick(boost::optional<qint64>& member, const QVariant& value, bool& stopped)
{
    QMutexLocker locker(&m_stateMutex);
    const bool empty = value.isNull() || !value.isValid() || value.toString().isEmpty();
    if (empty && !member)
        return false;
    if (!empty && member && *member == value.toLongLong())
        return false;
    stopped = stopRunningSequence();
    if (!stopped)
        stopRun();
    if (empty)
        member = boost::none;
    else
        member = value.toLongLong();
    return true;
}

void Sema::setStartTime(const QVariant& value)
{
    bool stopped = false;
    if (!setOptionalTick(m_startTime, value, stopped))
        return;
    emit startTimeChanged();
    if (stopped)
        emit sequenceStatusChanged();
}

void Sema::setStartDate(const QVariant& value)
{
    bool stopped = false;
    if (!setOptionalTick(m_startDate, value, stopped))
        return;
    emit startDateChanged();
    if (stopped)
        emit sequenceStatusChanged();
}

void Sema::setRepetitionTime(const QVariant& value)
{
    boost::optional<qint64> stored;
    bool stopped = false;
    {
        QMutexLocker locker(&m_stateMutex);
        if (!setOptionalTick(m_repetitionTime, value, stopped))
            return;
        stored = m_repetitionTime;
    }
    application().setCurrentRepetitionTime(stored.value_or(0));
    emit repetitionTimeChanged();
    if (stopped)
        emit sequenceStatusChanged();
}

bool Sema::setRepetitionTime(qint64 ticks)
{
    const QVariant before = repetitionTime();
    setRepetitionTime(QVariant(qlonglong(ticks)));
    return repetitionTime() != before;
}

void Sema::loadRepetitionTime(qint64 ticks)
{
    QMutexLocker locker(&m_stateMutex);
    m_repetitionTime = ticks;
}

QString Sema::startListName() const
{
    QMutexLocker locker(&m_stateMutex);
    return m_startingList ? m_startingList->name : QString();
}

QString Sema::bibNumber() const
{
    QMutexLocker locker(&m_stateMutex);
    return m_bib ? QString::number(*m_bib) : QString();
}

QString Sema::nextStartTime() const
{
    QMutexLocker locker(&m_stateMutex);
    return DateTime::displayOptionalTime(m_plannedStart, kFormatCrono);
}

bool Sema::isShowingLedTest() const
{
    QMutexLocker locker(&m_stateMutex);
    return bool(m_ledTestSequencer);
}

void Sema::setIsShowingLedTest(bool value)
{
    {
        // The tick steps the sequencer under this lock; it is made and dropped under it too.
        QMutexLocker locker(&m_stateMutex);
        if (value && !m_ledTestSequencer) {
            m_ledTestSequencer = std::make_unique<LedTestSequencer>(&board());
        } else {
            // A second switch-on counts as a switch-off. The board is cleared; a run's frame, its
            // lights included, comes back at once, or, while the screens hold the board, as soon as
            // the engine draws it again.
            m_ledTestSequencer.reset();
            if (m_currentIndex && drawsBoard()) {
                redrawFrame();
                publishBoard();
            } else {
                board().reset(true);
                markRunFrameStale();
            }
        }
    }
    emit isShowingLedTestChanged();
}

QString Sema::errorMessage() const
{
    QMutexLocker locker(&m_stateMutex);
    return m_errorMessage;
}

void Sema::setErrorMessage(const QString& value)
{
    {
        QMutexLocker locker(&m_stateMutex);
        if (m_errorMessage == value)
            return;
        m_errorMessage = value;
    }
    emit errorMessageChanged();
}

QSharedPointer<StartingList> Sema::startingList() const
{
    QMutexLocker locker(&m_stateMutex);
    return m_startingList;
}

QString Sema::getStartingListId() const
{
    QMutexLocker locker(&m_stateMutex);
    return m_startingList ? m_startingList->id : QString();
}

// ---- Bib number ----

void Sema::initSema()
{
    {
        QMutexLocker locker(&m_stateMutex);
        m_isBibFixed = false;
        m_bib = 1;
        if (m_sequenceMode == SemaEnum::SEQUENCE_MODE_MANUAL) {
            m_isOff = true;
            m_currentIndex = 0;
        }
    }
    emit bibNumberChanged();
}

void Sema::setBibNumber(boost::optional<int> value)
{
    bool changed = false;
    {
        QMutexLocker locker(&m_stateMutex);
        m_isBibFixed = true;
        changed = m_bib != value;
        m_bib = value;
    }
    if (changed)
        emit bibNumberChanged();
}

// ---- Tones, info text and the start-up banner ----

void Sema::playSound(SemaEnum::SemaSound sound)
{
    uint frequency = 0;
    uint duration = 0;
    switch (sound) {
    case SemaEnum::SEMA_SOUND_BIP:
        frequency = 922;
        duration = 300;
        break;
    case SemaEnum::SEMA_SOUND_BOOP:
        frequency = 460;
        duration = 300;
        break;
    case SemaEnum::SEMA_SOUND_LONG_BIP:
        frequency = 1840;
        duration = 1000;
        break;
    case SemaEnum::SEMA_SOUND_LONG_BOOP:
        frequency = 460;
        duration = 1000;
        break;
    default:
        // Silent, and any value outside the table: no tone.
        return;
    }
    m_ports.tones->playTone(frequency, duration);
}

void Sema::setInfo(const QString& info)
{
    {
        QMutexLocker locker(&m_stateMutex);
        m_infoText = info;
    }
    emit startTimerInfo();
}

void Sema::onStartTimerInfo() { m_infoTimer.start(); }

void Sema::onInfoTimerTimeout()
{
    QMutexLocker locker(&m_stateMutex);
    m_infoText.clear();
    if (!m_currentIndex) {
        // The text had the whole board; the time of day comes back with the next second.
        board().fillRect(0, 0, Displayboard::kColumns, Displayboard::kRows, DisplayboardEnum::DISP_COLOR_OFF, false);
    } else if (drawsBoard()) {
        // The text covered the lower half of the run's frame, the lights' rows among them: the
        // frame comes back at once.
        redrawFrame();
        publishBoard();
    } else {
        markRunFrameStale();
    }
}

void Sema::showStartupBanner()
{
    const QSharedPointer<Application> app = sharedApplication();
    if (!app)
        return;
    QMutexLocker locker(&m_stateMutex);
    setDisplayboard(app->displayboard());
    const int colour = application().displayboardTimeColor();
    board().drawText(0, 0, QStringLiteral("Vantor"), colour, DisplayboardEnum::DISP_COLOR_OFF,
        DisplayboardEnum::DISP_FONT_SMALL, false);
    board().drawText(0, 8, QStringLiteral("V ") + getVersion(), colour, DisplayboardEnum::DISP_COLOR_OFF,
        DisplayboardEnum::DISP_FONT_SMALL, false);
}

void Sema::showInfo(const QString& text, int timeMs, const QString& colour)
{
    m_ports.messages->showInfoMessage(text, timeMs, colour);
}

} // namespace Vl::Tavix3::UI
