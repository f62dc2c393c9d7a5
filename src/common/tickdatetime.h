#pragma once

#include "common/ticktime.h"

#include <QString>
#include <QVariant>

#include <boost/optional.hpp>

namespace Vl::Common {

// The operations both programs' date utilities have in common, written once over the few things
// in which the programs differ. Each program's class derives from TickDateTime<itself> and gives
// it, as static functions:
//   getDateTime()        the program's clock, in ticks;
//   formatRules(format)  12-hour display and blank-count bits for a format word;
//   dateOrder()          the order of day and month in the application's date format;
//   dayWords(days)       the translated word after a count of whole days ("Day", "Days").
// Everything here is static, so the back-end code calls it on the program's class without an
// instance; QML reaches it through the invokables the class declares with
// VL_TICK_DATETIME_INVOKABLES.
template <typename Utility> class TickDateTime
{
public:
    static constexpr qint64 kTicksPerDay = TickTime::kTicksPerDay;
    static constexpr int kFormatBufferSize = TickTime::kFormatBufferSize;

    // Clock and calendar.
    static qlonglong getTime() { return Utility::getDateTime() % kTicksPerDay; }
    static qlonglong getDate() { return Utility::getDateTime() / kTicksPerDay * kTicksPerDay; }
    static qlonglong getOnlyDate(qlonglong dateTime) { return dateTime / kTicksPerDay; }
    static qlonglong getOnlyTime(qlonglong dateTime) { return dateTime % kTicksPerDay; }
    static bool isDateValid(int day, int month, int year) { return TickTime::isDateValid(day, month, year); }
    static QString resultTime(int sign, const QString& timeStringA, const QString& dateStringA,
        const QString& timeStringB, const QString& dateStringB)
    {
        return TickTime::resultTime(sign, timeStringA, dateStringA, timeStringB, dateStringB);
    }
    static QString resultDate(int sign, const QString& timeStringA, const QString& dateStringA,
        const QString& timeStringB, const QString& dateStringB)
    {
        return TickTime::resultDate(sign, timeStringA, dateStringA, timeStringB, dateStringB);
    }

    static DateParts ticksToDate(qint64 ticks) { return TickTime::ticksToDate(ticks); }
    static qint64 dateToTicks(const DateParts& date) { return TickTime::dateToTicks(date); }
    static TimeParts splitTime(qint64 ticks, int twelveHour) { return TickTime::splitTime(ticks, twelveHour); }

    // Formatting: the one formatter and its wrappers.
    static int formatTime(qint64 dateTime, char buffer[kFormatBufferSize], uint format, bool onlySeconds = false,
        bool noDots = false, char prefix = 0, bool proportionalFont = false, char* updateCheck = nullptr)
    {
        return TickTime::formatTime(dateTime, buffer, format, Utility::formatRules(format), onlySeconds, noDots, prefix,
            proportionalFont, updateCheck);
    }
    static QString displayTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots, char prefix,
        bool proportionalFont, char* updateCheck)
    {
        return TickTime::displayTime(
            dateTime, format, Utility::formatRules(format), onlySeconds, noDots, prefix, proportionalFont, updateCheck);
    }
    static QString displayRunningTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots, char prefix,
        bool proportionalFont, char* updateCheck)
    {
        QString text
            = displayTime(dateTime, format | 0x20u, onlySeconds, noDots, prefix, proportionalFont, updateCheck);
        text.chop(1);
        return text;
    }
    static QString displayNetTime(qlonglong dateTime, uint format, boost::optional<bool> onlySeconds)
    {
        return displayTime(
            dateTime, format | TickTime::kFormatRunning, onlySeconds.value_or(false), false, 0, false, nullptr);
    }
    static QString displayTimeGap(qlonglong dateTime, uint format, boost::optional<bool> onlySeconds)
    {
        if (dateTime == 0)
            return QString();
        if (dateTime < kTicksPerDay)
            return displayTime(
                dateTime, format | TickTime::kFormatGap, onlySeconds.value_or(false), false, 0, false, nullptr);
        const qint64 days = dateTime / kTicksPerDay;
        return QStringLiteral("+") + QString::number(days) + QLatin1Char(' ') + Utility::dayWords(days);
    }
    static QString displayCronoTime(qlonglong dateTime) { return TickTime::cronoTime(dateTime); }
    static QString displayCronoTime(qlonglong dateTime, uint precision)
    {
        // Or, not plus: a precision that already carries the crono bit must stay a crono word.
        return displayTime(dateTime, precision | TickTime::kFormatCrono, false, false, 0, false, nullptr);
    }
    static QString displayDate(qlonglong dateTime)
    {
        return TickTime::formatDate(ticksToDate(dateTime), Utility::dateOrder());
    }
    static bool isEmptyDateTime(const QString& text) { return TickTime::isEmptyDateTime(text); }

    // QML forms of the formatter wrappers (QML has no char, pointer or optional arguments). A prefix
    // is a text whose first character is used, or a character code. QML strings cannot be updated in
    // place, so updateCheck is accepted and left alone: the text returned never depends on it.
    static QString displayTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots, const QVariant& prefix,
        bool proportionalFont, const QVariant&)
    {
        return displayTime(dateTime, format, onlySeconds, noDots, prefix, proportionalFont);
    }
    static QString displayTime(
        qlonglong dateTime, uint format, bool onlySeconds, bool noDots, const QVariant& prefix, bool proportionalFont)
    {
        return displayTime(
            dateTime, format, onlySeconds, noDots, TickTime::prefixChar(prefix), proportionalFont, nullptr);
    }
    static QString displayTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots, const QVariant& prefix)
    {
        return displayTime(dateTime, format, onlySeconds, noDots, prefix, false);
    }
    static QString displayTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots)
    {
        return displayTime(dateTime, format, onlySeconds, noDots, 0, false, nullptr);
    }
    static QString displayTime(qlonglong dateTime, uint format, bool onlySeconds)
    {
        return displayTime(dateTime, format, onlySeconds, false);
    }
    static QString displayTime(qlonglong dateTime, uint format) { return displayTime(dateTime, format, false, false); }
    static QString displayTime(qlonglong dateTime) { return displayTime(dateTime, 0u, false, false); }

    static QString displayRunningTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots,
        const QVariant& prefix, bool proportionalFont, const QVariant&)
    {
        return displayRunningTime(dateTime, format, onlySeconds, noDots, prefix, proportionalFont);
    }
    static QString displayRunningTime(
        qlonglong dateTime, uint format, bool onlySeconds, bool noDots, const QVariant& prefix, bool proportionalFont)
    {
        return displayRunningTime(
            dateTime, format, onlySeconds, noDots, TickTime::prefixChar(prefix), proportionalFont, nullptr);
    }
    static QString displayRunningTime(
        qlonglong dateTime, uint format, bool onlySeconds, bool noDots, const QVariant& prefix)
    {
        return displayRunningTime(dateTime, format, onlySeconds, noDots, prefix, false);
    }
    static QString displayRunningTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots)
    {
        return displayRunningTime(dateTime, format, onlySeconds, noDots, 0, false, nullptr);
    }
    static QString displayRunningTime(qlonglong dateTime, uint format, bool onlySeconds)
    {
        return displayRunningTime(dateTime, format, onlySeconds, false);
    }
    static QString displayRunningTime(qlonglong dateTime, uint format)
    {
        return displayRunningTime(dateTime, format, false, false);
    }
    static QString displayRunningTime(qlonglong dateTime) { return displayRunningTime(dateTime, 0u); }

    static QString displayNetTime(qlonglong dateTime, uint format, bool onlySeconds)
    {
        return displayNetTime(dateTime, format, boost::optional<bool>(onlySeconds));
    }
    static QString displayNetTime(qlonglong dateTime, uint format)
    {
        return displayNetTime(dateTime, format, boost::none);
    }
    static QString displayNetTime(qlonglong dateTime) { return displayNetTime(dateTime, 0u, boost::none); }

    static QString displayTimeGap(qlonglong dateTime, uint format, bool onlySeconds)
    {
        return displayTimeGap(dateTime, format, boost::optional<bool>(onlySeconds));
    }
    static QString displayTimeGap(qlonglong dateTime, uint format)
    {
        return displayTimeGap(dateTime, format, boost::none);
    }
    static QString displayTimeGap(qlonglong dateTime) { return displayTimeGap(dateTime, 0u, boost::none); }

    // Input masks.
    static QString getTimeMask(
        uint precision = 0, const QString& maskChar = QStringLiteral("_"), bool onlySeconds = false)
    {
        return TickTime::timeMask(precision, maskChar, onlySeconds, Utility::formatRules(precision));
    }
    static QString getCronoTimeMask(const QString& maskChar = QStringLiteral("_"))
    {
        return TickTime::cronoTimeMask(maskChar);
    }
    static QString getPointMask(const QString& maskChar = QStringLiteral(" ")) { return TickTime::pointMask(maskChar); }
    static QString getDateMask(const QString& maskChar = QStringLiteral("_")) { return TickTime::dateMask(maskChar); }

    // Time parsing.
    static bool parseTime(const QString& text, qint64* ticks, bool onlySeconds = false, char timeSeparator = ':',
        char decimalSeparator = '.')
    {
        return TickTime::parseTime(text, ticks, onlySeconds, timeSeparator, decimalSeparator);
    }
    static boost::optional<qint64> stringToTimeWithPoint(
        const QString& text, bool onlySeconds = false, char timeSeparator = ':', char decimalSeparator = '.')
    {
        qint64 ticks = 0;
        if (parseTime(text, &ticks, onlySeconds, timeSeparator, decimalSeparator))
            return ticks;
        return boost::none;
    }
    static qlonglong stringToTimeWithPointQML(const QString& origText, bool onlySeconds = false,
        const QString& timeSeparator = QStringLiteral(":"), const QString& decimalSeparator = QStringLiteral("."))
    {
        qint64 ticks = 0;
        parseTime(origText, &ticks, onlySeconds, TickTime::separatorChar(timeSeparator, ':'),
            TickTime::separatorChar(decimalSeparator, '.'));
        return ticks;
    }
    static bool checkTime(const QString& input, bool onlySeconds = false,
        const QString& timeSeparator = QStringLiteral(":"), const QString& decimalSeparator = QStringLiteral("."))
    {
        qint64 ticks = 0;
        return parseTime(input, &ticks, onlySeconds, TickTime::separatorChar(timeSeparator, ':'),
            TickTime::separatorChar(decimalSeparator, '.'));
    }
};

} // namespace Vl::Common

