#include "remoteclient.h"
#include "testsupport/testmain.h"
#include "vantorprocess.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QTest>

#include <memory>

namespace {

// A request from the radio partner with its length field and checksum filled in.
QByteArray request(const QByteArray& commandAndPayload)
{
    QByteArray frame = "$0000" + commandAndPayload;
    frame.replace(1, 4, QByteArray::number(frame.size() + 3, 16).toUpper().rightJustified(4, '0'));
    quint8 sum = 0;
    for (const char byte : frame)
        sum = quint8(sum + quint8(byte));
    return frame + QByteArray::number(sum, 16).toUpper().rightJustified(2, '0') + '\r';
}

QByteArray switchRequest(const QByteArray& flags, const QByteArray& enable)
{
    return request("7011" + flags + enable + "0000000012345678" + "00" + QByteArray(44, '0'));
}

const QByteArray kSwitchAnswer = "!000C7011BD\r";
const QByteArray kPlainSwitch = "$000C7011C0\r";

} // namespace

// The synchronisation frames of the radio partner, sent to the real program on a connection of their
// own: a JSON request leaves its connection reading JSON for a second, and a "$" would be lost.
class TestSynchroFrames : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void workedExample();
    void badFramesGetNoAnswer_data();
    void badFramesGetNoAnswer();
    void newDollarRestartsTheFrame();
    void switchOnThenSynchronise();

private:
    QList<QByteArray> answers(const QByteArray& bytes, int expected);

    std::unique_ptr<VantorProcess> m_vantor;
    std::unique_ptr<RemoteClient> m_partner;
    std::unique_ptr<RemoteClient> m_client;
};

void TestSynchroFrames::initTestCase()
{
    m_vantor = std::make_unique<VantorProcess>();
    QVERIFY2(m_vantor->start(), qPrintable(m_vantor->output()));
    m_partner = std::make_unique<RemoteClient>();
    QVERIFY(m_partner->connectToServer());
    m_client = std::make_unique<RemoteClient>();
    QVERIFY(m_client->connectToServer());
}

void TestSynchroFrames::cleanupTestCase()
{
    m_partner.reset();
    m_client.reset();
    m_vantor.reset();
}

// Sends the bytes and returns the synchronisation answers on the partner's connection once the
// expected number has come and a short while has passed without more. The JSON messages the other
// client causes reach the partner too; they are left out.
QList<QByteArray> TestSynchroFrames::answers(const QByteArray& bytes, int expected)
{
    QList<QByteArray> received;
    const auto collect = [&]() {
        for (const QByteArray& message : m_partner->takeMessages()) {
            if (message.startsWith('!'))
                received << message;
        }
    };
    collect();
    received.clear();
    m_partner->send(bytes);
    QElapsedTimer clock;
    clock.start();
    while (received.size() < expected && clock.elapsed() < 5000) {
        QTest::qWait(5);
        collect();
    }
    QTest::qWait(100);
    collect();
    m_client->takeMessages();
    return received;
}

void TestSynchroFrames::workedExample()
{
    QCOMPARE(answers(kPlainSwitch, 1), QList<QByteArray> { kSwitchAnswer });
    // Every connected client receives the answer.
    m_partner->send(kPlainSwitch);
    QVERIFY(m_client->waitForMessages(1));
    QCOMPARE(m_client->takeMessages(), QList<QByteArray> { kSwitchAnswer });
    QVERIFY(m_partner->waitForMessages(1));
    m_partner->takeMessages();
}

void TestSynchroFrames::badFramesGetNoAnswer_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("checksum off by one") << QByteArray("$000C7011C1\r");
    QTest::newRow("length says 13") << QByteArray("$000D7011C1\r");
    QTest::newRow("too short") << QByteArray("$7011C0\r");
    QTest::newRow("unknown command") << request("7012");
    QTest::newRow("state without a connection") << request("7010");
    QTest::newRow("noise") << QByteArray("$\r");
}

void TestSynchroFrames::badFramesGetNoAnswer()
{
    QFETCH(QByteArray, frame);
    // The good frame after it is answered, and it alone.
    QCOMPARE(answers(frame + kPlainSwitch, 1), QList<QByteArray> { kSwitchAnswer });
}

void TestSynchroFrames::newDollarRestartsTheFrame()
{
    QCOMPARE(answers("$000C70" + kPlainSwitch, 1), QList<QByteArray> { kSwitchAnswer });
}

void TestSynchroFrames::switchOnThenSynchronise()
{
    m_client->exchange(RemoteClient::frame("SetGPSSyncMode", { QJsonObject { { "GPSSyncMode", 2 } } }));

    // Switching on (with a valid time in the same frame) turns GPS synchronisation off and does not
    // synchronise yet.
    QCOMPARE(answers(switchRequest("FF800000", "01"), 1), QList<QByteArray> { kSwitchAnswer });
    QList<QJsonObject> messages = m_client->exchange(RemoteClient::frame("GetGPSSyncMode"));
    QCOMPARE(RemoteClient::firstData(messages.at(1)), QJsonObject({ { "GPSSyncMode", 0 } }));
    messages = m_client->exchange(RemoteClient::frame("SetGPSSyncMode", { QJsonObject { { "GPSSyncMode", 1 } } }));
    QCOMPARE(messages.size(), 1);
    m_client->exchange(RemoteClient::frame("SetGPSSyncMode", { QJsonObject { { "GPSSyncMode", 0 } } }));

    // A valid time from a partner switched on synchronises: GPS modes are refused from now on.
    QCOMPARE(answers(switchRequest("FF800000", "01"), 1), QList<QByteArray> { kSwitchAnswer });
    messages = m_client->exchange(RemoteClient::frame("SetGPSSyncMode", { QJsonObject { { "GPSSyncMode", 2 } } }));
    QCOMPARE(messages.size(), 2);
    QCOMPARE(RemoteClient::firstData(messages.at(1)),
        QJsonObject({ { "Error", "Error to set GPS mode because Ambrel is enabled" }, { "ErrorIndex", 19 } }));

    // Switching off ends it.
    QCOMPARE(answers(switchRequest("80000000", "00"), 1), QList<QByteArray> { kSwitchAnswer });
    messages = m_client->exchange(RemoteClient::frame("SetGPSSyncMode", { QJsonObject { { "GPSSyncMode", 0 } } }));
    QCOMPARE(messages.size(), 1);
}

VANTOR_TEST_CLASS(TestSynchroFrames)
#include "tst_synchroframes.moc"
