#include "remote/outgoingmessage.h"
#include "remote/serial.h"
#include "remote/socketthread.h"
#include "testsupport/testmain.h"
#include "vantorprocess.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QThread>

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <memory>
#include <mutex>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace Vl::Tavix3::UI;

namespace {

// A remote client on 127.0.0.1 that collects everything the server sends.
class Client : public QObject
{
public:
    explicit Client(qint64 readBufferSize = 0)
    {
        if (readBufferSize > 0)
            socket.setReadBufferSize(readBufferSize);
        else
            connect(&socket, &QTcpSocket::readyRead, this, [this]() { received += socket.readAll(); });
        socket.connectToHost(QHostAddress::LocalHost, Serial::kPort);
    }

    bool isConnected() const { return socket.state() == QAbstractSocket::ConnectedState; }

    QTcpSocket socket;
    QByteArray received;
};

// A client that reads on a thread of its own, so that what it receives is seen while the thread of
// the server is held.
class ThreadedClient
{
public:
    ThreadedClient()
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_port = htons(Serial::kPort);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
            return;
        m_reader = std::thread([this]() {
            char buffer[65536];
            pollfd fd { m_fd, POLLIN, 0 };
            while (!m_stop) {
                if (::poll(&fd, 1, 20) <= 0)
                    continue;
                const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
                if (n <= 0)
                    break;
                std::lock_guard<std::mutex> lock(m_mutex);
                m_received.append(buffer, int(n));
            }
        });
    }
    ~ThreadedClient()
    {
        m_stop = true;
        if (m_reader.joinable())
            m_reader.join();
        ::close(m_fd);
    }

    QByteArray received() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_received;
    }
    // Waits without running any event loop of the calling thread.
    bool waitForSize(int size, int timeoutMs) const
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (received().size() < size) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

private:
    int m_fd = -1;
    std::thread m_reader;
    std::atomic<bool> m_stop { false };
    mutable std::mutex m_mutex;
    QByteArray m_received;
};

// While it lives, takes the log's lines about dropped clients instead of printing them.
class DropLines
{
public:
    DropLines()
    {
        s_current = this;
        m_previous = qInstallMessageHandler(&DropLines::handle);
    }
    ~DropLines()
    {
        qInstallMessageHandler(m_previous);
        s_current = nullptr;
    }

    const QStringList& lines() const { return m_lines; }
    // The clients the lines report dropped.
    int dropped() const { return VantorProcess::droppedClients(m_lines.join('\n')); }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (type == QtWarningMsg && message.contains(QLatin1String(" dropped: ")))
            s_current->m_lines.append(message);
        else
            s_current->m_previous(type, context, message);
    }

    static DropLines* s_current;
    QtMessageHandler m_previous = nullptr;
    QStringList m_lines;
};

DropLines* DropLines::s_current = nullptr;

QByteArray drain(Serial& serial, int portId)
{
    QByteArray bytes;
    char byte = 0;
    while (serial.readByte({ portId, SerialEnum::SER_PCA }, byte))
        bytes.append(byte);
    return bytes;
}

} // namespace

// The TCP server on port 21967 with real clients: what every client receives, what reaches the
// command server's input, and the limits that keep one client from hurting the others.
class TestTcpServer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void everyClientReceivesWhatIsSent();
    void clientInputStaysApart();
    void disconnectedClientIsReleased();
    void inputSentBeforeLeavingIsStillRead();
    void clientSendingTooMuchIsHeldBack();
    void slowReaderIsJudgedOverTime_data();
    void slowReaderIsJudgedOverTime();
    void dropsAreSummedUpInTheLog();
    void memoryOfDroppedClientsIsGivenBack();
    void outputBudgetDropsTheClientsFurthestBehind();
    void immediateTextsLeaveWhileTheGuiThreadIsBusy();
    void batchedTextsLeaveWhenTheBatchEnds();
    void clientsSendWithoutDelay();
    void failedListenIsReported();

private:
    // Connects n clients and waits until the server holds all of them.
    bool connectClients(int n);
    // The regular check of the clients; a client it drops is gone when it returns.
    void checkClients();

    std::unique_ptr<Serial> m_serial;
    std::vector<std::unique_ptr<Client>> m_clients;
};

