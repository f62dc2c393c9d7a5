#include "readabilitycheck.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QJSValue>
#include <QQmlFile>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtMath>

#include <algorithm>

namespace {

// Half a pixel of rounding in the layout is no overflow.
constexpr qreal kTolerance = 0.5;
// The least room between a text's letters and the frame drawn around it.
constexpr qreal kFrameGap = 3;

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

// What a colour looks like drawn at an opacity over a ground.
QColor blend(const QColor& color, const QColor& ground, qreal opacity)
{
    const QColor top = color.toRgb();
    const QColor bottom = ground.toRgb();
    const qreal alpha = top.alphaF() * opacity;
    return QColor::fromRgbF(top.redF() * alpha + bottom.redF() * (1 - alpha),
        top.greenF() * alpha + bottom.greenF() * (1 - alpha), top.blueF() * alpha + bottom.blueF() * (1 - alpha));
}

// The pen of a rectangle's border. Qt makes it when the border is first set (or read), and draws
// the border only once it has been set: a rectangle without one draws none.
const QObject* borderPen(const QQuickItem* rectangle)
{
    const QObjectList children = rectangle->children();
    const auto pen = std::find_if(
        children.cbegin(), children.cend(), [](const QObject* child) { return child->inherits("QQuickPen"); });
    return pen != children.cend() ? *pen : nullptr;
}

// The width of the frame a rectangle draws around what lies inside it, 0 when it draws none.
qreal borderWidth(const QQuickItem* rectangle)
{
    const QObject* pen = borderPen(rectangle);
    if (!pen || pen->property("color").value<QColor>().alphaF() < 0.01)
        return 0;
    return pen->property("width").toReal();
}

QColor borderColor(const QQuickItem* rectangle)
{
    const QObject* pen = borderPen(rectangle);
    return pen ? pen->property("color").value<QColor>() : QColor(Qt::transparent);
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
        const bool hidden = std::any_of(painted.cbegin(), painted.cend(), [&entry](const Painted& cover) {
            return cover.opaque && cover.item != entry.item && !isAncestor(cover.item, entry.item)
                && contains(cover.rect, entry.rect) && drawnAbove(cover.item, entry.item);
        });
        if (!hidden)
            shown << entry;
    }

