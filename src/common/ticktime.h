#pragma once

#include <QString>
#include <QVariant>
#include <QtGlobal>

namespace Vl::Common {

// The calendar fields of a tick value.
struct DateParts
{
    int day = 1;
    int month = 1;
    int year = 1970;
};

// The time-of-day fields of a tick value; fraction in ten-thousandths of a second.
struct TimeParts
{
    unsigned fraction = 0;
    unsigned second = 0;
    unsigned minute = 0;
    unsigned hour = 0;
};

// The tick calendar, the one time formatter and the time and date parsers that both programs'
// date utilities are built on. Ticks are 1/50,000 s; the calendar counts from 1970-01-01 with a
// leap year every fourth year from 1972. Nothing here reads a clock or a setting: what differs
// between the programs (12-hour display, the order of day and month) is passed in.
class TickTime
{
public:
    static constexpr qint64 kTicksPerDay = 4320000000LL;
    static constexpr qint64 kTicksPerSecond = 50000;
    static constexpr qint64 kTicksPerMinute = 3000000;
    static constexpr qint64 kTicksPerHour = 180000000;
    static constexpr qint64 kTicksPerDmil = 5;
    static constexpr qint64 kTicksPerMs = 50;
    static constexpr int kFormatBufferSize = 15;

    // Mode bits of a format word.
    static constexpr uint kFormatRunning = 0x2000;
    static constexpr uint kFormatCrono = 0x4000;
    static constexpr uint kFormatGap = 0x8000;

    // What the caller's program decides for one formatting: 12-hour display, and which bits of the
    // format word (from bit 8 on) hold the count of leading blanks.
    struct FormatRules
    {
        bool twelveHour = false;
        uint blankCountMask = 0xF;
    };

    // Order of day and month in date texts: 0 day first, 1 month first.
    static constexpr int kDayFirst = 0;
    static constexpr int kMonthFirst = 1;

    static DateParts ticksToDate(qint64 ticks);
    static qint64 dateToTicks(const DateParts& date);
    static bool isDateValid(int day, int month, int year);
    static TimeParts splitTime(qint64 ticks, int twelveHour);
    static void roundTicks(qint64& value, qint64 unit, qint64 threshold);

    // "dd/MM/yyyy" or, month first, "MM/dd/yyyy" of the fields.
    static QString formatDate(const DateParts& date, int dateOrder);

    static int formatTime(qint64 dateTime, char buffer[kFormatBufferSize], uint format, const FormatRules& rules,
        bool onlySeconds = false, bool noDots = false, char prefix = 0, bool proportionalFont = false,
        char* updateCheck = nullptr);
    static QString displayTime(qint64 dateTime, uint format, const FormatRules& rules, bool onlySeconds = false,
        bool noDots = false, char prefix = 0, bool proportionalFont = false, char* updateCheck = nullptr);
    // "hh:mm:ss.ffff " of the 24-hour time of day.
    static QString cronoTime(qint64 dateTime);
    static bool isEmptyDateTime(const QString& text);

    static QString timeMask(uint precision, const QString& maskChar, bool onlySeconds, const FormatRules& rules);
    static QString cronoTimeMask(const QString& maskChar);
    static QString pointMask(const QString& maskChar);
    static QString dateMask(const QString& maskChar);

    static bool parseTime(const QString& text, qint64* ticks, bool onlySeconds = false, char timeSeparator = ':',
        char decimalSeparator = '.');
    // Reads day and month in fieldOrder; a corrected date is written to normalised in normalisedOrder.
    static bool parseDate(const QString& text, qint64* ticks, char dateSeparator, int fieldOrder, int normalisedOrder,
        QString* normalised);

    // Time-text arithmetic: (A + sign × B) of two time-of-day texts with day counts.
    static QString resultTime(int sign, const QString& timeStringA, const QString& dateStringA,
        const QString& timeStringB, const QString& dateStringB);
    static QString resultDate(int sign, const QString& timeStringA, const QString& dateStringA,
        const QString& timeStringB, const QString& dateStringB);

    // The first character of a separator text as QML passes it, or the fallback.
    static char separatorChar(const QString& text, char fallback);
    // A formatter prefix as QML passes it: the first character of a text ("+"), or a character
    // code; 0 (no prefix) for an empty text, null, undefined or a code outside 1 to 255.
    static char prefixChar(const QVariant& value);
};

} // namespace Vl::Common
