#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class QQuickItem;

namespace TestVantorQml {

class ScriptedServer;

// The context property "testTools" of the QML tests: what a user sees of the window, a scripted
// server at the far end of the connection, the date utility's clock, and the file dialogs.
class QmlTestTools : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // What keeps the visible controls under root from being used (see LayoutInspector).
    Q_INVOKABLE QStringList layoutFaults(QQuickItem* root) const;

    // A new scripted server, listening; it lives until the next call of deleteServers.
    Q_INVOKABLE QObject* newServer();
    Q_INVOKABLE void deleteServers();
    // Points the window's remote client at the port of a scripted server instead of Vantor's.
    Q_INVOKABLE void usePort(QObject* backend, int port) const;

    // Sets the date utility's clock to a UTC instant (milliseconds since 1970); resetClock gives the
    // real clock back.
    Q_INVOKABLE void setClock(double utcMilliseconds) const;
    Q_INVOKABLE void resetClock() const;

    // Chooses the file in the open file dialog and accepts it; false while no dialog is shown.
    Q_INVOKABLE bool acceptFileDialog(const QString& path) const;
    Q_INVOKABLE QString readFile(const QString& path) const;
    // The memory the test program holds, in bytes (its resident set).
    Q_INVOKABLE double residentBytes() const;

    // A path in a folder of this test run that is removed at its end.
    Q_INVOKABLE QString scratchPath(const QString& name) const;

private:
    QTemporaryDir m_scratch;
};

} // namespace TestVantorQml
