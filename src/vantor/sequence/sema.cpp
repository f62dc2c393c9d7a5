#include "sequence/sema.h"

#include "core/application.h"
#include "core/sharedapplication.h"
#include "core/version.h"
#include "device/systemhw.h"
#include "sequence/displayboard.h"
#include "sequence/displayboardenum.h"
#include "time/datetime.h"

#include <QMutexLocker>

namespace Vl::Tavix3::UI {

namespace {
const QString kSavedSequenceMode = QStringLiteral("SavedSequenceMode");
const QString kSavedRepetitionTime[] = { QStringLiteral("SavedRepetitionTime1"), QStringLiteral("SavedRepetitionTime2"),
    QStringLiteral("SavedRepetitionTime3") };
constexpr uint kFormatCrono = 0x4025;
} // namespace

Sema::Sema(QObject* parent)
    : QObject(parent)
    , m_settings(QStringLiteral("Velmora"), QStringLiteral("Vantor"))
{
    qRegisterMetaType<SemaInterval>("SemaInterval");

    m_longPressTimer.setSingleShot(true);
    m_longPressTimer.setInterval(2000);
    m_infoTimer.setSingleShot(true);
    m_infoTimer.setInterval(4000);
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

Sema::~Sema() = default;

void Sema::lock() { m_stateMutex.lock(); }

void Sema::unlock() { m_stateMutex.unlock(); }

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
    if (storeSetting(m_delayFalseStart, value, QStringLiteral("DelayFalseStart")))
        emit delayFalseStartChanged();
}

void Sema::setOffMode(int value)
{
    if (storeSetting(m_offMode, SemaEnum::SemaOffMode(value), QStringLiteral("OffMode")))
        emit offModeChanged();
}

void Sema::setVisualizationMode(int value)
{
    if (!storeSetting(m_visualizationMode, SemaEnum::VisualizationMode(value), QStringLiteral("VisualizationMode")))
        return;
    if (m_displayboard)
        m_displayboard->reset(true);
    emit visualizationModeChanged();
}

void Sema::setSequenceMode(int mode)
{
    {
        QMutexLocker locker(&m_stateMutex);
        if (m_sequenceMode == mode)
            return;
        m_currentIndex = boost::none;
        m_sequenceMode = SemaEnum::SemaSequenceMode(mode);
    }
    m_settings.setValue(QStringLiteral("SequenceMode"), mode);
    emit sequenceModeChanged();
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
        m_delayFalseStart = value.toInt();
    else if (key == QLatin1String("SequenceMode"))
        m_sequenceMode = SemaEnum::SemaSequenceMode(value.toInt());
}

void Sema::saveCurrentData()
{
    const QSharedPointer<Application> application = sharedApplication();
    m_settings.setValue(kSavedSequenceMode, int(sequenceMode()));
    if (!application)
        return;
    m_settings.setValue(kSavedRepetitionTime[0], application->repetitionTime1());
    m_settings.setValue(kSavedRepetitionTime[1], application->repetitionTime2());
    m_settings.setValue(kSavedRepetitionTime[2], application->repetitionTime3());
}

void Sema::loadSavedData()
{
    int mode = 0;
    if (m_settings.read(kSavedSequenceMode, mode)) {
        QMutexLocker locker(&m_stateMutex);
        m_sequenceMode = SemaEnum::SemaSequenceMode(mode);
    }
    m_settings.remove(kSavedSequenceMode);

    const QSharedPointer<Application> application = sharedApplication();
    for (int i = 0; i < 3; ++i) {
        qint64 ticks = 0;
        if (!m_settings.read(kSavedRepetitionTime[i], ticks))
            continue;
        m_settings.remove(kSavedRepetitionTime[i]);
        if (!application)
            continue;
        if (i == 0)
            application->setRepetitionTime1(ticks);
        else if (i == 1)
            application->setRepetitionTime2(ticks);
        else
            application->setRepetitionTime3(ticks);
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

// Writes one of the optional tick properties; any change stops a running sequence.
bool Sema::setOptionalTick(boost::optional<qint64>& member, const QVariant& value)
{
    QMutexLocker locker(&m_stateMutex);
    const bool empty = value.isNull() || !value.isValid() || value.toString().isEmpty();
    if (empty && !member)
        return false;
    if (!empty && member && *member == value.toLongLong())
        return false;
    m_currentIndex = boost::none;
    if (empty)
        member = boost::none;
    else
        member = value.toLongLong();
    return true;
}

void Sema::setStartTime(const QVariant& value)
{
    if (setOptionalTick(m_startTime, value))
        emit startTimeChanged();
}

void Sema::setStartDate(const QVariant& value)
{
    if (setOptionalTick(m_startDate, value))
        emit startDateChanged();
}

void Sema::setRepetitionTime(const QVariant& value)
{
    if (!setOptionalTick(m_repetitionTime, value))
        return;
    const boost::optional<qint64> stored = m_repetitionTime;
    if (const QSharedPointer<Application> application = sharedApplication())
        application->setRepetitionTime(stored.value_or(0));
    emit repetitionTimeChanged();
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
        QMutexLocker locker(&m_stateMutex);
        if (value && !m_ledTestSequencer) {
            m_ledTestSequencer = std::make_unique<LedTestSequencer>(m_displayboard);
        } else {
            // A second switch-on counts as a switch-off.
            m_ledTestSequencer.reset();
            if (m_displayboard)
                m_displayboard->reset(true);
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
        return;
    }
    const QSharedPointer<Application> application = sharedApplication();
    if (application && application->systemHw())
        application->systemHw()->setSound(frequency, duration);
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
    if (!m_displayboard)
        return;
    // While running the text used only the lower half; the lights stay.
    if (m_currentIndex)
        m_displayboard->fillRect(0, 8, Displayboard::kColumns, 8, DisplayboardEnum::DISP_COLOR_OFF, false);
    else
        m_displayboard->fillRect(
            0, 0, Displayboard::kColumns, Displayboard::kRows, DisplayboardEnum::DISP_COLOR_OFF, false);
}

void Sema::showStartupBanner()
{
    const QSharedPointer<Application> application = sharedApplication();
    if (!application)
        return;
    QMutexLocker locker(&m_stateMutex);
    m_displayboard = application->displayboard();
    if (!m_displayboard)
        return;
    const int colour = application->displayboardTimeColor();
    m_displayboard->drawText(0, 0, QStringLiteral("Vantor"), colour, DisplayboardEnum::DISP_COLOR_OFF,
        DisplayboardEnum::DISP_FONT_SMALL, false);
    m_displayboard->drawText(0, 8, QStringLiteral("V ") + getVersion(), colour, DisplayboardEnum::DISP_COLOR_OFF,
        DisplayboardEnum::DISP_FONT_SMALL, false);
}

} // namespace Vl::Tavix3::UI
