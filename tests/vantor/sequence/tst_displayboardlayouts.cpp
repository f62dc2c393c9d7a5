#include "app/application.h"
#include "boardgrid.h"
#include "core/sharedapplication.h"
#include "sequence/displayboard.h"
#include "sequence/displayboardenum.h"
#include "sequence/semaenum.h"
#include "testsupport/testmain.h"

#include <QDebug>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace Vl::Tavix3::UI;

using BoardDrawing = std::function<void(Displayboard&)>;
Q_DECLARE_METATYPE(BoardDrawing)

namespace {

constexpr qint64 kSecond = 50000;
constexpr bool kTimeOfDay = true;
constexpr bool kNoTimeOfDay = false;
constexpr int kYellow = DisplayboardEnum::DISP_COLOR_YELLOW;

using Mode = SemaEnum::VisualizationMode;
constexpr Mode kMode1 = SemaEnum::VISUALIZATION_MODE_1;
constexpr Mode kMode2 = SemaEnum::VISUALIZATION_MODE_2;
constexpr Mode kMode3 = SemaEnum::VISUALIZATION_MODE_3;
constexpr Mode kMode4 = SemaEnum::VISUALIZATION_MODE_4;
constexpr Mode kMode5 = SemaEnum::VISUALIZATION_MODE_5;
constexpr Mode kMode6 = SemaEnum::VISUALIZATION_MODE_6;
constexpr Mode kMode7 = SemaEnum::VISUALIZATION_MODE_7;

void lights(
    Displayboard& board, Mode mode, bool timeOfDay, SemaEnum::SemaColor colour, int pixelCount = 0, bool isOff = false)
{
    board.drawSemaLights(mode, timeOfDay, colour, pixelCount, false, isOff);
}

void time(Displayboard& board, Mode mode, bool timeOfDay, boost::optional<qint64> ticks, SemaEnum::SemaColor colour,
    boost::optional<int> bib = boost::none)
{
    board.drawSemaTime(mode, timeOfDay, ticks, false, colour, bib);
}

void fillYellow(Displayboard& board) { board.fillRect(0, 0, 48, 16, kYellow, false); }

QStringList allOff()
{
    QStringList rows;
    for (int row = 0; row < 16; ++row)
        rows << QString(48, QLatin1Char('.'));
    return rows;
}

// The expected frames, drawn out from the glyph table and the layout geometry: '.' off, R red,
// G green, Y yellow, B blue.

// "GO" on its own on the band, as goRightAlignedOnTheBand pins it pixel by pixel.
QStringList goAlone()
{
    Displayboard board;
    board.drawSemaTime(
        SemaEnum::VISUALIZATION_MODE_2, kTimeOfDay, qint64(0), false, SemaEnum::SEMA_COLOR_GREEN, boost::none);
    return boardGrid(board);
}

QStringList lightAreaClearedFromTwelve()
{
    return frameOf({
        { 7, "................................................" },
        { 9, "GGGGGGGGGGGG...................................." },
    });
}

QStringList oneRedBar()
{
    return frameOf({
        { 8, "................................................" },
        { 8, "RRRRRRRRR......................................." },
    });
}

QStringList threeRedBars()
{
    return frameOf({
        { 8, "................................................" },
        { 8, "RRRRRRRRR.RRRRRRRRR.RRRRRRRRR..................." },
    });
}

QStringList fiveGreenBars()
{
    return frameOf({
        { 8, "................................................" },
        { 8, "GGGGGGGGG.GGGGGGGGG.GGGGGGGGG.GGGGGGGGG.GGGGGGGG" },
    });
}

QStringList fiveTallRedBars()
{
    return frameOf({
        { 16, "RRRRRRRRR.RRRRRRRRR.RRRRRRRRR.RRRRRRRRR.RRRRRRRR" },
    });
}

QStringList discCountdownAndBib()
{
    return frameOf({
        { 8, "................................................" },
        ".RRRRR...............RRRRR...........R....RRR...",
        ".....R..............RRRRRRR.........RR...R...R..",
        "....R...............RRRRRRR..........R...R..RR..",
        "...R................RRRRRRR..RRRRR...R...R.R.R..",
        "..R.................RRRRRRR..........R...RR..R..",
        "..R.................RRRRRRR..........R...R...R..",
        "..R..................RRRRR..........RRR...RRR...",
        "................................................",
    });
}

QStringList discWithoutTimeOfDay()
{
    return frameOf({
        { 4, "................................................" },
        ".....................GGGGG......................",
        "....................GGGGGGG.....................",
        "....................GGGGGGG.....................",
        "....................GGGGGGG.....................",
        "....................GGGGGGG.....................",
        "....................GGGGGGG.....................",
        ".....................GGGGG......................",
        { 5, "................................................" },
    });
}

QStringList lastMinuteCountdownAndBib()
{
    return frameOf({
        { 8, "................................................" },
        "...R....RRR........................RRRRR.RRRRR..",
        "..RR...R...R.......................R.........R..",
        "...R.......R.......................RRRR.....R...",
        "...R......R..................RRRRR.....R...R....",
        "...R.....R.............................R..R.....",
        "...R....R..........................R...R..R.....",
        "..RRR..RRRRR........................RRR...R.....",
        "................................................",
    });
}

QStringList offAllSmall()
{
    return frameOf({
        { 7, "................................................" },
        "............RRRRR.......YYYYY.......GGGGG.......",
        "...........RRRRRRR.....YYYYYYY.....GGGGGGG......",
        "..........RRRRRRRRR...YYYYYYYYY...GGGGGGGGG.....",
        "..........RRRRRRRRR...YYYYYYYYY...GGGGGGGGG.....",
        "..........RRRRRRRRR...YYYYYYYYY...GGGGGGGGG.....",
        "..........RRRRRRRRR...YYYYYYYYY...GGGGGGGGG.....",
        "..........RRRRRRRRR...YYYYYYYYY...GGGGGGGGG.....",
        "...........RRRRRRR.....YYYYYYY.....GGGGGGG......",
        "............RRRRR.......YYYYY.......GGGGG.......",
    });
}

QStringList offAllLarge()
{
    return frameOf({
        "................................................",
        ".....RRRRRRR.........YYYYYYY.........GGGGGGG....",
        "....RRRRRRRRR.......YYYYYYYYY.......GGGGGGGGG...",
        "...RRRRRRRRRRR.....YYYYYYYYYYY.....GGGGGGGGGGG..",
        "..RRRRRRRRRRRRR...YYYYYYYYYYYYY...GGGGGGGGGGGGG.",
        ".RRRRRRRRRRRRRRR.YYYYYYYYYYYYYYY.GGGGGGGGGGGGGGG",
        ".RRRRRRRRRRRRRRR.YYYYYYYYYYYYYYY.GGGGGGGGGGGGGGG",
        ".RRRRRRRRRRRRRRR.YYYYYYYYYYYYYYY.GGGGGGGGGGGGGGG",
        ".RRRRRRRRRRRRRRR.YYYYYYYYYYYYYYY.GGGGGGGGGGGGGGG",
        ".RRRRRRRRRRRRRRR.YYYYYYYYYYYYYYY.GGGGGGGGGGGGGGG",
        ".RRRRRRRRRRRRRRR.YYYYYYYYYYYYYYY.GGGGGGGGGGGGGGG",
        ".RRRRRRRRRRRRRRR.YYYYYYYYYYYYYYY.GGGGGGGGGGGGGGG",
        "..RRRRRRRRRRRRR...YYYYYYYYYYYYY...GGGGGGGGGGGGG.",
        "...RRRRRRRRRRR.....YYYYYYYYYYY.....GGGGGGGGGGG..",
        "....RRRRRRRRR.......YYYYYYYYY.......GGGGGGGGG...",
        ".....RRRRRRR.........YYYYYYY.........GGGGGGG....",
    });
}

QStringList offFourRedDiscs()
{
    return frameOf({
        { 7, "................................................" },
        "....RRRRR.......RRRRR.......RRRRR.......RRRRR...",
        "...RRRRRRR.....RRRRRRR.....RRRRRRR.....RRRRRRR..",
        "..RRRRRRRRR...RRRRRRRRR...RRRRRRRRR...RRRRRRRRR.",
        "..RRRRRRRRR...RRRRRRRRR...RRRRRRRRR...RRRRRRRRR.",
        "..RRRRRRRRR...RRRRRRRRR...RRRRRRRRR...RRRRRRRRR.",
        "..RRRRRRRRR...RRRRRRRRR...RRRRRRRRR...RRRRRRRRR.",
        "..RRRRRRRRR...RRRRRRRRR...RRRRRRRRR...RRRRRRRRR.",
        "...RRRRRRR.....RRRRRRR.....RRRRRRR.....RRRRRRR..",
        "....RRRRR.......RRRRR.......RRRRR.......RRRRR...",
    });
}

QStringList offThreeYellowDiscs()
{
    return frameOf({
        "................................................",
        ".....YYYYYYY.........YYYYYYY.........YYYYYYY....",
        "....YYYYYYYYY.......YYYYYYYYY.......YYYYYYYYY...",
        "...YYYYYYYYYYY.....YYYYYYYYYYY.....YYYYYYYYYYY..",
        "..YYYYYYYYYYYYY...YYYYYYYYYYYYY...YYYYYYYYYYYYY.",
        ".YYYYYYYYYYYYYYY.YYYYYYYYYYYYYYY.YYYYYYYYYYYYYYY",
        ".YYYYYYYYYYYYYYY.YYYYYYYYYYYYYYY.YYYYYYYYYYYYYYY",
        ".YYYYYYYYYYYYYYY.YYYYYYYYYYYYYYY.YYYYYYYYYYYYYYY",
        ".YYYYYYYYYYYYYYY.YYYYYYYYYYYYYYY.YYYYYYYYYYYYYYY",
        ".YYYYYYYYYYYYYYY.YYYYYYYYYYYYYYY.YYYYYYYYYYYYYYY",
        ".YYYYYYYYYYYYYYY.YYYYYYYYYYYYYYY.YYYYYYYYYYYYYYY",
        ".YYYYYYYYYYYYYYY.YYYYYYYYYYYYYYY.YYYYYYYYYYYYYYY",
        "..YYYYYYYYYYYYY...YYYYYYYYYYYYY...YYYYYYYYYYYYY.",
        "...YYYYYYYYYYY.....YYYYYYYYYYY.....YYYYYYYYYYY..",
        "....YYYYYYYYY.......YYYYYYYYY.......YYYYYYYYY...",
        ".....YYYYYYY.........YYYYYYY.........YYYYYYY....",
    });
}

// "HI" in red, right-aligned at column 46, its band cleared from column 10 over the yellow board.
QStringList hiFromColumnTen()
{
    return {
        "YYYYYYYYYY.........................R...R..RRR...",
        "YYYYYYYYYY.........................R...R...R....",
        "YYYYYYYYYY.........................R...R...R....",
        "YYYYYYYYYY.........................RRRRR...R....",
        "YYYYYYYYYY.........................R...R...R....",
        "YYYYYYYYYY.........................R...R...R....",
        "YYYYYYYYYY.........................R...R..RRR...",
        "YYYYYYYYYY......................................",
    };
}

QStringList textOnBandFromTen()
{
    return frameOf({
        { 8, "YYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYY" },
        hiFromColumnTen(),
    });
}

QStringList greenTextOwnWidth()
{
    return frameOf({
        { 8, "YYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYY" },
        "YYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYY.GGG..G...GYY",
        "YYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYG...G.G..G.YY",
        "YYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYG...G.G.G..YY",
        "YYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYG...G.GG...YY",
        "YYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYG...G.G.G..YY",
        "YYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYG...G.G..G.YY",
        "YYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYY.GGG..G...GYY",
        "YYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYY...........YY",
    });
}

QStringList dotTextOwnWidthRaised()
{
    return frameOf({
        { 4, "YYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYY" },
        "YYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYY.RRR..RRRR.YY",
        "YYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYR...R.R...RYY",
        "YYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYR...R.R...RYY",
        "YYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYR...R.RRRR.YY",
        "YYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYRRRRR.R...RYY",
        "YYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYR...R.R...RYY",
        "YYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYR...R.RRRR.YY",
        "YYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYY...........YY",
        { 4, "YYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYY" },
    });
}

QStringList textOnRaisedBandFromTen()
{
    return frameOf({
        { 4, "YYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYY" },
        hiFromColumnTen(),
        { 4, "YYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYY" },
    });
}

QStringList allYellow()
{
    return frameOf({
        { 16, "YYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYY" },
    });
}

QStringList bandClearedFromColumn29()
{
    return frameOf({
        { 8, "YYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYY" },
        { 8, "YYYYYYYYYYYYYYYYYYYYYYYYYYYYY..................." },
    });
}

QStringList raisedBandClearedFromColumn29()
{
    return frameOf({
        { 4, "YYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYY" },
        { 8, "YYYYYYYYYYYYYYYYYYYYYYYYYYYYY..................." },
        { 4, "YYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYY" },
    });
}

// "12:34:56" from column 1 over the blue board, '#' standing for the colour of the digits.
QStringList timeOfDayDigits(char colour)
{
    QStringList rows = {
        "B..#..B.###.B....B#####B...#.B....B#####B..##.BB",
        "B.##..B#...#B.##.B...#.B..##.B.##.B#....B.#...BB",
        "B..#..B....#B.##.B..#..B.#.#.B.##.B####.B#....BB",
        "B..#..B...#.B....B...#.B#..#.B....B....#B####.BB",
        "B..#..B..#..B.##.B....#B#####B.##.B....#B#...#BB",
        "B..#..B.#...B.##.B#...#B...#.B.##.B#...#B#...#BB",
        "B.###.B#####B....B.###.B...#.B....B.###.B.###.BB",
    };
    return rows.replaceInStrings(QStringLiteral("#"), QString(QLatin1Char(colour)));
}

QStringList timeOfDayGreenRaised()
{
    return frameOf({
        { 4, "BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB" },
        timeOfDayDigits('G'),
        { 5, "BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB" },
    });
}

QStringList timeOfDayRedRaised()
{
    return frameOf({
        { 4, "BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB" },
        timeOfDayDigits('R'),
        { 5, "BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB" },
    });
}

QStringList timeOfDayYellowOnTop()
{
    return frameOf({
        timeOfDayDigits('Y'),
        { 9, "BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB" },
    });
}

} // namespace

