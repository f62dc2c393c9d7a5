#pragma once

#include "core/appsettingsstore.h"
#include "device/gpsenum.h"

#include <QMutex>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariant>
#include <QVariantList>

namespace Vl::Tavix3::UI {

// The GPS side of the start clock: the synchronisation mode and time-zone shift the operator chose
// (persisted in the device settings store), the flags the status output and the screens read, the
// satellite view and the countdown report of a timing-base calibration. This build has no receiver:
// validity, signal, antenna, position and synchronisation status read as fixed values.
class GPS : public QObject
{
    Q_OBJECT

    Q_PROPERTY(bool isSynchedByCountinuos READ isSynchedByCountinuos WRITE setIsSynchedByCountinuos NOTIFY
            isSynchedByCountinuosChanged)
    Q_PROPERTY(bool isEnabled READ isEnabled WRITE setIsEnabled NOTIFY isEnabledChanged)
    Q_PROPERTY(bool isValid READ isValid WRITE setIsValid NOTIFY isValidChanged)
    Q_PROPERTY(bool isValidSignal READ isValidSignal WRITE setIsValidSignal)
    Q_PROPERTY(Vl::Tavix3::UI::GPSEnum::GPSSyncMode syncMode READ syncMode WRITE setSyncMode NOTIFY syncModeChanged)
    Q_PROPERTY(int timeZoneShift READ timeZoneShift WRITE setTimeZoneShift NOTIFY timeZoneShiftChanged)
    Q_PROPERTY(bool tuIsSynced READ tuIsSynced WRITE setTuIsSynced NOTIFY tuIsSyncedChanged)
    Q_PROPERTY(QString tuStatusStr READ tuStatusStr WRITE setTuStatusStr NOTIFY tuStatusStrChanged)
    Q_PROPERTY(
        bool deviceGPSIsEnabled READ deviceGPSIsEnabled WRITE setDeviceGPSIsEnabled NOTIFY deviceGPSIsEnabledChanged)
    Q_PROPERTY(QVariant numSatellites READ numSatellites WRITE setNumSatellites NOTIFY numSatellitesChanged)
    Q_PROPERTY(QVariant locLat READ locLat WRITE setLocLat NOTIFY locLatChanged)
    Q_PROPERTY(QVariant locLong READ locLong WRITE setLocLong NOTIFY locLongChanged)
    Q_PROPERTY(QVariant altitude READ altitude WRITE setAltitude NOTIFY altitudeChanged)
    Q_PROPERTY(bool isExtAntenna READ isExtAntenna WRITE setIsExtAntenna NOTIFY isExtAntennaChanged)
    Q_PROPERTY(bool isShowSatellites READ isShowSatellites WRITE setIsShowSatellites NOTIFY isShowSatellitesChanged)

public:
    // The satellites of the emulated view.
    static constexpr int kSatelliteCount = 10;

    explicit GPS(QObject* parent = nullptr);

    // Reads the mode and the shift from the device settings store (hardware start).
    void loadSettings();
    // The synchronisation status code the status output sends; a receiver would fill it in.
    int syncStatus() const { return 0; }
    // Reports a calibration to every remote client: a valid duration (seconds) starts or continues the
    // countdown, an invalid one ends it.
    void setCalibrationStatus(const QString& message, const QVariant& duration);

    // The timing-base calibration of the device; there is none to drive here.
    Q_INVOKABLE void checkCalibration() { }
    Q_INVOKABLE void execCalibration() { }
    Q_INVOKABLE void stopCalibration() { }
    // One emulated view of ten satellites: maps of "Name", "CNO", "QualitInd" and "Used".
    Q_INVOKABLE QVariantList refreshSatellitesStatus();

    bool isSynchedByCountinuos() const { return m_isSynchedByCountinuos; }
    void setIsSynchedByCountinuos(bool value);
    bool isEnabled() const;
    void setIsEnabled(bool) { }
    bool isValid() const { return false; }
    void setIsValid(bool) { }
    bool isValidSignal() const { return false; }
    void setIsValidSignal(bool) { }
    GPSEnum::GPSSyncMode syncMode() const { return m_syncMode; }
    // Ignored while a radio synchronisation is in force (the application's enabledSyncGPS is false).
    void setSyncMode(int mode);
    int timeZoneShift() const { return m_timeZoneShift; }
    void setTimeZoneShift(int minutes);
    bool tuIsSynced() const;
    void setTuIsSynced(bool) { }
    QString tuStatusStr() const { return m_tuStatusStr; }
    void setTuStatusStr(const QString&) { }
    bool deviceGPSIsEnabled() const { return false; }
    void setDeviceGPSIsEnabled(bool) { }
    QVariant numSatellites() const { return QVariant(); }
    void setNumSatellites(const QVariant&) { }
    QVariant locLat() const { return QVariant(); }
    void setLocLat(const QVariant&) { }
    QVariant locLong() const { return QVariant(); }
    void setLocLong(const QVariant&) { }
    QVariant altitude() const { return QVariant(); }
    void setAltitude(const QVariant&) { }
    bool isExtAntenna() const { return false; }
    void setIsExtAntenna(bool) { }
    bool isShowSatellites() const { return m_isShowSatellites; }
    void setIsShowSatellites(bool value);

    // for unit testing: the calibration countdown.
    int calibrationDuration() const { return m_calibrationDuration; }
    int calibrationRemaining() const { return m_calibrationRemaining; }
    bool isCountdownActive() const { return m_countdownTimer.isActive(); }
    // One second of the countdown (normally the countdown timer's timeout).
    void countdownStep();
    // The calibration message of a report, framed; the duration and remaining time only while it runs.
    static QString calibrationMessage(const QString& message, const QVariant& duration, int remaining);

signals:
    void isSynchedByCountinuosChanged();
    void isEnabledChanged();
    void isValidChanged();
    void tuIsSyncedChanged();
    void tuStatusStrChanged();
    void deviceGPSIsEnabledChanged();
    void numSatellitesChanged();
    void locLatChanged();
    void locLongChanged();
    void altitudeChanged();
    void isExtAntennaChanged();
    void syncModeChanged();
    void timeZoneShiftChanged();
    void calibMessage(const QString& message);
    void calibDuration(const QVariant& duration);
    void satCountChanged(const QString& text);
    void usedChanged(const QString& text);
    void avgCNOChanged(const QString& text);
    void lastUpdateChanged(const QString& text);
    void isShowSatellitesChanged();

private:
    AppSettingsStore m_settings;
    mutable QMutex m_statusMutex; // guards the timing unit's synchronised flag
    QTimer m_countdownTimer;
    int m_calibrationRemaining = 0;
    int m_calibrationDuration = 0;
    QString m_calibrationMessage;
    bool m_isShowSatellites = false;
    GPSEnum::GPSSyncMode m_syncMode = GPSEnum::GPS_SYNC_NONE;
    int m_timeZoneShift = 0;
    bool m_tuIsSynced = false;
    QString m_tuStatusStr;
    bool m_isSynchedByCountinuos = false;
};

} // namespace Vl::Tavix3::UI
