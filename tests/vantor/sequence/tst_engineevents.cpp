#include "boardgrid.h"
#include "core/orvaneenum.h"
#include "enginerig.h"
#include "enginetrace.h"
#include "sequence/displayboardenum.h"
#include "testsupport/testmain.h"
#include "time/datetime.h"

#include <QSignalSpy>
#include <QTest>

#include <limits>

using namespace Vl::Tavix3::UI;

namespace {

constexpr qint64 kSecond = EngineRig::kSecond;
constexpr int kStartLine = OrvaneEnum::QSTART_LINE;
constexpr int kLapLine = OrvaneEnum::QLAP_LINE;

// A rig running type in AUTO with the start moment at 12:00:00 and a repetition time of 60 s.
std::shared_ptr<EngineRig> runningRig(int type = SemaEnum::SEMA_SEQUENCE_ALPINE_SKI)
{
    auto rig = EngineRig::create("11:59:40.000");
    rig->startAuto(type, "12:00:00", 60 * kSecond);
    return rig;
}

} // namespace

// Timing events: false starts, the generated start, the events log of a run and the operator key.
class TestEngineEvents : public QObject
{
    Q_OBJECT

private slots:
    void falseStart_data();
    void falseStart();
    void startHandledBeforeTheJobRuns();
    void jobOfAnEndedRunDoesNothing_data();
    void jobOfAnEndedRunDoesNothing();
    void intervalInForceStepsBackFarEnough();
    void eventAfterTheLastIntervalAddsNoInterval();
    void skipOutOfWindow_data();
    void skipOutOfWindow();
    void deltaHeldForFiveSeconds();
    void longTimesShowMinutesAndHours_data();
    void longTimesShowMinutesAndHours();
    void delayedDelta();
    void delayOfEveryRange_data();
    void delayOfEveryRange();
    void delayedDeltaNeverSticks_data();
    void delayedDeltaNeverSticks();
    void ignoredEvents_data();
    void ignoredEvents();
    void everyReceivedStartIsLogged();
    void heldStartsAreLoggedAtShutDown();
    void lapLineShortPressStartsManual_data();
    void lapLineShortPressStartsManual();
    void lapLineShortPressPausesAuto();
    void lapLineLongPressStepsTheRepetitionTime();
};

