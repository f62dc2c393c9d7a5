#include "app/datetime.h"

#include "app/application.h"
#include "app/orvaneenum.h"
#include "app/sharedapplication.h"

namespace Vl::Orvane::UI {

namespace {

using Vl::Common::TickTime;

// The test clock, when one is set (TestVantor runs on one thread).
DateTime::ClockSource s_clock;

// TestVantor's formatter shows 24-hour time only and reads five bits of blank count.
TickTime::FormatRules formatRules()
{
    TickTime::FormatRules rules;
    rules.twelveHour = false;
    rules.blankCountMask = 0x1F;
    return rules;
}

int dateOrder()
{
    const QSharedPointer<Application> app = sharedApplication();
    return app && app->dateFormat() == OrvaneEnum::DATE_FORMAT_MM_DD_YYYY ? TickTime::kMonthFirst : TickTime::kDayFirst;
}

} // namespace

void DateTime::setClock(ClockSource clock) { s_clock = std::move(clock); }

qlonglong DateTime::getDateTime()
{
    const qint64 ticks = s_clock ? s_clock() : QDateTime::currentMSecsSinceEpoch() * QMIL1;
    return ticks / QDMIL1 * QDMIL1;
}

qlonglong DateTime::getTime() { return getDateTime() % kTicksPerDay; }

qlonglong DateTime::getDate() { return getDateTime() / kTicksPerDay * kTicksPerDay; }

qlonglong DateTime::getOnlyDate(qlonglong dateTime) { return dateTime / kTicksPerDay; }

qlonglong DateTime::getOnlyTime(qlonglong dateTime) { return dateTime % kTicksPerDay; }

qlonglong DateTime::localDate(qlonglong dateTime)
{
    const QDate date = QDateTime::fromMSecsSinceEpoch(dateTime / QMIL1, Qt::UTC).toLocalTime().date();
    return QDate(1970, 1, 1).daysTo(date) * kTicksPerDay;
}

bool DateTime::isDateValid(int day, int month, int year) { return TickTime::isDateValid(day, month, year); }

qlonglong DateTime::qDateTimeToTicks(const QDateTime& time) { return time.toMSecsSinceEpoch() * QMIL1; }

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

Vl::Common::DateParts DateTime::ticksToDate(qint64 ticks) { return TickTime::ticksToDate(ticks); }

qint64 DateTime::dateToTicks(const Vl::Common::DateParts& date) { return TickTime::dateToTicks(date); }

Vl::Common::TimeParts DateTime::splitTime(qint64 ticks, int twelveHour)
{
    return TickTime::splitTime(ticks, twelveHour);
}

int DateTime::formatTime(qint64 dateTime, char buffer[kFormatBufferSize], uint format, bool onlySeconds, bool noDots,
    char prefix, bool proportionalFont, char* updateCheck)
{
    return TickTime::formatTime(
        dateTime, buffer, format, formatRules(), onlySeconds, noDots, prefix, proportionalFont, updateCheck);
}

QString DateTime::displayTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots, char prefix,
    bool proportionalFont, char* updateCheck)
{
    return TickTime::displayTime(
        dateTime, format, formatRules(), onlySeconds, noDots, prefix, proportionalFont, updateCheck);
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
        dateTime, format | TickTime::kFormatRunning, onlySeconds.value_or(false), false, 0, false, nullptr);
}

QString DateTime::displayTimeGap(qlonglong dateTime, uint format, boost::optional<bool> onlySeconds)
{
    if (dateTime == 0)
        return QString();
    if (dateTime < kTicksPerDay)
        return displayTime(
            dateTime, format | TickTime::kFormatGap, onlySeconds.value_or(false), false, 0, false, nullptr);
    const qint64 days = dateTime / kTicksPerDay;
    return QStringLiteral("+") + QString::number(days) + QLatin1Char(' ') + (days < 2 ? tr("Day") : tr("Days"));
}

QString DateTime::displayCronoTime(qlonglong dateTime) { return TickTime::cronoTime(dateTime); }

QString DateTime::displayCronoTime(qlonglong dateTime, uint precision)
{
    return displayTime(dateTime, precision | TickTime::kFormatCrono, false, false, 0, false, nullptr);
}

QString DateTime::displayDate(qlonglong dateTime) { return TickTime::formatDate(ticksToDate(dateTime), dateOrder()); }

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

QString DateTime::getTimeMask(uint precision, const QString& maskChar, bool onlySeconds)
{
    return TickTime::timeMask(precision, maskChar, onlySeconds, formatRules());
}

QString DateTime::getCronoTimeMask(const QString& maskChar) { return TickTime::cronoTimeMask(maskChar); }

QString DateTime::getPointMask(const QString& maskChar) { return TickTime::pointMask(maskChar); }

QString DateTime::getDateMask(const QString& maskChar) { return TickTime::dateMask(maskChar); }

bool DateTime::parseTime(
    const QString& text, qint64* ticks, bool onlySeconds, char timeSeparator, char decimalSeparator)
{
    return TickTime::parseTime(text, ticks, onlySeconds, timeSeparator, decimalSeparator);
}

bool DateTime::parseDate(const QString& text, qint64* ticks, char dateSeparator, QString* normalised)
{
    const int order = dateOrder();
    return TickTime::parseDate(text, ticks, dateSeparator, order, order, normalised);
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

qlonglong DateTime::stringToDateWithPoint(const QString& origText, char dateSeparator, QString* resultText)
{
    qint64 ticks = 0;
    parseDate(origText, &ticks, dateSeparator, resultText);
    return ticks;
}

qlonglong DateTime::stringToDateWithPoint(const QString& origText, const QString& dateSeparator, const QVariant&)
{
    return stringToDateWithPoint(origText, dateSeparator);
}

qlonglong DateTime::stringToDateWithPoint(const QString& origText, const QString& dateSeparator)
{
    return stringToDateWithPoint(origText, TickTime::separatorChar(dateSeparator, '/'), nullptr);
}

qlonglong DateTime::stringToDateWithPoint(const QString& origText)
{
    return stringToDateWithPoint(origText, '/', nullptr);
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
    return parseDate(input, &ticks, TickTime::separatorChar(dateSeparator, '/'), nullptr);
}

} // namespace Vl::Orvane::UI
