#include "common/ticktime.h"

#include <algorithm>
#include <cstring>

namespace Vl::Common {

namespace {

// Year lengths of the tick calendar, repeating from 1970: every fourth year from 1972 is a leap year.
constexpr int kYearLength[4] = { 365, 365, 366, 365 };
constexpr int kYearStart[4] = { 0, 365, 730, 1096 };
constexpr int kDaysIn4Years = 1461;
constexpr int kMonthLength[2][12]
    = { { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 }, { 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 } };
// The longest each month can be, used by the date parser's corrections.
constexpr int kMaxMonthLength[12] = { 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };

constexpr int kLineLength = 14; // characters of one formatted line, without the terminator
constexpr int kTimeTextLength = 13; // positions 0 to 12: "hh:mm:ss.ffff"
constexpr uint kFixedWidth = 0x20;
constexpr uint kStartAtZero = 0x40;
constexpr uint kTenths = 0x80;

bool isLeapTickYear(int yearsSince1970) { return yearsSince1970 % 4 == 2; }

bool isAllDigits(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// Reads a field of digits only: a sign or any other character refuses the field.
bool readDigits(const QString& text, int& value)
{
    if (!isAllDigits(text))
        return false;
    bool ok = false;
    value = text.toInt(&ok, 10);
    return ok;
}

// Writes value as exactly width decimal digits (the values of the layouts always fit).
char* putDigits(char* p, unsigned long long value, int width)
{
    for (int k = width - 1; k >= 0; --k) {
        p[k] = char('0' + value % 10);
        value /= 10;
    }
    return p + width;
}

// The five layouts of the formatter, each written from position 0 with its terminator.
enum class Layout { Time, TimeNoBlank, TimeNoSeparators, Seconds, SecondsNoPoint };

void printLayout(char* b, Layout layout, const TimeParts& t, unsigned long long seconds)
{
    char* p = b;
    switch (layout) {
    case Layout::Time:
    case Layout::TimeNoBlank:
        p = putDigits(p, t.hour, 2);
        *p++ = ':';
        p = putDigits(p, t.minute, 2);
        *p++ = ':';
        p = putDigits(p, t.second, 2);
        *p++ = '.';
        p = putDigits(p, t.fraction, 4);
        if (layout == Layout::Time)
            *p++ = ' ';
        break;
    case Layout::TimeNoSeparators:
        *p++ = ' ';
        *p++ = ' ';
        *p++ = ' ';
        p = putDigits(p, t.hour, 2);
        p = putDigits(p, t.minute, 2);
        p = putDigits(p, t.second, 2);
        p = putDigits(p, t.fraction, 4);
        *p++ = ' ';
        break;
    case Layout::Seconds:
        p = putDigits(p, seconds, 8);
        *p++ = '.';
        p = putDigits(p, t.fraction, 4);
        *p++ = ' ';
        break;
    case Layout::SecondsNoPoint:
        *p++ = ' ';
        p = putDigits(p, seconds, 8);
        p = putDigits(p, t.fraction, 4);
        *p++ = ' ';
        break;
    }
    *p = 0;
}

// Day counts of the time-text arithmetic are bounded so that the sum cannot overflow.
constexpr qint64 kMaxDayCount = 1000000000LL;

qint64 readDayCount(const QString& text)
{
    bool ok = false;
    const qint64 days = text.trimmed().toLongLong(&ok);
    return ok && days >= -kMaxDayCount && days <= kMaxDayCount ? days : 0;
}

qint64 readTimeOfDay(const QString& text)
{
    qint64 ticks = 0;
    return TickTime::parseTime(text, &ticks, false, ':', '.') ? ticks : 0;
}

// A tick value held as whole days and a remainder with the same sign as the whole, so that
// A + sign × B stays exact for every sign an int can hold.
struct DaysAndTicks
{
    qint64 days = 0;
    qint64 ticks = 0; // |ticks| < one day
};

// (A + sign × B) of two time texts with day counts. The day counts are bounded and a time of day
// is below one day, so each product below fits in 64 bits; the sum is carried into days as it goes.
DaysAndTicks timeTextSum(int sign, const QString& timeStringA, const QString& dateStringA, const QString& timeStringB,
    const QString& dateStringB)
{
    const qint64 timeB = readTimeOfDay(timeStringB);
    // sign × timeB could pass 2^63 for the largest signs: it is taken in two halves.
    const qint64 firstHalf = sign / 2;
    const qint64 secondHalf = qint64(sign) - firstHalf;
    const qint64 partA = firstHalf * timeB;
    const qint64 partB = secondHalf * timeB;
    qint64 days = readDayCount(dateStringA) + qint64(sign) * readDayCount(dateStringB) + partA / TickTime::kTicksPerDay
        + partB / TickTime::kTicksPerDay;
    qint64 ticks = readTimeOfDay(timeStringA) + partA % TickTime::kTicksPerDay + partB % TickTime::kTicksPerDay;
    days += ticks / TickTime::kTicksPerDay;
    ticks %= TickTime::kTicksPerDay;
    // The remainder takes the sign of the whole value, as a division of the whole would leave it.
    if (days > 0 && ticks < 0) {
        --days;
        ticks += TickTime::kTicksPerDay;
    } else if (days < 0 && ticks > 0) {
        ++days;
        ticks -= TickTime::kTicksPerDay;
    }
    return { days, ticks };
}

QString cleanInput(const QString& text)
{
    QString s = text;
    s.remove(QLatin1Char('_'));
    s.replace(QLatin1Char(' '), QLatin1Char('0'));
    return s;
}

// Seconds only: whole seconds, a point or comma, one to four decimals.
bool parseSecondsOnly(const QString& s, qint64& result)
{
    int point = -1;
    for (int k = 0; k < s.size(); ++k) {
        if (s.at(k) == QLatin1Char('.') || s.at(k) == QLatin1Char(',')) {
            point = k;
            break;
        }
    }
    const QString whole = point < 0 ? s : s.left(point);
    if (whole.size() > 19)
        return false;
    int seconds = 0;
    if (!readDigits(whole, seconds))
        return false;
    result = qint64(seconds) * TickTime::kTicksPerSecond;
    if (point < 0)
        return false;
    const QString rest = s.mid(point + 1);
    int decimals = 0;
    if (rest.size() > 4 || !readDigits(rest, decimals))
        return false;
    static constexpr int kScale[5] = { 0, 5000, 500, 50, 5 };
    result += qint64(decimals) * kScale[rest.size()];
    return true;
}

// "hh:mm:ss", optionally followed by a decimal separator and up to four decimals; ":" or "." between
// the fields, "." or "," before the decimals.
bool isFixedLayout(const QString& s)
{
    const int len = s.size();
    if (len < 8 || len > 14)
        return false;
    auto isTimeSep = [](QChar c) { return c == QLatin1Char(':') || c == QLatin1Char('.'); };
    if (!isTimeSep(s.at(2)) || !isTimeSep(s.at(5)))
        return false;
    return len == 8 || s.at(8) == QLatin1Char('.') || s.at(8) == QLatin1Char(',');
}

bool parseFixedLayout(const QString& s, qint64& hours, qint64& minutes, qint64& seconds, qint64& fraction)
{
    int h = 0, m = 0, sec = 0;
    if (!readDigits(s.mid(0, 2), h) || h > 23)
        return false;
    if (!readDigits(s.mid(3, 2), m) || m > 59)
        return false;
    if (!readDigits(s.mid(6, 2), sec) || sec > 59)
        return false;
    int f = 0;
    switch (s.size()) {
    case 13:
    case 14:
        if (!readDigits(s.mid(9, 4), f))
            return false;
        break;
    case 12:
        if (!readDigits(s.mid(9, 3), f))
            return false;
        f *= 10;
        break;
    case 11:
        if (!readDigits(s.mid(9, 2), f))
            return false;
        f *= 100;
        break;
    case 10:
        if (!readDigits(s.mid(9, 1), f))
            return false;
        f *= 1000;
        break;
    default:
        break;
    }
    if (f > 9999)
        return false;
    hours = h;
    minutes = m;
    seconds = sec;
    fraction = f;
    return true;
}

// Reads one field that ends right before position end: two characters, or one when only one is left.
bool readFieldBefore(const QString& s, int end, int maximum, qint64& value, int& fieldStart)
{
    const int length = end >= 2 ? 2 : end;
    fieldStart = end - length;
    int v = 0;
    if (length <= 0 || !readDigits(s.mid(fieldStart, length), v) || v > maximum)
        return false;
    value = v;
    return true;
}

bool parseFromRight(const QString& s, char timeSeparator, char decimalSeparator, qint64& hours, qint64& minutes,
    qint64& seconds, qint64& fraction)
{
    int end = s.size();
    const int decimal = s.lastIndexOf(QLatin1Char(decimalSeparator));
    if (decimal > 0) {
        const QString digits = s.mid(decimal + 1);
        int f = 0;
        if (digits.size() > 4 || !readDigits(digits, f))
            return false;
        static constexpr int kScale[5] = { 0, 1000, 100, 10, 1 };
        fraction = qint64(f) * kScale[digits.size()];
        if (fraction > 9999)
            return false;
        end = decimal;
    }
    int fieldStart = 0;
    if (!readFieldBefore(s, end, 59, seconds, fieldStart))
        return false;
    // A single character before a field ends the reading unchecked.
    if (fieldStart < 2)
        return true;
    if (s.at(fieldStart - 1) != QLatin1Char(timeSeparator))
        return false;
    if (!readFieldBefore(s, fieldStart - 1, 59, minutes, fieldStart))
        return false;
    if (fieldStart < 2)
        return true;
    if (s.at(fieldStart - 1) != QLatin1Char(timeSeparator))
        return false;
    return readFieldBefore(s, fieldStart - 1, 23, hours, fieldStart);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Calendar

DateParts TickTime::ticksToDate(qint64 ticks)
{
    int days = int(ticks / kTicksPerDay);
    DateParts date;
    if (days < 0) {
        date.day = days + 1;
        return date;
    }
    int years = (days / kDaysIn4Years) * 4;
    days %= kDaysIn4Years;
    while (days - kYearLength[years % 4] >= 0) {
        days -= kYearLength[years % 4];
        ++years;
    }
    const int* months = kMonthLength[isLeapTickYear(years) ? 1 : 0];
    int month = 0;
    while (month < 11 && days - months[month] >= 0) {
        days -= months[month];
        ++month;
    }
    date.year = 1970 + years;
    date.month = month + 1;
    date.day = days + 1;
    return date;
}

qint64 TickTime::dateToTicks(const DateParts& date)
{
    // Unsigned arithmetic: a year before 1970 wraps instead of overflowing.
    const quint32 y = quint32(date.year - 1970);
    quint64 days = quint64(y / 4) * kDaysIn4Years + quint64(kYearStart[y % 4]);
    const int* months = kMonthLength[y % 4 == 2 ? 1 : 0];
    const int month = std::clamp(date.month, 1, 12);
    for (int m = 0; m < month - 1; ++m)
        days += quint64(months[m]);
    days += quint64(qint64(date.day) - 1);
    return qint64(days * quint64(kTicksPerDay));
}

bool TickTime::isDateValid(int day, int month, int year)
{
    if (month < 1 || month > 12 || day < 1)
        return false;
    const bool leap = year % 4 == 0 && (year % 400 == 0 || year % 100 != 0);
    return day <= kMonthLength[leap ? 1 : 0][month - 1];
}

TimeParts TickTime::splitTime(qint64 ticks, int twelveHour)
{
    qint64 r = ticks % kTicksPerDay;
    if (r < 0)
        r = -r;
    TimeParts parts;
    parts.hour = unsigned(r / kTicksPerHour);
    parts.minute = unsigned((r - qint64(parts.hour) * kTicksPerHour) / kTicksPerMinute);
    parts.second = unsigned((r % kTicksPerMinute) / kTicksPerSecond);
    parts.fraction = unsigned((r % kTicksPerSecond) / kTicksPerDmil);
    if (twelveHour == 1 && parts.hour > 12)
        parts.hour -= 12;
    return parts;
}

void TickTime::roundTicks(qint64& value, qint64 unit, qint64 threshold)
{
    if (unit == 0)
        return;
    const qint64 rem = value % unit;
    value -= rem;
    if (threshold != 0 && rem >= threshold)
        value += unit;
}

QString TickTime::formatDate(const DateParts& date, int dateOrder)
{
    // A day before 1 January 1970 comes out as 0 or negative; it is printed as its unsigned value.
    if (dateOrder == kMonthFirst)
        return QString::asprintf("%02u/%02u/%04u", unsigned(date.month), unsigned(date.day), unsigned(date.year));
    return QString::asprintf("%02u/%02u/%04u", unsigned(date.day), unsigned(date.month), unsigned(date.year));
}

QString TickTime::resultTime(int sign, const QString& timeStringA, const QString& dateStringA,
    const QString& timeStringB, const QString& dateStringB)
{
    const TimeParts t = splitTime(timeTextSum(sign, timeStringA, dateStringA, timeStringB, dateStringB).ticks, 0);
    return QString::asprintf("%02u:%02u:%02u.%04u", t.hour, t.minute, t.second, t.fraction);
}

QString TickTime::resultDate(int sign, const QString& timeStringA, const QString& dateStringA,
    const QString& timeStringB, const QString& dateStringB)
{
    return QString::number(timeTextSum(sign, timeStringA, dateStringA, timeStringB, dateStringB).days);
}

// ---------------------------------------------------------------------------------------------
// Formatting

int TickTime::formatTime(qint64 dateTime, char buffer[kFormatBufferSize], uint format, const FormatRules& rules,
    bool onlySeconds, bool noDots, char prefix, bool proportionalFont, char* updateCheck)
{
    char* const b = buffer;
    std::memset(b, 0, kFormatBufferSize);

    // Format words can come from QML with any value: a cut or blank count beyond the line would
    // write outside the buffer, so both are held to the line. Position 14 is never written.
    const int cut = std::min(int(format & 0x1Fu), kTimeTextLength);
    const int blanks = std::min(int((format >> 8) & rules.blankCountMask), kLineLength);
    const bool gap = (format & kFormatGap) != 0;
    const bool running = gap || (format & kFormatRunning) != 0;
    const bool crono = (format & kFormatCrono) != 0;

    const TimeParts t = splitTime(dateTime, rules.twelveHour ? 1 : 0);
    const unsigned long long seconds = 3600ULL * t.hour + 60ULL * t.minute + t.second;

    auto blankLeading = [b](int count) {
        for (int p = 0; p < count; ++p)
            b[p] = ' ';
    };

    // Whether a proportional font moves the sign one place left (text of step 2 or the dotted time layout).
    bool proportionalShift = true;

    if (!running) {
        if (crono) {
            printLayout(b, noDots ? Layout::TimeNoSeparators : Layout::Time, t, seconds);
            blankLeading(blanks);
            if (b[blanks] == ':')
                b[blanks] = ' ';
            if (format & kFixedWidth) {
                b[kTimeTextLength - cut] = 0;
            } else if (cut > 0) {
                std::memmove(b + kLineLength - cut, b + kTimeTextLength - cut, size_t(cut));
                b[kTimeTextLength - cut] = '_';
            }
        } else {
            printLayout(b, onlySeconds ? Layout::Seconds : Layout::TimeNoBlank, t, seconds);
            blankLeading(blanks);
            if (b[blanks] == ':')
                b[blanks] = ' ';
            b[kTimeTextLength - cut] = 0;
        }
    } else {
        if (onlySeconds && !crono) {
            proportionalShift = false;
            printLayout(b, noDots ? Layout::SecondsNoPoint : Layout::Seconds, t, seconds);
        } else {
            proportionalShift = !noDots;
            printLayout(b, noDots ? Layout::TimeNoSeparators : Layout::Time, t, seconds);
        }
        const int limit = noDots ? 8 : 7;
        blankLeading(blanks);
        for (int p = blanks; p < limit && (b[p] == '0' || b[p] == ':'); ++p)
            b[p] = ' ';
        if (format & kTenths) {
            b[10] = b[11] = b[12] = ' ';
        } else {
            for (int k = 0; k < cut; ++k)
                b[12 - k] = ' ';
        }
        if (!(format & kFixedWidth))
            b[kTimeTextLength - cut] = 0;
    }

    const int start = (format & kStartAtZero) ? 0 : blanks;

    if (running || prefix != 0) {
        const bool negative = dateTime < 0;
        const bool positive = dateTime > 0;
        char pre = prefix;
        if ((pre == '+' || pre == '-') && (negative || (positive && gap)))
            pre = 0;
        int i = start;
        while (i < kLineLength && b[i] == ' ')
            ++i;
        if (proportionalFont && (i == 3 || i == 6 || i == 9) && proportionalShift)
            --i;
        const bool placeable = i >= 2 || (i == 1 && b[0] == ' ');
        if (pre == 0) {
            if (placeable) {
                if (negative)
                    b[i - 1] = '-';
                else if (positive && gap)
                    b[i - 1] = '+';
            }
        } else if (!negative && !(positive && gap)) {
            if (placeable)
                b[i - 1] = pre;
        } else if (i < 2) {
            b[0] = pre;
        } else {
            b[i - 2] = pre;
            b[i - 1] = negative ? '-' : '+';
        }
        if (placeable && b[i] == ':')
            b[i] = ' ';
    }

    if (!updateCheck)
        return start;
    if (start >= kLineLength)
        return kLineLength;
    // Past the end of the new text there is only its terminator.
    const int length = int(std::strlen(b));
    for (int p = start; p < kFormatBufferSize; ++p) {
        const char c = p <= length ? b[p] : 0;
        if (updateCheck[p] != c) {
            updateCheck[p] = c;
            return p;
        }
        if (c == 0)
            return kLineLength;
    }
    return kLineLength;
}

QString TickTime::displayTime(qint64 dateTime, uint format, const FormatRules& rules, bool onlySeconds, bool noDots,
    char prefix, bool proportionalFont, char* updateCheck)
{
    char buffer[kFormatBufferSize];
    formatTime(dateTime, buffer, format, rules, onlySeconds, noDots, prefix, proportionalFont, updateCheck);
    // The formatter writes ASCII (digits, separators, signs) and the caller's prefix: read as Latin-1
    // it gives the text the locale's codec would, without the codec's look-up on every call, which
    // costs more than the formatting itself and sits on the path of the start signals.
    for (const char* p = buffer; *p != 0; ++p) {
        if (static_cast<unsigned char>(*p) >= 0x80)
            return QString::fromLocal8Bit(buffer);
    }
    return QString::fromLatin1(buffer);
}

QString TickTime::cronoTime(qint64 dateTime)
{
    const TimeParts t = splitTime(dateTime, 0);
    return QString::asprintf("%02u:%02u:%02u.%04u ", t.hour, t.minute, t.second, t.fraction);
}

bool TickTime::isEmptyDateTime(const QString& text)
{
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Input masks

QString TickTime::timeMask(uint precision, const QString& maskChar, bool onlySeconds, const FormatRules& rules)
{
    QString mask = displayTime(0, precision, rules, onlySeconds, false).trimmed();
    mask.replace(QLatin1Char('0'), QLatin1Char('9'));
    return mask + QLatin1Char(';') + maskChar;
}

QString TickTime::cronoTimeMask(const QString& maskChar)
{
    QString mask = cronoTime(0);
    mask.replace(QLatin1Char('0'), QLatin1Char('9'));
    return mask + QLatin1Char(';') + maskChar;
}

QString TickTime::pointMask(const QString& maskChar)
{
    // The seconds layout of 0 with its integer part blanked down to the units: "       0.0000".
    QString mask = displayTime(0, kFormatRunning | 0x400u, FormatRules(), true, false).left(kTimeTextLength).mid(4);
    mask.replace(QLatin1Char('0'), QLatin1Char('9'));
    mask.replace(QLatin1Char(' '), QLatin1Char('0'));
    return mask.trimmed() + QLatin1Char(';') + maskChar;
}

QString TickTime::dateMask(const QString& maskChar) { return QStringLiteral("99/99/9999;") + maskChar; }

// ---------------------------------------------------------------------------------------------
// Parsing

bool TickTime::parseTime(
    const QString& text, qint64* ticks, bool onlySeconds, char timeSeparator, char decimalSeparator)
{
    qint64 local = 0;
    qint64& result = ticks ? *ticks : local;
    result = 0;

    const QString s = cleanInput(text);
    if (s.isEmpty())
        return false;
    if (onlySeconds)
        return parseSecondsOnly(s, result);

    qint64 hours = 0, minutes = 0, seconds = 0, fraction = 0;
    const bool ok = isFixedLayout(s)
        ? parseFixedLayout(s, hours, minutes, seconds, fraction)
        : parseFromRight(s, timeSeparator, decimalSeparator, hours, minutes, seconds, fraction);
    if (!ok)
        return false;
    result = ((hours * 3600 + minutes * 60 + seconds) * 10000 + fraction) * kTicksPerDmil;
    return true;
}

bool TickTime::parseDate(
    const QString& text, qint64* ticks, char dateSeparator, int fieldOrder, int normalisedOrder, QString* normalised)
{
    qint64 local = 0;
    qint64& result = ticks ? *ticks : local;
    result = 0;

    const QString s = cleanInput(text);
    if (s.isEmpty())
        return false;

    const QLatin1Char separator(dateSeparator);
    const int first = s.indexOf(separator);
    const QString firstField = first < 0 ? s : s.left(first);
    QString secondField;
    QString yearField;
    if (first >= 0) {
        const int second = s.indexOf(separator, first + 1);
        secondField = second < 0 ? s.mid(first + 1) : s.mid(first + 1, second - first - 1);
        if (second >= 0)
            yearField = s.mid(second + 1);
    }

    bool ok1 = false, ok2 = false;
    int a = firstField.toInt(&ok1, 10);
    int b = secondField.toInt(&ok2, 10);
    if (!ok1 || !ok2)
        return false;
    int day = a, month = b;
    if (fieldOrder == kMonthFirst)
        std::swap(day, month);

    bool exact = true;
    if (month == 0) {
        month = 1;
        exact = false;
    } else if (month > 12 || month < 0) {
        month = 12;
        exact = false;
    }
    if (day == 0) {
        day = 1;
        exact = false;
    } else if (day > kMaxMonthLength[month - 1] || day < 0) {
        day = kMaxMonthLength[month - 1];
        exact = false;
    }

    if (yearField.size() == 2)
        yearField.prepend(QStringLiteral("20"));
    bool okYear = false;
    const int year = yearField.toInt(&okYear, 10);
    // Four-digit years only: the input mask has four places, and larger years leave the tick range.
    if (!okYear || year < 1970 || year > 9999)
        return false;
    if (year % 4 != 0 && month == 2 && day > 28) {
        day = 28;
        exact = false;
    }

    DateParts date;
    date.day = day;
    date.month = month;
    date.year = year;
    result = dateToTicks(date);
    if (exact)
        return true;
    if (normalised)
        *normalised = formatDate(date, normalisedOrder);
    return false;
}

char TickTime::separatorChar(const QString& text, char fallback)
{
    if (text.isEmpty())
        return fallback;
    const char c = text.at(0).toLatin1();
    return c != 0 ? c : fallback;
}

char TickTime::prefixChar(const QVariant& value)
{
    if (value.userType() == QMetaType::QString)
        return separatorChar(value.toString(), 0);
    bool ok = false;
    const int code = value.toInt(&ok);
    return ok && code > 0 && code <= 255 ? static_cast<char>(code) : 0;
}

} // namespace Vl::Common