void TestEngineEvents::falseStart_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("handledAt");
    QTest::addColumn<QString>("eventTime");
    QTest::addColumn<QString>("delta");
    QTest::addColumn<QString>("sent");
    QTest::addColumn<QString>("log");

    const int alpine = SemaEnum::SEMA_SEQUENCE_ALPINE_SKI;
    const int nordic = SemaEnum::SEMA_SEQUENCE_NORDIC_SKI;
    // Truncated toward zero to tenths; the interval in force is index 4 (-2 s), a window interval.
    QTest::newRow("early, in the window") << alpine << "11:59:58.500"
                                          << "11:59:58.437"
                                          << "delta -1.5"
                                          << "event ch1 11:59:58.437 scart bib-"
                                          << "log ch1 11:59:58.437 scart; log ch9 12:00:00.000 skipped";
    QTest::newRow("early, before the window") << alpine << "11:59:53.000"
                                              << "11:59:52.990"
                                              << "delta -7.0"
                                              << "event ch1 11:59:52.990 bib-"
                                              << "log ch1 11:59:52.990; log ch9 12:00:00.000 skipped";
    QTest::newRow("exactly at the start") << alpine << "12:00:00.500"
                                          << "12:00:00.000"
                                          << "delta 0.0"
                                          << "event ch1 12:00:00.000 bib-"
                                          << "log ch9 12:00:00.000 skipped; log ch1 12:00:00.000";
    QTest::newRow("under 0.1 s after the generated start") << alpine << "12:00:00.500"
                                                           << "12:00:00.090"
                                                           << "delta 0.0"
                                                           << "event ch1 12:00:00.090 bib-"
                                                           << "log ch9 12:00:00.000 skipped; log ch1 12:00:00.090";
    QTest::newRow("0.23 s after the generated start") << alpine << "12:00:00.500"
                                                      << "12:00:00.230"
                                                      << "delta 0.2"
                                                      << "event ch1 12:00:00.230 skipped scart bib-"
                                                      << "log ch9 12:00:00.000; log ch1 12:00:00.230 skipped scart";
    QTest::newRow("late, after the window") << alpine << "12:00:07.100"
                                            << "12:00:07.000"
                                            << "delta 7.0"
                                            << "event ch1 12:00:07.000 skipped bib-"
                                            << "log ch9 12:00:00.000; log ch1 12:00:07.000 skipped";
    QTest::newRow("NORDIK, red without window") << nordic << "11:59:55.500"
                                                << "11:59:55.460"
                                                << "delta -4.5"
                                                << "event ch1 11:59:55.460 bib-"
                                                << "log ch1 11:59:55.460; log ch9 12:00:00.000 skipped";
    QTest::newRow("NORDIK, red in the window") << nordic << "11:59:56.500"
                                               << "11:59:56.200"
                                               << "delta -3.8"
                                               << "event ch1 11:59:56.200 scart bib-"
                                               << "log ch1 11:59:56.200 scart; log ch9 12:00:00.000 skipped";
    QTest::newRow("NORDIK, green in the window") << nordic << "11:59:59.500"
                                                 << "11:59:59.010"
                                                 << "delta -0.9"
                                                 << "event ch1 11:59:59.010 scart bib-"
                                                 << "log ch1 11:59:59.010 scart; log ch9 12:00:00.000 skipped";
    QTest::newRow("NORDIK, after the window") << nordic << "12:00:03.500"
                                              << "12:00:03.200"
                                              << "delta 3.2"
                                              << "event ch1 12:00:03.200 skipped bib-"
                                              << "log ch9 12:00:00.000; log ch1 12:00:03.200 skipped";
}

void TestEngineEvents::falseStart()
{
    QFETCH(int, type);
    QFETCH(QString, handledAt);
    QFETCH(QString, eventTime);
    QFETCH(QString, delta);
    QFETCH(QString, sent);
    QFETCH(QString, log);

    auto rig = runningRig(type);
    rig->runUntil(handledAt);
    rig->clearTrace();
    rig->sendEvent(EngineRig::at(eventTime), kStartLine);
    QCOMPARE(rig->texts("delta "), QStringList { delta });
    QCOMPARE(rig->texts("event ").first(), sent);
    // Both starts of the run reach the events log at its end, in time order.
    rig->runUntil("12:00:12.000");
    QCOMPARE(rig->texts("log ").join("; "), log);
}

void TestEngineEvents::startHandledBeforeTheJobRuns()
{
    auto rig = runningRig();
    rig->setHoldJobs(true);
    rig->runUntil("12:00:00.000");
    QVERIFY(rig->pendingJobs() > 0);
    rig->clearTrace();
    const auto event = rig->sendEvent(EngineRig::at("12:00:00.050"), kStartLine);
    QVERIFY(!event->isSkipped);
    rig->runJobs();
    // The generated start is earlier: the real one is marked skipped and sent again.
    QVERIFY(event->isSkipped);
    QCOMPARE(rig->texts("event "),
        QStringList({ "event ch1 12:00:00.050 bib-", "event ch1 12:00:00.050 skipped bib-",
            "event ch9 12:00:00.000 bib- auto" }));
}

void TestEngineEvents::jobOfAnEndedRunDoesNothing_data()
{
    QTest::addColumn<QString>("ending");
    QTest::newRow("stopped") << "stop";
    QTest::newRow("paused") << "pause";
    QTest::newRow("restarted") << "restart";
}

