#include "remoteclient.h"
#include "testsupport/testmain.h"
#include "vantorprocess.h"

#include <QJsonDocument>
#include <QRegularExpression>
#include <QTest>

#include <memory>

namespace {

const QRegularExpression kFreshId(QStringLiteral("^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}$"));

QByteArray ackOf(const QByteArray& id)
{
    return "\t{\"Data\":[],\"Header\":{\"ID\":\"" + id + "\",\"Section\":\"\",\"Type\":\"SemaACK\"}}\x02";
}

QJsonObject versionReply() { return QJsonObject { { "VersionNumber", "1.2.34" } }; }

} // namespace

// The command port of the real program as a client sees it: acknowledgements, replies with fresh
// identifiers, requests that get no acknowledgement, two clients, and frames split, merged, restarted,
// left unfinished or too long.
class TestRemoteProtocol : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void acknowledgementThenReply();
    void requestWithoutIdGetsEmptyId_data();
    void requestWithoutIdGetsEmptyId();
    void onlyAcknowledged_data();
    void onlyAcknowledged();
    void neitherAcknowledgedNorAnswered_data();
    void neitherAcknowledgedNorAnswered();
    void everyClientReceivesTheAnswers();
    void splitWritesMakeOneFrame();
    void burstOfRequestsRunsInOrder();
    void tabRestartsTheFrame();
    void unfinishedFrameIsDroppedAfterSilence();
    void oversizedFramesAreDropped();
    void clientsDoNotMixTheirFrames();
    void dataThatIsNoListOfObjects();

private:
    std::unique_ptr<VantorProcess> m_vantor;
    std::unique_ptr<RemoteClient> m_client;
};

void TestRemoteProtocol::initTestCase()
{
    m_vantor = std::make_unique<VantorProcess>();
    QVERIFY2(m_vantor->start(), qPrintable(m_vantor->output()));
    m_client = std::make_unique<RemoteClient>();
    QVERIFY(m_client->connectToServer());
}

void TestRemoteProtocol::cleanupTestCase()
{
    m_client.reset();
    m_vantor.reset();
}

void TestRemoteProtocol::acknowledgementThenReply()
{
    const QByteArray id = "0b3c2f5e-1d2a-4e61-9f4a-7c1b2d3e4f50";
    const QList<QByteArray> messages
        = m_client->exchangeRaw(RemoteClient::frame("GetVersionNumber", { QJsonObject() }, id));
    QCOMPARE(messages.size(), 2);
    QCOMPARE(messages.at(0), ackOf(id));
    const QJsonObject reply = RemoteClient::parse(messages.at(1));
    const QJsonObject header = RemoteClient::header(reply);
    QCOMPARE(header.value("Type").toString(), QStringLiteral("Sema"));
    QCOMPARE(header.value("Section").toString(), QStringLiteral("GetVersionNumber"));
    const QString replyId = header.value("ID").toString();
    QVERIFY2(kFreshId.match(replyId).hasMatch(), qPrintable(replyId));
    QVERIFY(replyId != QString::fromLatin1(id));
    QCOMPARE(reply.value("Data").toArray(), QJsonArray { versionReply() });
    QVERIFY(messages.at(1).startsWith("\t{\"Data\":[{\"VersionNumber\":\"1.2.34\"}],\"Header\":{\"ID\":\""));

    // Every reply has an identifier of its own.
    const QList<QJsonObject> again = m_client->exchange(RemoteClient::frame("GetVersionNumber", { QJsonObject() }, id));
    QCOMPARE(again.size(), 2);
    QVERIFY(RemoteClient::header(again.at(1)).value("ID").toString() != replyId);
}

void TestRemoteProtocol::requestWithoutIdGetsEmptyId_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::newRow("no ID") << RemoteClient::frame("GetVersionNumber");
    QTest::newRow("ID a number") << QByteArray(
        "\t{\"Header\":{\"Type\":\"Sema\",\"Section\":\"GetVersionNumber\",\"ID\":7},\"Data\":[{}]}\x02");
    QTest::newRow("ID null") << QByteArray(
        "\t{\"Header\":{\"Type\":\"Sema\",\"Section\":\"GetVersionNumber\",\"ID\":null},\"Data\":[{}]}\x02");
    QTest::newRow("ID empty") << RemoteClient::frame("GetVersionNumber", { QJsonObject() }, QStringLiteral(""));
}

