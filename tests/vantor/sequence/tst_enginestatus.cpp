#include "core/orvaneenum.h"
#include "enginerig.h"
#include "enginetrace.h"
#include "testsupport/applicationfixture.h"
#include "testsupport/testmain.h"
#include "time/cyclichandler.h"

#include <QJsonArray>
#include <QSemaphore>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

#include <atomic>
#include <thread>

using namespace Vl::Tavix3::UI;

namespace {

constexpr qint64 kSecond = EngineRig::kSecond;

QSet<QString> keys(const QJsonObject& object)
{
    const QStringList list = object.keys();
    return QSet<QString>(list.begin(), list.end());
}

const QSet<QString> kAlwaysKeys { "DisplayboardMode", "TimeOfDay", "IsSynchronized", "IsGPSEnabled", "IsWifiEnabled",
    "BatteryPerc", "IsExtSupplyValid", "IsLowBattery" };
const QSet<QString> kSequenceKeys { "IsActive", "IsRunning", "BibNumber" };
const QSet<QString> kColourKeys { "YellowPixelCount", "Color", "Time" };
const QSet<QString> kGpsKeys { "IsGPSValid", "GPSSynchedStatus", "IsGPSSynchedByCountinuos", "GPSNumSatellites" };

} // namespace

// The status message and its delta rule, remote texts on the band.
class TestEngineStatus : public QObject
{
    Q_OBJECT

private slots:
    void nothingWithoutOutputUnlessForced();
    void deltaRule();
    void keysPresent_data();
    void keysPresent();
    void colourKeysOnceALightIsLit();
    void colourWords();
    void pushedAfterEachPublication();
    void screensHearOfATickAfterItsStatus();
    void remoteTextStaysOnTheBand();
};

void TestEngineStatus::nothingWithoutOutputUnlessForced()
{
    auto rig = EngineRig::create("10:00:00.000");
    rig->sema().sendStatus(false);
    rig->runUntil("10:00:03.000");
    QVERIFY(rig->statusMessages().isEmpty());
    rig->sema().sendStatus(true);
    QCOMPARE(rig->statusMessages().size(), 1);
    QVERIFY(!rig->sema().isOutputStatusEnabled());
}

void TestEngineStatus::deltaRule()
{
    auto rig = EngineRig::create("10:00:00.000");
    Sema& sema = rig->sema();
    rig->tick();
    sema.setIsOutputStatusEnabled(true);
    sema.sendStatus(false);
    // The first message carries every key present.
    QCOMPARE(keys(rig->statusMessages().last()), kAlwaysKeys + kSequenceKeys);
    QCOMPARE(rig->statusMessages().last().value("BibNumber").toInt(), 0);
    QCOMPARE(rig->statusMessages().last().value("TimeOfDay").toString().trimmed(), QStringLiteral("10:00:00"));

    // Nothing changed: an empty object is sent all the same.
    sema.sendStatus(false);
    QCOMPARE(rig->statusMessages().size(), 2);
    QVERIFY(rig->statusMessages().last().isEmpty());

    // Only what changed.
    rig->device.batteryPerc = 80;
    sema.initSema();
    sema.sendStatus(false);
    QCOMPARE(rig->statusMessages().last(), QJsonObject({ { "BatteryPerc", 80 }, { "BibNumber", 1 } }));

    // Forced and after clearing: every key again.
    sema.sendStatus(true);
    QCOMPARE(keys(rig->statusMessages().last()), kAlwaysKeys + kSequenceKeys);
    sema.clearSentStatus();
    sema.sendStatus(false);
    QCOMPARE(keys(rig->statusMessages().last()), kAlwaysKeys + kSequenceKeys);
}

