#include "remote/socketthread.h"

#include <QDebug>
#include <QMutexLocker>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <sys/socket.h>
#include <sys/uio.h>

namespace Vl::Tavix3::UI {

SocketThread::SocketThread(qintptr descriptor, QObject* parent)
    : QObject(parent)
    , m_descriptor(descriptor)
{
    m_socket = new QTcpSocket(this);
    if (!m_socket->setSocketDescriptor(descriptor, QAbstractSocket::ConnectedState, QIODevice::ReadWrite)) {
        qWarning() << "TCP client not taken over:" << m_socket->errorString();
        delete m_socket;
        m_socket = nullptr;
        return;
    }
    // An acknowledgement and the reply after it must not wait for each other's ACK (Nagle).
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    // What the serial layer has no room for yet stays with the operating system.
    m_socket->setReadBufferSize(kReadAheadBytes);
    // The operating system's own buffer for a client is bounded too: a thousand clients that do not
    // read must not each hold megabytes of it.
    const int sendBuffer = int(kSystemSendBufferBytes);
    ::setsockopt(int(m_socket->socketDescriptor()), SOL_SOCKET, SO_SNDBUF, &sendBuffer, sizeof sendBuffer);

    connect(m_socket, &QTcpSocket::readyRead, this, &SocketThread::readyRead, Qt::DirectConnection);
    connect(m_socket, &QTcpSocket::bytesWritten, this, [this]() {
        if (m_clock)
            m_lastProgressMs = m_clock();
        pump();
    });
    connect(m_socket, &QTcpSocket::disconnected, this, [this]() {
        // What the client can no longer receive is released at once.
        m_queue.clear();
        m_queuedBytes = 0;
        emit disconnected();
        deleteLater();
    });
    connect(
        this, &SocketThread::sendSocketData, m_socket,
        [this](const QByteArray& data) { enqueue(std::make_shared<const OutgoingMessage>(data, 0, nullptr)); },
        Qt::QueuedConnection);
}

SocketThread::~SocketThread()
{
    if (m_socket) {
        // Closing from here must not call back into a half-destroyed object.
        m_socket->disconnect(this);
        m_socket->abort();
    }
}

bool SocketThread::isConnected() const { return m_socket && m_socket->state() == QAbstractSocket::ConnectedState; }

void SocketThread::drop()
{
    m_queue.clear();
    m_queuedBytes = 0;
    m_headOffset = 0;
    if (m_socket)
        m_socket->abort();
}

void SocketThread::readyRead()
{
    try {
        if (!m_socket)
            return;
        qint64 wanted = m_socket->bytesAvailable();
        if (wanted <= 0)
            return;
        if (m_inputRoom) {
            const qint64 room = m_inputRoom();
            m_inputHeldBack = room < wanted;
            wanted = std::min(wanted, room);
            if (wanted <= 0)
                return;
        }
        const QByteArray data = m_socket->read(wanted);
        if (!data.isEmpty())
            emit dataReceived(data);
    } catch (...) {
    }
}

void SocketThread::resumeInput()
{
    if (!m_inputHeldBack)
        return;
    m_inputHeldBack = false;
    readyRead();
}

void SocketThread::sendData(QByteArray socketData)
{
    try {
        emit sendSocketData(socketData);
    } catch (...) {
    }
}

void SocketThread::enqueue(const OutgoingMessagePtr& message, bool sendNow)
{
    if (!message || message->size() == 0 || !isConnected())
        return;
    m_queue.enqueue(message);
    m_queuedBytes += message->size();
    m_largestQueued = std::max(m_largestQueued, message->size());
    if (sendNow)
        pump();
}

void SocketThread::pump()
{
    QMutexLocker locker(&m_writeMutex);
    if (!m_socket || !m_socket->isOpen() || m_socket->state() != QAbstractSocket::ConnectedState)
        return;
    // What the socket holds goes first; bytesWritten brings the rest here again.
    if (m_socket->bytesToWrite() > 0)
        return;
    // Everything waiting goes to the operating system in as few calls as it takes, without a copy.
    const int fd = int(m_socket->socketDescriptor());
    while (!m_queue.isEmpty()) {
        iovec parts[kMaxPartsPerWrite];
        int count = 0;
        qint64 offset = m_headOffset;
        for (auto it = m_queue.cbegin(); it != m_queue.cend() && count < kMaxPartsPerWrite; ++it, ++count) {
            const QByteArray& bytes = (*it)->bytes();
            parts[count].iov_base = const_cast<char*>(bytes.constData() + offset);
            parts[count].iov_len = size_t(bytes.size() - offset);
            offset = 0;
        }
        msghdr header {};
        header.msg_iov = parts;
        header.msg_iovlen = size_t(count);
        const ssize_t sent = ::sendmsg(fd, &header, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            break;
        consume(sent);
        if (m_clock)
            m_lastProgressMs = m_clock();
    }
    // The operating system takes no more now: the socket takes a slice, and tells when it is sent.
    if (!m_queue.isEmpty()) {
        const QByteArray& bytes = m_queue.head()->bytes();
        const qint64 slice = std::min(qint64(bytes.size()) - m_headOffset, kSocketSliceBytes);
        m_socket->write(bytes.constData() + m_headOffset, slice);
        consume(slice);
    }
    if (m_queue.isEmpty())
        m_largestQueued = 0;
}

void SocketThread::consume(qint64 bytes)
{
    m_queuedBytes -= bytes;
    while (bytes > 0 && !m_queue.isEmpty()) {
        const qint64 left = m_queue.head()->size() - m_headOffset;
        if (bytes < left) {
            m_headOffset += bytes;
            return;
        }
        bytes -= left;
        m_queue.dequeue();
        m_headOffset = 0;
    }
}

qint64 SocketThread::unsentBytes() const { return m_queuedBytes + (m_socket ? m_socket->bytesToWrite() : 0); }

std::optional<quint64> SocketThread::oldestWaiting() const
{
    if (m_queue.isEmpty())
        return std::nullopt;
    return m_queue.head()->sequence();
}

bool SocketThread::isStalled(qint64 nowMs)
{
    const qint64 limit = std::max(kMaxUnsentBytes, m_largestQueued);
    if (unsentBytes() <= limit) {
        m_overLimitSinceMs = -1;
        return false;
    }
    if (m_overLimitSinceMs < 0)
        m_overLimitSinceMs = nowMs;
    return nowMs - m_overLimitSinceMs >= kSlowReaderGraceMs;
}

} // namespace Vl::Tavix3::UI
