#include "remoteclient.h"
#include "testsupport/testmain.h"
#include "vantorprocess.h"

#include <QDir>
#include <QJsonDocument>
#include <QTest>
#include <QTimer>

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

// The limits the command port keeps (see the README's remote-control section).
constexpr int kMaxConnections = 2000;
constexpr qint64 kOutputBudgetBytes = 64 << 20;

QString customFolder() { return VantorProcess::dataPath() + QStringLiteral("/Custom"); }

QByteArray ackOf(const QByteArray& id)
{
    return "\t{\"Data\":[],\"Header\":{\"ID\":\"" + id + "\",\"Section\":\"\",\"Type\":\"SemaACK\"}}\x02";
}

// A stored sequence of about the given size: three intervals and a note that is kept as sent.
QJsonObject largeSequence(const QString& id, int bytes)
{
    const QJsonArray intervals = QJsonDocument::fromJson(R"([{"Time": -5, "Color": 2, "Sound": 1},
        {"Time": 0, "Color": 4, "Sound": 3}, {"Time": 5, "Color": 1, "Sound": 0}])")
                                     .array();
    return QJsonObject { { "SequenceId", id }, { "SequenceName", QStringLiteral("LARGE ") + id },
        { "Sequence", intervals }, { "Note", QString(bytes, QLatin1Char('n')) } };
}

// A client socket of its own, without Qt: many of them, or ones that never read.
class RawConnection
{
public:
    // receiveBuffer: a small receive buffer for a client that is not going to read.
    explicit RawConnection(int receiveBuffer = 0)
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        if (m_fd < 0)
            return;
        if (receiveBuffer > 0)
            ::setsockopt(m_fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_port = htons(21967);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~RawConnection()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    // Whether the connection still stands, seen without reading anything.
    bool isEstablished() const
    {
        tcp_info info {};
        socklen_t length = sizeof info;
        return ::getsockopt(m_fd, IPPROTO_TCP, TCP_INFO, &info, &length) == 0 && info.tcpi_state == TCP_ESTABLISHED;
    }
    // Reads and forgets what has arrived; true once the server has closed the connection.
    bool isClosedByServer()
    {
        char buffer[65536];
        for (;;) {
            const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, MSG_DONTWAIT);
            if (n == 0)
                return true;
            if (n < 0)
                return errno != EAGAIN && errno != EWOULDBLOCK;
        }
    }

private:
    int m_fd = -1;
};

// Lets this test hold more descriptors than a default limit gives; false when it may not.
bool allowDescriptors(rlim_t wanted)
{
    rlimit limit {};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return false;
    if (limit.rlim_cur >= wanted)
        return true;
    if (limit.rlim_max != RLIM_INFINITY && limit.rlim_max < wanted)
        return false;
    limit.rlim_cur = wanted;
    return ::setrlimit(RLIMIT_NOFILE, &limit) == 0;
}

} // namespace

// What the command port of the real program bears: replies of several MiB to every client, frames
// over the limit and bursts of large frames, many busy or idle connections, and clients that never
// read. Each client that reads keeps being served.
class TestRemoteLimits : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void oversizedFrameInOneWriteIsSkipped();
    void burstOfLargeFramesIsStored();
    void largeReplyReachesEveryClient();
    void freshClientIsServedBesideBusyConnections();
    void burstOfOneClientDoesNotHoldBackAnother();
    void clientsThatDoNotReadAreDroppedOverTheBudget();
    void smallMessagesToClientsThatDoNotReadCostBoundedMemory();
    void connectionsBeyondTheCapAreRefused();

private:
    // The messages the client receives for GetAllSequences, and the list of the reply.
    QJsonArray allSequences(RemoteClient& client);

    std::unique_ptr<VantorProcess> m_vantor;
    std::unique_ptr<RemoteClient> m_client;
};

