#include "remote/serial.h"

#include "core/exceptionhandler.h"
#include "core/utils.h"
#include "remote/serialbuffer.h"
#include "remote/socketthread.h"
#include "time/datetime.h"

#include <QDebug>
#include <QFile>
#include <QJsonObject>
#include <QMutexLocker>

namespace Vl::Tavix3::UI {

Serial::Serial(QObject* parent)
    : QTcpServer(parent)
{
}

Serial::~Serial()
{
    qDebug() << "********~Serial********";
    close();
}

bool Serial::startServer()
{
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
    auto* client = new SocketThread(socketDescriptor, this);
    if (!client->isConnected()) {
        delete client;
        return;
    }
    const int portId = nextConnectionPortId();
    client->setPortId(portId);
    portBuffer(portId, true);

    connect(this, &Serial::sendSocketData, client, &SocketThread::sendData, Qt::QueuedConnection);
    connect(client, &SocketThread::dataReceived, this,
        [this, client, portId](const QByteArray& data) { onSocketDataReceived(client, portId, data); });
    connect(client, &SocketThread::disconnected, this, [this, portId]() { onClientDisconnected(portId); });
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

void Serial::onSocketDataReceived(SocketThread* client, int portId, const QByteArray& data)
{
    bool overflow = false;
    {
        QMutexLocker locker(&m_portsMutex);
        auto it = m_ports.find(uint(portId));
        if (it == m_ports.end())
            return;
        if (it->buffer->size() + qint64(data.size()) > kMaxPendingInputBytes) {
            it->buffer->clear();
            overflow = true;
        } else {
            it->buffer->append(data);
        }
    }
    if (overflow) {
        qWarning() << "TCP client dropped: more than" << kMaxPendingInputBytes << "bytes of input waiting";
        client->drop();
        return;
    }
    m_noticeQueue.post(SerialInfoType { portId, SerialEnum::SER_PCA });
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

bool Serial::readByte(const SerialInfoType& port, char& byte)
{
    const QSharedPointer<SerialBuffer> buffer = portBuffer(port.portId, false);
    if (!buffer)
        return false;
    const bool taken = buffer->takeByte(byte);
    if (!taken || buffer->isEmpty())
        releaseIfDrained(port.portId);
    return taken;
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

void Serial::serialOutText(int channelMask, int, const QString& text)
{
    try {
        if ((channelMask & SerialEnum::SERIAL_CHANNEL_PCA) == 0)
            return;
        emit sendSocketData(text.toUtf8());
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::Serial::serialOutText");
    }
}

void Serial::serialOutText(const SerialInfoType& port, const QString& text)
{
    serialOutText(getSerialChannel(port.type), port.portId, text);
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
    serialOutText(SerialEnum::SERIAL_CHANNEL_ALL, 0, eventMessage(*event));
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
