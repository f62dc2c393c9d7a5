#include "app/application.h"
#include "core/sharedapplication.h"
#include "testsupport/applicationfixture.h"
#include "testsupport/invokableforms.h"
#include "testsupport/testmain.h"
#include "time/datetime.h"

#include <QCoreApplication>
#include <QTest>
#include <QTranslator>

#include <cstring>
#include <memory>

using Vl::Tavix3::UI::DateTime;

// The catalogues are compiled into the library's resources; a test program registers them itself.
static void initTranslationResources() { Q_INIT_RESOURCE(vantor_translations); }

namespace {
constexpr qint64 kDay = DateTime::kTicksPerDay;

qint64 hms(qint64 h, qint64 m, qint64 s, qint64 fraction = 0)
{
    return ((h * 3600 + m * 60 + s) * 10000 + fraction) * 5;
}

const qint64 kSample = hms(12, 34, 56, 7891);
} // namespace

// The one time formatter (format words, layouts, signs and prefixes, the changed-position report),
// its wrappers, the date text and the input masks.
class TestTimeFormat : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void formatter_data();
    void formatter();
    void formatterStaysInsideItsBuffer();
    void nonAsciiPrefixIsReadThroughTheLocale();
    void updateCheckReportsFirstStalePosition();
    void wrappers();
    void cronoPrecisionIsCombinedByOr();
    void timeGap_data();
    void timeGap();
    void timeGapTranslated();
    void displayDateFollowsDateFormat();
    void emptyDateTime();
    void masks();
    void qmlCallForms();

private:
    std::unique_ptr<TestSupport::ApplicationFixture> m_fixture;
};

void TestTimeFormat::initTestCase()
{
    m_fixture = std::make_unique<TestSupport::ApplicationFixture>(TestSupport::ApplicationFixture::Stage::Constructed);
}

void TestTimeFormat::cleanupTestCase() { m_fixture.reset(); }

void TestTimeFormat::init()
{
    m_fixture->get()->setTimeFormat(0);
    m_fixture->get()->setDateFormat(0);
}

void TestTimeFormat::formatter_data()
{
    QTest::addColumn<qint64>("ticks");
    QTest::addColumn<uint>("format");
    QTest::addColumn<bool>("onlySeconds");
    QTest::addColumn<bool>("noDots");
    QTest::addColumn<char>("prefix");
    QTest::addColumn<bool>("proportional");
    QTest::addColumn<int>("timeFormat");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");

    const qint64 s65 = hms(0, 1, 5);
    auto row = [](const char* name, qint64 ticks, uint format, const char* text, int position, char prefix = 0,
                   bool onlySeconds = false, bool noDots = false, bool proportional = false, int timeFormat = 0) {
        QTest::newRow(name) << ticks << format << onlySeconds << noDots << prefix << proportional << timeFormat
                            << QString::fromLatin1(text) << position;
    };

    // Plain and crono words of the engine, the events log and the run screen.
    row("plain 0", kSample, 0, "12:34:56.7891", 0);
    row("crono 0x4025", kSample, 0x4025, "12:34:56", 0);
    row("crono 0x4325 blanks the hour", kSample, 0x4325, "   34:56", 3);
    row("0x1005 twelve-hour", hms(13, 5, 0), 0x1005, "01:05:00", 0, 0, false, false, false, 1);
    row("0x1005 24-hour setting", hms(13, 5, 0), 0x1005, "13:05:00", 0);
    row("twelve-hour only with the check bit", hms(13, 5, 0), 0x5, "13:05:00", 0, 0, false, false, false, 1);
    row("0x305 repetition time", hms(1, 2, 3), 0x305, "   02:03", 3);
    row("crono without fixed width marks the cut", kSample, 0x4005, "12:34:56_.7891", 0);
    row("crono without separators", kSample, 0x4000, "   1234567891 ", 0, 0, false, true);
    row("plain seconds", hms(0, 1, 5, 5000), 0, "00000065.5000", 0, 0, true);

    // Running and gap words of the display board.
    row("running 0x2305", s65, 0x2305, "    1:05", 3);
    row("running 0x2603", hms(0, 0, 5, 5000), 0x2603, "       5.5", 6);
    row("running 0x2008", s65, 0x2008, "    1", 0);
    row("running negative", -s65, 0x2305, "   -1:05", 3);
    row("running zero keeps the units digit", 0, 0x2305, "       0", 3);
    row("running fixed width", s65, 0x2325, "    1:05      ", 3);
    row("running tenths", hms(0, 0, 5, 5432), 0x20A0, "       5.5    ", 0);
    row("running start at 0", s65, 0x2345, "    1:05", 0);
    row("running seconds", hms(0, 1, 5, 5000), 0x2000, "      65.5000", 0, 0, true);
    row("running seconds without point", hms(0, 1, 5, 5000), 0x2000, " 000000655000", 0, 0, true, true);
    row("running without separators", s65, 0x2000, "   0001050000", 0, 0, false, true);
    row("gap positive", s65, 0x8305, "   +1:05", 3);
    row("gap negative", -s65, 0x8305, "   -1:05", 3);

    // Prefixes and the proportional font.
    row("prefix + dropped for a negative value", -s65, 0x2305, "   -1:05", 3, '+');
    row("prefix + shown for a positive value", s65, 0x2305, "   +1:05", 3, '+');
    row("prefix - dropped for a positive gap", s65, 0x8305, "   +1:05", 3, '-');
    row("other prefix before a positive value", s65, 0x2305, "   S1:05", 3, 'S');
    row("other prefix and sign before a negative value", -s65, 0x2305, "  S-1:05", 3, 'S');
    row("prefix without room goes to position 0", -hms(10, 0, 0), 0x2005, "S0:00:00", 0, 'S');
    row("prefix in plain mode", kSample, 0x305, "  S34:56", 3, 'S');
    row("prefix in plain mode without room", kSample, 0, "12:34:56.7891", 0, 'S');
    row("proportional font moves the sign", -hms(0, 10, 5), 0x2305, " - 10:05", 3, 0, false, false, true);
    row("fixed font keeps the sign", -hms(0, 10, 5), 0x2305, "  -10:05", 3);

    // Words beyond the line are held to it instead of writing outside the buffer.
    row("cut beyond the line", kSample, 0x1F, "", 0);
    row("blanks beyond the line", kSample, 0xF00, "             ", 14);
    row("crono cut beyond the line", kSample, 0x401F, "_12:34:56.7891", 0);
    row("running cut and blanks beyond the line", s65, 0x2F1F, "", 14);
}