void TestRemoteProtocol::requestWithoutIdGetsEmptyId()
{
    QFETCH(QByteArray, request);
    const QList<QByteArray> messages = m_client->exchangeRaw(request);
    QCOMPARE(messages.size(), 2);
    QCOMPARE(messages.at(0), ackOf(""));
    QCOMPARE(RemoteClient::firstData(RemoteClient::parse(messages.at(1))), versionReply());
}

void TestRemoteProtocol::onlyAcknowledged_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::newRow("unknown word") << RemoteClient::frame(
        "SetEthernet", { QJsonObject { { "Address", "1.2.3.4" } } }, "a");
    QTest::newRow("words of the client only")
        << RemoteClient::frame("SetGPSEnabled", { QJsonObject { { "IsEnabled", true } } }, "a");
    QTest::newRow("case matters") << RemoteClient::frame("getversionnumber", { QJsonObject() }, "a");
    QTest::newRow("type System, other word")
        << RemoteClient::frame("System", "GetVersionNumber", { QJsonObject() }, "a");
    QTest::newRow("recovery boot") << RemoteClient::frame("System", "BootToRecoveryMode", { QJsonObject() }, "a");
    QTest::newRow("type GPS") << RemoteClient::frame("GPS", "GetGPSSyncMode", { QJsonObject() }, "a");
    QTest::newRow("empty type") << RemoteClient::frame("", "GetVersionNumber", { QJsonObject() }, "a");
    QTest::newRow("ethernet settings") << RemoteClient::frame("GetEthernetSettings", { QJsonObject() }, "a");
    QTest::newRow("calibration") << RemoteClient::frame("SetStartOscillatorCalibration", { QJsonObject() }, "a");
    QTest::newRow("clear status") << RemoteClient::frame("ClearOldStatus", { QJsonObject() }, "a");
    QTest::newRow("empty data") << RemoteClient::frame("SetSettings", QJsonArray(), "a");
}

void TestRemoteProtocol::onlyAcknowledged()
{
    QFETCH(QByteArray, request);
    const QList<QByteArray> messages = m_client->exchangeRaw(request);
    QCOMPARE(messages, QList<QByteArray> { ackOf("a") });
}

void TestRemoteProtocol::neitherAcknowledgedNorAnswered_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::newRow("type SemaACK") << RemoteClient::frame("SemaACK", "GetVersionNumber", { QJsonObject() }, "a");
    QTest::newRow("display-board text in countdown mode")
        << RemoteClient::frame("DisplayboardOutput", { QJsonObject { { "Text", "HELLO" } } }, "a");
    QTest::newRow("not JSON") << QByteArray("\thello\x02");
    QTest::newRow("JSON array") << QByteArray("\t[1,2]\x02");
    QTest::newRow("no header") << QByteArray("\t{\"Data\":[]}\x02");
    QTest::newRow("no data") << QByteArray("\t{\"Header\":{\"Type\":\"Sema\",\"Section\":\"GetVersionNumber\"}}\x02");
    QTest::newRow("no type") << QByteArray("\t{\"Header\":{\"Section\":\"GetVersionNumber\"},\"Data\":[]}\x02");
    QTest::newRow("null type") << QByteArray("\t{\"Header\":{\"Type\":null,\"Section\":\"X\"},\"Data\":[]}\x02");
    QTest::newRow("empty frame") << QByteArray("\t\x02");
    QTest::newRow("repeated key") << QByteArray("\t{\"Header\":{\"Type\":\"Sema\",\"Section\":\"GetVersionNumber\","
                                                "\"ID\":\"a\"},\"Data\":[{}],\"Data\":[]}\x02");
    QTest::newRow("invalid UTF-8") << QByteArray("\t\xff\xfe\x80\x02");
    QTest::newRow("bytes outside frames") << QByteArray("GetVersionNumber\r\n\x02\x02");
    QTest::newRow("raw text in countdown mode") << QByteArray("\t\x1bHELLO\x02");
}