// The start-event job belongs to the run it was queued in.
void TestEngineEvents::jobOfAnEndedRunDoesNothing()
{
    QFETCH(QString, ending);
    auto rig = runningRig();
    rig->setHoldJobs(true);
    rig->runUntil("12:00:00.000");
    QVERIFY(rig->pendingJobs() > 0);
    if (ending == QLatin1String("stop")) {
        rig->sema().setSequenceStatus(false);
    } else if (ending == QLatin1String("pause")) {
        rig->sema().setIsOff(true);
    } else {
        rig->sema().setSequenceStatus(false);
        rig->sema().setSequenceStatus(true);
    }
    rig->runJobs();
    QVERIFY(rig->trace("event ").isEmpty());
    QVERIFY(rig->trace("log ").isEmpty());
}

// An event delivered late is judged against the interval in force at its own second, however
// many intervals have fired since.
void TestEngineEvents::intervalInForceStepsBackFarEnough()
{
    auto rig = runningRig(SemaEnum::SEMA_SEQUENCE_NORDIC_SKI);
    rig->runUntil("11:59:59.500");
    // Interval 1 (-5 s, red, no window) was in force at 11:59:55; intervals 2 to 5 fired since.
    const auto event = rig->sendEvent(EngineRig::at("11:59:55.500"), kStartLine);
    QVERIFY(!event->isScartIn);
    QCOMPARE(rig->texts("delta "), QStringList { "delta -4.5" });
    const auto inWindow = rig->sendEvent(EngineRig::at("11:59:56.500"), kStartLine);
    QVERIFY(inWindow->isScartIn);
}

void TestEngineEvents::eventAfterTheLastIntervalAddsNoInterval()
{
    auto rig = runningRig();
    rig->runUntil("12:00:10.500");
    const auto event = rig->sendEvent(EngineRig::at("12:00:10.400"), kStartLine);
    QVERIFY(!event->isScartIn);
    QCOMPARE(rig->sema().intervalCount(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI), 9);
    QCOMPARE(rig->sema().getListIntervalColor(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI).size(), 9);
}

void TestEngineEvents::skipOutOfWindow_data()
{
    QTest::addColumn<QString>("handledAt");
    QTest::addColumn<bool>("kept");
    QTest::newRow("lights off after the last interval") << "12:00:10.500" << false;
    QTest::newRow("lights not lit yet") << "11:59:45.000" << false;
    QTest::newRow("lights green") << "11:59:58.500" << true;
}

void TestEngineEvents::skipOutOfWindow()
{
    QFETCH(QString, handledAt);
    QFETCH(bool, kept);
    auto rig = runningRig();
    rig->sema().setIsSkipOutOfWindow(true);
    rig->runUntil(handledAt);
    rig->clearTrace();
    rig->sendEvent(EngineRig::at(handledAt) - 10 * EngineRig::kMs, kStartLine);
    QCOMPARE(rig->trace("delta ").size(), kept ? 1 : 0);
    QCOMPARE(rig->trace("event ch1").size(), kept ? 1 : 0);
    rig->runUntil("12:00:12.000");
    QCOMPARE(rig->trace("log ch1").size(), kept ? 1 : 0);
}

// A delta shown at once stays on the band for 5 s: the countdown leaves it alone meanwhile.
void TestEngineEvents::deltaHeldForFiveSeconds()
{
    auto rig = runningRig();
    rig->runUntil("11:59:55.500");
    rig->clearTrace();
    rig->sendEvent(EngineRig::at("11:59:55.420"), kStartLine);
    QCOMPARE(rig->falseStartTimerObject().currentCount, 500u);
    rig->runUntil("12:00:00.400");
    // The band shows the delta, redrawn over the lights of each interval that fires.
    QVERIFY(rig->trace("time ").isEmpty());
    QCOMPARE(rig->texts("delta ").size(), 6);
    QCOMPARE(rig->texts("delta ").removeDuplicates(), 5);
    rig->runUntil("12:00:01.000");
    QCOMPARE(rig->trace("time ").last(), QStringLiteral("12:00:01.000 time 1"));
    QCOMPARE(rig->falseStartTimerObject().currentCount, TimerSoftware::kIdle);
}

