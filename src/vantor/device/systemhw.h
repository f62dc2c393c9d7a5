#pragma once

#include "core/appsettingsstore.h"
#include "device/touchlistener.h"

#include <QMap>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <functional>
#include <memory>
#include <vector>

namespace Vl::Tavix3::UI {

class AudioOutput;
class ToneSink;

// Device services: brightness, power saving, volume, battery, network, Bluetooth, drives and
// tones. The desktop build keeps the settings and plays tones; other hardware returns fixed values.
class SystemHw : public QObject
{
    Q_OBJECT

    Q_PROPERTY(bool isInCalibration READ isInCalibration NOTIFY isInCalibrationChanged)
    Q_PROPERTY(int powerSaveTime READ powerSaveTime WRITE setPowerSaveTime NOTIFY powerSaveTimeChanged)
    Q_PROPERTY(ushort brightness READ brightness WRITE setBrightness NOTIFY brightnessChanged)
    Q_PROPERTY(int brightnessMode READ brightnessMode WRITE setBrightnessMode NOTIFY brightnessModeChanged)
    Q_PROPERTY(bool touchEnabled READ touchEnabled WRITE setTouchEnabled NOTIFY touchEnabledChanged)
    Q_PROPERTY(bool isInStandby READ isInStandby WRITE setIsInStandby NOTIFY isInStandbyChanged)
    Q_PROPERTY(QString batteryCalibrationMessage READ batteryCalibrationMessage WRITE setBatteryCalibrationMessage
            NOTIFY batteryCalibrationMessageChanged)
    Q_PROPERTY(bool isWifiEnabled READ isWifiEnabled WRITE setIsWifiEnabled NOTIFY isWifiEnabledChanged)
    Q_PROPERTY(QString wifiStatus READ wifiStatus WRITE setWifiStatus NOTIFY wifiStatusChanged)
    Q_PROPERTY(int wifiSignalLevel READ wifiSignalLevel WRITE setWifiSignalLevel NOTIFY wifiSignalLevelChanged)
    Q_PROPERTY(bool isRechargeEnabled READ isRechargeEnabled WRITE setIsRechargeEnabled NOTIFY isRechargeEnabledChanged)
    Q_PROPERTY(
        bool isBluetoothEnabled READ isBluetoothEnabled WRITE setIsBluetoothEnabled NOTIFY isBluetoothEnabledChanged)
    Q_PROPERTY(bool isBluetoothDeviceConnected READ isBluetoothDeviceConnected WRITE setIsBluetoothDeviceConnected
            NOTIFY isBluetoothDeviceConnectedChanged)
    Q_PROPERTY(QString bluetoothDeviceConnectedName READ bluetoothDeviceConnectedName WRITE
            setBluetoothDeviceConnectedName NOTIFY isBluetoothDeviceConnectedChanged)
    Q_PROPERTY(int outputSoundVolume READ outputSoundVolume WRITE setOutputSoundVolume NOTIFY outputSoundVolumeChanged)

public:
    // The device's tone table: one idle worker per tone.
    static constexpr struct
    {
        uint frequencyHz;
        uint durationMs;
    } kToneTable[] = { { 1250, 300 }, { 1000, 300 }, { 750, 300 }, { 3686, 300 }, { 2800, 300 }, { 2800, 1000 },
        { 3000, 300 }, { 922, 300 }, { 460, 300 }, { 1840, 1000 }, { 460, 1000 } };

    explicit SystemHw(QObject* parent = nullptr);
    ~SystemHw() override;

    void loadSettings();
    void setHwSynchroAtTime(qint64 time, int first, int second);

    Q_INVOKABLE bool activateBatteryCalibration();
    Q_INVOKABLE void getSupplyInfo() { }
    // Starts one tone and returns at once; a tone still sounding is replaced by it.
    Q_INVOKABLE void setSound(uint freq_hz, uint duration_ms);
    Q_INVOKABLE void touchListenerListenTo(QObject* object);
    Q_INVOKABLE QVariantList mountedVolumes();
    Q_INVOKABLE QStringList drives();
    Q_INVOKABLE void checkForDriveChanges();
    Q_INVOKABLE void linuxShutDown() { }
    Q_INVOKABLE void bootToRecoveryMode() { }
    Q_INVOKABLE QString getCurrentIPAddress(const QString& nic) const;
    Q_INVOKABLE QString getCurrentSubnetMask(const QString& nic) const;
    Q_INVOKABLE QString getCurrentModeStr(const QString& nic) const;
    Q_INVOKABLE QVariantList getListWifiNetwork() const { return {}; }
    Q_INVOKABLE void disableCalibration();
    Q_INVOKABLE QString getWifiPassword(const QString& wifiName);
    Q_INVOKABLE void setWifiPassword(const QString& wifiName, const QString& password);
    Q_INVOKABLE void startWifiScan() { }
    Q_INVOKABLE void resetWifiConfig() { }
    Q_INVOKABLE void setWifiConfig(const QString&, const QString&) { }
    Q_INVOKABLE void clearAllBT();

    // for unit testing: the platform's list of drives (absolute paths), normally the mounted volumes.
    using DriveSource = std::function<QStringList()>;
    void setDriveSource(DriveSource source);

