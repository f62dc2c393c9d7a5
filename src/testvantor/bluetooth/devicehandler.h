#pragma once

#include "bluetooth/bluetoothbaseclass.h"
#include "bluetooth/deviceinfo.h"

#include <QBluetoothLocalDevice>
#include <QMutex>
#include <QPointer>
#include <QSharedPointer>

namespace NorVSP {
class QVSPSocket;
}

// Owns the one serial stream to one Bluetooth LE device: connects, disconnects, pairs, writes text
// and drains what the device sends.
class DeviceHandler : public BluetoothBaseClass
{
    Q_OBJECT
    Q_PROPERTY(bool connected READ connected WRITE setConnected NOTIFY connectedChanged)
    Q_PROPERTY(bool inStatusChanging MEMBER m_inStatusChanging NOTIFY inStatusChangingChanged)
    Q_PROPERTY(bool isPairing READ isPairing WRITE requestPairing NOTIFY isParingChanged)

public:
    // The socket is created with socketParent as its parent; this handler when none is given.
    explicit DeviceHandler(QObject* parent = nullptr, QObject* socketParent = nullptr);
    ~DeviceHandler() override;

    virtual bool connected() const;
    bool inStatusChanging() const { return m_inStatusChanging; }
    bool isPairing() const;
    QSharedPointer<DeviceInfo> currentDevice() const { return m_currentDevice; }

    virtual void setDevice(const QSharedPointer<DeviceInfo>& device);
    void setConnected(bool connected);
    void requestPairing(bool pairing);
    Q_INVOKABLE void write(const QString& text);

signals:
    void connectedChanged(bool isConnected);
    void forloSemDataReceived(QString data, qlonglong ticks);
    void zenthaDataReceived(QByteArray data);
    void inStatusChangingChanged();
    void isParingChanged();

private slots:
    void onReadyRead();

private:
    void startStatusChange();
    void endStatusChange();
    void deleteSocket();

    bool m_inStatusChanging = false;
    // Guarded: the socket's parent may delete it too.
    QPointer<NorVSP::QVSPSocket> m_socket;
    QSharedPointer<DeviceInfo> m_currentDevice;
    QPointer<QObject> m_socketParent;
    QBluetoothLocalDevice m_localDevice;
    QMutex m_readMutex;
};
