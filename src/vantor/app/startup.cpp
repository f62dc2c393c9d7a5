#include "app/startup.h"

#include "app/application.h"
#include "app/orvaneapplication.h"
#include "app/signalhandlers.h"
#include "app/systemfonts.h"
#include "core/crashrecord.h"
#include "core/orvaneenum.h"
#include "core/sharedapplication.h"
#include "core/utils.h"
#include "core/version.h"
#include "device/gpsenum.h"
#include "remote/serialenum.h"
#include "sequence/displayboardenum.h"
#include "sequence/filesystemproxymodel.h"
#include "sequence/semaenum.h"
#include "sequence/sortfilterproxymodel.h"
#include "time/datetime.h"
#include "time/datevalidator.h"
#include "time/timevalidator.h"

#include <QDir>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QStandardPaths>
#include <QThreadPool>
#include <QtQml>

static void initVantorResources()
{
    Q_INIT_RESOURCE(vantor_resources);
    Q_INIT_RESOURCE(vantor_translations);
    Q_INIT_RESOURCE(vantor_qml);
    Q_INIT_RESOURCE(vantor_icons);
}

namespace Vl::Tavix3::UI {

namespace {
// Jobs of the global thread pool (events-log records, tones) get this long to finish at shut-down.
constexpr int kPoolDrainMs = 5000;
} // namespace

void initResources()
{
    initVantorResources();
}

void registerQmlTypes()
{
    const char* uri = "velmora.Orvane";
    qmlRegisterType<SortFilterProxyModel>(uri, 1, 0, "SortFilterProxyModel");
    qmlRegisterType<FileSystemProxyModel>(uri, 1, 0, "FileSystemProxyModel");
    qmlRegisterType<DateTime>(uri, 1, 0, "DateTimeUtil");
    qmlRegisterType<TimeValidator>(uri, 1, 0, "TimeValidator");
    qmlRegisterType<DateValidator>(uri, 1, 0, "DateValidator");
    qmlRegisterType<Utils>(uri, 1, 0, "Utils");
    qmlRegisterType<OrvaneEnum>(uri, 1, 0, "OrvaneEnum");
    qmlRegisterType<SerialEnum>(uri, 1, 0, "SerialEnum");
    qmlRegisterType<SemaEnum>(uri, 1, 0, "SemaEnum");
    qmlRegisterType<GPSEnum>(uri, 1, 0, "GPSEnum");
    qmlRegisterType<DisplayboardEnum>(uri, 1, 0, "DisplayboardEnum");
}

int runVantor(int argc, char** argv, const std::function<void(QQmlApplicationEngine&)>& beforeExec)
{
    initResources();

    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseDesktopOpenGL);
    OrvaneApplication app(argc, argv);
    QQmlApplicationEngine engine;
    QQmlContext* context = engine.rootContext();

    QCoreApplication::setApplicationVersion(getVersion());
    QCoreApplication::setApplicationName(QStringLiteral("Vantor").replace(QLatin1Char('_'), QLatin1Char(' ')));
    QCoreApplication::setOrganizationName(QStringLiteral("Velmora"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("velmora.example"));
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi);
    engine.addImportPath(QStringLiteral("qrc:/"));

    installSignalHandlers();
    SystemFonts::load();
    registerQmlTypes();

    context->setContextProperty(QStringLiteral("application"), nullptr);
    context->setContextProperty(QStringLiteral("isDebug"), false);
    context->setContextProperty(QStringLiteral("appEmulator"), true);
    context->setContextProperty(QStringLiteral("comTavixPro"), false);

    const QString appDataPath = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir appDataDir(appDataPath);
    appDataDir.mkpath(QStringLiteral("."));
    app.setProperty("LOGFILE", QStringLiteral("%1/%2.log").arg(appDataPath, QCoreApplication::applicationName()));
    app.setProperty("LOGFILE_ENABLED", true);
    CrashRecord::refresh(); // a fault from here on is recorded in the log
    context->setContextProperty(QStringLiteral("rootPath"), QDir::rootPath());

    FileSystemProxyModel::createAppDataFolders();

    setSharedApplication(QSharedPointer<Application>::create(&app, &engine, appDataPath, context, nullptr));
    QSharedPointer<Application> application = sharedApplication();
    application->init();
    application->startHardware();
    application->startWorkerThreads();
    application.reset();

    QObject::connect(&engine, &QQmlApplicationEngine::quit, &app, &QCoreApplication::quit);
    QObject::connect(
        &app, &QCoreApplication::aboutToQuit, &app,
        []() {
            if (const QSharedPointer<Application> current = sharedApplication())
                current->aboutToQuit();
            QThreadPool::globalInstance()->waitForDone(kPoolDrainMs);
            resetSharedApplication();
        },
        Qt::DirectConnection);

    if (beforeExec)
        beforeExec(engine);
    return app.exec();
}

} // namespace Vl::Tavix3::UI
