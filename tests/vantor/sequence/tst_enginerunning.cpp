#include "core/orvaneenum.h"
#include "enginerig.h"
#include "enginetrace.h"
#include "testsupport/testmain.h"

#include <QSignalSpy>
#include <QTest>

using namespace Vl::Tavix3::UI;

namespace {

constexpr qint64 kSecond = EngineRig::kSecond;

// Writes a custom table given as "time colour sound window" rows, e.g. "-10 2 4 0; 0 4 3 1".
void writeCustomTable(Sema& sema, const QString& rows)
{
    sema.resetListInterval(SemaEnum::SEMA_SEQUENCE_CUSTOM);
    int index = 0;
    for (const QString& row : rows.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList f = row.simplified().split(QLatin1Char(' '));
        sema.setInterval(index++, SemaEnum::SEMA_SEQUENCE_CUSTOM,
            SemaInterval { f.at(0).toLongLong(), f.at(2).toInt(), f.at(1).toInt(), f.at(3) == QLatin1String("1") });
    }
}

} // namespace

// The running sequence: the tick's lights, tones, countdown and board work against a fake clock.
class TestEngineRunning : public QObject
{
    Q_OBJECT

private slots:
    void builtInRun_data();
    void builtInRun();
    void countdownBand();
    void equalTimesFireInOneTick();
    void lateTickFiresOneGroupPerTick();
    void offModes_data();
    void offModes();
    void offModeChangeShowsAtOnce();
    void unknownColourAndSoundActAsNone();
    void emptyTableIsNeverArmed_data();
    void emptyTableIsNeverArmed();
    void tableEmptiedWhileRunningGoesOff();
    void infoTextNotRunning_data();
    void infoTextNotRunning();
    void infoTextHoldsIntervalsBack();
    void textModePushesStatusEveryTenSeconds();
    void serviceTestMenuStopsTheTick();
    void manualEndArmsAgainAndCountsTheBib();
    void autoWithoutRepetitionGoesOffAtTheEnd();
    void clockJumpAheadSkipsMissedRuns();
    void minimumRepetitionKeepsEveryRunOnTime_data();
    void minimumRepetitionKeepsEveryRunOnTime();
    void nextRunBeginsOnTheWholeSecond_data();
    void nextRunBeginsOnTheWholeSecond();
    void timeOfDayOncePerSecond();
};

void TestEngineRunning::builtInRun_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("lights");
    QTest::addColumn<QString>("tones");

    const QString alpineTones = "11:59:50 460 1000; 11:59:55 922 300; 11:59:56 922 300; 11:59:57 922 300; "
                                "11:59:58 922 300; 11:59:59 922 300; 12:00:00 1840 1000";
    QTest::newRow("ALPINE SKI") << 0 << "11:59:50 RED; 11:59:55 GREEN; 12:00:05 RED; 12:00:10 OFF" << alpineTones;
    QTest::newRow("NORDIK SKI") << 1 << "11:59:50 RED; 11:59:57 GREEN; 12:00:03 RED; 12:00:10 OFF" << alpineTones;
    const QString dots = "11:59:50 RED; 11:59:55 YELLOW_PIXEL dots 5; 11:59:56 PIXEL dots 4; "
                         "11:59:57 PIXEL dots 3; 11:59:58 PIXEL dots 2; 11:59:59 PIXEL dots 1; 12:00:00 GREEN; ";
    QTest::newRow("RALLY") << 2 << dots + "12:00:21 OFF" << alpineTones;
    QTest::newRow("SHAKEDOWN") << 3 << dots + "12:00:16 OFF" << alpineTones;
    QTest::newRow("UP HILL NO COUNTDOWN") << 4 << "11:59:50 RED; 12:00:00 GREEN; 12:00:11 OFF"
                                          << "11:59:50 460 1000; 12:00:00 1840 1000";
    QTest::newRow("UP HILL COUNTDOWN") << 5 << dots + "12:00:11 OFF" << alpineTones;
}

