#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

#include <boost/optional.hpp>

namespace Vl::Tavix3::UI {

// Time as ticks of 1/50,000 s of local wall-clock time since 1970-01-01 00:00: the clock,
// the calendar, formatting and parsing. Stateless; QML reaches it as "DateTimeUtil".
class DateTime : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 kTicksPerDay = 4320000000LL;

    using QObject::QObject;

    Q_INVOKABLE static qlonglong getDateTime();
    Q_INVOKABLE static qlonglong getTime();
    Q_INVOKABLE static qlonglong getDate();
    Q_INVOKABLE static qlonglong qDateTimeToTicks(const QDateTime& time);
    Q_INVOKABLE static bool setDateTime(qlonglong tick, qlonglong time, int year, int month, int day);

    Q_INVOKABLE static QString displayCronoTime(qlonglong dateTime);
    Q_INVOKABLE static QString displayCronoTime(qlonglong dateTime, uint precision);
    Q_INVOKABLE static QString displayDate(qlonglong dateTime);
    static boost::optional<qint64> stringToTimeWithPoint(const QString& text, bool onlySeconds, char timeSeparator,
                                                         char decimalSeparator);
};

} // namespace Vl::Tavix3::UI
