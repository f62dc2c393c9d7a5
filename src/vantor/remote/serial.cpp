#include "remote/serial.h"

#include "core/exceptionhandler.h"
#include "core/utils.h"
#include "remote/clientoutput.h"
#include "remote/outgoingmessage.h"
#include "remote/outgoingstream.h"
#include "remote/serialbuffer.h"
#include "remote/socketthread.h"
#include "time/datetime.h"
#include "time/normalpriorityscope.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonObject>
#include <QMutexLocker>
#include <QThread>

#include <sys/resource.h>
#include <utility>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace Vl::Tavix3::UI {

namespace {
// The output batch of the calling thread: open, and whether texts wait in it.
thread_local bool t_batchOpen = false;
thread_local bool t_batchWaiting = false;
} // namespace

Serial::Serial(QObject* parent)
    : QTcpServer(parent)
    , m_stream(std::make_shared<OutgoingStream>(&m_heldOutputBytes, SocketThread::kMaxUnsentBytes))
{
    QElapsedTimer monotonic;
    monotonic.start();
    m_clock = [monotonic]() { return monotonic.elapsed(); };
    m_checkTimer = new QTimer(this);
    m_checkTimer->setInterval(kClientCheckMs);
    connect(m_checkTimer, &QTimer::timeout, this, &Serial::checkClients);
    connect(this, &QTcpServer::acceptError, this, &Serial::onAcceptError);
}

Serial::~Serial()
{
    qDebug() << "********~Serial********";
    close();
    // The clients go while the count of output held, which their messages keep, is still there.
    qDeleteAll(findChildren<SocketThread*>(QString(), Qt::FindDirectChildrenOnly));
}

bool Serial::startServer()
{
    // Every client costs two descriptors (its socket's and its output's): the limit of open files
    // must leave room for all of them.
    rlimit files {};
    const rlim_t wanted = 2 * rlim_t(kMaxConnections) + 512;
    if (::getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < wanted) {
        files.rlim_cur = files.rlim_max == RLIM_INFINITY ? wanted : qMin(wanted, files.rlim_max);
        if (::setrlimit(RLIMIT_NOFILE, &files) != 0 || files.rlim_cur < wanted)
            qWarning().noquote() << QStringLiteral(
                "TCP server: open files limited to %1, fewer than %2 clients can connect")
                                        .arg(quint64(files.rlim_cur))
                                        .arg(kMaxConnections);
    }
    if (listen(QHostAddress::Any, kPort))
        return true;
    qCritical().noquote() << QStringLiteral("TCP server not listening on port %1: %2").arg(kPort).arg(errorString());
    return false;
}

int Serial::nextConnectionPortId()
{
    int id = m_nextPortId;
    if (id <= 0 || id == kVirtualPortId)
        id = id == kVirtualPortId ? kVirtualPortId + 1 : 1;
    m_nextPortId = id + 1;
    return id;
}

void Serial::incomingConnection(qintptr socketDescriptor)
{
    if (m_clients.size() >= kMaxConnections) {
        refuseConnection(socketDescriptor);
        return;
    }
    auto* client = new SocketThread(socketDescriptor, this);
    if (!client->isConnected()) {
        delete client;
        return;
    }
    const int portId = nextConnectionPortId();
    client->setPortId(portId);
    portBuffer(portId, true);
    m_clients.append(client);
    {
        // From here on the client receives every message sent, from the end of the stream on.
        QMutexLocker locker(&m_outgoingMutex);
        client->output()->start(m_stream);
        m_outputs.append(client->output());
    }
    if (!m_checkTimer->isActive())
        m_checkTimer->start();

    client->setInputRoom([this, portId]() { return inputRoom(portId); });
    client->setClock([this]() { return m_clock(); });
    connect(client, &SocketThread::dataReceived, this,
        [this, portId](const QByteArray& data) { onSocketDataReceived(portId, data); });
    connect(client, &SocketThread::disconnected, this, [this, client, portId]() {
        m_clients.removeOne(client);
        {
            QMutexLocker locker(&m_outgoingMutex);
            m_outputs.removeOne(client->output());
        }
        onClientDisconnected(portId);
    });
}