void TestRemoteLimits::initTestCase()
{
    m_vantor = std::make_unique<VantorProcess>();
    QVERIFY2(m_vantor->start(), qPrintable(m_vantor->output()));
    m_client = std::make_unique<RemoteClient>();
    QVERIFY(m_client->connectToServer());
    for (const QString& name : QDir(customFolder()).entryList(QDir::Files))
        QFile::remove(customFolder() + '/' + name);
}

void TestRemoteLimits::cleanup()
{
    // A test that left its client away, or failed while it was, gives the next one a connected client.
    if (!m_client->isConnected()) {
        m_client->clear();
        QVERIFY(m_client->connectToServer());
    }
}

void TestRemoteLimits::cleanupTestCase()
{
    m_client.reset();
    m_vantor.reset();
}

QJsonArray TestRemoteLimits::allSequences(RemoteClient& client)
{
    const QList<QJsonObject> messages = client.exchange(RemoteClient::frame("GetAllSequences"), 30000);
    if (messages.size() != 2)
        return QJsonArray();
    return RemoteClient::firstData(messages.at(1)).value("Sequences").toArray();
}

void TestRemoteLimits::oversizedFrameInOneWriteIsSkipped()
{
    // A JSON text of 2 MiB and a good request, written at once: the first is skipped, the second answered.
    const QByteArray huge = "\t{\"Header\":{\"Type\":\"Sema\",\"Section\":\"GetVersionNumber\",\"ID\":\"huge\"},"
                            "\"Data\":[{}]"
        + QByteArray(2 << 20, ' ') + "}\x02";
    QList<QByteArray> messages
        = m_client->exchangeRaw(huge + RemoteClient::frame("GetVersionNumber", { QJsonObject() }, "after"), 30000);
    QCOMPARE(messages.size(), 2);
    QCOMPARE(messages.at(0), ackOf("after"));
    QVERIFY(m_client->isConnected());

    // The same frame split over many writes, then another request on the same connection.
    for (int i = 0; i < huge.size(); i += 256 * 1024)
        m_client->send(huge.mid(i, 256 * 1024));
    messages = m_client->exchangeRaw(RemoteClient::frame("GetVersionNumber", { QJsonObject() }, "again"), 30000);
    QCOMPARE(messages.size(), 2);
    QCOMPARE(messages.at(0), ackOf("again"));
}

void TestRemoteLimits::burstOfLargeFramesIsStored()
{
    QByteArray burst;
    const QStringList ids { "BURST-1", "BURST-2", "BURST-3" };
    for (const QString& id : ids)
        burst += RemoteClient::frame("SetSequence", { largeSequence(id, 745 * 1000) }, id);
    const QList<QByteArray> messages = m_client->exchangeRaw(burst, 60000);
    QCOMPARE(messages, QList<QByteArray>({ ackOf("BURST-1"), ackOf("BURST-2"), ackOf("BURST-3") }));

    QStringList stored;
    for (const QJsonValue& text : allSequences(*m_client))
        stored << QJsonDocument::fromJson(text.toString().toUtf8()).object().value("SequenceId").toString();
    for (const QString& id : ids)
        QVERIFY2(stored.contains(id), qPrintable(stored.join(' ')));
}

