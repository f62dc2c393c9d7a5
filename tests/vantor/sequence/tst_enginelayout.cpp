#include "boardgrid.h"
#include "core/orvaneenum.h"
#include "enginerig.h"
#include "sequence/displayboardenum.h"
#include "testsupport/testmain.h"

#include <QSignalSpy>
#include <QTest>

#include <functional>

using namespace Vl::Tavix3::UI;

namespace {

constexpr qint64 kSecond = EngineRig::kSecond;
constexpr qint64 kTick = 100 * EngineRig::kMs;

// The settings that shape the lights on the board.
struct BoardSettings
{
    int visualization = SemaEnum::VISUALIZATION_MODE_1;
    int offMode = SemaEnum::SEMA_OFF_MODE_BLINKING_RED;
    bool timeOfDay = true;
};

void apply(Sema& sema, const BoardSettings& settings)
{
    sema.setVisualizationMode(settings.visualization);
    sema.setOffMode(settings.offMode);
    sema.setIsShowTimeOfDay(settings.timeOfDay);
}

// What the board and a client show.
struct Shown
{
    QStringList board;
    QString colour;
};

// The colour a full status message reports; empty when it reports none.
QString statusColour(EngineRig& rig)
{
    rig.sema().sendStatus(true);
    return rig.statusMessages().last().value(QStringLiteral("Color")).toString();
}

// An info text over the frame: none; one set at the state's moment, drawn on the next whole second
// and gone (its timer run out) 450 ms later; or none, with the board read when it would be read
// after such a text.
enum class Info { None, ShownAndGone, Absent };

// A run on the run screen (AUTO, start moment 12:00:00) in one of the states below; at the state's
// moment the settings change (each of the list in turn), and the board is read one tick later.
// With an info text, it is read just after the whole second that follows the text's second: the
// countdown value and the interval that the text held back have come by then, in both runs.
// States: "red" and "green" (ALPINE SKI counting down under that light), "dots" (RALLY, three
// yellow dots), "delta" (red with a false-start difference held on the band), "paused" (paused
// in the red before), "stopped" (no sequence runs).
Shown showAfterChanges(
    const QString& state, const BoardSettings& before, const QList<BoardSettings>& changes, Info info = Info::None)
{
    auto rig = EngineRig::create("11:59:40.000");
    rig->inTimingMenu = true;
    Sema& sema = rig->sema();
    apply(sema, before);
    if (state != QLatin1String("stopped"))
        rig->startAuto(
            state == QLatin1String("dots") ? SemaEnum::SEMA_SEQUENCE_RALLY : SemaEnum::SEMA_SEQUENCE_ALPINE_SKI,
            "12:00:00", 60 * kSecond);
    // Just after a second, in a frame drawn in that second; the red one just after its light came
    // (later the narrower countdown texts leave the first text's wider cut in layout 7).
    QString moment = QStringLiteral("11:59:53.450");
    if (state == QLatin1String("red"))
        moment = QStringLiteral("11:59:50.450");
    else if (state == QLatin1String("green"))
        moment = QStringLiteral("11:59:56.450");
    else if (state == QLatin1String("dots"))
        moment = QStringLiteral("11:59:57.450");
    else if (state == QLatin1String("delta") && info != Info::None)
        moment = QStringLiteral("11:59:51.450"); // read before the green of :55
    if (state == QLatin1String("paused")) {
        rig->runUntil("11:59:51.300");
        sema.changePause();
    }
    if (state == QLatin1String("delta")) {
        const qint64 event = EngineRig::at(moment) - 450 * EngineRig::kMs;
        rig->runUntil(event);
        rig->sendEvent(event, 1);
    }
    rig->runUntil(moment);
    for (const BoardSettings& change : changes)
        apply(sema, change);
    if (info == Info::None) {
        rig->runFor(kTick);
    } else {
        const qint64 shown = EngineRig::at(moment) + 550 * EngineRig::kMs;
        if (info == Info::ShownAndGone)
            sema.setInfo(QStringLiteral("Next start\n12:01:00"));
        rig->runUntil(shown + 450 * EngineRig::kMs);
        if (info == Info::ShownAndGone && !sema.expireTimer(QStringLiteral("info")))
            qWarning("the info text's timer did not run");
        rig->runUntil(shown + kSecond + 50 * EngineRig::kMs);
    }
    return { boardGrid(rig->displayboard()), statusColour(*rig) };
}

QString offModeName(int mode)
{
    static const char* const names[] = { "OFF", "ONLY_RED", "BLINKING_RED", "ON" };
    return QString::fromLatin1(names[mode]);
}

// The lamp signals' last values, as the run screen's discs follow them.
class Lamps
{
public:
    explicit Lamps(Sema& sema)
        : m_red(&sema, &Sema::semaRedChanged)
        , m_yellow(&sema, &Sema::semaYellowChanged)
        , m_green(&sema, &Sema::semaGreenChanged)
    {
    }

