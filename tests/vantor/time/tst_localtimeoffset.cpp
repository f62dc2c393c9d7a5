#include "testsupport/testmain.h"
#include "time/localtimeoffset.h"

#include <QDateTime>
#include <QTest>

#include <vector>

using Vl::Tavix3::UI::LocalTimeOffset;

namespace {

constexpr qint64 kHour = 3600000;
const qint64 kNoon = QDateTime(QDate(2024, 6, 3), QTime(12, 0), Qt::UTC).toMSecsSinceEpoch();

// A zone whose offset changes once, at changeMs; counts its look-ups.
struct FakeZone
{
    qint64 changeMs = 0;
    qint64 beforeMs = kHour;
    qint64 afterMs = 2 * kHour;
    int lookUps = 0;

    qint64 offsetAt(qint64 utcMs) const { return utcMs < changeMs ? beforeMs : afterMs; }
    LocalTimeOffset::LookUp lookUp()
    {
        return [this](qint64 utcMs) {
            ++lookUps;
            return offsetAt(utcMs);
        };
    }
};

std::vector<qint64> readings(qint64 from, qint64 step, int count)
{
    std::vector<qint64> values;
    for (int k = 0; k < count; ++k)
        values.push_back(from + k * step);
    return values;
}

} // namespace

Q_DECLARE_METATYPE(std::vector<qint64>)

// The local offset kept between clock readings: always the offset the zone has at the reading,
// across summer-time changes and clock steps, looked up about once a second and never on a whole
// second.
class TestLocalTimeOffset : public QObject
{
    Q_OBJECT

private slots:
    void givesTheZonesOffsetAtEveryReading_data();
    void givesTheZonesOffsetAtEveryReading();
    void looksUpBetweenTheWholeSeconds();
    void agreesWithTheSystemZone();
};

void TestLocalTimeOffset::givesTheZonesOffsetAtEveryReading_data()
{
    QTest::addColumn<qint64>("changeMs");
    QTest::addColumn<qint64>("afterMs");
    QTest::addColumn<std::vector<qint64>>("reads");
    const qint64 change = kNoon + 2 * kHour;
    QTest::newRow("forwards, every millisecond") << change << 2 * kHour << readings(change - 3000, 1, 6000);
    QTest::newRow("backwards, every 7 ms") << change << qint64(0) << readings(change - 3000, 7, 900);
    QTest::newRow("on a half second, every 100 ms") << change + 500 << 2 * kHour << readings(change - 3000, 100, 60);
    QTest::newRow("just after a renewal") << change + 1 << 2 * kHour << readings(change, 1, 2000);
    QTest::newRow("a second apart") << change + 250 << 2 * kHour << readings(change - 5000, 1000, 10);
    std::vector<qint64> stepped = readings(change - 2000, 10, 300); // to 1 s after the change
    const std::vector<qint64> back = readings(change - 10000, 10, 300); // the clock set back
    stepped.insert(stepped.end(), back.begin(), back.end());
    const std::vector<qint64> ahead = readings(change + kHour, 10, 100); // and forwards
    stepped.insert(stepped.end(), ahead.begin(), ahead.end());
    QTest::newRow("clock steps") << change << 2 * kHour << stepped;
}

void TestLocalTimeOffset::givesTheZonesOffsetAtEveryReading()
{
    QFETCH(qint64, changeMs);
    QFETCH(qint64, afterMs);
    QFETCH(std::vector<qint64>, reads);
    FakeZone zone;
    zone.changeMs = changeMs;
    zone.afterMs = afterMs;
    LocalTimeOffset offset(zone.lookUp());
    for (const qint64 read : reads)
        QCOMPARE(offset.offsetMsAt(read), zone.offsetAt(read));
}

void TestLocalTimeOffset::looksUpBetweenTheWholeSeconds()
{
    // A reading on every whole 100 ms, like the scheduler's ticks; no change of offset near.
    FakeZone zone;
    zone.changeMs = kNoon + 24 * kHour;
    LocalTimeOffset offset(zone.lookUp());
    const std::vector<qint64> reads = readings(kNoon, 100, 200);
    std::vector<qint64> renewedAt;
    for (const qint64 read : reads) {
        const int before = zone.lookUps;
        QCOMPARE(offset.offsetMsAt(read), kHour);
        if (zone.lookUps != before)
            renewedAt.push_back(read);
    }
    // Renewed at the first reading, then only at half seconds: once a second.
    QVERIFY(renewedAt.size() >= 19 && renewedAt.size() <= 21);
    QCOMPARE(renewedAt.front(), kNoon);
    for (size_t k = 1; k < renewedAt.size(); ++k)
        QCOMPARE((renewedAt[k] - kNoon) % 1000, qint64(500));
}

void TestLocalTimeOffset::agreesWithTheSystemZone()
{
    // The tests run in Europe/Rome: summer time begins at 01:00 UTC on 31 March 2024 and ends at
    // 01:00 UTC on 27 October 2024.
    LocalTimeOffset offset;
    const qint64 spring = QDateTime(QDate(2024, 3, 31), QTime(1, 0), Qt::UTC).toMSecsSinceEpoch();
    const qint64 autumn = QDateTime(QDate(2024, 10, 27), QTime(1, 0), Qt::UTC).toMSecsSinceEpoch();
    QCOMPARE(LocalTimeOffset::lookUpLocalOffsetMs(spring - 1), kHour);
    QCOMPARE(LocalTimeOffset::lookUpLocalOffsetMs(spring), 2 * kHour);
    for (const qint64 change : { spring, autumn }) {
        for (const qint64 read : readings(change - 2000, 3, 1400)) {
            const qint64 expected = qint64(QDateTime::fromMSecsSinceEpoch(read, Qt::LocalTime).offsetFromUtc()) * 1000;
            QCOMPARE(offset.offsetMsAt(read), expected);
        }
    }
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    QCOMPARE(offset.offsetMsAt(now), qint64(QDateTime::fromMSecsSinceEpoch(now, Qt::LocalTime).offsetFromUtc()) * 1000);
}

VANTOR_TEST_CLASS(TestLocalTimeOffset)
#include "tst_localtimeoffset.moc"
