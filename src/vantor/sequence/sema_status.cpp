// Status output: the "Sema"/"Status" message with the values changed since they were last sent,
// and remote texts on the time band.
#include "core/exceptionhandler.h"
#include "core/orvaneenum.h"
#include "core/utils.h"
#include "sequence/sema.h"
#include "time/heldnotifications.h"

#include <QJsonArray>
#include <QMutexLocker>

#include <exception>

namespace Vl::Tavix3::UI {

QString Sema::statusColourWord(int colour)
{
    switch (colour) {
    case SemaEnum::SEMA_COLOR_OFF:
        return QStringLiteral("OFF");
    case SemaEnum::SEMA_COLOR_RED:
        return QStringLiteral("RED");
    case SemaEnum::SEMA_COLOR_YELLOW:
    case SemaEnum::SEMA_COLOR_PIXEL:
    case SemaEnum::SEMA_COLOR_YELLOW_PIXEL:
        return QStringLiteral("YELLOW");
    case SemaEnum::SEMA_COLOR_GREEN:
        return QStringLiteral("GREEN");
    case SemaEnum::SEMA_COLOR_ALL:
        return QStringLiteral("ALL");
    default:
        return QString();
    }
}

bool Sema::isOutputStatusEnabled() const
{
    QMutexLocker locker(&m_stateMutex);
    return m_isOutputStatusEnabled;
}

void Sema::setIsOutputStatusEnabled(bool value)
{
    QMutexLocker locker(&m_stateMutex);
    m_isOutputStatusEnabled = value;
}

void Sema::clearSentStatus()
{
    QMutexLocker locker(&m_stateMutex);
    m_lastSentStatus.clear();
}

void Sema::putStatusValue(const QString& key, const QJsonValue& value, QJsonObject& object, bool force)
{
    const QVariant current = value.toVariant();
    if (!force) {
        const auto sent = m_lastSentStatus.constFind(key);
        if (sent != m_lastSentStatus.cend() && sent.value() == current)
            return;
    }
    m_lastSentStatus.insert(key, current);
    object.insert(key, value);
}

void Sema::sendStatus(bool force)
{
    try {
        QMutexLocker locker(&m_stateMutex);
        if (!force && !m_isOutputStatusEnabled)
            return;
        const SemaApplicationState& app = application();
        const int mode = app.displayboardMode();
        const bool textMode = mode == OrvaneEnum::DISPLAYBOARD_MODE && app.isInTimingMenu();
        const SemaDeviceStatus device = app.deviceStatus();

        QJsonObject data;
        const auto put
            = [&](const char* key, const QJsonValue& value) { putStatusValue(QLatin1String(key), value, data, force); };
        put("DisplayboardMode", mode);
        if (!textMode)
            put("IsActive", bool(m_currentIndex));
        put("TimeOfDay", m_timeOfDayText);
        put("IsSynchronized", device.isSynchronized);
        put("IsGPSEnabled", device.isGPSEnabled);
        if (device.isGPSEnabled) {
            put("IsGPSValid", device.isGPSValid);
            put("GPSSynchedStatus", device.gpsSyncStatus);
            put("IsGPSSynchedByCountinuos", device.isGPSSynchedByCountinuos);
            put("GPSNumSatellites", device.gpsNumSatellites);
        }
        put("IsWifiEnabled", device.isWifiEnabled);
        if (device.isWifiEnabled)
            put("WifiSignalLevel", device.wifiSignalLevel);
        put("BatteryPerc", device.batteryPerc);
        put("IsExtSupplyValid", device.isExtSupplyValid);
        put("IsLowBattery", device.isLowBattery);
        if (!textMode) {
            put("IsRunning", m_currentIndex && !m_isOff);
            put("BibNumber", m_bib.value_or(0));
            if (m_currentIndex && m_currentColor != SemaEnum::NO_SEMA_COLOR) {
                put("YellowPixelCount", m_pixelCount);
                put("Color", statusColourWord(m_currentColor));
                put("Time", timeBandText());
            }
        }
        m_ports.remote->sendStatusText(
            Utils::convertToJSonString(QStringLiteral("Sema"), QStringLiteral("Status"), data, true));
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::Sema::sendStatus");
    }
}

void Sema::showText(const QString& text, SemaEnum::SemaColor colour)
{
    bool colourChanged = false;
    bool textChanged = false;
    {
        // The state mutex first, as everywhere the board mutex is taken: the tick reads the same members.
        QMutexLocker locker(&m_stateMutex);
        QMutexLocker boardLocker(&m_boardMutex);
        if (colour != m_currentColor) {
            colourChanged = true;
            m_textColor = colour;
            m_currentColor = SemaEnum::SEMA_COLOR_OFF;
            drawLights(colour);
        }
        if (text != m_remoteText) {
            textChanged = true;
            m_remoteText = text;
            m_remoteTextColour = colour;
            m_shownTime = boost::none;
            m_isDeltaShown = false;
            board().drawSemaText(m_visualizationMode, showsTimeOfDay(), text, colour);
        }
    }
    if (colourChanged)
        emitColorSignals(colour);
    if (textChanged)
        HeldNotifications::send([this, text]() { emit semaTimeChanged(text); });
}

} // namespace Vl::Tavix3::UI
