#include "remote/hexframe.h"
#include "testsupport/testmain.h"

#include <QTest>

using namespace Vl::Tavix3::UI;

namespace {

// A request with its length field and checksum filled in, as the partner sends it.
QByteArray request(const QByteArray& commandAndPayload)
{
    QByteArray frame = "$0000" + commandAndPayload;
    const QByteArray length = QByteArray::number(frame.size() + 3, 16).toUpper().rightJustified(4, '0');
    frame.replace(1, 4, length);
    frame += QByteArray::number(HexFrame::checksum(frame), 16).toUpper().rightJustified(2, '0');
    return frame + '\r';
}

} // namespace

// The synchronisation frames: validation, field reading and the two answers.
class TestHexFrame : public QObject
{
    Q_OBJECT

private slots:
    void workedExample();
    void validation_data();
    void validation();
    void fieldsAtTheirOffsets();
    void stateAnswerLayout();
};

void TestHexFrame::workedExample()
{
    QVERIFY(HexFrame::isValid("$000C7011C0\r"));
    QCOMPARE(HexFrame::command("$000C7011C0\r"), QStringLiteral("7011"));
    QCOMPARE(HexFrame::switchAnswer(), QByteArray("!000C7011BD\r"));
    QCOMPARE(request("7011"), QByteArray("$000C7011C0\r"));
}

void TestHexFrame::validation_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<bool>("valid");
    QTest::newRow("shortest") << QByteArray("$000C7011C0\r") << true;
    QTest::newRow("lower-case digits") << QByteArray("$000c7011c0\r") << false; // the sum covers the "c"
    QTest::newRow("lower-case checksum") << request("7011").replace("C0", "c0") << true;
    QTest::newRow("length says 13") << QByteArray("$000D7011C1\r") << false;
    QTest::newRow("checksum off by one") << QByteArray("$000C7011C1\r") << false;
    QTest::newRow("eleven bytes") << QByteArray("$000B701C0\r") << false;
    QTest::newRow("not hex checksum") << QByteArray("$000C7011XX\r") << false;
    QTest::newRow("with payload") << request("701180000000"
                                             "01")
                                  << true;
    QTest::newRow("empty") << QByteArray() << false;
}

void TestHexFrame::validation()
{
    QFETCH(QByteArray, frame);
    QFETCH(bool, valid);
    QCOMPARE(HexFrame::isValid(frame), valid);
}

void TestHexFrame::fieldsAtTheirOffsets()
{
    const QByteArray frame = request("7011"
                                     "FF800000"
                                     "01"
                                     "0000000012345678"
                                     "00"
        + QByteArray(44, '0'));
    QCOMPARE(frame.size(), 84);
    QCOMPARE(frame.mid(1, 4), QByteArray("0054"));
    QCOMPARE(HexFrame::hexField(frame, HexFrame::kFlagsOffset, 8), quint64(0xFF800000u));
    QCOMPARE(HexFrame::hexByteAt(frame, HexFrame::kEnableOffset), quint8(1));
    QCOMPARE(HexFrame::hexField(frame, HexFrame::kTimeOffset, 16), quint64(0x12345678u));
    // A field the frame does not reach reads as 0, and so does an empty frame.
    QCOMPARE(HexFrame::hexField("$000C7011C0\r", HexFrame::kFlagsOffset, 8), quint64(0));
    QCOMPARE(HexFrame::hexByteAt(QByteArray(), 0), quint8(0));
    QCOMPARE(HexFrame::extractString("$000C7011C0\r", 5, 4), QStringLiteral("7011"));
    QCOMPARE(HexFrame::extractString("$000C7011C0\r", 10, 4), QString());
    QCOMPARE(HexFrame::extractString("$000C", -1, 2), QString());
}

void TestHexFrame::stateAnswerLayout()
{
    const QByteArray answer = HexFrame::stateAnswer(true, 0x0123456789ABLL, false);
    QCOMPARE(answer.size(), 84);
    QCOMPARE(answer.left(17), QByteArray("!00547010FFC00000"));
    QCOMPARE(answer.mid(17, 2), QByteArray("01"));
    QCOMPARE(answer.mid(19, 16), QByteArray("00000123456789AB"));
    QCOMPARE(answer.mid(35, 2), QByteArray("00"));
    QCOMPARE(answer.mid(37, 44), QByteArray(44, '0'));
    QCOMPARE(answer.right(1), QByteArray("\r"));
    QCOMPARE(HexFrame::hexByteAt(answer, 81), HexFrame::checksum(answer.left(81)));
    QVERIFY(HexFrame::isValid(QByteArray(answer).replace(0, 1, "$").replace(
        81, 2, QByteArray::number(HexFrame::checksum("$" + answer.mid(1, 80)), 16).toUpper().rightJustified(2, '0'))));
}

VANTOR_TEST_CLASS(TestHexFrame)
#include "tst_hexframe.moc"