void TestTcpServer::init()
{
    m_serial = std::make_unique<Serial>();
    QVERIFY(m_serial->startServer());
}

void TestTcpServer::cleanup()
{
    m_clients.clear();
    m_serial.reset();
}

bool TestTcpServer::connectClients(int n)
{
    for (int i = 0; i < n; ++i) {
        m_clients.push_back(std::make_unique<Client>());
        // One at a time, so that the server's port order is the clients' order.
        const int expected = m_serial->clientCount() + 1;
        if (!QTest::qWaitFor(
                [&]() { return m_clients.back()->isConnected() && m_serial->clientCount() == expected; }, 5000))
            return false;
    }
    return true;
}

void TestTcpServer::checkClients()
{
    m_serial->checkClients();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestTcpServer::everyClientReceivesWhatIsSent()
{
    QVERIFY(connectClients(2));
    const QString hidden = QStringLiteral("\tnot for PC port A\x02");
    const QString pushed = QStringLiteral("\t{\"Data\":[],\"Header\":{\"Section\":\"Status\"}}\x02");
    m_serial->serialOutText(30, 0, hidden);
    m_serial->serialOutText(SerialInfoType { Serial::kVirtualPortId, SerialEnum::SER_VIRTUAL }, hidden);
    m_serial->serialOutText(31, 0, pushed);
    m_serial->serialOutText(SerialInfoType { m_serial->clientPortIds().at(0), SerialEnum::SER_PCA }, pushed);
    const QByteArray expected = (pushed + pushed).toUtf8();
    QTRY_COMPARE(m_clients[0]->received, expected);
    QTRY_COMPARE(m_clients[1]->received, expected);

    // Texts sent from another thread arrive whole and in order.
    std::unique_ptr<QThread> sender(QThread::create([this]() {
        for (int i = 0; i < 100; ++i)
            m_serial->serialOutText(31, 0, QStringLiteral("\t%1\x02").arg(i));
    }));
    sender->start();
    QVERIFY(sender->wait(5000));
    QByteArray numbers;
    for (int i = 0; i < 100; ++i)
        numbers += QStringLiteral("\t%1\x02").arg(i).toUtf8();
    QTRY_COMPARE(m_clients[0]->received, expected + numbers);
    QTRY_COMPARE(m_clients[1]->received, expected + numbers);
}

void TestTcpServer::clientInputStaysApart()
{
    QVERIFY(connectClients(2));
    const QList<int> ports = m_serial->clientPortIds();
    QCOMPARE(ports.size(), 2);
    QVERIFY(ports.at(0) != ports.at(1));
    QVERIFY(!ports.contains(Serial::kVirtualPortId) && !ports.contains(0));

    // A frame of the first client is split, and the second client sends between its halves.
    auto sendAndWait = [this](Client& client, const QByteArray& bytes, int portId) {
        const int before = m_serial->noticeQueue().size();
        client.socket.write(bytes);
        if (!QTest::qWaitFor([&]() { return m_serial->noticeQueue().size() > before; }, 5000))
            return false;
        SerialInfoType notice;
        return m_serial->noticeQueue().take(notice, 0) && notice.portId == portId && notice.type == SerialEnum::SER_PCA;
    };
    QVERIFY(sendAndWait(*m_clients[0], "\t{\"Header\":", ports.at(0)));
    QVERIFY(sendAndWait(*m_clients[1], "\t{\"B\":1}\x02", ports.at(1)));
    QVERIFY(sendAndWait(*m_clients[0], "{\"A\":2}}\x02", ports.at(0)));

    QCOMPARE(drain(*m_serial, ports.at(0)), QByteArray("\t{\"Header\":{\"A\":2}}\x02"));
    QCOMPARE(drain(*m_serial, ports.at(1)), QByteArray("\t{\"B\":1}\x02"));
    QVERIFY(m_serial->isBufferEmpty({ ports.at(0), SerialEnum::SER_PCA }));
}

void TestTcpServer::disconnectedClientIsReleased()
{
    QVERIFY(connectClients(3));
    m_clients[1]->socket.disconnectFromHost();
    QTRY_COMPARE(m_serial->clientCount(), 2);
    m_serial->serialOutText(31, 0, QStringLiteral("after"));
    QTRY_COMPARE(m_clients[0]->received, QByteArray("after"));
    QTRY_COMPARE(m_clients[2]->received, QByteArray("after"));
    QCOMPARE(m_clients[1]->received, QByteArray());

    // A new client after the departure is served too; closing the server later touches no
    // released socket.
    QVERIFY(connectClients(1));
    m_serial->serialOutText(31, 0, QStringLiteral("!"));
    QTRY_COMPARE(m_clients[3]->received, QByteArray("!"));
    QTRY_COMPARE(m_clients[0]->received, QByteArray("after!"));
}

void TestTcpServer::inputSentBeforeLeavingIsStillRead()
{
    QVERIFY(connectClients(1));
    const int port = m_serial->clientPortIds().at(0);
    m_clients[0]->socket.write("\t{\"last words\":1}\x02");
    m_clients[0]->socket.disconnectFromHost();
    QTRY_COMPARE(m_serial->clientCount(), 0);
    QCOMPARE(m_serial->noticeQueue().size(), 1);
    QCOMPARE(drain(*m_serial, port), QByteArray("\t{\"last words\":1}\x02"));
    QVERIFY(m_serial->isBufferEmpty({ port, SerialEnum::SER_PCA }));
}

void TestTcpServer::clientSendingTooMuchIsHeldBack()
{
    QVERIFY(connectClients(2));
    const int flooding = m_serial->clientPortIds().at(0);
    const int other = m_serial->clientPortIds().at(1);
    QSignalSpy dropped(&m_clients[0]->socket, &QTcpSocket::disconnected);

    // Far more than the server holds for a client, and nobody reads it yet.
    QByteArray flood;
    for (int i = 0; flood.size() < 4 * Serial::kMaxPendingInputBytes; ++i)
        flood += QByteArray::number(i) + ' ';
    m_clients[0]->socket.write(flood);
    QTRY_COMPARE(m_serial->heldInputBytes(), qint64(Serial::kMaxPendingInputBytes));
    QTest::qWait(200);
    QCOMPARE(m_serial->heldInputBytes(), qint64(Serial::kMaxPendingInputBytes));

    // The other client is still heard meanwhile.
    m_clients[1]->socket.write("\tping\x02");
    QTRY_VERIFY(!m_serial->isBufferEmpty({ other, SerialEnum::SER_PCA }));
    QCOMPARE(drain(*m_serial, other), QByteArray("\tping\x02"));

    // Reading makes room: the rest follows, whole and in order, and nobody was dropped.
    QByteArray received;
    QVERIFY(QTest::qWaitFor(
        [&]() {
            received += drain(*m_serial, flooding);
            return received.size() >= flood.size();
        },
        10000));
    QCOMPARE(received, flood);
    QCOMPARE(dropped.count(), 0);
    QCOMPARE(m_serial->clientCount(), 2);
    QCOMPARE(m_serial->heldInputBytes(), qint64(0));
}

void TestTcpServer::slowReaderIsJudgedOverTime_data()
{
    QTest::addColumn<int>("messageBytes");
    QTest::addColumn<int>("messages");
    QTest::addColumn<bool>("dropped");
    // Well beyond the limit, in many messages: the client does not keep up.
    QTest::newRow("many messages") << 64 * 1024 << 384 << true;
    // One message larger than the limit is never a reason on its own.
    QTest::newRow("one large message") << (24 << 20) << 1 << false;
}

void TestTcpServer::slowReaderIsJudgedOverTime()
{
    QFETCH(int, messageBytes);
    QFETCH(int, messages);
    QFETCH(bool, dropped);
    qint64 now = 0;
    m_serial->setClockForTesting([&now]() { return now; });
    QVERIFY(connectClients(1));
    // A client that takes in at most 1 KiB and never reads it.
    m_clients.push_back(std::make_unique<Client>(1024));
    QTRY_COMPARE(m_serial->clientCount(), 2);

    const QString block(messageBytes, QLatin1Char('s'));
    for (int i = 0; i < messages; ++i)
        m_serial->serialOutText(31, 0, block);
    const qint64 sent = qint64(messageBytes) * messages;
    // The reading client gets everything, whatever the other one does.
    QTRY_COMPARE_WITH_TIMEOUT(qint64(m_clients[0]->received.size()), sent, 20000);

    if (dropped)
        QTest::ignoreMessage(
            QtWarningMsg, QRegularExpression(QStringLiteral("TCP client dropped: .* waiting for more")));
    checkClients();
    QCOMPARE(m_serial->clientCount(), 2);
    now += SocketThread::kSlowReaderGraceMs - 1;
    checkClients();
    QCOMPARE(m_serial->clientCount(), 2);
    now += 1;
    checkClients();
    if (dropped) {
        QCOMPARE(m_serial->clientCount(), 1);
        // The connection itself ends, not only the server's record of it; the client, which reads
        // nothing, learns it from its operating system.
        const int fd = int(m_clients[1]->socket.socketDescriptor());
        const auto connectionEnded = [fd]() {
            tcp_info info {};
            socklen_t length = sizeof info;
            return ::getsockopt(fd, IPPROTO_TCP, TCP_INFO, &info, &length) == 0 && info.tcpi_state != TCP_ESTABLISHED;
        };
        QTRY_VERIFY(connectionEnded());
    } else
        QCOMPARE(m_serial->clientCount(), 2);

    m_serial->serialOutText(31, 0, QStringLiteral("end"));
    QTRY_VERIFY(m_clients[0]->received.endsWith("end"));
}

void TestTcpServer::dropsAreSummedUpInTheLog()
{
    qint64 now = 0;
    m_serial->setClockForTesting([&now]() { return now; });
    // A client that reads, and three that take in at most 1 KiB each and never read it.
    QVERIFY(connectClients(1));
    for (int i = 0; i < 3; ++i)
        m_clients.push_back(std::make_unique<Client>(1024));
    QTRY_COMPARE(m_serial->clientCount(), 4);
    const QString block(64 * 1024, QLatin1Char('s'));
    for (int i = 0; i < 384; ++i)
        m_serial->serialOutText(31, 0, block);
    QTRY_COMPARE_WITH_TIMEOUT(m_clients[0]->received.size(), 384 * block.size(), 20000);

    // All three stop reading at once and are dropped at once: one line tells of the first, and the
    // others are summed up once a second has passed.
    const DropLines log;
    checkClients();
    now += SocketThread::kSlowReaderGraceMs;
    checkClients();
    QCOMPARE(m_serial->clientCount(), 1);
    QCOMPARE(log.lines().size(), 1);
    QVERIFY2(log.lines().at(0).contains(QLatin1String("waiting for more than 5 s")), qPrintable(log.lines().at(0)));
    now += Serial::kLogIntervalMs - 1;
    checkClients();
    QCOMPARE(log.lines().size(), 1);
    now += 1;
    checkClients();
    QCOMPARE(log.lines().size(), 2);
    QCOMPARE(log.lines().at(1), QStringLiteral("TCP clients dropped: 2 more that did not read what was sent to them"));
    QCOMPARE(log.dropped(), 3);
    // Nothing more to tell.
    now += Serial::kLogIntervalMs;
    checkClients();
    QCOMPARE(log.lines().size(), 2);
}

void TestTcpServer::memoryOfDroppedClientsIsGivenBack()
{
    qint64 now = 0;
    m_serial->setClockForTesting([&now]() { return now; });
    m_clients.push_back(std::make_unique<Client>(1024));
    QTRY_COMPARE(m_serial->clientCount(), 1);
#if defined(__GLIBC__)
    ::malloc_trim(0);
#endif
    const qint64 before = VantorProcess::residentKiB(QCoreApplication::applicationPid());

    // Many small messages wait for a client that does not read: tens of MiB in small pieces.
    const QString text = QStringLiteral("\t{\"Data\":[{\"VersionNumber\":\"1.0.0\"}],\"Header\":{}}\x02");
    const int messages = 200000;
    for (int i = 0; i < messages; ++i)
        m_serial->serialOutText(31, 0, text, Serial::Delivery::Immediate);
    const qint64 held = m_serial->heldOutputBytes();
    QVERIFY2(held > messages / 2 * OutgoingMessage::costOf(text.size()), qPrintable(QString::number(held)));
    const qint64 most = VantorProcess::residentKiB(QCoreApplication::applicationPid());
    QVERIFY2(most - before > held / 2048, qPrintable(QStringLiteral("%1 KiB, then %2 KiB").arg(before).arg(most)));

    // Dropped, the client leaves nothing behind: the memory goes back to the system.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("TCP client dropped: .* waiting for more")));
    checkClients();
    now += SocketThread::kSlowReaderGraceMs;
    checkClients();
    QCOMPARE(m_serial->clientCount(), 0);
    QCOMPARE(m_serial->heldOutputBytes(), qint64(0));
    const qint64 after = VantorProcess::residentKiB(QCoreApplication::applicationPid());
    QVERIFY2(after - before < (most - before) / 4,
        qPrintable(QStringLiteral("%1 KiB, at most %2 KiB, then %3 KiB").arg(before).arg(most).arg(after)));
}

void TestTcpServer::outputBudgetDropsTheClientsFurthestBehind()
{
    // A reader on a thread of its own, as a client elsewhere would be, and three clients that never read.
    std::atomic<qint64> read { 0 };
    std::atomic<bool> stop { false };
    std::unique_ptr<QThread> reader(QThread::create([&]() {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, Serial::kPort);
        while (!stop) {
            if (socket.waitForReadyRead(50))
                read += socket.readAll().size();
        }
    }));
    std::atomic<qint64> now { 0 };
    m_serial->setClockForTesting([&now]() { return now.load(); });
    reader->start();
    QTRY_COMPARE(m_serial->clientCount(), 1);
    for (int i = 0; i < 3; ++i)
        m_clients.push_back(std::make_unique<Client>(1024));
    QTRY_COMPARE(m_serial->clientCount(), 4);
    const DropLines log;

    // Twice the budget, each message shared by all four clients; the reader keeps within a few
    // messages of what is sent.
    const QString block(1 << 20, QLatin1Char('b'));
    const int messages = int(2 * Serial::kOutputBudgetBytes / block.size());
    qint64 mostHeld = 0;
    for (int i = 0; i < messages; ++i) {
        // A message every tenth of a second: the clients that do not read soon take nothing more,
        // the reader goes on taking.
        now += 100;
        m_serial->serialOutText(31, 0, block);
        // The text goes out on this thread's next turn, as it would after a reply; only then is
        // the budget judged.
        QCoreApplication::processEvents();
        const qint64 sent = qint64(i + 1) * block.size();
        QVERIFY2(QTest::qWaitFor([&]() { return read >= sent - 4 * block.size(); }, 10000),
            qPrintable(QStringLiteral("%1 of %2 bytes read").arg(read).arg(sent)));
        mostHeld = qMax(mostHeld, m_serial->heldOutputBytes());
    }
    QTRY_COMPARE_WITH_TIMEOUT(read.load(), qint64(messages) * block.size(), 20000);
    QTRY_COMPARE(m_serial->clientCount(), 1);
    // Every drop is in the log, the first for the budget, the others with it or summed up after it.
    now += Serial::kLogIntervalMs;
    checkClients();
    QCOMPARE(log.dropped(), 3);
    QVERIFY2(log.lines().value(0).contains(QLatin1String("for all clients")), qPrintable(log.lines().join('\n')));
    stop = true;
    QVERIFY(reader->wait(5000));
    // Shared, the messages never cost more than the budget, the message that crossed it and the text
    // on its way to the clients.
    QVERIFY2(mostHeld <= Serial::kOutputBudgetBytes + 2 * block.size(), qPrintable(QString::number(mostHeld)));
    QTRY_COMPARE(m_serial->heldOutputBytes(), qint64(0));
}

