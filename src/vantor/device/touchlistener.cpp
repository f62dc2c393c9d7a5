#include "device/touchlistener.h"

#include <QEvent>

namespace Vl::Tavix3::UI {

void TouchListener::listenTo(QObject* object)
{
    if (object)
        object->installEventFilter(this);
}

bool TouchListener::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        emit keyPress();
        return QObject::eventFilter(watched, event);
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::TouchBegin:
        if (m_touchEnabled)
            emit touchBegin();
        break;
    case QEvent::MouseButtonRelease:
    case QEvent::TouchEnd:
        if (m_touchEnabled)
            emit touchEnd();
        break;
    case QEvent::MouseMove:
    case QEvent::TouchUpdate:
    case QEvent::TouchCancel:
        break;
    default:
        return QObject::eventFilter(watched, event);
    }
    // Every pointer event reaches the controls only while the screen is awake and touch is on.
    if (m_standby || !m_touchEnabled) {
        event->accept();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace Vl::Tavix3::UI
