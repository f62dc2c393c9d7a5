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

int orderOf(int dateFormat)
{
    return dateFormat == OrvaneEnum::DATE_FORMAT_MM_DD_YYYY ? TickTime::kMonthFirst : TickTime::kDayFirst;
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

// ---------------------------------------------------------------------------------------------
// Formatting

QString DateTime::displayOptionalTime(const boost::optional<qint64>& value, uint format, bool onlySeconds, bool noDots,
    char prefix, bool proportionalFont, char* updateCheck)
{
    if (!value)
        return QString();
    return displayTime(*value, format, onlySeconds, noDots, prefix, proportionalFont, updateCheck);
}

// ---------------------------------------------------------------------------------------------
// Date parsing

bool DateTime::parseDate(
    const QString& text, qint64* ticks, char dateSeparator, OrvaneEnum::DateFormat dateFormat, QString* normalised)
{
    // The corrected text follows the application's date format, whatever order the text was read in.
    return TickTime::parseDate(text, ticks, dateSeparator, orderOf(dateFormat),
        normalised ? orderOf(applicationDateFormat()) : TickTime::kDayFirst, normalised);
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

bool DateTime::checkDate(const QString& input, const QString& dateSeparator)
{
    qint64 ticks = 0;
    return parseDate(
        input, &ticks, TickTime::separatorChar(dateSeparator, '/'), OrvaneEnum::DATE_FORMAT_DD_MM_YYYY, nullptr);
}

// ---------------------------------------------------------------------------------------------
// What the shared operations ask of Vantor

// 12-hour only where the format word asks for the application's setting, and a four-bit blank count.
TickTime::FormatRules DateTime::formatRules(uint format)
{
    TickTime::FormatRules rules;
    rules.twelveHour
        = (format & OrvaneEnum::QFMT_CHECK_FORMAT) && applicationTimeFormat() == OrvaneEnum::TIME_FORMAT_12_H;
    rules.blankCountMask = 0xF;
    return rules;
}

int DateTime::dateOrder() { return orderOf(applicationDateFormat()); }

QString DateTime::dayWords(qint64 days) { return days < 2 ? tr("Day") : tr("Days"); }

} // namespace Vl::Tavix3::UI