// One AUTO run of each built-in table with the start moment at 12:00:00 and a repetition time of
// 60 s; the next run is planned in the tick of the silent last interval, on its whole second.
void TestEngineRunning::builtInRun()
{
    QFETCH(int, type);
    QFETCH(QString, lights);
    QFETCH(QString, tones);

    auto rig = EngineRig::create("11:59:00.000");
    rig->startAuto(type, "12:00:00", 60 * kSecond);
    QVERIFY(rig->sema().sequenceStatus());
    QCOMPARE(rig->sema().nextStartTime().trimmed(), QStringLiteral("12:00:00"));

    rig->runUntil("12:00:30.000");
    QCOMPARE(timetable(*rig, "lights "), lights);
    QCOMPARE(timetable(*rig, "tone "), tones);

    // The end of the table plans the next run one repetition later, as the lights go off.
    const QString offAt = rig->trace("lights OFF").last().left(12);
    QVERIFY(offAt.endsWith(QLatin1String(".000")));
    // Starting clears the synchronisation pulse, then sets it to each planned start.
    QCOMPARE(timetable(*rig, "synchro "), "11:59:00 -; 11:59:00 12:00:00; " + offAt.left(8) + " 12:01:00");
    QCOMPARE(rig->sema().nextStartTime().trimmed(), QStringLiteral("12:01:00"));
    QVERIFY(rig->sema().sequenceStatus());
    QVERIFY(!rig->sema().isOff());

    // One generated start per run, at the start moment.
    QCOMPARE(rig->texts("event "), QStringList { "event ch9 12:00:00.000 bib- auto" });
    QCOMPARE(rig->texts("log "), QStringList { "log ch9 12:00:00.000" });
}

void TestEngineRunning::countdownBand()
{
    auto rig = EngineRig::create("11:59:44.000");
    rig->startAuto(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI, "12:00:00", 60 * kSecond);
    rig->runUntil("12:00:02.000");
    const QStringList band = rig->trace("time ");
    // Redrawn once per second from the moment the run is armed, and again as each interval fires.
    QVERIFY(band.contains("11:59:44.000 time -16"));
    QVERIFY(band.contains("11:59:50.000 time -10"));
    QVERIFY(band.contains("11:59:59.000 time -1"));
    QVERIFY(band.contains("12:00:00.000 time 0"));
    QVERIFY(band.contains("12:00:01.000 time 1"));
    QCOMPARE(band.filter(QStringLiteral("11:59:51")).size(), 1);
}

void TestEngineRunning::equalTimesFireInOneTick()
{
    auto rig = EngineRig::create("11:59:55.000");
    writeCustomTable(rig->sema(), "-2 2 1 0; 0 4 3 1; 0 3 2 1; 2 1 0 0");
    rig->startAuto(SemaEnum::SEMA_SEQUENCE_CUSTOM, "12:00:00", 60 * kSecond);
    rig->runUntil("12:00:00.500");
    QCOMPARE(timetable(*rig, "lights "), QStringLiteral("11:59:58 RED; 12:00:00 GREEN; 12:00:00 YELLOW"));
    QCOMPARE(timetable(*rig, "tone "), QStringLiteral("11:59:58 922 300; 12:00:00 1840 1000; 12:00:00 460 300"));
    // The job queued for the second interval of time 0 generates nothing.
    QCOMPARE(rig->texts("event "), QStringList { "event ch9 12:00:00.000 bib- auto" });
}

void TestEngineRunning::lateTickFiresOneGroupPerTick()
{
    auto rig = EngineRig::create("11:59:50.500");
    rig->startAuto(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI, "12:00:00", 60 * kSecond);
    rig->runUntil("11:59:54.900");
    rig->clearTrace();
    // The scheduler stalls for two seconds: three intervals with different times are due.
    rig->setNow("11:59:57.000");
    rig->tick();
    rig->runUntil("11:59:57.300");
    QCOMPARE(timetable(*rig, "tone "), QStringLiteral("11:59:57 922 300; 11:59:57.100 922 300; 11:59:57.200 922 300"));
}