// The invokables of TickDateTime, declared for the meta-object compiler only, inside the class
// body of each program's date utility: moc lists them among the class's own call forms (QML picks
// a form by its number of arguments, one invokable per form), and the compiler takes their
// definitions from TickDateTime, whose static functions the class inherits.
#ifdef Q_MOC_RUN
#define VL_TICK_DATETIME_INVOKABLES                                                                                    \
    Q_INVOKABLE static qlonglong getTime();                                                                            \
    Q_INVOKABLE static qlonglong getDate();                                                                            \
    Q_INVOKABLE static qlonglong getOnlyDate(qlonglong dateTime);                                                      \
    Q_INVOKABLE static qlonglong getOnlyTime(qlonglong dateTime);                                                      \
    Q_INVOKABLE static bool isDateValid(int day, int month, int year);                                                 \
    Q_INVOKABLE static QString resultTime(int sign, const QString& timeStringA, const QString& dateStringA,            \
        const QString& timeStringB, const QString& dateStringB);                                                       \
    Q_INVOKABLE static QString resultDate(int sign, const QString& timeStringA, const QString& dateStringA,            \
        const QString& timeStringB, const QString& dateStringB);                                                       \
    Q_INVOKABLE static QString displayCronoTime(qlonglong dateTime);                                                   \
    Q_INVOKABLE static QString displayCronoTime(qlonglong dateTime, uint precision);                                   \
    Q_INVOKABLE static QString displayDate(qlonglong dateTime);                                                        \
    Q_INVOKABLE static bool isEmptyDateTime(const QString& text);                                                      \
    Q_INVOKABLE static QString displayTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots,             \
        const QVariant& prefix, bool proportionalFont, const QVariant& updateCheck);                                   \
    Q_INVOKABLE static QString displayTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots,             \
        const QVariant& prefix, bool proportionalFont);                                                                \
    Q_INVOKABLE static QString displayTime(                                                                            \
        qlonglong dateTime, uint format, bool onlySeconds, bool noDots, const QVariant& prefix);                       \
    Q_INVOKABLE static QString displayTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots);            \
    Q_INVOKABLE static QString displayTime(qlonglong dateTime, uint format, bool onlySeconds);                         \
    Q_INVOKABLE static QString displayTime(qlonglong dateTime, uint format);                                           \
    Q_INVOKABLE static QString displayTime(qlonglong dateTime);                                                        \
    Q_INVOKABLE static QString displayRunningTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots,      \
        const QVariant& prefix, bool proportionalFont, const QVariant& updateCheck);                                   \
    Q_INVOKABLE static QString displayRunningTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots,      \
        const QVariant& prefix, bool proportionalFont);                                                                \
    Q_INVOKABLE static QString displayRunningTime(                                                                     \
        qlonglong dateTime, uint format, bool onlySeconds, bool noDots, const QVariant& prefix);                       \
    Q_INVOKABLE static QString displayRunningTime(qlonglong dateTime, uint format, bool onlySeconds, bool noDots);     \
    Q_INVOKABLE static QString displayRunningTime(qlonglong dateTime, uint format, bool onlySeconds);                  \
    Q_INVOKABLE static QString displayRunningTime(qlonglong dateTime, uint format);                                    \
    Q_INVOKABLE static QString displayRunningTime(qlonglong dateTime);                                                 \
    Q_INVOKABLE static QString displayNetTime(qlonglong dateTime, uint format, bool onlySeconds);                      \
    Q_INVOKABLE static QString displayNetTime(qlonglong dateTime, uint format);                                        \
    Q_INVOKABLE static QString displayNetTime(qlonglong dateTime);                                                     \
    Q_INVOKABLE static QString displayTimeGap(qlonglong dateTime, uint format, bool onlySeconds);                      \
    Q_INVOKABLE static QString displayTimeGap(qlonglong dateTime, uint format);                                        \
    Q_INVOKABLE static QString displayTimeGap(qlonglong dateTime);                                                     \
    Q_INVOKABLE static QString getTimeMask(                                                                            \
        uint precision = 0, const QString& maskChar = QStringLiteral("_"), bool onlySeconds = false);                  \
    Q_INVOKABLE static QString getCronoTimeMask(const QString& maskChar = QStringLiteral("_"));                        \
    Q_INVOKABLE static QString getPointMask(const QString& maskChar = QStringLiteral(" "));                            \
    Q_INVOKABLE static QString getDateMask(const QString& maskChar = QStringLiteral("_"));                             \
    Q_INVOKABLE static qlonglong stringToTimeWithPointQML(const QString& origText, bool onlySeconds = false,           \
        const QString& timeSeparator = QStringLiteral(":"), const QString& decimalSeparator = QStringLiteral("."));    \
    Q_INVOKABLE static bool checkTime(const QString& input, bool onlySeconds = false,                                  \
        const QString& timeSeparator = QStringLiteral(":"), const QString& decimalSeparator = QStringLiteral("."));
#else
#define VL_TICK_DATETIME_INVOKABLES
#endif
