#include "clientfixture.h"
#include "testsupport/testmain.h"

#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>

#include <functional>

namespace {

using Call = std::function<void(Backend&)>;

QVariantMap interval(int time, int color, int sound, bool window)
{
    return QVariantMap { { "time", time }, { "color", color }, { "sound", sound }, { "isFalseStartWindow", window } };
}

// Every operation of the table, by name, so that the data table can name it.
const QMap<QString, Call>& calls()
{
    static const QMap<QString, Call> table {
        { "getStatus", [](Backend& b) { b.getStatus(); } },
        { "clearOldStatus", [](Backend& b) { b.clearOldStatus(); } },
        { "getCurrentSequenceId", [](Backend& b) { b.getCurrentSequenceId(); } },
        { "getCurrentSequenceName", [](Backend& b) { b.getCurrentSequenceName(); } },
        { "getCurrentStartingListId", [](Backend& b) { b.getCurrentStartingListId(); } },
        { "getCurrentStartingListName", [](Backend& b) { b.getCurrentStartingListName(); } },
        { "getAllSequences", [](Backend& b) { b.getAllSequences(); } },
        { "getEthernet", [](Backend& b) { b.getEthernet(); } },
        { "getWifi", [](Backend& b) { b.getWifi(); } },
        { "getWifiEnabled", [](Backend& b) { b.getWifiEnabled(); } },
        { "getNetworkList", [](Backend& b) { b.getNetworkList(); } },
        { "getSettings", [](Backend& b) { b.getSettings(); } },
        { "getVersionNumber", [](Backend& b) { b.getVersionNumber(); } },
        { "getSerialNumber", [](Backend& b) { b.getSerialNumber(); } },
        { "getGPSEnabled", [](Backend& b) { b.getGPSEnabled(); } },
        { "getGPSSyncMode", [](Backend& b) { b.getGPSSyncMode(); } },
        { "getGPSTimeZoneShift", [](Backend& b) { b.getGPSTimeZoneShift(); } },
        { "getRepetitionTimes", [](Backend& b) { b.getRepetitionTimes(); } },
        { "stopSequence", [](Backend& b) { b.stopSequence(); } },
        { "pauseSequence", [](Backend& b) { b.pauseSequence(); } },
        { "restartSequence", [](Backend& b) { b.restartSequence(); } },
        { "outputStatusOn", [](Backend& b) { b.sendSetEnabledOutputStatus(); } },
        { "outputStatusOff", [](Backend& b) { b.sendSetDisableOutputStatus(); } },
        { "enableWifi", [](Backend& b) { b.enableWifi(true); } },
        { "startCalibration", [](Backend& b) { b.startCalibration(); } },
        { "stopCalibration", [](Backend& b) { b.stopCalibration(); } },
        { "startTestCalibration", [](Backend& b) { b.startTestCalibration(); } },
        { "stopTestCalibration", [](Backend& b) { b.stopTestCalibration(); } },
        { "disableWifi", [](Backend& b) { b.enableWifi(false); } },
        { "setCurrentSequenceId", [](Backend& b) { b.setCurrentSequenceId("S-1"); } },
        { "setCurrentSequenceName", [](Backend& b) { b.setCurrentSequenceName("Morning"); } },
        { "setCurrentStartingListId", [](Backend& b) { b.setCurrentStartingListId("L-1"); } },
        { "setCurrentStartingListName", [](Backend& b) { b.setCurrentStartingListName("Heat 1"); } },
        { "deleteSequenceById", [](Backend& b) { b.deleteSequenceById(""); } },
        { "deleteSequenceByName", [](Backend& b) { b.deleteSequenceByName("Morning"); } },
        { "deleteStartingListById", [](Backend& b) { b.deleteStartingListById("L-1"); } },
        { "deleteStartingListByName", [](Backend& b) { b.deleteStartingListByName("Heat 1"); } },
        { "setNetwork", [](Backend& b) { b.setNetwork("Field", "secret"); } },
        { "setSettings",
            [](Backend& b) {
                b.setSettings(1, 0, 1, 5, true, false, true, false, true, 3, false, true, 7, 40, 1, 10, 0, 80, 4);
            } },
        { "setGPSEnabled", [](Backend& b) { b.setGPSEnabled(true); } },
        { "setGPSSyncMode", [](Backend& b) { b.setGPSSyncMode(2); } },
        { "setGPSTimeZoneShift", [](Backend& b) { b.setGPSTimeZoneShift(-210); } },
        { "setEthernet", [](Backend& b) { b.setEthernet("10.0.0.2", "255.0.0.0", "static"); } },
        { "setWifi", [](Backend& b) { b.setWifi("10.0.0.3", "255.0.0.0", "dhcp"); } },
        { "repetitionTimesEmpty", [](Backend& b) { b.setRepetitionTimes("", "", "", ""); } },
        { "repetitionTimes", [](Backend& b) { b.setRepetitionTimes("00:01:00", "", "00:03:00", ""); } },
        { "repetitionIndex", [](Backend& b) { b.setRepetitionTimes("", "", "", "2"); } },
        { "repetitionIndexNotANumber", [](Backend& b) { b.setRepetitionTimes("", "", "", "two"); } },
        { "setSema", [](Backend& b) { b.setSema(2, 1, "GO", "10:15:00", "01/02/2024"); } },
        { "bibNumberNone", [](Backend& b) { b.setBibNumber(boost::none); } },
        { "bibNumber", [](Backend& b) { b.setBibNumber(42u); } },
        { "startManual", [](Backend& b) { b.startSequenceQML(0, "", "", ""); } },
        { "startAutoById", [](Backend& b) { b.startSequenceQML(1, "10:00:00", "01/02/2024", "00:01:00", "S-1"); } },
        { "startWithEmptyList",
            [](Backend& b) { b.startSequenceQML(0, "", "", "", "S-1", "Morning", QVariantList()); } },
        { "startWithOneRow",
            [](Backend& b) { b.startSequenceQML(0, "", "", "", "", "", QVariantList { interval(-3, 2, 1, true) }); } },
        { "setSequenceQML",
            [](Backend& b) {
                b.setSequenceQML("S-2", "Evening",
                    QVariantList { interval(-3, 2, 1, true), QVariantMap { { "time", 5 }, { "color", 1 } } });
            } },
    };
    return table;
}

QJsonObject object(const char* json) { return QJsonDocument::fromJson(json).object(); }

} // namespace