void TestRemoteLimits::largeReplyReachesEveryClient()
{
    // Stored sequences make a reply of several MiB (three from the burst before and three more).
    for (int i = 1; i <= 3; ++i) {
        const QString id = QStringLiteral("LARGE-%1").arg(i);
        QCOMPARE(
            m_client->exchange(RemoteClient::frame("SetSequence", { largeSequence(id, 700 * 1000) }, id), 30000).size(),
            1);
    }
    RemoteClient second;
    QVERIFY(second.connectToServer());
    QCOMPARE(second.exchange(QByteArray()).size(), 0);
    m_client->takeMessages();

    // Both ask, both receive both replies whole, and both are served again afterwards.
    for (int round = 0; round < 2; ++round) {
        m_client->send(RemoteClient::frame("GetAllSequences", { QJsonObject() }, "first"));
        second.send(RemoteClient::frame("GetAllSequences", { QJsonObject() }, "second"));
        for (RemoteClient* client : { m_client.get(), &second }) {
            QVERIFY(client->waitForMessages(4, 30000));
            const QList<QByteArray> messages = client->takeMessages();
            QCOMPARE(messages.size(), 4);
            int replies = 0;
            for (const QByteArray& message : messages) {
                const QJsonObject parsed = RemoteClient::parse(message);
                if (RemoteClient::header(parsed).value("Section").toString() != QLatin1String("GetAllSequences"))
                    continue;
                ++replies;
                QVERIFY(message.size() > 4 << 20);
                QCOMPARE(RemoteClient::firstData(parsed).value("Sequences").toArray().size(), 12);
            }
            QCOMPARE(replies, 2);
            QVERIFY(client->isConnected());
        }
    }
    QCOMPARE(second.exchange(RemoteClient::frame("GetVersionNumber")).size(), 2);
    // What the second client caused reaches the first as well; then the first asks on its own.
    m_client->exchange(QByteArray());
    QCOMPARE(m_client->exchange(RemoteClient::frame("GetVersionNumber")).size(), 2);
}

void TestRemoteLimits::freshClientIsServedBesideBusyConnections()
{
    // A hundred connections each stream large frames that never end, and go on streaming while the
    // fresh client waits, each new frame abandoning the one before it: a server that waited for any
    // of those frames to end would never answer the fresh client.
    std::vector<std::unique_ptr<QTcpSocket>> busy;
    const QByteArray start = "\t{\"Header\":{\"Type\":\"Sema\",\"Section\":\"GetVersionNumber\"},\"Data\":[{\"Pad\":\"";
    int streaming = 0;
    for (int i = 0; i < 100; ++i) {
        busy.push_back(std::make_unique<QTcpSocket>());
        QTcpSocket* socket = busy.back().get();
        socket->connectToHost(QHostAddress::LocalHost, 21967);
        QVERIFY(socket->waitForConnected(5000));
        QObject::connect(socket, &QTcpSocket::bytesWritten, [&streaming, socket]() {
            streaming += socket->property("streaming").toBool() ? 0 : 1;
            socket->setProperty("streaming", true);
        });
        socket->write(start + QByteArray(900 * 1000, 'p'));
    }
    int ticks = 0;
    QTimer more;
    QObject::connect(&more, &QTimer::timeout, [&]() {
        ++ticks;
        for (const auto& socket : busy)
            socket->write(start + QByteArray(1024, 'p'));
    });
    more.start(100);
    // Every busy connection has begun, and goes on, before the fresh client comes.
    QTRY_VERIFY_WITH_TIMEOUT(streaming == int(busy.size()) && ticks >= 3, 30000);

    RemoteClient fresh;
    QVERIFY(fresh.connectToServer());
    fresh.send(RemoteClient::frame("GetVersionNumber", { QJsonObject() }, "fresh"));
    QVERIFY(fresh.waitForMessage([](const QByteArray& m) { return m == ackOf("fresh"); }, 60000).size() > 0);
    // The busy connections were there, and streaming, all the while.
    for (const auto& socket : busy)
        QCOMPARE(socket->state(), QAbstractSocket::ConnectedState);
    more.stop();
    busy.clear();
    m_client->takeMessages();
}

