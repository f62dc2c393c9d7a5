#include "remote/socketthread.h"

#include <QDebug>

#include <algorithm>
#include <sys/socket.h>

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
        m_output = std::make_shared<ClientOutput>(-1);
        return;
    }
    m_output = std::make_shared<ClientOutput>(int(m_socket->socketDescriptor()));
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
        m_output->noteProgress();
        if (m_socket->bytesToWrite() > 0)
            return;
        m_output->sliceSent();
        pump();
    });
    connect(m_socket, &QTcpSocket::disconnected, this, [this]() {
        // What the client can no longer receive is released at once.
        m_output->close();
        emit disconnected();
        deleteLater();
    });
    connect(
        this, &SocketThread::sendSocketData, m_socket, [this](const QByteArray& data) { enqueue(data); },
        Qt::QueuedConnection);
}

SocketThread::~SocketThread()
{
    m_output->close();
    if (m_socket) {
        // Closing from here must not call back into a half-destroyed object.
        m_socket->disconnect(this);
        m_socket->abort();
    }
}

bool SocketThread::isConnected() const { return m_socket && m_socket->state() == QAbstractSocket::ConnectedState; }

void SocketThread::drop()
{
    // The connection is reset rather than closed: what the client did not take is discarded at once
    // instead of waiting, with the operating system, for a client that does not read. Both
    // descriptors of the connection are closed; the connection ends with the last of them.
    if (m_socket && m_socket->socketDescriptor() >= 0) {
        const linger reset { 1, 0 };
        ::setsockopt(int(m_socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    }
    m_output->close();
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

void SocketThread::enqueue(const QByteArray& bytes, bool sendNow)
{
    if (!isConnected())
        return;
    m_output->enqueue(bytes);
    if (sendNow)
        pump();
}

void SocketThread::pump()
{
    if (!isConnected())
        return;
    // The operating system takes no more now: the socket takes a slice, and tells when it is sent.
    if (m_output->send() == ClientOutput::SendResult::Blocked) {
        const QByteArray slice = m_output->takeSlice(kSocketSliceBytes);
        if (!slice.isEmpty())
            m_socket->write(slice);
    }
}

qint64 SocketThread::unsentBytes() const { return m_output->queuedBytes() + (m_socket ? m_socket->bytesToWrite() : 0); }

std::optional<quint64> SocketThread::oldestWaiting() const { return m_output->oldestWaiting(); }

bool SocketThread::isStalled(qint64 nowMs)
{
    const qint64 limit = std::max(kMaxUnsentBytes, m_output->largestQueued());
    if (unsentBytes() <= limit) {
        m_overLimitSinceMs = -1;
        return false;
    }
    if (m_overLimitSinceMs < 0)
        m_overLimitSinceMs = nowMs;
    return nowMs - m_overLimitSinceMs >= kSlowReaderGraceMs;
}

} // namespace Vl::Tavix3::UI