void TestTimeFormat::formatter()
{
    QFETCH(qint64, ticks);
    QFETCH(uint, format);
    QFETCH(bool, onlySeconds);
    QFETCH(bool, noDots);
    QFETCH(char, prefix);
    QFETCH(bool, proportional);
    QFETCH(int, timeFormat);
    m_fixture->get()->setTimeFormat(timeFormat);

    char buffer[DateTime::kFormatBufferSize];
    const int position = DateTime::formatTime(ticks, buffer, format, onlySeconds, noDots, prefix, proportional);
    QTEST(QString::fromLatin1(buffer), "text");
    QTEST(position, "position");
    QTEST(DateTime::displayTime(ticks, format, onlySeconds, noDots, prefix, proportional, nullptr), "text");
}

void TestTimeFormat::nonAsciiPrefixIsReadThroughTheLocale()
{
    // Only a prefix from the caller can put a byte beyond ASCII into the text.
    char buffer[DateTime::kFormatBufferSize];
    const char prefix = char(0xE9);
    DateTime::formatTime(kSample, buffer, 0x305, false, false, prefix, false);
    const QString text = DateTime::displayTime(kSample, 0x305, false, false, prefix, false, nullptr);
    QCOMPARE(text, QString::fromLocal8Bit(buffer));
    QCOMPARE(text.mid(3), QStringLiteral("34:56"));
}

void TestTimeFormat::formatterStaysInsideItsBuffer()
{
    // Every format word, with guard bytes around the text and the caller's copy.
    constexpr int kGuard = 16;
    constexpr char kFill = char(0x5A);
    char text[kGuard + DateTime::kFormatBufferSize + kGuard];
    char check[kGuard + DateTime::kFormatBufferSize + kGuard];
    std::memset(check, kFill, sizeof check);
    std::memset(check + kGuard, 0, DateTime::kFormatBufferSize);
    for (uint format = 0; format <= 0xFFFF; ++format) {
        for (int variant = 0; variant < 8; ++variant) {
            std::memset(text, kFill, sizeof text);
            const bool onlySeconds = variant & 1;
            const bool noDots = variant & 2;
            const qint64 ticks = (variant & 4) ? -kSample : kSample;
            const int position = DateTime::formatTime(ticks, text + kGuard, format, onlySeconds, noDots,
                (format & 1) ? 'S' : '+', format & 2, check + kGuard);
            for (int k = 0; k < kGuard; ++k) {
                if (text[k] != kFill || text[kGuard + DateTime::kFormatBufferSize + k] != kFill || check[k] != kFill
                    || check[kGuard + DateTime::kFormatBufferSize + k] != kFill)
                    QFAIL(qPrintable(QStringLiteral("format 0x%1 wrote outside the buffer").arg(format, 0, 16)));
            }
            if (std::memchr(text + kGuard, 0, DateTime::kFormatBufferSize) == nullptr)
                QFAIL(qPrintable(QStringLiteral("format 0x%1 left no terminator").arg(format, 0, 16)));
            if (position < 0 || position > 14)
                QFAIL(qPrintable(QStringLiteral("format 0x%1 returned %2").arg(format, 0, 16).arg(position)));
        }
    }
}

