#include "device/gps.h"

#include "app/application.h"
#include "core/sharedapplication.h"
#include "core/utils.h"
#include "remote/serial.h"
#include "time/datetime.h"

#include <QJsonObject>
#include <QMutexLocker>
#include <QTime>
#include <QVariantMap>

#include <cstdlib>

namespace Vl::Tavix3::UI {

namespace {
const QString kGpsSyncMode = QStringLiteral("GPSSyncMode");
const QString kGpsTimeZoneShift = QStringLiteral("GPSTimeZoneShift");
constexpr int kCountdownIntervalMs = 1000;
constexpr int kMaxCno = 70;
} // namespace

GPS::GPS(QObject* parent)
    : QObject(parent)
    , m_settings(QStringLiteral("Velmora"), QStringLiteral("Orvane"))
{
}

void GPS::loadSettings()
{
    m_tuStatusStr = tr("Disabled");
    if (m_settings.contains(kGpsSyncMode)) {
        // A value no version wrote (a damaged file) leaves the mode at none.
        m_settings.readChoice(kGpsSyncMode, m_syncMode,
            [](qint64 value) { return value >= GPSEnum::GPS_SYNC_NONE && value < GPSEnum::MAX_GPS_SYNC_MODE; });
        m_isSynchedByCountinuos = m_syncMode == GPSEnum::GPS_SYNC_CONTINUOUS;
        emit isSynchedByCountinuosChanged();
        emit syncModeChanged();
    }
    m_settings.read(kGpsTimeZoneShift, m_timeZoneShift);
    emit isEnabledChanged();

    m_countdownTimer.setSingleShot(false);
    m_countdownTimer.setInterval(kCountdownIntervalMs);
    connect(&m_countdownTimer, &QTimer::timeout, this, &GPS::countdownStep, Qt::UniqueConnection);
}

void GPS::setIsSynchedByCountinuos(bool value)
{
    if (m_isSynchedByCountinuos == value)
        return;
    m_isSynchedByCountinuos = value;
    emit isSynchedByCountinuosChanged();
}

bool GPS::isEnabled() const
{
    return m_isShowSatellites || m_syncMode == GPSEnum::GPS_SYNC_ONE_TIME || m_syncMode == GPSEnum::GPS_SYNC_CONTINUOUS;
}

void GPS::setSyncMode(int mode)
{
    if (const QSharedPointer<Application> application = sharedApplication()) {
        if (!application->enabledSyncGPS())
            return;
    }
    if (mode == m_syncMode)
        return;
    m_syncMode = GPSEnum::GPSSyncMode(mode);
    m_settings.setValue(kGpsSyncMode, mode);
    emit isValidChanged();
    m_isSynchedByCountinuos = m_syncMode == GPSEnum::GPS_SYNC_CONTINUOUS;
    emit isSynchedByCountinuosChanged();
    emit syncModeChanged();
    emit isEnabledChanged();
}

void GPS::setTimeZoneShift(int minutes)
{
    if (m_timeZoneShift == minutes)
        return;
    m_timeZoneShift = minutes;
    m_settings.setValue(kGpsTimeZoneShift, minutes);
    emit timeZoneShiftChanged();
}

bool GPS::tuIsSynced() const
{
    QMutexLocker locker(&m_statusMutex);
    return m_tuIsSynced;
}

void GPS::setIsShowSatellites(bool value)
{
    if (m_isShowSatellites == value)
        return;
    const bool wasEnabled = isEnabled();
    m_isShowSatellites = value;
    emit isShowSatellitesChanged();
    // The status bar's GPS icon follows isEnabled, which the satellite view turns on by itself.
    if (isEnabled() != wasEnabled)
        emit isEnabledChanged();
}

QVariantList GPS::refreshSatellitesStatus()
{
    QVariantList satellites;
    int used = 0;
    int cnoSum = 0;
    int cnoCount = 0;
    for (int number = 0; number < kSatelliteCount; ++number) {
        const int cno = std::rand() % kMaxCno;
        const bool isUsed = (std::rand() & 1) != 0;
        const int quality = std::rand() & 100;
        QVariantMap satellite;
        satellite.insert(QStringLiteral("Name"), QString::number(number));
        satellite.insert(QStringLiteral("CNO"), cno);
        satellite.insert(QStringLiteral("QualitInd"), quality);
        satellite.insert(QStringLiteral("Used"), isUsed);
        satellites.append(satellite);
        used += isUsed ? 1 : 0;
        if (cno != 0) {
            cnoSum += cno;
            ++cnoCount;
        }
    }
    emit satCountChanged(QString::number(kSatelliteCount));
    emit usedChanged(QString::number(used));
    // Without a satellite in view there is nothing to average: the mean reads 0.0.
    const double average = cnoCount > 0 ? double(cnoSum) / cnoCount : 0.0;
    emit avgCNOChanged(QString::number(average, 'f', 1));
    const QTime now = QTime::fromMSecsSinceStartOfDay(int(DateTime::getTime() / DateTime::QMIL1));
    emit lastUpdateChanged(now.toString(QStringLiteral("HH:mm:ss")));
    return satellites;
}

QString GPS::calibrationMessage(const QString& message, const QVariant& duration, int remaining)
{
    QJsonObject data;
    data.insert(QStringLiteral("Message"), message);
    if (duration.isValid()) {
        data.insert(QStringLiteral("Duration"), duration.toInt());
        data.insert(QStringLiteral("Remaining"), remaining);
    }
    return Utils::convertToJSonString(QStringLiteral("GPS"), QStringLiteral("Calibration"), data, true);
}

void GPS::setCalibrationStatus(const QString& message, const QVariant& duration)
{
    if (m_calibrationMessage != message)
        m_calibrationMessage = message;
    emit calibMessage(message);
    emit calibDuration(duration);

    if (duration.isValid()) {
        if (duration.toInt() != m_calibrationDuration) {
            m_calibrationDuration = duration.toInt();
            m_calibrationRemaining = m_calibrationDuration;
            m_countdownTimer.start();
        }
    } else {
        m_countdownTimer.stop();
        Utils::processEvents(200);
    }

    const QString text = calibrationMessage(
        message, duration.isValid() ? QVariant(m_calibrationDuration) : QVariant(), m_calibrationRemaining);
    if (const QSharedPointer<Application> application = sharedApplication()) {
        if (Serial* serial = application->serial())
            serial->serialOutText(SerialEnum::SERIAL_CHANNEL_ALL, 0, text);
    }
}

void GPS::countdownStep()
{
    --m_calibrationRemaining;
    if (m_calibrationRemaining > 0) {
        setCalibrationStatus(m_calibrationMessage, m_calibrationDuration);
        return;
    }
    setCalibrationStatus(m_calibrationMessage, 0);
    m_countdownTimer.stop();
}

} // namespace Vl::Tavix3::UI
