// Starts Vantor as its main does and walks the screen tour (tests/vantor/qml/tour) in both
// themes and three languages, saving a picture of each view as <view>-<theme>-<language>.png in
// the folder given on the command line. Fails when a step does not reach the state it claims or
// when anything warns. Used by tools/screenshots.sh; not part of the program.
//
// Usage: vantor_screenshots <folder> [<theme>-<language> ...]
#include "app/application.h"
#include "app/startup.h"
#include "core/sharedapplication.h"
#include "tour/motioncheck.h"
#include "tour/screentour.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QMutex>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTimer>

#include <cstdio>

namespace {

QStringList s_failures;
QMutex s_failuresMutex;
ScreenTour* s_tour = nullptr;
QtMessageHandler s_previousHandler = nullptr;

void fail(const QStringList& messages)
{
    // Worker threads warn too.
    QMutexLocker locker(&s_failuresMutex);
    s_failures << messages;
}

void recordWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type >= QtWarningMsg)
        fail({ (s_tour && !s_tour->currentStep().isEmpty() ? s_tour->currentStep() + QStringLiteral(": ") : QString())
            + message });
    if (s_previousHandler)
        s_previousHandler(type, context, message);
}

void save(QQuickWindow* window, const QString& path)
{
    // An opaque picture: a grab can leave the window's own background transparent.
    const QImage image = window ? window->grabWindow().convertToFormat(QImage::Format_RGB32) : QImage();
    if (image.isNull() || !image.save(path)) {
        fail({ QStringLiteral("cannot save %1").arg(path) });
        return;
    }
    std::printf("%s\n", qPrintable(path));
    std::fflush(stdout);
}

bool waitFor(const std::function<bool()>& condition, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

void walk(QQmlApplicationEngine& engine, const QString& folder, const QStringList& only)
{
    const QSharedPointer<Vl::Tavix3::UI::Application> app = Vl::Tavix3::UI::sharedApplication();
    QQuickWindow* window = app->mainWindow();
    // The main window shows once the splash has timed out; a first start opens on the language list.
    const auto firstStart = [window]() {
        auto* stack = window ? window->findChild<QQuickItem*>(QStringLiteral("stack")) : nullptr;
        auto* screen = stack ? stack->property("currentItem").value<QQuickItem*>() : nullptr;
        return window->isExposed() && screen && screen->objectName() == QLatin1String("Languages")
            && MotionCheck::moving(window).isEmpty();
    };
    if (!waitFor(firstStart, 10000)) {
        fail({ QStringLiteral("the language list of the first start did not show and settle") });
        return;
    }
    window->requestActivate();
    save(window, QDir(folder).filePath(QStringLiteral("first-start-languages.png")));

    ScreenTour tour(&engine, app->rootObject());
    QString error;
    if (!tour.load(&error)) {
        fail({ error });
        return;
    }
    QStringList known;
    for (const QString& theme : tour.themes()) {
        for (const QString& language : tour.languages())
            known << theme + QLatin1Char('-') + language;
    }
    for (const QString& wanted : only) {
        if (!known.contains(wanted))
            fail({ QStringLiteral("no theme and language %1 (there are %2)")
                       .arg(wanted, known.join(QLatin1Char(' '))) });
    }
    s_tour = &tour;
    for (const QString& suffix : qAsConst(known)) {
        if (!only.isEmpty() && !only.contains(suffix))
            continue;
        const QString theme = suffix.section(QLatin1Char('-'), 0, 0);
        const QString language = suffix.section(QLatin1Char('-'), 1);
        fail(tour.run(theme, language, [&](const QString& view, QQuickWindow* shown) {
            save(shown, QDir(folder).filePath(view + QLatin1Char('-') + suffix + QStringLiteral(".png")));
        }));
    }
    s_tour = nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: vantor_screenshots <folder> [<theme>-<language> ...]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 2;
    }
    QStringList only;
    for (int i = 2; i < argc; ++i)
        only << QString::fromLocal8Bit(argv[i]);
    s_previousHandler = qInstallMessageHandler(recordWarnings);
    char* programArgs[] = { argv[0], nullptr };
    const int result = Vl::Tavix3::UI::runVantor(1, programArgs, [&](QQmlApplicationEngine& engine) {
        QTimer::singleShot(0, &engine, [&engine, folder, only]() {
            walk(engine, folder, only);
            QCoreApplication::quit();
        });
    });
    qInstallMessageHandler(s_previousHandler);
    for (const QString& failure : qAsConst(s_failures))
        std::fprintf(stderr, "FAILED: %s\n", qPrintable(failure));
    if (result != 0)
        return result;
    return s_failures.isEmpty() ? 0 : 1;
}
