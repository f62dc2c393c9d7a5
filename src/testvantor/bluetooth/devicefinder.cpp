#include "bluetooth/devicefinder.h"

#include "bluetooth/devicehandler.h"

#include <QBluetoothAddress>
#include <QDebug>
#include <QMutexLocker>

#include <algorithm>

const QStringList& DeviceFinder::acceptedPrefixes()
{
    static const QStringList prefixes { QStringLiteral("FRL410"), QStringLiteral("FRL120"), QStringLiteral("FRL430"),
        QStringLiteral("FRL440"), QStringLiteral("ZNT310"), QStringLiteral("ZNT320") };
    return prefixes;
}

DeviceFinder::DeviceFinder(DeviceHandler* handler, QObject* parent)
    : BluetoothBaseClass(parent)
    , m_deviceHandler(handler)
    , m_deviceDiscoveryAgent(new QBluetoothDeviceDiscoveryAgent(this))
{
    connect(m_deviceDiscoveryAgent, &QBluetoothDeviceDiscoveryAgent::deviceDiscovered, this, &DeviceFinder::addDevice);
    connect(m_deviceDiscoveryAgent,
        QOverload<QBluetoothDeviceDiscoveryAgent::Error>::of(&QBluetoothDeviceDiscoveryAgent::error), this,
        &DeviceFinder::scanError);
    connect(m_deviceDiscoveryAgent, &QBluetoothDeviceDiscoveryAgent::finished, this, &DeviceFinder::scanFinished);
    connect(m_deviceDiscoveryAgent, &QBluetoothDeviceDiscoveryAgent::canceled, this, &DeviceFinder::scanFinished);
    if (m_deviceHandler)
        connect(m_deviceHandler, &DeviceHandler::connectedChanged, this, &DeviceFinder::onDeviceConnectedChanged);
}

DeviceFinder::~DeviceFinder() { m_deviceDiscoveryAgent->disconnect(this); }

bool DeviceFinder::scanning() const { return m_deviceDiscoveryAgent->isActive(); }

void DeviceFinder::stopAgent()
{
    if (m_deviceDiscoveryAgent->isActive())
        m_deviceDiscoveryAgent->stop();
}

void DeviceFinder::startSearch(int timeout)
{
    QMutexLocker locker(&m_mutex);
    stopAgent();
    if (timeout != 0)
        clearMessages();
    m_scanningTimout = timeout;
    m_deviceDiscoveryAgent->setLowEnergyDiscoveryTimeout(timeout);
    m_deviceDiscoveryAgent->start(QBluetoothDeviceDiscoveryAgent::LowEnergyMethod);
    emit scanningTimoutChanged();
    emit scanningChanged();
    setInfo(tr("Scanning for devices..."));
}

void DeviceFinder::connectToService(const QString& address, const QString&)
{
    QMutexLocker locker(&m_mutex);
    m_targetAddress = address;
    stopAgent();
    startSearch(0);
}

void DeviceFinder::disconnectFromService()
{
    QMutexLocker locker(&m_mutex);
    m_targetAddress.clear();
    if (m_deviceHandler)
        m_deviceHandler->setDevice(QSharedPointer<DeviceInfo>());
}

void DeviceFinder::addDevice(const QBluetoothDeviceInfo& device)
{
    QMutexLocker locker(&m_mutex);
    if (!(device.coreConfigurations() & QBluetoothDeviceInfo::LowEnergyCoreConfiguration))
        return;
    qDebug() << "*****";
    qDebug() << "Address: " << device.address().toString();
    qDebug() << "Name: " << device.name();
    qDebug() << "*****";
    const QString name = device.name();
    const bool accepted = std::any_of(acceptedPrefixes().cbegin(), acceptedPrefixes().cend(),
        [&name](const QString& prefix) { return name.startsWith(prefix, Qt::CaseSensitive); });
    if (!accepted)
        return;
    const QString address = device.address().toString();
    if (!m_targetAddress.isEmpty() && address == m_targetAddress) {
        if (m_deviceHandler && !m_deviceHandler->inStatusChanging() && !m_deviceHandler->connected())
            m_deviceHandler->setDevice(QSharedPointer<DeviceInfo>::create(device));
        return;
    }
    if (!m_inRescan)
        return;
    for (const QSharedPointer<DeviceInfo>& known : qAsConst(m_devices)) {
        if (known->getAddress() == address)
            return;
    }
    m_devices.append(QSharedPointer<DeviceInfo>::create(device));
    setInfo(tr("Low Energy device found. Scanning more..."));
    emit deviceFound(address, name);
}

void DeviceFinder::scanError(QBluetoothDeviceDiscoveryAgent::Error error)
{
    if (error == QBluetoothDeviceDiscoveryAgent::PoweredOffError)
        setError(tr("The Bluetooth adaptor is powered off."));
    else if (error == QBluetoothDeviceDiscoveryAgent::InputOutputError)
        setError(tr("Writing or reading from the device resulted in an error."));
    else
        setError(tr("An unknown error has occurred."));
}

void DeviceFinder::scanFinished()
{
    QMutexLocker locker(&m_mutex);
    if (m_devices.isEmpty())
        setError(tr("No Low Energy devices found."));
    else
        setInfo(tr("Scanning done."));
    emit scanningChanged();
}

void DeviceFinder::onDeviceConnectedChanged(bool isConnected)
{
    QMutexLocker locker(&m_mutex);
    if (!isConnected && !m_targetAddress.isEmpty()) {
        if (!m_deviceDiscoveryAgent->isActive())
            startSearch(0);
    } else if (isConnected && !m_inRescan) {
        stopAgent();
    }
}

void DeviceFinder::setInRescan(bool inRescan)
{
    QMutexLocker locker(&m_mutex);
    if (inRescan == m_inRescan)
        return;
    m_inRescan = inRescan;
    emit inRescanChanged();
    if (inRescan) {
        m_devices.clear();
        startSearch(10000);
    } else {
        stopAgent();
        if (!m_targetAddress.isEmpty() && m_deviceHandler && !m_deviceHandler->connected())
            startSearch(0);
    }
}