void Serial::refuseConnection(qintptr socketDescriptor)
{
    QTcpSocket refused;
    if (refused.setSocketDescriptor(socketDescriptor))
        refused.abort();
    // A flood of connections must not flood the log as well: one line a second at most.
    if (const int count = m_refusalLog.note(m_clock()))
        qWarning().noquote() << QStringLiteral("TCP client refused: %1 clients connected already (%2 refused)")
                                    .arg(m_clients.size())
                                    .arg(count);
}

void Serial::onAcceptError(QAbstractSocket::SocketError error)
{
    // The server stops accepting after an error such as running out of descriptors; it tries again
    // shortly instead of never accepting anybody again.
    if (m_acceptErrorLog.note(m_clock()) > 0)
        qWarning().noquote()
            << QStringLiteral("TCP server could not accept a client (%1): %2").arg(int(error)).arg(errorString());
    QTimer::singleShot(100, this, [this]() {
        if (isListening())
            resumeAccepting();
    });
}

QSharedPointer<SerialBuffer> Serial::portBuffer(int portId, bool create)
{
    QMutexLocker locker(&m_portsMutex);
    auto it = m_ports.find(uint(portId));
    if (it == m_ports.end()) {
        if (!create)
            return {};
        Port port;
        port.buffer = QSharedPointer<SerialBuffer>::create();
        it = m_ports.insert(uint(portId), port);
    }
    return it->buffer;
}

void Serial::onSocketDataReceived(int portId, const QByteArray& data)
{
    {
        QMutexLocker locker(&m_portsMutex);
        auto it = m_ports.find(uint(portId));
        if (it == m_ports.end())
            return;
        it->buffer->append(data);
        m_heldInputBytes += data.size();
    }
    m_noticeQueue.post(SerialInfoType { portId, SerialEnum::SER_PCA });
}

qint64 Serial::inputRoom(int portId)
{
    const QSharedPointer<SerialBuffer> buffer = portBuffer(portId, false);
    if (!buffer)
        return 0;
    // The mark comes first: the command server, taking bytes after it, sees it and resumes the reading.
    buffer->setHeldBack(true);
    m_inputBudgetHeldBack = true;
    const qint64 ownRoom = kMaxPendingInputBytes - buffer->size();
    const qint64 sharedRoom = kInputBudgetBytes - m_heldInputBytes;
    if (ownRoom > 0)
        buffer->setHeldBack(false);
    if (sharedRoom > 0)
        m_inputBudgetHeldBack = false;
    return qMax<qint64>(0, qMin(ownRoom, sharedRoom));
}

void Serial::afterInputTaken(SerialBuffer& buffer, int count)
{
    m_heldInputBytes -= count;
    const bool ownRoom = buffer.isHeldBack() && buffer.size() <= kMaxPendingInputBytes / 2;
    const bool sharedRoom = m_inputBudgetHeldBack && m_heldInputBytes <= kInputBudgetBytes / 2;
    if ((ownRoom || sharedRoom) && !m_resumePosted.exchange(true))
        QMetaObject::invokeMethod(this, &Serial::resumeInput, Qt::QueuedConnection);
}

void Serial::resumeInput()
{
    m_resumePosted = false;
    const QList<SocketThread*> clients = m_clients;
    for (SocketThread* client : clients) {
        if (client->isInputHeldBack())
            client->resumeInput();
    }
}

void Serial::onClientDisconnected(int portId)
{
    {
        QMutexLocker locker(&m_portsMutex);
        auto it = m_ports.find(uint(portId));
        if (it == m_ports.end())
            return;
        it->isOpen = false;
    }
    // What the client sent before it left is still read; the port goes after that.
    releaseIfDrained(portId);
}

