// Runs the whole start-up and the ordered shut-down in this process: Vantor starts as its main
// does, quits through the QML engine after a moment, and the test checks what it left behind.
#include "app/application.h"
#include "app/startup.h"
#include "core/sharedapplication.h"
#include "events/handleevents.h"
#include "remote/serialpathfinder.h"
#include "time/cyclichandler.h"

#include <QDir>
#include <QFile>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QSettings>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <cstdio>

using namespace Vl::Tavix3::UI;

namespace {

int s_failures = 0;

void check(bool condition, const char* what)
{
    std::printf("%s: %s\n", condition ? "PASS" : "FAIL", what);
    if (!condition)
        ++s_failures;
}

bool threadRuns(QObject* worker, const char* name)
{
    return worker && worker->thread() && worker->thread()->objectName() == QLatin1String(name)
           && worker->thread()->isRunning();
}

} // namespace

int main(int argc, char** argv)
{
    QString dataPath;
    const int result = runVantor(argc, argv, [&dataPath](QQmlApplicationEngine& engine) {
        const QSharedPointer<Application> app = sharedApplication();
        check(!app.isNull(), "the application object is published before the event loop");
        check(app && app->mainWindow() && app->mainWindow()->objectName() == QLatin1String("MainForm"),
              "the main window MainForm exists");
        check(app && threadRuns(app->cyclicHandler(), "CyclicHandler thread"), "the scheduler thread runs");
        check(app && threadRuns(app->handleEvents(), "HandleEvents thread"), "the event thread runs");
        check(app && threadRuns(app->serialPathFinder(), "SerialPathFinder thread"), "the command-server thread runs");
        check(QCoreApplication::applicationVersion() == QLatin1String("1.2.34"), "the version comes from :/VERSION");
        dataPath = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QTimer::singleShot(500, &engine, [&engine]() { emit engine.quit(); });
    });

    check(result == 0, "the event loop ends normally");
    check(sharedApplication().isNull(), "the application object is released at shut-down");

    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Velmora"), QStringLiteral("Vantor"));
    check(store.value(QStringLiteral("ApplicationCorrectlyClosed")).toBool(), "ApplicationCorrectlyClosed is true");
    check(store.value(QStringLiteral("Version")).toString() == QLatin1String("1.2.34"), "the version is stored");

    for (const char* folder : {"/Custom", "/USB", "/Temp"})
        check(QDir(dataPath + QLatin1String(folder)).exists(), folder);
    check(!QDir(dataPath).entryList({QStringLiteral("Events_*.log")}, QDir::Files).isEmpty(),
          "this run's events log exists");

    QFile log(dataPath + QStringLiteral("/Vantor.log"));
    check(log.open(QIODevice::ReadOnly | QIODevice::Text), "the diagnostic log exists");
    const QString text = QString::fromUtf8(log.readAll());
    int position = 0;
    for (const char* step : {"|Version: 1.2.34", "********Init Application::aboutToQuit********",
                             "********stopThread cyclicHandler********", "********saveSettings********",
                             "********Application::aboutToQuit********", "********~OrvaneApplication********"}) {
        const int found = text.indexOf(QLatin1String(step), position);
        check(found >= 0, step);
        if (found >= 0)
            position = found;
    }
    return s_failures == 0 ? 0 : 1;
}
