#pragma once

#include <QList>
#include <QRectF>
#include <QStringList>

class QQuickItem;

namespace TestVantorQml {

// Looks at a window's items as a user would see them and lists what keeps a control from being
// used: a visible control without width or height, one that lies outside the window or is cut by
// a clipping item that does not scroll, one covered by an item drawn over it, a text cut short, and
// a scrolling view (a page, a list, the log) that lies outside the window or is cut.
class LayoutInspector
{
public:
    explicit LayoutInspector(QQuickItem* root);

    // One line per fault, naming the control and what is wrong; empty when the window is usable.
    QStringList faults() const;

private:
    void collect(QQuickItem* item);
    void inspect(int index, QStringList& faults) const;
    QQuickItem* coveringItem(int index, const QPointF& point) const;

    static bool isControl(const QQuickItem* item);
    // A scrolling view that is not itself inside one.
    static bool isOutermostView(const QQuickItem* item);
    static bool isCutText(const QQuickItem* item);
    static bool paints(const QQuickItem* item);
    static qreal effectiveOpacity(const QQuickItem* item);
    static bool insideFlickable(const QQuickItem* item);
    // The part of the item that its clipping ancestors let through, in scene coordinates.
    static QRectF visibleRect(const QQuickItem* item);
    static QString describe(const QQuickItem* item);

    QRectF m_windowRect;
    // Every effectively visible item, in the order it is painted, with what its clipping ancestors
    // let through and the index of the last item of its subtree (its own content).
    QList<QQuickItem*> m_paintOrder;
    QList<QRectF> m_visibleRects;
    QList<int> m_subtreeEnds;
};

} // namespace TestVantorQml
