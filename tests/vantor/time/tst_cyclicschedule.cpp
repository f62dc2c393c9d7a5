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
    void engineRegistrationFirstRunsAfterTwentyToThirtyMs();
    void slotsAreVisitedFromSlotZero();
    void shortStallIsCaughtUpOnePeriodPerTick();
    void longBacklogWakesOnceAndKeepsPhase();
    void clockStepBackwardsKeepsWaking_data();
    void clockStepBackwardsKeepsWaking();
    void clockStepForwardsWakesOnce();
    void nextGridPoint_data();
    void nextGridPoint();
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
    QCOMPARE(d.schedule.nextWakeTick[d.slot], 5011 * kMs);
    QVERIFY(d.tickAtMs(5020));
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
    // The grid is 4005 + k s; each point is served by the first tick at or after it.
    d.ticksMs(4014, 7994, 10);
    QCOMPARE(d.wakes, (std::vector<qint64> { 4014, 5014, 6014, 7014 }));
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

void TestCyclicSchedule::engineRegistrationFirstRunsAfterTwentyToThirtyMs()
{
    // Tolerance equal to the period: the phase reference has no effect.
    for (const qint64 offset : { 0, 3, 9 }) {
        Driver d;
        const qint64 registeredAt = 123450 + offset;
        const qint64 first = d.startEngineLike(registeredAt + 10 - offset);
        QVERIFY2(first - registeredAt >= 20 && first - registeredAt <= 30,
            qPrintable(QString::number(first - registeredAt)));
        d.ticksMs(first + 10, first + 1000, 10);
        for (const qint64 step : diffs(d.wakes))
            QCOMPARE(step, qint64(100));
    }
}

void TestCyclicSchedule::slotsAreVisitedFromSlotZero()
{
    CyclicSchedule schedule;
    for (int k = 0; k < 3; ++k)
        schedule.allocate(makeEvent(100, 0, 0, 5000), false);
    schedule.tick(0);
    schedule.tick(500);
    QCOMPARE(
        schedule.tick(1000), CyclicSchedule::slotBit(13) | CyclicSchedule::slotBit(14) | CyclicSchedule::slotBit(15));
    QCOMPARE(schedule.currentSlot, 15); // the last slot visited
    QCOMPARE(schedule.pendingMask, 0u);
}

void TestCyclicSchedule::shortStallIsCaughtUpOnePeriodPerTick()
{
    Driver d;
    // Registered at 0 with the ticks on whole 10 ms: first wake at 30 ms, grid 21 + k × 100.
    const qint64 first = d.startEngineLike(10);
    QCOMPARE(first, qint64(30));
    d.ticksMs(40, 140, 10);
    // No tick for 450 ms: the points 221 to 521 are missed and then delivered one per tick.
    d.ticksMs(590, 800, 10);
    QCOMPARE(d.wakes, (std::vector<qint64> { 30, 130, 590, 600, 610, 620, 630, 730 }));
    QCOMPARE(d.schedule.nextWakeTick[d.slot] % (100 * kMs), 21 * kMs);
}

void TestCyclicSchedule::longBacklogWakesOnceAndKeepsPhase()
{
    Driver d;
    d.startEngineLike(10);
    d.ticksMs(40, 140, 10);
    // A stall of 1.5 s: one wake, then the grid point after now.
    d.ticksMs(1660, 1900, 10);
    QCOMPARE(d.wakes, (std::vector<qint64> { 30, 130, 1660, 1730, 1830 }));
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
    QCOMPARE(d.schedule.nextWakeTick[d.slot] % (100 * kMs), (base + 21) % 100 * kMs);
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
    QCOMPARE(after[1] % 100, (base + 21 + 9) % 100); // served by the first tick after the grid point
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