void TestEngineRunning::offModes_data()
{
    QTest::addColumn<int>("offMode");
    QTest::addColumn<QString>("lights");
    // The first tick lays the board out afresh and draws the off-mode lights at once.
    QTest::newRow("OFF") << int(SemaEnum::SEMA_OFF_MODE_OFF) << "10:00:00.100 OFF";
    QTest::newRow("ONLY_RED") << int(SemaEnum::SEMA_OFF_MODE_ONLY_RED) << "10:00:00.100 RED";
    QTest::newRow("BLINKING_RED") << int(SemaEnum::SEMA_OFF_MODE_BLINKING_RED)
                                  << "10:00:00.100 RED; 10:00:01 OFF; 10:00:02 RED; 10:00:03 OFF; 10:00:04 RED";
    QTest::newRow("ON") << int(SemaEnum::SEMA_OFF_MODE_ON) << "10:00:00.100 ALL";
}

// An armed MANUAL sequence waits with the off-mode lights, drawn once per second.
void TestEngineRunning::offModes()
{
    QFETCH(int, offMode);
    QFETCH(QString, lights);

    auto rig = EngineRig::create("10:00:00.000");
    rig->sema().setOffMode(offMode);
    rig->sema().setSequenceType(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI);
    rig->sema().setSequenceMode(SemaEnum::SEQUENCE_MODE_MANUAL);
    rig->sema().setSequenceStatus(true);
    QVERIFY(rig->sema().sequenceStatus());
    QVERIFY(rig->sema().isOff());
    rig->clearTrace();
    rig->runUntil("10:00:04.900");
    QCOMPARE(timetable(*rig, "lights "), lights);
}

void TestEngineRunning::offModeChangeShowsAtOnce()
{
    auto rig = EngineRig::create("10:00:00.000");
    rig->sema().setSequenceType(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI);
    rig->sema().setSequenceMode(SemaEnum::SEQUENCE_MODE_MANUAL);
    rig->sema().setSequenceStatus(true);
    rig->runUntil("10:00:01.500"); // blinking: red at once, off at :01
    rig->clearTrace();
    rig->sema().setOffMode(SemaEnum::SEMA_OFF_MODE_ONLY_RED);
    rig->runUntil("10:00:05.000");
    QCOMPARE(timetable(*rig, "lights "), QStringLiteral("10:00:01.500 RED"));
}

// An interval whose colour or sound lies outside the tables fires as no colour and no tone.
void TestEngineRunning::unknownColourAndSoundActAsNone()
{
    auto rig = EngineRig::create("11:59:55.000");
    writeCustomTable(rig->sema(), "-3 2 1 0; -1 42 9 0; 0 4 3 1; 2 77 0 0");
    rig->startAuto(SemaEnum::SEMA_SEQUENCE_CUSTOM, "12:00:00", 60 * kSecond);
    rig->runUntil("12:00:03.500");
    QCOMPARE(timetable(*rig, "lights "), QStringLiteral("11:59:57 RED; 12:00:00 GREEN; 12:00:02 OFF"));
    QCOMPARE(timetable(*rig, "tone "), QStringLiteral("11:59:57 922 300; 12:00:00 1840 1000"));
}

void TestEngineRunning::emptyTableIsNeverArmed_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("MANUAL") << int(SemaEnum::SEQUENCE_MODE_MANUAL);
    QTest::newRow("AUTO") << int(SemaEnum::SEQUENCE_MODE_AUTO);
    QTest::newRow("AUTOSTART") << int(SemaEnum::SEQUENCE_MODE_AUTOSTART);
}

void TestEngineRunning::emptyTableIsNeverArmed()
{
    QFETCH(int, mode);
    auto rig = EngineRig::create("10:00:00.000");
    Sema& sema = rig->sema();
    sema.setSequenceType(SemaEnum::SEMA_SEQUENCE_CUSTOM);
    sema.setStartDate(QVariant(qlonglong(EngineRig::day())));
    sema.setStartTime(QVariant(qlonglong(EngineRig::at("10:01:00") - EngineRig::day())));
    sema.setSequenceMode(mode);
    QSignalSpy status(&sema, &Sema::sequenceStatusChanged);
    sema.setSequenceStatus(true);
    QVERIFY(!sema.sequenceStatus());
    QCOMPARE(status.count(), 1);
    QCOMPARE(rig->texts("info "), QStringList { "info The sequence has no intervals" });
    rig->runUntil("10:02:00.000");
    QVERIFY(rig->trace("tone ").isEmpty());
    QVERIFY(rig->trace("event ").isEmpty());
}

