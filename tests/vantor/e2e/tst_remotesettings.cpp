#include "remoteclient.h"
#include "testsupport/testmain.h"
#include "testsupport/unwritablefile.h"
#include "vantorprocess.h"

#include <QFile>
#include <QJsonDocument>
#include <QSettings>
#include <QTest>

#include <memory>

namespace {

QJsonArray items(const char* json) { return QJsonDocument::fromJson(json).array(); }

const char* const kDefaults = R"([{"Language": 0, "DateFormat": 0, "TimeFormat": 0, "VisualizationMode": 0,
    "DisplayboardTimeColor": 2, "IsHighContrast": false, "IsTapHandlerEnabled": false, "IsShowTimeOfDay": true,
    "IsCheckFalseStart": true, "IsGenerateStart": true, "OffMode": 2, "IsSkipOutOfWindow": false,
    "IsRestartWithNextMinute": true, "DelayFalseStart": 0, "OutputSoundVolume": 10, "DisplayboardMode": 0,
    "PowerSaveTime": 1, "BrightnessMode": 1, "Brightness": 1}])";

QString deviceSettingsPath()
{
    return qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Velmora/Orvane.conf");
}

QString fileText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly | QIODevice::Text) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

// The settings and device commands of the real program: what GetSettings reports after SetSettings,
// what is stored, the values left alone, and the network, version and GPS commands.
class TestRemoteSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void settingsRoundTrip();
    void settingsAreStored();
    void everyItemIsApplied();
    void valuesOfTheWrongKindAreLeftAlone();
    void displayboardModeTakesAnyNumber();
    void fixedAnswersOfTheDesktop_data();
    void fixedAnswersOfTheDesktop();
    void gpsModeAndShift();
    void delayFalseStartIsKeptInRange_data();
    void delayFalseStartIsKeptInRange();
    void settingsThatCannotBeStored_data();
    void settingsThatCannotBeStored();

private:
    QJsonObject get(const QString& command);

    std::unique_ptr<VantorProcess> m_vantor;
    std::unique_ptr<RemoteClient> m_client;
};

void TestRemoteSettings::initTestCase()
{
    m_vantor = std::make_unique<VantorProcess>();
    QVERIFY2(m_vantor->start(), qPrintable(m_vantor->output()));
    m_client = std::make_unique<RemoteClient>();
    QVERIFY(m_client->connectToServer());
}

void TestRemoteSettings::cleanupTestCase()
{
    m_client.reset();
    m_vantor.reset();
}

void TestRemoteSettings::init()
{
    QCOMPARE(m_client->exchange(RemoteClient::frame("SetSettings", items(kDefaults))).size(), 1);
}

QJsonObject TestRemoteSettings::get(const QString& command)
{
    const QList<QJsonObject> messages = m_client->exchange(RemoteClient::frame(command));
    if (messages.size() != 2)
        return QJsonObject { { "Messages", messages.size() } };
    if (RemoteClient::header(messages.at(1)).value("Section").toString() != command)
        return QJsonObject { { "Section", RemoteClient::header(messages.at(1)).value("Section") } };
    return RemoteClient::firstData(messages.at(1));
}

void TestRemoteSettings::settingsRoundTrip()
{
    QCOMPARE(get("GetSettings"), items(kDefaults).at(0).toObject());
    const QJsonObject changed = items(R"([{"Language": 2, "DateFormat": 1, "TimeFormat": 1, "VisualizationMode": 6,
        "DisplayboardTimeColor": 4, "IsHighContrast": true, "IsTapHandlerEnabled": true, "IsShowTimeOfDay": false,
        "IsCheckFalseStart": false, "IsGenerateStart": false, "OffMode": 0, "IsSkipOutOfWindow": true,
        "IsRestartWithNextMinute": false, "DelayFalseStart": 3, "OutputSoundVolume": 80, "DisplayboardMode": 0,
        "PowerSaveTime": 5, "BrightnessMode": 1, "Brightness": 65}])")
                                    .at(0)
                                    .toObject();
    QCOMPARE(m_client->exchange(RemoteClient::frame("SetSettings", { changed })).size(), 1);
    QCOMPARE(get("GetSettings"), changed);
}

