#pragma once

#include <QObject>

namespace Vl::Tavix3::UI {

// Serial types, channel masks and protocols shared by the serial layer and its users; QML
// reaches it as "SerialEnum".
class SerialEnum : public QObject
{
    Q_OBJECT

public:
    enum SerialTickType { SER_TICK_DISABLED = 0, SER_TICK_SEC = 1, SER_TICK_DEC = 2 };
    Q_ENUM(SerialTickType)

    enum ProtocolType {
        VELMORA_PROTOCOL = 0,
        VELMORA_TAVIX2_PROTOCOL = 1,
        ALGE_PROTOCOL = 2,
        RADIO_MODEM_PROTOCOL = 3,
        FINISHLYNX_PROTOCOL = 4,
        MAX_PROTOCOL_TYPE = 5
    };
    Q_ENUM(ProtocolType)

    enum SerialSpeedType {
        SER_SPEED_1200 = 1200,
        SER_SPEED_2400 = 2400,
        SER_SPEED_4800 = 4800,
        SER_SPEED_9600 = 9600,
        SER_SPEED_19200 = 19200,
        SER_SPEED_28800 = 28800,
        SER_SPEED_38400 = 38400,
        SER_SPEED_57600 = 57600,
        SER_SPEED_115200 = 115200
    };
    Q_ENUM(SerialSpeedType)

    enum SerialDataType { STANDARD_DATA_TYPE = 0, RADIO_IN = 1, MODEM_OUT = 2 };
    Q_ENUM(SerialDataType)

    enum SerialType {
        SER_PCA = 1,
        SER_PCB = 2,
        SER_USB = 3,
        SERVER_TCP = 4,
        BLUETOOTH = 5,
        MAX_SERIAL_TYPE = 6,
        SER_VIRTUAL = 7,
        MODEM = 8,
        SER_ALL = 9,
        SER_NONE = 10
    };
    Q_ENUM(SerialType)

    // Bit mask of output channels.
    enum SerialChannelType {
        SERIAL_CHANNEL_NONE = 0,
        SERIAL_CHANNEL_PCA = 1,
        SERIAL_CHANNEL_PCB = 2,
        SERIAL_CHANNEL_USB = 4,
        SERIAL_CHANNEL_SERVER_TCP = 8,
        SERIAL_CHANNEL_BLUETOOTH = 16,
        SERIAL_CHANNEL_ALL = 31,
        SERIAL_CHANNEL_TAVIX2NET = 32,
        SERIAL_CHANNEL_TAB = 64,
        SERIAL_CHANNEL_MODEM = 128
    };
    Q_ENUM(SerialChannelType)

    using QObject::QObject;
};

} // namespace Vl::Tavix3::UI
