// Starts Vantor as its main does and walks its main screens in both themes and three
// languages, saving a picture of the main window for each into the folder given on the
// command line. Used by tools/screenshots.sh; not part of the program.
#include "core/application.h"
#include "core/sharedapplication.h"
#include "core/startup.h"

#include <QDir>
#include <QImage>
#include <QQmlApplicationEngine>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQuickWindow>
#include <QTimer>

#include <cstdio>

namespace {

int s_failures = 0;

// Saves pictures of the main window; the walk calls it by name.
class Shooter : public QObject
{
    Q_OBJECT

public:
    explicit Shooter(const QString& folder, QObject* parent = nullptr)
        : QObject(parent)
        , m_folder(folder)
    {
    }

public slots:
    void save(const QString& name)
    {
        const QSharedPointer<Vl::Tavix3::UI::Application> app = Vl::Tavix3::UI::sharedApplication();
        QQuickWindow* window = app ? app->mainWindow() : nullptr;
        const QString path = QDir(m_folder).filePath(name + QStringLiteral(".png"));
        // An opaque picture: a grab can leave the window's own background transparent.
        const QImage image = window ? window->grabWindow().convertToFormat(QImage::Format_RGB32) : QImage();
        if (image.isNull() || !image.save(path)) {
            std::fprintf(stderr, "cannot save %s\n", qPrintable(path));
            ++s_failures;
            return;
        }
        std::printf("%s\n", qPrintable(path));
        std::fflush(stdout);
    }

    void fail(const QString& message)
    {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        ++s_failures;
    }

private:
    QString m_folder;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: vantor_screenshots <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[argc - 1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot create %s\n", argv[argc - 1]);
        return 2;
    }
    Q_INIT_RESOURCE(screenshots);
    const int result = Vl::Tavix3::UI::runVantor(argc - 1, argv, [&folder](QQmlApplicationEngine& engine) {
        auto* shooter = new Shooter(folder, &engine);
        const QSharedPointer<Vl::Tavix3::UI::Application> app = Vl::Tavix3::UI::sharedApplication();
        // The walk lives in the main window's context, so it reaches the stack and the
        // window by name as the screens do.
        auto* context = new QQmlContext(qmlContext(app->rootObject()), &engine);
        context->setContextProperty(QStringLiteral("shooter"), shooter);
        QQmlComponent component(&engine, QUrl(QStringLiteral("qrc:/screenshots/ScreenshotWalk.qml")));
        QObject* walk = component.create(context);
        if (!walk) {
            shooter->fail(component.errorString());
            QTimer::singleShot(0, &engine, &QQmlApplicationEngine::quit);
            return;
        }
        walk->setParent(&engine);
    });
    return result != 0 ? result : (s_failures > 0 ? 1 : 0);
}

#include "screenshotdriver.moc"
