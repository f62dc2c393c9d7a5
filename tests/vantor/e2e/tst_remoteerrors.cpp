#include "remoteclient.h"
#include "testsupport/testmain.h"
#include "vantorprocess.h"

#include <QJsonDocument>
#include <QTest>

#include <memory>

namespace {

QJsonArray items(const char* json) { return QJsonDocument::fromJson(json).array(); }

QJsonObject error(const char* text, int index) { return QJsonObject { { "Error", text }, { "ErrorIndex", index } }; }

} // namespace

// Every rejection of a remote command as the client receives it: the command's acknowledgement, then
// one error reply ("SemaError", the command word, the text and its index) per failed test.
class TestRemoteErrors : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void errorReplies_data();
    void errorReplies();
    void oneErrorPerFailedSetting();
    void failedSettingKeepsTheOthers();
    void errorTextsFollowTheLanguage_data();
    void errorTextsFollowTheLanguage();

private:
    std::unique_ptr<VantorProcess> m_vantor;
    std::unique_ptr<RemoteClient> m_client;
};

void TestRemoteErrors::initTestCase()
{
    m_vantor = std::make_unique<VantorProcess>();
    QVERIFY2(m_vantor->start(), qPrintable(m_vantor->output()));
    m_client = std::make_unique<RemoteClient>();
    QVERIFY(m_client->connectToServer());
    m_client->exchange(RemoteClient::frame("SetSettings", items(R"([{"Language": 0, "DisplayboardMode": 0}])")));
}

void TestRemoteErrors::cleanupTestCase()
{
    m_client.reset();
    m_vantor.reset();
}