// Every request operation of TestVantor: its command word, the one parameter object it sends, and
// the keys it leaves out.
class TestClientRequests : public QObject
{
    Q_OBJECT

private slots:
    void requests_data();
    void requests();
    void testSequence();
    void startingListWithSelection();
    void startingListWithoutSelection();
    void requestsLeaveInCallOrder();
};

void TestClientRequests::requests_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QJsonObject>("parameters");
    const QJsonObject none;
    const struct
    {
        const char* call;
        const char* section;
    } parameterless[] = {
        { "getStatus", "GetStatus" },
        { "clearOldStatus", "ClearOldStatus" },
        { "getCurrentSequenceId", "GetCurrentSequenceId" },
        { "getCurrentSequenceName", "GetCurrentSequenceName" },
        { "getCurrentStartingListId", "GetCurrentStartingListId" },
        { "getCurrentStartingListName", "GetCurrentStartingListName" },
        { "getAllSequences", "GetAllSequences" },
        { "getEthernet", "GetEthernetSettings" },
        { "getWifi", "GetWifiSettings" },
        { "getWifiEnabled", "GetWifiEnabled" },
        { "getNetworkList", "GetNetworkList" },
        { "getSettings", "GetSettings" },
        { "getVersionNumber", "GetVersionNumber" },
        { "getSerialNumber", "GetSerialNumber" },
        { "getGPSEnabled", "GetGPSEnabled" },
        { "getGPSSyncMode", "GetGPSSyncMode" },
        { "getGPSTimeZoneShift", "GetGPSTimeZoneShift" },
        { "getRepetitionTimes", "GetRepetitionTimes" },
        { "stopSequence", "SetStopSequence" },
        { "pauseSequence", "SetPauseSequence" },
        { "restartSequence", "SetRestartSequence" },
        { "outputStatusOn", "SetEnableOutputStatus" },
        { "outputStatusOff", "SetDisableOutputStatus" },
        { "enableWifi", "SetEnableWifi" },
        { "disableWifi", "SetDisableWifi" },
        { "startCalibration", "SetStartOscillatorCalibration" },
        { "stopCalibration", "SetStopOscillatorCalibration" },
        { "startTestCalibration", "SetStartTestOscillatorCalibration" },
        { "stopTestCalibration", "SetStopTestOscillatorCalibration" },
        { "repetitionTimesEmpty", "SetRepetitionTimes" },
        { "bibNumberNone", "SetBibNumber" },
    };
    for (const auto& row : parameterless)
        QTest::newRow(row.call) << row.call << row.section << none;

    QTest::newRow("setCurrentSequenceId") << "setCurrentSequenceId"
                                          << "SetCurrentSequenceId" << object(R"({"SequenceId":"S-1"})");
    QTest::newRow("setCurrentSequenceName") << "setCurrentSequenceName"
                                            << "SetCurrentSequenceName" << object(R"({"SequenceName":"Morning"})");
    QTest::newRow("setCurrentStartingListId") << "setCurrentStartingListId"
                                              << "SetCurrentStartingListId" << object(R"({"StartingListId":"L-1"})");
    QTest::newRow("setCurrentStartingListName")
        << "setCurrentStartingListName"
        << "SetCurrentStartingListName" << object(R"({"StartingListName":"Heat 1"})");
    QTest::newRow("deleteSequenceById with an empty id") << "deleteSequenceById"
                                                         << "DeleteSequenceById" << object(R"({"SequenceId":""})");
    QTest::newRow("deleteSequenceByName") << "deleteSequenceByName"
                                          << "DeleteSequenceByName" << object(R"({"SequenceName":"Morning"})");
    QTest::newRow("deleteStartingListById") << "deleteStartingListById"
                                            << "DeleteStartingListById" << object(R"({"StartingListId":"L-1"})");
    QTest::newRow("deleteStartingListByName")
        << "deleteStartingListByName"
        << "DeleteStartingListByName" << object(R"({"StartingListName":"Heat 1"})");
    QTest::newRow("setNetwork") << "setNetwork"
                                << "SetNetwork" << object(R"({"SSID":"Field","Password":"secret"})");
    QTest::newRow("setSettings") << "setSettings"
                                 << "SetSettings"
                                 << object(R"({"Language":1,"DateFormat":0,"TimeFormat":1,"VisualizationMode":5,
        "IsHighContrast":true,"IsTapHandlerEnabled":false,"IsShowTimeOfDay":true,"IsCheckFalseStart":false,
        "IsGenerateStart":true,"OffMode":3,"IsSkipOutOfWindow":false,"IsRestartWithNextMinute":true,
        "DelayFalseStart":7,"OutputSoundVolume":40,"DisplayboardMode":1,"PowerSaveTime":10,"BrightnessMode":0,
        "Brightness":80,"DisplayboardTimeColor":4})");
    QTest::newRow("setGPSEnabled") << "setGPSEnabled"
                                   << "SetGPSEnabled" << object(R"({"IsEnabled":true})");
    QTest::newRow("setGPSSyncMode") << "setGPSSyncMode"
                                    << "SetGPSSyncMode" << object(R"({"GPSSyncMode":2})");
    QTest::newRow("setGPSTimeZoneShift") << "setGPSTimeZoneShift"
                                         << "SetGPSTimeZoneShift" << object(R"({"GPSTimeZoneShift":-210})");
    QTest::newRow("setEthernet") << "setEthernet"
                                 << "SetEthernet"
                                 << object(R"({"Address":"10.0.0.2","NetMask":"255.0.0.0","Mode":"static"})");
    QTest::newRow("setWifi") << "setWifi"
                             << "SetWifi" << object(R"({"Address":"10.0.0.3","NetMask":"255.0.0.0","Mode":"dhcp"})");
    QTest::newRow("repetitionTimes") << "repetitionTimes"
                                     << "SetRepetitionTimes"
                                     << object(R"({"RepetitionTime1":"00:01:00","RepetitionTime3":"00:03:00"})");
    QTest::newRow("repetitionIndex") << "repetitionIndex"
                                     << "SetRepetitionTimes" << object(R"({"RepetitionTimeIndex":2})");
    QTest::newRow("repetitionIndexNotANumber") << "repetitionIndexNotANumber"
                                               << "SetRepetitionTimes" << object(R"({"RepetitionTimeIndex":0})");
    QTest::newRow("setSema") << "setSema"
                             << "SetSema"
                             << object(R"({"ShowTime":"10:15:00","ShowDate":"01/02/2024","Text":"GO","Color":2,
        "Sound":1})");
    QTest::newRow("bibNumber") << "bibNumber"
                               << "SetBibNumber" << object(R"({"BibNumber":42})");
    QTest::newRow("startManual") << "startManual"
                                 << "SetStartSequence"
                                 << object(R"({"SequenceMode":0,"StartTime":"","StartDate":"","RepetitionTime":""})");
    QTest::newRow("startAutoById") << "startAutoById"
                                   << "SetStartSequence"
                                   << object(R"({"SequenceMode":1,"StartTime":"10:00:00","StartDate":"01/02/2024",
        "RepetitionTime":"00:01:00","SequenceId":"S-1"})");
    QTest::newRow("startWithEmptyList") << "startWithEmptyList"
                                        << "SetStartSequence"
                                        << object(R"({"SequenceMode":0,"StartTime":"","StartDate":"",
        "RepetitionTime":"","SequenceId":"S-1","SequenceName":"Morning"})");
    QTest::newRow("startWithOneRow") << "startWithOneRow"
                                     << "SetStartSequence" << object(R"({"SequenceMode":0,"StartTime":"","StartDate":"",
        "RepetitionTime":"","Sequence":[{"Time":-3,"Color":2,"Sound":1,"IsFalseStartWindow":true}]})");
    QTest::newRow("setSequenceQML") << "setSequenceQML"
                                    << "SetSequence"
                                    << object(R"({"SequenceId":"S-2","SequenceName":"Evening","Sequence":[
        {"Time":-3,"Color":2,"Sound":1,"IsFalseStartWindow":true},
        {"Time":5,"Color":1,"Sound":0,"IsFalseStartWindow":false}]})");
}