    // "red", "yellow", "green" for each lamp that is on, in that order; "" when all are off.
    QString lit() const
    {
        QStringList on;
        if (isOn(m_red))
            on << QStringLiteral("red");
        if (isOn(m_yellow))
            on << QStringLiteral("yellow");
        if (isOn(m_green))
            on << QStringLiteral("green");
        return on.join(QLatin1Char(' '));
    }

private:
    static bool isOn(const QSignalSpy& spy) { return !spy.isEmpty() && spy.last().at(0).toBool(); }

    QSignalSpy m_red;
    QSignalSpy m_yellow;
    QSignalSpy m_green;
};

// The light drawn on the board in layout 1: the main disc's centre pixel, or, while the sequence is
// off, the first of the off-mode discs; "" when it is dark.
QString lightOnBoard(EngineRig& rig)
{
    const bool off = rig.sema().isOff();
    const bool timeOfDay = rig.sema().isTimeOfDayVisible();
    const int x = !timeOfDay ? 8 : off ? 6 : 4;
    switch (rig.displayboard().pixel(x, timeOfDay ? 11 : 8)) {
    case DisplayboardEnum::DISP_COLOR_RED:
        return QStringLiteral("red");
    case DisplayboardEnum::DISP_COLOR_YELLOW:
        return QStringLiteral("yellow");
    case DisplayboardEnum::DISP_COLOR_GREEN:
        return QStringLiteral("green");
    default:
        return QString();
    }
}

} // namespace

using RigAction = std::function<void(EngineRig&)>;
Q_DECLARE_METATYPE(BoardSettings)
Q_DECLARE_METATYPE(RigAction)

// The lights on the board and on the run screen follow every change of the board's layout, of
// the off mode and of the colour, at once.
class TestEngineLayout : public QObject
{
    Q_OBJECT

private slots:
    void changesRedrawTheLightsAtOnce_data();
    void changesRedrawTheLightsAtOnce();
    void lampsGoDarkWithTheBoard_data();
    void lampsGoDarkWithTheBoard();
    void coveredLightsComeBack_data();
    void coveredLightsComeBack();
};

void TestEngineLayout::changesRedrawTheLightsAtOnce_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<BoardSettings>("before");
    QTest::addColumn<QList<BoardSettings>>("changes");
    // The change is an info text that comes and goes; the settings stay.
    QTest::addColumn<bool>("infoText");

    const QStringList states { "red", "green", "dots", "delta", "paused", "stopped" };
    for (const QString& state : states) {
        // Every layout, from the first one, and the first from the last.
        for (int mode = SemaEnum::VISUALIZATION_MODE_1; mode < SemaEnum::MAX_VISUALIZATION_MODE; ++mode) {
            BoardSettings before;
            before.visualization = mode == SemaEnum::VISUALIZATION_MODE_1 ? SemaEnum::VISUALIZATION_MODE_7
                                                                          : SemaEnum::VISUALIZATION_MODE_1;
            BoardSettings after = before;
            after.visualization = mode;
            QTest::addRow("%s, layout %d to %d", qPrintable(state), before.visualization + 1, mode + 1)
                << state << before << QList<BoardSettings> { after } << false;
        }
        // The time of day shown or not moves the lights too.
        for (const bool shown : { true, false }) {
            BoardSettings before;
            before.timeOfDay = shown;
            BoardSettings after = before;
            after.timeOfDay = !shown;
            QTest::addRow("%s, time of day %s", qPrintable(state), shown ? "hidden" : "shown")
                << state << before << QList<BoardSettings> { after } << false;
        }
    }

    // Off modes, paused; a blinking light's phase is its own, so the new mode is a steady one.
    for (int from = 0; from < SemaEnum::MAX_SEMA_OFF_MODE; ++from) {
        for (const int to :
            { SemaEnum::SEMA_OFF_MODE_OFF, SemaEnum::SEMA_OFF_MODE_ONLY_RED, SemaEnum::SEMA_OFF_MODE_ON }) {
            if (to == from)
                continue;
            for (const int mode : { SemaEnum::VISUALIZATION_MODE_1, SemaEnum::VISUALIZATION_MODE_4 }) {
                BoardSettings before;
                before.offMode = from;
                before.visualization = mode;
                BoardSettings after = before;
                after.offMode = to;
                QTest::addRow("paused, layout %d, off mode %s to %s", mode + 1, qPrintable(offModeName(from)),
                    qPrintable(offModeName(to)))
                    << QStringLiteral("paused") << before << QList<BoardSettings> { after } << false;
            }
        }
    }
    BoardSettings onlyRed;
    onlyRed.offMode = SemaEnum::SEMA_OFF_MODE_ONLY_RED;
    BoardSettings allOn = onlyRed;
    allOn.offMode = SemaEnum::SEMA_OFF_MODE_ON;
    BoardSettings dark = onlyRed;
    dark.offMode = SemaEnum::SEMA_OFF_MODE_OFF;
    QTest::newRow("paused, off mode ONLY_RED to ON and back to OFF")
        << QStringLiteral("paused") << onlyRed << QList<BoardSettings> { allOn, dark } << false;
    // While the sequence runs the off mode does not show.
    QTest::newRow("red, off mode ONLY_RED to ON")
        << QStringLiteral("red") << onlyRed << QList<BoardSettings> { allOn } << false;

    // An info text covers the lower half of a running sequence's frame, the lights' rows among them.
    for (const QString& state : states) {
        if (state == QLatin1String("paused"))
            continue;
        for (int mode = SemaEnum::VISUALIZATION_MODE_1; mode < SemaEnum::MAX_VISUALIZATION_MODE; ++mode) {
            for (const bool shown : { true, false }) {
                BoardSettings settings;
                settings.visualization = mode;
                settings.timeOfDay = shown;
                QTest::addRow("%s, layout %d, time of day %s, info text gone", qPrintable(state), mode + 1,
                    shown ? "shown" : "hidden")
                    << state << settings << QList<BoardSettings> { settings } << true;
            }
        }
    }
    // Paused, under a steady off mode: a blinking light skips its change while the text shows.
    for (const int offMode :
        { SemaEnum::SEMA_OFF_MODE_OFF, SemaEnum::SEMA_OFF_MODE_ONLY_RED, SemaEnum::SEMA_OFF_MODE_ON }) {
        for (const int mode : { SemaEnum::VISUALIZATION_MODE_1, SemaEnum::VISUALIZATION_MODE_4 }) {
            BoardSettings settings;
            settings.visualization = mode;
            settings.offMode = offMode;
            QTest::addRow("paused, layout %d, off mode %s, info text gone", mode + 1, qPrintable(offModeName(offMode)))
                << QStringLiteral("paused") << settings << QList<BoardSettings> { settings } << true;
        }
    }
}

