#pragma once

#include <QObject>
#include <QSharedPointer>
#include <QStringList>

class QQmlEngine;

namespace Vl::Orvane::UI {
class Application;
}

namespace TestVantorQml {

// The context property "testSupport" of the QML tests: a record of the warnings logged since the
// last reset.
class WarningRecorder : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList warnings READ warnings NOTIFY warningsChanged)

public:
    using QObject::QObject;

    QStringList warnings() const { return m_warnings; }
    void addWarning(const QString& text);
    Q_INVOKABLE void resetWarnings();
    // Starts recording (once per program); the warnings still reach the test log.
    Q_INVOKABLE void recordWarnings();

signals:
    void warningsChanged();

private:
    QStringList m_warnings;
};

// What TestVantor's window expects around it: its resources and QML types, its application object
// with the sequence model, and the context properties the program sets.
class QmlTestSetup : public QObject
{
    Q_OBJECT

public slots:
    void applicationAvailable();
    void qmlEngineAvailable(QQmlEngine* engine);
    void cleanupTestCase();

private:
    QSharedPointer<Vl::Orvane::UI::Application> m_application;
};

} // namespace TestVantorQml