void Serial::releaseIfDrained(int portId)
{
    QMutexLocker locker(&m_portsMutex);
    auto it = m_ports.find(uint(portId));
    if (it != m_ports.end() && !it->isOpen && it->buffer->isEmpty())
        m_ports.erase(it);
}

bool Serial::readTextFile(const QString& fileName)
{
    try {
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        const QByteArray content = file.readAll();
        file.close();
        portBuffer(kVirtualPortId, true)->append(content);
        m_noticeQueue.post(SerialInfoType { kVirtualPortId, SerialEnum::SER_VIRTUAL });
        return true;
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::Serial::readTextFile");
    }
    return false;
}

bool Serial::readByte(const SerialInfoType& port, char& byte) { return readBytes(port, &byte, 1) == 1; }

int Serial::readBytes(const SerialInfoType& port, char* destination, int maxBytes)
{
    const QSharedPointer<SerialBuffer> buffer = portBuffer(port.portId, false);
    if (!buffer)
        return 0;
    const int taken = buffer->take(destination, maxBytes);
    if (taken > 0 && port.portId != kVirtualPortId)
        afterInputTaken(*buffer, taken);
    if (taken < maxBytes || buffer->isEmpty())
        releaseIfDrained(port.portId);
    return taken;
}

bool Serial::waitForOutputRoom(int timeoutMs)
{
    if (m_heldOutputBytes <= kOutputBudgetBytes)
        return true;
    // What this thread holds in its batch goes out before it waits.
    flushOutputBatch();
    QElapsedTimer waited;
    waited.start();
    while (m_heldOutputBytes > kOutputBudgetBytes) {
        if (waited.elapsed() >= timeoutMs)
            return false;
        QThread::msleep(5);
    }
    return true;
}

bool Serial::isBufferEmpty(const SerialInfoType& port)
{
    const QSharedPointer<SerialBuffer> buffer = portBuffer(port.portId, false);
    if (!buffer)
        return true;
    if (!buffer->isEmpty())
        return false;
    releaseIfDrained(port.portId);
    return true;
}

void Serial::serialOutText(int channelMask, int, const QString& text, Delivery delivery)
{
    try {
        if ((channelMask & SerialEnum::SERIAL_CHANNEL_PCA) == 0)
            return;
        const QByteArray bytes = text.toUtf8();
        emit sendSocketData(bytes);
        QVector<std::shared_ptr<ClientOutput>> receivers;
        {
            QMutexLocker locker(&m_outgoingMutex);
            // A text waits behind the texts still waiting for the GUI thread.
            if (delivery == Delivery::AfterGuiWork || m_deliveryPosted) {
                // The texts of one turn of the GUI thread go out together, in the order they were sent.
                m_outgoing.append(bytes);
                m_heldOutputBytes += OutgoingMessage::costOf(bytes.size());
                if (!m_deliveryPosted) {
                    m_deliveryPosted = true;
                    QMetaObject::invokeMethod(this, &Serial::deliverOutput, Qt::QueuedConnection);
                }
                return;
            }
            if (!queueForEveryClient(bytes))
                return;
            if (t_batchOpen) {
                t_batchWaiting = true;
                return;
            }
            receivers = m_outputs;
        }
        sendQueuedOutput(receivers);
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::Serial::serialOutText");
    }
}

void Serial::sendQueuedOutput(const QVector<std::shared_ptr<ClientOutput>>& receivers)
{
    // Sent from this thread; a client the operating system takes no more from is served by the
    // GUI thread, which also judges the output budget. A real-time thread (the status output)
    // sends at normal priority, so that the clients it wakes run at once.
    bool leftWaiting = false;
    {
        const NormalPriorityScope normalPriority;
        for (const std::shared_ptr<ClientOutput>& output : receivers)
            leftWaiting = output->send() == ClientOutput::SendResult::Blocked || leftWaiting;
    }
    if ((leftWaiting || m_heldOutputBytes > kOutputBudgetBytes) && !m_servicePosted.exchange(true))
        QMetaObject::invokeMethod(this, &Serial::serviceOutput, Qt::QueuedConnection);
}

