#include "time/datetime.h"

#include "core/applicationservices.h"
#include "core/sharedapplication.h"
#include "time/localtimeoffset.h"

#include <QCoreApplication>

#include <atomic>
#include <memory>

namespace Vl::Tavix3::UI {

namespace {

using Vl::Common::TickTime;

// The fake clock, when one is set; the flag keeps the real clock's path free of any locking.
std::atomic<bool> s_hasFakeClock { false };
std::shared_ptr<const DateTime::ClockSource> s_fakeClock;

int applicationDateFormat()
{
    const QSharedPointer<ApplicationServices> app = sharedApplicationServices();
    return app ? app->dateFormat() : 0;
}

int applicationTimeFormat()
{
    const QSharedPointer<ApplicationServices> app = sharedApplicationServices();
    return app ? app->timeFormat() : 0;
}

// Vantor's formatting: 12-hour only where the format word asks for the application's setting, and
// a four-bit blank count.
TickTime::FormatRules formatRules(uint format)
{
    TickTime::FormatRules rules;
    rules.twelveHour
        = (format & OrvaneEnum::QFMT_CHECK_FORMAT) && applicationTimeFormat() == OrvaneEnum::TIME_FORMAT_12_H;
    rules.blankCountMask = 0xF;
    return rules;
}

int dateOrder(int dateFormat)
{
    return dateFormat == OrvaneEnum::DATE_FORMAT_MM_DD_YYYY ? TickTime::kMonthFirst : TickTime::kDayFirst;
}

// The formatter writes ASCII (digits, separators, signs) and the caller's prefix: read as Latin-1
// it gives the text the locale's codec would, without the codec's look-up on every call, which
// costs more than the formatting itself and sits on the path of the start signals.
QString formattedText(const char* buffer)
{
    for (const char* p = buffer; *p != 0; ++p) {
        if (static_cast<unsigned char>(*p) >= 0x80)
            return QString::fromLocal8Bit(buffer);
    }
    return QString::fromLatin1(buffer);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Clock

// The same value as qDateTimeToTicks (QDateTime::currentDateTime ()), without the C library's
// local-time look-up on every reading.
qint64 DateTime::systemDateTime()
{
    static LocalTimeOffset localOffset;
    const qint64 utcMs = QDateTime::currentMSecsSinceEpoch();
    return (utcMs + localOffset.offsetMsAt(utcMs)) * QMIL1;
}

qlonglong DateTime::getDateTime()
{
    if (s_hasFakeClock.load(std::memory_order_acquire)) {
        const std::shared_ptr<const ClockSource> clock = std::atomic_load(&s_fakeClock);
        if (clock && *clock)
            return (*clock)() / QDMIL1 * QDMIL1;
    }
    return systemDateTime() / QDMIL1 * QDMIL1;
}

bool DateTime::isRealClock() { return !s_hasFakeClock.load(std::memory_order_acquire); }

void DateTime::setClock(ClockSource clock)
{
    if (!clock) {
        resetClock();
        return;
    }
    std::atomic_store(
        &s_fakeClock, std::shared_ptr<const ClockSource>(std::make_shared<ClockSource>(std::move(clock))));
    s_hasFakeClock.store(true, std::memory_order_release);
}

void DateTime::resetClock()
{
    s_hasFakeClock.store(false, std::memory_order_release);
    std::atomic_store(&s_fakeClock, std::shared_ptr<const ClockSource>());
}

qlonglong DateTime::getTime() { return getDateTime() % kTicksPerDay; }

qlonglong DateTime::getDate() { return getDateTime() / kTicksPerDay * kTicksPerDay; }

qlonglong DateTime::getOnlyDate(qlonglong dateTime) { return dateTime / kTicksPerDay; }

qlonglong DateTime::getOnlyTime(qlonglong dateTime) { return dateTime % kTicksPerDay; }

int DateTime::getDay(qlonglong dateTime) { return ticksToDate(dateTime).day; }

int DateTime::getDay() { return getDay(getDateTime()); }

int DateTime::getMonth(qlonglong dateTime) { return ticksToDate(dateTime).month; }

int DateTime::getMonth() { return getMonth(getDateTime()); }

int DateTime::getYear(qlonglong dateTime) { return ticksToDate(dateTime).year; }

int DateTime::getYear() { return getYear(getDateTime()); }

qlonglong DateTime::qDateTimeToTicks(const QDateTime& time)
{
    const qint64 ms = time.toMSecsSinceEpoch() + qint64(time.offsetFromUtc()) * 1000;
    return ms * QMIL1 / QDMIL1 * QDMIL1;
}

// Vantor never sets the computer's clock.
bool DateTime::setDateTime(qlonglong, qlonglong, int, int, int) { return true; }

void DateTime::modifySynchroTime(int, const QString&, const QString&) { }

void DateTime::modifySynchroTime(qlonglong) { }

void DateTime::assignDateTime(qint64* target)
{
    if (target)
        *target = getDateTime();
}

// ---------------------------------------------------------------------------------------------
// Calendar

DateParts DateTime::ticksToDate(qint64 ticks) { return TickTime::ticksToDate(ticks); }

qint64 DateTime::dateToTicks(const DateParts& date) { return TickTime::dateToTicks(date); }

bool DateTime::isDateValid(int day, int month, int year) { return TickTime::isDateValid(day, month, year); }

TimeParts DateTime::splitTime(qint64 ticks, int twelveHour) { return TickTime::splitTime(ticks, twelveHour); }

void DateTime::roundTicks(qint64& value, qint64 unit, qint64 threshold)
{
    TickTime::roundTicks(value, unit, threshold);
}

void DateTime::roundOptionalTicks(boost::optional<qint64>& value, qint64 unit, qint64 threshold)
{
    if (value)
        roundTicks(*value, unit, threshold);
}

qint64 DateTime::truncateToDmil(qint64 value) { return value / QDMIL1 * QDMIL1; }

QString DateTime::resultTime(int sign, const QString& timeStringA, const QString& dateStringA,
    const QString& timeStringB, const QString& dateStringB)
{
    return TickTime::resultTime(sign, timeStringA, dateStringA, timeStringB, dateStringB);
}

QString DateTime::resultDate(int sign, const QString& timeStringA, const QString& dateStringA,
    const QString& timeStringB, const QString& dateStringB)
{
    return TickTime::resultDate(sign, timeStringA, dateStringA, timeStringB, dateStringB);
}

// ---------------------------------------------------------------------------------------------
// Formatting

int DateTime::formatTime(qint64 dateTime, char buffer[kFormatBufferSize], uint format, bool onlySeconds, bool noDots,
    char prefix, bool proportionalFont, char* updateCheck)
{
    return TickTime::formatTime(
        dateTime, buffer, format, formatRules(format), onlySeconds, noDots, prefix, proportionalFont, updateCheck);
}

QString DateTime::displayTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots, char prefix,
    bool proportionalFont, char* updateCheck)
{
    char buffer[kFormatBufferSize];
    formatTime(dateTime, buffer, format, onlySeconds, noDots, prefix, proportionalFont, updateCheck);
    return formattedText(buffer);
}

QString DateTime::displayOptionalTime(const boost::optional<qint64>& value, uint format, bool onlySeconds, bool noDots,
    char prefix, bool proportionalFont, char* updateCheck)
{
    if (!value)
        return QString();
    return displayTime(*value, format, onlySeconds, noDots, prefix, proportionalFont, updateCheck);
}

QString DateTime::displayRunningTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots, char prefix,
    bool proportionalFont, char* updateCheck)
{
    QString text = displayTime(dateTime, format | 0x20u, onlySeconds, noDots, prefix, proportionalFont, updateCheck);
    text.chop(1);
    return text;
}

QString DateTime::displayNetTime(qlonglong dateTime, uint format, boost::optional<bool> onlySeconds)
{
    return displayTime(
        dateTime, format | OrvaneEnum::QFMT_RUNNING, onlySeconds.value_or(false), false, 0, false, nullptr);
}

QString DateTime::displayTimeGap(qlonglong dateTime, uint format, boost::optional<bool> onlySeconds)
{
    if (dateTime == 0)
        return QString();
    if (dateTime < kTicksPerDay)
        return displayTime(
            dateTime, format | OrvaneEnum::QFMT_GAP, onlySeconds.value_or(false), false, 0, false, nullptr);
    const qint64 days = dateTime / kTicksPerDay;
    return QStringLiteral("+") + QString::number(days) + QLatin1Char(' ') + (days < 2 ? tr("Day") : tr("Days"));
}

QString DateTime::displayCronoTime(qlonglong dateTime) { return TickTime::cronoTime(dateTime); }

QString DateTime::displayCronoTime(qlonglong dateTime, uint precision)
{
    // Or, not plus: a precision that already carries the crono bit must stay a crono word.
    return displayTime(dateTime, precision | OrvaneEnum::QFMT_CRONO, false, false, 0, false, nullptr);
}

QString DateTime::displayDate(qlonglong dateTime)
{
    return TickTime::formatDate(ticksToDate(dateTime), dateOrder(applicationDateFormat()));
}

bool DateTime::isEmptyDateTime(const QString& text) { return TickTime::isEmptyDateTime(text); }

QString DateTime::displayTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots, const QVariant& prefix,
    bool proportionalFont, const QVariant&)
{
    return displayTime(dateTime, format, onlySeconds, noDots, prefix, proportionalFont);
}

