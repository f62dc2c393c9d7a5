#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>

#include <boost/optional.hpp>

#include "common/tickdatetime.h"
#include "core/orvaneenum.h"

namespace Vl::Tavix3::UI {

// The calendar and time-of-day fields of a tick value, shared with TestVantor's date utility.
using DateParts = Vl::Common::DateParts;
using TimeParts = Vl::Common::TimeParts;

// Time as ticks of 1/50,000 s of local wall-clock time since 1970-01-01 00:00: the clock,
// the calendar, formatting and parsing. Stateless; QML reaches it as "DateTimeUtil". What it shares
// with TestVantor's date utility comes from TickDateTime; here are the local clock, the 12-hour
// display the application's time format asks for, and the date parser's order argument.
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
        QH12 = -2134967296  // twelve hours, wrapped into 32 bits
    };
    Q_ENUM(TimeConst)

    using QObject::QObject;

    VL_TICK_DATETIME_INVOKABLES

    // Clock and calendar.
    Q_INVOKABLE static qlonglong getDateTime();
    // False while a test has set a fake clock (setClock): the clock then does not follow real time.
    static bool isRealClock();
    Q_INVOKABLE static int getDay(qlonglong dateTime);
    Q_INVOKABLE static int getDay();
    Q_INVOKABLE static int getMonth(qlonglong dateTime);
    Q_INVOKABLE static int getMonth();
    Q_INVOKABLE static int getYear(qlonglong dateTime);
    Q_INVOKABLE static int getYear();
    Q_INVOKABLE static qlonglong qDateTimeToTicks(const QDateTime& time);
    Q_INVOKABLE static bool setDateTime(qlonglong tick, qlonglong time, int year, int month, int day);
    Q_INVOKABLE static void modifySynchroTime(int sign, const QString& timeString, const QString& dateString);
    Q_INVOKABLE static void modifySynchroTime(qlonglong value);

    static void assignDateTime(qint64* target);
    static void roundTicks(qint64& value, qint64 unit, qint64 threshold);
    static void roundOptionalTicks(boost::optional<qint64>& value, qint64 unit, qint64 threshold);
    static qint64 truncateToDmil(qint64 value);

    static QString displayOptionalTime(const boost::optional<qint64>& value, uint format = 0, bool onlySeconds = false,
                                       bool noDots = false, char prefix = 0, bool proportionalFont = false,
                                       char* updateCheck = nullptr);

    // Date parsing, in the order the dateFormat argument names.
    static bool parseDate(const QString& text, qint64* ticks, char dateSeparator = '/',
                          OrvaneEnum::DateFormat dateFormat = OrvaneEnum::DATE_FORMAT_DD_MM_YYYY,
                          QString* normalised = nullptr);
    static qlonglong stringToDateWithPoint(const QString& origText, char dateSeparator,
                                           OrvaneEnum::DateFormat dateFormat, QString* resultText);
    // The QML form with resultText accepts it and leaves it alone, as QML strings cannot be updated
    // in place; checkDate and the validators tell whether a date was corrected.
    Q_INVOKABLE static qlonglong stringToDateWithPoint(const QString& origText, const QString& dateSeparator,
                                                       int dateFormat, const QVariant& resultText);
    Q_INVOKABLE static qlonglong stringToDateWithPoint(const QString& origText, const QString& dateSeparator,
                                                       int dateFormat);
    Q_INVOKABLE static qlonglong stringToDateWithPoint(const QString& origText, const QString& dateSeparator);
    Q_INVOKABLE static qlonglong stringToDateWithPoint(const QString& origText);
    Q_INVOKABLE static bool checkDate(const QString& input, const QString& dateSeparator = QStringLiteral("/"));

    // for unit testing
    // The source behind getDateTime: a function returning ticks of local wall-clock time. Every
    // time-dependent part of the system reads the clock through getDateTime, so a test that sets a
    // fake clock here drives all of them. An empty function (or resetClock) restores the real clock.
    using ClockSource = std::function<qint64()>;
    static void setClock(ClockSource clock);
    static void resetClock();
    // Ticks of the real clock, whatever clock is set.
    static qint64 systemDateTime();

private:
    friend class Vl::Common::TickDateTime<DateTime>;

    static Vl::Common::TickTime::FormatRules formatRules(uint format);
    static int dateOrder();
    static QString dayWords(qint64 days);
};

} // namespace Vl::Tavix3::UI
