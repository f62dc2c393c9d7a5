#include "screentour.h"

#include "motioncheck.h"
#include "toursupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QTimer>

namespace {

// The longest a step may take to reach its state: a countdown shows within a second or two.
constexpr int kStepTimeoutMs = 8000;

QString nameOf(const QJSValue& step) { return step.property(QStringLiteral("name")).toString(); }

} // namespace

ScreenTour::ScreenTour(QQmlEngine* engine, QObject* rootObject, QObject* parent)
    : QObject(parent)
    , m_engine(engine)
    , m_rootObject(rootObject)
    , m_support(new TourSupport(this))
{
}

bool ScreenTour::load(QString* error)
{
    Q_INIT_RESOURCE(tour);
    if (!m_rootObject) {
        *error = QStringLiteral("no main.qml root object");
        return false;
    }
    // The tour lives in the main window's context, so it reaches the stack and the window by name
    // as the screens do.
    auto* context = new QQmlContext(qmlContext(m_rootObject), this);
    context->setContextProperty(QStringLiteral("tourSupport"), m_support);
    QQmlComponent component(m_engine, QUrl(QStringLiteral("qrc:/tour/ScreenTour.qml")));
    m_tour = component.create(context);
    if (!m_tour) {
        *error = component.errorString();
        return false;
    }
    m_tour->setParent(this);
    return true;
}

QString ScreenTour::currentStep() const
{
    QMutexLocker locker(&m_currentStepMutex);
    return m_currentStep;
}

void ScreenTour::setCurrentStep(const QString& step)
{
    QMutexLocker locker(&m_currentStepMutex);
    m_currentStep = step;
}

QStringList ScreenTour::themes() const { return m_tour ? m_tour->property("themes").toStringList() : QStringList(); }

QStringList ScreenTour::languages() const
{
    return m_tour ? m_tour->property("languages").toStringList() : QStringList();
}

void ScreenTour::pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool ScreenTour::waitFor(const std::function<bool()>& condition, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        pause(10);
    }
    return true;
}

bool ScreenTour::settle(QQuickWindow* window, QStringList* failures)
{
    if (!window) {
        *failures << QStringLiteral("%1: no window").arg(currentStep());
        return false;
    }
    // Positioners and layouts place their items when the window prepares a frame: only a frame drawn
    // after everything came to rest shows where things stay.
    bool drawn = false;
    const QMetaObject::Connection connection
        = connect(window, &QQuickWindow::frameSwapped, this, [&drawn]() { drawn = true; });
    bool resting = false;
    QStringList moving;
    const bool settled = waitFor(
        [&]() {
            moving = MotionCheck::moving(window);
            if (!moving.isEmpty()) {
                resting = false;
                return false;
            }
            if (resting)
                return drawn;
            // At rest from now on: one more frame.
            resting = true;
            drawn = false;
            window->update();
            return false;
        },
        kStepTimeoutMs);
    disconnect(connection);
    if (!settled) {
        *failures << QStringLiteral("%1: did not settle: %2")
                         .arg(currentStep(),
                             moving.isEmpty() ? QStringLiteral("no frame drawn") : moving.join(QStringLiteral(", ")));
    }
    return settled;
}

bool ScreenTour::callStep(const QJSValue& step, const QString& function, const QJSValueList& arguments,
    QJSValue* result, QStringList* failures)
{
    QJSValue callable = step.property(function);
    if (!callable.isCallable()) {
        *result = QJSValue(true);
        return true;
    }
    *result = callable.call(arguments);
    if (result->isError()) {
        *failures << QStringLiteral("%1: %2 failed: %3").arg(currentStep(), function, result->toString());
        return false;
    }
    return true;
}

QQuickWindow* ScreenTour::windowOf(const QJSValue& step) const
{
    // The main window unless the step names the LED mirror window or the splash window.
    const QString name = step.property(QStringLiteral("window")).toString();
    QObject* window = nullptr;
    if (name == QLatin1String("mirror"))
        window = m_rootObject->property("winDisplayboard").value<QObject*>();
    else if (name == QLatin1String("splash"))
        window = m_rootObject->property("splashWindow").value<QObject*>();
    else
        window = m_rootObject->property("controlWindow").value<QObject*>();
    return qobject_cast<QQuickWindow*>(window);
}

QStringList ScreenTour::run(const QString& theme, const QString& language, const Visit& visit)
{
    QStringList failures;
    if (!m_tour)
        return { QStringLiteral("the tour is not loaded") };
    QVariant returned;
    QMetaObject::invokeMethod(
        m_tour, "steps", Q_RETURN_ARG(QVariant, returned), Q_ARG(QVariant, theme), Q_ARG(QVariant, language));
    const QJSValue steps = returned.value<QJSValue>();
    const int count = steps.property(QStringLiteral("length")).toInt();
    if (count == 0)
        return { QStringLiteral("the tour has no steps for %1 %2").arg(theme, language) };
    const auto idle = [this]() {
        QVariant result;
        QMetaObject::invokeMethod(m_tour, "idle", Q_RETURN_ARG(QVariant, result));
        return result.toBool();
    };

    for (int index = 0; index < count; ++index) {
        const QJSValue step = steps.property(quint32(index));
        setCurrentStep(QStringLiteral("%1-%2 step %3 %4").arg(theme, language).arg(index + 1).arg(nameOf(step)));
        const QString claim = step.property(QStringLiteral("claim")).toString();
        QJSValue result;
        if (!callStep(step, QStringLiteral("act"), {}, &result, &failures))
            continue;
        bool broken = false;
        const bool reached = waitFor(
            [&]() {
                QJSValue ready;
                broken = !callStep(step, QStringLiteral("ready"), {}, &ready, &failures);
                return broken || (idle() && ready.toBool());
            },
            kStepTimeoutMs);
        if (broken)
            continue;
        if (!reached) {
            failures << QStringLiteral("%1: did not reach its state: %2").arg(currentStep(), claim);
            continue;
        }
        const QString name = nameOf(step);
        if (!step.property(QStringLiteral("views")).isCallable()) {
            QQuickWindow* window = windowOf(step);
            if (!name.isEmpty() && settle(window, &failures))
                visit(name, window);
            continue;
        }
        QJSValue views;
        if (!callStep(step, QStringLiteral("views"), {}, &views, &failures))
            continue;
        for (int view = 0; view < views.toInt(); ++view) {
            setCurrentStep(
                QStringLiteral("%1-%2 step %3 %4 view %5").arg(theme, language).arg(index + 1).arg(name).arg(view + 1));
            if (!callStep(step, QStringLiteral("show"), { QJSValue(view) }, &result, &failures))
                break;
            const bool shown = waitFor(
                [&]() {
                    QJSValue ready;
                    broken = !callStep(step, QStringLiteral("shown"), { QJSValue(view) }, &ready, &failures);
                    return broken || (idle() && ready.toBool());
                },
                kStepTimeoutMs);
            if (broken)
                break;
            if (!shown) {
                failures << QStringLiteral("%1: did not show view %2: %3").arg(currentStep()).arg(view + 1).arg(claim);
                break;
            }
            QQuickWindow* window = windowOf(step);
            if (!settle(window, &failures))
                break;
            visit(QStringLiteral("%1-%2").arg(name).arg(view + 1), window);
        }
    }
    setCurrentStep(QString());
    return failures;
}
