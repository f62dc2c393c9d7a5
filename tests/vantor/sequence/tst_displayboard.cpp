#include "boardgrid.h"
#include "sequence/displayboard.h"
#include "sequence/displayboardenum.h"
#include "sequence/semaenum.h"
#include "testsupport/testmain.h"
#include "time/datetime.h"

#include <QDebug>
#include <QSignalSpy>
#include <QTest>

using namespace Vl::Tavix3::UI;

namespace {
constexpr int kRed = DisplayboardEnum::DISP_COLOR_RED;
constexpr int kYellow = DisplayboardEnum::DISP_COLOR_YELLOW;
constexpr int kOff = DisplayboardEnum::DISP_COLOR_OFF;
constexpr int kSmall = DisplayboardEnum::DISP_FONT_SMALL;
constexpr int kBig = DisplayboardEnum::DISP_FONT_BIG;
constexpr bool kTimeOfDay = true;
} // namespace

// The display-board model: what it draws, compared with frames written out by hand.
class TestDisplayboard : public QObject
{
    Q_OBJECT

private slots:
    void textWidth_data();
    void textWidth();
    void publishesOnlyWhenChanged();
    void testPatternsPublishWholeFrames();
    void goRightAlignedOnTheBand();
    void modeSevenGoCentredOnGreen();
    void singleDrivers();
    void modeThreeDotRowFillsUp();
    void dotRowStopsBeforeTheText();
    void modeOneMainDisc();
    void modeFourLampsAndRings();
    void bigDigits();
    void sevenBigDigitsDoNotFit();
    void smallFontEdgeCodes();
    void nothingDrawnForColoursOutsideTheLights();
    void countdownTexts_data();
    void countdownTexts();
};

void TestDisplayboard::textWidth_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("1") << QStringLiteral("1") << 5;
    QTest::newRow("10") << QStringLiteral("10") << 11;
    QTest::newRow("1:00") << QStringLiteral("1:00") << 22;
    QTest::newRow("GO") << QStringLiteral("GO") << 11;
    QTest::newRow("control code") << QStringLiteral("\x01") << 0;
    QTest::newRow("outside Latin-1") << QString(QChar(0x20AC)) << 0;
    QTest::newRow("0xFF") << QString(QChar(0xFF)) << 4;
}

void TestDisplayboard::textWidth()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QCOMPARE(Displayboard::textWidth(text), width);
}

void TestDisplayboard::publishesOnlyWhenChanged()
{
    Displayboard board;
    QSignalSpy spy(&board, &Displayboard::setMatrix);
    QVERIFY(!board.sendPixels(0));
    board.drawText(0, 0, QStringLiteral("A"), kRed, kOff, kSmall, false);
    QCOMPARE(spy.count(), 0);
    QVERIFY(board.sendPixels(1234));
    QVERIFY(!board.sendPixels(0));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<qint64>(), qint64(1234));
    const QVariantList published = spy.at(0).at(1).toList();
    QCOMPARE(published.size(), 768);
    QCOMPARE(published.at(0).toInt(), kOff); // top row of "A": .RRR.
    QCOMPARE(published.at(1).toInt(), kRed);

    // The published frame stays as it was while the model goes on drawing.
    board.fillRect(0, 0, 48, 16, kYellow, false);
    QCOMPARE(published.at(0).toInt(), kOff);
    QVERIFY(board.sendPixels(0));
}

void TestDisplayboard::testPatternsPublishWholeFrames()
{
    Displayboard board;
    QSignalSpy spy(&board, &Displayboard::setMatrix);
    board.fillGreen();
    QCOMPARE(spy.count(), 1);
    for (const QVariant& pixel : spy.at(0).at(1).toList())
        QCOMPARE(pixel.toInt(), int(DisplayboardEnum::DISP_COLOR_GREEN));
    QVERIFY(!board.sendPixels(0));

    board.drawCornice();
    QCOMPARE(spy.count(), 2);
    QCOMPARE(board.pixel(1, 7), int(DisplayboardEnum::DISP_COLOR_WHITE));
    QCOMPARE(board.pixel(2, 2), int(DisplayboardEnum::DISP_COLOR_GREEN)); // not cleared first

    board.reset(false);
    QCOMPARE(spy.count(), 2);
    board.reset();
    QCOMPARE(spy.count(), 3);
}

