#pragma once

#include "core/utils.h"

#include <QMetaObject>

class QEventLoop;
class QQuickWindow;
class QString;
class QThread;

namespace Vl::Tavix3::UI {

struct MessageQueue;

// What the foundation, the clock and the screens' helper objects need of the one application
// object. The application object implements it; code below the application reaches it through
// sharedApplicationServices() and so never needs the application object's own header.
class ApplicationServices
{
public:
    virtual ~ApplicationServices() = default;

    // The operator's date and time formats (OrvaneEnum::DateFormat, OrvaneEnum::TimeFormat).
    virtual int dateFormat() const = 0;
    virtual int timeFormat() const = 0;

    // Collects a warning or error line of the diagnostic log.
    virtual void appendLogString(const QString& entry) = 0;
    // Shows a short coloured notice in the info bar of the main window; any thread.
    virtual void showInfoMessage(const QString& text, int time, const QString& color) = 0;
    virtual MessageQueue& messageQueue(Utils::SignalSema sema) = 0;
    // Counts the software countdown timers down by one scheduler tick.
    virtual void countDownSoftwareTimers() = 0;

    // The main window, once the QML has created it, and the shut-down state.
    virtual QQuickWindow* mainWindow() const = 0;
    virtual bool isClosing() const = 0;
    // The thread the application object lives on (the GUI thread).
    virtual QThread* applicationThread() const = 0;
    // Quits the loop, directly on the emitting thread, when the shut-down begins.
    virtual QMetaObject::Connection quitOnClosing(QEventLoop* loop) = 0;
};

} // namespace Vl::Tavix3::UI