void TestEngineStatus::keysPresent_data()
{
    QTest::addColumn<int>("displayboardMode");
    QTest::addColumn<bool>("inTimingMenu");
    QTest::addColumn<bool>("gps");
    QTest::addColumn<bool>("wifi");
    QTest::addColumn<QStringList>("expected");
    const auto list = [](const QSet<QString>& set) {
        QStringList result(set.begin(), set.end());
        result.sort();
        return result;
    };
    QTest::newRow("countdown mode") << 0 << true << false << false << list(kAlwaysKeys + kSequenceKeys);
    QTest::newRow("text mode in the timing menu") << 1 << true << false << false << list(kAlwaysKeys);
    QTest::newRow("text mode elsewhere") << 1 << false << false << false << list(kAlwaysKeys + kSequenceKeys);
    QTest::newRow("GPS enabled") << 0 << false << true << false << list(kAlwaysKeys + kSequenceKeys + kGpsKeys);
    QTest::newRow("Wi-Fi enabled") << 0 << false << false << true
                                   << list(kAlwaysKeys + kSequenceKeys + QSet<QString> { "WifiSignalLevel" });
}

void TestEngineStatus::keysPresent()
{
    QFETCH(int, displayboardMode);
    QFETCH(bool, inTimingMenu);
    QFETCH(bool, gps);
    QFETCH(bool, wifi);
    QFETCH(QStringList, expected);

    auto rig = EngineRig::create("10:00:00.000");
    rig->sema().sendStatus(true);
    rig->displayboardModeValue = displayboardMode;
    rig->inTimingMenu = inTimingMenu;
    rig->device.isGPSEnabled = gps;
    rig->device.isWifiEnabled = wifi;
    rig->device.gpsNumSatellites = 7;
    rig->sema().sendStatus(true);
    QStringList actual = rig->statusMessages().last().keys();
    actual.sort();
    QCOMPARE(actual, expected);
    if (gps) {
        QCOMPARE(rig->statusMessages().last().value("GPSNumSatellites").toInt(), 7);
        // Never sent before, so they enter an unforced message as well.
        rig->sema().setIsOutputStatusEnabled(true);
        rig->sema().clearSentStatus();
        rig->device.isGPSEnabled = false;
        rig->sema().sendStatus(true);
        rig->device.isGPSEnabled = true;
        rig->sema().sendStatus(false);
        QStringList sent = rig->statusMessages().last().keys();
        sent.sort();
        QCOMPARE(sent,
            QStringList(
                { "GPSNumSatellites", "GPSSynchedStatus", "IsGPSEnabled", "IsGPSSynchedByCountinuos", "IsGPSValid" }));
    }
}

// Right after an AUTO run is armed no colour is chosen: the colour keys follow once the first
// interval has lit the lights.
void TestEngineStatus::colourKeysOnceALightIsLit()
{
    auto rig = EngineRig::create("11:59:45.000");
    rig->sema().setIsOutputStatusEnabled(true);
    rig->startAuto(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI, "12:00:00", 60 * kSecond);
    rig->sema().sendStatus(true);
    QVERIFY(!keys(rig->statusMessages().last()).intersects(kColourKeys));
    QVERIFY(rig->statusMessages().last().value("IsActive").toBool());
    QVERIFY(rig->statusMessages().last().value("IsRunning").toBool());
    rig->runUntil("11:59:50.000");
    rig->sema().sendStatus(true);
    const QJsonObject status = rig->statusMessages().last();
    QCOMPARE(status.value("Color").toString(), QStringLiteral("RED"));
    QCOMPARE(status.value("YellowPixelCount").toInt(), 0);
    QCOMPARE(status.value("Time").toString().trimmed(), QStringLiteral("-10"));
}

void TestEngineStatus::colourWords()
{
    auto rig = EngineRig::create("11:59:45.000");
    rig->startAuto(SemaEnum::SEMA_SEQUENCE_RALLY, "12:00:00", 60 * kSecond);
    QStringList seen;
    for (const char* at :
        { "11:59:50.000", "11:59:55.000", "11:59:56.000", "11:59:59.000", "12:00:00.000", "12:00:21.000" }) {
        rig->runUntil(at);
        rig->sema().sendStatus(true);
        const QJsonObject status = rig->statusMessages().last();
        seen << status.value("Color").toString() + QLatin1Char(' ')
                + QString::number(status.value("YellowPixelCount").toInt());
    }
    QCOMPARE(seen, QStringList({ "RED 0", "YELLOW 5", "YELLOW 4", "YELLOW 1", "GREEN 0", "OFF 0" }));
}