void TestRemoteErrors::errorReplies_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QJsonArray>("data");
    QTest::addColumn<QJsonObject>("expected");

    const QJsonObject sequenceNotExistsName = error("Sequence not exists", 1);
    const QJsonObject sequenceNotExistsId = error("Sequence not exists", 13);
    QTest::newRow("select unknown name") << "SetCurrentSequenceName" << items(R"([{"SequenceName": "NO SUCH"}])")
                                         << sequenceNotExistsName;
    QTest::newRow("select without name") << "SetCurrentSequenceName" << items("[{}]") << sequenceNotExistsName;
    QTest::newRow("select name, last wins")
        << "SetCurrentSequenceName" << items(R"([{"SequenceName": "RALLY"}, {"SequenceName": "NO"}])")
        << sequenceNotExistsName;
    QTest::newRow("select unknown id") << "SetCurrentSequenceId" << items(R"([{"SequenceId": "0000"}])")
                                       << sequenceNotExistsId;

    QTest::newRow("store: no data") << "SetSequence" << items("[]") << error("Error sequence", 14);
    QTest::newRow("store: no id") << "SetSequence" << items(R"([{"SequenceName": "A", "Sequence": [{}]}])")
                                  << error("Error sequence Id", 13);
    QTest::newRow("store: empty id") << "SetSequence"
                                     << items(R"([{"SequenceId": "", "SequenceName": "A", "Sequence": [{}]}])")
                                     << error("Error sequence Id", 13);
    QTest::newRow("store: id a number") << "SetSequence"
                                        << items(R"([{"SequenceId": 5, "SequenceName": "A", "Sequence": [{}]}])")
                                        << error("Error sequence Id", 13);
    QTest::newRow("store: no name") << "SetSequence" << items(R"([{"SequenceId": "X", "Sequence": [{}]}])")
                                    << error("Error sequence name", 1);
    QTest::newRow("store: no intervals") << "SetSequence" << items(R"([{"SequenceId": "X", "SequenceName": "A"}])")
                                         << error("Error sequence", 14);
    QTest::newRow("store: empty intervals")
        << "SetSequence" << items(R"([{"SequenceId": "X", "SequenceName": "A", "Sequence": []}])")
        << error("Error sequence", 14);
    QTest::newRow("store: intervals no list")
        << "SetSequence" << items(R"([{"SequenceId": "X", "SequenceName": "A", "Sequence": {"Time": 0}}])")
        << error("Error sequence", 14);
    QTest::newRow("delete unknown id") << "DeleteSequenceById" << items(R"([{"SequenceId": "0000"}])")
                                       << sequenceNotExistsId;
    QTest::newRow("delete built-in id") << "DeleteSequenceById"
                                        << items(R"([{"SequenceId": "51F4980F-C131-44F2-9AB7-EA948759482F"}])")
                                        << sequenceNotExistsId;
    QTest::newRow("delete unknown name") << "DeleteSequenceByName" << items(R"([{"SequenceName": "NO"}])")
                                         << sequenceNotExistsName;

    QTest::newRow("start: no data") << "SetStartSequence" << items("[]") << error("Error sequence", 14);
    QTest::newRow("start: no mode") << "SetStartSequence" << items("[{}]") << error("Error sequence mode", 2);
    QTest::newRow("start: mode -1") << "SetStartSequence" << items(R"([{"SequenceMode": -1}])")
                                    << error("Error sequence mode", 2);
    QTest::newRow("start: mode 3") << "SetStartSequence" << items(R"([{"SequenceMode": 3}])")
                                   << error("Error sequence mode", 2);
    QTest::newRow("start: mode 1.5") << "SetStartSequence" << items(R"([{"SequenceMode": 1.5}])")
                                     << error("Error sequence mode", 2);
    QTest::newRow("start: mode text") << "SetStartSequence" << items(R"([{"SequenceMode": "1"}])")
                                      << error("Error sequence mode", 2);
    QTest::newRow("start: auto without time")
        << "SetStartSequence" << items(R"([{"SequenceMode": 1}])") << error("Error start time", 3);
    QTest::newRow("start: auto, time unreadable")
        << "SetStartSequence" << items(R"([{"SequenceMode": 1, "StartTime": "25:99", "RepetitionTime": "00:01:00"}])")
        << error("Error start time", 3);
    QTest::newRow("start: auto without repetition")
        << "SetStartSequence" << items(R"([{"SequenceMode": 1, "StartTime": "10:00:00"}])")
        << error("Error repetition time", 4);
    QTest::newRow("start: auto, repetition below the minimum")
        << "SetStartSequence" << items(R"([{"SequenceMode": 1, "StartTime": "10:00:00", "RepetitionTime": "00:00:01",
                      "SequenceId": "FB5BC35B-EAF3-4E19-BB64-F5387B230522"}])")
        << error("Error repetition time", 4);
    QTest::newRow("start: unknown sequence")
        << "SetStartSequence" << items(R"([{"SequenceMode": 0, "SequenceId": "0000"}])") << sequenceNotExistsId;

    QTest::newRow("list: no data") << "SetStartingList" << items("[]") << error("Error starting list", 16);
    QTest::newRow("list: no id") << "SetStartingList"
                                 << items(R"([{"StartingListName": "L", "StartingList": [{"BibNumber": 1}]}])")
                                 << error("Error starting list Id", 18);
    QTest::newRow("list: no name") << "SetStartingList"
                                   << items(R"([{"StartingListId": "L", "StartingList": [{"BibNumber": 1}]}])")
                                   << error("Error starting list name", 17);
    QTest::newRow("list: empty") << "SetStartingList"
                                 << items(R"([{"StartingListId": "L", "StartingListName": "L", "StartingList": []}])")
                                 << error("Error starting list", 16);
    QTest::newRow("select unknown list name")
        << "SetCurrentStartingListName" << items(R"([{"StartingListName": "NO"}])")
        << error("Starting list not exists", 17);
    QTest::newRow("select unknown list id") << "SetCurrentStartingListId" << items(R"([{"StartingListId": "NO"}])")
                                            << error("Starting list not exists", 18);
    QTest::newRow("delete unknown list id")
        << "DeleteStartingListById" << items(R"([{"StartingListId": "NO"}])") << error("Starting list not exists", 18);
    QTest::newRow("delete unknown list name") << "DeleteStartingListByName" << items(R"([{"StartingListName": "NO"}])")
                                              << error("Starting list not exists", 17);

    QTest::newRow("sema: nothing") << "SetSema" << items("[{}]") << error("Error color", 5);
    QTest::newRow("sema: colour 8") << "SetSema" << items(R"([{"Color": 8, "Sound": 1}])") << error("Error color", 5);
    QTest::newRow("sema: colour -1") << "SetSema" << items(R"([{"Color": -1, "Sound": 1}])") << error("Error color", 5);
    QTest::newRow("sema: no sound") << "SetSema" << items(R"([{"Color": 2}])") << error("Error sound", 6);
    QTest::newRow("sema: sound 5") << "SetSema" << items(R"([{"Color": 2}, {"Sound": 5}])") << error("Error sound", 6);
    QTest::newRow("sema: colour text") << "SetSema" << items(R"([{"Color": "2", "Sound": 1}])")
                                       << error("Error color", 5);
    QTest::newRow("network: SSID number") << "SetNetwork" << items(R"([{"SSID": 7}])") << error("Error wifi SSID", 7);
    QTest::newRow("network: no SSID") << "SetNetwork" << items(R"([{"NetworkName": "Alpe", "Password": "x"}])")
                                      << error("Error wifi SSID", 7);
    QTest::newRow("network: empty SSID") << "SetNetwork" << items(R"([{"SSID": ""}])") << error("Error wifi SSID", 7);

    QTest::newRow("language 5") << "SetSettings" << items(R"([{"Language": 5}])") << error("Error language", 8);
    QTest::newRow("language -1") << "SetSettings" << items(R"([{"Language": -1}])") << error("Error language", 8);
    QTest::newRow("language beyond int") << "SetSettings" << items(R"([{"Language": 4294967296}])")
                                         << error("Error language", 8);
    QTest::newRow("language text") << "SetSettings" << items(R"([{"Language": "1"}])") << error("Error language", 8);
    QTest::newRow("language flag") << "SetSettings" << items(R"([{"Language": true}])") << error("Error language", 8);
    QTest::newRow("date format 2") << "SetSettings" << items(R"([{"DateFormat": 2}])") << error("Error date format", 9);
    QTest::newRow("time format -1") << "SetSettings" << items(R"([{"TimeFormat": -1}])")
                                    << error("Error time format", 10);
    QTest::newRow("off mode 4") << "SetSettings" << items(R"([{"OffMode": 4}])") << error("Error off mode", 11);
    QTest::newRow("visualization 7") << "SetSettings" << items(R"([{"VisualizationMode": 7}])")
                                     << error("Error visualization mode", 12);
    QTest::newRow("time colour 3") << "SetSettings" << items(R"([{"DisplayboardTimeColor": 3}])")
                                   << error("Error time color", 15);
    QTest::newRow("time colour white") << "SetSettings" << items(R"([{"DisplayboardTimeColor": 7}])")
                                       << error("Error time color", 15);
}