// The start-light layouts of the display board compared with frames written out by hand: the
// light modes without a golden frame elsewhere, the off-state layouts, remote texts on the time
// band, the clearing of the band and the time of day.
class TestDisplayboardLayouts : public QObject
{
    Q_OBJECT

private slots:
    void layouts_data();
    void layouts();
    void textStartColumnAfterLayouts();
    void timeOfDay_data();
    void timeOfDay();
};

void TestDisplayboardLayouts::layouts_data()
{
    QTest::addColumn<BoardDrawing>("draw");
    QTest::addColumn<QStringList>("frame");

    using C = SemaEnum::SemaColor;
    const C red = SemaEnum::SEMA_COLOR_RED;
    const C green = SemaEnum::SEMA_COLOR_GREEN;
    const C yellow = SemaEnum::SEMA_COLOR_YELLOW;
    const C pixel = SemaEnum::SEMA_COLOR_PIXEL;
    const C yellowPixel = SemaEnum::SEMA_COLOR_YELLOW_PIXEL;
    const C all = SemaEnum::SEMA_COLOR_ALL;
    const C off = SemaEnum::SEMA_COLOR_OFF;

    // "GO" after a countdown that started further left ("-10:00" from column 12): everything of
    // the old text is cleared, not only as many columns as the new text needs.
    for (const Mode mode : { kMode2, kMode3, kMode6 }) {
        QTest::addRow("GO after a wide countdown, mode %d", int(mode) + 1) << BoardDrawing([mode](Displayboard& b) {
            time(b, mode, kTimeOfDay, -600 * kSecond, red);
            time(b, mode, kTimeOfDay, qint64(0), green);
        }) << goAlone();
    }
    // Mode 7 clears the light area right of the text; an empty band clears it from where the old
    // text began.
    QTest::newRow("empty band after a wide countdown, mode 7") << BoardDrawing([=](Displayboard& b) {
        lights(b, kMode7, kTimeOfDay, green);
        time(b, kMode7, kTimeOfDay, -600 * kSecond, red);
        time(b, kMode7, kTimeOfDay, boost::none, off);
    }) << lightAreaClearedFromTwelve();

    // Mode 5: bars of 9 columns every 10, red while counting down, five in the light's colour.
    QTest::newRow("mode 5, five to go") << BoardDrawing([=](Displayboard& b) {
        lights(b, kMode5, kTimeOfDay, pixel, 5);
    }) << oneRedBar();
    QTest::newRow("mode 5, the row grows") << BoardDrawing([=](Displayboard& b) {
        lights(b, kMode5, kTimeOfDay, yellowPixel, 5);
        lights(b, kMode5, kTimeOfDay, pixel, 4);
        lights(b, kMode5, kTimeOfDay, pixel, 3);
    }) << threeRedBars();
    QTest::newRow("mode 5, green") << BoardDrawing([=](Displayboard& b) {
        for (int count = 5; count >= 1; --count)
            lights(b, kMode5, kTimeOfDay, pixel, count);
        lights(b, kMode5, kTimeOfDay, green);
    }) << fiveGreenBars();
    QTest::newRow("mode 5, the next run clears the green bars") << BoardDrawing([=](Displayboard& b) {
        lights(b, kMode5, kTimeOfDay, green);
        lights(b, kMode5, kTimeOfDay, pixel, 5);
    }) << oneRedBar();
    QTest::newRow("mode 5, red without the time of day")
        << BoardDrawing([=](Displayboard& b) { lights(b, kMode5, kNoTimeOfDay, red); }) << fiveTallRedBars();
    QTest::newRow("mode 5, a plain yellow draws nothing")
        << BoardDrawing([=](Displayboard& b) { lights(b, kMode5, kTimeOfDay, yellow); }) << allOff();

    // Mode 6: a small disc in the middle, the countdown on the right and the bib on the left.
    QTest::newRow("mode 6, disc, countdown and bib") << BoardDrawing([=](Displayboard& b) {
        lights(b, kMode6, kTimeOfDay, red);
        time(b, kMode6, kTimeOfDay, -10 * kSecond, red, 7);
    }) << discCountdownAndBib();
    QTest::newRow("mode 6, disc without the time of day")
        << BoardDrawing([=](Displayboard& b) { lights(b, kMode6, kNoTimeOfDay, green); }) << discWithoutTimeOfDay();
    // Below one minute to go the band is cleared from column 18, where "-1:00" began.
    QTest::newRow("mode 6, into the last minute") << BoardDrawing([=](Displayboard& b) {
        time(b, kMode6, kTimeOfDay, -60 * kSecond, red, 12);
        time(b, kMode6, kTimeOfDay, -57 * kSecond, red, 12);
    }) << lastMinuteCountdownAndBib();

    // The off state draws its own discs whatever the mode.
    QTest::newRow("off, all lights, time of day shown")
        << BoardDrawing([=](Displayboard& b) { lights(b, kMode1, kTimeOfDay, all, 0, true); }) << offAllSmall();
    QTest::newRow("off, all lights, no time of day")
        << BoardDrawing([=](Displayboard& b) { lights(b, kMode4, kNoTimeOfDay, all, 0, true); }) << offAllLarge();
    QTest::newRow("off, red, time of day shown")
        << BoardDrawing([=](Displayboard& b) { lights(b, kMode5, kTimeOfDay, red, 3, true); }) << offFourRedDiscs();
    QTest::newRow("off, yellow, no time of day")
        << BoardDrawing([=](Displayboard& b) { lights(b, kMode7, kNoTimeOfDay, yellow, 0, true); })
        << offThreeYellowDiscs();

    // Remote texts, right-aligned at column 46, drawn over a yellow board to show what is cleared.
    QTest::newRow("text, mode 1") << BoardDrawing([](Displayboard& b) {
        fillYellow(b);
        b.drawSemaText(kMode1, kTimeOfDay, QStringLiteral("HI"), SemaEnum::SEMA_COLOR_RED);
    }) << textOnBandFromTen();
    QTest::newRow("text, mode 2, green") << BoardDrawing([](Displayboard& b) {
        fillYellow(b);
        b.drawSemaText(kMode2, kTimeOfDay, QStringLiteral("OK"), SemaEnum::SEMA_COLOR_GREEN);
    }) << greenTextOwnWidth();
    QTest::newRow("text, mode 7, dots, no time of day") << BoardDrawing([](Displayboard& b) {
        fillYellow(b);
        b.drawSemaText(kMode7, kNoTimeOfDay, QStringLiteral("AB"), SemaEnum::SEMA_COLOR_YELLOW_PIXEL);
    }) << dotTextOwnWidthRaised();
    QTest::newRow("text, mode 3, red, no time of day") << BoardDrawing([](Displayboard& b) {
        fillYellow(b);
        b.drawSemaText(kMode3, kNoTimeOfDay, QStringLiteral("HI"), SemaEnum::SEMA_COLOR_RED);
    }) << textOnRaisedBandFromTen();
    QTest::newRow("text, modes 4 and 5 draw nothing") << BoardDrawing([](Displayboard& b) {
        fillYellow(b);
        b.drawSemaText(kMode4, kTimeOfDay, QStringLiteral("HI"), SemaEnum::SEMA_COLOR_RED);
        b.drawSemaText(kMode5, kTimeOfDay, QStringLiteral("HI"), SemaEnum::SEMA_COLOR_GREEN);
    }) << allYellow();

    // The band right of the last text start column is cleared once; the column is then forgotten.
    QTest::newRow("clear text area, time of day shown") << BoardDrawing([=](Displayboard& b) {
        time(b, kMode2, kTimeOfDay, -10 * kSecond, red);
        fillYellow(b);
        b.clearTextArea(kTimeOfDay);
    }) << bandClearedFromColumn29();
    QTest::newRow("clear text area, no time of day") << BoardDrawing([=](Displayboard& b) {
        time(b, kMode2, kNoTimeOfDay, -10 * kSecond, red);
        fillYellow(b);
        b.clearTextArea(kNoTimeOfDay);
    }) << raisedBandClearedFromColumn29();
    QTest::newRow("clear text area twice") << BoardDrawing([=](Displayboard& b) {
        time(b, kMode2, kTimeOfDay, -10 * kSecond, red);
        b.clearTextArea(kTimeOfDay);
        fillYellow(b);
        b.clearTextArea(kTimeOfDay);
    }) << allYellow();
}

