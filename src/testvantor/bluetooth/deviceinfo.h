#pragma once

#include <QBluetoothAddress>
#include <QBluetoothDeviceInfo>
#include <QObject>
#include <QString>

// One discovered Bluetooth device: its name and address.
class DeviceInfo : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString deviceName READ getName NOTIFY deviceChanged)
    Q_PROPERTY(QString deviceAddress READ getAddress NOTIFY deviceChanged)

public:
    explicit DeviceInfo(const QBluetoothDeviceInfo& device, QObject* parent = nullptr);

    QBluetoothDeviceInfo getDevice() const { return m_device; }
    QString getName() const { return m_device.name(); }
    QString getAddress() const { return m_device.address().toString(); }

signals:
    void deviceChanged();

private:
    QBluetoothDeviceInfo m_device;
};
