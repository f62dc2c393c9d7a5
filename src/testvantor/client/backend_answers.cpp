// Backend: the answers, pushed status, settings, events and calibration reports of Vantor.
#include "client/backend.h"
#include "common/jsontextscreen.h"

#include <QDebug>
#include <QJsonDocument>

#include <exception>

namespace {

QString key(const char* text) { return QString::fromLatin1(text); }

} // namespace

void Backend::parseAnswerData(const QString& section, const QJsonArray& data)
{
    try {
        for (const QJsonValue& item : data) {
            const QJsonObject object = item.toObject();
            if (section == QLatin1String("Status")) {
                readStatus(object);
                emit semaStatus1(m_status[IsActive], m_status[TimeOfDay], m_status[IsRunning], m_status[Color],
                    m_status[YellowPixelCount], m_status[Time], m_status[DisplayboardMode], m_status[BibNumber]);
                emit semaStatus2(m_status[IsSynchronized], m_status[IsGPSEnabled], m_status[IsGPSValid],
                    m_status[GPSSynchedStatus], m_status[IsGPSSynchedByCountinuos], m_status[GPSNumSatellites]);
                emit semaStatus3(m_status[IsWifiEnabled], m_status[WifiSignalLevel], m_status[BatteryPerc],
                    m_status[IsExtSupplyValid], m_status[IsLowBattery]);
            } else if (section == QLatin1String("GetCurrentSequenceName")) {
                const QJsonValue value = object.value(key("SequenceName"));
                if (isValidJsonValue(value))
                    emit currentSequenceName(value.toString());
            } else if (section == QLatin1String("GetCurrentSequenceId")) {
                const QJsonValue value = object.value(key("SequenceId"));
                if (isValidJsonValue(value))
                    emit currentSequenceId(value.toString());
            } else if (section == QLatin1String("GetWifiEnabled")) {
                const QJsonValue value = object.value(key("IsEnabled"));
                if (isValidJsonValue(value))
                    emit wifiEnabled(value.toBool());
                else
                    emit someError(tr("Error to get wifi enabled"));
            } else if (section == QLatin1String("GetNetworkList")) {
                const QJsonValue value = object.value(key("NetworkList"));
                if (!isValidJsonValue(value))
                    continue;
                QVariantList list;
                for (const QJsonValue& entry : value.toArray()) {
                    const QJsonObject network = entry.toObject();
                    QVariantMap map;
                    map.insert(key("SSID"), network.value(key("SSID")).toString());
                    map.insert(key("BSSID"), network.value(key("BSSID")).toString());
                    map.insert(key("SignalLevel"), network.value(key("SignalLevel")).toInt());
                    map.insert(key("Quality"), network.value(key("Quality")).toString());
                    map.insert(key("Selected"), network.value(key("Selected")).toBool());
                    map.insert(key("Password"), network.value(key("Password")).toString());
                    list << map;
                }
                emit wifiScanResultsDone(list);
            } else if (section == QLatin1String("GetSettings") || section == QLatin1String("Settings")) {
                // The settings of every object are merged and reported once for the whole answer.
                emitSettings(data);
                break;
            } else if (section == QLatin1String("GetVersionNumber")) {
                const QJsonValue value = object.value(key("VersionNumber"));
                if (isValidJsonValue(value))
                    emit versionNumber(value.toString());
                else
                    emit someError(tr("Error to get Version number"));
            } else if (section == QLatin1String("GetGPSEnabled")) {
                const QJsonValue value = object.value(key("IsEnabled"));
                if (isValidJsonValue(value))
                    emit gpsIsEnabled(value.toBool());
                else
                    emit someError(tr("Error to get GPS IsEnabled"));
            } else if (section == QLatin1String("GetGPSSyncMode")) {
                const QJsonValue value = object.value(key("GPSSyncMode"));
                if (isValidJsonValue(value))
                    emit gpsSyncMode(value.toInt());
                else
                    emit someError(tr("Error to get GPS Synch Mode"));
            } else if (section == QLatin1String("GetGPSTimeZoneShift")) {
                const QJsonValue value = object.value(key("GPSTimeZoneShift"));
                if (isValidJsonValue(value))
                    emit gpsTimeZoneShift(value.toInt());
                else
                    emit someError(tr("Error to get GPS Time Zone Shift"));
            } else if (section == QLatin1String("Event")) {
                emit eventReceived(QString::number(object.value(key("PhysicalChannel")).toInt()),
                    object.value(key("Time")).toString(), object.value(key("Date")).toString(),
                    object.value(key("IsAuto")).toBool(), object.value(key("BibNumber")).toInt());
            } else if (section == QLatin1String("Calibration")) {
                const QJsonValue duration = object.value(key("Duration"));
                const QJsonValue remaining = object.value(key("Remaining"));
                emit calibrationReceived(object.value(key("Message")).toString(),
                    isValidJsonValue(duration) ? QString::number(duration.toInt()) : QString(),
                    isValidJsonValue(remaining) ? QString::number(remaining.toInt()) : QString());
            } else if (section == QLatin1String("GetAllSequences")) {
                emitSequences(object.value(key("Sequences")).toArray());
            } else if (section == QLatin1String("GetRepetitionTimes")) {
                const QJsonValue index = object.value(key("RepetitionTimeIndex"));
                emit repetitionTimesReceived(object.value(key("RepetitionTime1")).toString(),
                    object.value(key("RepetitionTime2")).toString(), object.value(key("RepetitionTime3")).toString(),
                    isValidJsonValue(index) ? QString::number(index.toInt()) : QString());
            } else if (section == QLatin1String("GetEthernetSettings")) {
                emit ethernetSettings(object.value(key("address")).toString(), object.value(key("netMask")).toString(),
                    object.value(key("mode")).toString());
            } else if (section == QLatin1String("GetWifiSettings")) {
                emit wifiSettings(object.value(key("address")).toString(), object.value(key("netMask")).toString(),
                    object.value(key("mode")).toString());
            }
        }
    } catch (const std::exception& e) {
        qDebug() << e.what();
    }
}

