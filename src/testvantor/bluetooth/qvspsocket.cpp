#include "bluetooth/qvspsocket.h"

#include "app/application.h"
#include "app/sharedapplication.h"

#include <QAbstractEventDispatcher>
#include <QBluetoothUuid>
#include <QDebug>
#include <QMetaEnum>
#include <QMutexLocker>
#include <QThread>

#include <algorithm>
#include <exception>

namespace NorVSP {

namespace {

// The characteristics of one maker's virtual-serial-port service.
struct Vendor
{
    QBluetoothUuid service;
    QBluetoothUuid modemIn;
    QBluetoothUuid modemOut;
    QBluetoothUuid dataToDevice;
    QBluetoothUuid dataFromDevice;
    char readyByte;
};

const Vendor& vendor(QVSPSocket::Manufacturer manufacturer)
{
    static const Vendor laird { QBluetoothUuid(QStringLiteral("569a1101-b87f-490c-92cb-11ba5ea5167c")),
        QBluetoothUuid(QStringLiteral("569a2003-b87f-490c-92cb-11ba5ea5167c")),
        QBluetoothUuid(QStringLiteral("569a2002-b87f-490c-92cb-11ba5ea5167c")),
        QBluetoothUuid(QStringLiteral("569a2001-b87f-490c-92cb-11ba5ea5167c")),
        QBluetoothUuid(QStringLiteral("569a2000-b87f-490c-92cb-11ba5ea5167c")), 0x01 };
    static const Vendor blueRadios { QBluetoothUuid(QStringLiteral("da2b84f1-6279-48de-bdc0-afbea0226079")),
        QBluetoothUuid(QStringLiteral("0A1934F5-24B8-4F13-9842-37BB167C6AFF")),
        QBluetoothUuid(QStringLiteral("FDD6B4D3-046D-4330-BDEC-1FD0C90CB43B")),
        QBluetoothUuid(QStringLiteral("BF03260C-7205-4C25-AF43-93B1C299D159")),
        QBluetoothUuid(QStringLiteral("18CDA784-4BD3-4370-85BB-BFED91EC86AF")), 0x00 };
    return manufacturer == QVSPSocket::BlueRadios ? blueRadios : laird;
}

// BlueRadios modules take the byte 0x01 here before notifications are switched on.
const QBluetoothUuid& blueRadiosExtra()
{
    static const QBluetoothUuid uuid(QStringLiteral("A87988B9-694C-479C-900E-95DFA6C00A24"));
    return uuid;
}

const QByteArray& notifyOn()
{
    static const QByteArray value = QByteArray::fromHex("0100");
    return value;
}

template <typename Enum> const char* nameOf(Enum value)
{
    const char* name = QMetaEnum::fromType<Enum>().valueToKey(value);
    return name ? name : "?";
}

bool applicationIsClosing()
{
    const QSharedPointer<Vl::Orvane::UI::Application> application = Vl::Orvane::UI::sharedApplication();
    return application && application->isClosing();
}

} // namespace

QVSPSocket::QVSPSocket(QObject* parent)
    : QIODevice(parent)
{
    // The socket's signals carry these through queued connections.
    qRegisterMetaType<QBluetoothSocket::SocketState>();
    qRegisterMetaType<QLowEnergyService::ServiceError>();
    qRegisterMetaType<QLowEnergyService::ServiceState>();
}

QVSPSocket::~QVSPSocket()
{
    if (isOpen())
        close();
    dropConnections();
}

char QVSPSocket::readyByte() const { return vendor(m_manufacturer).readyByte; }

void QVSPSocket::dropConnections()
{
    for (const QMetaObject::Connection& connection : qAsConst(m_connections))
        QObject::disconnect(connection);
    m_connections.clear();
}

void QVSPSocket::releaseController()
{
    if (!m_controller)
        return;
    m_controller->disconnectFromDevice();
    m_controller.reset();
}

void QVSPSocket::connectToDevice(const QBluetoothDeviceInfo& device)
{
    if (isOpen())
        return;
    try {
        if (m_controller) {
            dropConnections();
            m_controller->disconnectFromDevice();
            QIODevice::close();
            m_controller.reset();
        }
        m_service.clear();
        m_clearToSend = false;
        {
            QMutexLocker locker(&m_bufferMutex);
            m_readBuffer.clear();
            m_writeBuffer.clear();
        }
        m_controller = QSharedPointer<QLowEnergyController>(
            QLowEnergyController::createCentral(device, this), &QObject::deleteLater);
        QLowEnergyController* controller = m_controller.data();
        m_connections << connect(controller, QOverload<QLowEnergyController::Error>::of(&QLowEnergyController::error),
            this, &QVSPSocket::onDiscoveryError, Qt::QueuedConnection);
        m_connections << connect(
            controller, &QLowEnergyController::connected, this,
            [this] {
                if (m_controller)
                    m_controller->discoverServices();
            },
            Qt::QueuedConnection);
        m_connections << connect(
            controller, &QLowEnergyController::disconnected, this, [this] { close(); }, Qt::QueuedConnection);
        m_connections << connect(controller, &QLowEnergyController::discoveryFinished, this,
            &QVSPSocket::onDiscoveryFinished, Qt::QueuedConnection);
        m_state = QBluetoothSocket::ConnectingState;
        controller->connectToDevice();
    } catch (const std::exception& e) {
        qDebug() << e.what();
    }
}

void QVSPSocket::fail(const QString& text)
{
    setErrorString(text);
    m_lastError = QLowEnergyService::OperationError;
    emit error(QLowEnergyService::OperationError);
}

void QVSPSocket::onDiscoveryFinished()
{
    if (!m_controller)
        return;
    const QList<QBluetoothUuid> services = m_controller->services();
    for (const QBluetoothUuid& uuid : services) {
        for (const Manufacturer candidate : { Laird, BlueRadios }) {
            if (uuid != vendor(candidate).service)
                continue;
            m_manufacturer = candidate;
            m_service = m_controller->createServiceObject(uuid, m_controller.data());
            break;
        }
        if (m_service)
            break;
    }
    if (!m_service) {
        fail(QStringLiteral("No VSP service found"));
        return;
    }
    m_connections << connect(m_service.data(),
        QOverload<QLowEnergyService::ServiceError>::of(&QLowEnergyService::error), this, &QVSPSocket::onServiceError,
        Qt::QueuedConnection);
    m_connections << connect(m_service.data(), &QLowEnergyService::stateChanged, this,
        &QVSPSocket::onServiceStateChanged, Qt::QueuedConnection);
    m_service->discoverDetails();
}

void QVSPSocket::onDiscoveryError(QLowEnergyController::Error controllerError)
{
    if (m_controller)
        setErrorString(m_controller->errorString());
    if (controllerError == QLowEnergyController::RemoteHostClosedError) {
        close();
    } else if (controllerError == QLowEnergyController::InvalidBluetoothAdapterError) {
        return;
    } else {
        m_lastError = QLowEnergyService::OperationError;
        emit error(QLowEnergyService::OperationError);
    }
}

void QVSPSocket::onServiceError(QLowEnergyService::ServiceError serviceError)
{
    qDebug() << "ERROR " << nameOf(serviceError);
    switch (serviceError) {
    case QLowEnergyService::OperationError:
        setErrorString(QStringLiteral("Operation error"));
        break;
    case QLowEnergyService::CharacteristicWriteError:
        setErrorString(QStringLiteral("Characteristic write error"));
        break;
    case QLowEnergyService::DescriptorWriteError:
        setErrorString(QStringLiteral("Descriptor write error"));
        break;
    case QLowEnergyService::UnknownError:
        setErrorString(QStringLiteral("Unknown error"));
        break;
    case QLowEnergyService::CharacteristicReadError:
        setErrorString(QStringLiteral("Characteristic read error"));
        openStream();
        break;
    case QLowEnergyService::DescriptorReadError:
        setErrorString(QStringLiteral("Descriptor read error"));
        break;
    default:
        break;
    }
    m_lastError = serviceError;
    emit error(serviceError);
}

void QVSPSocket::writeNotify(const QLowEnergyDescriptor& descriptor)
{
    if (m_service)
        m_service->writeDescriptor(descriptor, notifyOn());
}

void QVSPSocket::onServiceStateChanged(QLowEnergyService::ServiceState serviceState)
{
    emit serviceStateChanged(serviceState);
    qDebug() << "stateChanged " << nameOf(serviceState);
    if (serviceState != QLowEnergyService::ServiceDiscovered || !m_service)
        return;
    const Vendor& uuids = vendor(m_manufacturer);
    m_modemIn = m_service->characteristic(uuids.modemIn);
    m_modemOut = m_service->characteristic(uuids.modemOut);
    m_dataToDevice = m_service->characteristic(uuids.dataToDevice);
    m_dataFromDevice = m_service->characteristic(uuids.dataFromDevice);
    if (!m_modemIn.isValid() || !m_modemOut.isValid() || !m_dataToDevice.isValid() || !m_dataFromDevice.isValid()) {
        fail(QStringLiteral("Cannot retrieve the VSP service characteristics"));
        return;
    }
    if (m_manufacturer == BlueRadios) {
        m_extraCharacteristic = m_service->characteristic(blueRadiosExtra());
        if (!m_extraCharacteristic.isValid()) {
            fail(QStringLiteral("Cannot retrieve the VSP service characteristics"));
            return;
        }
    }
    m_dataFromDeviceNotify = m_dataFromDevice.descriptor(QBluetoothUuid::ClientCharacteristicConfiguration);
    m_modemOutNotify = m_modemOut.descriptor(QBluetoothUuid::ClientCharacteristicConfiguration);
    if (!m_dataFromDeviceNotify.isValid() || !m_modemOutNotify.isValid()) {
        fail(QStringLiteral("Cannot detect VSP service notifications"));
        return;
    }
    QLowEnergyService* service = m_service.data();
    m_connections << connect(
        service, &QLowEnergyService::descriptorWritten, this, &QVSPSocket::onDescriptorWritten, Qt::QueuedConnection);
    m_connections << connect(service, &QLowEnergyService::characteristicChanged, this,
        &QVSPSocket::onCharacteristicChanged, Qt::QueuedConnection);
    m_connections << connect(
        service, &QLowEnergyService::characteristicRead, this, &QVSPSocket::onCharacteristicRead, Qt::QueuedConnection);
    m_connections << connect(service, &QLowEnergyService::characteristicWritten, this,
        &QVSPSocket::onCharacteristicWritten, Qt::QueuedConnection);
    if (m_manufacturer == Laird)
        writeNotify(m_dataFromDeviceNotify);
    else
        service->writeCharacteristic(m_extraCharacteristic, QByteArray(1, 0x01), QLowEnergyService::WriteWithResponse);
}

void QVSPSocket::onDescriptorWritten(const QLowEnergyDescriptor& descriptor, const QByteArray& newValue)
{
    if (newValue != notifyOn() || !m_service)
        return;
    if (descriptor == m_dataFromDeviceNotify)
        writeNotify(m_modemOutNotify);
    else if (descriptor == m_modemOutNotify)
        m_service->writeCharacteristic(m_modemIn, QByteArray(1, readyByte()), QLowEnergyService::WriteWithResponse);
}

QVSPSocket::Role QVSPSocket::roleOf(const QLowEnergyCharacteristic& characteristic) const
{
    const QBluetoothUuid uuid = characteristic.uuid();
    const Vendor& uuids = vendor(m_manufacturer);
    if (uuid == uuids.dataToDevice)
        return Role::DataToDevice;
    if (uuid == uuids.dataFromDevice)
        return Role::DataFromDevice;
    if (uuid == uuids.modemIn)
        return Role::ModemIn;
    if (uuid == uuids.modemOut)
        return Role::ModemOut;
    if (m_manufacturer == BlueRadios && uuid == blueRadiosExtra())
        return Role::Extra;
    return Role::None;
}

void QVSPSocket::onCharacteristicRead(const QLowEnergyCharacteristic& characteristic, const QByteArray& value)
{
    handleCharacteristicRead(roleOf(characteristic), value);
}

void QVSPSocket::onCharacteristicWritten(const QLowEnergyCharacteristic& characteristic, const QByteArray& value)
{
    handleCharacteristicWritten(roleOf(characteristic), value);
}

void QVSPSocket::onCharacteristicChanged(const QLowEnergyCharacteristic& characteristic, const QByteArray& newValue)
{
    handleCharacteristicChanged(roleOf(characteristic), newValue);
}

void QVSPSocket::openStream()
{
    QIODevice::open(QIODevice::ReadWrite);
    m_clearToSend = true;
    m_state = QBluetoothSocket::ConnectedState;
    emit stateChanged(QBluetoothSocket::ConnectedState);
    emit connected();
    QMutexLocker locker(&m_bufferMutex);
    const bool pending = !m_readBuffer.isEmpty();
    locker.unlock();
    if (pending)
        emit readyRead();
}

void QVSPSocket::handleCharacteristicWritten(Role role, const QByteArray& value)
{
    switch (role) {
    case Role::DataToDevice:
        sendNextChunk();
        break;
    case Role::ModemIn:
        m_modemInSet = value == QByteArray(1, readyByte());
        openStream();
        break;
    case Role::Extra:
        writeNotify(m_dataFromDeviceNotify);
        break;
    default:
        break;
    }
}

void QVSPSocket::handleCharacteristicChanged(Role role, const QByteArray& value)
{
    if (role == Role::DataFromDevice) {
        {
            QMutexLocker locker(&m_bufferMutex);
            m_readBuffer.append(value);
        }
        if (isOpen())
            emit readyRead();
    } else if (role == Role::ModemOut) {
        // The module is ready for data while it reports its ready byte as a digit.
        m_clearToSend = value.isEmpty() || value.at(0) == char(readyByte() + 0x30);
        sendNextChunk();
    }
}

void QVSPSocket::handleCharacteristicRead(Role role, const QByteArray& value)
{
    if (role != Role::ModemOut || isOpen())
        return;
    m_clearToSend = value.isEmpty() || value.at(0) == char(readyByte() + 0x30);
    const bool clear = m_clearToSend;
    openStream();
    m_clearToSend = clear;
}

bool QVSPSocket::writeChunk(const QByteArray& chunk)
{
    if (!m_service)
        return false;
    m_service->writeCharacteristic(m_dataToDevice, chunk, QLowEnergyService::WriteWithResponse);
    return true;
}

void QVSPSocket::sendNextChunk()
{
    if (!m_clearToSend)
        return;
    const QByteArray chunk = m_writeBuffer.left(kChunkBytes);
    if (chunk.isEmpty())
        return;
    if (!writeChunk(chunk))
        return;
    emit bytesWritten(chunk.size());
    m_writeBuffer.remove(0, chunk.size());
}

qint64 QVSPSocket::bytesAvailable() const
{
    QMutexLocker locker(&m_bufferMutex);
    return m_readBuffer.size() + QIODevice::bytesAvailable();
}

qint64 QVSPSocket::bytesToWrite() const { return m_writeBuffer.size(); }

bool QVSPSocket::canReadLine() const
{
    QMutexLocker locker(&m_bufferMutex);
    return QIODevice::canReadLine() || m_readBuffer.contains('\n');
}

qint64 QVSPSocket::readData(char* data, qint64 maxSize)
{
    if (!isOpen()) {
        fail(QStringLiteral("Cannot read while not connected"));
        return -1;
    }
    QMutexLocker locker(&m_bufferMutex);
    const int count = int(std::min<qint64>(maxSize, m_readBuffer.size()));
    std::copy_n(m_readBuffer.constData(), count, data);
    m_readBuffer.remove(0, count);
    return count;
}

qint64 QVSPSocket::writeData(const char* data, qint64 length)
{
    if (!isOpen()) {
        fail(QStringLiteral("Cannot write while not connected"));
        return -1;
    }
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(thread()))
        dispatcher->processEvents(QEventLoop::AllEvents);
    // The events just handled may have closed the connection; the data would be lost unreported.
    if (!isOpen()) {
        fail(QStringLiteral("Cannot write while not connected"));
        return -1;
    }
    if (m_writeBuffer.size() + length + 1 > m_maxWriteBufferSize) {
        fail(QStringLiteral("Internal write buffer overflow (max. size %1), write failed").arg(m_maxWriteBufferSize));
        return -1;
    }
    m_writeBuffer.append(data, int(length));
    sendNextChunk();
    return length;
}

void QVSPSocket::close()
{
    if (!isOpen())
        return;
    m_state = QBluetoothSocket::ClosingState;
    emit stateChanged(QBluetoothSocket::ClosingState);
    emit readChannelFinished();
    dropConnections();
    QIODevice::close();
    releaseController();
    m_service.clear();
    m_clearToSend = false;
    {
        QMutexLocker locker(&m_bufferMutex);
        m_readBuffer.clear();
        m_writeBuffer.clear();
    }
    if (applicationIsClosing())
        return;
    m_state = QBluetoothSocket::UnconnectedState;
    emit stateChanged(QBluetoothSocket::UnconnectedState);
    emit disconnected();
}

} // namespace NorVSP
