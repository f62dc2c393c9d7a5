#include "client/clientstuff.h"

#include <QRegularExpression>

ClientStuff::ClientStuff(const QString& host, quint16 port, QObject* parent)
    : QObject(parent)
    , m_socket(this)
    , m_host(host)
    , m_port(port)
{
    m_connectTimer.setSingleShot(true);
    connect(&m_connectTimer, &QTimer::timeout, this, &ClientStuff::connectionTimeout);
    connect(&m_socket, &QTcpSocket::disconnected, this, &ClientStuff::closeConnection);
}

ClientStuff::~ClientStuff()
{
    // The socket reports a connection it drops while it is destroyed; by then the timer is gone.
    m_socket.disconnect(this);
    m_socket.abort();
}

QString ClientStuff::normalizeIpAddress(const QString& host)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(25[0-5]|2[0-4][0-9]|[01]?[0-9][0-9]?)\\.(25[0-5]|2[0-4][0-9]|[01]?[0-9][0-9]?)\\."
                       "(25[0-5]|2[0-4][0-9]|[01]?[0-9][0-9]?)\\.(25[0-5]|2[0-4][0-9]|[01]?[0-9][0-9]?)$"));
    const QRegularExpressionMatch match = pattern.match(host);
    if (!match.hasMatch())
        return host;
    return QStringLiteral("%1.%2.%3.%4")
        .arg(match.captured(1).toInt())
        .arg(match.captured(2).toInt())
        .arg(match.captured(3).toInt())
        .arg(match.captured(4).toInt());
}

void ClientStuff::connect2host()
{
    m_connectTimer.start(m_connectTimeoutMs);
    m_socket.connectToHost(normalizeIpAddress(m_host), m_port, QIODevice::ReadWrite, QAbstractSocket::AnyIPProtocol);
    // Made at every attempt and removed by closeConnection; UniqueConnection keeps a second attempt
    // on a socket that is still connecting from delivering each notification twice.
    connect(&m_socket, &QTcpSocket::connected, this, &ClientStuff::connected, Qt::UniqueConnection);
    connect(&m_socket, &QTcpSocket::readyRead, this, &ClientStuff::readyRead, Qt::UniqueConnection);
}

void ClientStuff::closeConnection()
{
    m_connectTimer.stop();
    disconnect(&m_socket, &QTcpSocket::connected, nullptr, nullptr);
    disconnect(&m_socket, &QTcpSocket::readyRead, nullptr, nullptr);
    switch (m_socket.state()) {
    case QAbstractSocket::UnconnectedState:
        m_socket.disconnectFromHost();
        m_status = false;
        emit statusChanged(false);
        break;
    case QAbstractSocket::ConnectingState:
        m_socket.abort();
        m_status = false;
        emit statusChanged(false);
        break;
    default:
        // A connected socket reports disconnected when aborted, which brings this slot back in the
        // unconnected state.
        m_socket.abort();
        break;
    }
}

void ClientStuff::readyRead()
{
    // The socket does not announce bytes that arrive while a receiver of this signal runs the event
    // loop; they wait in its buffer and are taken here before returning.
    while (m_socket.bytesAvailable() > 0)
        emit hasReadSome(m_socket.readAll());
}

void ClientStuff::connected()
{
    m_status = true;
    emit statusChanged(true);
}

void ClientStuff::connectionTimeout()
{
    if (m_socket.state() != QAbstractSocket::ConnectingState)
        return;
    m_socket.abort();
    m_socket.reportTimeout();
}
