#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QRectF>
#include <QStringList>
#include <QUrl>

class QQuickItem;
class QQuickWindow;

// Looks at every text a window shows as a reader of the device's screen sees it: each must be
// drawn whole (not elided, no wider or taller than its room, not cut by a clipping parent, inside
// the window, clear of the frame drawn around it), at a readable size, clear of the other texts and
// icons of its screen, and in a colour that stands out from what lies behind it. The icons and the
// bars of a screen must stand out from what lies behind them too.
class ReadabilityCheck
{
public:
    // The smallest pixel size a text may be drawn at, and the least contrast between a text's,
    // an icon's or a bar's colour and what lies behind it (the ratio of relative luminances, 1 to
    // 21).
    // passing: objectNames of items whose texts come and go on their own (a notice sliding over
    // the status bar); they are neither checked nor in the way of others.
    ReadabilityCheck(int minimumPixelSize, double minimumContrast, const QStringList& passing = {});

    // One line per problem, naming the text, icon or bar by its path of object names.
    QStringList check(QQuickWindow* window) const;

    // Relative luminance contrast of two colours, from 1 (the same) to 21 (black on white).
    static double contrast(const QColor& first, const QColor& second);
    // How much of what a picture draws (its pixels at least half opaque), in percent, stands out
    // from a ground by at least that contrast; -1 when it draws nothing.
    static int percentStandingOut(const QImage& picture, const QColor& ground, double minimumContrast);
    // The least of that share an icon must reach: most of what it draws.
    static constexpr int kIconPercent = 50;

private:
    // A text, an icon, or a rectangle: a bar or a line when nothing is drawn inside it, the ground
    // of what lies inside it when its fill is opaque.
    struct Painted
    {
        enum Kind { Text, Image, Rectangle } kind;
        QQuickItem* item;
        QQuickItem* group; // the screen or box it belongs to
        QRectF rect; // its letters, its picture or its area, in window coordinates
        QRectF clip; // what its clipping parents leave visible
        QQuickItem* clipper;
        qreal opacity; // its own and its parents'
        bool opaque; // a rectangle that hides what lies below it
    };

    // The colours an image's opaque pixels show, with how many pixels show each.
    using Ink = QHash<QRgb, int>;

    void collect(QQuickItem* item, qreal opacity, const QRectF& clip, QQuickItem* clipper, QQuickItem* group,
        QList<Painted>* painted) const;
    void checkText(const Painted& entry, const QRectF& windowRect, const QColor& background,
        const QList<Painted>& shown, QStringList* problems) const;
    static QColor groundOf(const Painted& entry, const QList<Painted>& painted, const QColor& windowColor);
    static bool isBar(const Painted& entry, const QList<Painted>& shown);
    void checkImage(const Painted& entry, const QColor& background, QStringList* problems) const;
    void checkBar(const Painted& entry, const QColor& background, QStringList* problems) const;
    static Ink inkOf(const QImage& picture);
    static int percentStandingOut(const Ink& ink, const QColor& ground, double minimumContrast);

    int m_minimumPixelSize;
    double m_minimumContrast;
    QStringList m_passing;
    // Each picture's ink, read once.
    mutable QHash<QUrl, Ink> m_inks;
};