void TestTcpServer::immediateTextsLeaveWhileTheGuiThreadIsBusy()
{
    // This thread is the server's GUI thread; from here on it runs no event loop until said.
    ThreadedClient first;
    ThreadedClient second;
    QTRY_COMPARE(m_serial->clientCount(), 2);
    const auto sendFromAnotherThread = [this](const QString& text) {
        std::thread sender([&]() { m_serial->serialOutText(31, 0, text, Serial::Delivery::Immediate); });
        sender.join();
    };

    // Sent at once, by the sending thread.
    sendFromAnotherThread(QStringLiteral("\tstatus 1\x02"));
    QVERIFY(first.waitForSize(10, 5000));
    QVERIFY(second.waitForSize(10, 5000));

    // A text that waits for the GUI thread holds back the texts after it: the order stays.
    m_serial->serialOutText(31, 0, QStringLiteral("\treply\x02"));
    sendFromAnotherThread(QStringLiteral("\tstatus 2\x02"));
    QVERIFY(!first.waitForSize(11, 200));
    QCOMPARE(first.received(), QByteArray("\tstatus 1\x02"));
    const QByteArray all("\tstatus 1\x02\treply\x02\tstatus 2\x02");
    QTRY_COMPARE(first.received(), all);
    QTRY_COMPARE(second.received(), all);

    // More than the operating system takes at once: the rest follows on the GUI thread, whole and
    // in order with what is sent after it.
    const QString large(8 << 20, QLatin1Char('L'));
    sendFromAnotherThread(large);
    sendFromAnotherThread(QStringLiteral("\tstatus 3\x02"));
    const int total = all.size() + large.size() + 10;
    QTRY_COMPARE_WITH_TIMEOUT(first.received().size(), total, 20000);
    QTRY_COMPARE_WITH_TIMEOUT(second.received().size(), total, 20000);
    QVERIFY(first.received().endsWith(QByteArray(1000, 'L') + "\tstatus 3\x02"));
    QCOMPARE(second.received(), first.received());
    QTRY_COMPARE(m_serial->heldOutputBytes(), qint64(0));
}

