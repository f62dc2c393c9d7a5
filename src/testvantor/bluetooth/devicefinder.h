#pragma once

#include "bluetooth/bluetoothbaseclass.h"
#include "bluetooth/deviceinfo.h"

#include <QBluetoothDeviceDiscoveryAgent>
#include <QBluetoothDeviceInfo>
#include <QList>
#include <QRecursiveMutex>
#include <QSharedPointer>
#include <QString>

class DeviceHandler;

// Scans for Bluetooth LE devices of the maker's two families by their advertised name, lists them,
// and hands the device with the target address to the handler.
class DeviceFinder : public BluetoothBaseClass
{
    Q_OBJECT
    Q_PROPERTY(bool scanning READ scanning NOTIFY scanningChanged)
    Q_PROPERTY(int scanningTimout READ scanningTimout NOTIFY scanningTimoutChanged)
    Q_PROPERTY(bool inRescan READ inRescan WRITE setInRescan NOTIFY inRescanChanged)

public:
    // Names of the accepted devices begin with one of these, exactly as written.
    static const QStringList& acceptedPrefixes();

    explicit DeviceFinder(DeviceHandler* handler, QObject* parent = nullptr);
    ~DeviceFinder() override;

    bool scanning() const;
    int scanningTimout() const { return m_scanningTimout; }
    bool inRescan() const { return m_inRescan; }
    void setInRescan(bool inRescan);
    QList<QSharedPointer<DeviceInfo>> devices() const { return m_devices; }
    QString targetAddress() const { return m_targetAddress; }

public slots:
    void startSearch(int timeout = 10000);
    void connectToService(const QString& address, const QString& deviceName);
    void disconnectFromService();
    void addDevice(const QBluetoothDeviceInfo& device);
    void scanError(QBluetoothDeviceDiscoveryAgent::Error error);
    void scanFinished();
    void onDeviceConnectedChanged(bool isConnected);

signals:
    void scanningChanged();
    void inRescanChanged();
    void deviceFound(QString address, QString deviceName);
    void scanningTimoutChanged();

private:
    void stopAgent();

    mutable QRecursiveMutex m_mutex;
    DeviceHandler* m_deviceHandler;
    QBluetoothDeviceDiscoveryAgent* m_deviceDiscoveryAgent;
    QList<QSharedPointer<DeviceInfo>> m_devices;
    QString m_targetAddress;
    int m_scanningTimout = 0;
    bool m_inRescan = false;
};
