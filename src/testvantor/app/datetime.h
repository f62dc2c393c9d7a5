#pragma once

#include "common/ticktime.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QVariant>

#include <boost/optional.hpp>
#include <functional>

namespace Vl::Orvane::UI {

// TestVantor's date and time utility on ticks of 1/50,000 s (QML type "DateTimeUtil"). Its clock
// counts UTC milliseconds since 1970; times are always shown in 24-hour form, and dates are read
// and written in the application's day/month order.
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
        QH12 = -2134967296 // twelve hours, wrapped into 32 bits
    };
    Q_ENUM(TimeConst)

    static constexpr qint64 kTicksPerDay = Vl::Common::TickTime::kTicksPerDay;
    static constexpr int kFormatBufferSize = Vl::Common::TickTime::kFormatBufferSize;

    using QObject::QObject;

    // Clock and calendar.
    Q_INVOKABLE static qlonglong getDateTime();
    Q_INVOKABLE static qlonglong getTime();
    Q_INVOKABLE static qlonglong getDate();
    Q_INVOKABLE static qlonglong getOnlyDate(qlonglong dateTime);
    Q_INVOKABLE static qlonglong getOnlyTime(qlonglong dateTime);
    // The date, in the computer's time zone, of a UTC instant of the clock (whole days in ticks).
    Q_INVOKABLE static qlonglong localDate(qlonglong dateTime);
    Q_INVOKABLE static bool isDateValid(int day, int month, int year);
    Q_INVOKABLE static qlonglong qDateTimeToTicks(const QDateTime& time);
    Q_INVOKABLE static QString resultTime(int sign, const QString& timeStringA, const QString& dateStringA,
        const QString& timeStringB, const QString& dateStringB);
    Q_INVOKABLE static QString resultDate(int sign, const QString& timeStringA, const QString& dateStringA,
        const QString& timeStringB, const QString& dateStringB);

    static Vl::Common::DateParts ticksToDate(qint64 ticks);
    static qint64 dateToTicks(const Vl::Common::DateParts& date);
    static Vl::Common::TimeParts splitTime(qint64 ticks, int twelveHour);

    // Formatting.
    static int formatTime(qint64 dateTime, char buffer[kFormatBufferSize], uint format, bool onlySeconds = false,
        bool noDots = false, char prefix = 0, bool proportionalFont = false, char* updateCheck = nullptr);
    static QString displayTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots, char prefix,
        bool proportionalFont, char* updateCheck);
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
    Q_INVOKABLE static QString displayTime(
        qlonglong dateTime, uint format, bool onlySeconds, bool noDots, const QVariant& prefix, bool proportionalFont);
    Q_INVOKABLE static QString displayTime(
        qlonglong dateTime, uint format, bool onlySeconds, bool noDots, const QVariant& prefix);
    Q_INVOKABLE static QString displayTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots);
    Q_INVOKABLE static QString displayTime(qlonglong dateTime, uint format, bool onlySeconds);
    Q_INVOKABLE static QString displayTime(qlonglong dateTime, uint format);
    Q_INVOKABLE static QString displayTime(qlonglong dateTime);
    Q_INVOKABLE static QString displayRunningTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots,
        const QVariant& prefix, bool proportionalFont, const QVariant& updateCheck);
    Q_INVOKABLE static QString displayRunningTime(
        qlonglong dateTime, uint format, bool onlySeconds, bool noDots, const QVariant& prefix, bool proportionalFont);
    Q_INVOKABLE static QString displayRunningTime(
        qlonglong dateTime, uint format, bool onlySeconds, bool noDots, const QVariant& prefix);
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
    Q_INVOKABLE static QString getTimeMask(
        uint precision = 0, const QString& maskChar = QStringLiteral("_"), bool onlySeconds = false);
    Q_INVOKABLE static QString getCronoTimeMask(const QString& maskChar = QStringLiteral("_"));
    Q_INVOKABLE static QString getPointMask(const QString& maskChar = QStringLiteral(" "));
    Q_INVOKABLE static QString getDateMask(const QString& maskChar = QStringLiteral("_"));

    // Parsing; dates are read day first or month first as the application's date format says.
    static bool parseTime(const QString& text, qint64* ticks, bool onlySeconds = false, char timeSeparator = ':',
        char decimalSeparator = '.');
    static bool parseDate(const QString& text, qint64* ticks, char dateSeparator = '/', QString* normalised = nullptr);
    static boost::optional<qint64> stringToTimeWithPoint(
        const QString& text, bool onlySeconds = false, char timeSeparator = ':', char decimalSeparator = '.');
    Q_INVOKABLE static qlonglong stringToTimeWithPointQML(const QString& origText, bool onlySeconds = false,
        const QString& timeSeparator = QStringLiteral(":"), const QString& decimalSeparator = QStringLiteral("."));
    static qlonglong stringToDateWithPoint(const QString& origText, char dateSeparator, QString* resultText);
    // The QML form with resultText accepts it and leaves it alone, as QML strings cannot be updated
    // in place; checkDate tells whether a date was corrected.
    Q_INVOKABLE static qlonglong stringToDateWithPoint(
        const QString& origText, const QString& dateSeparator, const QVariant& resultText);
    Q_INVOKABLE static qlonglong stringToDateWithPoint(const QString& origText, const QString& dateSeparator);
    Q_INVOKABLE static qlonglong stringToDateWithPoint(const QString& origText);
    Q_INVOKABLE static bool checkTime(const QString& input, bool onlySeconds = false,
        const QString& timeSeparator = QStringLiteral(":"), const QString& decimalSeparator = QStringLiteral("."));
    Q_INVOKABLE static bool checkDate(const QString& input, const QString& dateSeparator = QStringLiteral("/"));

    // for unit testing
    // The source behind getDateTime: a function returning UTC ticks. An empty function restores the
    // real clock.
    using ClockSource = std::function<qint64()>;
    static void setClock(ClockSource clock);
};

} // namespace Vl::Orvane::UI