void TestEngineRunning::tableEmptiedWhileRunningGoesOff()
{
    auto rig = EngineRig::create("11:59:55.000");
    writeCustomTable(rig->sema(), "-2 2 1 0; 0 4 3 1; 1 1 0 0");
    rig->startAuto(SemaEnum::SEMA_SEQUENCE_CUSTOM, "12:00:00", 30 * kSecond);
    rig->runUntil("12:00:00.500");
    rig->sema().resetListInterval(SemaEnum::SEMA_SEQUENCE_CUSTOM);
    rig->runUntil("12:01:00.000");
    // The run ends at the next new second and no next run is planned for an empty table.
    QVERIFY(rig->sema().isOff());
    QVERIFY(rig->sema().nextStartTime().isEmpty());
    QCOMPARE(rig->trace("tone ").size(), 2);
}

void TestEngineRunning::infoTextNotRunning_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("drawn");
    QTest::newRow("one line") << "Hello" << QStringList { "draw 0,4 Hello" };
    QTest::newRow("two lines") << "Vantor\nV 1.0" << QStringList { "draw 0,0 Vantor", "draw 0,8 V 1.0" };
    QTest::newRow("three lines") << "a\nb\nc" << QStringList { "draw 0,0 a", "draw 0,8 b" };
}

void TestEngineRunning::infoTextNotRunning()
{
    QFETCH(QString, text);
    QFETCH(QStringList, drawn);
    auto rig = EngineRig::create("10:00:00.000");
    rig->sema().setInfo(text);
    rig->runUntil("10:00:02.500");
    // Redrawn at each new second: at the first tick, at :01 and at :02.
    QCOMPARE(rig->texts("fill "), QStringList({ "fill 0,0,48,16", "fill 0,0,48,16", "fill 0,0,48,16" }));
    QCOMPARE(rig->texts("draw "), drawn + drawn + drawn);
    rig->clearTrace();
    QVERIFY(rig->sema().expireTimer("info"));
    QCOMPARE(rig->texts("fill "), QStringList { "fill 0,0,48,16" });
    rig->runUntil("10:00:04.500");
    QVERIFY(rig->texts("draw ").isEmpty());
}

// While an info text shows on a running sequence, intervals wait; they fire once it is gone.
void TestEngineRunning::infoTextHoldsIntervalsBack()
{
    auto rig = EngineRig::create("11:59:45.000");
    rig->startAuto(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI, "12:00:00", 60 * kSecond);
    rig->runUntil("11:59:48.000");
    QVERIFY(rig->sema().isTimerActive("info") == false);
    rig->sema().setInfo("Line\nTwo");
    QCOMPARE(rig->sema().timerInterval("info"), 4000);
    rig->runUntil("11:59:52.000");
    QCOMPARE(rig->trace("draw ").first(), QStringLiteral("11:59:49.000 draw 1,8 Line\nTwo"));
    QVERIFY(rig->trace("tone ").isEmpty());
    QVERIFY(rig->sema().expireTimer("info"));
    QCOMPARE(rig->texts("fill ").last(), QStringLiteral("fill 0,8,48,8"));
    rig->runUntil("11:59:52.300");
    QCOMPARE(timetable(*rig, "tone "), QStringLiteral("11:59:52.100 460 1000"));
}

void TestEngineRunning::textModePushesStatusEveryTenSeconds()
{
    auto rig = EngineRig::create("10:00:00.000");
    rig->displayboardModeValue = OrvaneEnum::DISPLAYBOARD_MODE;
    rig->inTimingMenu = true;
    rig->sema().setIsOutputStatusEnabled(true);
    rig->runUntil("10:00:25.000");
    QCOMPARE(rig->statusMessages().size(), 3);
    QCOMPARE(rig->trace("status ").at(1).left(8), QStringLiteral("10:00:10"));
    QVERIFY(rig->trace({ "lights ", "tod ", "time ", "reset", "publish" }).isEmpty());
}