QString DateTime::displayTime(
    qlonglong dateTime, uint format, bool onlySeconds, bool noDots, const QVariant& prefix, bool proportionalFont)
{
    return displayTime(dateTime, format, onlySeconds, noDots, TickTime::prefixChar(prefix), proportionalFont, nullptr);
}

QString DateTime::displayTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots, const QVariant& prefix)
{
    return displayTime(dateTime, format, onlySeconds, noDots, prefix, false);
}

QString DateTime::displayTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots)
{
    return displayTime(dateTime, format, onlySeconds, noDots, 0, false, nullptr);
}

QString DateTime::displayTime(qlonglong dateTime, uint format, bool onlySeconds)
{
    return displayTime(dateTime, format, onlySeconds, false);
}

QString DateTime::displayTime(qlonglong dateTime, uint format) { return displayTime(dateTime, format, false, false); }

QString DateTime::displayTime(qlonglong dateTime) { return displayTime(dateTime, 0u, false, false); }

QString DateTime::displayRunningTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots,
    const QVariant& prefix, bool proportionalFont, const QVariant&)
{
    return displayRunningTime(dateTime, format, onlySeconds, noDots, prefix, proportionalFont);
}

QString DateTime::displayRunningTime(
    qlonglong dateTime, uint format, bool onlySeconds, bool noDots, const QVariant& prefix, bool proportionalFont)
{
    return displayRunningTime(
        dateTime, format, onlySeconds, noDots, TickTime::prefixChar(prefix), proportionalFont, nullptr);
}