void TestRemoteSettings::settingsAreStored()
{
    m_client->exchange(RemoteClient::frame(
        "SetSettings", items(R"([{"DateFormat": 1, "PowerSaveTime": 30, "OutputSoundVolume": 55}])")));
    QSettings application(VantorProcess::settingsPath(), QSettings::IniFormat);
    QCOMPARE(application.value("DateFormat").toInt(), 1);
    QSettings device(deviceSettingsPath(), QSettings::IniFormat);
    QCOMPARE(device.value("PowerSaveTime").toInt(), 30);
    QCOMPARE(device.value("OutputSoundVolume").toInt(), 55);
}

void TestRemoteSettings::everyItemIsApplied()
{
    m_client->exchange(RemoteClient::frame("SetSettings", items(R"([{"TimeFormat": 1}, 5, {"OffMode": 3}])")));
    const QJsonObject settings = get("GetSettings");
    QCOMPARE(settings.value("TimeFormat").toInt(), 1);
    QCOMPARE(settings.value("OffMode").toInt(), 3);
}

void TestRemoteSettings::valuesOfTheWrongKindAreLeftAlone()
{
    const QList<QJsonObject> messages = m_client->exchange(RemoteClient::frame("SetSettings",
        items(R"([{"Brightness": "80", "IsHighContrast": 1, "DelayFalseStart": 2.5, "OutputSoundVolume": 1e12,
                   "PowerSaveTime": null, "Brightness": 70000}])")));
    QCOMPARE(messages.size(), 1);
    QCOMPARE(get("GetSettings"), items(kDefaults).at(0).toObject());
}

void TestRemoteSettings::displayboardModeTakesAnyNumber()
{
    m_client->exchange(RemoteClient::frame("SetSettings", items(R"([{"DisplayboardMode": 7}])")));
    QCOMPARE(get("GetSettings").value("DisplayboardMode").toInt(), 7);
}

void TestRemoteSettings::fixedAnswersOfTheDesktop_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QJsonObject>("reply");
    QTest::newRow("version") << "GetVersionNumber" << QJsonObject { { "VersionNumber", "1.2.34" } };
    QTest::newRow("serial number") << "GetSerialNumber" << QJsonObject { { "SerialNumber", "" } };
    QTest::newRow("wifi") << "GetWifiEnabled" << QJsonObject { { "IsEnabled", false } };
    QTest::newRow("networks") << "GetNetworkList" << QJsonObject { { "NetworkList", QJsonArray() } };
    QTest::newRow("gps off") << "GetGPSEnabled" << QJsonObject { { "IsEnabled", false } };
    QTest::newRow("gps mode") << "GetGPSSyncMode" << QJsonObject { { "GPSSyncMode", 0 } };
}

void TestRemoteSettings::fixedAnswersOfTheDesktop()
{
    QFETCH(QString, command);
    QFETCH(QJsonObject, reply);
    m_client->exchange(RemoteClient::frame("SetEnableWifi"));
    QCOMPARE(get(command), reply);
}