void TestDisplayboard::goRightAlignedOnTheBand()
{
    Displayboard board;
    board.drawSemaTime(
        SemaEnum::VISUALIZATION_MODE_2, kTimeOfDay, qint64(0), false, SemaEnum::SEMA_COLOR_GREEN, boost::none);
    QCOMPARE(board.textStartColumn(), boost::optional<int>(35));
    COMPARE_BOARD(board,
        frameOf({
            { 8, "................................................" },
            "....................................GGG...GGG...",
            "...................................G...G.G...G..",
            "...................................G.....G...G..",
            "...................................G.GGG.G...G..",
            "...................................G...G.G...G..",
            "...................................G...G.G...G..",
            "....................................GGGG..GGG...",
            "................................................",
        }));
}

void TestDisplayboard::modeSevenGoCentredOnGreen()
{
    Displayboard board;
    board.drawSemaLights(SemaEnum::VISUALIZATION_MODE_7, kTimeOfDay, SemaEnum::SEMA_COLOR_GREEN, 0, false, false);
    board.drawSemaTime(
        SemaEnum::VISUALIZATION_MODE_7, kTimeOfDay, qint64(0), false, SemaEnum::SEMA_COLOR_GREEN, boost::none);
    QCOMPARE(board.textStartColumn(), boost::optional<int>(18));
    QCOMPARE(board.dotCount(), 5);
    COMPARE_BOARD(board,
        frameOf({
            { 7, "................................................" },
            "GGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGG",
            "GGGGGGGGGGGGGGGGGGGRRRGGGRRRGGGGGGGGGGGGGGGGGGGG",
            "GGGGGGGGGGGGGGGGGGRGGGRGRGGGRGGGGGGGGGGGGGGGGGGG",
            "GGGGGGGGGGGGGGGGGGRGGGGGRGGGRGGGGGGGGGGGGGGGGGGG",
            "GGGGGGGGGGGGGGGGGGRGRRRGRGGGRGGGGGGGGGGGGGGGGGGG",
            "GGGGGGGGGGGGGGGGGGRGGGRGRGGGRGGGGGGGGGGGGGGGGGGG",
            "GGGGGGGGGGGGGGGGGGRGGGRGRGGGRGGGGGGGGGGGGGGGGGGG",
            "GGGGGGGGGGGGGGGGGGGRRRRGGRRRGGGGGGGGGGGGGGGGGGGG",
            "GGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGG",
        }));
}

void TestDisplayboard::singleDrivers()
{
    Displayboard board;
    board.fillRed();
    QSignalSpy spy(&board, &Displayboard::setMatrix);
    board.fillSingleDrivers(9);
    QCOMPARE(spy.count(), 1);
    COMPARE_BOARD(board,
        frameOf({
            { 8, "................................................" },
            { 8, "..WW..............WW..............WW............" },
        }));
}

void TestDisplayboard::modeThreeDotRowFillsUp()
{
    Displayboard board;
    // Five dots to go shows one dot in mode 3 ...
    board.drawSemaLights(SemaEnum::VISUALIZATION_MODE_3, kTimeOfDay, SemaEnum::SEMA_COLOR_PIXEL, 5, false, false);
    QCOMPARE(board.dotCount(), 1);
    COMPARE_BOARD(board,
        frameOf({
            { 9, "................................................" },
            "..YYY...........................................",
            ".YYYYY..........................................",
            ".YYYYY..........................................",
            ".YYYYY..........................................",
            "..YYY...........................................",
            { 2, "................................................" },
        }));
    // ... and one dot to go five.
    board.drawSemaLights(SemaEnum::VISUALIZATION_MODE_3, kTimeOfDay, SemaEnum::SEMA_COLOR_PIXEL, 1, false, false);
    QCOMPARE(board.dotCount(), 5);
    COMPARE_BOARD(board,
        frameOf({
            { 9, "................................................" },
            "..YYY...YYY...YYY...YYY...YYY...................",
            ".YYYYY.YYYYY.YYYYY.YYYYY.YYYYY..................",
            ".YYYYY.YYYYY.YYYYY.YYYYY.YYYYY..................",
            ".YYYYY.YYYYY.YYYYY.YYYYY.YYYYY..................",
            "..YYY...YYY...YYY...YYY...YYY...................",
            { 2, "................................................" },
        }));
}

void TestDisplayboard::dotRowStopsBeforeTheText()
{
    Displayboard board;
    // The centred "GO" of mode 7 leaves the text start column at 18.
    board.drawSemaTime(
        SemaEnum::VISUALIZATION_MODE_7, kTimeOfDay, qint64(0), false, SemaEnum::SEMA_COLOR_GREEN, boost::none);
    board.fillRect(0, 0, 48, 16, kOff, false);
    // Four dots in mode 2: the third (centre 15) would reach column 18.
    board.drawSemaLights(
        SemaEnum::VISUALIZATION_MODE_2, kTimeOfDay, SemaEnum::SEMA_COLOR_YELLOW_PIXEL, 4, false, false);
    COMPARE_BOARD(board,
        frameOf({
            { 9, "................................................" },
            "..YYY...YYY.....................................",
            ".YYYYY.YYYYY....................................",
            ".YYYYY.YYYYY....................................",
            ".YYYYY.YYYYY....................................",
            "..YYY...YYY.....................................",
            { 2, "................................................" },
        }));
}