void TestDisplayboardLayouts::layouts()
{
    QFETCH(BoardDrawing, draw);
    QFETCH(QStringList, frame);
    Displayboard board;
    draw(board);
    COMPARE_BOARD(board, frame);
}

void TestDisplayboardLayouts::textStartColumnAfterLayouts()
{
    Displayboard board;
    time(board, kMode2, kTimeOfDay, -600 * kSecond, SemaEnum::SEMA_COLOR_RED);
    QCOMPARE(board.textStartColumn(), boost::optional<int>(12));
    time(board, kMode2, kTimeOfDay, qint64(0), SemaEnum::SEMA_COLOR_GREEN);
    QCOMPARE(board.textStartColumn(), boost::optional<int>(35));
    // Remote texts leave the column as it was; clearing the text area forgets it.
    board.drawSemaText(kMode2, kTimeOfDay, QStringLiteral("HI"), SemaEnum::SEMA_COLOR_RED);
    QCOMPARE(board.textStartColumn(), boost::optional<int>(35));
    board.clearTextArea(kTimeOfDay);
    QCOMPARE(board.textStartColumn(), boost::none);
    // The off state leaves the dot count alone.
    lights(board, kMode5, kTimeOfDay, SemaEnum::SEMA_COLOR_GREEN);
    QCOMPARE(board.dotCount(), 5);
    lights(board, kMode5, kTimeOfDay, SemaEnum::SEMA_COLOR_RED, 0, true);
    QCOMPARE(board.dotCount(), 5);
}

