#pragma once

#include <QString>

namespace Vl::Tavix3::BizHW {

// Where the device's LED-matrix driver would take the board's pixels. The desktop build only
// fills it in; nothing opens these paths.
struct LedMatrixDevice
{
    LedMatrixDevice(int rowCount, int columnCount)
        : size(rowCount * columnCount)
        , pixelCount(rowCount * columnCount)
    {
    }

    QString ledMemoryPath = QStringLiteral("/dev/ledmem");
    QString configurationNodePath = QStringLiteral("/sys/devices/soc0/bff10000.qx3_tu_cfg");
    QString iioDevicePath = QStringLiteral("/sys/bus/iio/devices/iio:device1");
    int size = 0;
    int fileDescriptor = -1;
    int pixelCount = 0;
};

} // namespace Vl::Tavix3::BizHW
