#include "bluetooth/devicehandler.h"

#include "bluetooth/qvspsocket.h"

#include <QDebug>

DeviceHandler::DeviceHandler(QObject* parent, QObject* socketParent)
    : BluetoothBaseClass(parent)
    , m_socketParent(socketParent ? socketParent : this)
{
}

DeviceHandler::~DeviceHandler()
{
    // Nobody is told of a status change that ends with the handler.
    m_inStatusChanging = false;
    deleteSocket();
}

bool DeviceHandler::connected() const { return m_socket && m_socket->isOpen(); }

bool DeviceHandler::isPairing() const
{
    if (!m_currentDevice)
        return false;
    return m_localDevice.pairingStatus(m_currentDevice->getDevice().address()) != QBluetoothLocalDevice::Unpaired;
}

void DeviceHandler::startStatusChange()
{
    m_inStatusChanging = true;
    emit inStatusChangingChanged();
}

void DeviceHandler::endStatusChange()
{
    m_inStatusChanging = false;
    emit inStatusChangingChanged();
}

void DeviceHandler::deleteSocket()
{
    if (!m_socket)
        return;
    m_socket->disconnect(this);
    m_socket->close();
    delete m_socket.data();
    // A connection or disconnection under way ends with its socket; no signal of it follows.
    if (m_inStatusChanging)
        endStatusChange();
}

void DeviceHandler::setDevice(const QSharedPointer<DeviceInfo>& device)
{
    clearMessages();
    m_currentDevice = device;
    deleteSocket();
    if (!m_currentDevice)
        return;
    m_socket = new NorVSP::QVSPSocket(m_socketParent ? m_socketParent.data() : this);
    NorVSP::QVSPSocket* socket = m_socket;
    // The error is handled later, by when the socket may have been deleted (another device, or
    // none): the guarded pointer is then null, and the error of a socket that is gone is ignored.
    const QPointer<NorVSP::QVSPSocket> guarded(socket);
    connect(
        socket, &NorVSP::QVSPSocket::error, this,
        [this, guarded](QLowEnergyService::ServiceError) {
            if (!guarded)
                return;
            qCritical().noquote() << tr("Bluetooth LE VSP error: %1").arg(guarded->errorString());
            endStatusChange();
        },
        Qt::QueuedConnection);
    connect(socket, &QIODevice::readyRead, this, &DeviceHandler::onReadyRead);
    connect(socket, &NorVSP::QVSPSocket::connected, this, [this] {
        endStatusChange();
        emit connectedChanged(true);
    });
    connect(socket, &NorVSP::QVSPSocket::disconnected, this, [this] {
        qCritical().noquote() << tr("Bluetooth LE disconnected");
        endStatusChange();
        emit connectedChanged(false);
    });
    startStatusChange();
    socket->connectToDevice(m_currentDevice->getDevice());
}

void DeviceHandler::setConnected(bool connect)
{
    if (!m_socket)
        return;
    startStatusChange();
    if (connect && m_currentDevice)
        m_socket->connectToDevice(m_currentDevice->getDevice());
    else if (!connect)
        m_socket->close();
}

void DeviceHandler::requestPairing(bool pairing)
{
    if (!m_currentDevice || m_currentDevice->getDevice().address().isNull())
        return;
    m_localDevice.requestPairing(m_currentDevice->getDevice().address(),
        pairing ? QBluetoothLocalDevice::Paired : QBluetoothLocalDevice::Unpaired);
    emit isParingChanged();
}

void DeviceHandler::onReadyRead()
{
    QMutexLocker locker(&m_readMutex);
    if (m_socket)
        m_socket->readAll();
}

void DeviceHandler::write(const QString& text)
{
    if (m_socket && !text.isEmpty())
        m_socket->write(text.toLocal8Bit());
}
