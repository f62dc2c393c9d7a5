// Starts the real Vantor offscreen, then TestVantor as its main does, and walks TestVantor's tabs
// while it is connected to that Vantor, saving a picture of the window for each tab into the folder
// given on the command line. Used by tools/screenshots-testvantor.sh; not part of the program.
#include "app/application.h"
#include "app/sharedapplication.h"
#include "app/startup.h"
#include "vantorprocess.h"

#include <QDir>
#include <QImage>
#include <QQmlApplicationEngine>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQuickWindow>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

int s_failures = 0;

// Saves pictures of TestVantor's window; the walk calls it by name.
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
        const QSharedPointer<Vl::Orvane::UI::Application> app = Vl::Orvane::UI::sharedApplication();
        auto* window = qobject_cast<QQuickWindow*>(app ? app->mainWindow() : nullptr);
        const QString path = QDir(m_folder).filePath(name + QStringLiteral(".png"));
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
        std::fprintf(stderr, "usage: testvantor_screenshots <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[argc - 1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot create %s\n", argv[argc - 1]);
        return 2;
    }
    Q_INIT_RESOURCE(testvantor_screenshots);
    std::unique_ptr<VantorProcess> vantor;
    const int result = Vl::Orvane::UI::runTestVantor(argc - 1, argv, [&](QQmlApplicationEngine& engine) {
        auto* shooter = new Shooter(folder, &engine);
        vantor = std::make_unique<VantorProcess>();
        if (!vantor->start()) {
            shooter->fail(QStringLiteral("Vantor did not start: ") + vantor->output());
            QTimer::singleShot(0, &engine, &QQmlApplicationEngine::quit);
            return;
        }
        const QSharedPointer<Vl::Orvane::UI::Application> app = Vl::Orvane::UI::sharedApplication();
        // The walk lives in the window's context, so it reaches the window's items by their ids.
        auto* context = new QQmlContext(qmlContext(app->mainWindow()), &engine);
        context->setContextProperty(QStringLiteral("shooter"), shooter);
        QQmlComponent component(&engine, QUrl(QStringLiteral("qrc:/screenshots/TestVantorWalk.qml")));
        QObject* walk = component.create(context);
        if (!walk) {
            shooter->fail(component.errorString());
            QTimer::singleShot(0, &engine, &QQmlApplicationEngine::quit);
            return;
        }
        walk->setParent(&engine);
    });
    vantor.reset();
    return result != 0 ? result : (s_failures > 0 ? 1 : 0);
}

#include "screenshotdriver.moc"
