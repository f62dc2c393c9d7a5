#include "testsupport/testmain.h"
#include "time/cyclicschedule.h"

#include <QTest>

#include <vector>

using Vl::Tavix3::UI::CyclicEvent;
using Vl::Tavix3::UI::CyclicSchedule;

using namespace Vl::Tavix3::UI;

namespace {

constexpr qint64 kMs = 50; // ticks per millisecond

CyclicEvent makeEvent(unsigned periodMs, qint64 startTick = 0, qint64 phaseRefTick = 0, qint64 toleranceTicks = -1)
{
    CyclicEvent event;
    event.startTick = startTick;
    event.phaseRefTick = phaseRefTick;
    event.periodMs = periodMs;
    event.periodTicks = periodMs * 50u;
    event.toleranceTicks = toleranceTicks < 0 ? qint64(periodMs) * kMs : toleranceTicks;
    return event;
}

// Drives a schedule with clock values in milliseconds and records the wakes of one slot.
struct Driver
{
    CyclicSchedule schedule;
    unsigned slot = 0;
    std::vector<qint64> wakes; // in ms

    bool tickAtMs(qint64 ms)
    {
        const bool due = schedule.tick(ms * kMs) & CyclicSchedule::slotBit(slot);
        if (due)
            wakes.push_back(ms);
        return due;
    }
    void ticksMs(qint64 from, qint64 to, qint64 step)
    {
        for (qint64 ms = from; ms <= to; ms += step)
            tickAtMs(ms);
    }
    // Registers like the start-light engine, then ticks every 10 ms from fromMs until the first
    // wake; returns that tick (ms).
    qint64 startEngineLike(qint64 fromMs)
    {
        slot = *schedule.allocate(makeEvent(100, 0, 0, 5000), true);
        for (qint64 ms = fromMs;; ms += 10) {
            if (tickAtMs(ms))
                return ms;
        }
    }
    CyclicEventState state() const { return schedule.slotState[slot]; }
};

std::vector<qint64> diffs(const std::vector<qint64>& values)
{
    std::vector<qint64> result;
    for (size_t k = 1; k < values.size(); ++k)
        result.push_back(values[k] - values[k - 1]);
    return result;
}

} // namespace

// The scheduler's slot table and state machine, driven with clock values directly: allocation,
// arming, phase alignment, catch-up after a stall and the handling of clock steps.
class TestCyclicSchedule : public QObject
{
    Q_OBJECT

private slots:
    void allocationOrder();
    void restrictedRegistrationsLeaveTwoSlots();
    void unavailableSlotsArePassedOver();
    void zeroPeriodIsRefused();
    void releasedSlotIsNotVisited();
    void armedUntilStartTick();
    void alignsInsidePhaseWindow();
    void smallToleranceAlignsLate();
    void firstWakeIsDueOnTheNextPhasePoint_data();
    void firstWakeIsDueOnTheNextPhasePoint();
    void engineRegistrationWakesOnTheWholeHundredMs_data();
    void engineRegistrationWakesOnTheWholeHundredMs();
    void ticksOnTheGridServeEveryPointOnTime();
    void slotsAreVisitedFromSlotZero();
    void shortStallIsCaughtUpOnePeriodPerTick();
    void longBacklogWakesOnceAndKeepsPhase();
    void clockStepBackwardsKeepsWaking_data();
    void clockStepBackwardsKeepsWaking();
    void clockStepForwardsWakesOnce();
    void nextGridPoint_data();
    void nextGridPoint();
    void dueByForeseesTheNextTick_data();
    void dueByForeseesTheNextTick();
};

void TestCyclicSchedule::allocationOrder()
{
    CyclicSchedule schedule;
    QCOMPARE(*schedule.allocate(makeEvent(100), false), 15u);
    QCOMPARE(*schedule.allocate(makeEvent(100), false), 14u);
    QCOMPARE(*schedule.allocate(makeEvent(100), true), 13u);
    for (unsigned expected = 12;; --expected) {
        QCOMPARE(*schedule.allocate(makeEvent(100), false), expected);
        if (expected == 0)
            break;
    }
    QVERIFY(!schedule.allocate(makeEvent(100), false));
    QVERIFY(!schedule.allocate(makeEvent(100), true));
    QCOMPARE(schedule.allocatedMask, 0xFFFF0000u);
    QCOMPARE(schedule.slotState[0], CYCLIC_ARMED);
}