// After the change the board and the status show what they show when the new settings were there
// from the start.
void TestEngineLayout::changesRedrawTheLightsAtOnce()
{
    QFETCH(QString, state);
    QFETCH(BoardSettings, before);
    QFETCH(QList<BoardSettings>, changes);
    QFETCH(bool, infoText);

    const Shown expected = showAfterChanges(state, changes.last(), {}, infoText ? Info::Absent : Info::None);
    const Shown shown = showAfterChanges(state, before, changes, infoText ? Info::ShownAndGone : Info::None);
    QCOMPARE(shown.colour, expected.colour);
    for (int row = 0; row < expected.board.size(); ++row) {
        if (shown.board.at(row) != expected.board.at(row))
            qWarning().noquote() << "row" << row << "\n  got      " << shown.board.at(row) << "\n  expected "
                                 << expected.board.at(row);
        QCOMPARE(shown.board.at(row), expected.board.at(row));
    }
}

void TestEngineLayout::lampsGoDarkWithTheBoard_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<RigAction>("action");

    QTest::newRow("operator start from the blinking red")
        << "manual" << RigAction([](EngineRig& rig) { rig.sema().setActivationTime(false); });
    QTest::newRow("remote start from the blinking red") << "manual" << RigAction([](EngineRig& rig) {
        rig.sema().setRemoteStartSequence(
            SemaEnum::SEQUENCE_MODE_MANUAL, boost::none, boost::none, boost::none, QVariant());
    });
    QTest::newRow("pause under the red") << "auto" << RigAction([](EngineRig& rig) { rig.sema().changePause(); });
    QTest::newRow("synchronisation switches the lights off")
        << "auto" << RigAction([](EngineRig& rig) { rig.sema().setSemaOff(); });
}