    for (const Painted& entry : qAsConst(shown)) {
        const QColor ground = groundOf(entry, painted, window->color());
        if (entry.kind == Painted::Image) {
            checkImage(entry, ground, &problems);
            continue;
        }
        if (entry.kind == Painted::Rectangle) {
            if (isBar(entry, shown))
                checkBar(entry, ground, &problems);
            continue;
        }
        checkText(entry, windowRect, ground, shown, &problems);
        for (const Painted& other : qAsConst(shown)) {
            if (other.kind == Painted::Rectangle || other.item == entry.item || other.group != entry.group)
                continue;
            // Each pair of texts once; a text and an icon always.
            if (other.kind == Painted::Text && other.item < entry.item)
                continue;
            if (isAncestor(other.item, entry.item) || isAncestor(entry.item, other.item))
                continue;
            const QRectF common = entry.rect.intersected(other.clip).intersected(other.rect.intersected(entry.clip));
            if (common.width() > 1 && common.height() > 1)
                problems << QStringLiteral("%1 overlaps %2").arg(describe(entry.item), describe(other.item));
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
            painted->append({ Painted::Text, item, group, rect, clip, clipper, opacity, false });
    } else if (item->inherits("QQuickImage") && !item->property("source").toUrl().isEmpty()
        && item->property("status").toInt() == 1) {
        const QRectF rect = imageRect(item);
        if (rect.intersects(clip))
            painted->append({ Painted::Image, item, group, rect, clip, clipper, opacity, false });
    } else if (item->inherits("QQuickRectangle")) {
        const QColor fill = item->property("color").value<QColor>();
        const QRectF rect = item->mapRectToScene(QRectF(0, 0, item->width(), item->height())).intersected(clip);
        const bool paints = fill.alphaF() * opacity >= 0.01 || borderWidth(item) > 0;
        if (paints && !rect.isEmpty())
            painted->append({ Painted::Rectangle, item, group, rect, clip, clipper, opacity,
                opacity > 0.99 && fill.alphaF() > 0.99 });
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

// The colour behind a place: the fills of the rectangles drawn below it there, one over the other,
// over the window's own colour. A dimmed control (one that cannot be used at the moment) is judged
// as if drawn at full strength: the dimming it shares with the rectangles it lies in is left out.
QColor ReadabilityCheck::groundOf(const Painted& entry, const QList<Painted>& painted, const QColor& windowColor)
{
    const QPointF centre = entry.rect.center();
    QList<const Painted*> below;
    for (const Painted& other : painted) {
        if (other.kind == Painted::Rectangle && other.item != entry.item && other.rect.contains(centre)
            && drawnAbove(entry.item, other.item))
            below << &other;
    }
    std::sort(below.begin(), below.end(),
        [](const Painted* first, const Painted* second) { return drawnAbove(second->item, first->item); });
    QColor ground = windowColor;
    for (const Painted* layer : qAsConst(below)) {
        const qreal opacity
            = isAncestor(layer->item, entry.item) ? qMin(1.0, layer->opacity / entry.opacity) : layer->opacity;
        ground = blend(layer->item->property("color").value<QColor>(), ground, opacity);
    }
    return ground;
}

// A bar or a line: a rectangle with corners, filled with an opaque colour or framed, with nothing
// drawn over it. A see-through fill (a chart's grid) is faint on purpose, and discs (the page dots,
// the run screen's lamps) keep the colours the device's design gives them.
bool ReadabilityCheck::isBar(const Painted& entry, const QList<Painted>& shown)
{
    QQuickItem* rectangle = entry.item;
    const qreal radius = rectangle->property("radius").toReal();
    if (radius > 0 && radius >= qMin(rectangle->width(), rectangle->height()) / 2 - kTolerance)
        return false;
    if (rectangle->property("color").value<QColor>().alphaF() < 0.99 && borderWidth(rectangle) <= 0)
        return false;
    return std::none_of(shown.cbegin(), shown.cend(), [&entry](const Painted& other) {
        const QRectF common = other.rect.intersected(entry.rect);
        return other.item != entry.item && common.width() > 1 && common.height() > 1
            && drawnAbove(other.item, entry.item);
    });
}

void ReadabilityCheck::checkText(const Painted& entry, const QRectF& windowRect, const QColor& background,
    const QList<Painted>& shown, QStringList* problems) const
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
    for (const Painted& frame : shown) {
        const qreal border = frame.kind == Painted::Rectangle ? borderWidth(frame.item) : 0;
        if (border <= 0 || frame.group != entry.group || !frame.rect.contains(rect.center()))
            continue;
        const QRectF inside = frame.item->mapRectToScene(QRectF(0, 0, frame.item->width(), frame.item->height()))
                                  .adjusted(border, border, -border, -border);
        if (!inside.adjusted(kFrameGap, kFrameGap, -kFrameGap, -kFrameGap).contains(rect))
            *problems << name + QStringLiteral(" touches the frame of %1").arg(describe(frame.item));
    }
    const QColor color = text->property("color").value<QColor>();
    const double ratio = contrast(color, background);
    if (ratio < m_minimumContrast)
        *problems << (name
            + QStringLiteral(" has a contrast of %1 (%2 on %3)")
                  .arg(ratio, 0, 'f', 1)
                  .arg(color.name(), background.name()));
}

// An icon stands out when most of what it draws does.
void ReadabilityCheck::checkImage(const Painted& entry, const QColor& background, QStringList* problems) const
{
    const QUrl source = entry.item->property("source").toUrl();
    auto ink = m_inks.find(source);
    if (ink == m_inks.end())
        ink = m_inks.insert(source, inkOf(QImage(QQmlFile::urlToLocalFileOrQrc(source))));
    const int percent = percentStandingOut(*ink, background, m_minimumContrast);
    if (percent >= 0 && percent < kIconPercent)
        *problems << describe(entry.item)
                + QStringLiteral(" stands out from %1 in %2% of what it draws").arg(background.name()).arg(percent);
}

void ReadabilityCheck::checkBar(const Painted& entry, const QColor& background, QStringList* problems) const
{
    QQuickItem* bar = entry.item;
    const QColor fill = blend(bar->property("color").value<QColor>(), background, 1);
    const bool framed = borderWidth(bar) > 0;
    const QColor frame = blend(borderColor(bar), background, 1);
    const double ratio = qMax(contrast(fill, background), framed ? contrast(frame, background) : 1.0);
    // A rectangle of the ground's own colour draws nothing.
    if (ratio < 1.001)
        return;
    if (ratio < m_minimumContrast)
        *problems << describe(bar)
                + QStringLiteral(" has a contrast of %1 (%2 on %3)")
                      .arg(ratio, 0, 'f', 1)
                      .arg(framed ? frame.name() : fill.name(), background.name());
}

int ReadabilityCheck::percentStandingOut(const QImage& picture, const QColor& ground, double minimumContrast)
{
    return percentStandingOut(inkOf(picture), ground, minimumContrast);
}

int ReadabilityCheck::percentStandingOut(const Ink& ink, const QColor& ground, double minimumContrast)
{
    int total = 0;
    int standing = 0;
    for (auto it = ink.cbegin(); it != ink.cend(); ++it) {
        total += it.value();
        if (contrast(QColor::fromRgb(it.key()), ground) >= minimumContrast)
            standing += it.value();
    }
    return total > 0 ? 100 * standing / total : -1;
}

// What a reader sees of a picture: its pixels that are at least half opaque.
ReadabilityCheck::Ink ReadabilityCheck::inkOf(const QImage& picture)
{
    Ink ink;
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) >= 128)
                ++ink[qRgb(qRed(line[x]), qGreen(line[x]), qBlue(line[x]))];
        }
    }
    return ink;
}