void TestCyclicSchedule::restrictedRegistrationsLeaveTwoSlots()
{
    CyclicSchedule schedule;
    for (unsigned k = 0; k < 14; ++k)
        QCOMPARE(*schedule.allocate(makeEvent(100), true), 13u - k);
    QVERIFY(!schedule.allocate(makeEvent(100), true));
    QCOMPARE(*schedule.allocate(makeEvent(100), false), 15u);
    QCOMPARE(*schedule.allocate(makeEvent(100), false), 14u);
    QVERIFY(!schedule.allocate(makeEvent(100), false));
}

void TestCyclicSchedule::unavailableSlotsArePassedOver()
{
    CyclicSchedule schedule;
    const quint32 unavailable = CyclicSchedule::slotBit(15) | CyclicSchedule::slotBit(13);
    QCOMPARE(*schedule.allocate(makeEvent(100), false, unavailable), 14u);
    QCOMPARE(*schedule.allocate(makeEvent(100), true, unavailable), 12u);
}

void TestCyclicSchedule::zeroPeriodIsRefused()
{
    CyclicSchedule schedule;
    QVERIFY(!schedule.allocate(makeEvent(0), false));
    QCOMPARE(schedule.allocatedMask, 0u);
}

void TestCyclicSchedule::releasedSlotIsNotVisited()
{
    Driver d;
    const qint64 first = d.startEngineLike(1000);
    d.ticksMs(first + 10, first + 300, 10);
    const size_t wakes = d.wakes.size();
    QVERIFY(wakes >= 3);
    d.schedule.release(d.slot);
    QVERIFY(!d.schedule.isAllocated(d.slot));
    d.ticksMs(first + 310, first + 1000, 10);
    QCOMPARE(d.wakes.size(), wakes);
    QCOMPARE(d.state(), CYCLIC_RUNNING); // keeps its last state
    d.schedule.release(d.slot); // a second release changes nothing

    // Allocated again, the slot starts over from armed.
    QCOMPARE(*d.schedule.allocate(makeEvent(100, 0, 0, 5000), true), d.slot);
    QCOMPARE(d.state(), CYCLIC_ARMED);
}

void TestCyclicSchedule::armedUntilStartTick()
{
    Driver d;
    d.slot = *d.schedule.allocate(makeEvent(100, 5000 * kMs), false);
    d.ticksMs(4000, 4990, 10);
    QCOMPARE(d.state(), CYCLIC_ARMED);
    QVERIFY(d.wakes.empty());
    d.tickAtMs(5000);
    QCOMPARE(d.state(), CYCLIC_ALIGNING);
    d.tickAtMs(5010);
    QCOMPARE(d.state(), CYCLIC_RUNNING);
    QCOMPARE(d.schedule.nextWakeTick[d.slot], 5100 * kMs);
    d.ticksMs(5020, 5090, 10);
    QVERIFY(d.wakes.empty());
    QVERIFY(d.tickAtMs(5100));
}

void TestCyclicSchedule::alignsInsidePhaseWindow()
{
    // Phase reference 0, period 1 s, tolerance one tick step (10 ms = 500 ticks); ticks fall 4 ms
    // after every 10 ms of the clock.
    Driver d;
    d.slot = *d.schedule.allocate(makeEvent(1000, 0, 0, 500), false);
    d.ticksMs(3704, 3994, 10);
    QCOMPARE(d.state(), CYCLIC_ALIGNING);
    d.tickAtMs(4004);
    QCOMPARE(d.state(), CYCLIC_RUNNING);
    // The wakes are due on the whole seconds; each is served by the first tick at or after it.
    d.ticksMs(4014, 7994, 10);
    QCOMPARE(d.wakes, (std::vector<qint64> { 5004, 6004, 7004 }));
}

