#include "app/application.h"
#include "core/sharedapplication.h"
#include "testsupport/applicationfixture.h"
#include "testsupport/testmain.h"
#include "time/datetime.h"
#include "time/datevalidator.h"
#include "time/timevalidator.h"

#include <QTest>

#include <memory>

using Vl::Tavix3::UI::DateParts;
using Vl::Tavix3::UI::DateTime;
using Vl::Tavix3::UI::DateValidator;
using Vl::Tavix3::UI::OrvaneEnum;
using Vl::Tavix3::UI::TimeValidator;

namespace {
qint64 hms(qint64 h, qint64 m, qint64 s, qint64 fraction = 0)
{
    return ((h * 3600 + m * 60 + s) * 10000 + fraction) * 5;
}

qint64 date(int day, int month, int year) { return DateTime::dateToTicks(DateParts { day, month, year }); }
} // namespace

// The time and date parsers, their wrappers and the two input validators.
class TestTimeParse : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void parseTime_data();
    void parseTime();
    void parseSecondsOnly_data();
    void parseSecondsOnly();
    void timeWrappers();
    void parseDate_data();
    void parseDate();
    void normalisedTextFollowsApplicationFormat();
    void dateWrappers();
    void timeValidator_data();
    void timeValidator();
    void dateValidator_data();
    void dateValidator();

private:
    std::unique_ptr<TestSupport::ApplicationFixture> m_fixture;
};

void TestTimeParse::initTestCase()
{
    m_fixture = std::make_unique<TestSupport::ApplicationFixture>(TestSupport::ApplicationFixture::Stage::Constructed);
}

void TestTimeParse::cleanupTestCase() { m_fixture.reset(); }

void TestTimeParse::init() { m_fixture->get()->setDateFormat(0); }

void TestTimeParse::parseTime_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<char>("timeSeparator");
    QTest::addColumn<char>("decimalSeparator");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<qint64>("ticks");

    auto row = [](const char* name, const char* text, bool ok, qint64 ticks, char timeSeparator = ':',
                   char decimalSeparator = '.') {
        QTest::newRow(name) << QString::fromLatin1(text) << timeSeparator << decimalSeparator << ok
                            << (ok ? ticks : qint64(0));
    };
    // Fixed layout.
    row("hh:mm:ss", "12:34:56", true, hms(12, 34, 56));
    row("dots and comma", "12.34.56,5", true, hms(12, 34, 56, 5000));
    row("four decimals", "12:34:56.7891", true, hms(12, 34, 56, 7891));
    row("three decimals", "12:34:56.789", true, hms(12, 34, 56, 7890));
    row("two decimals", "12:34:56.78", true, hms(12, 34, 56, 7800));
    row("separator without decimals", "12:34:56.", true, hms(12, 34, 56));
    row("fourteenth character ignored", "12:34:56.78912", true, hms(12, 34, 56, 7891));
    row("hour 24", "24:00:00", false, 0);
    row("minute 60", "12:60:00", false, 0);
    row("second 60", "12:00:60", false, 0);
    row("letter in a field", "12:34:5x", false, 0);
    row("blanks and colons read as 0", "  :  :  ", true, 0);
    row("masked digits", "1_2:3_4:56", true, hms(12, 34, 56));
    // Right to left.
    row("single-digit hour", "1:02:03", true, hms(1, 2, 3));
    row("single-digit hour and decimal", "1:02:03.5", true, hms(1, 2, 3, 5000));
    row("seconds", "5", true, hms(0, 0, 5));
    row("seconds with decimals", "5.25", true, hms(0, 0, 5, 2500));
    row("minutes and seconds", "1:05", true, hms(0, 1, 5));
    row("short field not leftmost", "1:5", false, 0);
    row("seconds over 59", "99", false, 0);
    row("five decimals", "1:05.12345", false, 0);
    row("empty", "", false, 0);
    row("underscores only", "__:__:__", false, 0);
    row("letters", "ab", false, 0);
    row("signed field refused", "-1:05", false, 0);
    row("left of the hours unread", "1:02:03:04", true, hms(2, 3, 4));
    row("wrong separator", "1-05", false, 0);
    row("own separators", "1-02-03,5", true, hms(1, 2, 3, 5000), '-', ',');
}

void TestTimeParse::parseTime()
{
    QFETCH(QString, text);
    QFETCH(char, timeSeparator);
    QFETCH(char, decimalSeparator);
    QFETCH(bool, ok);
    qint64 ticks = -1;
    QCOMPARE(DateTime::parseTime(text, &ticks, false, timeSeparator, decimalSeparator), ok);
    QTEST(ticks, "ticks");
    QCOMPARE(
        DateTime::checkTime(text, false, QString(QLatin1Char(timeSeparator)), QString(QLatin1Char(decimalSeparator))),
        ok);
}