void TestEngineRunning::serviceTestMenuStopsTheTick()
{
    auto rig = EngineRig::create("10:00:00.000");
    rig->inTestMenu = true;
    rig->runUntil("10:00:03.000");
    QVERIFY(rig->trace({ "tod ", "lights ", "reset" }).isEmpty());
    rig->inTestMenu = false;
    rig->runUntil("10:00:04.000");
    QVERIFY(!rig->trace("tod ").isEmpty());
}

// At the end of a MANUAL table the sequence goes off, armed for the next operator start, and the
// bib moves on unless it was fixed.
void TestEngineRunning::manualEndArmsAgainAndCountsTheBib()
{
    auto rig = EngineRig::create("10:00:37.000");
    Sema& sema = rig->sema();
    sema.setSequenceType(SemaEnum::SEMA_SEQUENCE_UPHILL_NO_COUNTDOWN);
    sema.setSequenceMode(SemaEnum::SEQUENCE_MODE_MANUAL);
    sema.initSema();
    sema.setSequenceStatus(true);
    sema.setActivationTime(false);
    QCOMPARE(sema.nextStartTime().trimmed(), QStringLiteral("10:01:00"));
    QSignalSpy bib(&sema, &Sema::bibNumberChanged);
    rig->runUntil("10:01:13.000");
    QCOMPARE(sema.bibNumber(), QStringLiteral("2"));
    QCOMPARE(bib.count(), 1);
    QVERIFY(sema.isOff());
    QVERIFY(sema.sequenceStatus());
    QVERIFY(sema.nextStartTime().isEmpty());
}

void TestEngineRunning::autoWithoutRepetitionGoesOffAtTheEnd()
{
    auto rig = EngineRig::create("11:59:45.000");
    rig->startAuto(SemaEnum::SEMA_SEQUENCE_UPHILL_NO_COUNTDOWN, "12:00:00", 60 * kSecond);
    rig->runUntil("12:00:05.000");
    // Forced in as the settings loader does: no checks and no stop.
    rig->sema().loadRepetitionTime(0);
    QSignalSpy off(&rig->sema(), &Sema::isOffChanged);
    rig->runUntil("12:00:13.000");
    QVERIFY(rig->sema().isOff());
    QCOMPARE(off.count(), 1);
    QVERIFY(rig->sema().nextStartTime().isEmpty());
    QCOMPARE(rig->trace("tone ").size(), 2);
}

// A run whose first interval came due a second late still plays; runs missed entirely after the
// clock jumped ahead are not played back.
void TestEngineRunning::clockJumpAheadSkipsMissedRuns()
{
    auto rig = EngineRig::create("11:59:40.000");
    rig->startAuto(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI, "12:00:00", 20 * kSecond);
    rig->runUntil("12:00:12.000");
    // With the minimum repetition the next run's first interval (12:00:10) falls in the second of
    // the silent last one: it fires in the same tick, on the whole second.
    QCOMPARE(rig->sema().nextStartTime().trimmed(), QStringLiteral("12:00:20"));
    QCOMPARE(rig->trace("tone ").last(), QStringLiteral("12:00:10.000 tone 460 1000"));
    rig->runUntil("12:00:25.000");
    rig->clearTrace();
    // An hour later: the run under way ends at once, and the next is the first not yet begun.
    rig->setNow("13:00:25.000");
    rig->runUntil("13:00:45.000");
    QCOMPARE(rig->sema().nextStartTime().trimmed(), QStringLiteral("13:00:40"));
    QCOMPARE(rig->trace("tone ").first(), QStringLiteral("13:00:30.000 tone 460 1000"));
    QCOMPARE(rig->texts("event "), QStringList { "event ch9 13:00:40.000 bib- auto" });
}

void TestEngineRunning::minimumRepetitionKeepsEveryRunOnTime_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QStringList>("firstTones");
    // The first tone of each of three runs at the table's minimum repetition time: from the second
    // run on it comes in the tick of the silent last interval, on the same whole second.
    QTest::newRow("ALPINE SKI, 20 s") << 0
                                      << QStringList { "11:59:50.000 tone 460 1000", "12:00:10.000 tone 460 1000",
                                             "12:00:30.000 tone 460 1000" };
    QTest::newRow("RALLY, 31 s") << 2
                                 << QStringList { "11:59:50.000 tone 460 1000", "12:00:21.000 tone 460 1000",
                                        "12:00:52.000 tone 460 1000" };
    QTest::newRow("UP HILL NO COUNTDOWN, 21 s")
        << 4
        << QStringList { "11:59:50.000 tone 460 1000", "12:00:11.000 tone 460 1000", "12:00:32.000 tone 460 1000" };
}

