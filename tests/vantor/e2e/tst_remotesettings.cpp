#include "remoteclient.h"
#include "testsupport/testmain.h"
#include "vantorprocess.h"

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

VANTOR_TEST_CLASS(TestRemoteSettings)
#include "tst_remotesettings.moc"
