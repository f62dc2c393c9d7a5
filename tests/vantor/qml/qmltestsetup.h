#pragma once

#include <QHash>
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
    // The clock every part reads, held at `ticks` until resetClock.
    Q_INVOKABLE void setClock(qlonglong ticks);
    Q_INVOKABLE void resetClock();
    // Puts the application's real engine, device services, GPS or display board ("sema",
    // "systemHw", "gps", "displayboard") in place of the fake of that name, and back.
    Q_INVOKABLE void useReal(const QString& name);
    Q_INVOKABLE void useFake(const QString& name);
    void addFake(const QString& name, QObject* fake);
    // A radio synchronisation has happened: GPS synchronisation modes are refused until cleared.
    Q_INVOKABLE void setAmbrelSynchronized(bool value);
    // The colour code of one pixel of the real display board.
    Q_INVOKABLE int displayboardPixel(int x, int y) const;

signals:
    void warningsChanged();

private:
    QStringList m_warnings;
    QHash<QString, QObject*> m_fakes;
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
