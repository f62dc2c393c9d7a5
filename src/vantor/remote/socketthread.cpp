#include "remote/socketthread.h"

#include <QDebug>
#include <QMutexLocker>

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

    connect(m_socket, &QTcpSocket::readyRead, this, &SocketThread::readyRead, Qt::DirectConnection);
    connect(m_socket, &QTcpSocket::disconnected, this, [this]() {
        emit disconnected();
        deleteLater();
    });
    connect(
        this, &SocketThread::sendSocketData, m_socket, [this](const QByteArray& data) { write(data); },
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
    if (m_socket)
        m_socket->abort();
}

void SocketThread::readyRead()
{
    try {
        if (!m_socket)
            return;
        const QByteArray data = m_socket->readAll();
        if (!data.isEmpty())
            emit dataReceived(data);
    } catch (...) {
    }
}

void SocketThread::sendData(QByteArray socketData)
{
    try {
        emit sendSocketData(socketData);
    } catch (...) {
    }
}

void SocketThread::write(const QByteArray& data)
{
    QMutexLocker locker(&m_writeMutex);
    if (!m_socket || !m_socket->isOpen() || m_socket->state() != QAbstractSocket::ConnectedState)
        return;
    m_socket->write(data);
    if (m_socket->bytesToWrite() > kMaxUnsentBytes) {
        qWarning() << "TCP client dropped: it does not read what is sent to it," << m_socket->bytesToWrite()
                   << "bytes waiting";
        locker.unlock();
        drop();
    }
}

} // namespace Vl::Tavix3::UI
