#include "bluetooth/connectionhandler.h"

#include <QBluetoothAddress>

ConnectionHandler::ConnectionHandler(QObject* parent)
    : QObject(parent)
{
    connect(&m_localDevice, &QBluetoothLocalDevice::hostModeStateChanged, this, &ConnectionHandler::hostModeChanged);
}

bool ConnectionHandler::alive() const
{
    return m_localDevice.isValid() && m_localDevice.hostMode() != QBluetoothLocalDevice::HostPoweredOff;
}

QString ConnectionHandler::name() const { return m_localDevice.name(); }

QString ConnectionHandler::address() const { return m_localDevice.address().toString(); }

void ConnectionHandler::powerOn() { m_localDevice.powerOn(); }

void ConnectionHandler::hostModeChanged(QBluetoothLocalDevice::HostMode) { emit deviceChanged(); }
