#include "core/orvaneenum.h"
#include "testsupport/testmain.h"

#include <QMetaEnum>
#include <QTest>

using Vl::Tavix3::UI::OrvaneEnum;

// The values of the shared enumerations: remote clients and stored settings depend on them.
class TestOrvaneEnum : public QObject
{
    Q_OBJECT

private slots:
    void values_data();
    void values();
    void sizes();
};

void TestOrvaneEnum::values_data()
{
    QTest::addColumn<QString>("enumeration");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("value");
    const struct {
        const char* enumeration;
        const char* key;
        int value;
    } rows[] = {
        {"Language", "LANGUAGE_ENG", 0}, {"Language", "LANGUAGE_ITA", 1}, {"Language", "LANGUAGE_DEU", 2},
        {"Language", "MAX_LANGUAGE", 3}, {"Language", "NO_LANGUAGE", 99},
        {"DateFormat", "DATE_FORMAT_DD_MM_YYYY", 0}, {"DateFormat", "DATE_FORMAT_MM_DD_YYYY", 1},
        {"DateFormat", "MAX_DATE_FORMAT", 2},
        {"TimeFormat", "TIME_FORMAT_24_H", 0}, {"TimeFormat", "TIME_FORMAT_12_H", 1}, {"TimeFormat", "MAX_TIME_FORMAT", 2},
        {"TimePrecision", "TIME_PRECISION_SEC", 5}, {"TimePrecision", "TIME_PRECISION_DEC", 3},
        {"TimePrecision", "TIME_PRECISION_CEN", 2}, {"TimePrecision", "TIME_PRECISION_MIL", 1},
        {"TimePrecision", "TIME_PRECISION_DMIL", 0},
        {"QTimeFormatMode", "QFMT_CHECK_FORMAT", 4096}, {"QTimeFormatMode", "QFMT_RUNNING", 8192},
        {"QTimeFormatMode", "QFMT_CRONO", 16384}, {"QTimeFormatMode", "QFMT_GAP", 32768},
        {"EventFlag", "QKEYB", 64}, {"EventFlag", "QNP", 128}, {"EventFlag", "QNA", 256}, {"EventFlag", "QSQ", 512},
        {"EventFlag", "QFG", 4096}, {"EventFlag", "QEL", 8192}, {"EventFlag", "QSKIPPED", 32768},
        {"RadioType", "STANDARD_RADIO_TYPE", 0}, {"RadioType", "QUINDLE_RADIO_TYPE", 1},
        {"RadioType", "ENCDEC_RADIO_TYPE", 2},
        {"DisplayboardMode", "COUNTDOWN_MODE", 0}, {"DisplayboardMode", "DISPLAYBOARD_MODE", 1},
        {"BrightnessMode", "AUTO_BRIGHTNESS", 0}, {"BrightnessMode", "MANUAL_BRIGHTNESS", 1},
        {"QLogicalChannel", "QSTART", 0}, {"QLogicalChannel", "QLAP1", 1}, {"QLogicalChannel", "QLAP8", 8},
        {"QLogicalChannel", "QNO_LOGICAL_CHANNEL", 65531}, {"QLogicalChannel", "QNOT_ASSIGNED", 65533},
        {"QLogicalChannel", "QAUX", 65534}, {"QLogicalChannel", "QSTOP", 65535},
        {"QPhysicalChannel", "QDUMMY_PHYSICAL_CHANNEL", 0}, {"QPhysicalChannel", "QSTART_LINE", 1},
        {"QPhysicalChannel", "QAUX_KEY", 8}, {"QPhysicalChannel", "QPOD0_CODE", 16}, {"QPhysicalChannel", "QPOD9_CODE", 160},
        {"QPhysicalChannel", "QRADIO_CODE", 176}, {"QPhysicalChannel", "QENC_CODE", 192},
        {"QPhysicalChannel", "QNET_CODE", 208}, {"QPhysicalChannel", "QUST_CODE", 216},
        {"QPhysicalChannel", "QRADIO_MODEM_CODE", 216}, {"QPhysicalChannel", "QPC_CODE", 217},
        {"QPhysicalChannel", "QSMS_CODE", 218}, {"QPhysicalChannel", "QRADIO_SER_A", 224},
        {"QPhysicalChannel", "QRADIO_SER_C", 256}, {"QPhysicalChannel", "QRADIO2_CODE", 272},
        {"QPhysicalChannel", "QPOD0_RADIO_CODE", 288}, {"QPhysicalChannel", "QPOD1_RADIO_CODE", 304},
        {"QPhysicalChannel", "QPOD_RADIO_CODE_", 320}, {"QPhysicalChannel", "QPOD_RADIO_CODE_3", 336},
        {"QPhysicalChannel", "QPOD_RADIO_CODE_8", 416}, {"QPhysicalChannel", "QPOD9_RADIO_CODE", 432},
        {"QPhysicalChannel", "QPODA_RADIO_CODE", 448}, {"QPhysicalChannel", "QPODF_RADIO_CODE", 528},
        {"QPhysicalChannel", "QLAST_CODE", 540}, {"QPhysicalChannel", "QNO_PHYSICAL_CHANNEL", 65535},
        {"QKeys", "QNO_KEY", 0}, {"QKeys", "QKEY_0", 48}, {"QKeys", "QKEY_9", 57},
        {"QKeys", "QKEY_ESCAPE", 0x01000000}, {"QKeys", "QKEY_BACK", 0x01000003}, {"QKeys", "QKEY_RETURN", 0x01000004},
        {"QKeys", "QKEY_ENTER", 0x01000005}, {"QKeys", "QKEY_PAUSE", 0x01000008},
        {"QKeys", "QKEY_ARR_LEFT", 0x01000012}, {"QKeys", "QKEY_ARR_DOWN", 0x01000015},
        {"QKeys", "QKEY_MIC", 0x01000022}, {"QKeys", "QKEY_ALT", 0x01000023}, {"QKeys", "QKEY_LIGHT", 0x01000026},
        {"QKeys", "QKEY_F1", 0x01000030}, {"QKeys", "QKEY_F9", 0x01000038}, {"QKeys", "QKEY_A", 0x01000039},
        {"QKeys", "QKEY_F", 0x0100003E}, {"QKeys", "QKEY_BDISP", 0x0100003F}, {"QKeys", "QKEY_LK_START", 0x01000040},
        {"QKeys", "QKEY_TMP_AUX", 0x01000047}, {"QKeys", "QKEY_MENU", 0x01000055}, {"QKeys", "QKEY_ON_OFF", 0x010000B7},
        {"QKeys", "QKEY_SPECIAL", 0x010000D2}, {"QKeys", "QKEY_PAPER", 0x01020002},
    };
    for (const auto& row : rows)
        QTest::newRow(row.key) << row.enumeration << row.key << row.value;
}

void TestOrvaneEnum::values()
{
    QFETCH(QString, enumeration);
    QFETCH(QString, key);
    QFETCH(int, value);
    const QMetaObject& meta = OrvaneEnum::staticMetaObject;
    const int index = meta.indexOfEnumerator(enumeration.toLatin1().constData());
    QVERIFY(index >= 0);
    bool ok = false;
    QCOMPARE(meta.enumerator(index).keyToValue(key.toLatin1().constData(), &ok), value);
    QVERIFY(ok);
}

void TestOrvaneEnum::sizes()
{
    const QMetaObject& meta = OrvaneEnum::staticMetaObject;
    QCOMPARE(meta.enumerator(meta.indexOfEnumerator("QPhysicalChannel")).keyCount(), 48);
    QCOMPARE(meta.enumerator(meta.indexOfEnumerator("QLogicalChannel")).keyCount(), 13);
}

VANTOR_TEST_CLASS(TestOrvaneEnum)
#include "tst_orvaneenum.moc"
