#pragma once

#include "sequence/ledmatrixdevice.h"
#include "sequence/semaenum.h"

#include <QObject>
#include <QRecursiveMutex>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <boost/optional.hpp>

namespace Vl::Tavix3::UI {

// The 48 x 16 LED display-board model: the engine draws the lights, the countdown and the time of
// day into it, the command server writes texts, the LED test fills patterns. Finished frames are
// published whole through setMatrix. Every operation holds the one recursive mutex.
class Displayboard : public QObject
{
    Q_OBJECT

public:
    static constexpr int kColumns = 48;
    static constexpr int kRows = 16;
    static constexpr int kPixelCount = kColumns * kRows;

    explicit Displayboard(QObject* parent = nullptr);

    Q_INVOKABLE void reset(bool sendPixels);
    Q_INVOKABLE void reset();
    Q_INVOKABLE void fillRed();
    Q_INVOKABLE void fillGreen();
    Q_INVOKABLE void fillBlue();
    Q_INVOKABLE void fillSingleDrivers(int driverIndex);
    Q_INVOKABLE void drawCornice();

    // Drawing primitives; colours are DisplayboardColor codes. Only those with a send flag publish.
    void drawText(int x, int y, const QString& text, int foreground, int background, int font, bool send);
    static int textWidth(const QString& text);
    void fillRect(int x, int y, int width, int height, int colour, bool send);
    void drawCircle(int cx, int cy, int radius, int colour, bool outline, bool send);

    // The engine's layouts; none of them publishes.
    void drawSemaLights(SemaEnum::VisualizationMode mode, bool timeOfDayShown, SemaEnum::SemaColor colour,
        int pixelCount, bool limitToThree, bool isOff);
    void drawSemaText(
        SemaEnum::VisualizationMode mode, bool timeOfDayShown, const QString& text, SemaEnum::SemaColor colour);
    void drawSemaTime(SemaEnum::VisualizationMode mode, bool timeOfDayShown, boost::optional<qint64> time,
        bool deltaShown, SemaEnum::SemaColor colour, boost::optional<int> bib);
    void drawTimeOfDay(const QString& text);
    void clearTextArea(bool timeOfDayShown);

    // Publishes the board at the given tick (0: at once) when it changed since the last publication.
    bool sendPixels(qint64 time);

    // The countdown text drawSemaTime shows for a time.
    static QString semaTimeText(boost::optional<qint64> time, bool deltaShown);

    // Snapshots for the mirror and the tests.
    QVariantList pixels() const;
    int pixel(int x, int y) const;
    int dotCount() const;
    boost::optional<int> textStartColumn() const;
    const BizHW::LedMatrixDevice& ledMatrixDevice() const { return m_ledMatrixDevice; }

signals:
    // A whole frame: show pixelData (768 colour codes, row by row) at the tick time, 0 meaning at once.
    void setMatrix(const QVariant& time, const QVariantList& pixelData);

private:
    void setPixel(int x, int y, int colour);
    void fillBoard(int colour);
    void publish(qint64 time);
    void clearLayoutState();
    void drawDot(int index, bool timeOfDayShown, int colour);
    int clearFrom(int newStart) const;
    bool dotReachesText(int x) const;
    bool blockReachesText(int x) const;
    void drawTextDirty(int x, int y, const QString& text, int foreground, int background, int font);

    bool m_dirty = false;
    int m_dotCount = 0;
    boost::optional<int> m_textStartColumn;
    QVariantList m_pixels;
    mutable QRecursiveMutex m_mutex;
    BizHW::LedMatrixDevice m_ledMatrixDevice;
};

} // namespace Vl::Tavix3::UI