void TestRemoteSettings::gpsModeAndShift()
{
    m_client->exchange(RemoteClient::frame("SetGPSSyncMode", items(R"([{"GPSSyncMode": 2}, {"GPSSyncMode": 3}])")));
    QCOMPARE(get("GetGPSSyncMode"), QJsonObject({ { "GPSSyncMode", 2 } }));
    QCOMPARE(get("GetGPSEnabled"), QJsonObject({ { "IsEnabled", true } }));
    m_client->exchange(RemoteClient::frame("SetGPSSyncMode", items(R"([{"GPSSyncMode": -1}, {"GPSSyncMode": "1"}])")));
    QCOMPARE(get("GetGPSSyncMode"), QJsonObject({ { "GPSSyncMode", 2 } }));

    m_client->exchange(RemoteClient::frame("SetGPSTimeZoneShift", items(R"([{"GPSTimeZoneShift": -330}])")));
    QCOMPARE(get("GetGPSTimeZoneShift"), QJsonObject({ { "GPSTimeZoneShift", -330 } }));
    QSettings device(deviceSettingsPath(), QSettings::IniFormat);
    QCOMPARE(device.value("GPSSyncMode").toInt(), 2);
    QCOMPARE(device.value("GPSTimeZoneShift").toInt(), -330);

    m_client->exchange(RemoteClient::frame("SetGPSSyncMode", items(R"([{"GPSSyncMode": 0}])")));
    m_client->exchange(RemoteClient::frame("SetGPSTimeZoneShift", items(R"([{"GPSTimeZoneShift": 0}])")));
    QCOMPARE(get("GetGPSEnabled"), QJsonObject({ { "IsEnabled", false } }));
}

void TestRemoteSettings::delayFalseStartIsKeptInRange_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("negative") << QByteArray("-1") << false;
    QTest::newRow("zero") << QByteArray("0") << true;
    QTest::newRow("normal") << QByteArray("7") << true;
    // The longest delay whose milliseconds a timer holds, and the first beyond.
    QTest::newRow("largest") << QByteArray("2147483") << true;
    QTest::newRow("first too large") << QByteArray("2147484") << false;
    QTest::newRow("int limit") << QByteArray("2147483647") << false;
    QTest::newRow("huge") << QByteArray("1e12") << false;
    QTest::newRow("huge negative") << QByteArray("-1e12") << false;
}

void TestRemoteSettings::delayFalseStartIsKeptInRange()
{
    QFETCH(QByteArray, value);
    QFETCH(bool, accepted);
    QCOMPARE(m_client->exchange(RemoteClient::frame("SetSettings", items(R"([{"DelayFalseStart": 5}])"))).size(), 1);

    // The other keys of the item are applied whatever becomes of the delay.
    const QByteArray request = R"([{"DelayFalseStart": )" + value + R"(, "PowerSaveTime": 9}])";
    const QList<QJsonObject> messages
        = m_client->exchange(RemoteClient::frame("SetSettings", QJsonDocument::fromJson(request).array()));
    const QJsonObject settings = get("GetSettings");
    QCOMPARE(settings.value("PowerSaveTime").toInt(), 9);
    if (accepted) {
        QCOMPARE(messages.size(), 1);
        const QJsonValue sent = QJsonDocument::fromJson("[" + value + "]").array().at(0);
        QCOMPARE(settings.value("DelayFalseStart"), sent);
        return;
    }
    QCOMPARE(messages.size(), 2);
    QCOMPARE(RemoteClient::header(messages.at(1)).value("Type").toString(), QStringLiteral("SemaError"));
    QCOMPARE(RemoteClient::header(messages.at(1)).value("Section").toString(), QStringLiteral("SetSettings"));
    QCOMPARE(RemoteClient::firstData(messages.at(1)),
        (QJsonObject { { "Error", "Error delay false start" }, { "ErrorIndex", 22 } }));
    QCOMPARE(settings.value("DelayFalseStart").toInt(), 5);
}