void TestCyclicSchedule::smallToleranceAlignsLate()
{
    // A 1 ms window and ticks every 11 ms: the first tick inside a window comes after nine periods.
    Driver d;
    d.slot = *d.schedule.allocate(makeEvent(1000, 0, 0, 50), false);
    for (qint64 ms = 1; ms < 10000; ms += 11)
        d.tickAtMs(ms);
    QCOMPARE(d.state(), CYCLIC_ALIGNING);
    d.tickAtMs(10000);
    QCOMPARE(d.state(), CYCLIC_RUNNING);
}

void TestCyclicSchedule::firstWakeIsDueOnTheNextPhasePoint_data()
{
    QTest::addColumn<qint64>("phaseRefMs");
    QTest::addColumn<qint64>("toleranceMs");
    QTest::addColumn<qint64>("aligningTickMs");
    QTest::addColumn<qint64>("firstWakeMs");
    // Period 100 ms throughout.
    QTest::newRow("inside the window") << qint64(0) << qint64(100) << qint64(10020) << qint64(10100);
    QTest::newRow("on a phase point takes the next") << qint64(0) << qint64(100) << qint64(10000) << qint64(10100);
    QTest::newRow("late in the window") << qint64(0) << qint64(100) << qint64(10099) << qint64(10100);
    QTest::newRow("phase reference off the second") << qint64(37) << qint64(100) << qint64(10020) << qint64(10037);
    QTest::newRow("narrow window") << qint64(0) << qint64(10) << qint64(10004) << qint64(10100);
}

// No fixed delay after the aligning tick: every wake, the first included, is due on a phase point.
void TestCyclicSchedule::firstWakeIsDueOnTheNextPhasePoint()
{
    QFETCH(qint64, phaseRefMs);
    QFETCH(qint64, toleranceMs);
    QFETCH(qint64, aligningTickMs);
    QFETCH(qint64, firstWakeMs);
    Driver d;
    d.slot = *d.schedule.allocate(makeEvent(100, 0, phaseRefMs * kMs, toleranceMs * kMs), false);
    d.tickAtMs(aligningTickMs - 10); // armed → aligning
    QVERIFY(!d.tickAtMs(aligningTickMs));
    QCOMPARE(d.state(), CYCLIC_RUNNING);
    QCOMPARE(d.schedule.nextWakeTick[d.slot], firstWakeMs * kMs);
    QVERIFY(!d.tickAtMs(firstWakeMs - 1));
    QVERIFY(d.tickAtMs(firstWakeMs));
    QCOMPARE(d.schedule.nextWakeTick[d.slot], (firstWakeMs + 100) * kMs);
}

void TestCyclicSchedule::engineRegistrationWakesOnTheWholeHundredMs_data()
{
    QTest::addColumn<qint64>("registeredAtMs");
    QTest::addColumn<qint64>("tickPhaseMs"); // where in each 10 ms of the clock the ticks fall
    QTest::addColumn<qint64>("firstWakeMs");
    QTest::newRow("ticks on the grid") << qint64(123450) << qint64(0) << qint64(123500);
    QTest::newRow("registered just before a point") << qint64(123475) << qint64(0) << qint64(123500);
    QTest::newRow("registered just after a point") << qint64(123481) << qint64(0) << qint64(123600);
    QTest::newRow("ticks 4 ms late") << qint64(123450) << qint64(4) << qint64(123504);
}

// Phase reference 0 and a tolerance of one period, like the start-light engine: the slot runs from
// its first aligning tick and is woken on every whole 100 ms of the clock, on the first tick at or
// after it.
void TestCyclicSchedule::engineRegistrationWakesOnTheWholeHundredMs()
{
    QFETCH(qint64, registeredAtMs);
    QFETCH(qint64, tickPhaseMs);
    QFETCH(qint64, firstWakeMs);
    Driver d;
    const qint64 firstTick = (registeredAtMs / 10 + 1) * 10 + tickPhaseMs;
    QCOMPARE(d.startEngineLike(firstTick), firstWakeMs);
    d.ticksMs(firstWakeMs + 10, firstWakeMs + 1000, 10);
    QCOMPARE(d.wakes.size(), size_t(11));
    for (const qint64 wake : d.wakes)
        QCOMPARE(wake % 100, tickPhaseMs);
    for (const qint64 step : diffs(d.wakes))
        QCOMPARE(step, qint64(100));
}