void TestEngineEvents::longTimesShowMinutesAndHours_data()
{
    QTest::addColumn<QString>("now");
    QTest::addColumn<int>("startDay");
    QTest::addColumn<QString>("event");
    QTest::addColumn<int>("layout");
    QTest::addColumn<QString>("text");

    // A start 12:00:00 on the day startDay days on; with an event, the difference it gives, else
    // the countdown at that moment. The red light is on from 10:58:20, the green from 12:00:00.
    const int one = SemaEnum::VISUALIZATION_MODE_1;
    const QString before = QStringLiteral("10:58:00.000");
    QTest::newRow("59.9 s early") << before << 0 << "11:59:00.100" << one << "-59.9";
    QTest::newRow("a minute early") << before << 0 << "11:59:00.000" << one << "-1:00.0";
    QTest::newRow("92.4 s early") << before << 0 << "11:58:27.600" << one << "-1:32.4";
    QTest::newRow("92.4 s early, layout 6 with the bib")
        << before << 0 << "11:58:27.600" << int(SemaEnum::VISUALIZATION_MODE_6) << "-1:32.4";
    QTest::newRow("26 min 3 s early") << before << 0 << "11:33:57.000" << one << "-26:03.0";
    QTest::newRow("59 min 59.9 s early") << before << 0 << "11:00:00.100" << one << "-59:59.9";
    QTest::newRow("an hour early") << before << 0 << "11:00:00.000" << one << "-1:00";
    QTest::newRow("1 h 0 min 5.5 s late") << before << 0 << "13:00:05.500" << one << "1:00";
    QTest::newRow("25 h early") << "11:00:00.000" << 1 << "11:00:00.000" << one << "-25:00";
    QTest::newRow("countdown of 25 h") << "10:59:30.000" << 1 << QString() << one << "-25:00";
    QTest::newRow("countdown of 9984 h") << "11:59:58.500" << 416 << QString() << one << "-9984:00";
    QTest::newRow("countdown of 500 days") << "11:59:58.500" << 500 << QString() << one << "-500d";
}

// A difference or a countdown of a minute or more shows its minutes, of an hour or more its hours
// (however many), each form whole on the 48 columns of the board, over the lights.
void TestEngineEvents::longTimesShowMinutesAndHours()
{
    QFETCH(QString, now);
    QFETCH(int, startDay);
    QFETCH(QString, event);
    QFETCH(int, layout);
    QFETCH(QString, text);

    auto rig = EngineRig::create(now);
    rig->inTimingMenu = true;
    Sema& sema = rig->sema();
    sema.setVisualizationMode(layout);
    sema.initSema(); // bib 1
    // A run that lights red 61 min 40 s before its start moment and lasts two hours after it.
    sema.resetListInterval(SemaEnum::SEMA_SEQUENCE_CUSTOM);
    sema.setInterval(0, SemaEnum::SEMA_SEQUENCE_CUSTOM,
        SemaInterval { -3700, SemaEnum::SEMA_SOUND_LONG_BOOP, SemaEnum::SEMA_COLOR_RED, false });
    sema.setInterval(1, SemaEnum::SEMA_SEQUENCE_CUSTOM,
        SemaInterval { 0, SemaEnum::SEMA_SOUND_LONG_BIP, SemaEnum::SEMA_COLOR_GREEN, true });
    sema.setInterval(2, SemaEnum::SEMA_SEQUENCE_CUSTOM,
        SemaInterval { 7200, SemaEnum::NO_SEMA_SOUND, SemaEnum::SEMA_COLOR_OFF, false });
    rig->startAuto(SemaEnum::SEMA_SEQUENCE_CUSTOM, "12:00:00", 4 * 3600 * kSecond);
    sema.setStartDate(QVariant(qlonglong(EngineRig::day() + startDay * DateTime::kTicksPerDay)));
    sema.setSequenceStatus(true);
    rig->runJobs();
    QVERIFY(sema.sequenceStatus());
    if (event.isEmpty()) {
        rig->runFor(kSecond);
    } else {
        rig->runUntil(event);
        rig->sendEvent(EngineRig::at(event), kStartLine);
    }

    // The text right-aligned at column 46 of the band, in red, as the board's font draws it, with
    // nothing of the lights between its characters.
    const int width = Displayboard::textWidth(text);
    const int column = 46 - width;
    QVERIFY2(column >= 0, qPrintable(QStringLiteral("%1 is %2 columns wide").arg(text).arg(width)));
    Displayboard expected;
    expected.drawText(column, 8, text, DisplayboardEnum::DISP_COLOR_RED, DisplayboardEnum::DISP_COLOR_OFF,
        DisplayboardEnum::DISP_FONT_SMALL, false);
    const QStringList shown = boardGrid(rig->displayboard());
    const QStringList wanted = boardGrid(expected);
    for (int row = 8; row < Displayboard::kRows; ++row)
        QCOMPARE(shown.at(row).mid(column), wanted.at(row).mid(column));
}

