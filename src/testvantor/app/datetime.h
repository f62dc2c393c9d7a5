#pragma once

#include "common/tickdatetime.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QVariant>

#include <boost/optional.hpp>
#include <functional>

namespace Vl::Orvane::UI {

// TestVantor's date and time utility on ticks of 1/50,000 s (QML type "DateTimeUtil"). Its clock
// counts UTC milliseconds since 1970; times are always shown in 24-hour form, and dates are read
// and written in the application's day/month order. What it shares with Vantor's date utility
// comes from TickDateTime.
class DateTime : public QObject, public Vl::Common::TickDateTime<DateTime>
{
    Q_OBJECT

public:
    enum TimeConst {
        QSEC1 = 50000,
        QDEC1 = 5000,
        QCEN1 = 500,
        QMIL1 = 50,
        QDMIL1 = 5,
        QH1 = 180000000,
        QMIN1 = 3000000,
        QH12 = -2134967296 // twelve hours, wrapped into 32 bits
    };
    Q_ENUM(TimeConst)

    using QObject::QObject;

    VL_TICK_DATETIME_INVOKABLES

    // Clock.
    Q_INVOKABLE static qlonglong getDateTime();
    // The date, in the computer's time zone, of a UTC instant of the clock (whole days in ticks).
    Q_INVOKABLE static qlonglong localDate(qlonglong dateTime);
    Q_INVOKABLE static qlonglong qDateTimeToTicks(const QDateTime& time);

    // Date parsing; dates are read day first or month first as the application's date format says.
    static bool parseDate(const QString& text, qint64* ticks, char dateSeparator = '/', QString* normalised = nullptr);
    static qlonglong stringToDateWithPoint(const QString& origText, char dateSeparator, QString* resultText);
    // The QML form with resultText accepts it and leaves it alone, as QML strings cannot be updated
    // in place; checkDate tells whether a date was corrected.
    Q_INVOKABLE static qlonglong stringToDateWithPoint(
        const QString& origText, const QString& dateSeparator, const QVariant& resultText);
    Q_INVOKABLE static qlonglong stringToDateWithPoint(const QString& origText, const QString& dateSeparator);
    Q_INVOKABLE static qlonglong stringToDateWithPoint(const QString& origText);
    Q_INVOKABLE static bool checkDate(const QString& input, const QString& dateSeparator = QStringLiteral("/"));

    // for unit testing
    // The source behind getDateTime: a function returning UTC ticks. An empty function restores the
    // real clock.
    using ClockSource = std::function<qint64()>;
    static void setClock(ClockSource clock);

private:
    friend class Vl::Common::TickDateTime<DateTime>;

    static Vl::Common::TickTime::FormatRules formatRules(uint format);
    static int dateOrder();
    static QString dayWords(qint64 days);
};

} // namespace Vl::Orvane::UI
