#include "motioncheck.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QSet>

namespace {

QString describe(const QObject* object)
{
    QStringList names;
    for (const QObject* step = object; step; step = step->parent()) {
        if (!step->objectName().isEmpty())
            names.prepend(step->objectName());
    }
    return QStringLiteral("%1 (%2)").arg(
        names.join(QLatin1Char('/')), QString::fromLatin1(object->metaObject()->className()).section('_', 0, 0));
}

bool isAnimation(const QObject* object) { return object->inherits("QQuickAbstractAnimation"); }

// An animation that repeats for ever, or one that is part of such an animation.
bool isEndless(const QObject* animation)
{
    for (const QObject* step = animation; step && isAnimation(step); step = step->parent()) {
        if (step->property("loops").toInt() < 0)
            return true;
    }
    return false;
}

bool moves(const QObject* object)
{
    // Animations report running in a Behavior and in a transition as well as on their own.
    if (isAnimation(object))
        return object->property("running").toBool() && !object->property("paused").toBool() && !isEndless(object);
    // Transitions between states and between the stack's screens.
    if (object->inherits("QQuickTransition"))
        return object->property("running").toBool();
    if (object->inherits("QQuickFlickable"))
        return object->property("moving").toBool() || object->property("flicking").toBool();
    return false;
}

// Items made by a view or a repeater belong to no object but their visual parent: the walk follows
// both the objects' children and the items' visual children.
void walk(QObject* object, QSet<QObject*>* seen, QStringList* found)
{
    if (seen->contains(object))
        return;
    seen->insert(object);
    if (auto* item = qobject_cast<QQuickItem*>(object)) {
        // What a hidden item does is not seen.
        if (!item->isVisible())
            return;
        const QList<QQuickItem*> children = item->childItems();
        for (QQuickItem* child : children)
            walk(child, seen, found);
    }
    if (moves(object))
        *found << describe(object);
    const QObjectList children = object->children();
    for (QObject* child : children)
        walk(child, seen, found);
}

} // namespace

QStringList MotionCheck::moving(QQuickWindow* window)
{
    QStringList found;
    if (!window)
        return found;
    QSet<QObject*> seen;
    walk(window, &seen, &found);
    walk(window->contentItem(), &seen, &found);
    return found;
}
