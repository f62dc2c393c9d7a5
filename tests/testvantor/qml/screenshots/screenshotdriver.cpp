// Starts the real Vantor offscreen, then TestVantor as its main does, and walks TestVantor's tabs
// while it is connected to that Vantor, saving a picture of the window for each tab, at the default
// and at the smallest size, into the folder given on the command line. The walk fails unless the
// answers come from the Vantor started here. Used by tools/screenshots-testvantor.sh; not part of
// the program.
#include "app/application.h"
#include "app/sharedapplication.h"
#include "app/startup.h"
#include "vantorprocess.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQmlApplicationEngine>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQuickWindow>
#include <QRegularExpression>
#include <QTimer>
#include <QUuid>

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

// Writes a sequence document named name into the Custom folder of the Vantor about to start.
bool storeMarkerSequence(const QString& name, QString* problem)
{
    const QString folder = VantorProcess::dataPath() + QStringLiteral("/Custom");
    const QJsonObject document { { QStringLiteral("SequenceId"), name }, { QStringLiteral("SequenceName"), name },
        { QStringLiteral("Sequence"),
            QJsonArray { QJsonObject { { QStringLiteral("Time"), 0 }, { QStringLiteral("Color"), 1 },
                { QStringLiteral("Sound"), 1 }, { QStringLiteral("IsFalseStartWindow"), false } } } } };
    QFile file(folder + QStringLiteral("/walk.json"));
    if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly)
        || file.write(QJsonDocument(document).toJson()) < 0 || !file.flush()) {
        *problem = QStringLiteral("cannot write %1").arg(file.fileName());
        return false;
    }
    return true;
}

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
        // A sequence that only the Vantor started here holds: the walk finds it in the answers, or
        // it is talking to another server.
        const QString marker = QStringLiteral("Walk %1").arg(QUuid::createUuid().toString(QUuid::WithoutBraces).left(8));
        QString problem;
        if (!storeMarkerSequence(marker, &problem)) {
            shooter->fail(problem);
            QTimer::singleShot(0, &engine, &QQmlApplicationEngine::quit);
            return;
        }
        vantor = std::make_unique<VantorProcess>();
        if (!vantor->start()) {
            shooter->fail(QStringLiteral("Vantor did not start: ") + vantor->output());
            QTimer::singleShot(0, &engine, &QQmlApplicationEngine::quit);
            return;
        }
        const QString version = QRegularExpression(QStringLiteral("Version: (\\S+)")).match(vantor->log()).captured(1);
        const QSharedPointer<Vl::Orvane::UI::Application> app = Vl::Orvane::UI::sharedApplication();
        // The walk lives in the window's context, so it reaches the window's items by their ids.
        auto* context = new QQmlContext(qmlContext(app->mainWindow()), &engine);
        context->setContextProperty(QStringLiteral("shooter"), shooter);
        context->setContextProperty(QStringLiteral("vantorVersion"), version);
        context->setContextProperty(QStringLiteral("markerSequence"), marker);
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