void TestTcpServer::batchedTextsLeaveWhenTheBatchEnds()
{
    ThreadedClient client;
    QTRY_COMPARE(m_serial->clientCount(), 1);
    std::atomic<int> step { 0 };
    std::thread server([&]() {
        m_serial->beginOutputBatch();
        m_serial->serialOutText(31, 0, QStringLiteral("\tack\x02"), Serial::Delivery::Immediate);
        m_serial->serialOutText(31, 0, QStringLiteral("\treply\x02"), Serial::Delivery::Immediate);
        step = 1;
        while (step != 2)
            std::this_thread::yield();
        // Before a wait the batch is flushed; what follows waits for the batch's end.
        m_serial->flushOutputBatch();
        m_serial->serialOutText(31, 0, QStringLiteral("\tlast\x02"), Serial::Delivery::Immediate);
        step = 3;
        while (step != 4)
            std::this_thread::yield();
        m_serial->endOutputBatch();
    });
    QVERIFY(QTest::qWaitFor([&]() { return step == 1; }, 5000));
    QVERIFY(!client.waitForSize(1, 200));
    step = 2;
    QVERIFY(client.waitForSize(12, 5000));
    QVERIFY(QTest::qWaitFor([&]() { return step == 3; }, 5000));
    QVERIFY(!client.waitForSize(13, 200));
    step = 4;
    server.join();
    QVERIFY(client.waitForSize(18, 5000));
    QCOMPARE(client.received(), QByteArray("\tack\x02\treply\x02\tlast\x02"));
}

void TestTcpServer::clientsSendWithoutDelay()
{
    QVERIFY(connectClients(1));
    const QList<QTcpSocket*> sockets = m_serial->findChildren<QTcpSocket*>();
    QCOMPARE(sockets.size(), 1);
    QCOMPARE(sockets.at(0)->socketOption(QAbstractSocket::LowDelayOption).toInt(), 1);
}

void TestTcpServer::failedListenIsReported()
{
    Serial second;
    QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QStringLiteral("not listening on port 21967")));
    QVERIFY(!second.startServer());
    QVERIFY(!second.isListening());
}

VANTOR_TEST_CLASS(TestTcpServer)
#include "tst_tcpserver.moc"