// At the minimum repetition time every run keeps its tones and its start moment on time.
void TestEngineRunning::minimumRepetitionKeepsEveryRunOnTime()
{
    QFETCH(int, type);
    QFETCH(QStringList, firstTones);

    auto rig = EngineRig::create("11:59:40.000");
    rig->sema().setSequenceType(SemaEnum::SemaSequenceType(type));
    rig->sema().setSequenceMode(SemaEnum::SEQUENCE_MODE_AUTO);
    const qint64 minimum = rig->sema().getMinRepetitionTime();
    rig->startAuto(type, "12:00:00", minimum);
    const qint64 start = EngineRig::at("12:00:00.000");
    rig->runUntil(start + 2 * minimum + 5 * kSecond);

    QCOMPARE(rig->trace("tone 460 1000"), firstTones);
    QCOMPARE(rig->texts("event "),
        QStringList({ "event ch9 " + EngineRig::stamp(start) + " bib- auto",
            "event ch9 " + EngineRig::stamp(start + minimum) + " bib- auto",
            "event ch9 " + EngineRig::stamp(start + 2 * minimum) + " bib- auto" }));
}

void TestEngineRunning::nextRunBeginsOnTheWholeSecond_data()
{
    QTest::addColumn<int>("repetitionSeconds");
    QTest::addColumn<QString>("band");
    QTest::addColumn<QString>("lights");
    // At the minimum repetition the next run's first interval falls in the second of the silent
    // last one; at a longer one the next run counts down from there.
    QTest::newRow("ALPINE SKI, 20 s") << 20 << "-10"
                                      << "RED";
    QTest::newRow("ALPINE SKI, 25 s") << 25 << "-15"
                                      << "OFF";
    QTest::newRow("ALPINE SKI, 60 s") << 60 << "-50"
                                      << "OFF";
}

// The silent last interval ends its run in its own tick, on the whole second: the next run's first
// countdown value (and its first light, when due) reaches the board and the clients in that tick.
void TestEngineRunning::nextRunBeginsOnTheWholeSecond()
{
    QFETCH(int, repetitionSeconds);
    QFETCH(QString, band);
    QFETCH(QString, lights);

    auto rig = EngineRig::create("11:59:40.000");
    rig->sema().setIsOutputStatusEnabled(true);
    rig->startAuto(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI, "12:00:00", repetitionSeconds * kSecond);
    rig->runUntil("12:00:09.900");
    rig->clearTrace();
    rig->runUntil("12:00:10.000");
    QCOMPARE(rig->texts("time ").last(), "time " + band);
    QCOMPARE(rig->texts("lights ").last(), "lights " + lights);
    QCOMPARE(rig->texts("status ").size(), 1);
    QCOMPARE(rig->statusMessages().last().value(QStringLiteral("Time")).toString().trimmed(), band);
    QCOMPARE(rig->sema().nextStartTime().trimmed(),
        EngineRig::stamp(EngineRig::at("12:00:00.000") + repetitionSeconds * kSecond).left(8));
    // Nothing is left for the next tick.
    rig->clearTrace();
    rig->runUntil("12:00:10.100");
    QVERIFY(rig->trace({ "time ", "lights ", "tone ", "status " }).isEmpty());
}

void TestEngineRunning::timeOfDayOncePerSecond()
{
    auto rig = EngineRig::create("09:59:58.500");
    QSignalSpy time(&rig->sema(), &Sema::timeChanged);
    rig->runUntil("10:00:01.000");
    QCOMPARE(rig->texts("tod "), QStringList({ "tod 09:59:58", "tod 09:59:59", "tod 10:00:00", "tod 10:00:01" }));
    QCOMPARE(time.count(), 4);
}

VANTOR_TEST_CLASS(TestEngineRunning)
#include "tst_enginerunning.moc"
