#include "readabilitycheck.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QJSValue>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtMath>

#include <algorithm>

namespace {

// Half a pixel of rounding in the layout is no overflow.
constexpr qreal kTolerance = 0.5;

bool isText(const QQuickItem* item) { return item->inherits("QQuickText"); }

// Screens and message boxes handle the keys themselves: each is a group of its own, drawn over or
// beside the others, so only items of one group may not overlap.
bool isGroup(const QQuickItem* item)
{
    return item->metaObject()->indexOfSignal("functionButtonPressed(QVariant)") >= 0;
}

QString describe(const QQuickItem* item)
{
    QStringList names;
    for (const QQuickItem* step = item; step; step = step->parentItem()) {
        if (!step->objectName().isEmpty())
            names.prepend(step->objectName());
    }
    QString path = names.join(QLatin1Char('/'));
    if (item->objectName().isEmpty())
        path += QStringLiteral("/<%1>").arg(
            QString::fromLatin1(item->metaObject()->className()).section(QLatin1Char('_'), 0, 0));
    if (isText(item))
        path += QStringLiteral(" \"%1\"").arg(
            item->property("text").toString().replace(QLatin1Char('\n'), QLatin1Char('|')));
    return path;
}

// Where a text's letters are: across its laid-out lines, and from the highest to the lowest glyph
// of its lines rather than the full line boxes (whose leading may run into a neighbour unseen).
QRectF inkRect(QQuickItem* text)
{
    const QRectF laidOut = text->boundingRect();
    const QJSValue info = text->property("fontInfo").value<QJSValue>();
    QFont font(info.property(QStringLiteral("family")).toString());
    font.setPixelSize(qMax(1, info.property(QStringLiteral("pixelSize")).toInt()));
    font.setBold(info.property(QStringLiteral("bold")).toBool());
    font.setItalic(info.property(QStringLiteral("italic")).toBool());
    const QFontMetricsF metrics(font);
    QString shown = text->property("text").toString();
    shown.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QRectF glyphs = metrics.tightBoundingRect(shown);
    const int lines = qMax(1, text->property("lineCount").toInt());
    const qreal lineHeight = text->property("contentHeight").toReal() / lines;
    const qreal top = text->baselineOffset() + glyphs.top();
    const qreal bottom = text->baselineOffset() + (lines - 1) * lineHeight + glyphs.bottom();
    return text->mapRectToScene(QRectF(laidOut.left(), top, laidOut.width(), bottom - top));
}

bool contains(const QRectF& outer, const QRectF& inner)
{
    return inner.left() >= outer.left() - kTolerance && inner.top() >= outer.top() - kTolerance
        && inner.right() <= outer.right() + kTolerance && inner.bottom() <= outer.bottom() + kTolerance;
}

// The rectangle an image paints: its picture scaled into the item, placed by its alignment.
QRectF imageRect(const QQuickItem* image)
{
    const qreal width = qMin(image->property("paintedWidth").toReal(), image->width());
    const qreal height = qMin(image->property("paintedHeight").toReal(), image->height());
    const int horizontal = image->property("horizontalAlignment").toInt();
    const int vertical = image->property("verticalAlignment").toInt();
    qreal x = (image->width() - width) / 2;
    if (horizontal & Qt::AlignLeft)
        x = 0;
    else if (horizontal & Qt::AlignRight)
        x = image->width() - width;
    qreal y = (image->height() - height) / 2;
    if (vertical & Qt::AlignTop)
        y = 0;
    else if (vertical & Qt::AlignBottom)
        y = image->height() - height;
    return image->mapRectToScene(QRectF(x, y, width, height));
}

// A list view keeps the pages it no longer shows (those of a swipe view among them) as children of
// its content at their old places, culled from drawing; only the items it has at an index are drawn.
bool isReleasedDelegate(const QQuickItem* item)
{
    const QQuickItem* content = item->parentItem();
    QQuickItem* view = content ? content->parentItem() : nullptr;
    if (!view || !view->inherits("QQuickItemView") || view->property("contentItem").value<QQuickItem*>() != content)
        return false;
    const int count = view->property("count").toInt();
    for (int index = 0; index < count; ++index) {
        QQuickItem* shown = nullptr;
        QMetaObject::invokeMethod(view, "itemAtIndex", Q_RETURN_ARG(QQuickItem*, shown), Q_ARG(int, index));
        if (shown == item)
            return false;
    }
    // The screens' list views have neither highlight nor header: any other child is a page put aside.
    return count > 0;
}

bool isAncestor(const QQuickItem* ancestor, const QQuickItem* item)
{
    for (const QQuickItem* step = item->parentItem(); step; step = step->parentItem()) {
        if (step == ancestor)
            return true;
    }
    return false;
}

// Whether `upper` is drawn after `lower`: items are drawn after their parent and, among siblings,
// by z and then in the order they were declared.
bool drawnAbove(const QQuickItem* upper, const QQuickItem* lower)
{
    if (isAncestor(upper, lower))
        return false;
    if (isAncestor(lower, upper))
        return true;
    QList<const QQuickItem*> upperPath;
    for (const QQuickItem* step = upper; step; step = step->parentItem())
        upperPath.prepend(step);
    QList<const QQuickItem*> lowerPath;
    for (const QQuickItem* step = lower; step; step = step->parentItem())
        lowerPath.prepend(step);
    int depth = 0;
    while (depth < upperPath.size() && depth < lowerPath.size() && upperPath[depth] == lowerPath[depth])
        ++depth;
    if (depth == 0 || depth >= upperPath.size() || depth >= lowerPath.size())
        return false;
    const QQuickItem* upperBranch = upperPath[depth];
    const QQuickItem* lowerBranch = lowerPath[depth];
    if (!qFuzzyCompare(upperBranch->z(), lowerBranch->z()))
        return upperBranch->z() > lowerBranch->z();
    const QList<QQuickItem*> siblings = upperPath[depth - 1]->childItems();
    return siblings.indexOf(const_cast<QQuickItem*>(upperBranch))
        > siblings.indexOf(const_cast<QQuickItem*>(lowerBranch));
}

double luminance(const QColor& color)
{
    const auto channel
        = [](qreal value) { return value <= 0.03928 ? value / 12.92 : qPow((value + 0.055) / 1.055, 2.4); };
    const QColor rgb = color.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) + 0.0722 * channel(rgb.blueF());
}

} // namespace

