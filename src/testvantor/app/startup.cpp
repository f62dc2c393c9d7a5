#include "app/startup.h"

#include "app/application.h"
#include "app/datetime.h"
#include "app/gpsenum.h"
#include "app/orvaneenum.h"
#include "app/semaenum.h"
#include "app/sharedapplication.h"
#include "client/backend.h"

#include <QApplication>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QtQml>

#include <memory>

static void initTestVantorResources()
{
    Q_INIT_RESOURCE(testvantor_qml);
    Q_INIT_RESOURCE(testvantor_images);
}

namespace Vl::Orvane::UI {

void initResources() { initTestVantorResources(); }

void registerQmlTypes()
{
    const char* uri = "velmora.Orvane";
    qmlRegisterType<DateTime>(uri, 1, 0, "DateTimeUtil");
    qmlRegisterType<OrvaneEnum>(uri, 1, 0, "OrvaneEnum");
    qmlRegisterType<SemaEnum>(uri, 1, 0, "SemaEnum");
    qmlRegisterType<GPSEnum>(uri, 1, 0, "GPSEnum");
    qmlRegisterType<Backend>(uri, 1, 0, "Backend");
}

int runTestVantor(int argc, char** argv, const std::function<void(QQmlApplicationEngine&)>& beforeExec)
{
    initResources();
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    auto app = std::make_unique<QApplication>(argc, argv);
    auto engine = std::make_unique<QQmlApplicationEngine>();
    QQmlContext* context = engine->rootContext();

    QCoreApplication::setApplicationVersion(QStringLiteral("0.4.1"));
    QCoreApplication::setApplicationName(QStringLiteral("TestVantor").replace(QLatin1Char(' '), QLatin1Char('_')));
    QCoreApplication::setOrganizationName(QStringLiteral("Velmora"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("velmora.example"));
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi);
    engine->addImportPath(QStringLiteral("qrc:/"));

    registerQmlTypes();
    context->setContextProperty(QStringLiteral("application"), nullptr);
    context->setContextProperty(QStringLiteral("isDebug"), false);

    setSharedApplication(QSharedPointer<Application>::create(app.get(), engine.get(), context, nullptr));
    sharedApplication()->init();

    QObject::connect(engine.get(), &QQmlApplicationEngine::quit, app.get(), &QCoreApplication::quit);
    QObject::connect(
        app.get(), &QCoreApplication::aboutToQuit, app.get(),
        []() {
            if (const QSharedPointer<Application> current = sharedApplication())
                current->aboutToQuit();
            resetSharedApplication();
        },
        Qt::DirectConnection);

    if (beforeExec)
        beforeExec(*engine);
    const int code = app->exec();
    engine.reset();
    app.reset();
    return code;
}

} // namespace Vl::Orvane::UI