void Backend::readStatus(const QJsonObject& object)
{
    auto present = [&object](const char* name, QJsonValue& value) {
        value = object.value(QString::fromLatin1(name));
        return isValidJsonValue(value);
    };
    auto flag = [](bool value, const QString& yes, const QString& no) { return value ? yes : no; };
    QJsonValue value;
    if (present("IsActive", value))
        m_status[IsActive] = flag(value.toBool(), tr("Enabled"), tr("Disabled"));
    if (present("DisplayboardMode", value))
        m_status[DisplayboardMode] = value.toInt() == 1 ? tr("Displayboard") : tr("Countdown");
    if (present("TimeOfDay", value))
        m_status[TimeOfDay] = value.toString();
    if (present("IsRunning", value))
        m_status[IsRunning] = flag(value.toBool(), tr("Running"), tr("Stopped"));
    if (present("Color", value))
        m_status[Color] = value.toString();
    if (present("YellowPixelCount", value))
        m_status[YellowPixelCount] = value.toString();
    if (present("Time", value))
        m_status[Time] = value.toString();
    if (present("IsSynchronized", value))
        m_status[IsSynchronized] = flag(value.toBool(), tr("Synch"), tr("No Synch"));
    if (present("IsGPSEnabled", value))
        m_status[IsGPSEnabled] = flag(value.toBool(), tr("Enabled"), tr("Disabled"));
    if (present("IsGPSValid", value))
        m_status[IsGPSValid] = flag(value.toBool(), tr("Valid"), tr("Not valid"));
    if (present("GPSSynchedStatus", value)) {
        switch (value.toInt()) {
        case 0:
            m_status[GPSSynchedStatus] = tr("Disabled");
            break;
        case 1:
        case 3:
            m_status[GPSSynchedStatus] = tr("Waiting for GPS signal");
            break;
        case 2:
            m_status[GPSSynchedStatus] = tr("Synchronized");
            break;
        default:
            m_status[GPSSynchedStatus] = QString::fromLatin1("");
            break;
        }
    }
    if (present("IsGPSSynchedByCountinuos", value))
        m_status[IsGPSSynchedByCountinuos] = flag(value.toBool(), tr("Yes"), tr("No"));
    if (present("GPSNumSatellites", value))
        m_status[GPSNumSatellites] = QString::number(value.toInt());
    if (present("IsWifiEnabled", value))
        m_status[IsWifiEnabled] = flag(value.toBool(), tr("Enabled"), tr("Disabled"));
    if (present("WifiSignalLevel", value))
        m_status[WifiSignalLevel] = value.toString();
    if (present("BatteryPerc", value))
        m_status[BatteryPerc] = QString::number(value.toInt());
    if (present("IsExtSupplyValid", value))
        m_status[IsExtSupplyValid] = flag(value.toBool(), tr("Valid"), tr("Not valid"));
    if (present("IsLowBattery", value))
        m_status[IsLowBattery] = flag(value.toBool(), tr("Yes"), tr("No"));
    if (present("BibNumber", value))
        m_status[BibNumber] = QString::number(value.toInt());
}