void TestDisplayboardLayouts::timeOfDay_data()
{
    QTest::addColumn<bool>("withApplication");
    QTest::addColumn<bool>("inTimingMenu");
    QTest::addColumn<int>("colour");
    QTest::addColumn<QStringList>("frame");
    QTest::newRow("without the application: the default colour, lower")
        << false << false << 0 << timeOfDayGreenRaised();
    QTest::newRow("outside the timing menu: lower")
        << true << false << int(DisplayboardEnum::DISP_COLOR_RED) << timeOfDayRedRaised();
    QTest::newRow("in the timing menu: on top")
        << true << true << int(DisplayboardEnum::DISP_COLOR_YELLOW) << timeOfDayYellowOnTop();
}

// The time of day at column 1 in the application's colour, over a blue board to show what it paints.
void TestDisplayboardLayouts::timeOfDay()
{
    QFETCH(bool, withApplication);
    QFETCH(bool, inTimingMenu);
    QFETCH(int, colour);
    QFETCH(QStringList, frame);

    QTemporaryDir dir(TestSupport::testRoot() + QStringLiteral("/board-XXXXXX"));
    QVERIFY(dir.isValid());
    QSharedPointer<Application> application;
    if (withApplication) {
        application = QSharedPointer<Application>::create(nullptr, nullptr, dir.path(), nullptr);
        application->setIsInTimingMenu(inTimingMenu);
        application->setDisplayboardTimeColor(colour);
        setSharedApplication(application);
    }
    Displayboard board;
    board.fillRect(0, 0, 48, 16, DisplayboardEnum::DISP_COLOR_BLUE, false);
    board.drawTimeOfDay(QStringLiteral("12:34:56"));
    resetSharedApplication();
    COMPARE_BOARD(board, frame);
}

VANTOR_TEST_CLASS(TestDisplayboardLayouts)
#include "tst_displayboardlayouts.moc"
