#include "testsupport/testmain.h"
#include "time/datetime.h"

#include <QDate>
#include <QTest>
#include <QTimeZone>

#include <atomic>
#include <limits>

using Vl::Tavix3::UI::DateParts;
using Vl::Tavix3::UI::DateTime;
using Vl::Tavix3::UI::TimeParts;

namespace {
constexpr qint64 kDay = DateTime::kTicksPerDay;

qint64 hms(qint64 h, qint64 m, qint64 s, qint64 fraction = 0)
{
    return ((h * 3600 + m * 60 + s) * 10000 + fraction) * 5;
}
} // namespace

// The tick clock and calendar: the real and the injected clock, the calendar against QDate,
// the split of a time of day, rounding and the time-text arithmetic.
class TestCalendar : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void realClockCountsLocalMilliseconds();
    void qDateTimeToTicksIsLocalWallClock();
    void fakeClockDrivesEveryReading();
    void emptyClockRestoresRealClock();

    void calendarAgreesWithQDateFrom1970To2099();
    void calendarExamples_data();
    void calendarExamples();
    void tickCalendarHasNoCenturyRule();
    void ticksBefore1970();
    void isDateValid_data();
    void isDateValid();
    void dateToTicksIgnoresOutOfRangeMonth();

    void splitTime_data();
    void splitTime();
    void onlyDateAndTime();
    void roundTicks_data();
    void roundTicks();
    void roundOptionalAndTruncate();

    void resultTimeAndDate_data();
    void resultTimeAndDate();
};

void TestCalendar::cleanup() { DateTime::resetClock(); }

void TestCalendar::realClockCountsLocalMilliseconds()
{
    const qint64 before = DateTime::qDateTimeToTicks(QDateTime::currentDateTime());
    const qint64 now = DateTime::getDateTime();
    const qint64 after = DateTime::qDateTimeToTicks(QDateTime::currentDateTime());
    QCOMPARE(now % DateTime::QMIL1, 0);
    QVERIFY(now >= before && now <= after);
    QVERIFY(DateTime::getTime() >= 0 && DateTime::getTime() < kDay);
    QCOMPARE(DateTime::getDate() % kDay, 0);
}

void TestCalendar::qDateTimeToTicksIsLocalWallClock()
{
    // The tests run in Europe/Rome: summer time is UTC+2, winter time UTC+1.
    const QDateTime summer(QDate(2024, 7, 1), QTime(12, 0), Qt::LocalTime);
    const QDateTime winter(QDate(2024, 1, 15), QTime(8, 30, 15, 250), Qt::LocalTime);
    QCOMPARE(DateTime::qDateTimeToTicks(summer), DateTime::dateToTicks({ 1, 7, 2024 }) + hms(12, 0, 0));
    QCOMPARE(DateTime::qDateTimeToTicks(winter), DateTime::dateToTicks({ 15, 1, 2024 }) + hms(8, 30, 15, 2500));
    // Each date-time is shifted by its own offset: the same instant in UTC reads two hours earlier.
    QCOMPARE(DateTime::qDateTimeToTicks(summer.toUTC()), DateTime::qDateTimeToTicks(summer) - hms(2, 0, 0));
    const QDateTime utc(QDate(2024, 7, 1), QTime(10, 0), Qt::UTC);
    QCOMPARE(DateTime::qDateTimeToTicks(utc), DateTime::dateToTicks({ 1, 7, 2024 }) + hms(10, 0, 0));
    QVERIFY(QDateTime::currentDateTime().offsetFromUtc() != 0); // the zone is pinned away from UTC
}

void TestCalendar::fakeClockDrivesEveryReading()
{
    std::atomic<qint64> fake { DateTime::dateToTicks({ 29, 2, 2024 }) + hms(23, 59, 59, 9990) + 3 };
    DateTime::setClock([&fake] { return fake.load(); });
    QCOMPARE(DateTime::getDateTime(), fake.load() - 3); // held to whole ten-thousandths
    QCOMPARE(DateTime::getTime(), hms(23, 59, 59, 9990));
    QCOMPARE(DateTime::getDate(), DateTime::dateToTicks({ 29, 2, 2024 }));
    QCOMPARE(DateTime::getDay(), 29);
    QCOMPARE(DateTime::getMonth(), 2);
    QCOMPARE(DateTime::getYear(), 2024);
    qint64 assigned = 0;
    DateTime::assignDateTime(&assigned);
    QCOMPARE(assigned, DateTime::getDateTime());

    fake += 50; // the clock steps over midnight
    QCOMPARE(DateTime::getDay(), 1);
    QCOMPARE(DateTime::getMonth(), 3);

    // Back on the real clock: within a minute of it (the fake one stood at the end of February 2024).
    DateTime::resetClock();
    QVERIFY(qAbs(DateTime::getDateTime() - DateTime::qDateTimeToTicks(QDateTime::currentDateTime())) < 60 * 50000);
}

