#include "client/backend.h"
#include "fakeserver.h"
#include "testsupport/testmain.h"

#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>

namespace {

QJsonArray items(const char* json) { return QJsonDocument::fromJson(json).array(); }

void deliver(Backend& backend, const QString& section, const QJsonArray& data, const QString& type = "Sema")
{
    backend.receivedSomething(FakeServer::frame(type, section, data));
}

QStringList texts(const QList<QVariant>& arguments)
{
    QStringList list;
    for (const QVariant& argument : arguments)
        list << argument.toString();
    return list;
}

} // namespace

// How TestVantor reads what Vantor sends: the status cache and its display texts, the answers to
// its queries, pushed settings, events and calibration reports, and missing keys.
class TestAnswerHandling : public QObject
{
    Q_OBJECT

private slots:
    void statusMessagesMerge();
    void statusTexts_data();
    void statusTexts();
    void queryAnswers();
    void missingKeysReportErrors_data();
    void missingKeysReportErrors();
    void missingKeysWithoutError();
    void calibration();
    void events();
    void allSequences();
    void settings();
    void repetitionTimesAndNetworkSettings();
    void networkList();
    void ignoredSections();
};

void TestAnswerHandling::statusMessagesMerge()
{
    Backend backend;
    QSignalSpy status1(&backend, &Backend::semaStatus1);
    QSignalSpy status2(&backend, &Backend::semaStatus2);
    QSignalSpy status3(&backend, &Backend::semaStatus3);
    deliver(backend, "Status", items(R"([{"Time":"-00:05"}])"));
    QCOMPARE(status1.count(), 1);
    QCOMPARE(status2.count(), 1);
    QCOMPARE(status3.count(), 1);
    QCOMPARE(texts(status1.at(0)), (QStringList { "", "", "", "", "", "-00:05", "", "" }));
    QCOMPARE(texts(status2.at(0)), (QStringList { "", "", "", "", "", "" }));

    deliver(backend, "Status", items(R"([{"IsActive":false,"Color":"RED","BibNumber":12}])"));
    QCOMPARE(texts(status1.at(1)), (QStringList { "Disabled", "", "", "RED", "", "-00:05", "", "12" }));

    // A status message without any known key still emits all three with the cache.
    deliver(backend, "Status", items(R"([{"Unknown":1}])"));
    QCOMPARE(status1.count(), 3);
    QCOMPARE(texts(status1.at(2)), texts(status1.at(1)));
}

void TestAnswerHandling::statusTexts_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<int>("signal");
    QTest::addColumn<int>("argument");
    QTest::addColumn<QString>("text");
    QTest::newRow("active") << QByteArray(R"({"IsActive":true})") << 1 << 0 << "Enabled";
    QTest::newRow("inactive") << QByteArray(R"({"IsActive":false})") << 1 << 0 << "Disabled";
    QTest::newRow("time of day") << QByteArray(R"({"TimeOfDay":"10:00:00"})") << 1 << 1 << "10:00:00";
    QTest::newRow("running") << QByteArray(R"({"IsRunning":true})") << 1 << 2 << "Running";
    QTest::newRow("stopped") << QByteArray(R"({"IsRunning":false})") << 1 << 2 << "Stopped";
    QTest::newRow("pixels as text") << QByteArray(R"({"YellowPixelCount":"3"})") << 1 << 4 << "3";
    QTest::newRow("pixels as a number") << QByteArray(R"({"YellowPixelCount":3})") << 1 << 4 << "";
    QTest::newRow("board mode 1") << QByteArray(R"({"DisplayboardMode":1})") << 1 << 6 << "Displayboard";
    QTest::newRow("board mode 0") << QByteArray(R"({"DisplayboardMode":0})") << 1 << 6 << "Countdown";
    QTest::newRow("board mode 2") << QByteArray(R"({"DisplayboardMode":2})") << 1 << 6 << "Countdown";
    QTest::newRow("bib") << QByteArray(R"({"BibNumber":0})") << 1 << 7 << "0";
    QTest::newRow("synchronised") << QByteArray(R"({"IsSynchronized":true})") << 2 << 0 << "Synch";
    QTest::newRow("not synchronised") << QByteArray(R"({"IsSynchronized":false})") << 2 << 0 << "No Synch";
    QTest::newRow("gps enabled") << QByteArray(R"({"IsGPSEnabled":true})") << 2 << 1 << "Enabled";
    QTest::newRow("gps invalid") << QByteArray(R"({"IsGPSValid":false})") << 2 << 2 << "Not valid";
    QTest::newRow("gps status 0") << QByteArray(R"({"GPSSynchedStatus":0})") << 2 << 3 << "Disabled";
    QTest::newRow("gps status 1") << QByteArray(R"({"GPSSynchedStatus":1})") << 2 << 3 << "Waiting for GPS signal";
    QTest::newRow("gps status 2") << QByteArray(R"({"GPSSynchedStatus":2})") << 2 << 3 << "Synchronized";
    QTest::newRow("gps status 3") << QByteArray(R"({"GPSSynchedStatus":3})") << 2 << 3 << "Waiting for GPS signal";
    QTest::newRow("gps status 4") << QByteArray(R"({"GPSSynchedStatus":4})") << 2 << 3 << "";
    QTest::newRow("gps status -1") << QByteArray(R"({"GPSSynchedStatus":-1})") << 2 << 3 << "";
    QTest::newRow("continuous") << QByteArray(R"({"IsGPSSynchedByCountinuos":true})") << 2 << 4 << "Yes";
    QTest::newRow("satellites") << QByteArray(R"({"GPSNumSatellites":7})") << 2 << 5 << "7";
    QTest::newRow("wifi off") << QByteArray(R"({"IsWifiEnabled":false})") << 3 << 0 << "Disabled";
    QTest::newRow("wifi level as a number") << QByteArray(R"({"WifiSignalLevel":-60})") << 3 << 1 << "";
    QTest::newRow("battery") << QByteArray(R"({"BatteryPerc":85})") << 3 << 2 << "85";
    QTest::newRow("supply") << QByteArray(R"({"IsExtSupplyValid":true})") << 3 << 3 << "Valid";
    QTest::newRow("low battery") << QByteArray(R"({"IsLowBattery":false})") << 3 << 4 << "No";
}

