#pragma once

#include <QObject>
#include <QSharedPointer>
#include <QStringList>

class QQmlEngine;
class QWindow;

namespace Vl::Tavix3::UI {
class Application;
}

namespace QmlTest {

// Helpers the QML tests reach as the context property "testSupport": a record of the warnings
// logged since the last reset, and key events delivered to a window as the device delivers them.
class TestHelper : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList warnings READ warnings NOTIFY warningsChanged)

public:
    using QObject::QObject;

    QStringList warnings() const;
    void addWarning(const QString& text);

    Q_INVOKABLE void resetWarnings();
    // Starts recording warnings (once per program); they still reach the test log.
    Q_INVOKABLE void recordWarnings();
    Q_INVOKABLE void pressKey(QWindow* window, int key, bool autoRepeat = false);
    Q_INVOKABLE void releaseKey(QWindow* window, int key, bool autoRepeat = false);
    Q_INVOKABLE bool resourceExists(const QString& path) const;
    // Files of the program's data folder (AppDataLocation), for the screens that list them.
    Q_INVOKABLE QString dataFolder(const QString& name) const;
    Q_INVOKABLE bool writeFile(const QString& path, const QString& text);
    // Removes a file, or a folder with everything in it.
    Q_INVOKABLE bool removePath(const QString& path);

signals:
    void warningsChanged();

private:
    QStringList m_warnings;
};

// Brings up what the screens expect around them: the resources and QML types of Vantor, a real
// application object (languages, theme, info bar, key emitter) and fakes of the engine, the
// device services, the GPS, the display board, the event generator and the message boxes.
class QmlTestSetup : public QObject
{
    Q_OBJECT

public slots:
    void applicationAvailable();
    void qmlEngineAvailable(QQmlEngine* engine);
    void cleanupTestCase();

private:
    QSharedPointer<Vl::Tavix3::UI::Application> m_application;
};

} // namespace QmlTest
