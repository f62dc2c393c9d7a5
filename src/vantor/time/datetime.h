#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>

#include <boost/optional.hpp>

#include "common/ticktime.h"
#include "core/orvaneenum.h"

namespace Vl::Tavix3::UI {

// The calendar and time-of-day fields of a tick value, shared with TestVantor's date utility.
using DateParts = Vl::Common::DateParts;
using TimeParts = Vl::Common::TimeParts;

// Time as ticks of 1/50,000 s of local wall-clock time since 1970-01-01 00:00: the clock,
// the calendar, formatting and parsing. Stateless; QML reaches it as "DateTimeUtil".
class DateTime : public QObject
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

    static constexpr qint64 kTicksPerDay = 4320000000LL;
    static constexpr int kFormatBufferSize = 15;

    using QObject::QObject;

    // Clock and calendar.
    Q_INVOKABLE static qlonglong getDateTime();
    // False while a test has set a fake clock (setClock): the clock then does not follow real time.
    static bool isRealClock();
    Q_INVOKABLE static qlonglong getTime();
    Q_INVOKABLE static qlonglong getDate();
    Q_INVOKABLE static qlonglong getOnlyDate(qlonglong dateTime);
    Q_INVOKABLE static qlonglong getOnlyTime(qlonglong dateTime);
    Q_INVOKABLE static int getDay(qlonglong dateTime);
    Q_INVOKABLE static int getDay();
    Q_INVOKABLE static int getMonth(qlonglong dateTime);
    Q_INVOKABLE static int getMonth();
    Q_INVOKABLE static int getYear(qlonglong dateTime);
    Q_INVOKABLE static int getYear();
    Q_INVOKABLE static bool isDateValid(int day, int month, int year);
    Q_INVOKABLE static qlonglong qDateTimeToTicks(const QDateTime& time);
    Q_INVOKABLE static bool setDateTime(qlonglong tick, qlonglong time, int year, int month, int day);
    Q_INVOKABLE static void modifySynchroTime(int sign, const QString& timeString, const QString& dateString);
    Q_INVOKABLE static void modifySynchroTime(qlonglong value);
    Q_INVOKABLE static QString resultTime(int sign, const QString& timeStringA, const QString& dateStringA,
                                          const QString& timeStringB, const QString& dateStringB);
    Q_INVOKABLE static QString resultDate(int sign, const QString& timeStringA, const QString& dateStringA,
                                          const QString& timeStringB, const QString& dateStringB);

    static DateParts ticksToDate(qint64 ticks);
    static qint64 dateToTicks(const DateParts& date);
    static TimeParts splitTime(qint64 ticks, int twelveHour);
    static void assignDateTime(qint64* target);
    static void roundTicks(qint64& value, qint64 unit, qint64 threshold);
    static void roundOptionalTicks(boost::optional<qint64>& value, qint64 unit, qint64 threshold);
    static qint64 truncateToDmil(qint64 value);

