#include "app/application.h"
#include "app/datetime.h"
#include "app/sharedapplication.h"
#include "testsupport/invokableforms.h"
#include "testsupport/testmain.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTest>

using Vl::Orvane::UI::Application;
using Vl::Orvane::UI::DateTime;

// TestVantor's variant of the date utility: a UTC clock, 24-hour texts with a five-bit blank count,
// and dates read and written in the application's day/month order.
class TestClientDateTime : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void clockCountsUtc();
    void qDateTimeToTicksHasNoOffset();
    void localDateOfAnInstant_data();
    void localDateOfAnInstant();
    void dateOrderFollowsTheApplication();
    void formatterIsAlways24Hour();
    void sharedFormatting_data();
    void sharedFormatting();
    void masksAndParsers();
    void qmlCallForms();

private:
    QSharedPointer<Application> m_application;
};

void TestClientDateTime::init()
{
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Velmora"), QStringLiteral("TestVantor"))
        .clear();
    m_application = QSharedPointer<Application>::create(QCoreApplication::instance(), nullptr, nullptr);
    Vl::Orvane::UI::setSharedApplication(m_application);
}

void TestClientDateTime::cleanup()
{
    DateTime::setClock({});
    Vl::Orvane::UI::resetSharedApplication();
    m_application.reset();
}

void TestClientDateTime::clockCountsUtc()
{
    // 2024-03-01 10:41:27.123 UTC; the tests run in Europe/Rome, one hour ahead.
    const QDateTime utc(QDate(2024, 3, 1), QTime(10, 41, 27, 123), Qt::UTC);
    DateTime::setClock([utc] { return utc.toMSecsSinceEpoch() * 50 + 3; });
    QCOMPARE(DateTime::getDateTime(), utc.toMSecsSinceEpoch() * 50);
    QCOMPARE(DateTime::getTime(), qlonglong(((10 * 60 + 41) * 60 + 27) * 50000LL + 123 * 50));
    QCOMPARE(DateTime::displayDate(DateTime::getDate()), QStringLiteral("01/03/2024"));
    DateTime::setClock({});
    const qint64 before = QDateTime::currentMSecsSinceEpoch() * 50;
    const qint64 now = DateTime::getDateTime();
    // Back on the real clock: not before the reading just taken, and within a minute of it.
    QVERIFY(now >= before / 5 * 5 && now - before < 60 * 50 * 1000);
}

void TestClientDateTime::qDateTimeToTicksHasNoOffset()
{
    const QDateTime local(QDate(1970, 1, 2), QTime(0, 0), Qt::LocalTime);
    QCOMPARE(DateTime::qDateTimeToTicks(local), local.toMSecsSinceEpoch() * 50);
    QCOMPARE(DateTime::qDateTimeToTicks(local), (86400000LL - 3600000LL) * 50);
}

void TestClientDateTime::localDateOfAnInstant_data()
{
    QTest::addColumn<QDateTime>("utc");
    QTest::addColumn<QString>("date");
    // Europe/Rome is one hour ahead of UTC in winter and two in summer.
    QTest::newRow("winter, after local midnight")
        << QDateTime(QDate(2024, 3, 9), QTime(23, 30), Qt::UTC) << QStringLiteral("10/03/2024");
    QTest::newRow("winter, before local midnight")
        << QDateTime(QDate(2024, 3, 9), QTime(22, 59, 59), Qt::UTC) << QStringLiteral("09/03/2024");
    QTest::newRow("summer, after local midnight")
        << QDateTime(QDate(2024, 7, 14), QTime(22, 0), Qt::UTC) << QStringLiteral("15/07/2024");
    QTest::newRow("summer, before local midnight")
        << QDateTime(QDate(2024, 7, 14), QTime(21, 59), Qt::UTC) << QStringLiteral("14/07/2024");
    QTest::newRow("new year") << QDateTime(QDate(2024, 12, 31), QTime(23, 0), Qt::UTC) << QStringLiteral("01/01/2025");
    QTest::newRow("the first day of the clock")
        << QDateTime(QDate(1970, 1, 1), QTime(0, 0), Qt::UTC) << QStringLiteral("01/01/1970");
}