void TestClientRequests::requests()
{
    QFETCH(QString, call);
    QFETCH(QString, section);
    QFETCH(QJsonObject, parameters);
    ClientFixture client;
    QVERIFY(client.connect());
    calls().value(call)(client.backend);
    QVERIFY(client.server.waitForRequests(1));
    const FakeServer::Request request = client.server.requests().at(0);
    QVERIFY(request.bytes.startsWith('\x09'));
    QVERIFY(request.bytes.endsWith('\x02'));
    QCOMPARE(request.type, QStringLiteral("Sema"));
    QCOMPARE(request.section, section);
    QCOMPARE(request.id.size(), 36);
    QCOMPARE(request.data.size(), 1);
    QCOMPARE(request.data.at(0).toObject(), parameters);
}

void TestClientRequests::testSequence()
{
    ClientFixture client;
    QVERIFY(client.connect());
    client.backend.setTestSequence(QStringLiteral("T-1"), QStringLiteral("Test"));
    QVERIFY(client.server.waitForRequests(1));
    const QJsonObject parameters = client.server.requests().at(0).data.at(0).toObject();
    QCOMPARE(client.server.requests().at(0).section, QStringLiteral("SetSequence"));
    QCOMPARE(parameters.value("SequenceId").toString(), QStringLiteral("T-1"));
    QCOMPARE(parameters.value("SequenceName").toString(), QStringLiteral("Test"));
    const QJsonArray sequence = parameters.value("Sequence").toArray();
    QCOMPARE(sequence.size(), 9);
    QList<int> times;
    for (const QJsonValue& step : sequence)
        times << step.toObject().value("Time").toInt();
    QCOMPARE(times, (QList<int> { -10, -5, -4, -3, -2, -1, 0, 5, 10 }));
    QCOMPARE(sequence.at(0).toObject(),
        QJsonDocument::fromJson(R"({"Time":-10,"Sound":4,"Color":2,"IsFalseStartWindow":false})").object());
    QCOMPARE(sequence.at(6).toObject(),
        QJsonDocument::fromJson(R"({"Time":0,"Sound":3,"Color":4,"IsFalseStartWindow":true})").object());
    QCOMPARE(sequence.at(8).toObject(),
        QJsonDocument::fromJson(R"({"Time":10,"Sound":0,"Color":1,"IsFalseStartWindow":false})").object());
}