void TestEngineStatus::pushedAfterEachPublication()
{
    auto rig = EngineRig::create("11:59:45.000");
    rig->sema().setIsOutputStatusEnabled(true);
    rig->startAuto(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI, "12:00:00", 60 * kSecond);
    rig->runUntil("12:00:02.000");
    const QStringList published = rig->trace("publish");
    QVERIFY(published.size() > 10);
    QCOMPARE(rig->trace("status ").size(), published.size());
    for (int i = 0; i < published.size(); ++i)
        QCOMPARE(rig->trace("status ").at(i).left(12), published.at(i).left(12));
}

// The clients hear of a tick before the screens: the screens' notices of a tick (the lights' colour,
// the time band, the time of day, the board's picture) are sent once its status has gone.
void TestEngineStatus::screensHearOfATickAfterItsStatus()
{
    auto rig = EngineRig::create("11:59:45.000");
    Sema& sema = rig->sema();
    sema.setIsOutputStatusEnabled(true);
    rig->startAuto(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI, "12:00:00", 60 * kSecond);
    rig->runUntil("11:59:50.000");
    rig->clearTrace();
    const auto screen = [&rig](const char* what) {
        return [&rig, what]() { rig->record(QStringLiteral("screen ") + QLatin1String(what)); };
    };
    connect(&sema, &Sema::semaRedChanged, this, screen("red"), Qt::DirectConnection);
    connect(&sema, &Sema::semaGreenChanged, this, screen("green"), Qt::DirectConnection);
    connect(&sema, &Sema::semaYellowChanged, this, screen("yellow"), Qt::DirectConnection);
    connect(&sema, &Sema::semaTimeChanged, this, screen("band"), Qt::DirectConnection);
    connect(&sema, &Sema::timeChanged, this, screen("time of day"), Qt::DirectConnection);
    connect(&rig->displayboard(), &Displayboard::setMatrix, this, screen("board"), Qt::DirectConnection);
    rig->runUntil("12:00:02.000");
    disconnect(&sema, nullptr, this, nullptr);
    disconnect(&rig->displayboard(), nullptr, this, nullptr);

    // Each entry is "hh:mm:ss.zzz text": within a tick, no screen hears anything before its status.
    const QStringList trace = rig->trace({ "status ", "screen " });
    QSet<QString> ticksWithStatus;
    int coloursAfterStatus = 0;
    for (const QString& entry : trace) {
        const QString tick = entry.left(12);
        if (entry.mid(13).startsWith(QLatin1String("status ")))
            ticksWithStatus.insert(tick);
        else if (ticksWithStatus.contains(tick) && !entry.endsWith(QLatin1String(" band")))
            ++coloursAfterStatus;
    }
    QVERIFY(ticksWithStatus.size() > 10);
    QVERIFY(coloursAfterStatus > 0);
    for (int i = 0; i + 1 < trace.size(); ++i) {
        const bool screenFirst = trace.at(i).mid(13).startsWith(QLatin1String("screen "))
            && trace.at(i + 1).mid(13).startsWith(QLatin1String("status "))
            && trace.at(i).left(12) == trace.at(i + 1).left(12);
        QVERIFY2(!screenFirst, qPrintable(trace.at(i) + QLatin1String(" before ") + trace.at(i + 1)));
    }
}

// A remote text and its colour stay on the band until the sequence replaces them; meanwhile
// the status reports the colour OFF.
void TestEngineStatus::remoteTextStaysOnTheBand()
{
    auto rig = EngineRig::create("10:00:00.000");
    Sema& sema = rig->sema();
    rig->runUntil("10:00:01.000");
    rig->clearTrace();
    QSignalSpy band(&sema, &Sema::semaTimeChanged);
    QSignalSpy green(&sema, &Sema::semaGreenChanged);
    sema.showText(QStringLiteral("HELLO"), SemaEnum::SEMA_COLOR_GREEN);
    QCOMPARE(rig->texts({ "lights ", "text " }), QStringList({ "lights GREEN", "text HELLO" }));
    QCOMPARE(band.count(), 1);
    QCOMPARE(band.first().first().toString(), QStringLiteral("HELLO"));
    QCOMPARE(green.count(), 1);
    QVERIFY(green.first().first().toBool());
    // The same text again draws nothing new; the colour is drawn again (the engine shows OFF).
    sema.showText(QStringLiteral("HELLO"), SemaEnum::SEMA_COLOR_GREEN);
    QCOMPARE(rig->texts("text ").size(), 1);
    rig->clearTrace();
    rig->runUntil("10:00:05.000");
    QVERIFY(rig->trace({ "lights ", "time ", "text " }).isEmpty());
}

