#include "bluetooth/bluetoothbaseclass.h"

#include <QDebug>

BluetoothBaseClass::BluetoothBaseClass(QObject* parent)
    : QObject(parent)
{
}

void BluetoothBaseClass::setError(const QString& error)
{
    if (error == m_error)
        return;
    m_error = error;
    emit errorChanged();
    qDebug() << "setError" << error;
}

void BluetoothBaseClass::setInfo(const QString& info)
{
    if (info == m_info)
        return;
    m_info = info;
    emit infoChanged();
    qDebug() << "setInfo" << info;
}

void BluetoothBaseClass::clearMessages()
{
    setInfo(QString());
    setError(QString());
}
