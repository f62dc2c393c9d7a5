#include "device/systemhw.h"

#include "app/application.h"
#include "core/exceptionhandler.h"
#include "core/sharedapplication.h"
#include "core/utils.h"
#include "device/audiooutput.h"
#include "device/tonesink.h"
#include "device/tonesinkchooser.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutexLocker>
#include <QStorageInfo>
#include <QVariantMap>

#include <exception>
#include <limits>

namespace Vl::Tavix3::UI {

namespace {
const QString kIsKeyBeepOn = QStringLiteral("IsKeyBeepOn");
const QString kPowerSaveTime = QStringLiteral("PowerSaveTime");
const QString kBrightness = QStringLiteral("Brightness");
const QString kBrightnessMode = QStringLiteral("BrightnessMode");
const QString kWifiPasswords = QStringLiteral("WifiPasswords");
const QString kIsWifiEnabled = QStringLiteral("IsWifiEnabled");
const QString kOutputSoundVolume = QStringLiteral("OutputSoundVolume");
constexpr int kAutoBrightness = 0;
constexpr int kManualBrightness = 1;
} // namespace

SystemHw::SystemHw(QObject* parent)
    : QObject(parent)
    , m_settings(QStringLiteral("Velmora"), QStringLiteral("Orvane"))
{
    const ToneSinkChooser::Choice tones
        = ToneSinkChooser::choose(ToneSinkChooser::forcedChoice(), ToneSinkChooser::platformOutputs());
    setToneSink(tones.sink, tones.audible);
    for (const auto& tone : kToneTable)
        m_audioOutputs.push_back(new AudioOutput(&m_toneMutex, tone.frequencyHz, tone.durationMs, this));
}

// The tone workers go first, while the mutex they were handed still exists.
SystemHw::~SystemHw()
{
    setToneSink(nullptr);
    for (AudioOutput* output : m_audioOutputs)
        delete output;
    m_audioOutputs.clear();
}

void SystemHw::setSound(uint freq_hz, uint duration_ms)
{
    const std::shared_ptr<ToneSink> sink = toneSink();
    if (!sink)
        return;
    try {
        sink->start(freq_hz, duration_ms);
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::SystemHw::setSound");
    }
}

void SystemHw::setToneSink(std::shared_ptr<ToneSink> sink, bool audible)
{
    QMutexLocker locker(&m_sinkMutex);
    // Once this returns the old sink calls no more; its calls come from the tone output's thread.
    if (m_toneSink)
        m_toneSink->setAudibilityObserver(nullptr);
    m_toneSink = std::move(sink);
    m_tonesAudible = audible;
    if (m_toneSink)
        m_toneSink->setAudibilityObserver([this](bool nowAudible) {
            QMetaObject::invokeMethod(
                this, [this, nowAudible]() { toneAudibilityChanged(nowAudible); }, Qt::QueuedConnection);
        });
}

// At hardware start, when the screens already listen to the info bar, and each time tones can no
// longer be heard after that; once for each time.
void SystemHw::reportInaudibleTones()
{
    {
        QMutexLocker locker(&m_sinkMutex);
        if (m_tonesAudible || m_inaudibleTonesReported || !m_hardwareStarted)
            return;
        m_inaudibleTonesReported = true;
    }
    qWarning() << "Tones cannot be played: no sound card or PC speaker answers; tones go to the log";
    Utils::showInfoMessage(tr("Tones cannot be played: no sound card or PC speaker"), 10000, Utils::kErrorColor);
}

void SystemHw::toneAudibilityChanged(bool audible)
{
    bool wasReported = false;
    {
        QMutexLocker locker(&m_sinkMutex);
        m_tonesAudible = audible;
        if (audible) {
            wasReported = m_inaudibleTonesReported;
            m_inaudibleTonesReported = false;
        }
    }
    if (!audible) {
        reportInaudibleTones();
    } else if (wasReported) {
        qInfo() << "Tones can be played again";
        Utils::showInfoMessage(tr("Tones can be played again"), 10000, QStringLiteral("#007743"));
    }
}

std::shared_ptr<ToneSink> SystemHw::toneSink() const
{
    QMutexLocker locker(&m_sinkMutex);
    return m_toneSink;
}

void SystemHw::loadSettings()
{
    // Every value is brought into its range as it is read (AppSettingsStore): minutes are never
    // negative, percentages lie from 0 to 100, the mode is automatic or manual.
    m_settings.read(kIsKeyBeepOn, m_isKeyBeepOn);
    m_settings.readQuantity(kPowerSaveTime, m_powerSaveTime, 0, std::numeric_limits<int>::max());
    m_settings.readQuantity(kBrightness, m_brightness, 0, 100);
    m_settings.readChoice(kBrightnessMode, m_brightnessMode,
        [](qint64 value) { return value == kAutoBrightness || value == kManualBrightness; });
    QString passwords;
    if (m_settings.read(kWifiPasswords, passwords) && !passwords.isEmpty()) {
        m_wifiPasswords.clear();
        const QJsonObject object = QJsonDocument::fromJson(passwords.toUtf8()).object();
        for (auto it = object.begin(); it != object.end(); ++it)
            m_wifiPasswords.insert(it.key(), it.value().toString());
    }
    // Read for the device's sake; the Wi-Fi of this build stays off whatever it holds.
    bool isWifiEnabled = false;
    m_settings.read(kIsWifiEnabled, isWifiEnabled);
    m_settings.readQuantity(kOutputSoundVolume, m_outputSoundVolume, 0, 100);
    setOutputSoundVolume(m_outputSoundVolume);

    m_batteryPerc = 100;
    emit batteryPercChanged(100);
    m_isExtSupplyValid = true;
    emit isExtSupplyValidChanged(true);
    if (m_brightness == 0)
        m_brightness = 50;
    {
        QMutexLocker locker(&m_sinkMutex);
        m_hardwareStarted = true;
    }
    reportInaudibleTones();
}

void SystemHw::setHwSynchroAtTime(qint64, int, int) { }

bool SystemHw::activateBatteryCalibration()
{
    if (const QSharedPointer<Application> application = sharedApplication())
        application->messageBox()->show(tr("Calibration is not allowed in emulator mode"), 3000);
    return false;
}

void SystemHw::touchListenerListenTo(QObject* object) { m_touchListener.listenTo(object); }

void SystemHw::setDriveSource(DriveSource source) { m_driveSource = std::move(source); }

QStringList SystemHw::currentDrives() const
{
    if (m_driveSource)
        return m_driveSource();
    QStringList paths;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        paths << QDir(volume.rootPath()).absolutePath();
    return paths;
}

QVariantList SystemHw::mountedVolumes()
{
    QVariantList volumes;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || volume.fileSystemType().isEmpty())
            continue;
        const QString root = volume.rootPath();
        const QString name = volume.displayName();
        QVariantMap entry;
        entry.insert(QStringLiteral("DisplayName"), name != root ? root + QLatin1Char(' ') + name : root);
        entry.insert(QStringLiteral("Name"), volume.name());
        entry.insert(QStringLiteral("RootPath"), root);
        volumes.append(entry);
    }
    m_driveSnapshot = currentDrives();
    return volumes;
}

