// The application object's settings: start-up bookkeeping, loading, the persisted setters,
// the reset to defaults and the Settings message.
#include "app/application.h"

#include "core/version.h"
#include "device/gps.h"
#include "device/systemhw.h"
#include "remote/serial.h"
#include "sequence/sema.h"
#include "sequence/displayboardenum.h"
#include "sequence/semaenum.h"
#include "time/datetime.h"

#include <QFile>
#include <QGuiApplication>
#include <QJsonObject>

#include <functional>

namespace Vl::Tavix3::UI {

namespace {

const QString kApplicationCorrectlyClosed = QStringLiteral("ApplicationCorrectlyClosed");
const QString kVersion = QStringLiteral("Version");
const QString kIsSynchronized = QStringLiteral("IsSynchronized");
const QString kCurrentLanguage = QStringLiteral("CurrentLanguage");
const QString kDateFormat = QStringLiteral("DateFormat");
const QString kTimeFormat = QStringLiteral("TimeFormat");
const QString kIsHighContrast = QStringLiteral("isHighContrast");
const QString kIsTapHandlerEnabled = QStringLiteral("IsTapHandlerEnabled");
const QString kRepetitionTimeIndex = QStringLiteral("RepetitionTimeIndex");
const QString kRepetitionTime1 = QStringLiteral("RepetitionTime1");
const QString kRepetitionTime2 = QStringLiteral("RepetitionTime2");
const QString kRepetitionTime3 = QStringLiteral("RepetitionTime3");
const QString kDisplayboardMode = QStringLiteral("DisplayboardMode");
const QString kDisplayboardTimeColor = QStringLiteral("DisplayboardTimeColor");

// The last version whose settings are kept after an upgrade.
const QVersionNumber kOldestCompatibleVersion(1, 2, 26);
static_assert(Application::kMaxRepetitionTime == DateTime::kTicksPerDay - 1);

bool isLanguage(qint64 value)
{
    return (value >= 0 && value < OrvaneEnum::MAX_LANGUAGE) || value == OrvaneEnum::NO_LANGUAGE;
}

// A choice among the numbers 0 to count - 1.
std::function<bool(qint64)> below(int count)
{
    return [count](qint64 value) { return value >= 0 && value < count; };
}

bool isTimeColor(qint64 value)
{
    return value == DisplayboardEnum::DISP_COLOR_RED || value == DisplayboardEnum::DISP_COLOR_GREEN
        || value == DisplayboardEnum::DISP_COLOR_BLUE;
}

template <typename T>
void loadAtomic(const AppSettingsStore& store, const QString& key, std::atomic<T>& member)
{
    T value{};
    if (store.read(key, value))
        member = value;
}

void loadChoice(const AppSettingsStore& store, const QString& key, std::atomic<int>& member,
    const std::function<bool(qint64)>& isValid)
{
    int value = 0;
    if (store.readChoice(key, value, isValid))
        member = value;
}

void loadRepetitionTime(const AppSettingsStore& store, const QString& key, std::atomic<qint64>& member)
{
    qint64 value = 0;
    if (store.readQuantity(key, value, 0, Application::kMaxRepetitionTime))
        member = value;
}

} // namespace

void Application::startUpBookkeeping()
{
    try {
        if (m_appSettings.contains(kApplicationCorrectlyClosed))
            m_applicationCorrectlyClosed = m_appSettings.value(kApplicationCorrectlyClosed).toBool();
        m_appSettings.setValue(kApplicationCorrectlyClosed, false);
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::Application::Application");
    }

    try {
        const QVersionNumber running = QVersionNumber::fromString(getVersion());
        if (m_appSettings.contains(kVersion))
            m_storedVersion = QVersionNumber::fromString(m_appSettings.value(kVersion).toString());
        m_appSettings.setValue(kVersion, running.normalized().toString());
        m_versionChanged = m_storedVersion != running;
        const QVariant logFile = qApp ? qApp->property("LOGFILE") : QVariant();
        if (m_versionChanged && logFile.isValid())
            QFile::remove(logFile.toString());
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::Application::Application");
    }

    try {
        const qint64 now = DateTime::qDateTimeToTicks(QDateTime::currentDateTime());
        const qint64 difference = DateTime::getDateTime() - now;
        if (!m_applicationCorrectlyClosed && difference >= -3000000 && difference <= 3000000) {
            if (!m_appSettings.contains(kIsSynchronized))
                m_appSettings.setValue(kIsSynchronized, false);
        } else {
            DateTime::setDateTime(now, now % DateTime::kTicksPerDay, 0, 0, 0);
            m_appSettings.setValue(kIsSynchronized, false);
        }
        m_isSynchronized = true;
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::Application::Application");
    }
}

bool Application::loadSettings()
{
    try {
        // Every value is brought into its range as it is read (AppSettingsStore).
        loadChoice(m_appSettings, kCurrentLanguage, m_currentLanguage, isLanguage);
        loadChoice(m_appSettings, kDateFormat, m_dateFormat, below(OrvaneEnum::MAX_DATE_FORMAT));
        loadChoice(m_appSettings, kTimeFormat, m_timeFormat, below(OrvaneEnum::MAX_TIME_FORMAT));
        loadEngineChoice(QStringLiteral("VisualizationMode"), below(SemaEnum::MAX_VISUALIZATION_MODE));
        loadAtomic(m_appSettings, kIsHighContrast, m_isHighContrast);
        loadAtomic(m_appSettings, kIsTapHandlerEnabled, m_isTapHandlerEnabled);
        for (const char* key : { "IsShowTimeOfDay", "IsCheckFalseStart", "IsGenerateStart" })
            loadEngineFlag(QLatin1String(key));
        loadEngineChoice(QStringLiteral("OffMode"), below(SemaEnum::MAX_SEMA_OFF_MODE));
        for (const char* key : { "IsSkipOutOfWindow", "IsRestartWithNextMinute" })
            loadEngineFlag(QLatin1String(key));
        int delay = 0;
        if (m_sema && m_appSettings.readQuantity(QStringLiteral("DelayFalseStart"), delay, 0, Sema::kMaxDelayFalseStart))
            m_sema->loadSetting(QStringLiteral("DelayFalseStart"), delay);
        loadEngineChoice(QStringLiteral("SequenceMode"), below(SemaEnum::MAX_SEQUENCE_MODE));
        loadChoice(m_appSettings, kRepetitionTimeIndex, m_repetitionTimeIndex, below(3));
        loadRepetitionTime(m_appSettings, kRepetitionTime1, m_repetitionTime1);
        loadRepetitionTime(m_appSettings, kRepetitionTime2, m_repetitionTime2);
        loadRepetitionTime(m_appSettings, kRepetitionTime3, m_repetitionTime3);

        if (m_sema)
            m_sema->loadRepetitionTime(getRepetitionTime());

        loadChoice(m_appSettings, kDisplayboardMode, m_displayboardMode, below(2));
        // The time colour 7 (white), which the board cannot show for the time, is one of these.
        loadChoice(m_appSettings, kDisplayboardTimeColor, m_displayboardTimeColor, isTimeColor);

        if (m_sema)
            m_sema->loadSavedData();
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::Application::loadSettings");
        return false;
    }

    // After an upgrade from an old version the operator is offered the defaults; during the
    // start-up there is no window yet, so the question counts as declined.
    if (m_versionChanged && m_storedVersion < kOldestCompatibleVersion)
        resetToDefault();
    return true;
}

void Application::loadEngineChoice(const QString& key, const std::function<bool(qint64)>& isValid)
{
    int value = 0;
    if (m_sema && m_appSettings.readChoice(key, value, isValid))
        m_sema->loadSetting(key, value);
}

void Application::loadEngineFlag(const QString& key)
{
    if (m_sema && m_appSettings.contains(key))
        m_sema->loadSetting(key, m_appSettings.value(key));
}

void Application::saveSettings()
{
    try {
        m_appSettings.sync();
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::Application::saveSettings");
    }
}

void Application::setCurrentLanguage(int language)
{
    if (m_currentLanguage == language)
        return;
    m_appSettings.setValue(kCurrentLanguage, language);
    m_currentLanguage = language;
    loadLanguage();
    emit currentLanguageChanged();
}

void Application::setDateFormat(int value)
{
    if (m_dateFormat.exchange(value) == value)
        return;
    m_appSettings.setValue(kDateFormat, value);
    emit dateFormatChanged();
    emit dateFormatStringChanged();
    emit dateTimeFormatStringChanged();
}

void Application::setTimeFormat(int value)
{
    if (m_timeFormat.exchange(value) == value)
        return;
    m_appSettings.setValue(kTimeFormat, value);
    emit timeFormatChanged();
    emit timeFormatStringChanged();
    emit dateTimeFormatStringChanged();
}

void Application::setIsHighContrast(bool value)
{
    if (m_isHighContrast.exchange(value) == value)
        return;
    m_appSettings.setValue(kIsHighContrast, value);
    emit isHighContrastChanged();
}

void Application::setIsTapHandlerEnabled(bool value)
{
    if (m_isTapHandlerEnabled.exchange(value) == value)
        return;
    m_appSettings.setValue(kIsTapHandlerEnabled, value);
    emit isTapHandlerEnabledChanged();
}

void Application::setIsSynchronized(bool value)
{
    if (m_isSynchronized.exchange(value) == value)
        return;
    m_appSettings.setValue(kIsSynchronized, value);
    saveSettings();
    emit isSynchronizedChanged();
}

void Application::setDisplayboardMode(int value)
{
    if (m_displayboardMode.exchange(value) == value)
        return;
    m_appSettings.setValue(kDisplayboardMode, value);
    emit displayboardModeChanged();
    emit reloadMenuModel(QString());
}

void Application::setDisplayboardTimeColor(int value)
{
    if (m_displayboardTimeColor.exchange(value) == value)
        return;
    m_appSettings.setValue(kDisplayboardTimeColor, value);
    emit displayboardTimeColorChanged();
}

void Application::setRepetitionTime1(qlonglong value)
{
    if (m_repetitionTime1.exchange(value) == value)
        return;
    m_appSettings.setValue(kRepetitionTime1, value);
    emit repetitionTime1Changed();
}

void Application::setRepetitionTime2(qlonglong value)
{
    if (m_repetitionTime2.exchange(value) == value)
        return;
    m_appSettings.setValue(kRepetitionTime2, value);
    emit repetitionTime2Changed();
}

void Application::setRepetitionTime3(qlonglong value)
{
    if (m_repetitionTime3.exchange(value) == value)
        return;
    m_appSettings.setValue(kRepetitionTime3, value);
    emit repetitionTime3Changed();
}

qlonglong Application::getRepetitionTime() const
{
    switch (m_repetitionTimeIndex) {
    case 1:
        return m_repetitionTime2;
    case 2:
        return m_repetitionTime3;
    default:
        return m_repetitionTime1;
    }
}

void Application::setRepetitionTime(qint64 ticks)
{
    switch (m_repetitionTimeIndex) {
    case 1:
        setRepetitionTime2(ticks);
        break;
    case 2:
        setRepetitionTime3(ticks);
        break;
    default:
        setRepetitionTime1(ticks);
        break;
    }
}

void Application::setRepetitionTimeIndex(int index)
{
    const int oldIndex = m_repetitionTimeIndex;
    if (index == oldIndex)
        return;
    const int step = index > oldIndex ? 1 : -1;
    const qint64 minimum = m_sema ? m_sema->getMinRepetitionTime() : 0;
    int candidate = index;
    for (;;) {
        if (candidate >= 3)
            candidate = 0;
        else if (candidate < 0)
            candidate = 2;
        m_repetitionTimeIndex = candidate;
        const qint64 time = getRepetitionTime();
        if (time != 0 && time >= minimum)
            break;
        if (candidate == oldIndex)
            break;
        candidate += step;
    }
    m_appSettings.setValue(kRepetitionTimeIndex, int(m_repetitionTimeIndex));

    if (m_sema) {
        const bool wasRunning = m_sema->sequenceStatus();
        if (m_sema->setRepetitionTime(getRepetitionTime()) && wasRunning && m_sema->sequenceMode() == SemaEnum::SEQUENCE_MODE_AUTO)
            m_sema->setSequenceStatus(true);
    }
    emit repetitionTimeIndexChanged();
}

void Application::resetToDefault()
{
    if (!confirm(tr("Reset to default")))
        return;

    setDateFormat(0);
    setTimeFormat(0);
    setIsHighContrast(false);
    setIsTapHandlerEnabled(false);
    setDisplayboardMode(0);
    setDisplayboardTimeColor(kDefaultDisplayboardTimeColor);

    if (m_gps)
        m_gps->setSyncMode(0);
    if (m_systemHw) {
        m_systemHw->setOutputSoundVolume(10);
        m_systemHw->setPowerSaveTime(1);
        m_systemHw->setBrightnessMode(1);
        m_systemHw->setBrightness(0);
    }

    if (m_sema) {
        m_sema->setVisualizationMode(0);
        m_sema->setIsShowTimeOfDay(true);
        m_sema->setIsCheckFalseStart(true);
        m_sema->setIsGenerateStart(true);
        m_sema->setOffMode(2);
        m_sema->setIsSkipOutOfWindow(false);
        m_sema->setIsRestartWithNextMinute(true);
        m_sema->setDelayFalseStart(0);
        m_sema->setSequenceMode(SemaEnum::SEQUENCE_MODE_AUTO);
    }

    // The times come first, so that the walk to a usable index sees the default times.
    setRepetitionTime1(kDefaultRepetitionTime1);
    setRepetitionTime2(kDefaultRepetitionTime2);
    setRepetitionTime3(kDefaultRepetitionTime3);
    setRepetitionTimeIndex(0);
    if (m_sema) {
        m_sema->setRepetitionTime(getRepetitionTime());
        m_sema->resetAllIntervals();
    }

    Utils::showInfoMessage(tr("DONE!"), 3000, QStringLiteral("#007743"));
}

QString Application::settingsMessage() const
{
    QJsonObject data;
    if (m_systemHw) {
        data.insert(QStringLiteral("Brightness"), int(quint16(m_systemHw->brightness())));
        data.insert(QStringLiteral("BrightnessMode"), m_systemHw->brightnessMode());
        data.insert(QStringLiteral("OutputSoundVolume"), m_systemHw->outputSoundVolume());
        data.insert(QStringLiteral("PowerSaveTime"), m_systemHw->powerSaveTime());
    }
    data.insert(QStringLiteral("DateFormat"), int(m_dateFormat));
    data.insert(QStringLiteral("DisplayboardMode"), int(m_displayboardMode));
    data.insert(QStringLiteral("DisplayboardTimeColor"), int(m_displayboardTimeColor));
    data.insert(QStringLiteral("IsHighContrast"), bool(m_isHighContrast));
    data.insert(QStringLiteral("IsTapHandlerEnabled"), bool(m_isTapHandlerEnabled));
    data.insert(QStringLiteral("Language"), int(m_currentLanguage));
    data.insert(QStringLiteral("TimeFormat"), int(m_timeFormat));
    if (m_sema) {
        data.insert(QStringLiteral("DelayFalseStart"), m_sema->delayFalseStart());
        data.insert(QStringLiteral("IsCheckFalseStart"), m_sema->isCheckFalseStart());
        data.insert(QStringLiteral("IsGenerateStart"), m_sema->isGenerateStart());
        data.insert(QStringLiteral("IsRestartWithNextMinute"), m_sema->isRestartWithNextMinute());
        data.insert(QStringLiteral("IsShowTimeOfDay"), m_sema->isShowTimeOfDay());
        data.insert(QStringLiteral("IsSkipOutOfWindow"), m_sema->isSkipOutOfWindow());
        data.insert(QStringLiteral("OffMode"), m_sema->offMode());
        data.insert(QStringLiteral("VisualizationMode"), m_sema->visualizationMode());
    }
    return Utils::convertToJSonString(QStringLiteral("Sema"), QStringLiteral("Settings"), data, true);
}

void Application::sendSettings()
{
    const QString text = settingsMessage();
    if (m_serial)
        m_serial->serialOutText(31, 0, text);
}

} // namespace Vl::Tavix3::UI
