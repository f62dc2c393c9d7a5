#include "testsupport/testmain.h"
#include "time/timer10ms.h"

#include <QSignalSpy>
#include <QTest>

#include <ctime>

using Vl::Tavix3::BizHW::Timer10ms;

namespace {
constexpr qint64 kMsNs = 1000000;

qint64 systemClockNs()
{
    timespec ts {};
    clock_gettime(CLOCK_REALTIME, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}
} // namespace

// The scheduler's tick source: its deadlines lie on the 10 ms grid of the wall clock.
class TestTimer10ms : public QObject
{
    Q_OBJECT

private slots:
    void nextDeadline_data();
    void nextDeadline();
    void armsOnTheWallClockGrid();
};

void TestTimer10ms::nextDeadline_data()
{
    QTest::addColumn<qint64>("nowNs");
    QTest::addColumn<qint64>("deadlineNs");
    const qint64 noon = qint64(1773144000) * 1000000000; // 2026-03-10 12:00:00 UTC
    QTest::newRow("just after a point") << noon + 1 << noon + 10 * kMsNs;
    QTest::newRow("on a point takes the next") << noon << noon + 10 * kMsNs;
    QTest::newRow("just before a point") << noon + 10 * kMsNs - 1 << noon + 10 * kMsNs;
    QTest::newRow("inside a millisecond") << noon + 23 * kMsNs + 456789 << noon + 30 * kMsNs;
    QTest::newRow("before 1970") << -15 * kMsNs << -10 * kMsNs;
}

void TestTimer10ms::nextDeadline()
{
    QFETCH(qint64, nowNs);
    QTEST(Timer10ms::nextDeadlineNs(nowNs), "deadlineNs");
}

void TestTimer10ms::armsOnTheWallClockGrid()
{
    Timer10ms timer;
    QSignalSpy ticks(&timer, &Timer10ms::timeout);
    const qint64 before = systemClockNs();
    timer.start();
    const qint64 after = systemClockNs();
    QVERIFY(timer.isOnWallClockGrid());
    QCOMPARE(timer.armedDeadlineNs() % (10 * kMsNs), qint64(0));
    QVERIFY(timer.armedDeadlineNs() > before);
    QVERIFY(timer.armedDeadlineNs() <= after + 10 * kMsNs);
    QVERIFY(ticks.wait(5000));
    // A tick never comes before its grid point.
    QVERIFY(systemClockNs() >= timer.armedDeadlineNs());

    timer.stop();
    QVERIFY(!timer.isOnWallClockGrid());
    timer.start(); // a stopped timer starts again
    QVERIFY(timer.isOnWallClockGrid());
    timer.stop();
}

VANTOR_TEST_CLASS(TestTimer10ms)
#include "tst_timer10ms.moc"
