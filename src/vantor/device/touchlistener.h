#pragma once

#include <QObject>

class QEvent;

namespace Vl::Tavix3::UI {

// The event filter of the main window that reports touches and key presses (power saving wakes on
// them) and keeps pointer input from the controls while the screen is in standby or touch is off.
class TouchListener : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    bool isTouchEnabled() const { return m_touchEnabled; }
    void setTouchEnabled(bool value) { m_touchEnabled = value; }
    bool isInStandby() const { return m_standby; }
    void setStandby(bool value) { m_standby = value; }

    // Installs the listener as the object's event filter.
    Q_INVOKABLE void listenTo(QObject* object);

signals:
    void touchBegin();
    void touchEnd();
    void keyPress();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_touchEnabled = true;
    bool m_standby = false;
};

} // namespace Vl::Tavix3::UI