void TestEngineEvents::delayedDelta()
{
    auto rig = runningRig();
    rig->sema().setDelayFalseStart(3);
    rig->runUntil("11:59:55.500");
    rig->clearTrace();
    rig->sendEvent(EngineRig::at("11:59:55.420"), kStartLine);
    QVERIFY(rig->trace("delta ").isEmpty());
    QVERIFY(rig->sema().isTimerActive("falseStartDelay"));
    QCOMPARE(rig->sema().timerInterval("falseStartDelay"), 3000);
    rig->runUntil("11:59:58.500");
    QVERIFY(rig->sema().expireTimer("falseStartDelay"));
    QCOMPARE(rig->texts("delta "), QStringList { "delta -4.5" });
    QCOMPARE(rig->falseStartTimerObject().currentCount, 500u);
}

void TestEngineEvents::delayOfEveryRange_data()
{
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<int>("seconds");
    // The timer's milliseconds; -1: the delta is shown at once.
    QTest::addColumn<int>("intervalMs");
    const int longest = Sema::kMaxDelayFalseStart;
    QTest::newRow("longest") << false << longest << longest * 1000;
    QTest::newRow("first too long") << false << longest + 1 << longest * 1000;
    QTest::newRow("int limit") << false << std::numeric_limits<int>::max() << longest * 1000;
    QTest::newRow("negative") << false << -3 << -1;
    QTest::newRow("first too long, from the stored settings") << true << longest + 1 << longest * 1000;
    QTest::newRow("negative, from the stored settings") << true << -3 << -1;
}

// Delays beyond what a timer holds, or below 0, still show the delta: never an overflowed interval.
void TestEngineEvents::delayOfEveryRange()
{
    QFETCH(bool, loaded);
    QFETCH(int, seconds);
    QFETCH(int, intervalMs);
    auto rig = runningRig();
    if (loaded)
        rig->sema().loadSetting(QStringLiteral("DelayFalseStart"), seconds);
    else
        rig->sema().setDelayFalseStart(seconds);
    QVERIFY(rig->sema().delayFalseStart() >= 0 && rig->sema().delayFalseStart() <= Sema::kMaxDelayFalseStart);
    rig->runUntil("11:59:55.500");
    rig->clearTrace();
    rig->sendEvent(EngineRig::at("11:59:55.420"), kStartLine);
    if (intervalMs < 0) {
        QVERIFY(!rig->sema().isTimerActive("falseStartDelay"));
        QVERIFY(rig->texts("delta ").contains(QStringLiteral("delta -4.5")));
        return;
    }
    QVERIFY(rig->trace("delta ").isEmpty());
    QVERIFY(rig->sema().isTimerActive("falseStartDelay"));
    QCOMPARE(rig->sema().timerInterval("falseStartDelay"), intervalMs);
    QVERIFY(rig->sema().expireTimer("falseStartDelay"));
    QCOMPARE(rig->texts("delta "), QStringList { "delta -4.5" });
}

void TestEngineEvents::delayedDeltaNeverSticks_data()
{
    QTest::addColumn<QString>("ending");
    QTest::newRow("stopped") << "stop";
    QTest::newRow("paused") << "pause";
    QTest::newRow("run ended") << "end";
}

