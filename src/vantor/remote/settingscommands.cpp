#include "remote/settingscommands.h"

#include "app/application.h"
#include "core/appsettingsstore.h"
#include "core/orvaneenum.h"
#include "core/version.h"
#include "device/gps.h"
#include "device/gpsenum.h"
#include "device/systemhw.h"
#include "remote/commandrequest.h"
#include "remote/serialpathfinder.h"
#include "sequence/displayboard.h"
#include "sequence/displayboardenum.h"
#include "sequence/sema.h"
#include "sequence/semaenum.h"
#include "time/datetime.h"

#include <QJsonArray>
#include <QVariantMap>

#include <boost/optional.hpp>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

namespace Vl::Tavix3::UI {

namespace {

using Error = SerialPathFinder::RemoteError;

// The repetition-time texts: hours, minutes and whole seconds.
constexpr uint kRepetitionTimeFormat = 0x25;

// The settings of one SetSettings item: the writes in key order and the errors of the keys that
// failed their tests, also in key order.
class SettingsItem
{
public:
    explicit SettingsItem(const QJsonObject& item)
        : m_item(item)
    {
    }

    // A number key: absent keys are skipped; a value that is no whole number, or fails the test,
    // gets the key's error (when it has one) and is not written.
    void number(const char* key, const std::function<bool(int)>& test, std::optional<Error> error,
        const std::function<void(int)>& write)
    {
        const QJsonValue value = m_item.value(QLatin1String(key));
        if (!CommandRequest::isPresent(value))
            return;
        const std::optional<int> number = CommandRequest::integer(value);
        if (!number || (test && !test(*number))) {
            if (error)
                errors.push_back(*error);
            return;
        }
        writes.push_back([write, n = *number]() { write(n); });
    }

    // A flag key: only a JSON boolean is written.
    void flag(const char* key, const std::function<void(bool)>& write)
    {
        if (const std::optional<bool> value = CommandRequest::flag(m_item.value(QLatin1String(key))))
            writes.push_back([write, v = *value]() { write(v); });
    }

    // A number of seconds for DelayFalseStart: whole numbers outside 0 to the longest delay the
    // engine can time (negative ones, and those whose milliseconds no timer holds) get the error; a
    // value of another kind (a fraction, a text) is left alone like the other keys without an error
    // of their own.
    void delaySeconds(const char* key, const std::function<void(int)>& write)
    {
        const QJsonValue value = m_item.value(QLatin1String(key));
        if (!value.isDouble())
            return;
        const double seconds = value.toDouble();
        if (std::floor(seconds) != seconds)
            return;
        if (seconds < 0 || seconds > Sema::kMaxDelayFalseStart) {
            errors.push_back(Error::ErrorDelayFalseStart);
            return;
        }
        writes.push_back([write, n = int(seconds)]() { write(n); });
    }