QString DateTime::displayRunningTime(
    qlonglong dateTime, uint format, bool onlySeconds, bool noDots, const QVariant& prefix)
{
    return displayRunningTime(dateTime, format, onlySeconds, noDots, prefix, false);
}

QString DateTime::displayRunningTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots)
{
    return displayRunningTime(dateTime, format, onlySeconds, noDots, 0, false, nullptr);
}

QString DateTime::displayRunningTime(qlonglong dateTime, uint format, bool onlySeconds)
{
    return displayRunningTime(dateTime, format, onlySeconds, false);
}

QString DateTime::displayRunningTime(qlonglong dateTime, uint format)
{
    return displayRunningTime(dateTime, format, false, false);
}

QString DateTime::displayRunningTime(qlonglong dateTime) { return displayRunningTime(dateTime, 0u); }

QString DateTime::displayNetTime(qlonglong dateTime, uint format, bool onlySeconds)
{
    return displayNetTime(dateTime, format, boost::optional<bool>(onlySeconds));
}

QString DateTime::displayNetTime(qlonglong dateTime, uint format)
{
    return displayNetTime(dateTime, format, boost::none);
}

QString DateTime::displayNetTime(qlonglong dateTime) { return displayNetTime(dateTime, 0u, boost::none); }

QString DateTime::displayTimeGap(qlonglong dateTime, uint format, bool onlySeconds)
{
    return displayTimeGap(dateTime, format, boost::optional<bool>(onlySeconds));
}

QString DateTime::displayTimeGap(qlonglong dateTime, uint format)
{
    return displayTimeGap(dateTime, format, boost::none);
}

QString DateTime::displayTimeGap(qlonglong dateTime) { return displayTimeGap(dateTime, 0u, boost::none); }

