#pragma once

#include <QColor>
#include <QRectF>
#include <QStringList>

class QQuickItem;
class QQuickWindow;

// Looks at every text a window shows as a reader of the device's screen sees it: each must be
// drawn whole (not elided, no wider or taller than its room, not cut by a clipping parent, inside
// the window), at a readable size, clear of the other texts and icons of its screen, and in a
// colour that stands out from what lies behind it.
class ReadabilityCheck
{
public:
    // The smallest pixel size a text may be drawn at, and the least contrast between a text's
    // colour and its background (the ratio of relative luminances, 1 to 21).
    // passing: objectNames of items whose texts come and go on their own (a notice sliding over
    // the status bar); they are neither checked nor in the way of others.
    ReadabilityCheck(int minimumPixelSize, double minimumContrast, const QStringList& passing = {});

    // One line per problem, naming the text by its path of object names.
    QStringList check(QQuickWindow* window) const;

    // Relative luminance contrast of two colours, from 1 (the same) to 21 (black on white).
    static double contrast(const QColor& first, const QColor& second);

private:
    // A text, an icon or an opaque rectangle that hides what lies below it.
    struct Painted
    {
        enum Kind { Text, Image, Cover } kind;
        QQuickItem* item;
        QQuickItem* group; // the screen or box it belongs to
        QRectF rect; // its letters or its picture, in window coordinates
        QRectF clip; // what its clipping parents leave visible
        QQuickItem* clipper;
    };

    void collect(QQuickItem* item, qreal opacity, const QRectF& clip, QQuickItem* clipper, QQuickItem* group,
        QList<Painted>* painted) const;
    void checkText(const Painted& entry, const QRectF& windowRect, QStringList* problems) const;
    QColor backgroundOf(QQuickItem* text, const QRectF& rect) const;

    int m_minimumPixelSize;
    double m_minimumContrast;
    QStringList m_passing;
};