    std::vector<std::function<void()>> writes;
    std::vector<Error> errors;

private:
    QJsonObject m_item;
};

bool inRange(int value, int low, int high) { return value >= low && value <= high; }

// Runs writes, in order, on the thread of context (see SerialPathFinder::runOn) and tells whether
// they ran (none to run is no wait); stored tells whether the settings stores could write every value
// they changed.
bool runWrites(
    SerialPathFinder& server, QObject* context, const std::vector<std::function<void()>>& writes, bool& stored)
{
    stored = true;
    if (writes.empty())
        return true;
    return server.runOn(context, [&writes, &stored]() {
        const quint64 failedBefore = AppSettingsStore::failedWritesOnThisThread();
        for (const auto& write : writes)
            write();
        stored = AppSettingsStore::failedWritesOnThisThread() == failedBefore;
    });
}

// Runs effect on the thread of context (see SerialPathFinder::runOn); when the program closes before
// it ran, the client hears so and the result is false. A change the settings store could not write
// is in effect, and the client hears that it is not stored.
bool runOrRefuse(
    SerialPathFinder& server, const CommandRequest& request, QObject* context, const std::function<void()>& effect)
{
    bool stored = true;
    if (runWrites(server, context, { effect }, stored)) {
        if (!stored)
            server.sendError(request, Error::ErrorSettingsNotStored);
        return true;
    }
    server.sendError(request, Error::ErrorProgramClosing);
    return false;
}

} // namespace

bool SettingsCommands::execute(SerialPathFinder& server, const CommandRequest& request)
{
    const QSharedPointer<Application> app = server.application();
    if (!app || !app->sema() || !app->systemHw() || !app->gps() || !app->displayboard())
        return false;
    Sema* sema = app->sema();
    SystemHw* hw = app->systemHw();
    GPS* gps = app->gps();
    const QString& word = request.command();

    if (word == QLatin1String("DisplayboardOutput")) {
        displayboardOutput(server, request);
    } else if (word == QLatin1String("SetSema")) {
        setSema(server, request);
    } else if (word == QLatin1String("SetMessage")) {
        setMessage(server, request);
    } else if (word == QLatin1String("GetStatus")) {
        // The status message itself is the answer.
        sema->sendStatus(true);
    } else if (word == QLatin1String("SetEnableOutputStatus")) {
        sema->sendStatus(true);
        sema->setIsOutputStatusEnabled(true);
    } else if (word == QLatin1String("SetDisableOutputStatus")) {
        sema->setIsOutputStatusEnabled(false);
    } else if (word == QLatin1String("ClearOldStatus")) {
        sema->clearSentStatus();
    } else if (word == QLatin1String("SetSettings")) {
        setSettings(server, request);
    } else if (word == QLatin1String("GetSettings")) {
        if (const std::optional<QJsonObject> settings = currentSettings(server))
            server.sendReply(request, *settings);
        else
            server.sendError(request, Error::ErrorProgramClosing);
    } else if (word == QLatin1String("GetRepetitionTimes")) {
        getRepetitionTimes(server, request);
    } else if (word == QLatin1String("SetRepetitionTimes")) {
        setRepetitionTimes(server, request);
    } else if (word == QLatin1String("GetVersionNumber")) {
        server.sendReply(request, { { QStringLiteral("VersionNumber"), getVersion() } });
    } else if (word == QLatin1String("GetSerialNumber")) {
        server.sendReply(request, { { QStringLiteral("SerialNumber"), app->getSerialNumber() } });
    } else if (word == QLatin1String("SetEnableWifi") || word == QLatin1String("SetDisableWifi")) {
        const bool enable = word == QLatin1String("SetEnableWifi");
        if (runOrRefuse(server, request, hw, [hw, enable]() { hw->setIsWifiEnabled(enable); }))
            emit app->backgroundConfigChanged();
    } else if (word == QLatin1String("GetWifiEnabled")) {
        bool enabled = false;
        if (runOrRefuse(server, request, hw, [hw, &enabled]() { enabled = hw->isWifiEnabled(); }))
            server.sendReply(request, { { QStringLiteral("IsEnabled"), enabled } });
    } else if (word == QLatin1String("SetNetwork")) {
        setNetwork(server, request);
    } else if (word == QLatin1String("GetNetworkList")) {
        getNetworkList(server, request);
    } else if (word == QLatin1String("GetEthernetSettings") || word == QLatin1String("GetWifiSettings")
        || word == QLatin1String("SetEthernetSettings") || word == QLatin1String("SetWiFiSettings")) {
        // Known words without an effect in this build.
    } else if (word == QLatin1String("GetGPSEnabled")) {
        bool enabled = false;
        if (runOrRefuse(server, request, gps, [gps, &enabled]() { enabled = gps->isEnabled(); }))
            server.sendReply(request, { { QStringLiteral("IsEnabled"), enabled } });
    } else if (word == QLatin1String("SetGPSSyncMode")) {
        setGpsSyncMode(server, request);
    } else if (word == QLatin1String("GetGPSSyncMode")) {
        int mode = 0;
        if (runOrRefuse(server, request, gps, [gps, &mode]() { mode = gps->syncMode(); }))
            server.sendReply(request, { { QStringLiteral("GPSSyncMode"), mode } });
    } else if (word == QLatin1String("SetGPSTimeZoneShift")) {
        setGpsTimeZoneShift(server, request);
    } else if (word == QLatin1String("GetGPSTimeZoneShift")) {
        int shift = 0;
        if (runOrRefuse(server, request, gps, [gps, &shift]() { shift = gps->timeZoneShift(); }))
            server.sendReply(request, { { QStringLiteral("GPSTimeZoneShift"), shift } });
    } else if (word == QLatin1String("SetStartOscillatorCalibration")) {
        runOrRefuse(server, request, gps, [gps]() { gps->execCalibration(); });
    } else if (word == QLatin1String("SetStartTestOscillatorCalibration")) {
        runOrRefuse(server, request, gps, [gps]() { gps->checkCalibration(); });
    } else if (word == QLatin1String("SetStopOscillatorCalibration")
        || word == QLatin1String("SetStopTestOscillatorCalibration")) {
        runOrRefuse(server, request, gps, [gps]() { gps->stopCalibration(); });
    } else {
        return false;
    }
    return true;
}

void SettingsCommands::displayboardOutput(SerialPathFinder& server, const CommandRequest& request)
{
    const QSharedPointer<Application> app = server.application();
    if (app->displayboardMode() != OrvaneEnum::DISPLAYBOARD_MODE || request.isEmpty())
        return;
    const QJsonObject item = request.firstItem();
    // Drawn whether or not the screen has opened in time.
    server.showOutputScreen();
    Displayboard* board = app->displayboard();
    const QJsonValue text = item.value(QStringLiteral("Text"));
    if (CommandRequest::isPresent(text)) {
        const QString shown = SerialPathFinder::boardText(CommandRequest::text(text));
        board->drawText(0, 0, shown, app->displayboardTimeColor(), DisplayboardEnum::DISP_COLOR_OFF,
            DisplayboardEnum::DISP_FONT_BIG, true);
        app->setDisplayboardOutput(SerialPathFinder::outputText(shown));
    } else if (CommandRequest::isPresent(item.value(QStringLiteral("Clear")))) {
        board->reset(true);
        app->setDisplayboardOutput(QString());
    }
}

void SettingsCommands::setSema(SerialPathFinder& server, const CommandRequest& request)
{
    const QSharedPointer<Application> app = server.application();
    Sema* sema = app->sema();
    const std::optional<int> colour = CommandRequest::integer(request.lastValue(QStringLiteral("Color")));
    if (!colour || !inRange(*colour, SemaEnum::NO_SEMA_COLOR, SemaEnum::SEMA_COLOR_ALL)) {
        server.sendError(request, Error::ErrorColor);
        return;
    }
    const std::optional<int> sound = CommandRequest::integer(request.lastValue(QStringLiteral("Sound")));
    if (!sound || !inRange(*sound, SemaEnum::NO_SEMA_SOUND, SemaEnum::SEMA_SOUND_LONG_BOOP)) {
        server.sendError(request, Error::ErrorSound);
        return;
    }
    const QString text = CommandRequest::text(request.lastValue(QStringLiteral("Text")));
    const QJsonValue showTime = request.lastValue(QStringLiteral("ShowTime"));
    const boost::optional<qint64> time = CommandRequest::isPresent(showTime)
        ? DateTime::stringToTimeWithPoint(CommandRequest::text(showTime), false, ':', '.')
        : boost::none;
    qint64 boardTime = 0;
    if (time) {
        const QJsonValue showDate = request.lastValue(QStringLiteral("ShowDate"));
        const qint64 date = CommandRequest::isPresent(showDate) ? qint64(DateTime::stringToDateWithPoint(
                                CommandRequest::text(showDate), '/', OrvaneEnum::DATE_FORMAT_DD_MM_YYYY, nullptr))
                                                                : qint64(DateTime::getDate());
        boardTime = date + *time;
    }
    sema->showText(text, SemaEnum::SemaColor(*colour));
    sema->playSound(SemaEnum::SemaSound(*sound));
    app->displayboard()->sendPixels(boardTime);
}

void SettingsCommands::setMessage(SerialPathFinder& server, const CommandRequest& request)
{
    Sema* sema = server.application()->sema();
    for (int i = 0; i < request.itemCount(); ++i) {
        const QString message = CommandRequest::text(request.item(i).value(QStringLiteral("Message")));
        if (!message.isEmpty())
            sema->setInfo(message);
    }
}

void SettingsCommands::setSettings(SerialPathFinder& server, const CommandRequest& request)
{
    const QSharedPointer<Application> app = server.application();
    Application* application = app.data();
    Sema* sema = app->sema();
    SystemHw* hw = app->systemHw();
    for (int i = 0; i < request.itemCount(); ++i) {
        SettingsItem item(request.item(i));
        item.number(
            "Language", [](int v) { return inRange(v, 0, OrvaneEnum::MAX_LANGUAGE - 1); }, Error::ErrorLanguage,
            [application](int v) { application->setCurrentLanguage(v); });
        item.number(
            "DateFormat", [](int v) { return inRange(v, 0, OrvaneEnum::MAX_DATE_FORMAT - 1); }, Error::ErrorDateFormat,
            [application](int v) { application->setDateFormat(v); });
        item.number(
            "TimeFormat", [](int v) { return inRange(v, 0, OrvaneEnum::MAX_TIME_FORMAT - 1); }, Error::ErrorTimeFormat,
            [application](int v) { application->setTimeFormat(v); });
        item.number(
            "VisualizationMode", [](int v) { return inRange(v, 0, SemaEnum::MAX_VISUALIZATION_MODE - 1); },
            Error::ErrorVisualizationMode, [sema](int v) { sema->setVisualizationMode(v); });
        item.number(
            "DisplayboardTimeColor",
            [](int v) {
                return v == DisplayboardEnum::DISP_COLOR_RED || v == DisplayboardEnum::DISP_COLOR_GREEN
                    || v == DisplayboardEnum::DISP_COLOR_BLUE;
            },
            Error::ErrorTimeColor, [application](int v) { application->setDisplayboardTimeColor(v); });
        item.flag("IsHighContrast", [application](bool v) { application->setIsHighContrast(v); });
        item.flag("IsTapHandlerEnabled", [application](bool v) { application->setIsTapHandlerEnabled(v); });
        item.flag("IsShowTimeOfDay", [sema](bool v) { sema->setIsShowTimeOfDay(v); });
        item.flag("IsCheckFalseStart", [sema](bool v) { sema->setIsCheckFalseStart(v); });
        item.flag("IsGenerateStart", [sema](bool v) { sema->setIsGenerateStart(v); });
        item.number(
            "OffMode", [](int v) { return inRange(v, 0, SemaEnum::MAX_SEMA_OFF_MODE - 1); }, Error::ErrorOffMode,
            [sema](int v) { sema->setOffMode(v); });
        item.flag("IsSkipOutOfWindow", [sema](bool v) { sema->setIsSkipOutOfWindow(v); });
        item.flag("IsRestartWithNextMinute", [sema](bool v) { sema->setIsRestartWithNextMinute(v); });
        item.delaySeconds("DelayFalseStart", [sema](int v) { sema->setDelayFalseStart(v); });
        item.number("OutputSoundVolume", nullptr, std::nullopt, [hw](int v) { hw->setOutputSoundVolume(v); });
        item.number(
            "DisplayboardMode", nullptr, std::nullopt, [application](int v) { application->setDisplayboardMode(v); });
        item.number("PowerSaveTime", nullptr, std::nullopt, [hw](int v) { hw->setPowerSaveTime(v); });
        item.number("BrightnessMode", nullptr, std::nullopt, [hw](int v) { hw->setBrightnessMode(v); });
        // The brightness is an unsigned 16-bit number; a value beyond it is no brightness.
        item.number(
            "Brightness", [](int v) { return inRange(v, 0, std::numeric_limits<ushort>::max()); }, std::nullopt,
            [hw](int v) { hw->setBrightness(ushort(v)); });

        // The screens read these objects on the GUI thread: they are changed there, one item at a time.
        bool stored = true;
        const bool written = runWrites(server, application, item.writes, stored);
        for (const Error error : item.errors)
            server.sendError(request, error);
        if (!stored)
            server.sendError(request, Error::ErrorSettingsNotStored);
        if (!written) {
            // The program closes: this item's changes and those of the items after it are not made.
            server.sendError(request, Error::ErrorProgramClosing);
            break;
        }
    }
    emit app->backgroundConfigChanged();
}

std::optional<QJsonObject> SettingsCommands::currentSettings(SerialPathFinder& server)
{
    const QSharedPointer<Application> app = server.application();
    Application* application = app.data();
    Sema* sema = app->sema();
    SystemHw* hw = app->systemHw();
    QJsonObject settings;
    const bool read = server.runOn(application, [&settings, application, sema, hw]() {
        settings.insert(QStringLiteral("Language"), application->currentLanguage());
        settings.insert(QStringLiteral("DateFormat"), application->dateFormat());
        settings.insert(QStringLiteral("TimeFormat"), application->timeFormat());
        settings.insert(QStringLiteral("VisualizationMode"), int(sema->visualizationMode()));
        settings.insert(QStringLiteral("DisplayboardTimeColor"), application->displayboardTimeColor());
        settings.insert(QStringLiteral("IsHighContrast"), application->isHighContrast());
        settings.insert(QStringLiteral("IsTapHandlerEnabled"), application->isTapHandlerEnabled());
        settings.insert(QStringLiteral("IsShowTimeOfDay"), sema->isShowTimeOfDay());
        settings.insert(QStringLiteral("IsCheckFalseStart"), sema->isCheckFalseStart());
        settings.insert(QStringLiteral("IsGenerateStart"), sema->isGenerateStart());
        settings.insert(QStringLiteral("OffMode"), int(sema->offMode()));
        settings.insert(QStringLiteral("IsSkipOutOfWindow"), sema->isSkipOutOfWindow());
        settings.insert(QStringLiteral("IsRestartWithNextMinute"), sema->isRestartWithNextMinute());
        settings.insert(QStringLiteral("DelayFalseStart"), sema->delayFalseStart());
        settings.insert(QStringLiteral("OutputSoundVolume"), hw->outputSoundVolume());
        settings.insert(QStringLiteral("DisplayboardMode"), application->displayboardMode());
        settings.insert(QStringLiteral("PowerSaveTime"), hw->powerSaveTime());
        settings.insert(QStringLiteral("BrightnessMode"), hw->brightnessMode());
        settings.insert(QStringLiteral("Brightness"), int(quint16(hw->brightness())));
    });
    if (!read)
        return std::nullopt;
    return settings;
}

void SettingsCommands::getRepetitionTimes(SerialPathFinder& server, const CommandRequest& request)
{
    const QSharedPointer<Application> app = server.application();
    QJsonObject times;
    times.insert(
        QStringLiteral("RepetitionTime1"), DateTime::displayCronoTime(app->repetitionTime1(), kRepetitionTimeFormat));
    times.insert(
        QStringLiteral("RepetitionTime2"), DateTime::displayCronoTime(app->repetitionTime2(), kRepetitionTimeFormat));
    times.insert(
        QStringLiteral("RepetitionTime3"), DateTime::displayCronoTime(app->repetitionTime3(), kRepetitionTimeFormat));
    times.insert(QStringLiteral("RepetitionTimeIndex"), app->repetitionTimeIndex());
    server.sendReply(request, times);
}

void SettingsCommands::setRepetitionTimes(SerialPathFinder& server, const CommandRequest& request)
{
    const QSharedPointer<Application> app = server.application();
    Application* application = app.data();
    for (int i = 0; i < request.itemCount(); ++i) {
        const QJsonObject item = request.item(i);
        std::vector<std::function<void()>> writes;
        const auto time = [&item](const char* key) -> std::optional<qint64> {
            const QJsonValue value = item.value(QLatin1String(key));
            if (!CommandRequest::isPresent(value))
                return std::nullopt;
            return DateTime::stringToTimeWithPoint(CommandRequest::text(value), false, ':', '.').value_or(0);
        };
        if (const auto t = time("RepetitionTime1"))
            writes.push_back([application, v = *t]() { application->setRepetitionTime1(v); });
        if (const auto t = time("RepetitionTime2"))
            writes.push_back([application, v = *t]() { application->setRepetitionTime2(v); });
        if (const auto t = time("RepetitionTime3"))
            writes.push_back([application, v = *t]() { application->setRepetitionTime3(v); });
        const QJsonValue indexValue = item.value(QStringLiteral("RepetitionTimeIndex"));
        const std::optional<int> index
            = CommandRequest::isPresent(indexValue) ? CommandRequest::integer(indexValue) : std::nullopt;
        if (index)
            writes.push_back([application, v = *index]() { application->setRepetitionTimeIndex(v); });
        bool stored = true;
        const bool written = runWrites(server, application, writes, stored);
        if (!written) {
            // The program closes: this item's times and those of the items after it are not set.
            server.sendError(request, Error::ErrorProgramClosing);
            break;
        }
        if (!stored)
            server.sendError(request, Error::ErrorSettingsNotStored);
        if (index)
            app->sema()->showRepetitionTimeInfo();
    }
    emit app->backgroundConfigChanged();
}

void SettingsCommands::setNetwork(SerialPathFinder& server, const CommandRequest& request)
{
    const QSharedPointer<Application> app = server.application();
    SystemHw* hw = app->systemHw();
    const QJsonValue ssid = request.lastValue(QStringLiteral("SSID"));
    if (!ssid.isString() || ssid.toString().isEmpty()) {
        server.sendError(request, Error::ErrorWifiSsid);
        return;
    }
    const QString password = CommandRequest::text(request.lastValue(QStringLiteral("Password")));
    if (runOrRefuse(
            server, request, hw, [hw, name = ssid.toString(), password]() { hw->setWifiConfig(name, password); }))
        emit app->backgroundConfigChanged();
}

void SettingsCommands::getNetworkList(SerialPathFinder& server, const CommandRequest& request)
{
    SystemHw* hw = server.application()->systemHw();
    QJsonArray networks;
    const bool read = runOrRefuse(server, request, hw, [hw, &networks]() {
        for (const QVariant& entry : hw->getListWifiNetwork()) {
            const QVariantMap network = entry.toMap();
            const QString ssid = network.value(QStringLiteral("SSID")).toString();
            QJsonObject object;
            object.insert(QStringLiteral("SSID"), ssid);
            object.insert(QStringLiteral("BSSID"), network.value(QStringLiteral("BSSID")).toString());
            object.insert(QStringLiteral("SignalLevel"), network.value(QStringLiteral("SignalLevel")).toInt());
            object.insert(QStringLiteral("Quality"), network.value(QStringLiteral("Quality")).toString());
            object.insert(QStringLiteral("Selected"), network.value(QStringLiteral("Selected")).toBool());
            object.insert(QStringLiteral("Password"), hw->getWifiPassword(ssid));
            networks.append(object);
        }
    });
    if (read)
        server.sendReply(request, { { QStringLiteral("NetworkList"), networks } });
}

void SettingsCommands::setGpsSyncMode(SerialPathFinder& server, const CommandRequest& request)
{
    const QSharedPointer<Application> app = server.application();
    GPS* gps = app->gps();
    if (!app->enabledSyncGPS()) {
        server.sendError(request, Error::ErrorGpsModeAmbrel);
        return;
    }
    for (int i = 0; i < request.itemCount(); ++i) {
        const std::optional<int> mode = CommandRequest::integer(request.item(i).value(QStringLiteral("GPSSyncMode")));
        if (!mode || !inRange(*mode, GPSEnum::GPS_SYNC_NONE, GPSEnum::MAX_GPS_SYNC_MODE - 1))
            continue;
        if (!runOrRefuse(server, request, gps, [gps, m = *mode]() { gps->setSyncMode(m); }))
            return;
        emit app->backgroundConfigChanged();
    }
}

void SettingsCommands::setGpsTimeZoneShift(SerialPathFinder& server, const CommandRequest& request)
{
    const QSharedPointer<Application> app = server.application();
    GPS* gps = app->gps();
    for (int i = 0; i < request.itemCount(); ++i) {
        const QJsonValue value = request.item(i).value(QStringLiteral("GPSTimeZoneShift"));
        if (!CommandRequest::isPresent(value))
            continue;
        const std::optional<int> minutes = CommandRequest::integer(value);
        if (!minutes)
            continue;
        if (!runOrRefuse(server, request, gps, [gps, m = *minutes]() { gps->setTimeZoneShift(m); }))
            return;
        emit app->backgroundConfigChanged();
    }
}

} // namespace Vl::Tavix3::UI