void TestDisplayboard::modeOneMainDisc()
{
    Displayboard board;
    board.drawSemaLights(SemaEnum::VISUALIZATION_MODE_1, kTimeOfDay, SemaEnum::SEMA_COLOR_RED, 0, false, false);
    COMPARE_BOARD(board,
        frameOf({
            { 7, "................................................" },
            "..RRRRR.........................................",
            ".RRRRRRR........................................",
            "RRRRRRRRR.......................................",
            "RRRRRRRRR.......................................",
            "RRRRRRRRR.......................................",
            "RRRRRRRRR.......................................",
            "RRRRRRRRR.......................................",
            ".RRRRRRR........................................",
            "..RRRRR.........................................",
        }));
}

void TestDisplayboard::modeFourLampsAndRings()
{
    Displayboard board;
    board.drawSemaLights(SemaEnum::VISUALIZATION_MODE_4, kTimeOfDay, SemaEnum::SEMA_COLOR_RED, 0, false, false);
    COMPARE_BOARD(board,
        frameOf({
            { 7, "................................................" },
            ".......RRRRR.........YYYYY.........GGGGG........",
            "......RRRRRRR.......Y.....Y.......G.....G.......",
            ".....RRRRRRRRR.....Y.......Y.....G.......G......",
            ".....RRRRRRRRR.....Y.......Y.....G.......G......",
            ".....RRRRRRRRR.....Y.......Y.....G.......G......",
            ".....RRRRRRRRR.....Y.......Y.....G.......G......",
            ".....RRRRRRRRR.....Y.......Y.....G.......G......",
            "......RRRRRRR.......Y.....Y.......G.....G.......",
            ".......RRRRR.........YYYYY.........GGGGG........",
        }));
}

void TestDisplayboard::bigDigits()
{
    Displayboard board;
    board.drawText(0, 0, QStringLiteral("12:34"), kRed, kOff, kBig, false);
    COMPARE_BOARD(board,
        frameOf({
            "................................................",
            ".....R....RRR........RRR........R...............",
            "....RR...RRRRR......RRRRR......RR...............",
            "...RRR..RR...RR....RR...RR....RRR...............",
            "..RRRR..RR...RR....RR...RR...RRRR...............",
            ".RR.RR.......RR.RR......RR..RRRRR...............",
            ".R..RR.......RR.RR......R...RR.RR...............",
            "....RR......RR........RRR..RR..RR...............",
            "....RR.....RR.........RRR..RR..RR...............",
            "....RR....RR............RR.RR..RR...............",
            "....RR...RR.....RR......RR.RRRRRRR..............",
            "....RR..RR......RR.RR...RR.RRRRRRR..............",
            "....RR..RR.........RR...RR.....RR...............",
            "....RR..RRRRRRR.....RRRRR......RR...............",
            "....RR..RRRRRRR......RRR.......RR...............",
            "................................................",
        }));
}

void TestDisplayboard::sevenBigDigitsDoNotFit()
{
    for (const int x : { 0, 1 }) {
        Displayboard six;
        Displayboard seven;
        six.drawText(x, 0, QStringLiteral("888888"), kRed, kOff, kBig, false);
        seven.drawText(x, 0, QStringLiteral("8888888"), kRed, kOff, kBig, false);
        QCOMPARE(boardGrid(seven), boardGrid(six));
    }
}

void TestDisplayboard::smallFontEdgeCodes()
{
    Displayboard board;
    const QString text = QStringLiteral("\x01") + QStringLiteral("1") + QChar(0xFF) + QStringLiteral("1");
    board.drawText(0, 0, text, kRed, kYellow, kSmall, false);
    COMPARE_BOARD(board,
        frameOf({
            ".YYRYY.YYYY.YYRYY...............................",
            ".YRRYY.YYYY.YRRYY...............................",
            ".YYRYY.YYYY.YYRYY...............................",
            ".YYRYY.YYYY.YYRYY...............................",
            ".YYRYY.YYYY.YYRYY...............................",
            ".YYRYY.YYYY.YYRYY...............................",
            ".YRRRY.YYYY.YRRRY...............................",
            { 9, "................................................" },
        }));
}

