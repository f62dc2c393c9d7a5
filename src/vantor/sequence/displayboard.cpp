#include "sequence/displayboard.h"

#include "app/application.h"
#include "core/sharedapplication.h"
#include "sequence/displayboardenum.h"
#include "sequence/displayboardglyphs.h"
#include "time/heldnotifications.h"

#include <QMutexLocker>

namespace Vl::Tavix3::UI {

namespace {
constexpr int kOff = DisplayboardEnum::DISP_COLOR_OFF;
constexpr int kWhite = DisplayboardEnum::DISP_COLOR_WHITE;
} // namespace

Displayboard::Displayboard(QObject* parent)
    : QObject(parent)
    , m_ledMatrixDevice(kRows, kColumns)
{
    m_pixels.reserve(kPixelCount);
    for (int i = 0; i < kPixelCount; ++i)
        m_pixels.append(QVariant(kOff));
}

void Displayboard::reset(bool sendPixels)
{
    QMutexLocker locker(&m_mutex);
    clearLayoutState();
    fillBoard(kOff);
    if (sendPixels)
        publish(0);
}

void Displayboard::reset() { reset(true); }

void Displayboard::fillRed()
{
    QMutexLocker locker(&m_mutex);
    clearLayoutState();
    fillBoard(kOff);
    fillBoard(DisplayboardEnum::DISP_COLOR_RED);
    publish(0);
}

void Displayboard::fillGreen()
{
    QMutexLocker locker(&m_mutex);
    clearLayoutState();
    fillBoard(kOff);
    fillBoard(DisplayboardEnum::DISP_COLOR_GREEN);
    publish(0);
}

void Displayboard::fillBlue()
{
    QMutexLocker locker(&m_mutex);
    clearLayoutState();
    fillBoard(kOff);
    fillBoard(DisplayboardEnum::DISP_COLOR_BLUE);
    publish(0);
}

void Displayboard::fillSingleDrivers(int driverIndex)
{
    QMutexLocker locker(&m_mutex);
    clearLayoutState();
    fillBoard(kOff);
    // Each LED driver feeds a 2 x 8 group in every third of the board.
    const int x0 = (driverIndex % 8) * 2;
    const int y0 = (driverIndex / 8) * 8;
    fillRect(x0, y0, 2, 8, kWhite, false);
    fillRect(x0 + 16, y0, 2, 8, kWhite, false);
    fillRect(x0 + 32, y0, 2, 8, kWhite, true);
}

void Displayboard::drawCornice()
{
    QMutexLocker locker(&m_mutex);
    fillRect(0, 0, 2, kRows, kWhite, false);
    fillRect(0, 0, kColumns, 2, kWhite, false);
    fillRect(kColumns - 2, 0, 2, kRows, kWhite, false);
    fillRect(0, kRows - 2, kColumns, 2, kWhite, true);
}

void Displayboard::drawText(int x, int y, const QString& text, int foreground, int background, int font, bool send)
{
    QMutexLocker locker(&m_mutex);
    drawTextDirty(x, y, text, foreground, background, font);
    if (send)
        publish(0);
}

void Displayboard::drawTextDirty(int x, int y, const QString& text, int foreground, int background, int font)
{
    const bool small = font == DisplayboardEnum::DISP_FONT_SMALL;
    for (const QChar ch : text) {
        // Once a character starts right of the board, so does every later one.
        if (x >= kColumns)
            break;
        const uchar code = ch.unicode() > 0xFF ? 0 : uchar(ch.unicode());
        const int width = small ? DisplayboardGlyphs::smallWidth(code) : DisplayboardGlyphs::bigWidth(code);
        const int height = small ? DisplayboardGlyphs::kSmallHeight : DisplayboardGlyphs::kBigHeight;
        const quint8* rows = small ? DisplayboardGlyphs::smallRows(code) : DisplayboardGlyphs::bigRows(code);
        const int leftBit = small ? 4 : 7;
        for (int r = 0; r < height; ++r) {
            for (int c = 0; c < width; ++c) {
                const bool set = (rows[r] >> (leftBit - c)) & 1;
                setPixel(x + c, y + r, set ? foreground : background);
            }
        }
        // The small font leaves one unpainted column between characters.
        x += small ? width + 1 : width;
    }
    m_dirty = true;
}

int Displayboard::textWidth(const QString& text)
{
    if (text.isEmpty())
        return 0;
    int width = 0;
    for (const QChar ch : text)
        width += DisplayboardGlyphs::smallWidth(ch.unicode() > 0xFF ? 0 : uchar(ch.unicode()));
    return width + text.size() - 1;
}

void Displayboard::fillRect(int x, int y, int width, int height, int colour, bool send)
{
    QMutexLocker locker(&m_mutex);
    for (int j = 0; j < height; ++j) {
        for (int i = 0; i < width; ++i)
            setPixel(x + i, y + j, colour);
    }
    m_dirty = true;
    if (send)
        publish(0);
}

void Displayboard::drawCircle(int cx, int cy, int radius, int colour, bool outline, bool send)
{
    QMutexLocker locker(&m_mutex);
    if (outline)
        drawCircle(cx, cy, radius, kOff, false, send);

    // Integer midpoint circle: one octant is walked, the other seven mirrored.
    int a = 0;
    int b = radius;
    int err = 0;
    int da = 0;
    int db = 1 - 2 * radius;
    while (radius >= 0 && b >= a) {
        if (outline) {
            setPixel(cx - b, cy + a, colour);
            setPixel(cx - b, cy - a, colour);
            setPixel(cx + b, cy + a, colour);
            setPixel(cx + b, cy - a, colour);
            setPixel(cx - a, cy + b, colour);
            setPixel(cx - a, cy - b, colour);
            setPixel(cx + a, cy + b, colour);
            setPixel(cx + a, cy - b, colour);
        } else {
            for (int x = cx - b; x <= cx + b; ++x) {
                setPixel(x, cy + a, colour);
                setPixel(x, cy - a, colour);
            }
            for (int x = cx - a; x <= cx + a; ++x) {
                setPixel(x, cy + b, colour);
                setPixel(x, cy - b, colour);
            }
        }
        ++a;
        err += da;
        da += 2;
        if (2 * err + db > 0) {
            --b;
            err += db;
            db += 2;
        }
    }
    m_dirty = true;
    if (send)
        publish(0);
}

void Displayboard::drawTimeOfDay(const QString& text)
{
    int colour = Application::kDefaultDisplayboardTimeColor;
    bool inTimingMenu = false;
    if (const QSharedPointer<Application> application = sharedApplication()) {
        colour = application->displayboardTimeColor();
        inTimingMenu = application->isInTimingMenu();
    }
    QMutexLocker locker(&m_mutex);
    drawTextDirty(1, inTimingMenu ? 0 : 4, text, colour, kOff, DisplayboardEnum::DISP_FONT_SMALL);
}

void Displayboard::clearTextArea(bool timeOfDayShown)
{
    QMutexLocker locker(&m_mutex);
    if (m_textStartColumn) {
        const int start = *m_textStartColumn;
        fillRect(start, timeOfDayShown ? 8 : 4, kColumns - start, 8, kOff, false);
    }
    m_textStartColumn = boost::none;
}

bool Displayboard::sendPixels(qint64 time)
{
    QMutexLocker locker(&m_mutex);
    if (!m_dirty)
        return false;
    publish(time);
    return true;
}

QVariantList Displayboard::pixels() const
{
    QMutexLocker locker(&m_mutex);
    return m_pixels;
}

int Displayboard::pixel(int x, int y) const
{
    if (x < 0 || x >= kColumns || y < 0 || y >= kRows)
        return kOff;
    QMutexLocker locker(&m_mutex);
    return m_pixels.at(y * kColumns + x).toInt();
}

int Displayboard::dotCount() const
{
    QMutexLocker locker(&m_mutex);
    return m_dotCount;
}

boost::optional<int> Displayboard::textStartColumn() const
{
    QMutexLocker locker(&m_mutex);
    return m_textStartColumn;
}

void Displayboard::setPixel(int x, int y, int colour)
{
    if (x < 0 || x >= kColumns || y < 0 || y >= kRows)
        return;
    QVariant& entry = m_pixels[y * kColumns + x]; // detaches from a published copy on the first write
    if (entry.toInt() != colour)
        entry = QVariant(colour);
}

void Displayboard::fillBoard(int colour)
{
    for (int i = 0; i < kPixelCount; ++i)
        m_pixels[i] = QVariant(colour);
    m_dirty = true;
}

void Displayboard::publish(qint64 time)
{
    // The receivers get a shared copy; the next write here detaches the model's own list. The
    // screens are woken after the engine's tick has sent its status (see HeldNotifications).
    HeldNotifications::send([this, time, pixels = m_pixels]() { emit setMatrix(QVariant(time), pixels); });
    m_dirty = false;
}

void Displayboard::clearLayoutState()
{
    m_dotCount = 0;
    m_textStartColumn = boost::none;
}

} // namespace Vl::Tavix3::UI