// ---------------------------------------------------------------------------------------------
// Input masks

QString DateTime::getTimeMask(uint precision, const QString& maskChar, bool onlySeconds)
{
    return TickTime::timeMask(precision, maskChar, onlySeconds, formatRules(precision));
}

QString DateTime::getCronoTimeMask(const QString& maskChar) { return TickTime::cronoTimeMask(maskChar); }

QString DateTime::getPointMask(const QString& maskChar) { return TickTime::pointMask(maskChar); }

QString DateTime::getDateMask(const QString& maskChar) { return TickTime::dateMask(maskChar); }

// ---------------------------------------------------------------------------------------------
// Parsing

bool DateTime::parseTime(
    const QString& text, qint64* ticks, bool onlySeconds, char timeSeparator, char decimalSeparator)
{
    return TickTime::parseTime(text, ticks, onlySeconds, timeSeparator, decimalSeparator);
}

bool DateTime::parseDate(
    const QString& text, qint64* ticks, char dateSeparator, OrvaneEnum::DateFormat dateFormat, QString* normalised)
{
    // The corrected text follows the application's date format, whatever order the text was read in.
    return TickTime::parseDate(text, ticks, dateSeparator, dateOrder(dateFormat),
        normalised ? dateOrder(applicationDateFormat()) : TickTime::kDayFirst, normalised);
}

boost::optional<qint64> DateTime::stringToTimeWithPoint(
    const QString& text, bool onlySeconds, char timeSeparator, char decimalSeparator)
{
    qint64 ticks = 0;
    if (parseTime(text, &ticks, onlySeconds, timeSeparator, decimalSeparator))
        return ticks;
    return boost::none;
}

qlonglong DateTime::stringToTimeWithPointQML(
    const QString& origText, bool onlySeconds, const QString& timeSeparator, const QString& decimalSeparator)
{
    qint64 ticks = 0;
    parseTime(origText, &ticks, onlySeconds, TickTime::separatorChar(timeSeparator, ':'),
        TickTime::separatorChar(decimalSeparator, '.'));
    return ticks;
}

qlonglong DateTime::stringToDateWithPoint(
    const QString& origText, char dateSeparator, OrvaneEnum::DateFormat dateFormat, QString* resultText)
{
    qint64 ticks = 0;
    parseDate(origText, &ticks, dateSeparator, dateFormat, resultText);
    return ticks;
}

qlonglong DateTime::stringToDateWithPoint(
    const QString& origText, const QString& dateSeparator, int dateFormat, const QVariant&)
{
    return stringToDateWithPoint(origText, dateSeparator, dateFormat);
}

qlonglong DateTime::stringToDateWithPoint(const QString& origText, const QString& dateSeparator, int dateFormat)
{
    const auto format = dateFormat == OrvaneEnum::DATE_FORMAT_MM_DD_YYYY ? OrvaneEnum::DATE_FORMAT_MM_DD_YYYY
                                                                         : OrvaneEnum::DATE_FORMAT_DD_MM_YYYY;
    return stringToDateWithPoint(origText, TickTime::separatorChar(dateSeparator, '/'), format, nullptr);
}

qlonglong DateTime::stringToDateWithPoint(const QString& origText, const QString& dateSeparator)
{
    return stringToDateWithPoint(origText, dateSeparator, OrvaneEnum::DATE_FORMAT_DD_MM_YYYY);
}

qlonglong DateTime::stringToDateWithPoint(const QString& origText)
{
    return stringToDateWithPoint(origText, '/', OrvaneEnum::DATE_FORMAT_DD_MM_YYYY, nullptr);
}

bool DateTime::checkTime(
    const QString& input, bool onlySeconds, const QString& timeSeparator, const QString& decimalSeparator)
{
    qint64 ticks = 0;
    return parseTime(input, &ticks, onlySeconds, TickTime::separatorChar(timeSeparator, ':'),
        TickTime::separatorChar(decimalSeparator, '.'));
}

bool DateTime::checkDate(const QString& input, const QString& dateSeparator)
{
    qint64 ticks = 0;
    return parseDate(
        input, &ticks, TickTime::separatorChar(dateSeparator, '/'), OrvaneEnum::DATE_FORMAT_DD_MM_YYYY, nullptr);
}

} // namespace Vl::Tavix3::UI
