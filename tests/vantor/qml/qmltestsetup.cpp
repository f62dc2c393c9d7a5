#include "qmltestsetup.h"

#include "app/application.h"
#include "app/startup.h"
#include "core/sharedapplication.h"
#include "device/gps.h"
#include "device/systemhw.h"
#include "remote/serial.h"
#include "sequence/displayboard.h"
#include "sequence/filesystemproxymodel.h"
#include "sequence/sema.h"
#include "time/datetime.h"
#include "tour/toursupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMutex>
#include <QPointer>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QStandardPaths>
#include <QWindow>

namespace QmlTest {

namespace {

QPointer<TestHelper> s_recorder;
QtMessageHandler s_previousHandler = nullptr;

void recordingHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type >= QtWarningMsg && s_recorder)
        s_recorder->addWarning(message);
    if (s_previousHandler)
        s_previousHandler(type, context, message);
}

QString testRoot()
{
    const QString root = qEnvironmentVariable("VANTOR_TEST_ROOT");
    return root.isEmpty() ? QDir::tempPath() : root;
}

const char* const kFakes[][2] = {
    { "sema", "qrc:/qmltest/FakeSema.qml" },
    { "systemHw", "qrc:/qmltest/FakeSystemHw.qml" },
    { "gps", "qrc:/qmltest/FakeGps.qml" },
    { "displayboard", "qrc:/qmltest/FakeDisplayboard.qml" },
    { "eventGenerator", "qrc:/qmltest/FakeEventGenerator.qml" },
    { "messageBox", "qrc:/qmltest/FakeMessageBox.qml" },
    { "menuLog", "qrc:/qmltest/MenuLog.qml" },
};

} // namespace

QStringList TestHelper::warnings() const { return m_warnings; }

void TestHelper::addWarning(const QString& text)
{
    m_warnings << text;
    emit warningsChanged();
}

void TestHelper::resetWarnings()
{
    m_warnings.clear();
    emit warningsChanged();
}

void TestHelper::recordWarnings()
{
    s_recorder = this;
    if (!s_previousHandler)
        s_previousHandler = qInstallMessageHandler(recordingHandler);
}

void TestHelper::pressKey(QWindow* window, int key, bool autoRepeat)
{
    if (!window)
        return;
    QKeyEvent event(
        QEvent::KeyPress, key, Qt::NoModifier, QKeySequence(key).toString(QKeySequence::PortableText), autoRepeat, 1);
    QCoreApplication::sendEvent(window, &event);
}

void TestHelper::releaseKey(QWindow* window, int key, bool autoRepeat)
{
    if (!window)
        return;
    QKeyEvent event(QEvent::KeyRelease, key, Qt::NoModifier, QString(), autoRepeat, 1);
    QCoreApplication::sendEvent(window, &event);
}

bool TestHelper::resourceExists(const QString& path) const { return QFile::exists(path); }

QString TestHelper::dataFolder(const QString& name) const
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QLatin1Char('/') + name;
}

bool TestHelper::writeFile(const QString& path, const QString& text) { return TourSupport::writeTextFile(path, text); }

bool TestHelper::removePath(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return QDir(path).removeRecursively();
    return !info.exists() || QFile::remove(path);
}

void TestHelper::setClock(qlonglong ticks)
{
    Vl::Tavix3::UI::DateTime::setClock([ticks]() { return qint64(ticks); });
}

void TestHelper::resetClock() { Vl::Tavix3::UI::DateTime::resetClock(); }

void TestHelper::useReal(const QString& name)
{
    const QSharedPointer<Vl::Tavix3::UI::Application> application = Vl::Tavix3::UI::sharedApplication();
    auto* engine = qobject_cast<QQmlEngine*>(parent());
    if (!application || !engine)
        return;
    QObject* object = nullptr;
    if (name == QLatin1String("sema"))
        object = application->sema();
    else if (name == QLatin1String("systemHw"))
        object = application->systemHw();
    else if (name == QLatin1String("gps"))
        object = application->gps();
    else if (name == QLatin1String("displayboard"))
        object = application->displayboard();
    if (!object) {
        qWarning() << "No real object named" << name;
        return;
    }
    engine->rootContext()->setContextProperty(name, object);
}

void TestHelper::useFake(const QString& name)
{
    auto* engine = qobject_cast<QQmlEngine*>(parent());
    if (engine && m_fakes.contains(name))
        engine->rootContext()->setContextProperty(name, m_fakes.value(name));
}

void TestHelper::addFake(const QString& name, QObject* fake) { m_fakes.insert(name, fake); }

void TestHelper::setAmbrelSynchronized(bool value)
{
    if (const QSharedPointer<Vl::Tavix3::UI::Application> application = Vl::Tavix3::UI::sharedApplication())
        application->setIsAmbrelSynchronized(value);
}

int TestHelper::displayboardPixel(int x, int y) const
{
    const QSharedPointer<Vl::Tavix3::UI::Application> application = Vl::Tavix3::UI::sharedApplication();
    return application && application->displayboard() ? application->displayboard()->pixel(x, y) : -1;
}

void QmlTestSetup::applicationAvailable()
{
    using namespace Vl::Tavix3::UI;
    QCoreApplication::setOrganizationName(QStringLiteral("Velmora"));
    QCoreApplication::setApplicationName(QStringLiteral("Vantor"));
    initResources();
    registerQmlTypes();
    const QString dataPath = testRoot() + QStringLiteral("/appdata");
    QDir().mkpath(dataPath);
    FileSystemProxyModel::createAppDataFolders();
    m_application = QSharedPointer<Application>::create(nullptr, nullptr, dataPath, nullptr);
    setSharedApplication(m_application);
    // Registers the remaining QML types (EventGenerator among them) as the program does.
    m_application->init();
}

void QmlTestSetup::qmlEngineAvailable(QQmlEngine* engine)
{
    QQmlContext* context = engine->rootContext();
    context->setContextProperty(QStringLiteral("application"), m_application.data());
    context->setContextProperty(QStringLiteral("keyEmitter"), m_application->keyEmitter());
    context->setContextProperty(QStringLiteral("infoBarMessage"), m_application->infoBarMessage());
    context->setContextProperty(QStringLiteral("appEmulator"), true);
    context->setContextProperty(QStringLiteral("isDebug"), false);
    auto* helper = new TestHelper(engine);
    context->setContextProperty(QStringLiteral("testSupport"), helper);
    // What the screens send to the remote clients: the serial layer's sendSocketData.
    context->setContextProperty(QStringLiteral("serial"), m_application->serial());
    for (const auto& fake : kFakes) {
        QQmlComponent component(engine, QUrl(QString::fromLatin1(fake[1])));
        QObject* object = component.create();
        if (!object) {
            qWarning() << component.errors();
            continue;
        }
        object->setParent(engine);
        context->setContextProperty(QString::fromLatin1(fake[0]), object);
        helper->addFake(QString::fromLatin1(fake[0]), object);
    }
    // The application's own questions ("Delete log files", ...) go to the recording message boxes.
    QPointer<QObject> messageBox = context->contextProperty(QStringLiteral("messageBox")).value<QObject*>();
    m_application->setConfirmationHandler([messageBox](const QString& title) {
        QVariant answer;
        if (messageBox)
            QMetaObject::invokeMethod(messageBox, "sure", Q_RETURN_ARG(QVariant, answer), Q_ARG(QVariant, title));
        return answer.toBool();
    });
}

void QmlTestSetup::cleanupTestCase()
{
    Vl::Tavix3::UI::DateTime::resetClock();
    Vl::Tavix3::UI::resetSharedApplication();
    m_application.reset();
}

} // namespace QmlTest