ReadabilityCheck::ReadabilityCheck(int minimumPixelSize, double minimumContrast, const QStringList& passing)
    : m_minimumPixelSize(minimumPixelSize)
    , m_minimumContrast(minimumContrast)
    , m_passing(passing)
{
}

double ReadabilityCheck::contrast(const QColor& first, const QColor& second)
{
    const double a = luminance(first);
    const double b = luminance(second);
    return (qMax(a, b) + 0.05) / (qMin(a, b) + 0.05);
}

QStringList ReadabilityCheck::check(QQuickWindow* window) const
{
    QStringList problems;
    if (!window || !window->contentItem())
        return { QStringLiteral("no window") };
    const QRectF windowRect(0, 0, window->width(), window->height());
    QList<Painted> painted;
    collect(window->contentItem(), 1.0, windowRect, nullptr, nullptr, &painted);

    // What an opaque layer drawn over it hides (the wait overlay over the screens) is not shown.
    QList<Painted> shown;
    for (const Painted& entry : qAsConst(painted)) {
        if (entry.kind == Painted::Cover)
            continue;
        const bool hidden = std::any_of(painted.cbegin(), painted.cend(), [&entry](const Painted& cover) {
            return cover.kind == Painted::Cover && cover.item != entry.item && !isAncestor(cover.item, entry.item)
                && contains(cover.rect, entry.rect) && drawnAbove(cover.item, entry.item);
        });
        if (!hidden)
            shown << entry;
    }

    for (const Painted& text : qAsConst(shown)) {
        if (text.kind != Painted::Text)
            continue;
        checkText(text, windowRect, &problems);
        for (const Painted& other : qAsConst(shown)) {
            if (other.item == text.item || other.group != text.group)
                continue;
            // Each pair of texts once; a text and an icon always.
            if (other.kind == Painted::Text && other.item < text.item)
                continue;
            if (isAncestor(other.item, text.item) || isAncestor(text.item, other.item))
                continue;
            const QRectF common = text.rect.intersected(other.clip).intersected(other.rect.intersected(text.clip));
            if (common.width() > 1 && common.height() > 1)
                problems << QStringLiteral("%1 overlaps %2").arg(describe(text.item), describe(other.item));
        }
    }
    return problems;
}

