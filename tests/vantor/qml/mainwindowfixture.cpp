#include "mainwindowfixture.h"

#include "app/application.h"
#include "app/startup.h"
#include "core/sharedapplication.h"
#include "testsupport/testmain.h"
#include "ui/keyemitter.h"

#include <QDir>
#include <QGuiApplication>
#include <QJSValue>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>
#include <QTimer>

using namespace Vl::Tavix3::UI;

namespace {

QStringList s_warnings;
QtMessageHandler s_previousHandler = nullptr;

void recordWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type >= QtWarningMsg)
        s_warnings << message;
    if (s_previousHandler)
        s_previousHandler(type, context, message);
}

} // namespace

MainWindowFixture::MainWindowFixture(Start start)
    : m_start(start)
{
    initResources();
    registerQmlTypes();
    const QString dataPath = TestSupport::testRoot() + QStringLiteral("/appdata");
    QDir().mkpath(dataPath);
    m_engine = new QQmlApplicationEngine();
    m_engine->rootContext()->setContextProperty(QStringLiteral("appEmulator"), true);
    m_engine->rootContext()->setContextProperty(QStringLiteral("isDebug"), false);
    m_application = QSharedPointer<Application>::create(
        qobject_cast<QGuiApplication*>(qApp), m_engine, dataPath, m_engine->rootContext());
    setSharedApplication(m_application);
    m_application->init();
    // Installed after the application's own handler, so that both see every message.
    s_warnings.clear();
    s_previousHandler = qInstallMessageHandler(recordWarnings);
    if (start == Start::WorkerThreadsAndPort)
        m_application->startHardware();
    if (start != Start::Window)
        m_application->startWorkerThreads();
    // The splash would hold the main window back for two seconds in every test.
    if (QObject* splash = m_application->rootObject()->property("splashWindow").value<QObject*>())
        splash->setProperty("timeoutInterval", 1);
    QTRY_VERIFY(window() && window()->isVisible());
}

MainWindowFixture::~MainWindowFixture()
{
    m_boxAnswerer.reset();
    if (m_start != Start::Window)
        m_application->aboutToQuit();
    m_application->setIsClosing(true);
    delete m_application->rootObject();
    qInstallMessageHandler(s_previousHandler);
    s_previousHandler = nullptr;
    resetSharedApplication();
    m_application.reset();
    delete m_engine;
}

QQuickWindow* MainWindowFixture::window() const { return m_application->mainWindow(); }

QQuickItem* MainWindowFixture::mainItem() const
{
    return window() ? window()->findChild<QQuickItem*>(QStringLiteral("mainItem")) : nullptr;
}

QQuickItem* MainWindowFixture::topBox() const
{
    QQuickItem* host = mainItem();
    if (!host)
        return nullptr;
    const QJSValue boxes = host->property("messageBoxList").value<QJSValue>();
    const int count = boxes.property(QStringLiteral("length")).toInt();
    return count == 0 ? nullptr : qobject_cast<QQuickItem*>(boxes.property(quint32(count - 1)).toQObject());
}

QQuickItem* MainWindowFixture::currentScreen() const
{
    waitForStack();
    auto* stack = window()->findChild<QQuickItem*>(QStringLiteral("stack"));
    return stack ? stack->property("currentItem").value<QQuickItem*>() : nullptr;
}

void MainWindowFixture::waitForStack() const
{
    auto* stack = window()->findChild<QQuickItem*>(QStringLiteral("stack"));
    QVERIFY(stack);
    QTRY_VERIFY(!stack->property("busy").toBool());
}

QQuickItem* MainWindowFixture::openScreen(const QString& url, const QVariantMap& properties)
{
    QVariant screen;
    if (!QMetaObject::invokeMethod(window(), "openScreen", Q_RETURN_ARG(QVariant, screen), Q_ARG(QVariant, url),
            Q_ARG(QVariant, properties)))
        return nullptr;
    waitForStack();
    return screen.value<QQuickItem*>();
}

void MainWindowFixture::menuPressed()
{
    QMetaObject::invokeMethod(window(), "menuPressed");
    waitForStack();
}

void MainWindowFixture::tap(QQuickItem* item) const
{
    QVERIFY(item);
    QTest::mouseClick(window(), Qt::LeftButton, Qt::NoModifier,
        item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint());
}

QQuickItem* MainWindowFixture::findItem(QQuickItem* root, const QString& name)
{
    if (!root)
        return nullptr;
    const QList<QQuickItem*> children = root->childItems();
    for (QQuickItem* child : children) {
        if (child->objectName() == name)
            return child;
        if (QQuickItem* found = findItem(child, name))
            return found;
    }
    return nullptr;
}

QStringList MainWindowFixture::warnings() { return s_warnings; }

void MainWindowFixture::clearWarnings() { s_warnings.clear(); }

void MainWindowFixture::answerNextBox(int key)
{
    m_answeredHeader.clear();
    m_boxAnswerer = std::make_unique<QTimer>();
    m_boxAnswerer->setInterval(10);
    QObject::connect(m_boxAnswerer.get(), &QTimer::timeout, [this, key]() {
        QQuickItem* box = topBox();
        if (!box || !box->isVisible())
            return;
        m_boxAnswerer->stop();
        m_answeredHeader = box->property("headerText").toString();
        m_application->keyEmitter()->emitKey(key, box);
    });
    m_boxAnswerer->start();
}
