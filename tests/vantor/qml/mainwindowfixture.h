#pragma once

#include <QPointer>
#include <QSharedPointer>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <memory>

class QQmlApplicationEngine;
class QQuickItem;
class QQuickWindow;
class QTimer;

namespace Vl::Tavix3::UI {
class Application;
}

// The application object with its QML engine and the real main window, as the program builds
// them, published through the process-wide shared pointer; the device services are the
// foundation's stand-ins.
class MainWindowFixture
{
public:
    // What runs beside the main window: nothing, the worker threads (scheduler, event thread,
    // command server without a port), or the whole start-up with the command port 21967.
    enum class Start { Window, WorkerThreads, WorkerThreadsAndPort };

    explicit MainWindowFixture(Start start = Start::Window);
    ~MainWindowFixture();

    Vl::Tavix3::UI::Application* app() const { return m_application.data(); }
    QQuickWindow* window() const;
    QQuickItem* mainItem() const;
    // The message box on top, when one is open.
    QQuickItem* topBox() const;

    // The screen stack: its top screen, waiting until no transition runs.
    QQuickItem* currentScreen() const;
    void waitForStack() const;
    // Opens a screen as the menus do; the screen, or nullptr when it cannot be opened.
    QQuickItem* openScreen(const QString& url, const QVariantMap& properties);
    // One screen back, as the menu key goes.
    void menuPressed();
    // A tap in the middle of an item of the main window.
    void tap(QQuickItem* item) const;
    // Answers the next message box shown with a key and keeps its header. A box waits in an event
    // loop of its own, so the answer comes from a timer, whatever the test is waiting in.
    void answerNextBox(int key);
    QString answeredHeader() const { return m_answeredHeader; }
    // The item of that objectName among the visual descendants of root (delegates are not QObject
    // children).
    static QQuickItem* findItem(QQuickItem* root, const QString& name);
    // The warnings and errors logged since the fixture was made (QML's among them).
    static QStringList warnings();
    static void clearWarnings();

private:
    Start m_start;
    std::unique_ptr<QTimer> m_boxAnswerer;
    QString m_answeredHeader;
    QQmlApplicationEngine* m_engine = nullptr;
    QSharedPointer<Vl::Tavix3::UI::Application> m_application;
};