void TestDisplayboard::nothingDrawnForColoursOutsideTheLights()
{
    Displayboard board;
    board.drawSemaLights(SemaEnum::VISUALIZATION_MODE_1, kTimeOfDay, SemaEnum::NO_SEMA_COLOR, 0, false, false);
    board.drawSemaLights(SemaEnum::VISUALIZATION_MODE_1, kTimeOfDay, SemaEnum::NO_SEMA_COLOR, 0, false, true);
    board.drawSemaText(SemaEnum::VISUALIZATION_MODE_1, kTimeOfDay, QStringLiteral("HI"), SemaEnum::MAX_SEMA_COLOR);
    QVERIFY(!board.sendPixels(0));
}

void TestDisplayboard::countdownTexts_data()
{
    QTest::addColumn<qint64>("ticks");
    QTest::addColumn<bool>("delta");
    QTest::addColumn<QString>("text");
    const qint64 s = DateTime::QSEC1;
    QTest::newRow("empty") << qint64(-1) << false << QString();
    QTest::newRow("-10 s") << -10 * s << false << QStringLiteral("-10");
    QTest::newRow("-9.5 s truncated toward the start") << -9 * s - s / 2 << false << QStringLiteral("-9");
    QTest::newRow("65 s") << 65 * s << false << QStringLiteral("1:05");
    QTest::newRow("delta -1.5 s") << -15 * s / 10 << true << QStringLiteral("-1.5");
    QTest::newRow("one hour to go") << -3600 * s << false << QStringLiteral("-1:00");
    QTest::newRow("1 h 30 min 15 s to go") << -(5415 * s) << false << QStringLiteral("-1:30");
    QTest::newRow("exactly one hour after") << 3600 * s << false << QStringLiteral("1:00");
    QTest::newRow("2 h 5 min after") << 7500 * s << false << QStringLiteral("2:05");
    // Differences: tenths, with minutes from a minute on, hours and minutes from an hour on.
    const qint64 tenth = s / 10;
    const qint64 h = 3600 * s;
    QTest::newRow("delta 59.9 s") << 599 * tenth << true << QStringLiteral("59.9");
    QTest::newRow("delta -59.9 s") << -599 * tenth << true << QStringLiteral("-59.9");
    QTest::newRow("delta 1 min") << 60 * s << true << QStringLiteral("1:00.0");
    QTest::newRow("delta -1 min") << -60 * s << true << QStringLiteral("-1:00.0");
    QTest::newRow("delta -1 min 32.4 s") << -924 * tenth << true << QStringLiteral("-1:32.4");
    QTest::newRow("delta -26 min 3 s") << -(26 * 60 + 3) * s << true << QStringLiteral("-26:03.0");
    QTest::newRow("delta 59 min 59.9 s") << h - tenth << true << QStringLiteral("59:59.9");
    QTest::newRow("delta -59 min 59.9 s") << -(h - tenth) << true << QStringLiteral("-59:59.9");
    QTest::newRow("delta 1 h") << h << true << QStringLiteral("1:00");
    QTest::newRow("delta -1 h") << -h << true << QStringLiteral("-1:00");
    QTest::newRow("delta 1 h 0 min 5.5 s") << h + 55 * tenth << true << QStringLiteral("1:00");
    QTest::newRow("delta -25 h 7 min") << -(25 * h + 7 * 60 * s) << true << QStringLiteral("-25:07");
    // Countdowns of a day or more keep their hours.
    QTest::newRow("23 h 59 min 59 s to go") << -(24 * h - s) << false << QStringLiteral("-23:59");
    QTest::newRow("24 h to go") << -24 * h << false << QStringLiteral("-24:00");
    QTest::newRow("25 h to go") << -25 * h << false << QStringLiteral("-25:00");
    QTest::newRow("9999 h 59 min to go") << -(10000 * h - 60 * s) << false << QStringLiteral("-9999:59");
    // Beyond what the band holds, whole days.
    QTest::newRow("10000 h to go") << -10000 * h << false << QStringLiteral("-416d");
    QTest::newRow("100000 h after") << 100000 * h << false << QStringLiteral("4166d");
}

void TestDisplayboard::countdownTexts()
{
    QFETCH(qint64, ticks);
    QFETCH(bool, delta);
    QFETCH(QString, text);
    const boost::optional<qint64> time = ticks == -1 ? boost::none : boost::optional<qint64>(ticks);
    QCOMPARE(Displayboard::semaTimeText(time, delta), text);
    // Whole on the band, which ends at column 46.
    QVERIFY(Displayboard::textWidth(text) <= 46);
}

VANTOR_TEST_CLASS(TestDisplayboard)
#include "tst_displayboard.moc"
