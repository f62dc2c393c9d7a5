// Backend: construction and the connection side.
#include "client/backend.h"

#include "client/clientstuff.h"

namespace {
const QString kKeyIpAddress = QStringLiteral("IPAddress");
} // namespace

Backend::Backend(QObject* parent)
    : QObject(parent)
    , m_settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Velmora"), QStringLiteral("TestVantor"))
    , m_ipAddress(QStringLiteral("127.000.000.001"))
{
    if (m_settings.contains(kKeyIpAddress))
        m_ipAddress = m_settings.value(kKeyIpAddress).toString();
    m_clientStuff = new ClientStuff(m_ipAddress, kServerPort, this);
    connect(m_clientStuff, &ClientStuff::hasReadSome, this, &Backend::receivedSomething);
    connect(m_clientStuff, &ClientStuff::statusChanged, this, &Backend::statusChanged);
    connect(m_clientStuff->socket(), &QAbstractSocket::errorOccurred, this, &Backend::gotError);
    connect(m_clientStuff, &ClientStuff::statusChanged, this, &Backend::onStatusChanged);

    m_replyTimer.setInterval(m_replyTimeout);
    m_replyTimer.setSingleShot(true);
    connect(&m_replyTimer, &QTimer::timeout, this, &Backend::onReplyTimeout);
}

Backend::~Backend()
{
    // The socket must not report its closing to a half-destroyed object.
    m_clientStuff->disconnect(this);
    m_clientStuff->socket()->disconnect(this);
}

bool Backend::currentStatus() const { return m_clientStuff->getStatus(); }

void Backend::setIpAddress(const QString& address)
{
    if (address == m_ipAddress)
        return;
    m_ipAddress = address;
    m_settings.setValue(kKeyIpAddress, address);
    m_clientStuff->setHost(address);
    emit ipAddressChanged();
}

void Backend::setReplyTimeout(int ms)
{
    m_replyTimeout = ms;
    m_replyTimer.setInterval(ms);
}

void Backend::connectClicked() { m_clientStuff->connect2host(); }

void Backend::disconnectClicked() { m_clientStuff->closeConnection(); }

void Backend::gotError(QAbstractSocket::SocketError err)
{
    switch (err) {
    case QAbstractSocket::ConnectionRefusedError:
        emit someError(tr("Connection was refused"));
        break;
    case QAbstractSocket::RemoteHostClosedError:
        emit someError(tr("Remote host closed the connection"));
        break;
    case QAbstractSocket::HostNotFoundError:
        emit someError(tr("Host address was not found"));
        break;
    case QAbstractSocket::SocketTimeoutError:
        emit someError(tr("Connection timed out"));
        break;
    default:
        emit someError(tr("Unknown error"));
        break;
    }
}

void Backend::onStatusChanged(bool newStatus)
{
    if (newStatus)
        return;
    // Requests still waiting when the connection ends can never be acknowledged; left in the queue
    // they would hold back every request of the next connection until the reply time-out.
    bool dropped = false;
    {
        QMutexLocker locker(&m_sendMutex);
        m_replyTimer.stop();
        dropped = !m_requestQueue.isEmpty();
        m_requestQueue.clear();
    }
    if (dropped)
        emit someError(tr("Error sending request"));
}
