#include "bluetooth/deviceinfo.h"

DeviceInfo::DeviceInfo(const QBluetoothDeviceInfo& device, QObject* parent)
    : QObject(parent)
    , m_device(device)
{
}