// The continuous LED test of the service-test screens.
class TestLedTest : public QObject
{
    Q_OBJECT

private slots:
    void cycleOrder();
    void secondSwitchOnStops();
    void switchOffWithoutTest();
    void switchingWhileTicking();
};

void TestLedTest::cycleOrder()
{
    auto rig = EngineRig::create("10:00:00.500");
    rig->inTestMenu = true;
    QSignalSpy spy(&rig->sema(), &Sema::isShowingLedTestChanged);
    rig->sema().setIsShowingLedTest(true);
    QVERIFY(rig->sema().isShowingLedTest());
    QCOMPARE(spy.count(), 1);
    rig->clearTrace();
    rig->runUntil("10:00:23.000");
    QStringList expected { "reset+send", "red", "reset+send", "green", "reset+send", "blue" };
    for (int group = 0; group < 16; ++group)
        expected << QStringLiteral("drivers %1").arg(group);
    expected << "reset+send"
             << "red";
    // One step per new second, from the first tick on; no time of day meanwhile.
    QCOMPARE(rig->texts({ "reset+send", "red", "green", "blue", "drivers" }), expected);
    QCOMPARE(rig->trace("red").first().left(8), QStringLiteral("10:00:01"));
    QVERIFY(rig->trace("tod ").isEmpty());
}

void TestLedTest::secondSwitchOnStops()
{
    auto rig = EngineRig::create("10:00:00.000");
    rig->sema().setIsShowingLedTest(true);
    rig->runUntil("10:00:02.000");
    rig->clearTrace();
    QSignalSpy spy(&rig->sema(), &Sema::isShowingLedTestChanged);
    rig->sema().setIsShowingLedTest(true);
    QVERIFY(!rig->sema().isShowingLedTest());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(rig->texts("reset"), QStringList { "reset+send" });
    rig->runUntil("10:00:04.000");
    QVERIFY(rig->trace({ "red", "green", "blue", "drivers" }).isEmpty());
    QVERIFY(!rig->trace("tod ").isEmpty());
}

void TestLedTest::switchOffWithoutTest()
{
    auto rig = EngineRig::create("10:00:00.000");
    QSignalSpy spy(&rig->sema(), &Sema::isShowingLedTestChanged);
    rig->sema().setIsShowingLedTest(false);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(rig->texts("reset"), QStringList { "reset+send" });
}

// The tick steps the sequencer on its thread while the screens switch the test on the GUI
// thread: the sequencer is made and dropped under the state lock the tick holds.
void TestLedTest::switchingWhileTicking()
{
    auto rig = EngineRig::create("10:00:00.000");
    rig->inTestMenu = true;
    std::atomic<bool> stop { false };
    std::atomic<int> ticks { 0 };
    std::thread ticker([&] {
        while (!stop) {
            // Every tick a new second, so that every tick steps the test.
            rig->setNow(rig->now() + EngineRig::kSecond);
            rig->sema().sequenceTick(0);
            ++ticks;
        }
    });
    // Toggles until the ticker has surely run beside it (a loaded machine may start it late),
    // ending on an odd step, which switches the test off.
    for (int i = 0; i < 2000 || ticks < 50 || i % 2 == 1; ++i)
        rig->sema().setIsShowingLedTest(i % 2 == 0);
    stop = true;
    ticker.join();
    QVERIFY(ticks > 0);
    QVERIFY(!rig->sema().isShowingLedTest());
}

// The tick's registration with the real scheduler, ticked by hand.
class TestEngineRegistration : public QObject
{
    Q_OBJECT

private slots:
    void registersOnTheRestrictedSlot();
    void registrationDoesNotWaitForTheStateLock();
    void intervalsFireOnTheTickOfTheirInstant();
};