void TestAnswerHandling::statusTexts()
{
    QFETCH(QByteArray, json);
    QFETCH(int, signal);
    QFETCH(int, argument);
    QFETCH(QString, text);
    Backend backend;
    QSignalSpy status1(&backend, &Backend::semaStatus1);
    QSignalSpy status2(&backend, &Backend::semaStatus2);
    QSignalSpy status3(&backend, &Backend::semaStatus3);
    deliver(backend, "Status", QJsonArray { QJsonDocument::fromJson(json).object() });
    QSignalSpy* spies[] = { &status1, &status2, &status3 };
    QCOMPARE(spies[signal - 1]->count(), 1);
    QCOMPARE(spies[signal - 1]->at(0).at(argument).toString(), text);
}

void TestAnswerHandling::queryAnswers()
{
    Backend backend;
    QSignalSpy version(&backend, &Backend::versionNumber);
    QSignalSpy wifi(&backend, &Backend::wifiEnabled);
    QSignalSpy gps(&backend, &Backend::gpsIsEnabled);
    QSignalSpy syncMode(&backend, &Backend::gpsSyncMode);
    QSignalSpy shift(&backend, &Backend::gpsTimeZoneShift);
    QSignalSpy name(&backend, &Backend::currentSequenceName);
    QSignalSpy id(&backend, &Backend::currentSequenceId);
    deliver(backend, "GetVersionNumber", items(R"([{"VersionNumber":"1.2.34"}])"));
    deliver(backend, "GetWifiEnabled", items(R"([{"IsEnabled":true}])"));
    deliver(backend, "GetGPSEnabled", items(R"([{"IsEnabled":false}])"));
    deliver(backend, "GetGPSSyncMode", items(R"([{"GPSSyncMode":2}])"));
    deliver(backend, "GetGPSTimeZoneShift", items(R"([{"GPSTimeZoneShift":-210}])"));
    deliver(backend, "GetCurrentSequenceName", items(R"([{"SequenceName":"Morning"}])"));
    deliver(backend, "GetCurrentSequenceId", items(R"([{"SequenceId":"S-1"}])"));
    QCOMPARE(version.at(0).at(0).toString(), QStringLiteral("1.2.34"));
    QCOMPARE(wifi.at(0).at(0).toBool(), true);
    QCOMPARE(gps.at(0).at(0).toBool(), false);
    QCOMPARE(syncMode.at(0).at(0).toInt(), 2);
    QCOMPARE(shift.at(0).at(0).toInt(), -210);
    QCOMPARE(name.at(0).at(0).toString(), QStringLiteral("Morning"));
    QCOMPARE(id.at(0).at(0).toString(), QStringLiteral("S-1"));
}

void TestAnswerHandling::missingKeysReportErrors_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("error");
    QTest::newRow("wifi") << "GetWifiEnabled"
                          << "Error to get wifi enabled";
    QTest::newRow("version") << "GetVersionNumber"
                             << "Error to get Version number";
    QTest::newRow("gps") << "GetGPSEnabled"
                         << "Error to get GPS IsEnabled";
    QTest::newRow("sync mode") << "GetGPSSyncMode"
                               << "Error to get GPS Synch Mode";
    QTest::newRow("shift") << "GetGPSTimeZoneShift"
                           << "Error to get GPS Time Zone Shift";
}

