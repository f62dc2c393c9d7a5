#include "testsupport/testmain.h"
#include "time/timersoftware.h"

#include <QSignalSpy>
#include <QTest>

using Vl::Tavix3::UI::TimerSoftware;

// The software countdown timers: arming, counting down by scheduler steps, expiry and reset.
class TestTimerSoftware : public QObject
{
    Q_OBJECT

private slots:
    void newTimerIsIdleAndNotCounted();
    void countsDownAndStaysExpired_data();
    void countsDownAndStaysExpired();
    void emitOnExpiryReloads();
    void armingAgainRestarts();
    void resetAndSpecialArmingValues();
    void wrapperSetsFromEitherReference();
};

void TestTimerSoftware::newTimerIsIdleAndNotCounted()
{
    TimerSoftware timer;
    QCOMPARE(timer.currentCountProperty->get(), 4294967295u);
    QCOMPARE(timer.reloadCount, 4294967295u);
    timer.countDown();
    QCOMPARE(timer.currentCountProperty->get(), 4294967295u);
}

void TestTimerSoftware::countsDownAndStaysExpired_data()
{
    QTest::addColumn<unsigned>("armed");
    QTest::addColumn<QList<unsigned>>("readings");
    QTest::newRow("three") << 3u << QList<unsigned> { 2, 1, 0, 0, 0 };
    QTest::newRow("one") << 1u << QList<unsigned> { 0, 0 };
    QTest::newRow("command server byte time-out") << 100u << QList<unsigned> { 99, 98 };
}

void TestTimerSoftware::countsDownAndStaysExpired()
{
    QFETCH(unsigned, armed);
    QFETCH(QList<unsigned>, readings);
    TimerSoftware timer;
    QSignalSpy ended(&timer, &TimerSoftware::timerEnd);
    timer.currentCountProperty->set(armed);
    QList<unsigned> seen;
    for (int k = 0; k < readings.size(); ++k) {
        timer.countDown();
        seen << timer.currentCountProperty->get();
    }
    QCOMPARE(seen, readings);
    QCOMPARE(ended.count(), 0); // nothing is emitted unless asked for
}

void TestTimerSoftware::emitOnExpiryReloads()
{
    TimerSoftware timer;
    timer.emitOnExpiry = true;
    QSignalSpy ended(&timer, &TimerSoftware::timerEnd);
    timer.currentCountProperty->set(2u);
    timer.countDown();
    QCOMPARE(ended.count(), 0);
    QCOMPARE(timer.currentCountProperty->get(), 1u);
    timer.countDown();
    QCOMPARE(ended.count(), 1);
    QCOMPARE(timer.currentCountProperty->get(), TimerSoftware::kIdle);
    timer.countDown();
    QCOMPARE(ended.count(), 1);

    // Armed with 0 it has expired already: the next step emits and reloads.
    timer.currentCountProperty->set(0u);
    timer.countDown();
    QCOMPARE(ended.count(), 2);
    QCOMPARE(timer.currentCountProperty->get(), TimerSoftware::kIdle);
}

void TestTimerSoftware::armingAgainRestarts()
{
    TimerSoftware timer;
    timer.currentCountProperty->set(3u);
    timer.countDown();
    timer.countDown();
    QCOMPARE(timer.currentCountProperty->get(), 1u);
    timer.currentCountProperty->set(5u);
    timer.countDown();
    QCOMPARE(timer.currentCountProperty->get(), 4u);
}

void TestTimerSoftware::resetAndSpecialArmingValues()
{
    TimerSoftware timer;
    timer.currentCountProperty->set(0u);
    timer.countDown();
    QCOMPARE(timer.currentCountProperty->get(), 0u); // expired at once, and stays so
    timer.currentCountProperty->set(7u);
    timer.reset();
    QCOMPARE(timer.currentCountProperty->get(), TimerSoftware::kIdle);
    timer.countDown();
    QCOMPARE(timer.currentCountProperty->get(), TimerSoftware::kIdle);
    timer.currentCountProperty->set(7u);
    timer.currentCountProperty->set(TimerSoftware::kIdle); // arming with the idle value stops it
    timer.countDown();
    QCOMPARE(timer.currentCountProperty->get(), TimerSoftware::kIdle);
}

void TestTimerSoftware::wrapperSetsFromEitherReference()
{
    TimerSoftware timer;
    unsigned value = 9;
    timer.currentCountProperty->set(value);
    QCOMPARE(timer.currentCount, 9u);
    const unsigned constant = 4;
    timer.currentCountProperty->set(constant);
    QCOMPARE(timer.currentCount, 4u);
}

VANTOR_TEST_CLASS(TestTimerSoftware)
#include "tst_timersoftware.moc"