void TestRemoteProtocol::neitherAcknowledgedNorAnswered()
{
    QFETCH(QByteArray, request);
    QCOMPARE(m_client->exchangeRaw(request), QList<QByteArray>());
}

void TestRemoteProtocol::everyClientReceivesTheAnswers()
{
    RemoteClient second;
    QVERIFY(second.connectToServer());
    // The second connection is served once it is accepted; an exchange of its own shows that.
    QCOMPARE(second.exchange(QByteArray()).size(), 0);
    m_client->takeMessages();
    second.takeMessages();

    m_client->send(RemoteClient::frame("GetVersionNumber", { QJsonObject() }, "both"));
    QVERIFY(m_client->waitForMessages(2));
    QVERIFY(second.waitForMessages(2));
    const QList<QByteArray> first = m_client->takeMessages();
    QCOMPARE(first.at(0), ackOf("both"));
    QCOMPARE(second.takeMessages(), first);

    // What the second client asks reaches the first as well.
    second.send(RemoteClient::frame("GetCurrentSequenceId", { QJsonObject() }, "from-second"));
    QVERIFY(m_client->waitForMessages(2));
    QCOMPARE(m_client->takeMessages().at(0), ackOf("from-second"));
    second.disconnectFromServer();
    QCOMPARE(m_client->exchange(RemoteClient::frame("GetVersionNumber", { QJsonObject() }, "after")).size(), 2);
}

void TestRemoteProtocol::splitWritesMakeOneFrame()
{
    const QByteArray request = RemoteClient::frame("GetVersionNumber", { QJsonObject() }, "split");
    for (int i = 0; i < request.size(); i += 7) {
        m_client->send(request.mid(i, 7));
        QTest::qWait(5);
    }
    QVERIFY(m_client->waitForMessages(2));
    const QList<QByteArray> messages = m_client->takeMessages();
    QCOMPARE(messages.size(), 2);
    QCOMPARE(messages.at(0), ackOf("split"));
}

void TestRemoteProtocol::burstOfRequestsRunsInOrder()
{
    QByteArray burst;
    for (int i = 0; i < 5; ++i)
        burst += RemoteClient::frame(i % 2 ? "GetCurrentSequenceName" : "GetVersionNumber", { QJsonObject() },
            QStringLiteral("burst-%1").arg(i));
    const QList<QByteArray> messages = m_client->exchangeRaw(burst);
    QCOMPARE(messages.size(), 10);
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(messages.at(2 * i), ackOf("burst-" + QByteArray::number(i)));
        const QJsonObject header = RemoteClient::header(RemoteClient::parse(messages.at(2 * i + 1)));
        QCOMPARE(header.value("Section").toString(),
            QString::fromLatin1(i % 2 ? "GetCurrentSequenceName" : "GetVersionNumber"));
    }
}

void TestRemoteProtocol::tabRestartsTheFrame()
{
    const QByteArray good = RemoteClient::frame("GetVersionNumber", { QJsonObject() }, "second");
    const QByteArray broken = RemoteClient::frame("GetVersionNumber", { QJsonObject() }, "first");
    const QList<QByteArray> messages = m_client->exchangeRaw(broken.left(broken.size() / 2) + good);
    QCOMPARE(messages.size(), 2);
    QCOMPARE(messages.at(0), ackOf("second"));
}

void TestRemoteProtocol::unfinishedFrameIsDroppedAfterSilence()
{
    const QByteArray request = RemoteClient::frame("GetVersionNumber", { QJsonObject() }, "late");
    m_client->send(request.left(20));
    // The rest comes after more than the byte time-out: it belongs to no frame.
    QTest::qWait(1300);
    QCOMPARE(m_client->exchangeRaw(request.mid(20)), QList<QByteArray>());
    QCOMPARE(m_client->exchange(RemoteClient::frame("GetVersionNumber", { QJsonObject() }, "next")).size(), 2);
}