void TestRemoteSettings::settingsThatCannotBeStored_data()
{
    QTest::addColumn<bool>("device"); // the device services' file, else the application's
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("failing"); // Data sent while the file cannot be written
    QTest::addColumn<QByteArray>("stored"); // Data sent once it can
    QTest::addColumn<QString>("getter"); // reads back what failing set
    QTest::addColumn<QString>("key");
    QTest::addColumn<QJsonValue>("value");
    QTest::addColumn<QString>("onDisk"); // in the file after the second request

    QTest::newRow("application setting") << false << "SetSettings" << QByteArray(R"([{"DateFormat": 1}])")
                                         << QByteArray(R"([{"TimeFormat": 1}])") << "GetSettings" << "DateFormat"
                                         << QJsonValue(1) << "DateFormat=1";
    QTest::newRow("engine setting") << false << "SetSettings" << QByteArray(R"([{"OffMode": 0}])")
                                    << QByteArray(R"([{"OffMode": 1}])") << "GetSettings" << "OffMode"
                                    << QJsonValue(0) << "OffMode=1";
    QTest::newRow("device setting") << true << "SetSettings" << QByteArray(R"([{"PowerSaveTime": 7}])")
                                    << QByteArray(R"([{"OutputSoundVolume": 40}])") << "GetSettings"
                                    << "PowerSaveTime" << QJsonValue(7) << "PowerSaveTime=7";
    QTest::newRow("repetition time") << false << "SetRepetitionTimes"
                                     << QByteArray(R"([{"RepetitionTime2": "00:01:30"}])")
                                     << QByteArray(R"([{"RepetitionTime3": "00:02:30"}])") << "GetRepetitionTimes"
                                     << "RepetitionTime2" << QJsonValue("00:01:30") << "RepetitionTime2=4500000";
    QTest::newRow("GPS time zone") << true << "SetGPSTimeZoneShift" << QByteArray(R"([{"GPSTimeZoneShift": 60}])")
                                   << QByteArray(R"([{"GPSTimeZoneShift": 120}])") << "GetGPSTimeZoneShift"
                                   << "GPSTimeZoneShift" << QJsonValue(60) << "GPSTimeZoneShift=120";
}

void TestRemoteSettings::settingsThatCannotBeStored()
{
    QFETCH(bool, device);
    QFETCH(QString, command);
    QFETCH(QByteArray, failing);
    QFETCH(QByteArray, stored);
    QFETCH(QString, getter);
    QFETCH(QString, key);
    QFETCH(QJsonValue, value);
    QFETCH(QString, onDisk);
    const QString path = device ? deviceSettingsPath() : VantorProcess::settingsPath();
    {
        TestSupport::UnwritableFile unwritable(path);
        const QList<QJsonObject> messages
            = m_client->exchange(RemoteClient::frame(command, QJsonDocument::fromJson(failing).array()));
        QCOMPARE(messages.size(), 2);
        QCOMPARE(RemoteClient::header(messages.at(1)).value("Type").toString(), QStringLiteral("SemaError"));
        QCOMPARE(RemoteClient::header(messages.at(1)).value("Section").toString(), command);
        QCOMPARE(RemoteClient::firstData(messages.at(1)),
            (QJsonObject { { "Error", "Error to store the settings" }, { "ErrorIndex", 24 } }));
        // The value holds for this run, and the log says it is not stored.
        QCOMPARE(get(getter).value(key), value);
        QVERIFY(m_vantor->waitForLog(QStringLiteral("Settings not stored: %1 cannot be written to %2").arg(key, path)));
    }
    // Once the file can be written, a request is stored again, and with it what waited.
    QCOMPARE(m_client->exchange(RemoteClient::frame(command, QJsonDocument::fromJson(stored).array())).size(), 1);
    const QString text = fileText(path);
    QVERIFY2(text.contains(onDisk), qPrintable(text));

    m_client->exchange(RemoteClient::frame("SetRepetitionTimes",
        items(R"([{"RepetitionTime1": "00:00:30", "RepetitionTime2": "00:01:00", "RepetitionTime3": "00:02:00"}])")));
    m_client->exchange(RemoteClient::frame("SetGPSTimeZoneShift", items(R"([{"GPSTimeZoneShift": 0}])")));
}

VANTOR_TEST_CLASS(TestRemoteSettings)
#include "tst_remotesettings.moc"