void ReadabilityCheck::collect(QQuickItem* item, qreal opacity, const QRectF& clip, QQuickItem* clipper,
    QQuickItem* group, QList<Painted>* painted) const
{
    if (!item->isVisible() || m_passing.contains(item->objectName()))
        return;
    opacity *= item->opacity();
    if (opacity < 0.01)
        return;
    if (isGroup(item) && (!group || !isGroup(group)))
        group = item;

    if (isText(item) && !item->property("text").toString().trimmed().isEmpty()) {
        const QRectF rect = inkRect(item);
        if (rect.intersects(clip))
            painted->append({ Painted::Text, item, group, rect, clip, clipper });
    } else if (item->inherits("QQuickImage") && !item->property("source").toUrl().isEmpty()
        && item->property("status").toInt() == 1) {
        const QRectF rect = imageRect(item);
        if (rect.intersects(clip))
            painted->append({ Painted::Image, item, group, rect, clip, clipper });
    } else if (item->inherits("QQuickRectangle") && opacity > 0.99
        && item->property("color").value<QColor>().alphaF() > 0.99) {
        const QRectF rect = item->mapRectToScene(QRectF(0, 0, item->width(), item->height())).intersected(clip);
        if (!rect.isEmpty())
            painted->append({ Painted::Cover, item, group, rect, clip, clipper });
    }

    QRectF childClip = clip;
    QQuickItem* childClipper = clipper;
    if (item->clip()) {
        childClip = clip.intersected(item->mapRectToScene(item->clipRect()));
        childClipper = item;
    }
    if (childClip.isEmpty())
        return;
    const QList<QQuickItem*> children = item->childItems();
    for (QQuickItem* child : children) {
        if (isReleasedDelegate(child))
            continue;
        collect(child, opacity, childClip, childClipper, group, painted);
    }
}

void ReadabilityCheck::checkText(const Painted& entry, const QRectF& windowRect, QStringList* problems) const
{
    QQuickItem* text = entry.item;
    const QRectF& rect = entry.rect;
    const QString name = describe(text);
    if (text->property("truncated").toBool())
        *problems << name + QStringLiteral(" is elided");
    const int pixelSize = text->property("fontInfo").value<QJSValue>().property(QStringLiteral("pixelSize")).toInt();
    if (pixelSize < m_minimumPixelSize)
        *problems << name + QStringLiteral(" is drawn at %1 px").arg(pixelSize);
    const qreal roomWidth
        = text->width() - text->property("leftPadding").toReal() - text->property("rightPadding").toReal();
    const qreal roomHeight
        = text->height() - text->property("topPadding").toReal() - text->property("bottomPadding").toReal();
    const qreal contentWidth = text->property("contentWidth").toReal();
    const qreal contentHeight = text->property("contentHeight").toReal();
    if (contentWidth > roomWidth + kTolerance)
        *problems << name + QStringLiteral(" is %1 px wide in a room of %2").arg(qCeil(contentWidth)).arg(roomWidth);
    const QRectF room = text->mapRectToScene(QRectF(0, 0, text->width(), text->height()));
    if (rect.top() < room.top() - 1 || rect.bottom() > room.bottom() + 1)
        *problems << name + QStringLiteral(" is %1 px high in a room of %2").arg(qCeil(contentHeight)).arg(roomHeight);
    if (!contains(windowRect, rect))
        *problems << name + QStringLiteral(" runs outside the window");
    else if (!contains(entry.clip, rect))
        *problems << name
                + QStringLiteral(" is cut by %1")
                      .arg(entry.clipper ? describe(entry.clipper) : QStringLiteral("the window"));
    const QColor color = text->property("color").value<QColor>();
    const QColor background = backgroundOf(text, rect);
    const double ratio = contrast(color, background);
    if (ratio < m_minimumContrast)
        *problems << (name
            + QStringLiteral(" has a contrast of %1 (%2 on %3)")
                  .arg(ratio, 0, 'f', 1)
                  .arg(color.name(), background.name()));
}

// The colour behind a text: the nearest item around it that fills the text's place with an opaque
// colour, or the window's own.
QColor ReadabilityCheck::backgroundOf(QQuickItem* text, const QRectF& rect) const
{
    const QPointF centre = rect.center();
    for (QQuickItem* item = text->parentItem(); item; item = item->parentItem()) {
        const bool filled = item->inherits("QQuickRectangle") || isGroup(item);
        if (!filled)
            continue;
        const QColor color = item->property("color").value<QColor>();
        if (color.alphaF() < 0.5 || item->opacity() < 0.5)
            continue;
        if (item->mapRectToScene(QRectF(0, 0, item->width(), item->height())).contains(centre))
            return color;
    }
    return text->window() ? text->window()->color() : QColor(Qt::black);
}
