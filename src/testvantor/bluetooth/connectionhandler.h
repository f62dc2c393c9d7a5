#pragma once

#include <QBluetoothLocalDevice>
#include <QObject>
#include <QString>

// The local Bluetooth adapter: whether it is usable, its name and address, and switching it on.
class ConnectionHandler : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool alive READ alive NOTIFY deviceChanged)
    Q_PROPERTY(QString name READ name NOTIFY deviceChanged)
    Q_PROPERTY(QString address READ address NOTIFY deviceChanged)

public:
    explicit ConnectionHandler(QObject* parent = nullptr);

    bool alive() const;
    QString name() const;
    QString address() const;
    Q_INVOKABLE void powerOn();

signals:
    void deviceChanged();

private slots:
    void hostModeChanged(QBluetoothLocalDevice::HostMode mode);

private:
    QBluetoothLocalDevice m_localDevice;
};