void TestClientRequests::startingListWithSelection()
{
    ClientFixture client;
    QVERIFY(client.connect());
    client.server.setAutoAcknowledge(true);
    const QVariantList rows { QVariantMap { { "bibNumber", 7 }, { "time", "10:00:00" }, { "date", "01/02/24" } },
        QVariantMap { { "bibNumber", 8 }, { "time", "10:01:00" }, { "date", "" } } };
    client.backend.setStartingList(QStringLiteral("L-9"), QStringLiteral("Heat"), rows, true);
    QVERIFY(client.server.waitForRequests(2));
    const QList<FakeServer::Request> requests = client.server.requests();
    QCOMPARE(requests.at(0).section, QStringLiteral("SetStartingList"));
    QCOMPARE(requests.at(0).data.at(0).toObject(),
        QJsonDocument::fromJson(R"({"StartingListId":"L-9","StartingListName":"Heat","StartingList":[
            {"BibNumber":7,"Time":"10:00:00","Date":"01/02/24"},{"BibNumber":8,"Time":"10:01:00"}]})")
            .object());
    QCOMPARE(requests.at(1).section, QStringLiteral("SetCurrentStartingListId"));
    QCOMPARE(requests.at(1).data.at(0).toObject(), QJsonDocument::fromJson(R"({"StartingListId":"L-9"})").object());
}