void TestCalendar::emptyClockRestoresRealClock()
{
    DateTime::setClock([] { return qint64(0); });
    QCOMPARE(DateTime::getDateTime(), 0);
    DateTime::setClock({});
    QVERIFY(DateTime::getDateTime() > DateTime::dateToTicks({ 1, 1, 2020 }));
}

void TestCalendar::calendarAgreesWithQDateFrom1970To2099()
{
    const QDate epoch(1970, 1, 1);
    const QDate last(2099, 12, 31);
    for (qint64 day = 0; day <= epoch.daysTo(last); ++day) {
        const QDate expected = epoch.addDays(day);
        const qint64 midnight = day * kDay;
        // Any tick of the day belongs to it.
        for (const qint64 ticks : { midnight, midnight + kDay / 2, midnight + kDay - 1 }) {
            const DateParts parts = DateTime::ticksToDate(ticks);
            if (parts.day != expected.day() || parts.month != expected.month() || parts.year != expected.year())
                QFAIL(qPrintable(QStringLiteral("day %1: %2/%3/%4, expected %5")
                                     .arg(day)
                                     .arg(parts.day)
                                     .arg(parts.month)
                                     .arg(parts.year)
                                     .arg(expected.toString(Qt::ISODate))));
        }
        const DateParts parts { expected.day(), expected.month(), expected.year() };
        if (DateTime::dateToTicks(parts) != midnight)
            QFAIL(qPrintable(QStringLiteral("dateToTicks of %1").arg(expected.toString(Qt::ISODate))));
        if (!DateTime::isDateValid(parts.day, parts.month, parts.year))
            QFAIL(qPrintable(QStringLiteral("isDateValid of %1").arg(expected.toString(Qt::ISODate))));
    }
}

void TestCalendar::calendarExamples_data()
{
    QTest::addColumn<qint64>("ticks");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("year");
    QTest::newRow("epoch") << qint64(0) << 1 << 1 << 1970;
    QTest::newRow("one year") << 365 * kDay << 1 << 1 << 1971;
    QTest::newRow("leap 1972") << 790 * kDay << 1 << 3 << 1972;
    QTest::newRow("29 Feb 1972") << 789 * kDay << 29 << 2 << 1972;
    QTest::newRow("31 Dec 1972") << 1095 * kDay << 31 << 12 << 1972;
    QTest::newRow("QDate day count") << QDate(1970, 1, 1).daysTo(QDate(2026, 12, 10)) * kDay << 10 << 12 << 2026;
}

void TestCalendar::calendarExamples()
{
    QFETCH(qint64, ticks);
    QFETCH(int, day);
    QFETCH(int, month);
    QFETCH(int, year);
    const DateParts parts = DateTime::ticksToDate(ticks);
    QCOMPARE(parts.day, day);
    QCOMPARE(parts.month, month);
    QCOMPARE(parts.year, year);
    QCOMPARE(DateTime::getDay(ticks), day);
    QCOMPARE(DateTime::getMonth(ticks), month);
    QCOMPARE(DateTime::getYear(ticks), year);
    QCOMPARE(DateTime::dateToTicks(parts), ticks);
}

void TestCalendar::tickCalendarHasNoCenturyRule()
{
    const qint64 feb28 = DateTime::dateToTicks({ 28, 2, 2100 });
    const DateParts next = DateTime::ticksToDate(feb28 + kDay);
    QCOMPARE(next.day, 29);
    QCOMPARE(next.month, 2);
    QCOMPARE(next.year, 2100);
    QCOMPARE(DateTime::dateToTicks({ 29, 2, 2100 }), feb28 + kDay);
    QVERIFY(!DateTime::isDateValid(29, 2, 2100));
    QVERIFY(DateTime::isDateValid(29, 2, 2000));
}

void TestCalendar::ticksBefore1970()
{
    const DateParts justBefore = DateTime::ticksToDate(-1);
    QCOMPARE(justBefore.day, 1);
    QCOMPARE(justBefore.month, 1);
    QCOMPARE(justBefore.year, 1970);
    QCOMPARE(DateTime::ticksToDate(-kDay).day, 0);
    QCOMPARE(DateTime::ticksToDate(-2 * kDay).day, -1);
    QCOMPARE(DateTime::ticksToDate(-2 * kDay).month, 1);
    QCOMPARE(DateTime::ticksToDate(-2 * kDay).year, 1970);
}