void TestRemoteLimits::burstOfOneClientDoesNotHoldBackAnother()
{
    // One client asks for twenty large replies at once; another asks once right after. Its answer
    // comes before the burst is through: every connection gets a request served in turn.
    RemoteClient other;
    QVERIFY(other.connectToServer());
    QCOMPARE(other.exchange(QByteArray()).size(), 0);
    m_client->exchange(QByteArray());
    QByteArray burst;
    for (int i = 0; i < 20; ++i)
        burst += RemoteClient::frame("GetAllSequences", { QJsonObject() }, QStringLiteral("burst-%1").arg(i));
    m_client->send(burst);
    QVERIFY(m_client->waitForMessage([](const QByteArray& m) { return m == ackOf("burst-0"); }, 30000).size() > 0);
    other.send(RemoteClient::frame("GetVersionNumber", { QJsonObject() }, "between"));
    int burstReplies = 0;
    const QByteArray answered = other.waitForMessage(
        [&](const QByteArray& m) {
            burstReplies += m.contains("\"Section\":\"GetAllSequences\"") ? 1 : 0;
            return m == ackOf("between");
        },
        30000);
    QVERIFY(answered.size() > 0);
    QVERIFY2(burstReplies < 10, qPrintable(QString::number(burstReplies)));
    // The burst is served whole all the same.
    QVERIFY(m_client->waitForMessage([](const QByteArray& m) { return m == ackOf("burst-19"); }, 60000).size() > 0);
    m_client->exchange(QByteArray(), 60000);
}

void TestRemoteLimits::clientsThatDoNotReadAreDroppedOverTheBudget()
{
    // The stored sequences make each reply several MiB; the replies asked for here are more than the
    // output budget when clients do not take them.
    std::vector<std::unique_ptr<RawConnection>> stuck;
    for (int i = 0; i < 10; ++i) {
        stuck.push_back(std::make_unique<RawConnection>(4096));
        QVERIFY(stuck.back()->isOpen());
    }
    QCOMPARE(m_client->exchange(QByteArray()).size(), 0);
    const int requests = 30;
    for (int i = 0; i < requests; ++i)
        m_client->send(RemoteClient::frame("GetAllSequences", { QJsonObject() }, QStringLiteral("ask-%1").arg(i)));
    qint64 replyBytes = 0;
    for (int i = 0; i < requests; ++i) {
        const QByteArray reply = m_client->waitForMessage(
            [](const QByteArray& m) { return m.contains("\"Section\":\"GetAllSequences\""); }, 60000);
        QVERIFY2(reply.contains("GetAllSequences"), qPrintable(QStringLiteral("reply %1 missing").arg(i)));
        replyBytes += reply.size();
    }
    QVERIFY(replyBytes > kOutputBudgetBytes);
    QVERIFY(m_client->isConnected());
    QVERIFY(m_vantor->waitForLog(QStringLiteral("TCP client dropped: it does not read")));
    for (auto& connection : stuck)
        QTRY_VERIFY_WITH_TIMEOUT(connection->isClosedByServer(), 10000);
    // The log tells of every one, those dropped together summed up in one line.
    QTRY_COMPARE_WITH_TIMEOUT(VantorProcess::droppedClients(m_vantor->log()), int(stuck.size()), 10000);
    QCOMPARE(m_client->exchange(RemoteClient::frame("GetVersionNumber")).size(), 2);
}