void TestRemoteProtocol::oversizedFramesAreDropped()
{
    // A raw display-board text beyond 65,535 bytes, then a JSON text beyond 1 MiB, each followed
    // by a good request on the same connection, which is answered.
    const QByteArray raw = "\t\x1b" + QByteArray(70000, 'A') + "\x02";
    QList<QByteArray> messages
        = m_client->exchangeRaw(raw + RemoteClient::frame("GetVersionNumber", { QJsonObject() }, "a"));
    QCOMPARE(messages.size(), 2);
    QCOMPARE(messages.at(0), ackOf("a"));

    const QByteArray padding(1100 * 1024, ' ');
    const QByteArray huge = "\t{\"Header\":{\"Type\":\"Sema\",\"Section\":\"GetVersionNumber\",\"ID\":\"huge\"},"
                            "\"Data\":[{}]"
        + padding + "}\x02";
    // Written in pieces, as a client would stream it; the server keeps reading meanwhile.
    for (int i = 0; i < huge.size(); i += 32 * 1024) {
        m_client->send(huge.mid(i, 32 * 1024));
        QTest::qWait(5);
    }
    QVERIFY(m_client->isConnected());
    messages = m_client->exchangeRaw(RemoteClient::frame("GetVersionNumber", { QJsonObject() }, "b"));
    QCOMPARE(messages.size(), 2);
    QCOMPARE(messages.at(0), ackOf("b"));
}

void TestRemoteProtocol::clientsDoNotMixTheirFrames()
{
    RemoteClient second;
    QVERIFY(second.connectToServer());
    second.exchange(QByteArray());
    m_client->takeMessages();

    // Each client's half frame stays its own while the other client's bytes arrive in between.
    const QByteArray a = RemoteClient::frame("GetVersionNumber", { QJsonObject() }, "client-a");
    const QByteArray b = RemoteClient::frame("GetCurrentSequenceName", { QJsonObject() }, "client-b");
    m_client->send(a.left(30));
    QTest::qWait(20);
    second.send(b.left(25));
    QTest::qWait(20);
    m_client->send(a.mid(30));
    QTest::qWait(20);
    second.send(b.mid(25));
    QVERIFY(second.waitForMessages(4));
    QList<QByteArray> received = second.takeMessages();
    QCOMPARE(received.at(0), ackOf("client-a"));
    QCOMPARE(received.at(2), ackOf("client-b"));
    QVERIFY(m_client->waitForMessages(4));
    m_client->takeMessages();
}

void TestRemoteProtocol::dataThatIsNoListOfObjects()
{
    // Items that are no objects read as empty objects; a Data that is no list reads as an empty list.
    QList<QJsonObject> messages = m_client->exchange(
        "\t{\"Header\":{\"Type\":\"Sema\",\"Section\":\"GetVersionNumber\",\"ID\":\"x\"},\"Data\":[1,\"a\",null]}\x02");
    QCOMPARE(messages.size(), 2);
    messages = m_client->exchange("\t{\"Header\":{\"Type\":\"Sema\",\"Section\":\"SetSequence\",\"ID\":\"x\"},\"Data\":"
                                  "{\"SequenceId\":\"A\"}}\x02");
    QCOMPARE(messages.size(), 2);
    QCOMPARE(
        RemoteClient::firstData(messages.at(1)), QJsonObject({ { "Error", "Error sequence" }, { "ErrorIndex", 14 } }));
    messages = m_client->exchange("\t{\"Header\":{\"Type\":\"Sema\",\"Section\":\"SetSettings\",\"ID\":\"x\"},\"Data\":"
                                  "[7,[],\"Language\",{}]}\x02");
    QCOMPARE(messages.size(), 1);
    messages = m_client->exchange("\t{\"Header\":{\"Type\":\"Sema\",\"Section\":\"SetSettings\",\"ID\":\"x\"},"
                                  "\"Data\":[{\"Language\":1e300,\"Brightness\":\"80\",\"IsHighContrast\":1}]}\x02");
    QCOMPARE(messages.size(), 2);
    QCOMPARE(
        RemoteClient::firstData(messages.at(1)), QJsonObject({ { "Error", "Error language" }, { "ErrorIndex", 8 } }));
    QVERIFY(m_vantor->isRunning());
}

VANTOR_TEST_CLASS(TestRemoteProtocol)
#include "tst_remoteprotocol.moc"