void TestCalendar::isDateValid_data()
{
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("year");
    QTest::addColumn<bool>("valid");
    QTest::newRow("29 Feb 2024") << 29 << 2 << 2024 << true;
    QTest::newRow("29 Feb 2023") << 29 << 2 << 2023 << false;
    QTest::newRow("29 Feb 1900") << 29 << 2 << 1900 << false;
    QTest::newRow("31 Apr") << 31 << 4 << 2024 << false;
    QTest::newRow("30 Apr") << 30 << 4 << 2024 << true;
    QTest::newRow("day 0") << 0 << 1 << 2024 << false;
    QTest::newRow("month 0") << 1 << 0 << 2024 << false;
    QTest::newRow("month 13") << 1 << 13 << 2024 << false;
    QTest::newRow("negative day") << -1 << 1 << 2024 << false;
}

void TestCalendar::isDateValid()
{
    QFETCH(int, day);
    QFETCH(int, month);
    QFETCH(int, year);
    QFETCH(bool, valid);
    QCOMPARE(DateTime::isDateValid(day, month, year), valid);
}

void TestCalendar::dateToTicksIgnoresOutOfRangeMonth()
{
    // Month tables are never read outside their twelve entries.
    QCOMPARE(DateTime::dateToTicks({ 1, 13, 2024 }), DateTime::dateToTicks({ 1, 12, 2024 }));
    QCOMPARE(DateTime::dateToTicks({ 1, 0, 2024 }), DateTime::dateToTicks({ 1, 1, 2024 }));
}

void TestCalendar::splitTime_data()
{
    QTest::addColumn<qint64>("ticks");
    QTest::addColumn<int>("twelveHour");
    QTest::addColumn<uint>("hour");
    QTest::addColumn<uint>("minute");
    QTest::addColumn<uint>("second");
    QTest::addColumn<uint>("fraction");
    QTest::newRow("full") << hms(12, 34, 56, 7891) << 0 << 12u << 34u << 56u << 7891u;
    QTest::newRow("date is dropped") << 20 * kDay + hms(23, 59, 59, 9999) << 0 << 23u << 59u << 59u << 9999u;
    QTest::newRow("negative splits like its absolute value") << qint64(-50000) << 0 << 0u << 0u << 1u << 0u;
    QTest::newRow("below ten-thousandths") << qint64(4) << 0 << 0u << 0u << 0u << 0u;
    QTest::newRow("13:05 twelve-hour") << hms(13, 5, 0) << 1 << 1u << 5u << 0u << 0u;
    QTest::newRow("13:05 24-hour") << hms(13, 5, 0) << 0 << 13u << 5u << 0u << 0u;
    QTest::newRow("00:30 twelve-hour") << hms(0, 30, 0) << 1 << 0u << 30u << 0u << 0u;
    QTest::newRow("12:00 twelve-hour") << hms(12, 0, 0) << 1 << 12u << 0u << 0u << 0u;
    QTest::newRow("23:00 twelve-hour") << hms(23, 0, 0) << 1 << 11u << 0u << 0u << 0u;
    QTest::newRow("twelveHour other than 1") << hms(23, 0, 0) << 2 << 23u << 0u << 0u << 0u;
}

void TestCalendar::splitTime()
{
    QFETCH(qint64, ticks);
    QFETCH(int, twelveHour);
    const TimeParts parts = DateTime::splitTime(ticks, twelveHour);
    QTEST(parts.hour, "hour");
    QTEST(parts.minute, "minute");
    QTEST(parts.second, "second");
    QTEST(parts.fraction, "fraction");
}

void TestCalendar::onlyDateAndTime()
{
    QCOMPARE(DateTime::getOnlyTime(-1), qint64(-1));
    QCOMPARE(DateTime::getOnlyDate(-1), qint64(0));
    QCOMPARE(DateTime::getOnlyDate(3 * kDay + 7), qint64(3));
    QCOMPARE(DateTime::getOnlyTime(3 * kDay + 7), qint64(7));
    QCOMPARE(DateTime::getOnlyDate(-kDay - 1), qint64(-1));
}

void TestCalendar::roundTicks_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<qint64>("unit");
    QTest::addColumn<qint64>("threshold");
    QTest::addColumn<qint64>("result");
    QTest::newRow("cut") << qint64(1234567) << qint64(50000) << qint64(0) << qint64(1200000);
    QTest::newRow("round up") << qint64(1234567) << qint64(50000) << qint64(25000) << qint64(1250000);
    QTest::newRow("below threshold") << qint64(1224999) << qint64(50000) << qint64(25000) << qint64(1200000);
    QTest::newRow("negative cut towards zero") << qint64(-1234567) << qint64(50000) << qint64(0) << qint64(-1200000);
    QTest::newRow("negative remainder under threshold")
        << qint64(-1234567) << qint64(50000) << qint64(25000) << qint64(-1200000);
    QTest::newRow("exact") << qint64(1250000) << qint64(50000) << qint64(1) << qint64(1250000);
    QTest::newRow("unit 0 leaves the value") << qint64(1234567) << qint64(0) << qint64(0) << qint64(1234567);
}