void TestRemoteErrors::errorReplies()
{
    QFETCH(QString, command);
    QFETCH(QJsonArray, data);
    QFETCH(QJsonObject, expected);
    const QList<QJsonObject> messages = m_client->exchange(RemoteClient::frame(command, data, "req"));
    QCOMPARE(messages.size(), 2);
    QCOMPARE(RemoteClient::header(messages.at(0)).value("Type").toString(), QStringLiteral("SemaACK"));
    const QJsonObject header = RemoteClient::header(messages.at(1));
    QCOMPARE(header.value("Type").toString(), QStringLiteral("SemaError"));
    QCOMPARE(header.value("Section").toString(), command);
    QCOMPARE(header.value("ID").toString().size(), 36);
    QCOMPARE(messages.at(1).value("Data").toArray(), QJsonArray { expected });
}

void TestRemoteErrors::oneErrorPerFailedSetting()
{
    const QList<QJsonObject> messages = m_client->exchange(RemoteClient::frame(
        "SetSettings", items(R"([{"OffMode": 9, "Language": 5, "DateFormat": 7}, {"DisplayboardTimeColor": 0}])")));
    QCOMPARE(messages.size(), 5);
    QCOMPARE(RemoteClient::firstData(messages.at(1)), error("Error language", 8));
    QCOMPARE(RemoteClient::firstData(messages.at(2)), error("Error date format", 9));
    QCOMPARE(RemoteClient::firstData(messages.at(3)), error("Error off mode", 11));
    QCOMPARE(RemoteClient::firstData(messages.at(4)), error("Error time color", 15));
}

void TestRemoteErrors::failedSettingKeepsTheOthers()
{
    QList<QJsonObject> messages
        = m_client->exchange(RemoteClient::frame("SetSettings", items(R"([{"Language": 5, "DateFormat": 1}])")));
    QCOMPARE(messages.size(), 2);
    QCOMPARE(RemoteClient::firstData(messages.at(1)), error("Error language", 8));
    messages = m_client->exchange(RemoteClient::frame("GetSettings"));
    QCOMPARE(RemoteClient::firstData(messages.at(1)).value("DateFormat").toInt(), 1);
    m_client->exchange(RemoteClient::frame("SetSettings", items(R"([{"DateFormat": 0}])")));
}

void TestRemoteErrors::errorTextsFollowTheLanguage_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("text");
    QTest::newRow("Italian") << 1 << QStringLiteral("La sequenza non esiste");
    QTest::newRow("German") << 2 << QStringLiteral("Die Sequenz existiert nicht");
    QTest::newRow("English") << 0 << QStringLiteral("Sequence not exists");
}

void TestRemoteErrors::errorTextsFollowTheLanguage()
{
    QFETCH(int, language);
    QFETCH(QString, text);
    QCOMPARE(
        m_client->exchange(RemoteClient::frame("SetSettings", { QJsonObject { { "Language", language } } })).size(), 1);
    const QList<QJsonObject> messages
        = m_client->exchange(RemoteClient::frame("SetCurrentSequenceName", items(R"([{"SequenceName": "NO"}])")));
    QCOMPARE(messages.size(), 2);
    QCOMPARE(RemoteClient::firstData(messages.at(1)), QJsonObject({ { "Error", text }, { "ErrorIndex", 1 } }));
}

VANTOR_TEST_CLASS(TestRemoteErrors)
#include "tst_remoteerrors.moc"