// Where the engine clears the board and forgets the colour, the run screen's lamps go dark too,
// and stay as dark as the board until the next light.
void TestEngineLayout::lampsGoDarkWithTheBoard()
{
    QFETCH(QString, start);
    QFETCH(RigAction, action);

    auto rig = EngineRig::create("10:00:00.000");
    rig->inTimingMenu = true;
    Sema& sema = rig->sema();
    const Lamps lamps(sema);
    if (start == QLatin1String("manual")) {
        sema.setSequenceType(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI);
        sema.setSequenceMode(SemaEnum::SEQUENCE_MODE_MANUAL);
        sema.setSequenceStatus(true);
        rig->runUntil("10:00:02.500"); // blinking: red at :00, off at :01, red at :02
    } else {
        rig->startAuto(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI, "10:01:00", 60 * kSecond);
        rig->runUntil("10:00:52.500"); // red since :50
    }
    QCOMPARE(lightOnBoard(*rig), QStringLiteral("red"));
    QCOMPARE(lamps.lit(), QStringLiteral("red"));

    action(*rig);
    QCOMPARE(lightOnBoard(*rig), QString());
    QCOMPARE(lamps.lit(), QString());
    QCOMPARE(statusColour(*rig), QString());
    // Until the next light, ticks keep both dark.
    rig->runFor(3 * kTick);
    QCOMPARE(lightOnBoard(*rig), QString());
    QCOMPARE(lamps.lit(), QString());
}

void TestEngineLayout::coveredLightsComeBack_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<RigAction>("cover");
    QTest::addColumn<RigAction>("uncover");
    // Given back at once, or by the next tick, the engine learning it from the application.
    QTest::addColumn<bool>("atOnce");

    const RigAction infoText([](EngineRig& rig) { rig.sema().setInfo(QStringLiteral("Next start\n12:01:00")); });
    const RigAction infoTextGone([](EngineRig& rig) { QVERIFY(rig.sema().expireTimer(QStringLiteral("info"))); });
    const RigAction ledTest([](EngineRig& rig) { rig.sema().setIsShowingLedTest(true); });
    const RigAction ledTestOff([](EngineRig& rig) { rig.sema().setIsShowingLedTest(false); });
    // A client switches to display-board mode and clears the board, and back to the countdown.
    const RigAction remoteTexts([](EngineRig& rig) {
        rig.displayboardModeValue = OrvaneEnum::DISPLAYBOARD_MODE;
        rig.runFor(kTick);
        rig.displayboard().reset(true);
    });
    const RigAction countdownMode([](EngineRig& rig) { rig.displayboardModeValue = OrvaneEnum::COUNTDOWN_MODE; });
    // The service screens: a single LED test, then the board cleared as the screen is left.
    const RigAction serviceTest([](EngineRig& rig) {
        rig.inTestMenu = true;
        rig.runFor(kTick);
        rig.displayboard().fillGreen();
    });
    const RigAction serviceTestLeft([](EngineRig& rig) {
        rig.displayboard().reset(true);
        rig.inTestMenu = false;
    });

    // The lights move while the test has the board.
    const RigAction ledTestTimeOfDayHidden([](EngineRig& rig) {
        rig.sema().setIsShowingLedTest(true);
        rig.runFor(kTick);
        rig.sema().setIsShowTimeOfDay(false);
    });

    for (const char* start : { "red", "paused" }) {
        QTest::addRow("%s, info text gone", start) << start << infoText << infoTextGone << true;
        QTest::addRow("%s, continuous LED test ends", start) << start << ledTest << ledTestOff << true;
        QTest::addRow("%s, continuous LED test ends, time of day hidden meanwhile", start)
            << start << ledTestTimeOfDayHidden << ledTestOff << true;
        QTest::addRow("%s, back from display-board mode", start) << start << remoteTexts << countdownMode << false;
        QTest::addRow("%s, service test left", start) << start << serviceTest << serviceTestLeft << false;
    }
}

// Whatever covered or cleared the board while a run showed its lights, the lights are on the board
// and published as soon as the board is the engine's again: not only with the next colour.
void TestEngineLayout::coveredLightsComeBack()
{
    QFETCH(QString, start);
    QFETCH(RigAction, cover);
    QFETCH(RigAction, uncover);
    QFETCH(bool, atOnce);

    auto rig = EngineRig::create("11:59:40.000");
    rig->inTimingMenu = true;
    Sema& sema = rig->sema();
    sema.setOffMode(SemaEnum::SEMA_OFF_MODE_ONLY_RED);
    rig->startAuto(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI, "12:00:00", 60 * kSecond);
    rig->runUntil("11:59:50.450"); // red since :50, green at :55
    if (start == QLatin1String("paused"))
        sema.changePause();
    rig->runUntil("11:59:51.450");
    QCOMPARE(lightOnBoard(*rig), QStringLiteral("red"));

    cover(*rig);
    rig->runUntil("11:59:52.450");
    QVERIFY(lightOnBoard(*rig) != QLatin1String("red"));
    rig->clearTrace();
    uncover(*rig);
    if (!atOnce)
        rig->runFor(kTick);
    QCOMPARE(lightOnBoard(*rig), QStringLiteral("red"));
    QVERIFY(!rig->trace("publish").isEmpty());
    QCOMPARE(statusColour(*rig), QStringLiteral("RED"));
}

VANTOR_TEST_CLASS(TestEngineLayout)
#include "tst_enginelayout.moc"