void TestCalendar::roundTicks()
{
    QFETCH(qint64, value);
    QFETCH(qint64, unit);
    QFETCH(qint64, threshold);
    DateTime::roundTicks(value, unit, threshold);
    QTEST(value, "result");
}

void TestCalendar::roundOptionalAndTruncate()
{
    boost::optional<qint64> empty;
    DateTime::roundOptionalTicks(empty, 50000, 0);
    QVERIFY(!empty);
    boost::optional<qint64> value = qint64(1234567);
    DateTime::roundOptionalTicks(value, 50000, 25000);
    QCOMPARE(*value, qint64(1250000));
    QCOMPARE(DateTime::truncateToDmil(7), qint64(5));
    QCOMPARE(DateTime::truncateToDmil(-7), qint64(-5));
    QCOMPARE(DateTime::truncateToDmil(10), qint64(10));
}

void TestCalendar::resultTimeAndDate_data()
{
    QTest::addColumn<int>("sign");
    QTest::addColumn<QString>("timeA");
    QTest::addColumn<QString>("dateA");
    QTest::addColumn<QString>("timeB");
    QTest::addColumn<QString>("dateB");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("date");
    QTest::newRow("equal texts subtract to zero") << -1 << "12:34:56.7891"
                                                  << "19000"
                                                  << "12:34:56.7891"
                                                  << "19000"
                                                  << "00:00:00.0000"
                                                  << "0";
    QTest::newRow("sum over midnight") << 1 << "23:00:00"
                                       << "0"
                                       << "02:00:00.5"
                                       << "0"
                                       << "01:00:00.5000"
                                       << "1";
    QTest::newRow("difference across a day") << -1 << "00:00:00"
                                             << "1"
                                             << "00:00:01"
                                             << "0"
                                             << "23:59:59.0000"
                                             << "0";
    QTest::newRow("unreadable texts count as 0") << 1 << "25:00:00"
                                                 << "x"
                                                 << "00:00:05"
                                                 << "2"
                                                 << "00:00:05.0000"
                                                 << "2";
    // The sign is a factor, not only a direction.
    QTest::newRow("twice B") << 2 << "01:00:00"
                             << "0"
                             << "10:30:00.5"
                             << "1"
                             << "22:00:01.0000"
                             << "2";
    QTest::newRow("three times B subtracted") << -3 << "12:00:00"
                                              << "10"
                                              << "05:00:00"
                                              << "1"
                                              << "21:00:00.0000"
                                              << "6";
    QTest::newRow("sign 0 leaves A") << 0 << "08:00:00"
                                     << "3"
                                     << "23:00:00"
                                     << "9"
                                     << "08:00:00.0000"
                                     << "3";
    QTest::newRow("twice B below zero") << -2 << "00:00:00"
                                        << "0"
                                        << "01:00:00"
                                        << "0"
                                        << "02:00:00.0000"
                                        << "0";
    QTest::newRow("largest sign") << std::numeric_limits<int>::max() << "00:00:00"
                                  << "0"
                                  << "00:00:01"
                                  << "0"
                                  << "03:14:07.0000"
                                  << "24855";
    QTest::newRow("smallest sign with the largest B") << std::numeric_limits<int>::min() << "00:00:00"
                                                      << "0"
                                                      << "23:59:59.9999"
                                                      << "1000000000"
                                                      << "12:20:51.6352"
                                                      << "-2147483650147483645";
    QTest::newRow("largest sign with the largest B and a negative A") << std::numeric_limits<int>::max() << "12:00:00"
                                                                      << "-1000000000"
                                                                      << "23:59:59.9999"
                                                                      << "1000000000"
                                                                      << "00:20:51.6353"
                                                                      << "2147483648147483645";
    QTest::newRow("huge day counts count as 0") << 1 << "00:00:01"
                                                << "9223372036854775807"
                                                << "00:00:01"
                                                << "-9223372036854775807"
                                                << "00:00:02.0000"
                                                << "0";
}

void TestCalendar::resultTimeAndDate()
{
    QFETCH(int, sign);
    QFETCH(QString, timeA);
    QFETCH(QString, dateA);
    QFETCH(QString, timeB);
    QFETCH(QString, dateB);
    QTEST(DateTime::resultTime(sign, timeA, dateA, timeB, dateB), "time");
    QTEST(DateTime::resultDate(sign, timeA, dateA, timeB, dateB), "date");
}

VANTOR_TEST_CLASS(TestCalendar)
#include "tst_calendar.moc"