// With the ticks on the 10 ms grid of the clock (the tick source's grid), ten minutes of an
// engine-like registration: every point is served on its own tick, none skipped or doubled.
void TestCyclicSchedule::ticksOnTheGridServeEveryPointOnTime()
{
    Driver d;
    const qint64 start = 11 * 3600000 + 59 * 60000 + 3; // registered at 11:59:00.003
    const qint64 first = d.startEngineLike(start + 7);
    d.ticksMs(first + 10, first + 600000, 10);
    QCOMPARE(d.wakes.size(), size_t(6001));
    for (size_t k = 0; k < d.wakes.size(); ++k)
        QCOMPARE(d.wakes[k], 11 * 3600000 + 59 * 60000 + 100 + qint64(k) * 100);
}

void TestCyclicSchedule::slotsAreVisitedFromSlotZero()
{
    CyclicSchedule schedule;
    for (int k = 0; k < 3; ++k)
        schedule.allocate(makeEvent(100, 0, 0, 5000), false);
    schedule.tick(0);
    schedule.tick(500);
    QCOMPARE(schedule.tick(4500), 0u);
    QCOMPARE(
        schedule.tick(5000), CyclicSchedule::slotBit(13) | CyclicSchedule::slotBit(14) | CyclicSchedule::slotBit(15));
    QCOMPARE(schedule.currentSlot, 15); // the last slot visited
    QCOMPARE(schedule.pendingMask, 0u);
}

void TestCyclicSchedule::shortStallIsCaughtUpOnePeriodPerTick()
{
    Driver d;
    // Registered at 0 with the ticks on whole 10 ms: wakes on the grid k × 100 from 100 ms on.
    const qint64 first = d.startEngineLike(10);
    QCOMPARE(first, qint64(100));
    d.ticksMs(110, 200, 10);
    // No tick for 440 ms: the points 300 to 600 are missed and then delivered one per tick.
    d.ticksMs(650, 800, 10);
    QCOMPARE(d.wakes, (std::vector<qint64> { 100, 200, 650, 660, 670, 680, 700, 800 }));
    QCOMPARE(d.schedule.nextWakeTick[d.slot] % (100 * kMs), 0);
}

void TestCyclicSchedule::longBacklogWakesOnceAndKeepsPhase()
{
    Driver d;
    d.startEngineLike(10);
    d.ticksMs(110, 200, 10);
    // A stall of 1.5 s: one wake, then the grid point after now.
    d.ticksMs(1760, 2000, 10);
    QCOMPARE(d.wakes, (std::vector<qint64> { 100, 200, 1760, 1800, 1900, 2000 }));
}

void TestCyclicSchedule::clockStepBackwardsKeepsWaking_data()
{
    QTest::addColumn<qint64>("stepMs");
    QTest::newRow("one hour") << qint64(3600000);
    QTest::newRow("two seconds") << qint64(2000);
    QTest::newRow("half a period") << qint64(50);
}

void TestCyclicSchedule::clockStepBackwardsKeepsWaking()
{
    QFETCH(qint64, stepMs);
    Driver d;
    const qint64 base = 10 * 3600000;
    d.startEngineLike(base + 10);
    d.ticksMs(base + 40, base + 500, 10);
    const size_t before = d.wakes.size();
    // The clock goes back; the slot keeps waking every period on the same phase.
    const qint64 back = base + 510 - stepMs;
    d.ticksMs(back, back + 1000, 10);
    const std::vector<qint64> after(d.wakes.begin() + long(before), d.wakes.end());
    QVERIFY(after.size() >= 9);
    QVERIFY(after.front() - back <= 100);
    for (const qint64 step : diffs(after))
        QCOMPARE(step, qint64(100));
    QCOMPARE(d.schedule.nextWakeTick[d.slot] % (100 * kMs), 0);
}