QStringList SystemHw::drives()
{
    m_driveSnapshot = currentDrives();
    return m_driveSnapshot;
}

void SystemHw::checkForDriveChanges()
{
    const QStringList current = currentDrives();
    // The snapshot stays as it was: the change is reported until the drives are listed again.
    bool changed = current.size() != m_driveSnapshot.size();
    for (const QString& path : current)
        changed = changed || !m_driveSnapshot.contains(path);
    if (changed)
        emit devicesConnectedChanged();
}

QString SystemHw::getCurrentIPAddress(const QString&) const { return QStringLiteral("127.0.0.1"); }

QString SystemHw::getCurrentSubnetMask(const QString&) const { return QStringLiteral("255.255.255.0"); }

QString SystemHw::getCurrentModeStr(const QString&) const { return QStringLiteral("DHCP"); }

void SystemHw::disableCalibration()
{
    try {
        m_isInCalibration = false;
        emit isInCalibrationChanged();
    } catch (const std::exception&) {
        if (const QSharedPointer<Application> application = sharedApplication())
            application->messageBox()->show(tr("Error deactivating battery calibration"), 3000);
    }
}

QString SystemHw::getWifiPassword(const QString& wifiName)
{
    // An unknown network is remembered (in memory only) with an empty password.
    return m_wifiPasswords[wifiName];
}

