#pragma once

#include <QSharedPointer>
#include <QString>

namespace Vl::Tavix3::UI {
class Application;
}

namespace TestSupport {

// An application object for back-end tests, without a QML engine, published through the
// process-wide shared pointer, on a data folder inside the test's home. Initialised (components
// created, settings loaded) unless the test only needs the bare object; running, its hardware and
// worker threads are started too, so its command server listens on the command port.
class ApplicationFixture
{
public:
    enum class Stage { Constructed, Initialised, Running };

    explicit ApplicationFixture(Stage stage = Stage::Initialised);
    ~ApplicationFixture();
    ApplicationFixture(const ApplicationFixture&) = delete;
    ApplicationFixture& operator=(const ApplicationFixture&) = delete;

    Vl::Tavix3::UI::Application* operator->() const { return m_application.data(); }
    Vl::Tavix3::UI::Application* get() const { return m_application.data(); }
    QSharedPointer<Vl::Tavix3::UI::Application> sharedPointer() const { return m_application; }
    QString dataPath() const { return m_dataPath; }

    // Removes the application's settings store, so the next fixture starts as a first run.
    static void clearSettings();

private:
    QString m_dataPath;
    QSharedPointer<Vl::Tavix3::UI::Application> m_application;
};

} // namespace TestSupport