void TestTimeParse::parseSecondsOnly_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<qint64>("ticks"); // what the result variable holds afterwards
    QTest::newRow("point") << "0005.5" << true << hms(0, 0, 5, 5000);
    QTest::newRow("comma and four decimals") << "0005,0001" << true << hms(0, 0, 5, 1);
    QTest::newRow("blanks are zeros") << "  5.25" << true << hms(0, 0, 5, 2500);
    QTest::newRow("large") << "86400.0" << true << hms(24, 0, 0);
    QTest::newRow("no separator keeps the seconds") << "5" << false << hms(0, 0, 5);
    QTest::newRow("empty decimals keep the seconds") << "5," << false << hms(0, 0, 5);
    QTest::newRow("five decimals keep the seconds") << "12.34567" << false << hms(0, 0, 12);
    QTest::newRow("no whole seconds") << ".5" << false << qint64(0);
    QTest::newRow("beyond 32 bits") << "3000000000.0" << false << qint64(0);
    QTest::newRow("twenty digits") << "00000000000000000005.0" << false << qint64(0);
    QTest::newRow("nineteen digits") << "0000000000000000005.0" << true << hms(0, 0, 5);
    QTest::newRow("signed") << "-5.0" << false << qint64(0);
    QTest::newRow("empty") << "" << false << qint64(0);
}

void TestTimeParse::parseSecondsOnly()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    qint64 ticks = -1;
    QCOMPARE(DateTime::parseTime(text, &ticks, true, ':', '.'), ok);
    QTEST(ticks, "ticks");
    QTEST(qint64(DateTime::stringToTimeWithPointQML(text, true)), "ticks");
    QCOMPARE(DateTime::checkTime(text, true), ok);
}

void TestTimeParse::timeWrappers()
{
    QCOMPARE(DateTime::stringToTimeWithPointQML(QStringLiteral("5"), true), qlonglong(250000));
    QCOMPARE(DateTime::stringToTimeWithPoint(QStringLiteral("5"), true), boost::optional<qint64>());
    QCOMPARE(*DateTime::stringToTimeWithPoint(QStringLiteral("1:05")), hms(0, 1, 5));
    QCOMPARE(DateTime::stringToTimeWithPointQML(QStringLiteral("1:05")), qlonglong(hms(0, 1, 5)));
    // An empty separator from QML falls back to the default one.
    QCOMPARE(DateTime::stringToTimeWithPointQML(QStringLiteral("1:05.5"), false, QString(), QString()),
        qlonglong(hms(0, 1, 5, 5000)));
    QVERIFY(!DateTime::parseTime(QStringLiteral("99"), nullptr));
    QVERIFY(DateTime::parseTime(QStringLiteral("12:00:00"), nullptr));
}

void TestTimeParse::parseDate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("dateFormat");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<qint64>("ticks");
    QTest::addColumn<QString>("normalised");

    QTest::newRow("exact") << "15/06/2024" << 0 << true << date(15, 6, 2024) << "";
    QTest::newRow("month first") << "06/15/2024" << 1 << true << date(15, 6, 2024) << "";
    QTest::newRow("day beyond February") << "31/02/2024" << 0 << false << date(29, 2, 2024) << "29/02/2024";
    QTest::newRow("29 February of a common year") << "29/02/2023" << 0 << false << date(28, 2, 2023) << "28/02/2023";
    QTest::newRow("two-digit year") << "01/01/69" << 0 << true << date(1, 1, 2069) << "";
    QTest::newRow("before 1970") << "01/01/1969" << 0 << false << qint64(0) << "";
    QTest::newRow("day 0 and month 13") << "00/13/2020" << 0 << false << date(1, 12, 2020) << "01/12/2020";
    QTest::newRow("month 0") << "10/00/2020" << 0 << false << date(10, 1, 2020) << "10/01/2020";
    QTest::newRow("31 April") << "31/04/2024" << 0 << false << date(30, 4, 2024) << "30/04/2024";
    QTest::newRow("negative day") << "-3/05/2024" << 0 << false << date(31, 5, 2024) << "31/05/2024";
    QTest::newRow("29 February 2100 of the tick calendar") << "29/02/2100" << 0 << true << date(29, 2, 2100) << "";
    QTest::newRow("blanks are zeros") << " 1/ 2/2024" << 0 << true << date(1, 2, 2024) << "";
    QTest::newRow("empty") << "" << 0 << false << qint64(0) << "";
    QTest::newRow("masked empty") << "__/__/____" << 0 << false << qint64(0) << "";
    QTest::newRow("no year") << "1/2" << 0 << false << qint64(0) << "";
    QTest::newRow("no separator") << "15062024" << 0 << false << qint64(0) << "";
    QTest::newRow("letters") << "aa/01/2024" << 0 << false << qint64(0) << "";
    QTest::newRow("five-digit year") << "01/01/10000" << 0 << false << qint64(0) << "";
    QTest::newRow("year beyond 32 bits") << "01/01/99999999999" << 0 << false << qint64(0) << "";
}