void SystemHw::setWifiPassword(const QString& wifiName, const QString& password)
{
    m_wifiPasswords.insert(wifiName, password);
    QJsonObject object;
    for (auto it = m_wifiPasswords.cbegin(); it != m_wifiPasswords.cend(); ++it)
        object.insert(it.key(), it.value());
    m_settings.setValue(kWifiPasswords, QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)));
}

void SystemHw::clearAllBT() { Utils::showInfoMessage(tr("DONE!"), 3000, QStringLiteral("#007743")); }

void SystemHw::setPowerSaveTime(int value)
{
    if (m_powerSaveTime == value)
        return;
    m_powerSaveTime = value;
    m_settings.setValue(kPowerSaveTime, value);
    emit powerSaveTimeChanged();
}

ushort SystemHw::brightness() const { return m_brightnessMode == kAutoBrightness ? m_autoBrightness : m_brightness; }

void SystemHw::setBrightness(ushort value)
{
    if (m_brightness == value || m_brightnessMode != kManualBrightness)
        return;
    m_brightness = value;
    m_settings.setValue(kBrightness, int(value));
    emit brightnessChanged();
}

void SystemHw::setBrightnessMode(int value)
{
    if (m_brightnessMode == value)
        return;
    m_brightnessMode = value;
    m_settings.setValue(kBrightnessMode, value);
    emit brightnessModeChanged();
}

void SystemHw::setTouchEnabled(bool value)
{
    if (m_touchListener.isTouchEnabled() == value)
        return;
    m_touchListener.setTouchEnabled(value);
    emit touchEnabledChanged();
}

void SystemHw::setIsInStandby(bool value)
{
    if (m_isInStandby == value)
        return;
    m_isInStandby = value;
    m_touchListener.setStandby(value);
    emit isInStandbyChanged();
}

void SystemHw::setBatteryCalibrationMessage(const QString& value)
{
    if (m_batteryCalibrationMessage == value)
        return;
    m_batteryCalibrationMessage = value;
    emit batteryCalibrationMessageChanged();
}

void SystemHw::setWifiStatus(const QString& value)
{
    if (m_wifiStatus == value)
        return;
    m_wifiStatus = value;
    emit wifiStatusChanged();
}

void SystemHw::setWifiSignalLevel(int value)
{
    if (m_wifiSignalLevel == value)
        return;
    m_wifiSignalLevel = value;
    emit wifiSignalLevelChanged();
}

void SystemHw::setIsBluetoothDeviceConnected(bool value)
{
    if (m_isBluetoothDeviceConnected == value)
        return;
    m_isBluetoothDeviceConnected = value;
    emit isBluetoothDeviceConnectedChanged();
}

void SystemHw::setBluetoothDeviceConnectedName(const QString& value)
{
    if (m_bluetoothDeviceName == value)
        return;
    m_bluetoothDeviceName = value;
    emit isBluetoothDeviceConnectedChanged();
}

void SystemHw::setOutputSoundVolume(int value)
{
    if (m_outputSoundVolume != value) {
        m_outputSoundVolume = value;
        m_settings.setValue(kOutputSoundVolume, value);
        emit outputSoundVolumeChanged();
    }
    // The loudspeaker-volume hook of the device has nothing to drive here.
}

} // namespace Vl::Tavix3::UI
