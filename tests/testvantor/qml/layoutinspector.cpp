#include "layoutinspector.h"

#include <QColor>
#include <QQuickItem>
#include <QQuickWindow>

#include <algorithm>

namespace TestVantorQml {

namespace {

// Neighbouring items may share a border line; less than this is not a fault.
constexpr qreal kTolerance = 1.0;

QRectF sceneRect(const QQuickItem* item) { return item->mapRectToScene(QRectF(0, 0, item->width(), item->height())); }

bool contains(const QRectF& outer, const QRectF& inner)
{
    return inner.left() >= outer.left() - kTolerance && inner.top() >= outer.top() - kTolerance
        && inner.right() <= outer.right() + kTolerance && inner.bottom() <= outer.bottom() + kTolerance;
}

} // namespace

LayoutInspector::LayoutInspector(QQuickItem* root)
{
    if (!root)
        return;
    const QQuickWindow* window = root->window();
    m_windowRect = window ? QRectF(0, 0, window->width(), window->height()) : sceneRect(root);
    collect(root);
}

void LayoutInspector::collect(QQuickItem* item)
{
    if (!item->isVisible())
        return;
    QList<QQuickItem*> children = item->childItems();
    std::stable_sort(children.begin(), children.end(), [](QQuickItem* a, QQuickItem* b) { return a->z() < b->z(); });
    for (QQuickItem* child : children) {
        if (child->z() < 0)
            collect(child);
    }
    const int index = m_paintOrder.size();
    m_paintOrder << item;
    m_visibleRects << visibleRect(item);
    m_subtreeEnds << index;
    for (QQuickItem* child : children) {
        if (child->z() >= 0)
            collect(child);
    }
    m_subtreeEnds[index] = m_paintOrder.size() - 1;
}

QStringList LayoutInspector::faults() const
{
    QStringList list;
    for (int i = 0; i < m_paintOrder.size(); ++i)
        inspect(i, list);
    return list;
}

void LayoutInspector::inspect(int index, QStringList& faults) const
{
    const QQuickItem* item = m_paintOrder.at(index);
    if (effectiveOpacity(item) < 0.01)
        return;
    if (isOutermostView(item)) {
        // A scrolling view shows its content only where the view itself can be seen.
        const QRectF rect = sceneRect(item);
        if (!contains(m_windowRect, rect))
            faults << describe(item) + QStringLiteral(" lies outside the window");
        else if (!contains(m_visibleRects.at(index), rect))
            faults << describe(item) + QStringLiteral(" is cut by a clipping item");
        return;
    }
    if (!isControl(item))
        return;
    const QRectF rect = sceneRect(item);
    if (item->width() < 1 || item->height() < 1) {
        faults << describe(item) + QStringLiteral(" has no size");
        return;
    }
    const QRectF visible = m_visibleRects.at(index);
    if (insideFlickable(item)) {
        // Scrolled out of its view: the user scrolls to it.
        if (visible.isEmpty())
            return;
    } else if (!contains(m_windowRect, rect)) {
        faults << describe(item) + QStringLiteral(" lies outside the window");
        return;
    } else if (!contains(visible, rect)) {
        faults << describe(item) + QStringLiteral(" is cut by a clipping item");
    }
    if (isCutText(item))
        faults << describe(item) + QStringLiteral(" shows its text cut short");

    const QRectF shown = visible & m_windowRect;
    if (shown.isEmpty())
        return;
    const qreal inset = std::min<qreal>(3, std::min(shown.width(), shown.height()) / 4);
    const QRectF inner = shown.adjusted(inset, inset, -inset, -inset);
    const QPointF points[]
        = { shown.center(), inner.topLeft(), inner.topRight(), inner.bottomLeft(), inner.bottomRight() };
    for (const QPointF& point : points) {
        if (const QQuickItem* cover = coveringItem(index, point)) {
            faults << describe(item) + QStringLiteral(" is covered by ") + describe(cover);
            return;
        }
    }
}

QQuickItem* LayoutInspector::coveringItem(int index, const QPointF& point) const
{
    // Items painted after the control and its own content are drawn over it.
    for (int j = m_subtreeEnds.at(index) + 1; j < m_paintOrder.size(); ++j) {
        QQuickItem* other = m_paintOrder.at(j);
        if (m_visibleRects.at(j).contains(point) && paints(other))
            return other;
    }
    return nullptr;
}

bool LayoutInspector::isControl(const QQuickItem* item)
{
    // Scroll bars and indicators are shown only while scrolling, over the content by design.
    if (item->inherits("QQuickScrollBar") || item->inherits("QQuickScrollIndicator"))
        return false;
    if (item->inherits("QQuickControl") || item->inherits("QQuickTextInput") || item->inherits("QQuickTextEdit"))
        return true;
    if (item->inherits("QQuickText"))
        return !item->property("text").toString().isEmpty();
    return QString::fromLatin1(item->metaObject()->className()).startsWith(QLatin1String("SwitchItem_QMLTYPE"));
}

bool LayoutInspector::isOutermostView(const QQuickItem* item)
{
    return item->inherits("QQuickFlickable") && item->width() >= 1 && item->height() >= 1 && !insideFlickable(item);
}

bool LayoutInspector::isCutText(const QQuickItem* item)
{
    return item->inherits("QQuickText") && item->property("truncated").toBool();
}

bool LayoutInspector::paints(const QQuickItem* item)
{
    if (!(item->flags() & QQuickItem::ItemHasContents) || effectiveOpacity(item) < 0.01)
        return false;
    if (item->inherits("QQuickRectangle")) {
        // A frame without a fill does not hide what lies inside it.
        const QColor color = item->property("color").value<QColor>();
        return color.alpha() > 0;
    }
    if (item->inherits("QQuickText"))
        return !item->property("text").toString().isEmpty();
    return true;
}

qreal LayoutInspector::effectiveOpacity(const QQuickItem* item)
{
    qreal opacity = 1;
    for (const QQuickItem* it = item; it; it = it->parentItem())
        opacity *= it->opacity();
    return opacity;
}

bool LayoutInspector::insideFlickable(const QQuickItem* item)
{
    for (const QQuickItem* it = item->parentItem(); it; it = it->parentItem()) {
        if (it->inherits("QQuickFlickable"))
            return true;
    }
    return false;
}

QRectF LayoutInspector::visibleRect(const QQuickItem* item)
{
    QRectF rect = sceneRect(item);
    for (const QQuickItem* it = item->parentItem(); it; it = it->parentItem()) {
        if (it->clip())
            rect &= sceneRect(it);
    }
    if (item->clip())
        rect &= sceneRect(item);
    return rect;
}

QString LayoutInspector::describe(const QQuickItem* item)
{
    QString type = QString::fromLatin1(item->metaObject()->className());
    type = type.left(type.indexOf(QLatin1String("_QML")));
    QString text = type;
    if (!item->objectName().isEmpty())
        text += QStringLiteral(" \"%1\"").arg(item->objectName());
    const QVariant shown = item->property("text");
    if (shown.isValid() && !shown.toString().isEmpty())
        text += QStringLiteral(" '%1'").arg(shown.toString().left(40));
    const QRectF rect = sceneRect(item);
    return text + QStringLiteral(" at %1,%2 %3x%4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
}

} // namespace TestVantorQml
