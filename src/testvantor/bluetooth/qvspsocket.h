#pragma once

#include <QBluetoothDeviceInfo>
#include <QBluetoothSocket>
#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QLowEnergyCharacteristic>
#include <QLowEnergyController>
#include <QLowEnergyDescriptor>
#include <QLowEnergyService>
#include <QMetaObject>
#include <QPointer>
#include <QRecursiveMutex>
#include <QSharedPointer>

namespace NorVSP {

// A byte stream over the virtual-serial-port GATT service of a Bluetooth Low Energy module (Laird or
// BlueRadios): data both ways in 20-byte notifications and writes, sending paused while the module
// reports that it cannot take more.
class QVSPSocket : public QIODevice
{
    Q_OBJECT

public:
    enum Manufacturer { Laird = 0, BlueRadios = 1 };
    Q_ENUM(Manufacturer)

    static constexpr int kChunkBytes = 20;

    explicit QVSPSocket(QObject* parent);
    ~QVSPSocket() override;

    void connectToDevice(const QBluetoothDeviceInfo& device);

    bool isSequential() const override { return true; }
    void close() override;
    qint64 bytesAvailable() const override;
    qint64 bytesToWrite() const override;
    bool canReadLine() const override;

    QBluetoothSocket::SocketState state() const { return m_state; }
    QLowEnergyService::ServiceError lastError() const { return m_lastError; }
    Manufacturer manufacturer() const { return m_manufacturer; }
    bool isClearToSend() const { return m_clearToSend; }
    int maxWriteBufferSize() const { return m_maxWriteBufferSize; }

signals:
    void connected();
    void disconnected();
    void stateChanged(QBluetoothSocket::SocketState state);
    void serviceStateChanged(QLowEnergyService::ServiceState state);
    void error(QLowEnergyService::ServiceError error);

public slots:
    void onDiscoveryFinished();
    void onDiscoveryError(QLowEnergyController::Error controllerError);
    void onServiceError(QLowEnergyService::ServiceError serviceError);
    void onServiceStateChanged(QLowEnergyService::ServiceState serviceState);
    void onDescriptorWritten(const QLowEnergyDescriptor& descriptor, const QByteArray& newValue);
    void onCharacteristicRead(const QLowEnergyCharacteristic& characteristic, const QByteArray& value);
    void onCharacteristicWritten(const QLowEnergyCharacteristic& characteristic, const QByteArray& value);
    void onCharacteristicChanged(const QLowEnergyCharacteristic& characteristic, const QByteArray& newValue);

protected:
    // The characteristics of the service by what they carry.
    enum class Role { None, DataToDevice, DataFromDevice, ModemIn, ModemOut, Extra };

    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 length) override;

    // Writes one chunk to the module; false when there is no service to write to.
    virtual bool writeChunk(const QByteArray& chunk);
    void setManufacturer(Manufacturer manufacturer) { m_manufacturer = manufacturer; }
    void handleCharacteristicWritten(Role role, const QByteArray& value);
    void handleCharacteristicChanged(Role role, const QByteArray& value);
    void handleCharacteristicRead(Role role, const QByteArray& value);

private:
    Role roleOf(const QLowEnergyCharacteristic& characteristic) const;
    void sendNextChunk();
    void openStream();
    void fail(const QString& text);
    void dropConnections();
    void releaseController();
    void writeNotify(const QLowEnergyDescriptor& descriptor);
    char readyByte() const;

    int m_maxWriteBufferSize = 4096;
    QBluetoothSocket::SocketState m_state = QBluetoothSocket::UnconnectedState;
    QLowEnergyService::ServiceError m_lastError = QLowEnergyService::NoError;
    Manufacturer m_manufacturer = Laird;
    QSharedPointer<QLowEnergyController> m_controller;
    QPointer<QLowEnergyService> m_service;
    QLowEnergyCharacteristic m_dataToDevice;
    QLowEnergyCharacteristic m_dataFromDevice;
    QLowEnergyCharacteristic m_modemIn;
    QLowEnergyCharacteristic m_modemOut;
    QLowEnergyCharacteristic m_extraCharacteristic;
    QLowEnergyDescriptor m_dataFromDeviceNotify;
    QLowEnergyDescriptor m_modemOutNotify;
    bool m_clearToSend = false;
    bool m_modemInSet = false;
    QByteArray m_readBuffer;
    QByteArray m_writeBuffer;
    mutable QRecursiveMutex m_bufferMutex;
    QList<QMetaObject::Connection> m_connections;
};

} // namespace NorVSP