// A delta held back by the delay is dropped when its run is over before it is due.
void TestEngineEvents::delayedDeltaNeverSticks()
{
    QFETCH(QString, ending);
    auto rig = runningRig();
    rig->sema().setDelayFalseStart(3);
    rig->runUntil("12:00:08.500");
    rig->sendEvent(EngineRig::at("12:00:08.400"), kStartLine);
    if (ending == QLatin1String("stop"))
        rig->sema().setSequenceStatus(false);
    else if (ending == QLatin1String("pause"))
        rig->sema().setIsOff(true);
    else
        rig->runUntil("12:00:11.500");
    rig->clearTrace();
    QVERIFY(rig->sema().expireTimer("falseStartDelay"));
    QVERIFY(rig->trace("delta ").isEmpty());
    QCOMPARE(rig->falseStartTimerObject().currentCount, TimerSoftware::kIdle);
}

void TestEngineEvents::ignoredEvents_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("channel");
    QTest::addColumn<bool>("isFalling");
    QTest::newRow("rising edge of the start line") << "running" << kStartLine << false;
    QTest::newRow("not running") << "stopped" << kStartLine << true;
    QTest::newRow("paused") << "paused" << kStartLine << true;
    QTest::newRow("stop line, not running") << "stopped" << int(OrvaneEnum::QSTOP_LINE) << true;
}

void TestEngineEvents::ignoredEvents()
{
    QFETCH(QString, state);
    QFETCH(int, channel);
    QFETCH(bool, isFalling);
    auto rig = runningRig();
    rig->runUntil("11:59:58.000");
    if (state == QLatin1String("stopped"))
        rig->sema().setSequenceStatus(false);
    else if (state == QLatin1String("paused"))
        rig->sema().setIsOff(true);
    rig->clearTrace();
    rig->sendEvent(EngineRig::at("11:59:57.900"), channel, isFalling);
    QVERIFY(rig->trace({ "event ", "log ", "delta " }).isEmpty());
}

// Each received start but the last of a run is logged when the next one arrives; the last and
// the generated start at the end of the run. Events carry the current bib.
void TestEngineEvents::everyReceivedStartIsLogged()
{
    auto rig = EngineRig::create("11:59:40.000");
    rig->sema().initSema();
    rig->startAuto(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI, "12:00:00", 60 * kSecond);
    rig->runUntil("12:00:03.000");
    rig->sendEvent(EngineRig::at("12:00:01.000"), kStartLine);
    QVERIFY(rig->trace("log ").isEmpty());
    rig->sendEvent(EngineRig::at("12:00:02.000"), int(OrvaneEnum::QSTOP_LINE));
    QCOMPARE(rig->texts("log "), QStringList { "log ch1 12:00:01.000 skipped scart" });
    rig->runUntil("12:00:12.000");
    QCOMPARE(rig->texts("log "),
        QStringList(
            { "log ch1 12:00:01.000 skipped scart", "log ch9 12:00:00.000", "log ch3 12:00:02.000 skipped scart" }));
    QCOMPARE(rig->texts("event "),
        QStringList({ "event ch9 12:00:00.000 bib1 auto", "event ch1 12:00:01.000 skipped scart bib1",
            "event ch3 12:00:02.000 skipped scart bib1" }));
    QCOMPARE(rig->sema().bibNumber(), QStringLiteral("2"));
}

void TestEngineEvents::heldStartsAreLoggedAtShutDown()
{
    auto rig = runningRig();
    rig->setHoldJobs(true);
    rig->runUntil("12:00:00.500");
    rig->sendEvent(EngineRig::at("12:00:00.000"), kStartLine);
    // The generation job is still queued when the program shuts down; it runs first.
    QVERIFY(rig->pendingJobs() > 0);
    rig->setHoldJobs(false);
    rig->runJobs();
    QVERIFY(rig->trace("log ").isEmpty());
    rig->sema().shutDown();
    // Equal times: the generated start, skipped for the real one that came first, is logged first.
    QCOMPARE(rig->texts("log "), QStringList({ "log ch9 12:00:00.000 skipped", "log ch1 12:00:00.000" }));
}