    // Formatting: the one formatter and its wrappers.
    static int formatTime(qint64 dateTime, char buffer[kFormatBufferSize], uint format, bool onlySeconds = false,
                          bool noDots = false, char prefix = 0, bool proportionalFont = false,
                          char* updateCheck = nullptr);
    static QString displayTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots, char prefix,
                               bool proportionalFont, char* updateCheck);
    static QString displayOptionalTime(const boost::optional<qint64>& value, uint format = 0, bool onlySeconds = false,
                                       bool noDots = false, char prefix = 0, bool proportionalFont = false,
                                       char* updateCheck = nullptr);
    static QString displayRunningTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots, char prefix,
                                      bool proportionalFont, char* updateCheck);
    static QString displayNetTime(qlonglong dateTime, uint format, boost::optional<bool> onlySeconds);
    static QString displayTimeGap(qlonglong dateTime, uint format, boost::optional<bool> onlySeconds);
    Q_INVOKABLE static QString displayCronoTime(qlonglong dateTime);
    Q_INVOKABLE static QString displayCronoTime(qlonglong dateTime, uint precision);
    Q_INVOKABLE static QString displayDate(qlonglong dateTime);
    Q_INVOKABLE static bool isEmptyDateTime(const QString& text);

    // QML forms of the formatter wrappers (QML has no char, pointer or optional arguments). A prefix
    // is a text whose first character is used, or a character code. QML strings cannot be updated in
    // place, so updateCheck is accepted and left alone: the text returned never depends on it.
    Q_INVOKABLE static QString displayTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots,
                                           const QVariant& prefix, bool proportionalFont, const QVariant& updateCheck);
    Q_INVOKABLE static QString displayTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots,
                                           const QVariant& prefix, bool proportionalFont);
    Q_INVOKABLE static QString displayTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots,
                                           const QVariant& prefix);
    Q_INVOKABLE static QString displayTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots);
    Q_INVOKABLE static QString displayTime(qlonglong dateTime, uint format, bool onlySeconds);
    Q_INVOKABLE static QString displayTime(qlonglong dateTime, uint format);
    Q_INVOKABLE static QString displayTime(qlonglong dateTime);
    Q_INVOKABLE static QString displayRunningTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots,
                                                  const QVariant& prefix, bool proportionalFont,
                                                  const QVariant& updateCheck);
    Q_INVOKABLE static QString displayRunningTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots,
                                                  const QVariant& prefix, bool proportionalFont);
    Q_INVOKABLE static QString displayRunningTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots,
                                                  const QVariant& prefix);
    Q_INVOKABLE static QString displayRunningTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots);
    Q_INVOKABLE static QString displayRunningTime(qlonglong dateTime, uint format, bool onlySeconds);
    Q_INVOKABLE static QString displayRunningTime(qlonglong dateTime, uint format);
    Q_INVOKABLE static QString displayRunningTime(qlonglong dateTime);
    Q_INVOKABLE static QString displayNetTime(qlonglong dateTime, uint format, bool onlySeconds);
    Q_INVOKABLE static QString displayNetTime(qlonglong dateTime, uint format);
    Q_INVOKABLE static QString displayNetTime(qlonglong dateTime);
    Q_INVOKABLE static QString displayTimeGap(qlonglong dateTime, uint format, bool onlySeconds);
    Q_INVOKABLE static QString displayTimeGap(qlonglong dateTime, uint format);
    Q_INVOKABLE static QString displayTimeGap(qlonglong dateTime);

    // Input masks.
    Q_INVOKABLE static QString getTimeMask(uint precision = 0, const QString& maskChar = QStringLiteral("_"),
                                           bool onlySeconds = false);
    Q_INVOKABLE static QString getCronoTimeMask(const QString& maskChar = QStringLiteral("_"));
    Q_INVOKABLE static QString getPointMask(const QString& maskChar = QStringLiteral(" "));
    Q_INVOKABLE static QString getDateMask(const QString& maskChar = QStringLiteral("_"));

    // Parsing.
    static bool parseTime(const QString& text, qint64* ticks, bool onlySeconds = false, char timeSeparator = ':',
                          char decimalSeparator = '.');
    static bool parseDate(const QString& text, qint64* ticks, char dateSeparator = '/',
                          OrvaneEnum::DateFormat dateFormat = OrvaneEnum::DATE_FORMAT_DD_MM_YYYY,
                          QString* normalised = nullptr);
    static boost::optional<qint64> stringToTimeWithPoint(const QString& text, bool onlySeconds = false,
                                                         char timeSeparator = ':', char decimalSeparator = '.');
    Q_INVOKABLE static qlonglong stringToTimeWithPointQML(const QString& origText, bool onlySeconds = false,
                                                          const QString& timeSeparator = QStringLiteral(":"),
                                                          const QString& decimalSeparator = QStringLiteral("."));
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
    Q_INVOKABLE static bool checkTime(const QString& input, bool onlySeconds = false,
                                      const QString& timeSeparator = QStringLiteral(":"),
                                      const QString& decimalSeparator = QStringLiteral("."));
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
};

} // namespace Vl::Tavix3::UI