void TestTimeFormat::updateCheckReportsFirstStalePosition()
{
    char buffer[DateTime::kFormatBufferSize];
    char shown[DateTime::kFormatBufferSize] = {};
    const qint64 s65 = hms(0, 1, 5);

    // From an empty copy, each call reports (and copies) the next stale position from the start on.
    QList<int> positions;
    for (int k = 0; k < 8; ++k)
        positions << DateTime::formatTime(s65, buffer, 0x2305, false, false, 0, false, shown);
    QCOMPARE(positions, (QList<int> { 3, 4, 5, 6, 7, 14, 14, 14 }));
    QCOMPARE(QString::fromLatin1(shown + 3), QStringLiteral(" 1:05"));

    // One second less changes only the last digit.
    QCOMPARE(DateTime::formatTime(hms(0, 1, 4), buffer, 0x2305, false, false, 0, false, shown), 7);
    QCOMPARE(DateTime::formatTime(hms(0, 1, 4), buffer, 0x2305, false, false, 0, false, shown), 14);

    // A shorter text reports its terminator once.
    DateTime::formatTime(hms(0, 0, 9), buffer, 0x2300);
    std::memcpy(shown, buffer, sizeof buffer);
    QCOMPARE(DateTime::formatTime(hms(0, 0, 9), buffer, 0x2305, false, false, 0, false, shown), 8);
    QCOMPARE(DateTime::formatTime(hms(0, 0, 9), buffer, 0x2305, false, false, 0, false, shown), 14);

    // Nothing to compare from position 14 on.
    QCOMPARE(DateTime::formatTime(s65, buffer, 0x2E05, false, false, 0, false, shown), 14);
}

void TestTimeFormat::wrappers()
{
    const qint64 s65 = hms(0, 1, 5);
    QCOMPARE(DateTime::displayTime(kSample), QStringLiteral("12:34:56.7891"));
    QCOMPARE(DateTime::displayTime(kSample, 0x4025), QStringLiteral("12:34:56"));
    QCOMPARE(DateTime::displayTime(hms(0, 1, 5, 5000), 0x2000, true, false), QStringLiteral("      65.5000"));
    QCOMPARE(DateTime::displayRunningTime(s65, 0x2305), QStringLiteral("    1:05     "));
    QCOMPARE(DateTime::displayRunningTime(s65, 0x2325), QStringLiteral("    1:05     "));
    QCOMPARE(DateTime::displayNetTime(s65), QStringLiteral("    1:05.0000"));
    QCOMPARE(DateTime::displayNetTime(s65, 0x305), QStringLiteral("    1:05"));
    QCOMPARE(DateTime::displayNetTime(s65, 0x2305), QStringLiteral("    1:05"));
    QCOMPARE(DateTime::displayNetTime(hms(0, 1, 5, 5000), 0, true), QStringLiteral("      65.5000"));
    QCOMPARE(DateTime::displayCronoTime(kSample), QStringLiteral("12:34:56.7891 "));
    QCOMPARE(DateTime::displayCronoTime(-hms(0, 0, 1)), QStringLiteral("00:00:01.0000 "));
    QCOMPARE(DateTime::displayOptionalTime(boost::none), QString());
    QCOMPARE(DateTime::displayOptionalTime(kSample, 0x4025), QStringLiteral("12:34:56"));
}

void TestTimeFormat::cronoPrecisionIsCombinedByOr()
{
    QCOMPARE(DateTime::displayCronoTime(kSample, 0x25), QStringLiteral("12:34:56"));
    // The application passes the whole crono word: it must not turn into the gap word.
    QCOMPARE(DateTime::displayCronoTime(kSample, 0x4025), QStringLiteral("12:34:56"));
    QCOMPARE(DateTime::displayCronoTime(kSample, 5), QStringLiteral("12:34:56_.7891"));
}

void TestTimeFormat::timeGap_data()
{
    QTest::addColumn<qint64>("ticks");
    QTest::addColumn<uint>("format");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero is empty") << qint64(0) << 0u << QString();
    QTest::newRow("positive") << hms(0, 1, 5) << 0u << QStringLiteral("   +1:05.0000");
    QTest::newRow("negative") << -hms(0, 1, 5) << 0u << QStringLiteral("   -1:05.0000");
    QTest::newRow("with a format word") << hms(0, 1, 5) << 0x305u << QStringLiteral("   +1:05");
    QTest::newRow("no room for the sign") << kDay - 5 << 0x5u << QStringLiteral("23:59:59");
    QTest::newRow("one day") << kDay << 0u << QStringLiteral("+1 Day");
    QTest::newRow("below two days") << 2 * kDay - 1 << 0u << QStringLiteral("+1 Day");
    QTest::newRow("two days") << 2 * kDay << 0u << QStringLiteral("+2 Days");
    QTest::newRow("ten days") << 10 * kDay + hms(5, 0, 0) << 0u << QStringLiteral("+10 Days");
}