void Backend::emitSettings(const QJsonArray& data)
{
    static const char* const kIntKeys[] = { "Language", "DateFormat", "TimeFormat", "VisualizationMode", "OffMode",
        "DelayFalseStart", "OutputSoundVolume", "DisplayboardMode", "PowerSaveTime", "Brightness", "BrightnessMode",
        "DisplayboardTimeColor" };
    static const char* const kBoolKeys[] = { "IsHighContrast", "IsTapHandlerEnabled", "IsShowTimeOfDay",
        "IsCheckFalseStart", "IsGenerateStart", "IsSkipOutOfWindow", "IsRestartWithNextMinute" };
    QVariantMap values;
    for (const QJsonValue& item : data) {
        const QJsonObject object = item.toObject();
        for (const char* name : kIntKeys) {
            const QJsonValue value = object.value(QString::fromLatin1(name));
            if (isValidJsonValue(value))
                values.insert(QString::fromLatin1(name), value.toInt());
        }
        for (const char* name : kBoolKeys) {
            const QJsonValue value = object.value(QString::fromLatin1(name));
            if (isValidJsonValue(value))
                values.insert(QString::fromLatin1(name), value.toBool());
        }
    }
    // An absent key reads as an invalid variant.
    auto v = [&values](const char* name) { return values.value(QString::fromLatin1(name)); };
    emit settings1Received(v("Language"), v("DateFormat"), v("TimeFormat"), v("VisualizationMode"), v("IsHighContrast"),
        v("IsTapHandlerEnabled"), v("IsShowTimeOfDay"), v("IsCheckFalseStart"));
    emit settings2Received(
        v("IsGenerateStart"), v("OffMode"), v("IsSkipOutOfWindow"), v("IsRestartWithNextMinute"), v("DelayFalseStart"));
    emit settings3Received(v("OutputSoundVolume"), v("DisplayboardMode"), v("PowerSaveTime"), v("BrightnessMode"),
        v("Brightness"), v("DisplayboardTimeColor"));
}

void Backend::emitSequences(const QJsonArray& sequences)
{
    QVariantList list;
    for (const QJsonValue& entry : sequences) {
        const QByteArray text = entry.toString().toUtf8();
        QJsonObject document;
        if (Vl::Common::JsonTextScreen::isSafeToParse(text))
            document = QJsonDocument::fromJson(text).object();
        QVariantMap map;
        map.insert(key("SequenceName"), document.value(key("SequenceName")).toString());
        map.insert(key("SequenceId"), document.value(key("SequenceId")).toString());
        list << map;
    }
    emit sequencesResultsDone(list);
}
