#include "time/datetime.h"

#include <QDate>
#include <QTime>

namespace Vl::Tavix3::UI {

qlonglong DateTime::getDateTime()
{
    return qDateTimeToTicks(QDateTime::currentDateTime());
}

qlonglong DateTime::getTime()
{
    return getDateTime() % kTicksPerDay;
}

qlonglong DateTime::getDate()
{
    return getDateTime() / kTicksPerDay * kTicksPerDay;
}

qlonglong DateTime::qDateTimeToTicks(const QDateTime& time)
{
    const qint64 ms = time.toMSecsSinceEpoch() + qint64(time.offsetFromUtc()) * 1000;
    return ms * 50 / 5 * 5;
}

bool DateTime::setDateTime(qlonglong, qlonglong, int, int, int)
{
    return true;
}

QString DateTime::displayCronoTime(qlonglong dateTime)
{
    const qint64 r = std::abs(dateTime % kTicksPerDay);
    return QString::asprintf("%02u:%02u:%02u.%04u ", unsigned(r / 180000000), unsigned(r % 180000000 / 3000000),
                             unsigned(r % 3000000 / 50000), unsigned(r % 50000 / 5));
}

QString DateTime::displayCronoTime(qlonglong dateTime, uint)
{
    return displayCronoTime(dateTime).trimmed();
}

QString DateTime::displayDate(qlonglong dateTime)
{
    const QDate date = QDate(1970, 1, 1).addDays(dateTime / kTicksPerDay);
    return QString::asprintf("%02d/%02d/%04d", date.day(), date.month(), date.year());
}

boost::optional<qint64> DateTime::stringToTimeWithPoint(const QString& text, bool, char, char)
{
    const QTime time = QTime::fromString(text, QStringLiteral("hh:mm:ss"));
    if (!time.isValid())
        return boost::none;
    return qint64(time.msecsSinceStartOfDay()) * 50;
}

} // namespace Vl::Tavix3::UI