void TestClientDateTime::localDateOfAnInstant()
{
    QFETCH(QDateTime, utc);
    QFETCH(QString, date);
    const qlonglong ticks = utc.toMSecsSinceEpoch() * 50;
    QCOMPARE(DateTime::displayDate(DateTime::localDate(ticks)), date);
    QCOMPARE(DateTime::getOnlyTime(DateTime::localDate(ticks)), 0);
}

void TestClientDateTime::dateOrderFollowsTheApplication()
{
    const qint64 march1 = DateTime::dateToTicks({ 1, 3, 2024 });
    QCOMPARE(DateTime::displayDate(march1), QStringLiteral("01/03/2024"));
    QCOMPARE(DateTime::stringToDateWithPoint(QStringLiteral("01/03/2024")), qlonglong(march1));
    QString normalised;
    DateTime::stringToDateWithPoint(QStringLiteral("31/02/2024"), '/', &normalised);
    QCOMPARE(normalised, QStringLiteral("29/02/2024"));

    m_application->setDateFormat(1);
    QCOMPARE(DateTime::displayDate(march1), QStringLiteral("03/01/2024"));
    QCOMPARE(DateTime::stringToDateWithPoint(QStringLiteral("03/01/2024")), qlonglong(march1));
    DateTime::stringToDateWithPoint(QStringLiteral("02/31/2024"), '/', &normalised);
    QCOMPARE(normalised, QStringLiteral("02/29/2024"));
    QVERIFY(DateTime::checkDate(QStringLiteral("12/31/2024")));
    QVERIFY(!DateTime::checkDate(QStringLiteral("31/12/2024")));
}

void TestClientDateTime::formatterIsAlways24Hour()
{
    m_application->setTimeFormat(1);
    const qint64 afternoon = (13 * 3600 + 5 * 60) * 50000LL;
    QCOMPARE(DateTime::displayTime(afternoon, 0x4025), QStringLiteral("13:05:00"));
    // Bit 12 belongs to the blank count here: 16 blanks cover the whole line.
    QCOMPARE(DateTime::displayTime(afternoon, 0x1005).trimmed(), QString());
    QCOMPARE(DateTime::displayTime(afternoon, 0x1005).size(), 8);
}

void TestClientDateTime::sharedFormatting_data()
{
    QTest::addColumn<qlonglong>("ticks");
    QTest::addColumn<uint>("format");
    QTest::addColumn<QString>("text");
    const qlonglong t = ((12 * 3600 + 34 * 60 + 56) * 10000LL + 7891) * 5;
    QTest::newRow("plain") << t << 0u << "12:34:56.7891";
    QTest::newRow("crono seconds") << t << 0x4025u << "12:34:56";
    QTest::newRow("hour blanked") << t << 0x4325u << "   34:56";
    QTest::newRow("running") << qlonglong(65 * 50000LL) << 0x2305u << "    1:05";
    QTest::newRow("running negative") << qlonglong(-65 * 50000LL) << 0x2305u << "   -1:05";
}

void TestClientDateTime::sharedFormatting()
{
    QFETCH(qlonglong, ticks);
    QFETCH(uint, format);
    QFETCH(QString, text);
    QCOMPARE(DateTime::displayTime(ticks, format), text);
}