void TestTimeParse::parseDate()
{
    QFETCH(QString, text);
    QFETCH(int, dateFormat);
    QFETCH(bool, ok);
    qint64 ticks = -1;
    QString normalised;
    QCOMPARE(DateTime::parseDate(text, &ticks, '/', OrvaneEnum::DateFormat(dateFormat), &normalised), ok);
    QTEST(ticks, "ticks");
    QTEST(normalised, "normalised");
    QTEST(qint64(DateTime::stringToDateWithPoint(text, QStringLiteral("/"), dateFormat)), "ticks");
}

void TestTimeParse::normalisedTextFollowsApplicationFormat()
{
    m_fixture->get()->setDateFormat(OrvaneEnum::DATE_FORMAT_MM_DD_YYYY);
    qint64 ticks = 0;
    QString normalised;
    QVERIFY(!DateTime::parseDate(
        QStringLiteral("31/02/2024"), &ticks, '/', OrvaneEnum::DATE_FORMAT_DD_MM_YYYY, &normalised));
    QCOMPARE(ticks, date(29, 2, 2024));
    QCOMPARE(normalised, QStringLiteral("02/29/2024"));
}

void TestTimeParse::dateWrappers()
{
    QCOMPARE(DateTime::stringToDateWithPoint(QStringLiteral("15.06.2024"), QStringLiteral("."), 0),
        qlonglong(date(15, 6, 2024)));
    QCOMPARE(DateTime::stringToDateWithPoint(QStringLiteral("15/06/2024")), qlonglong(date(15, 6, 2024)));
    QString corrected;
    QCOMPARE(DateTime::stringToDateWithPoint(
                 QStringLiteral("31/02/2023"), '/', OrvaneEnum::DATE_FORMAT_DD_MM_YYYY, &corrected),
        qlonglong(date(28, 2, 2023)));
    QCOMPARE(corrected, QStringLiteral("28/02/2023"));
    QVERIFY(DateTime::checkDate(QStringLiteral("15/06/2024")));
    QVERIFY(!DateTime::checkDate(QStringLiteral("06/15/2024"))); // always day first
    QVERIFY(DateTime::checkDate(QStringLiteral("15-06-2024"), QStringLiteral("-")));
    QVERIFY(!DateTime::parseDate(QStringLiteral("31/02/2024"), nullptr));
}

void TestTimeParse::timeValidator_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("state");
    QTest::newRow("empty") << "" << int(QValidator::Acceptable);
    QTest::newRow("time") << "12:34:56.7891" << int(QValidator::Acceptable);
    QTest::newRow("masked") << "12:34:56.____" << int(QValidator::Acceptable);
    QTest::newRow("masked field left empty") << "12:34:__.____" << int(QValidator::Invalid);
    QTest::newRow("out of range") << "24:00:00" << int(QValidator::Invalid);
    QTest::newRow("not a time") << "12:3x" << int(QValidator::Invalid);
}

void TestTimeParse::timeValidator()
{
    QFETCH(QString, input);
    TimeValidator validator;
    int position = 0;
    QString text = input;
    QTEST(int(validator.validate(text, position)), "state");
    QCOMPARE(text, input);
}

void TestTimeParse::dateValidator_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("dateFormat");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("output");
    QTest::newRow("empty") << "" << 0 << int(QValidator::Acceptable) << "";
    QTest::newRow("date") << "15/06/2024" << 0 << int(QValidator::Acceptable) << "15/06/2024";
    QTest::newRow("corrected") << "31/04/2024" << 0 << int(QValidator::Invalid) << "30/04/2024";
    QTest::newRow("month first setting") << "04/31/2024" << 1 << int(QValidator::Invalid) << "04/30/2024";
    QTest::newRow("unreadable stays") << "xx/04/2024" << 0 << int(QValidator::Invalid) << "xx/04/2024";
    QTest::newRow("before 1970 stays") << "01/01/1969" << 0 << int(QValidator::Invalid) << "01/01/1969";
}

void TestTimeParse::dateValidator()
{
    QFETCH(QString, input);
    QFETCH(int, dateFormat);
    m_fixture->get()->setDateFormat(dateFormat);
    DateValidator validator;
    int position = 0;
    QTEST(int(validator.validate(input, position)), "state");
    QTEST(input, "output");
}

VANTOR_TEST_CLASS(TestTimeParse)
#include "tst_timeparse.moc"