void TestEngineEvents::lapLineShortPressStartsManual_data()
{
    QTest::addColumn<bool>("restartWithNextMinute");
    QTest::addColumn<QString>("plannedStart");
    QTest::newRow("next minute") << true << "10:01:00";
    QTest::newRow("from the release") << false << "10:00:48";
}

void TestEngineEvents::lapLineShortPressStartsManual()
{
    QFETCH(bool, restartWithNextMinute);
    QFETCH(QString, plannedStart);
    auto rig = EngineRig::create("10:00:36.000");
    Sema& sema = rig->sema();
    sema.setIsRestartWithNextMinute(restartWithNextMinute);
    sema.setSequenceType(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI);
    sema.setSequenceMode(SemaEnum::SEQUENCE_MODE_MANUAL);
    rig->sendEvent(EngineRig::at("10:00:36.800"), kLapLine, true);
    QVERIFY(sema.isTimerActive("longPress"));
    QCOMPARE(sema.timerInterval("longPress"), 2000);
    rig->runUntil("10:00:37.300");
    // Released after 0.5 s: the sequence is armed and started from the release.
    rig->sendEvent(EngineRig::at("10:00:37.300"), kLapLine, false);
    QVERIFY(!sema.isTimerActive("longPress"));
    QVERIFY(sema.sequenceStatus());
    QVERIFY(!sema.isOff());
    QCOMPARE(sema.nextStartTime().trimmed(), plannedStart);
    // Lap-line key events are not start events.
    QVERIFY(rig->trace({ "event ", "log " }).isEmpty());
}

void TestEngineEvents::lapLineShortPressPausesAuto()
{
    auto rig = runningRig();
    rig->runUntil("11:59:52.000");
    rig->sendEvent(EngineRig::at("11:59:51.900"), kLapLine, true);
    rig->sendEvent(EngineRig::at("11:59:52.000"), kLapLine, false);
    QVERIFY(rig->sema().isOff());
    rig->sendEvent(EngineRig::at("11:59:53.000"), kLapLine, true);
    rig->sendEvent(EngineRig::at("11:59:53.200"), kLapLine, false);
    QVERIFY(!rig->sema().isOff());
}

void TestEngineEvents::lapLineLongPressStepsTheRepetitionTime()
{
    auto rig = runningRig();
    Sema& sema = rig->sema();
    // As the application does: the new current repetition time goes into the engine, and a
    // running AUTO sequence that this stopped starts again.
    rig->onRepetitionTimeIndex = [&sema, rig = rig.get()](int index) {
        const bool wasRunning = sema.sequenceStatus();
        if (sema.setRepetitionTime(rig->repetitionTimes[index]) && wasRunning
            && sema.sequenceMode() == SemaEnum::SEQUENCE_MODE_AUTO)
            sema.setSequenceStatus(true);
    };
    rig->repetitionTimeIndexValue = 1;
    rig->repetitionTimes[2] = 120 * kSecond;
    rig->runUntil("11:59:45.000");
    rig->sendEvent(EngineRig::at("11:59:44.900"), kLapLine, true);
    rig->runUntil("11:59:46.900");
    QVERIFY(sema.expireTimer("longPress"));
    QCOMPARE(rig->repetitionTimeIndexValue, 2);
    QCOMPARE(sema.repetitionTime().toLongLong(), 120 * kSecond);
    QVERIFY(sema.sequenceStatus());
    rig->sendEvent(EngineRig::at("11:59:47.500"), kLapLine, false);
    // The release after a long press does nothing more: no pause.
    QVERIFY(!sema.isOff());
    QVERIFY(sema.isTimerActive("info"));
    rig->clearTrace();
    rig->runUntil("11:59:48.000");
    const QStringList drawn = rig->texts("draw 1,8 ");
    QVERIFY(!drawn.isEmpty());
    QVERIFY2(drawn.last().endsWith("02:00"), qPrintable(drawn.last()));
}

VANTOR_TEST_CLASS(TestEngineEvents)
#include "tst_engineevents.moc"