void TestCyclicSchedule::clockStepForwardsWakesOnce()
{
    Driver d;
    const qint64 base = 10 * 3600000;
    d.startEngineLike(base + 10);
    d.ticksMs(base + 40, base + 500, 10);
    const size_t before = d.wakes.size();
    const qint64 ahead = base + 510 + 3600000;
    d.ticksMs(ahead, ahead + 1000, 10);
    const std::vector<qint64> after(d.wakes.begin() + long(before), d.wakes.end());
    // One wake for the step, then every period on the old phase: no burst of missed periods.
    QCOMPARE(after.front(), ahead);
    QVERIFY(after.size() <= 12);
    const std::vector<qint64> steps = diffs(after);
    for (size_t k = 1; k < steps.size(); ++k)
        QCOMPARE(steps[k], qint64(100));
    QCOMPARE(after[1] % 100, 0); // on the old grid, and on time
}

void TestCyclicSchedule::nextGridPoint_data()
{
    QTest::addColumn<qint64>("now");
    QTest::addColumn<qint64>("anchor");
    QTest::addColumn<qint64>("period");
    QTest::addColumn<qint64>("point");
    QTest::newRow("after the anchor") << qint64(1050) << qint64(21) << qint64(100) << qint64(1121);
    QTest::newRow("on a point takes the next") << qint64(121) << qint64(21) << qint64(100) << qint64(221);
    QTest::newRow("before the anchor") << qint64(-50) << qint64(21) << qint64(100) << qint64(21);
    QTest::newRow("far before the anchor") << qint64(-1000) << qint64(5021) << qint64(100) << qint64(-979);
}

void TestCyclicSchedule::nextGridPoint()
{
    QFETCH(qint64, now);
    QFETCH(qint64, anchor);
    QFETCH(qint64, period);
    QTEST(CyclicSchedule::nextGridPoint(now, anchor, period), "point");
}

VANTOR_TEST_CLASS(TestCyclicSchedule)
#include "tst_cyclicschedule.moc"

void TestCyclicSchedule::dueByForeseesTheNextTick_data()
{
    // The clock values of the ticks, in ms from 10:00: a start and a list of steps, repeated.
    QTest::addColumn<QList<qint64>>("steps");
    QTest::newRow("ticks on the grid") << QList<qint64> { 10 };
    QTest::newRow("irregular ticks") << QList<qint64> { 7, 13, 9, 11, 10, 3 };
    QTest::newRow("stalls") << QList<qint64> { 10, 10, 440, 10, 10, 1500, 10 };
    QTest::newRow("clock set back") << QList<qint64> { 10, 10, -2000, 10, 10, -50, 10 };
    QTest::newRow("clock set forward") << QList<qint64> { 10, 3600000, 10, 10 };
}

// What dueBy announces for a clock value is exactly what a tick at that value then wakes, for
// slots in every state: armed for a later start, aligning in a narrow window, running on different
// periods and phases; and asking changes nothing.
void TestCyclicSchedule::dueByForeseesTheNextTick()
{
    QFETCH(QList<qint64>, steps);
    CyclicSchedule schedule;
    schedule.allocate(makeEvent(100, 0, 0, 5000), true); // like the start-light engine
    schedule.allocate(makeEvent(20), false);
    schedule.allocate(makeEvent(1000, 0, 0, 50), false); // a 1 ms window
    schedule.allocate(makeEvent(250, 0, 37 * kMs), false);
    schedule.allocate(makeEvent(100, (36000000 + 1500) * kMs), false); // armed for 1.5 s

    qint64 ms = 36000000;
    quint32 seen = 0;
    for (int k = 0; k < 600; ++k) {
        ms += steps[k % steps.size()];
        const CyclicSchedule before = schedule;
        const quint32 foreseen = schedule.dueBy(ms * kMs);
        QCOMPARE(schedule.nextWakeTick, before.nextWakeTick);
        QCOMPARE(schedule.slotState, before.slotState);
        QCOMPARE(schedule.tick(ms * kMs), foreseen);
        seen |= foreseen;
    }
    // The comparison covered wakes, not only quiet ticks.
    QVERIFY(seen & CyclicSchedule::slotBit(13));
    QVERIFY(seen & CyclicSchedule::slotBit(15));
}