void TestTimeFormat::timeGap()
{
    QFETCH(qint64, ticks);
    QFETCH(uint, format);
    QTEST(DateTime::displayTimeGap(ticks, format), "text");
}

void TestTimeFormat::timeGapTranslated()
{
    initTranslationResources();
    QTranslator german;
    QVERIFY(german.load(QStringLiteral("Orvane_de_DE"), QStringLiteral(":/resources/languages")));
    QCoreApplication::installTranslator(&german);
    const QString one = DateTime::displayTimeGap(kDay);
    const QString two = DateTime::displayTimeGap(2 * kDay);
    QCoreApplication::removeTranslator(&german);
    QCOMPARE(one, QStringLiteral("+1 Tag"));
    QCOMPARE(two, QStringLiteral("+2 Tage"));
}

void TestTimeFormat::displayDateFollowsDateFormat()
{
    const qint64 ticks = DateTime::dateToTicks({ 29, 2, 2024 }) + hms(10, 0, 0);
    QCOMPARE(DateTime::displayDate(ticks), QStringLiteral("29/02/2024"));
    m_fixture->get()->setDateFormat(1);
    QCOMPARE(DateTime::displayDate(ticks), QStringLiteral("02/29/2024"));
    m_fixture->get()->setDateFormat(0);
    QCOMPARE(DateTime::displayDate(0), QStringLiteral("01/01/1970"));
}

void TestTimeFormat::emptyDateTime()
{
    QVERIFY(DateTime::isEmptyDateTime(QString()));
    QVERIFY(DateTime::isEmptyDateTime(QStringLiteral("__:__:__.____")));
    QVERIFY(DateTime::isEmptyDateTime(QStringLiteral("  /  /    ")));
    QVERIFY(!DateTime::isEmptyDateTime(QStringLiteral("__:_0:__")));
    QVERIFY(!DateTime::isEmptyDateTime(QStringLiteral("9")));
}

void TestTimeFormat::masks()
{
    QCOMPARE(DateTime::getTimeMask(), QStringLiteral("99:99:99.9999;_"));
    QCOMPARE(DateTime::getTimeMask(5), QStringLiteral("99:99:99;_"));
    QCOMPARE(DateTime::getTimeMask(2, QStringLiteral(" ")), QStringLiteral("99:99:99.99; "));
    QCOMPARE(DateTime::getTimeMask(0, QStringLiteral("_"), true), QStringLiteral("99999999.9999;_"));
    QCOMPARE(DateTime::getCronoTimeMask(), QStringLiteral("99:99:99.9999 ;_"));
    QCOMPARE(DateTime::getPointMask(), QStringLiteral("0009.9999; "));
    QCOMPARE(DateTime::getPointMask(QStringLiteral("_")), QStringLiteral("0009.9999;_"));
    QCOMPARE(DateTime::getDateMask(), QStringLiteral("99/99/9999;_"));
    QCOMPARE(DateTime::getDateMask(QStringLiteral("#")), QStringLiteral("99/99/9999;#"));
}

// Every call form QML may use, each of them its own invokable: QML picks a form by its number of
// arguments, and a missing form makes it drop arguments without a word.
void TestTimeFormat::qmlCallForms()
{
    QStringList expected { "getDateTime()", "getTime()", "getDate()", "getOnlyDate(qlonglong)",
        "getOnlyTime(qlonglong)", "isDateValid(int,int,int)", "qDateTimeToTicks(QDateTime)",
        "resultTime(int,QString,QString,QString,QString)", "resultDate(int,QString,QString,QString,QString)",
        "getDay(qlonglong)", "getDay()", "getMonth(qlonglong)", "getMonth()", "getYear(qlonglong)", "getYear()",
        "setDateTime(qlonglong,qlonglong,int,int,int)", "modifySynchroTime(int,QString,QString)",
        "modifySynchroTime(qlonglong)", "displayTime(qlonglong)", "displayTime(qlonglong,uint)",
        "displayTime(qlonglong,uint,bool)", "displayTime(qlonglong,uint,bool,bool)",
        "displayTime(qlonglong,uint,bool,bool,QVariant)", "displayTime(qlonglong,uint,bool,bool,QVariant,bool)",
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
        "stringToDateWithPoint(QString,QString,int)", "stringToDateWithPoint(QString,QString,int,QVariant)" };
    expected.sort();
    QCOMPARE(TestSupport::invokableForms(DateTime::staticMetaObject), expected);
}

VANTOR_TEST_CLASS(TestTimeFormat)
#include "tst_timeformat.moc"
