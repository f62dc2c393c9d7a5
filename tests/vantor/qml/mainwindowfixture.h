#pragma once

#include <QPointer>
#include <QSharedPointer>
#include <QString>

class QQmlApplicationEngine;
class QQuickItem;
class QQuickWindow;

namespace Vl::Tavix3::UI {
class Application;
}

// The application object with its QML engine and the real main window, as the program builds
// them, published through the process-wide shared pointer; the device services are the
// foundation's stand-ins.
class MainWindowFixture
{
public:
    MainWindowFixture();
    ~MainWindowFixture();

    Vl::Tavix3::UI::Application* app() const { return m_application.data(); }
    QQuickWindow* window() const;
    QQuickItem* mainItem() const;
    // The message box on top, when one is open.
    QQuickItem* topBox() const;

private:
    QQmlApplicationEngine* m_engine = nullptr;
    QSharedPointer<Vl::Tavix3::UI::Application> m_application;
};
