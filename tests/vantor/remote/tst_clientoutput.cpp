#include "remote/clientoutput.h"
#include "remote/outgoingstream.h"
#include "testsupport/testmain.h"

#include <QTest>
#include <QThread>

#include <atomic>
#include <memory>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

using namespace Vl::Tavix3::UI;

namespace {

// One client's connection as a pair of local sockets: the output writes to one end, the test reads
// what arrived at the other.
class Connection
{
public:
    Connection()
    {
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, m_fds) == 0)
            output = std::make_unique<ClientOutput>(m_fds[0]);
    }
    ~Connection()
    {
        output.reset();
        for (int fd : m_fds)
            if (fd >= 0)
                ::close(fd);
    }

    // Everything that has arrived so far.
    QByteArray received()
    {
        char buffer[65536];
        for (;;) {
            const ssize_t n = ::recv(m_fds[1], buffer, sizeof buffer, MSG_DONTWAIT);
            if (n <= 0)
                return m_received;
            m_received.append(buffer, int(n));
        }
    }

    std::unique_ptr<ClientOutput> output;

private:
    int m_fds[2] { -1, -1 };
    QByteArray m_received;
};

} // namespace

// The output of the TCP clients: one stream of messages that all of them share, each client at a
// place of its own, and what the messages waiting cost.
class TestClientOutput : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void clientReceivesWhatIsSentFromItsStartOn();
    void bytesForOneClientReachItAlone();
    void messagesAreHeldOnceUntilTheLastClientHasThem();
    void largestMessageWaitingIsKnown();
    void longQueueOfAClientIsReleasedWithoutRecursion();

private:
    std::atomic<qint64> m_held { 0 };
    std::shared_ptr<OutgoingStream> m_stream;
};

void TestClientOutput::init()
{
    m_held = 0;
    m_stream = std::make_shared<OutgoingStream>(&m_held, 1000);
}

void TestClientOutput::cleanup() { m_stream.reset(); }

void TestClientOutput::clientReceivesWhatIsSentFromItsStartOn()
{
    Connection first;
    first.output->start(m_stream);
    m_stream->append("\tone\x02");
    Connection second;
    second.output->start(m_stream);
    m_stream->append("\ttwo\x02");
    QCOMPARE(first.output->oldestWaiting().value_or(0), quint64(1));
    QCOMPARE(second.output->oldestWaiting().value_or(0), quint64(2));

    QCOMPARE(first.output->send(), ClientOutput::SendResult::Drained);
    QCOMPARE(second.output->send(), ClientOutput::SendResult::Drained);
    QCOMPARE(first.received(), QByteArray("\tone\x02\ttwo\x02"));
    QCOMPARE(second.received(), QByteArray("\ttwo\x02"));
    QVERIFY(!first.output->oldestWaiting());
    // Taken by every client, the messages are gone.
    QCOMPARE(m_held.load(), qint64(0));
}

void TestClientOutput::bytesForOneClientReachItAlone()
{
    Connection first;
    Connection second;
    first.output->start(m_stream);
    second.output->start(m_stream);
    first.output->enqueue("[first alone]");
    m_stream->append("[all 1]");
    second.output->enqueue("[second alone]");
    m_stream->append("[all 2]");

    // The message for the first client is not the second client's oldest.
    QCOMPARE(second.output->oldestWaiting().value_or(0), quint64(2));
    QCOMPARE(second.output->send(), ClientOutput::SendResult::Drained);
    QCOMPARE(first.output->send(), ClientOutput::SendResult::Drained);
    QCOMPARE(first.received(), QByteArray("[first alone][all 1][all 2]"));
    QCOMPARE(second.received(), QByteArray("[all 1][second alone][all 2]"));
    QCOMPARE(m_held.load(), qint64(0));
}

void TestClientOutput::messagesAreHeldOnceUntilTheLastClientHasThem()
{
    std::vector<std::unique_ptr<Connection>> clients;
    for (int i = 0; i < 50; ++i) {
        clients.push_back(std::make_unique<Connection>());
        clients.back()->output->start(m_stream);
    }
    const QByteArray text(100, 'm');
    const int messages = 500;
    for (int i = 0; i < messages; ++i)
        m_stream->append(text);
    // However many clients wait for them, the messages are held once, each at its cost.
    const qint64 all = messages * OutgoingMessage::costOf(text.size());
    QCOMPARE(m_held.load(), all);
    for (const auto& client : clients)
        QCOMPARE(client->output->queuedBytes(), all);

    // All but one client take everything: the messages wait for that one.
    for (size_t i = 1; i < clients.size(); ++i) {
        QCOMPARE(clients[i]->output->send(), ClientOutput::SendResult::Drained);
        QCOMPARE(clients[i]->received().size(), messages * text.size());
        QCOMPARE(clients[i]->output->queuedBytes(), qint64(0));
    }
    QCOMPARE(m_held.load(), all);

    // Its first message goes, through its socket; then it is closed (dropped): nothing is held any more.
    const QByteArray slice = clients[0]->output->takeSlice(messages * text.size());
    QCOMPARE(slice.size(), text.size());
    clients[0]->output->sliceSent();
    QCOMPARE(m_held.load(), all - OutgoingMessage::costOf(text.size()));
    QCOMPARE(clients[0]->output->queuedBytes(), all - OutgoingMessage::costOf(text.size()));
    clients[0]->output->close();
    QCOMPARE(m_held.load(), qint64(0));
    QCOMPARE(clients[0]->output->send(), ClientOutput::SendResult::Closed);
}

void TestClientOutput::largestMessageWaitingIsKnown()
{
    Connection first;
    Connection second;
    first.output->start(m_stream);
    second.output->start(m_stream);
    m_stream->append(QByteArray(10, 's'));
    m_stream->append(QByteArray(5000, 'L'));
    m_stream->append(QByteArray(2000, 'l'));
    m_stream->append(QByteArray(10, 's'));
    QCOMPARE(first.output->largestQueued(), qint64(5000));

    // Past the largest, the next large one counts; past all large ones, none.
    QCOMPARE(first.output->takeSlice(1 << 20).size(), 10);
    first.output->sliceSent();
    QCOMPARE(first.output->takeSlice(4999).size(), 4999);
    first.output->sliceSent();
    QCOMPARE(first.output->largestQueued(), qint64(5000));
    QCOMPARE(first.output->takeSlice(1 << 20).size(), 1);
    first.output->sliceSent();
    QCOMPARE(first.output->largestQueued(), qint64(2000));
    QCOMPARE(first.output->send(), ClientOutput::SendResult::Drained);
    QCOMPARE(first.output->largestQueued(), qint64(0));
    QCOMPARE(second.output->largestQueued(), qint64(5000));
}

void TestClientOutput::longQueueOfAClientIsReleasedWithoutRecursion()
{
    // A client that never read leaves a long queue behind it; dropping it releases the queue on a
    // thread whose stack is far smaller than one frame per message.
    Connection silent;
    silent.output->start(m_stream);
    for (int i = 0; i < 100000; ++i)
        m_stream->append("x");
    QCOMPARE(m_held.load(), 100000 * OutgoingMessage::costOf(1));
    std::unique_ptr<QThread> releasing(QThread::create([&silent]() { silent.output->close(); }));
    releasing->setStackSize(256 * 1024);
    releasing->start();
    QVERIFY(releasing->wait(30000));
    QCOMPARE(m_held.load(), qint64(0));
}

VANTOR_TEST_CLASS(TestClientOutput)
#include "tst_clientoutput.moc"