void TestClientRequests::startingListWithoutSelection()
{
    ClientFixture client;
    QVERIFY(client.connect());
    client.server.setAutoAcknowledge(true);
    client.backend.setStartingList(QStringLiteral("L-9"), QStringLiteral("Heat"), QVariantList());
    QVERIFY(client.server.waitForRequests(1));
    QTest::qWait(100);
    QCOMPARE(client.server.requests().size(), 1);
}

void TestClientRequests::requestsLeaveInCallOrder()
{
    ClientFixture client;
    QVERIFY(client.connect());
    client.server.setAutoAcknowledge(true);
    client.backend.getVersionNumber();
    client.backend.getSettings();
    client.backend.getRepetitionTimes();
    client.backend.getGPSSyncMode();
    QVERIFY(client.server.waitForRequests(4));
    QStringList sections;
    for (const FakeServer::Request& request : client.server.requests())
        sections << request.section;
    QCOMPARE(sections, (QStringList { "GetVersionNumber", "GetSettings", "GetRepetitionTimes", "GetGPSSyncMode" }));
    QVERIFY(QTest::qWaitFor([&] { return client.backend.requestQueue().isEmpty(); }, 20000));
}

VANTOR_TEST_CLASS(TestClientRequests)
#include "tst_clientrequests.moc"