void Serial::beginOutputBatch() { t_batchOpen = true; }

void Serial::flushOutputBatch()
{
    if (!t_batchWaiting)
        return;
    t_batchWaiting = false;
    QVector<std::shared_ptr<ClientOutput>> receivers;
    {
        QMutexLocker locker(&m_outgoingMutex);
        receivers = m_outputs;
    }
    sendQueuedOutput(receivers);
}

void Serial::endOutputBatch()
{
    flushOutputBatch();
    t_batchOpen = false;
}

void Serial::deliverOutput()
{
    {
        QMutexLocker locker(&m_outgoingMutex);
        const QList<QByteArray> texts = std::exchange(m_outgoing, {});
        m_deliveryPosted = false;
        // From here each text counts as the message built from it; the messages are queued before
        // any other thread sends a later text.
        for (const QByteArray& text : texts) {
            m_heldOutputBytes -= OutgoingMessage::costOf(text.size());
            queueForEveryClient(text);
        }
    }
    // Each client gets everything of this turn in one go.
    pumpClients();
}

bool Serial::queueForEveryClient(const QByteArray& text)
{
    if (m_outputs.isEmpty() || text.isEmpty())
        return false;
    // Once, for all the clients: each has its place in the stream.
    m_stream->append(text);
    return true;
}

void Serial::serviceOutput()
{
    m_servicePosted = false;
    pumpClients();
}

void Serial::pumpClients()
{
    const QList<SocketThread*> clients = m_clients;
    for (SocketThread* client : clients)
        client->pump();
    enforceOutputBudget();
}

void Serial::enforceOutputBudget()
{
    while (m_heldOutputBytes > kOutputBudgetBytes) {
        // The client furthest behind: the oldest message waiting, then the most bytes unsent.
        SocketThread* furthestBehind = nullptr;
        quint64 oldest = 0;
        qint64 mostUnsent = 0;
        const qint64 now = m_clock();
        const quint64 newest = m_stream->lastSequence();
        for (SocketThread* client : qAsConst(m_clients)) {
            const std::optional<quint64> waiting = client->oldestWaiting();
            if (!waiting || *waiting >= newest)
                continue;
            // A client that is taking its output is behind only for the moment: it is not dropped.
            if (now - client->lastProgressMs() < kProgressWindowMs)
                continue;
            const qint64 unsent = client->unsentBytes();
            if (!furthestBehind || *waiting < oldest || (*waiting == oldest && unsent > mostUnsent)) {
                oldest = *waiting;
                mostUnsent = unsent;
                furthestBehind = client;
            }
        }
        // Clients waiting for the newest message only, or still reading, are never dropped for it.
        if (!furthestBehind)
            return;
        dropClient(furthestBehind,
            QStringLiteral("%1 bytes waiting for it and %2 for all clients")
                .arg(furthestBehind->unsentBytes())
                .arg(m_heldOutputBytes.load()));
    }
}

void Serial::dropClient(SocketThread* client, const QString& reason)
{
    // Many clients that stop reading at once (all behind the same messages) are dropped at once:
    // the log tells of the first, and sums up the others within its interval.
    if (const int dropped = m_dropLog.note(m_clock())) {
        const QString before = dropped > 1
            ? QStringLiteral(" (and %1 more clients before it since the last such line)").arg(dropped - 1)
            : QString();
        qWarning().noquote()
            << QStringLiteral("TCP client dropped: it does not read what is sent to it, %1%2").arg(reason, before);
    }
    client->drop();
    m_droppedSinceTrim = true;
}

