#include "time/datetime.h"

#include <QTime>

#include <cstring>

namespace Vl::Tavix3::UI {

qlonglong DateTime::getDateTime()
{
    return qDateTimeToTicks(QDateTime::currentDateTime());
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
bool DateTime::isDateValid(int, int, int) { return true; }

qlonglong DateTime::qDateTimeToTicks(const QDateTime& time)
{
    const qint64 ms = time.toMSecsSinceEpoch() + qint64(time.offsetFromUtc()) * 1000;
    return ms * 50 / 5 * 5;
}

bool DateTime::setDateTime(qlonglong, qlonglong, int, int, int) { return true; }
void DateTime::modifySynchroTime(int, const QString&, const QString&) {}
void DateTime::modifySynchroTime(qlonglong) {}
QString DateTime::resultTime(int, const QString&, const QString&, const QString&, const QString&) { return {}; }
QString DateTime::resultDate(int, const QString&, const QString&, const QString&, const QString&) { return {}; }
DateParts DateTime::ticksToDate(qint64) { return {}; }
qint64 DateTime::dateToTicks(const DateParts&) { return 0; }
TimeParts DateTime::splitTime(qint64, int) { return {}; }
void DateTime::assignDateTime(qint64* target) { *target = getDateTime(); }
void DateTime::roundTicks(qint64&, qint64, qint64) {}
void DateTime::roundOptionalTicks(boost::optional<qint64>&, qint64, qint64) {}
qint64 DateTime::truncateToDmil(qint64 value) { return value / 5 * 5; }

int DateTime::formatTime(qint64, char buffer[kFormatBufferSize], uint, bool, bool, char, bool, char*)
{
    std::strcpy(buffer, "");
    return 0;
}

QString DateTime::displayTime(qlonglong, uint, bool, bool, char, bool, char*) { return {}; }
QString DateTime::displayOptionalTime(const boost::optional<qint64>&, uint, bool, bool, char, bool, char*) { return {}; }
QString DateTime::displayRunningTime(qlonglong, uint, bool, bool, char, bool, char*) { return {}; }
QString DateTime::displayNetTime(qlonglong, uint, boost::optional<bool>) { return {}; }
QString DateTime::displayTimeGap(qlonglong, uint, boost::optional<bool>) { return {}; }
QString DateTime::displayCronoTime(qlonglong) { return {}; }
QString DateTime::displayCronoTime(qlonglong, uint) { return {}; }
QString DateTime::displayDate(qlonglong) { return {}; }
bool DateTime::isEmptyDateTime(const QString&) { return true; }
QString DateTime::displayTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots)
{
    return displayTime(dateTime, format, onlySeconds, noDots, 0, false, nullptr);
}
QString DateTime::displayTime(qlonglong dateTime, uint format) { return displayTime(dateTime, format, false, false); }
QString DateTime::displayTime(qlonglong dateTime) { return displayTime(dateTime, 0u, false, false); }
QString DateTime::displayRunningTime(qlonglong dateTime, uint format)
{
    return displayRunningTime(dateTime, format, false, false, 0, false, nullptr);
}
QString DateTime::displayRunningTime(qlonglong dateTime) { return displayRunningTime(dateTime, 0u); }
QString DateTime::displayNetTime(qlonglong dateTime, uint format) { return displayNetTime(dateTime, format, boost::none); }
QString DateTime::displayNetTime(qlonglong dateTime) { return displayNetTime(dateTime, 0u, boost::none); }
QString DateTime::displayTimeGap(qlonglong dateTime, uint format) { return displayTimeGap(dateTime, format, boost::none); }
QString DateTime::displayTimeGap(qlonglong dateTime) { return displayTimeGap(dateTime, 0u, boost::none); }
QString DateTime::displayNetTime(qlonglong dateTime, uint format, bool onlySeconds)
{
    return displayNetTime(dateTime, format, boost::optional<bool>(onlySeconds));
}
QString DateTime::displayTimeGap(qlonglong dateTime, uint format, bool onlySeconds)
{
    return displayTimeGap(dateTime, format, boost::optional<bool>(onlySeconds));
}
QString DateTime::getTimeMask(uint, const QString&, bool) { return {}; }
QString DateTime::getCronoTimeMask(const QString&) { return {}; }
QString DateTime::getPointMask(const QString&) { return {}; }
QString DateTime::getDateMask(const QString&) { return {}; }
bool DateTime::parseTime(const QString&, qint64* ticks, bool, char, char)
{
    *ticks = 0;
    return false;
}
bool DateTime::parseDate(const QString&, qint64* ticks, char, OrvaneEnum::DateFormat, QString*)
{
    *ticks = 0;
    return false;
}
boost::optional<qint64> DateTime::stringToTimeWithPoint(const QString&, bool, char, char) { return boost::none; }
qlonglong DateTime::stringToTimeWithPointQML(const QString&, bool, const QString&, const QString&) { return 0; }
qlonglong DateTime::stringToDateWithPoint(const QString&, char, OrvaneEnum::DateFormat, QString*) { return 0; }
qlonglong DateTime::stringToDateWithPoint(const QString&, const QString&, int) { return 0; }
qlonglong DateTime::stringToDateWithPoint(const QString&) { return 0; }
bool DateTime::checkTime(const QString&, bool, const QString&, const QString&) { return false; }
bool DateTime::checkDate(const QString&, const QString&) { return false; }

} // namespace Vl::Tavix3::UI
