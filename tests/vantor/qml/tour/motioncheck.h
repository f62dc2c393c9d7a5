#pragma once

#include <QStringList>

class QQuickWindow;

// Tells what in a window is still on its way: an animation, a transition between states or
// screens, a view that scrolls. Endless animations (the busy indicator's turning arc) never come to
// rest and do not count.
class MotionCheck
{
public:
    // One line for each thing that moves, naming it by its path of object names; empty when the
    // window has settled.
    static QStringList moving(QQuickWindow* window);
};
