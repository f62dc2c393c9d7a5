// The start-light layouts of the display board: lights, remote texts and the countdown band.
#include "sequence/displayboard.h"
#include "sequence/displayboardenum.h"
#include "time/datetime.h"

#include <QMutexLocker>

#include <algorithm>

namespace Vl::Tavix3::UI {

namespace {

constexpr int kOff = DisplayboardEnum::DISP_COLOR_OFF;
constexpr int kRed = DisplayboardEnum::DISP_COLOR_RED;
constexpr int kGreen = DisplayboardEnum::DISP_COLOR_GREEN;
constexpr int kYellow = DisplayboardEnum::DISP_COLOR_YELLOW;
constexpr int kSmall = DisplayboardEnum::DISP_FONT_SMALL;

// Format words of the band: whole seconds with three leading places blanked (minutes and seconds
// of a countdown), tenths with six blanked (a difference below a minute) and with three blanked
// (a difference with its minutes).
constexpr uint kFormatSeconds = 0x2305;
constexpr uint kFormatTenths = 0x2603;
constexpr uint kFormatMinutesTenths = 0x2303;

// The band's text ends at this column; the widest text starts at column 0.
constexpr int kBandTextEnd = 46;

// From an hour on, hours and minutes, "[-]H:MM", with as many digits of hours as there are (the
// formatter's own hours stop at a day); a text too wide for the band shows the whole days,
// "[-]Nd". Both truncated toward zero.
QString hoursText(qint64 value)
{
    const bool negative = value < 0;
    const quint64 magnitude = negative ? 0 - quint64(value) : quint64(value);
    const QString sign = negative ? QStringLiteral("-") : QString();
    const quint64 hours = magnitude / quint64(DateTime::QH1);
    const quint64 minutes = magnitude % quint64(DateTime::QH1) / quint64(DateTime::QMIN1);
    const QString text
        = sign + QString::number(hours) + QLatin1Char(':') + QStringLiteral("%1").arg(minutes, 2, 10, QLatin1Char('0'));
    if (Displayboard::textWidth(text) <= kBandTextEnd)
        return text;
    return sign + QString::number(magnitude / quint64(DateTime::kTicksPerDay)) + QLatin1Char('d');
}

bool isLightColour(int colour) { return colour >= SemaEnum::SEMA_COLOR_OFF && colour <= SemaEnum::SEMA_COLOR_ALL; }

bool isDotColour(int colour)
{
    return colour == SemaEnum::SEMA_COLOR_PIXEL || colour == SemaEnum::SEMA_COLOR_YELLOW_PIXEL;
}

// The pixel colour a light colour shows (light colours 1 to 7 only).
int lightPixelColour(int colour)
{
    switch (colour) {
    case SemaEnum::SEMA_COLOR_RED:
    case SemaEnum::SEMA_COLOR_ALL:
        return kRed;
    case SemaEnum::SEMA_COLOR_GREEN:
        return kGreen;
    case SemaEnum::SEMA_COLOR_YELLOW:
    case SemaEnum::SEMA_COLOR_PIXEL:
    case SemaEnum::SEMA_COLOR_YELLOW_PIXEL:
        return kYellow;
    default:
        return kOff;
    }
}

// The pixel colour of a text drawn for a light colour.
int textPixelColour(int colour)
{
    if (colour == SemaEnum::SEMA_COLOR_GREEN)
        return kGreen;
    if (colour == SemaEnum::SEMA_COLOR_YELLOW || isDotColour(colour))
        return kYellow;
    return kRed;
}

int bandRow(bool timeOfDayShown) { return timeOfDayShown ? 8 : 4; }

// The band right of the main light, where the time goes.
int bandStart(bool timeOfDayShown) { return timeOfDayShown ? 10 : 18; }

} // namespace

// A new text that starts right of the old one must clear from the old start column, or the old
// text's left part stays on the board. A text that starts left of the band clears from its own
// start too: the columns between its characters are not painted.
int Displayboard::clearFrom(int newStart) const
{
    return m_textStartColumn ? std::min(*m_textStartColumn, newStart) : newStart;
}

bool Displayboard::dotReachesText(int x) const { return m_textStartColumn && x + 4 >= *m_textStartColumn; }

bool Displayboard::blockReachesText(int x) const { return m_textStartColumn && x + 7 > *m_textStartColumn; }

void Displayboard::drawDot(int index, bool timeOfDayShown, int colour)
{
    drawCircle(3 + 6 * index, timeOfDayShown ? 11 : 7, 2, colour, false, false);
}

void Displayboard::drawSemaLights(SemaEnum::VisualizationMode mode, bool timeOfDayShown, SemaEnum::SemaColor colour,
    int pixelCount, bool limitToThree, bool isOff)
{
    if (!isLightColour(colour))
        return;
    QMutexLocker locker(&m_mutex);
    const bool t = timeOfDayShown;
    const int pixelColour = lightPixelColour(colour);
    const int mainX = t ? 4 : 8;
    const int mainY = t ? 11 : 8;
    const int mainRadius = t ? 4 : 7;
    const int lightTop = t ? 7 : 0;
    const int lightHeight = t ? 9 : kRows;

    if (isOff) {
        if (colour == SemaEnum::SEMA_COLOR_ALL) {
            const int xs[] = { t ? 14 : 8, t ? 26 : 24, t ? 38 : 40 };
            const int colours[] = { kRed, kYellow, kGreen };
            for (int i = 0; i < 3; ++i)
                drawCircle(xs[i], t ? 11 : 8, t ? 4 : 7, colours[i], false, false);
        } else if (t) {
            for (const int x : { 6, 18, 30, 42 })
                drawCircle(x, 11, 4, pixelColour, false, false);
        } else {
            for (const int x : { 8, 24, 40 })
                drawCircle(x, 8, 7, pixelColour, false, false);
        }
        return;
    }

    switch (mode) {
    case SemaEnum::VISUALIZATION_MODE_1:
        drawCircle(mainX, mainY, mainRadius, pixelColour, false, false);
        break;

    case SemaEnum::VISUALIZATION_MODE_2:
    case SemaEnum::VISUALIZATION_MODE_3: {
        int n = pixelCount;
        if (mode == SemaEnum::VISUALIZATION_MODE_3 && pixelCount != 0)
            n = 6 - pixelCount; // the row fills up instead of emptying
        if (limitToThree)
            n = std::min(n, 3);
        if (n != m_dotCount) {
            if (m_dotCount == 0)
                drawCircle(mainX, mainY, mainRadius, kOff, false, false);
            else
                for (int i = 0; i < m_dotCount; ++i)
                    drawDot(i, t, kOff);
            m_dotCount = n;
        }
        if (colour == SemaEnum::SEMA_COLOR_GREEN) {
            if (t)
                fillRect(0, 7, 9, 9, kOff, false);
            else
                fillRect(0, 0, 16, 16, kOff, false);
            m_dotCount = 5;
            for (int i = 0; i < 5 && !dotReachesText(3 + 6 * i); ++i)
                drawDot(i, t, kGreen);
        } else if (isDotColour(colour)) {
            if (t)
                fillRect(4, 11, 8, 8, kOff, false);
            else
                fillRect(8, 8, 14, 14, kOff, false);
            for (int i = 0; i < n && !dotReachesText(3 + 6 * i); ++i)
                drawDot(i, t, kYellow);
        } else {
            drawCircle(mainX, mainY, mainRadius, pixelColour, false, false);
        }
        break;
    }

    case SemaEnum::VISUALIZATION_MODE_4: {
        const int xs[] = { t ? 9 : 7, 23, t ? 37 : 39 };
        const int colours[] = { kRed, kYellow, kGreen };
        const int y = t ? 11 : 8;
        const int radius = t ? 4 : 7;
        int lit = -1;
        if (colour == SemaEnum::SEMA_COLOR_RED)
            lit = 0;
        else if (colour == SemaEnum::SEMA_COLOR_YELLOW || isDotColour(colour))
            lit = 1;
        else if (colour == SemaEnum::SEMA_COLOR_GREEN)
            lit = 2;
        for (int i = 0; i < 3; ++i) {
            if (lit < 0)
                drawCircle(xs[i], y, radius, kOff, false, false);
            else
                drawCircle(xs[i], y, radius, colours[i], i != lit, false);
        }
        break;
    }

    case SemaEnum::VISUALIZATION_MODE_5: {
        const int barTop = t ? 8 : 0;
        const int barHeight = t ? 8 : kRows;
        const int n = pixelCount != 0 ? 6 - pixelCount : 0;
        if (n != m_dotCount) {
            if (n <= 5) {
                for (int i = 0, x = 50; i < 6 - n; ++i, x -= 10)
                    fillRect(x, barTop, 9, barHeight, kOff, false);
            }
            m_dotCount = n;
        }
        if (colour == SemaEnum::SEMA_COLOR_GREEN || colour == SemaEnum::SEMA_COLOR_RED) {
            m_dotCount = 5;
            for (int x = 0; x <= 40; x += 10)
                fillRect(x, barTop, 9, barHeight, pixelColour, false);
        } else if (isDotColour(colour)) {
            for (int i = 0; i < n; ++i)
                fillRect(10 * i, barTop, 9, barHeight, kRed, false);
        }
        break;
    }

    case SemaEnum::VISUALIZATION_MODE_6:
        drawCircle(23, t ? 11 : 7, 3, pixelColour, false, false);
        break;

    case SemaEnum::VISUALIZATION_MODE_7: {
        int n = pixelCount;
        if (limitToThree)
            n = std::min(n, 3);
        if (n != m_dotCount) {
            fillRect(0, lightTop, kColumns, lightHeight, kOff, false);
            m_dotCount = n;
        }
        if (isDotColour(colour)) {
            for (int i = 0; i < n && !blockReachesText(7 * i); ++i)
                fillRect(7 * i, lightTop, 6, lightHeight, pixelColour, false);
        } else {
            if (colour == SemaEnum::SEMA_COLOR_GREEN)
                m_dotCount = 5;
            fillRect(0, lightTop, kColumns, lightHeight, pixelColour, false);
        }
        break;
    }

    default:
        break;
    }
}

void Displayboard::drawSemaText(
    SemaEnum::VisualizationMode mode, bool timeOfDayShown, const QString& text, SemaEnum::SemaColor colour)
{
    if (!isLightColour(colour))
        return;
    QMutexLocker locker(&m_mutex);
    const int y = bandRow(timeOfDayShown);
    const int width = textWidth(text);
    const int x = kBandTextEnd - width;
    switch (mode) {
    case SemaEnum::VISUALIZATION_MODE_1: {
        const int start = bandStart(timeOfDayShown);
        fillRect(start, y, kColumns - start, 8, kOff, false);
        drawTextDirty(x, y, text, textPixelColour(colour), kOff, kSmall);
        break;
    }
    case SemaEnum::VISUALIZATION_MODE_2:
    case SemaEnum::VISUALIZATION_MODE_3:
    case SemaEnum::VISUALIZATION_MODE_6:
    case SemaEnum::VISUALIZATION_MODE_7:
        if (colour == SemaEnum::SEMA_COLOR_GREEN || isDotColour(colour)) {
            fillRect(x, y, width, 8, kOff, false);
            drawTextDirty(x, y, text, colour == SemaEnum::SEMA_COLOR_GREEN ? kGreen : kRed, kOff, kSmall);
        } else {
            fillRect(10, y, 38, 8, kOff, false);
            drawTextDirty(x, y, text, kRed, kOff, kSmall);
        }
        break;
    default:
        break;
    }
}

QString Displayboard::semaTimeText(boost::optional<qint64> time, bool deltaShown)
{
    if (!time)
        return QString();
    qint64 value = *time;
    // A countdown shows whole seconds, truncated toward the start moment.
    if (!deltaShown && value < 0)
        value = value / DateTime::QSEC1 * DateTime::QSEC1;
    // The layouts below blank the hours (and a difference's also the minutes), so longer times take
    // a layout that keeps them.
    const bool hourOrMore = value >= DateTime::QH1 || value <= -qint64(DateTime::QH1);
    if (hourOrMore)
        return hoursText(value);
    uint format = kFormatSeconds;
    if (deltaShown)
        format = value >= DateTime::QMIN1 || value <= -qint64(DateTime::QMIN1) ? kFormatMinutesTenths : kFormatTenths;
    return DateTime::displayOptionalTime(value, format).trimmed();
}

void Displayboard::drawSemaTime(SemaEnum::VisualizationMode mode, bool timeOfDayShown, boost::optional<qint64> time,
    bool deltaShown, SemaEnum::SemaColor colour, boost::optional<int> bib)
{
    QMutexLocker locker(&m_mutex);
    QString text = semaTimeText(time, deltaShown);
    const int y = bandRow(timeOfDayShown);
    const int lightTop = timeOfDayShown ? 7 : 0;
    const int lightHeight = timeOfDayShown ? 9 : kRows;

    switch (mode) {
    case SemaEnum::VISUALIZATION_MODE_1: {
        const int s = kBandTextEnd - textWidth(text);
        const int start = clearFrom(std::min(bandStart(timeOfDayShown), s));
        m_textStartColumn = s;
        fillRect(start, y, kColumns - start, 8, kOff, false);
        drawTextDirty(s, y, text, kRed, kOff, kSmall);
        return;
    }
    case SemaEnum::VISUALIZATION_MODE_2:
    case SemaEnum::VISUALIZATION_MODE_3:
    case SemaEnum::VISUALIZATION_MODE_6:
    case SemaEnum::VISUALIZATION_MODE_7:
        break;
    default:
        m_textStartColumn = boost::none;
        return;
    }

    if (colour == SemaEnum::SEMA_COLOR_GREEN) {
        if (!deltaShown)
            text = QStringLiteral("GO");
        const int foreground = deltaShown ? kRed : kGreen;
        if (mode == SemaEnum::VISUALIZATION_MODE_7) {
            const int s = (kColumns - textWidth(text)) / 2;
            m_textStartColumn = s;
            drawTextDirty(s, y, text, kRed, kGreen, kSmall);
        } else {
            const int s = kBandTextEnd - textWidth(text);
            const int from = clearFrom(s);
            m_textStartColumn = s;
            fillRect(from, y, kColumns - from, 8, kOff, false);
            drawTextDirty(s, y, text, foreground, kOff, kSmall);
        }
    } else if (isDotColour(colour)) {
        const int s = kBandTextEnd - textWidth(text);
        m_textStartColumn = s;
        fillRect(s, y, kColumns - s, 8, kOff, false);
        drawTextDirty(s, y, text, kRed, kOff, kSmall);
    } else if (mode == SemaEnum::VISUALIZATION_MODE_7) {
        const int s = kBandTextEnd - textWidth(text);
        const int from = clearFrom(s);
        m_textStartColumn = s;
        fillRect(from, lightTop, kColumns - from, lightHeight, kOff, false);
        drawTextDirty(s, y, text, kRed, kOff, kSmall);
    } else {
        const int s = kBandTextEnd - textWidth(text);
        int start = bandStart(timeOfDayShown);
        if (mode == SemaEnum::VISUALIZATION_MODE_6) {
            // Just below one minute to go, the wider minute text of the seconds before is still to be cleared.
            start = time && *time > -3000000 && *time < -2750000 ? 18 : 27;
        }
        start = clearFrom(std::min(start, s));
        m_textStartColumn = s;
        if (colour == SemaEnum::SEMA_COLOR_OFF)
            fillRect(0, y, kColumns, 8, kOff, false);
        fillRect(start, y, kColumns - start, 8, kOff, false);
        drawTextDirty(s, y, text, kRed, kOff, kSmall);
    }

    if (mode == SemaEnum::VISUALIZATION_MODE_6) {
        // The bib's place ends where a wide time text begins: the time is never drawn over, and a
        // bib that would reach it waits until the text is narrow again.
        const int textStart = kBandTextEnd - textWidth(text);
        fillRect(1, y, std::min(18, textStart - 1), 8, kOff, false);
        if (bib && 1 + textWidth(QString::number(*bib)) < textStart)
            drawTextDirty(1, y, QString::number(*bib), kRed, kOff, kSmall);
    }
}

} // namespace Vl::Tavix3::UI