void TestAnswerHandling::missingKeysReportErrors()
{
    QFETCH(QString, section);
    QFETCH(QString, error);
    Backend backend;
    QSignalSpy errors(&backend, &Backend::someError);
    QSignalSpy wifi(&backend, &Backend::wifiEnabled);
    QSignalSpy version(&backend, &Backend::versionNumber);
    deliver(backend, section, items(R"([{"Other":1}])"));
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.at(0).at(0).toString(), error);
    QCOMPARE(wifi.count(), 0);
    QCOMPARE(version.count(), 0);
}

void TestAnswerHandling::missingKeysWithoutError()
{
    Backend backend;
    QSignalSpy errors(&backend, &Backend::someError);
    QSignalSpy name(&backend, &Backend::currentSequenceName);
    QSignalSpy id(&backend, &Backend::currentSequenceId);
    QSignalSpy networks(&backend, &Backend::wifiScanResultsDone);
    deliver(backend, "GetCurrentSequenceName", items(R"([{"SequenceName":null}])"));
    deliver(backend, "GetCurrentSequenceId", items(R"([{}])"));
    deliver(backend, "GetNetworkList", items(R"([{}])"));
    QCOMPARE(name.count() + id.count() + networks.count() + errors.count(), 0);
}

void TestAnswerHandling::calibration()
{
    Backend backend;
    QSignalSpy calibration(&backend, &Backend::calibrationReceived);
    deliver(backend, "Calibration", items(R"([{"Message":"Calibrating","Duration":60}])"), "GPS");
    deliver(backend, "Calibration", items(R"([{"Message":"Calibrating","Duration":60,"Remaining":42}])"), "GPS");
    QCOMPARE(texts(calibration.at(0)), (QStringList { "Calibrating", "60", "" }));
    QCOMPARE(texts(calibration.at(1)), (QStringList { "Calibrating", "60", "42" }));
}

void TestAnswerHandling::events()
{
    Backend backend;
    QSignalSpy events(&backend, &Backend::eventReceived);
    deliver(backend, "Event",
        items(R"([{"PhysicalChannel":3,"Time":"10:00:01.1234","Date":"01/02/2024","IsAuto":true,"Id":9}])"));
    deliver(backend, "Event", items(R"([{"PhysicalChannel":1,"Time":"10:00:02","Date":"","BibNumber":17}])"));
    QCOMPARE(events.count(), 2);
    QCOMPARE(events.at(0).at(0).toString(), QStringLiteral("3"));
    QCOMPARE(events.at(0).at(1).toString(), QStringLiteral("10:00:01.1234"));
    QCOMPARE(events.at(0).at(2).toString(), QStringLiteral("01/02/2024"));
    QCOMPARE(events.at(0).at(3).toBool(), true);
    QCOMPARE(events.at(0).at(4).toInt(), 0);
    QCOMPARE(events.at(1).at(3).toBool(), false);
    QCOMPARE(events.at(1).at(4).toInt(), 17);
}

void TestAnswerHandling::allSequences()
{
    Backend backend;
    QSignalSpy sequences(&backend, &Backend::sequencesResultsDone);
    deliver(backend, "GetAllSequences", items(R"([{"Sequences":[]}])"));
    QCOMPARE(sequences.at(0).at(0).toList(), QVariantList());

    const QJsonArray list { QString::fromLatin1(R"({"SequenceId":"S-1","SequenceName":"Morning","Sequence":[]})"),
        QString::fromLatin1("not a document"),
        QString::fromLatin1(R"({"SequenceId":"a","SequenceId":"b","SequenceName":"Twice"})") };
    deliver(backend, "GetAllSequences", QJsonArray { QJsonObject { { "Sequences", list } } });
    const QVariantList result = sequences.at(1).at(0).toList();
    QCOMPARE(result.size(), 3);
    QCOMPARE(result.at(0).toMap().value("SequenceName").toString(), QStringLiteral("Morning"));
    QCOMPARE(result.at(0).toMap().value("SequenceId").toString(), QStringLiteral("S-1"));
    QCOMPARE(result.at(1).toMap().value("SequenceName").toString(), QString());
    // A document with repeated keys is not parsed.
    QCOMPARE(result.at(2).toMap().value("SequenceName").toString(), QString());
}