    // for unit testing: the sink the tones go to (normally chosen at construction); audible false
    // makes loadSettings() tell the operator that tones cannot be played. The operator is told as
    // well when the sink loses its device later, and when it plays again.
    void setToneSink(std::shared_ptr<ToneSink> sink, bool audible = true);
    std::shared_ptr<ToneSink> toneSink() const;
    const std::vector<AudioOutput*>& audioOutputs() const { return m_audioOutputs; }

    bool isInCalibration() const { return m_isInCalibration; }
    int powerSaveTime() const { return m_powerSaveTime; }
    void setPowerSaveTime(int value);
    ushort brightness() const;
    void setBrightness(ushort value);
    int brightnessMode() const { return m_brightnessMode; }
    void setBrightnessMode(int value);
    bool touchEnabled() const { return m_touchListener.isTouchEnabled(); }
    void setTouchEnabled(bool value);
    bool isInStandby() const { return m_isInStandby; }
    void setIsInStandby(bool value);
    QString batteryCalibrationMessage() const { return m_batteryCalibrationMessage; }
    void setBatteryCalibrationMessage(const QString& value);
    bool isWifiEnabled() const { return m_isWifiEnabled; }
    void setIsWifiEnabled(bool) { }
    QString wifiStatus() const { return m_wifiStatus; }
    void setWifiStatus(const QString& value);
    int wifiSignalLevel() const { return m_wifiSignalLevel; }
    void setWifiSignalLevel(int value);
    bool isRechargeEnabled() const { return m_isRechargeEnabled; }
    void setIsRechargeEnabled(bool) { }
    bool isBluetoothEnabled() const { return false; }
    void setIsBluetoothEnabled(bool) { }
    bool isBluetoothDeviceConnected() const { return m_isBluetoothDeviceConnected; }
    void setIsBluetoothDeviceConnected(bool value);
    QString bluetoothDeviceConnectedName() const { return m_bluetoothDeviceName; }
    void setBluetoothDeviceConnectedName(const QString& value);
    int outputSoundVolume() const { return m_outputSoundVolume; }
    void setOutputSoundVolume(int value);

    // Read directly by the engine's status output.
    int batteryPerc() const { return m_batteryPerc; }
    bool isExtSupplyValid() const { return m_isExtSupplyValid; }
    bool isLowBattery() const { return m_isLowBattery; }

    // The event filter the main window is given; reports touches and key presses.
    TouchListener* touchListener() { return &m_touchListener; }

signals:
    void addText(const QString& text);
    void brightnessChanged();
    void brightnessModeChanged();
    void powerSaveTimeChanged();
    void isInCalibrationChanged();
    void batteryPercChanged(int value);
    void isExtSupplyValidChanged(bool value);
    void isLowBatteryChanged(bool value);
    void isShutDownRequiredChanged(bool value);
    void touchEnabledChanged();
    void isInStandbyChanged();
    void lineStatusStartLockedChanged(bool value);
    void lineStatusLapLockedChanged(bool value);
    void lineStatusStopLockedChanged(bool value);
    void lineStatusAuxLockedChanged(bool value);
    void isKeyBeepOnChanged();
    void devicesConnectedChanged();
    void ipAddressModeChanged();
    void ipAddressChanged();
    void subnetMaskChanged();
    void batteryCalibrationMessageChanged();
    void isWifiEnabledChanged();
    void wifiScanResultsDone();
    void wifiStatusChanged();
    void wifiSignalLevelChanged();
    void bluetoothBondingNameChanged();
    void isBluetoothBondingConnectedChanged();
    void isBluetoothEnabledChanged();
    void isBluetoothDeviceConnectedChanged();
    void hasBluetoothProblemChanged();
    void requestNewBTDevice();
    void requestBTDeviceCompleted();
    void requestBTDeviceCancelled();
    void bluetoothScanResultsDone();
    void isRechargeEnabledChanged();
    void isModemHuaweiEnabledChanged();
    void outputSoundVolumeChanged();

private:
    QStringList currentDrives() const;
    void reportInaudibleTones();
    void toneAudibilityChanged(bool audible);

    bool m_isWifiEnabled = false;
    int m_wifiSignalLevel = 0;
    QString m_wifiStatus;
    int m_batteryPerc = 0;
    bool m_isExtSupplyValid = false;
    bool m_isLowBattery = false;
    int m_outputSoundVolume = 10;
    ushort m_brightness = 1;
    int m_brightnessMode = 1;
    int m_powerSaveTime = 1;
    ushort m_autoBrightness = 0;
    QMutex m_toneMutex; // handed to the tone workers
    std::vector<AudioOutput*> m_audioOutputs; // Qt children
    AppSettingsStore m_settings;
    bool m_isInStandby = false;
    bool m_isInCalibration = false;
    bool m_isKeyBeepOn = true;
    TouchListener m_touchListener;
    QStringList m_driveSnapshot; // absolute paths of the drives last listed
    DriveSource m_driveSource;
    QString m_batteryCalibrationMessage;
    QMap<QString, QString> m_wifiPasswords;
    bool m_isRechargeEnabled = true;
    bool m_isBluetoothDeviceConnected = false;
    QString m_bluetoothDeviceName;

    mutable QMutex m_sinkMutex;
    std::shared_ptr<ToneSink> m_toneSink;
    bool m_tonesAudible = true;
    bool m_inaudibleTonesReported = false;
    bool m_hardwareStarted = false; // the screens listen to the info bar
};

} // namespace Vl::Tavix3::UI
