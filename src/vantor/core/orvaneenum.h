#pragma once

#include <QObject>

namespace Vl::Tavix3::UI {

// Enumerations shared by the application object, the command server and the QML: languages,
// date and time formats, display-board and brightness modes, channels and the device's keys.
class OrvaneEnum : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    enum Language {
        LANGUAGE_ENG = 0,
        LANGUAGE_ITA = 1,
        LANGUAGE_DEU = 2,
        MAX_LANGUAGE = 3,
        NO_LANGUAGE = 99
    };
    Q_ENUM(Language)

    enum DateFormat {
        DATE_FORMAT_DD_MM_YYYY = 0,
        DATE_FORMAT_MM_DD_YYYY = 1,
        MAX_DATE_FORMAT = 2
    };
    Q_ENUM(DateFormat)

    enum TimeFormat {
        TIME_FORMAT_24_H = 0,
        TIME_FORMAT_12_H = 1,
        MAX_TIME_FORMAT = 2
    };
    Q_ENUM(TimeFormat)

    enum TimePrecision {
        TIME_PRECISION_SEC = 5,
        TIME_PRECISION_DEC = 3,
        TIME_PRECISION_CEN = 2,
        TIME_PRECISION_MIL = 1,
        TIME_PRECISION_DMIL = 0
    };
    Q_ENUM(TimePrecision)

    enum QTimeFormatMode {
        QFMT_CHECK_FORMAT = 4096,
        QFMT_RUNNING = 8192,
        QFMT_CRONO = 16384,
        QFMT_GAP = 32768
    };
    Q_ENUM(QTimeFormatMode)

    enum EventFlag {
        QKEYB = 64,
        QNP = 128,
        QNA = 256,
        QSQ = 512,
        QFG = 4096,
        QEL = 8192,
        QSKIPPED = 32768
    };
    Q_ENUM(EventFlag)

    enum RadioType {
        STANDARD_RADIO_TYPE = 0,
        QUINDLE_RADIO_TYPE = 1,
        ENCDEC_RADIO_TYPE = 2
    };
    Q_ENUM(RadioType)

    enum DisplayboardMode {
        COUNTDOWN_MODE = 0,
        DISPLAYBOARD_MODE = 1
    };
    Q_ENUM(DisplayboardMode)

    enum BrightnessMode {
        AUTO_BRIGHTNESS = 0,
        MANUAL_BRIGHTNESS = 1
    };
    Q_ENUM(BrightnessMode)

    enum QLogicalChannel {
        QSTART = 0,
        QLAP1 = 1,
        QLAP2 = 2,
        QLAP3 = 3,
        QLAP4 = 4,
        QLAP5 = 5,
        QLAP6 = 6,
        QLAP7 = 7,
        QLAP8 = 8,
        QNO_LOGICAL_CHANNEL = 65531,
        QNOT_ASSIGNED = 65533,
        QAUX = 65534,
        QSTOP = 65535
    };
    Q_ENUM(QLogicalChannel)

    enum QPhysicalChannel {
        QDUMMY_PHYSICAL_CHANNEL = 0,
        QSTART_LINE = 1,
        QLAP_LINE = 2,
        QSTOP_LINE = 3,
        QAUX_LINE = 4,
        QSTART_KEY = 5,
        QLAP_KEY = 6,
        QSTOP_KEY = 7,
        QAUX_KEY = 8,
        QPOD0_CODE = 16,
        QPOD1_CODE = 32,
        QPOD2_CODE = 48,
        QPOD3_CODE = 64,
        QPOD4_CODE = 80,
        QPOD5_CODE = 96,
        QPOD6_CODE = 112,
        QPOD7_CODE = 128,
        QPOD8_CODE = 144,
        QPOD9_CODE = 160,
        QRADIO_CODE = 176,
        QENC_CODE = 192,
        QNET_CODE = 208,
        QUST_CODE = 216,
        QRADIO_MODEM_CODE = 216,
        QPC_CODE = 217,
        QSMS_CODE = 218,
        QRADIO_SER_A = 224,
        QRADIO_SER_B = 240,
        QRADIO_SER_C = 256,
        QRADIO2_CODE = 272,
        QPOD0_RADIO_CODE = 288,
        QPOD1_RADIO_CODE = 304,
        QPOD_RADIO_CODE_ = 320,
        QPOD_RADIO_CODE_3 = 336,
        QPOD_RADIO_CODE_4 = 352,
        QPOD_RADIO_CODE_5 = 368,
        QPOD_RADIO_CODE_6 = 384,
        QPOD_RADIO_CODE_7 = 400,
        QPOD_RADIO_CODE_8 = 416,
        QPOD9_RADIO_CODE = 432,
        QPODA_RADIO_CODE = 448,
        QPODB_RADIO_CODE = 464,
        QPODC_RADIO_CODE = 480,
        QPODD_RADIO_CODE = 496,
        QPODE_RADIO_CODE = 512,
        QPODF_RADIO_CODE = 528,
        QLAST_CODE = 540,
        QNO_PHYSICAL_CHANNEL = 65535
    };
    Q_ENUM(QPhysicalChannel)

    enum QKeys {
        QNO_KEY = 0,
        QKEY_0 = 48,
        QKEY_1 = 49,
        QKEY_2 = 50,
        QKEY_3 = 51,
        QKEY_4 = 52,
        QKEY_5 = 53,
        QKEY_6 = 54,
        QKEY_7 = 55,
        QKEY_8 = 56,
        QKEY_9 = 57,
        QKEY_ESCAPE = 0x01000000,
        QKEY_BACK = 0x01000003,
        QKEY_RETURN = 0x01000004,
        QKEY_ENTER = 0x01000005,
        QKEY_PAUSE = 0x01000008,
        QKEY_ARR_LEFT = 0x01000012,
        QKEY_ARR_UP = 0x01000013,
        QKEY_ARR_RIGHT = 0x01000014,
        QKEY_ARR_DOWN = 0x01000015,
        QKEY_MIC = 0x01000022,
        QKEY_ALT = 0x01000023,
        QKEY_LIGHT = 0x01000026,
        QKEY_F1 = 0x01000030,
        QKEY_F2 = 0x01000031,
        QKEY_F3 = 0x01000032,
        QKEY_F4 = 0x01000033,
        QKEY_F5 = 0x01000034,
        QKEY_F6 = 0x01000035,
        QKEY_F7 = 0x01000036,
        QKEY_F8 = 0x01000037,
        QKEY_F9 = 0x01000038,
        QKEY_A = 0x01000039,
        QKEY_B = 0x0100003A,
        QKEY_C = 0x0100003B,
        QKEY_D = 0x0100003C,
        QKEY_E = 0x0100003D,
        QKEY_F = 0x0100003E,
        QKEY_BDISP = 0x0100003F,
        QKEY_LK_START = 0x01000040,
        QKEY_TMP_START = 0x01000041,
        QKEY_LK_STOP = 0x01000042,
        QKEY_TMP_STOP = 0x01000043,
        QKEY_LK_LAP = 0x01000044,
        QKEY_TMP_LAP = 0x01000045,
        QKEY_LK_AUX = 0x01000046,
        QKEY_TMP_AUX = 0x01000047,
        QKEY_MENU = 0x01000055,
        QKEY_ON_OFF = 0x010000B7,
        QKEY_SPECIAL = 0x010000D2,
        QKEY_PAPER = 0x01020002
    };
    Q_ENUM(QKeys)
};

} // namespace Vl::Tavix3::UI