void TestClientDateTime::masksAndParsers()
{
    QCOMPARE(DateTime::getTimeMask(), QStringLiteral("99:99:99.9999;_"));
    QCOMPARE(DateTime::getDateMask(), QStringLiteral("99/99/9999;_"));
    QCOMPARE(DateTime::getPointMask(), QStringLiteral("0009.9999; "));
    QCOMPARE(DateTime::stringToTimeWithPointQML(QStringLiteral("00:01:30")), qlonglong(90 * 50000LL));
    QVERIFY(!DateTime::checkTime(QStringLiteral("24:00:00")));
    QCOMPARE(DateTime::displayCronoTime(90 * 50000LL), QStringLiteral("00:01:30.0000 "));
    QCOMPARE(DateTime::resultDate(-1, "10:00:00", "5", "10:00:00", "5"), QStringLiteral("0"));
    // The sign is a factor: A + 2 × B.
    QCOMPARE(DateTime::resultTime(2, "01:00:00", "0", "10:30:00.5", "1"), QStringLiteral("22:00:01.0000"));
    QCOMPARE(DateTime::resultDate(2, "01:00:00", "0", "10:30:00.5", "1"), QStringLiteral("2"));
}

// Every call form QML may use, each of them its own invokable: QML picks a form by its number of
// arguments, and a missing form makes it drop arguments without a word. The tool's utility has no
// day, month and year getters, sets no clock and takes no date order.
void TestClientDateTime::qmlCallForms()
{
    QStringList expected { "getDateTime()", "getTime()", "getDate()", "getOnlyDate(qlonglong)",
        "getOnlyTime(qlonglong)", "isDateValid(int,int,int)", "qDateTimeToTicks(QDateTime)",
        "resultTime(int,QString,QString,QString,QString)", "resultDate(int,QString,QString,QString,QString)",
        "displayTime(qlonglong)", "displayTime(qlonglong,uint)", "displayTime(qlonglong,uint,bool)",
        "displayTime(qlonglong,uint,bool,bool)", "displayTime(qlonglong,uint,bool,bool,QVariant)",
        "displayTime(qlonglong,uint,bool,bool,QVariant,bool)",
        "displayTime(qlonglong,uint,bool,bool,QVariant,bool,QVariant)", "displayRunningTime(qlonglong)",
        "displayRunningTime(qlonglong,uint)", "displayRunningTime(qlonglong,uint,bool)",
        "displayRunningTime(qlonglong,uint,bool,bool)", "displayRunningTime(qlonglong,uint,bool,bool,QVariant)",
        "displayRunningTime(qlonglong,uint,bool,bool,QVariant,bool)",
        "displayRunningTime(qlonglong,uint,bool,bool,QVariant,bool,QVariant)", "displayNetTime(qlonglong)",
        "displayNetTime(qlonglong,uint)", "displayNetTime(qlonglong,uint,bool)", "displayTimeGap(qlonglong)",
        "displayTimeGap(qlonglong,uint)", "displayTimeGap(qlonglong,uint,bool)", "displayCronoTime(qlonglong)",
        "displayCronoTime(qlonglong,uint)", "displayDate(qlonglong)", "isEmptyDateTime(QString)", "getTimeMask()",
        "getTimeMask(uint)", "getTimeMask(uint,QString)", "getTimeMask(uint,QString,bool)", "getCronoTimeMask()",
        "getCronoTimeMask(QString)", "getPointMask()", "getPointMask(QString)", "getDateMask()", "getDateMask(QString)",
        "stringToTimeWithPointQML(QString)", "stringToTimeWithPointQML(QString,bool)",
        "stringToTimeWithPointQML(QString,bool,QString)", "stringToTimeWithPointQML(QString,bool,QString,QString)",
        "checkTime(QString)", "checkTime(QString,bool)", "checkTime(QString,bool,QString)",
        "checkTime(QString,bool,QString,QString)", "checkDate(QString)", "checkDate(QString,QString)",
        "stringToDateWithPoint(QString)", "stringToDateWithPoint(QString,QString)",
        "stringToDateWithPoint(QString,QString,QVariant)",
        // the local calendar day of an instant, for the start date shown beside a local start time
        "localDate(qlonglong)" };
    expected.sort();
    QCOMPARE(TestSupport::invokableForms(DateTime::staticMetaObject), expected);
}

VANTOR_TEST_CLASS(TestClientDateTime)
#include "tst_clientdatetime.moc"