void Serial::reportDropsAndRefusals()
{
    const qint64 now = m_clock();
    if (const int dropped = m_dropLog.takeUnreported(now))
        qWarning().noquote()
            << QStringLiteral("TCP clients dropped: %1 more that did not read what was sent to them").arg(dropped);
    if (const int refused = m_refusalLog.takeUnreported(now))
        qWarning().noquote() << QStringLiteral("TCP clients refused: %1 more, %2 clients connected already")
                                    .arg(refused)
                                    .arg(m_clients.size());
    if (m_droppedSinceTrim) {
        m_droppedSinceTrim = false;
#if defined(__GLIBC__)
        // What the dropped clients' messages took is free now, but the allocator keeps it for later:
        // after thousands of small messages it is scattered, and nothing would give it back.
        ::malloc_trim(0);
#endif
    }
}

void Serial::checkClients()
{
    const qint64 now = m_clock();
    const QList<SocketThread*> clients = m_clients;
    for (SocketThread* client : clients) {
        if (client->isStalled(now))
            dropClient(client,
                QStringLiteral("%1 bytes waiting for more than %2 s")
                    .arg(client->unsentBytes())
                    .arg(SocketThread::kSlowReaderGraceMs / 1000));
    }
    reportDropsAndRefusals();
    // A resumption that crossed a new hold-back is made up for here.
    resumeInput();
    if (m_clients.isEmpty() && !m_dropLog.hasUnreported() && !m_refusalLog.hasUnreported())
        m_checkTimer->stop();
}

void Serial::serialOutText(const SerialInfoType& port, const QString& text, Delivery delivery)
{
    serialOutText(getSerialChannel(port.type), port.portId, text, delivery);
}

QString Serial::eventMessage(const Event& event)
{
    QJsonObject data;
    data.insert(QStringLiteral("Id"), event.id);
    data.insert(QStringLiteral("BibNumber"), event.bibNumber.value_or(0));
    data.insert(QStringLiteral("PhysicalChannel"), event.physicalChannel);
    data.insert(QStringLiteral("Time"), DateTime::displayTime(event.ticks, 0u));
    data.insert(QStringLiteral("Date"), DateTime::displayDate(event.ticks));
    data.insert(QStringLiteral("IsAuto"), event.isAuto);
    data.insert(QStringLiteral("IsSkipped"), event.isSkipped);
    data.insert(QStringLiteral("IsScartIn"), event.isScartIn);
    return Utils::convertToJSonString(QStringLiteral("Sema"), QStringLiteral("Event"), data, true);
}

void Serial::sendEvent(const EntityPtr<Event>& event)
{
    if (!event)
        return;
    serialOutText(SerialEnum::SERIAL_CHANNEL_ALL, 0, eventMessage(*event), Delivery::Immediate);
}

int Serial::getSerialChannel(SerialEnum::SerialType type)
{
    switch (type) {
    case SerialEnum::SER_PCB:
        return SerialEnum::SERIAL_CHANNEL_PCB;
    case SerialEnum::SER_USB:
        return SerialEnum::SERIAL_CHANNEL_USB;
    case SerialEnum::SERVER_TCP:
        return SerialEnum::SERIAL_CHANNEL_SERVER_TCP;
    case SerialEnum::BLUETOOTH:
        return SerialEnum::SERIAL_CHANNEL_BLUETOOTH;
    case SerialEnum::SER_VIRTUAL:
    case SerialEnum::SER_NONE:
        return SerialEnum::SERIAL_CHANNEL_NONE;
    case SerialEnum::MODEM:
        return SerialEnum::SERIAL_CHANNEL_MODEM;
    case SerialEnum::SER_ALL:
        return SerialEnum::SERIAL_CHANNEL_ALL;
    default:
        return SerialEnum::SERIAL_CHANNEL_PCA;
    }
}

int Serial::clientCount() const { return findChildren<SocketThread*>(QString(), Qt::FindDirectChildrenOnly).size(); }

QList<int> Serial::clientPortIds() const
{
    QList<int> ids;
    for (const SocketThread* client : findChildren<SocketThread*>(QString(), Qt::FindDirectChildrenOnly))
        ids.append(client->portId());
    return ids;
}

} // namespace Vl::Tavix3::UI
