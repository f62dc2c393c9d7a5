#pragma once

#include <QJSValue>
#include <QMutex>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>

class QQmlEngine;
class QQuickWindow;
class TourSupport;

// Walks Vantor's screens as the operator reaches them, in every theme and language: the steps of
// ScreenTour.qml run inside the main window's context, each acting as the operator would and
// then waiting until the screens show what the step claims. Every view a step names is handed to
// the caller (to check or to photograph it) once nothing in its window moves any more.
class ScreenTour : public QObject
{
    Q_OBJECT

public:
    // view: the picture's name; window: the window that shows it.
    using Visit = std::function<void(const QString& view, QQuickWindow* window)>;

    // rootObject: the root of Vantor's main.qml.
    ScreenTour(QQmlEngine* engine, QObject* rootObject, QObject* parent = nullptr);

    // Creates the tour; false (with the reason) when its QML cannot be created.
    bool load(QString* error);
    QStringList themes() const;
    QStringList languages() const;
    // Walks every step in one theme and language; returns one line per step that failed.
    QStringList run(const QString& theme, const QString& language, const Visit& visit);
    // The step under way, for the warnings that arrive meanwhile (from any thread).
    QString currentStep() const;

private:
    bool callStep(const QJSValue& step, const QString& function, const QJSValueList& arguments, QJSValue* result,
        QStringList* failures);
    bool waitFor(const std::function<bool()>& condition, int timeoutMs);
    // Waits until nothing in the window moves; false (with a failure naming what still moves) when
    // it does not settle in time.
    bool settle(QQuickWindow* window, QStringList* failures);
    void pause(int ms);
    QQuickWindow* windowOf(const QJSValue& step) const;
    void setCurrentStep(const QString& step);

    QQmlEngine* m_engine;
    QPointer<QObject> m_rootObject;
    TourSupport* m_support;
    QObject* m_tour = nullptr;
    mutable QMutex m_currentStepMutex;
    QString m_currentStep;
};