void TestAnswerHandling::settings()
{
    Backend backend;
    QSignalSpy settings1(&backend, &Backend::settings1Received);
    QSignalSpy settings2(&backend, &Backend::settings2Received);
    QSignalSpy settings3(&backend, &Backend::settings3Received);
    deliver(backend, "GetSettings", items(R"([{"Language":1}])"));
    QCOMPARE(settings1.count(), 1);
    QCOMPARE(settings1.at(0).at(0), QVariant(1));
    for (int i = 1; i < 8; ++i)
        QVERIFY(!settings1.at(0).at(i).value<QVariant>().isValid());
    for (const QVariant& value : settings2.at(0))
        QVERIFY(!value.value<QVariant>().isValid());
    for (const QVariant& value : settings3.at(0))
        QVERIFY(!value.value<QVariant>().isValid());

    // The pushed "Settings" message; every object of Data is read, a later value replaces an earlier
    // one, and the merge is reported once for the whole message.
    deliver(backend, "Settings", items(R"([{"Language":0,"IsHighContrast":true,"OffMode":2,"Brightness":35},
        {"DisplayboardTimeColor":4,"DelayFalseStart":3,"IsGenerateStart":false},{"OffMode":1}])"));
    QCOMPARE(settings1.count(), 2);
    QCOMPARE(settings2.count(), 2);
    QCOMPARE(settings3.count(), 2);
    QCOMPARE(settings1.at(1).at(0).value<QVariant>(), QVariant(0));
    QCOMPARE(settings1.at(1).at(4).value<QVariant>(), QVariant(true));
    QCOMPARE(settings2.at(1).at(0).value<QVariant>(), QVariant(false));
    QCOMPARE(settings2.at(1).at(1).value<QVariant>(), QVariant(1));
    QCOMPARE(settings2.at(1).at(4).value<QVariant>(), QVariant(3));
    QCOMPARE(settings3.at(1).at(4).value<QVariant>(), QVariant(35));
    QCOMPARE(settings3.at(1).at(5).value<QVariant>(), QVariant(4));
}

void TestAnswerHandling::repetitionTimesAndNetworkSettings()
{
    Backend backend;
    QSignalSpy times(&backend, &Backend::repetitionTimesReceived);
    QSignalSpy ethernet(&backend, &Backend::ethernetSettings);
    QSignalSpy wifi(&backend, &Backend::wifiSettings);
    deliver(backend, "GetRepetitionTimes",
        items(R"([{"RepetitionTime1":"00:01:30","RepetitionTime2":"00:02:00","RepetitionTime3":"00:03:00",
                 "RepetitionTimeIndex":2}])"));
    deliver(backend, "GetRepetitionTimes", items(R"([{"RepetitionTime1":"00:01:30"}])"));
    QCOMPARE(texts(times.at(0)), (QStringList { "00:01:30", "00:02:00", "00:03:00", "2" }));
    QCOMPARE(texts(times.at(1)), (QStringList { "00:01:30", "", "", "" }));
    deliver(backend, "GetEthernetSettings", items(R"([{"address":"10.0.0.2","netMask":"255.0.0.0"}])"));
    deliver(backend, "GetWifiSettings", items(R"([{"mode":"dhcp"}])"));
    QCOMPARE(texts(ethernet.at(0)), (QStringList { "10.0.0.2", "255.0.0.0", "" }));
    QCOMPARE(texts(wifi.at(0)), (QStringList { "", "", "dhcp" }));
}

void TestAnswerHandling::networkList()
{
    Backend backend;
    QSignalSpy networks(&backend, &Backend::wifiScanResultsDone);
    deliver(backend, "GetNetworkList", items(R"([{"NetworkList":[]}])"));
    deliver(backend, "GetNetworkList", items(R"([{"NetworkList":[{"SSID":"Field","BSSID":"aa:bb","SignalLevel":-50,
        "Quality":"Good","Selected":true,"Password":"pw"}]}])"));
    QCOMPARE(networks.count(), 2);
    QCOMPARE(networks.at(0).at(0).toList(), QVariantList());
    const QVariantMap entry = networks.at(1).at(0).toList().at(0).toMap();
    QCOMPARE(entry.value("SSID").toString(), QStringLiteral("Field"));
    QCOMPARE(entry.value("SignalLevel").toInt(), -50);
    QCOMPARE(entry.value("Selected").toBool(), true);
    QCOMPARE(entry.value("Password").toString(), QStringLiteral("pw"));
}

void TestAnswerHandling::ignoredSections()
{
    Backend backend;
    QSignalSpy errors(&backend, &Backend::someError);
    QSignalSpy version(&backend, &Backend::versionNumber);
    deliver(backend, "GetSerialNumber", items(R"([{"SerialNumber":""}])"));
    deliver(backend, "GetCurrentStartingListId", items(R"([{"StartingListId":"L"}])"));
    deliver(backend, "GetCurrentStartingListName", items(R"([{"StartingListName":"N"}])"));
    deliver(backend, "SomethingNew", items(R"([{"VersionNumber":"x"}])"));
    QCOMPARE(errors.count(), 0);
    QCOMPARE(version.count(), 0);
}

VANTOR_TEST_CLASS(TestAnswerHandling)
#include "tst_answerhandling.moc"