void TestRemoteLimits::smallMessagesToClientsThatDoNotReadCostBoundedMemory()
{
    constexpr int kSilent = 200;
    constexpr int kRequests = 30000;
    if (!allowDescriptors(kSilent + 512))
        QSKIP("this process may not open enough descriptors");
    // The test's own client would not read during the flood either: it leaves and comes back after.
    m_client->disconnectFromServer();
    const int logStart = m_vantor->log().size();
    const qint64 idleKiB = m_vantor->residentKiB();
    QVERIFY(idleKiB > 0);

    // Connections that never read, with small receive buffers: they soon take nothing more.
    std::vector<std::unique_ptr<RawConnection>> silent;
    for (int i = 0; i < kSilent; ++i) {
        silent.push_back(std::make_unique<RawConnection>(4096));
        QVERIFY(silent.back()->isOpen());
    }
    // A client that sends many small requests at once and reads every answer.
    QTcpSocket pipelining;
    qint64 answers = 0;
    QObject::connect(&pipelining, &QTcpSocket::readyRead, [&]() { answers += pipelining.readAll().count('\x02'); });
    pipelining.connectToHost(QHostAddress::LocalHost, 21967);
    QVERIFY(pipelining.waitForConnected(5000));
    QByteArray requests;
    for (int i = 0; i < kRequests; ++i)
        requests += RemoteClient::frame("GetVersionNumber");
    qint64 mostKiB = idleKiB;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&]() { mostKiB = qMax(mostKiB, m_vantor->residentKiB()); });
    sampler.start(20);
    pipelining.write(requests);

    // Halfway through, a client that reads everything is answered.
    QTRY_VERIFY_WITH_TIMEOUT(answers >= kRequests, 120000);
    RemoteClient bystander;
    QVERIFY(bystander.connectToServer());
    bystander.send(RemoteClient::frame("GetVersionNumber", { QJsonObject() }, "bystander"));
    QVERIFY(bystander.waitForMessage([](const QByteArray& m) { return m == ackOf("bystander"); }, 60000).size() > 0);
    // Each request is an acknowledgement and a reply; those of the bystander come too.
    QTRY_VERIFY_WITH_TIMEOUT(answers >= 2 * kRequests + 2, 120000);
    sampler.stop();
    // Every message waits for every silent connection, yet what waits is held once: far less than an
    // entry per message and connection would take.
    QVERIFY2(mostKiB - idleKiB < 32 * 1024,
        qPrintable(QStringLiteral("%1 KiB idle, %2 KiB at most").arg(idleKiB).arg(mostKiB)));

    // The silent connections are dropped, the memory they held is given back, and the log sums the
    // drops up instead of writing a line for each.
    for (const auto& connection : silent)
        QTRY_VERIFY_WITH_TIMEOUT(!connection->isEstablished(), 30000);
    QTRY_VERIFY2_WITH_TIMEOUT(m_vantor->residentKiB() - idleKiB < 16 * 1024,
        qPrintable(QStringLiteral("%1 KiB idle, %2 KiB now").arg(idleKiB).arg(m_vantor->residentKiB())), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(VantorProcess::droppedClients(m_vantor->log().mid(logStart)), kSilent, 10000);
    const QStringList dropLines = m_vantor->log().mid(logStart).split('\n').filter(QStringLiteral(" dropped: "));
    QVERIFY2(dropLines.size() < kSilent / 10, qPrintable(dropLines.join('\n')));

    bystander.disconnectFromServer();
    m_client->clear();
    QVERIFY(m_client->connectToServer());
    QCOMPARE(m_client->exchange(RemoteClient::frame("GetVersionNumber")).size(), 2);
}

void TestRemoteLimits::connectionsBeyondTheCapAreRefused()
{
    if (!allowDescriptors(kMaxConnections + 200))
        QSKIP("this process may not open enough descriptors");
    // The clients of the tests before have gone. With the test's own client connected, the last of
    // these is one beyond the cap.
    QTest::qWait(500);
    std::vector<std::unique_ptr<RawConnection>> idle;
    for (int i = 0; i < kMaxConnections; ++i) {
        idle.push_back(std::make_unique<RawConnection>());
        QVERIFY2(idle.back()->isOpen(), qPrintable(QStringLiteral("connection %1: %2").arg(i).arg(strerror(errno))));
    }
    QVERIFY(m_vantor->waitForLog(QStringLiteral("TCP client refused"), 30000));
    QTRY_VERIFY_WITH_TIMEOUT(idle.back()->isClosedByServer(), 10000);
    for (size_t i = 0; i + 1 < idle.size(); i += 97)
        QVERIFY2(!idle.at(i)->isClosedByServer(), qPrintable(QString::number(i)));
    // The clients within the cap are served.
    QCOMPARE(m_client->exchange(RemoteClient::frame("GetVersionNumber")).size(), 2);

    // Once clients leave, newcomers are accepted again.
    idle.erase(idle.begin(), idle.begin() + 10);
    QTest::qWait(200);
    RemoteClient newcomer;
    QVERIFY(newcomer.connectToServer());
    QCOMPARE(newcomer.exchange(RemoteClient::frame("GetVersionNumber")).size(), 2);
}

VANTOR_TEST_CLASS(TestRemoteLimits)
#include "tst_remotelimits.moc"