void TestEngineRegistration::registersOnTheRestrictedSlot()
{
    // The scheduler ticks only while there is an application object.
    TestSupport::ApplicationFixture application;
    auto rig = EngineRig::create("10:00:00.000");
    CyclicHandler scheduler;
    scheduler.setTickTimerEnabled(false);
    scheduler.startTasks();

    // Without a scheduler nothing happens.
    rig->sema().startSequenceCyclic();
    rig->schedulerObject = &scheduler;
    rig->sema().startSequenceCyclic();
    QCOMPARE(scheduler.cyclicEventHandles[Sema::kTickHandle], boost::optional<unsigned>(13));

    // A second registration replaces the first.
    rig->sema().startSequenceCyclic();
    QCOMPARE(scheduler.cyclicEventHandles[Sema::kTickHandle], boost::optional<unsigned>(13));
    for (int step = 0; step < 30; ++step) {
        rig->setNow(rig->now() + 10 * EngineRig::kMs);
        scheduler.cyclicTimerTick();
        QVERIFY(scheduler.waitForWorkerIdle(13, 5000));
    }
    // The tick ran on the slot's worker: the time of day was drawn each new second.
    QVERIFY(!rig->trace("tod ").isEmpty());

    // The engine takes its registration with it.
    rig.reset();
    QVERIFY(!scheduler.cyclicEventHandles[Sema::kTickHandle]);
}

// Releasing the old registration waits for a running tick, and the tick takes the state lock:
// the registration itself must never wait for that lock.
void TestEngineRegistration::registrationDoesNotWaitForTheStateLock()
{
    TestSupport::ApplicationFixture application;
    auto rig = EngineRig::create("10:00:00.000");
    CyclicHandler scheduler;
    scheduler.setTickTimerEnabled(false);
    scheduler.startTasks();
    rig->schedulerObject = &scheduler;

    QSemaphore locked;
    QSemaphore release;
    std::thread holder([&] {
        rig->sema().lock();
        locked.release();
        release.acquire();
        rig->sema().unlock();
    });
    locked.acquire();
    QSemaphore registered;
    std::thread registrar([&] {
        rig->sema().startSequenceCyclic();
        registered.release();
    });
    const bool done = registered.tryAcquire(1, 5000);
    release.release();
    holder.join();
    registrar.join();
    QVERIFY(done);
    QCOMPARE(scheduler.cyclicEventHandles[Sema::kTickHandle], boost::optional<unsigned>(13));
}

// The scheduler ticked on the 10 ms grid of the clock, as its tick source wakes, and the tick
// registered at an odd moment: every light and tone comes on the tick of its interval's instant.
void TestEngineRegistration::intervalsFireOnTheTickOfTheirInstant()
{
    TestSupport::ApplicationFixture application;
    auto rig = EngineRig::create("11:59:40.037");
    CyclicHandler scheduler;
    scheduler.setTickTimerEnabled(false);
    scheduler.startTasks();
    rig->schedulerObject = &scheduler;
    rig->sema().startSequenceCyclic();
    rig->startAuto(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI, "12:00:00", 60 * kSecond);
    rig->clearTrace();

    for (qint64 now = EngineRig::at("11:59:40.040"); now <= EngineRig::at("12:00:12.000"); now += 10 * EngineRig::kMs) {
        rig->setNow(now);
        scheduler.cyclicTimerTick();
        QVERIFY(scheduler.waitForWorkerIdle(13, 5000));
        rig->runJobs();
    }
    // Without a millisecond shown, each entry came exactly on its whole second.
    QCOMPARE(timetable(*rig, "lights "), "11:59:50 RED; 11:59:55 GREEN; 12:00:05 RED; 12:00:10 OFF");
    QCOMPARE(timetable(*rig, "tone "),
        "11:59:50 460 1000; 11:59:55 922 300; 11:59:56 922 300; 11:59:57 922 300; 11:59:58 922 300; "
        "11:59:59 922 300; 12:00:00 1840 1000");
    QCOMPARE(rig->texts("event "), QStringList { "event ch9 12:00:00.000 bib- auto" });
    scheduler.stopCyclicEvent(Sema::kTickHandle);
}

VANTOR_TEST_CLASS(TestEngineStatus)
VANTOR_TEST_CLASS(TestLedTest)
VANTOR_TEST_CLASS(TestEngineRegistration)
#include "tst_enginestatus.moc"
