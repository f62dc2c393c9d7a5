// The settings and sequence screens against the real start-light engine and device services
// (the QML tests use stand-ins), and the splash window of the real start-up.
#include "core/application.h"
#include "core/orvaneenum.h"
#include "core/sharedapplication.h"
#include "core/startup.h"
#include "device/systemhw.h"
#include "mainwindowfixture.h"
#include "sequence/sema.h"
#include "testsupport/testmain.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QJSValue>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTest>

using namespace Vl::Tavix3::UI;

class TestScreensWithEngine : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void sequenceFamilyNamesComeFromTheEngine();
    void rallyTableHasEightIntervals();
    void customFileViewer();
    void unreadableCustomFileLeavesTheTableAlone();
    void settingsWriteTheRealEngineAndServices();
    void touchOnTheSplashLogoQuits();

private:
    QQuickItem* open(const QString& url, const QVariantMap& properties) { return m_fixture->openScreen(url, properties); }
    void menuPressed() { m_fixture->menuPressed(); }
    static QQuickItem* findItem(QQuickItem* root, const QString& name)
    {
        return MainWindowFixture::findItem(root, name);
    }

    std::unique_ptr<MainWindowFixture> m_fixture;
};

void TestScreensWithEngine::init() { m_fixture = std::make_unique<MainWindowFixture>(); }

void TestScreensWithEngine::cleanup() { m_fixture.reset(); }

void TestScreensWithEngine::sequenceFamilyNamesComeFromTheEngine()
{
    QQuickItem* family = open(QStringLiteral("qrc:/menu/SemaSequences.qml"),
        { { QStringLiteral("objectName"), QStringLiteral("SkiSequence") },
            { QStringLiteral("formParam"), QStringLiteral("SK") } });
    QVERIFY(family);
    auto* sequences = family->property("sequences").value<QObject*>();
    QVERIFY(sequences);
    QCOMPARE(sequences->property("count").toInt(), 2);
    const auto role = [sequences](int index, const QString& name) {
        QJSValue entry;
        QMetaObject::invokeMethod(sequences, "get", Q_RETURN_ARG(QJSValue, entry), Q_ARG(int, index));
        return entry.property(name).toString();
    };
    QCOMPARE(role(0, QStringLiteral("title")), QStringLiteral("ALPINE SKI"));
    QCOMPARE(role(0, QStringLiteral("name")), QStringLiteral("0"));
    QCOMPARE(role(1, QStringLiteral("text")), QStringLiteral("NORDIK SKI"));
    QCOMPARE(role(1, QStringLiteral("page")), QStringLiteral("qrc:/menu/HandleSequence.qml"));
    QCOMPARE(MainWindowFixture::warnings(), QStringList());
}

void TestScreensWithEngine::rallyTableHasEightIntervals()
{
    QQuickItem* viewer
        = open(QStringLiteral("qrc:/menu/SemaSequence.qml"), { { QStringLiteral("objectName"), QStringLiteral("2") } });
    QVERIFY(viewer);
    auto* model = viewer->property("semaSequenceModel").value<QObject*>();
    const QVariantList times = m_fixture->app()->sema()->getListIntervalTime(SemaEnum::SEMA_SEQUENCE_RALLY);
    QCOMPARE(times.size(), 8);
    QCOMPARE(model->property("count").toInt(), 8);
    QCOMPARE(viewer->property("pageCount").toInt(), 3);
    auto* first = findItem(viewer, QStringLiteral("interval0"));
    QVERIFY(first);
    auto* time = findItem(first, QStringLiteral("intervalTime"));
    QCOMPARE(time->property("text").toString(), times.first().toString() + QStringLiteral(" sec"));
    const auto color = SemaEnum::SemaColor(
        m_fixture->app()->sema()->getListIntervalColor(SemaEnum::SEMA_SEQUENCE_RALLY).first().toInt());
    QCOMPARE(findItem(first, QStringLiteral("intervalColor"))->property("text").toString(),
        m_fixture->app()->sema()->getStringColor(color));
    QVERIFY(!m_fixture->app()->sema()->getStringColor(color).isEmpty());
    QCOMPARE(MainWindowFixture::warnings(), QStringList());
}

void TestScreensWithEngine::customFileViewer()
{
    const QString path = TestSupport::testRoot() + QStringLiteral("/Viewed.json");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(R"({"SequenceName":"Viewed","SequenceId":"V-1","Sequence":[)"
               R"({"Time":-20,"Color":1,"Sound":1,"IsFalseStartWindow":false},)"
               R"({"Time":0,"Color":3,"Sound":3,"IsFalseStartWindow":true}]})");
    file.close();
    QQuickItem* viewer = open(QStringLiteral("qrc:/menu/SemaSequence.qml"), { { QStringLiteral("objectName"), path } });
    QVERIFY(viewer);
    QCOMPARE(viewer->property("sequence").toInt(), int(SemaEnum::SEMA_SEQUENCE_CUSTOM));
    QCOMPARE(viewer->property("semaSequenceModel").value<QObject*>()->property("count").toInt(), 2);
    QCOMPARE(
        m_fixture->app()->sema()->getNameFromSequenceType(SemaEnum::SEMA_SEQUENCE_CUSTOM), QStringLiteral("Viewed"));
    auto* last = findItem(viewer, QStringLiteral("interval1"));
    QVERIFY(last);
    QCOMPARE(findItem(last, QStringLiteral("intervalTime"))->property("text").toString(), QStringLiteral("0 sec"));
    QCOMPARE(MainWindowFixture::warnings(), QStringList());
}

void TestScreensWithEngine::unreadableCustomFileLeavesTheTableAlone()
{
    Sema* sema = m_fixture->app()->sema();
    const QString good = TestSupport::testRoot() + QStringLiteral("/Good.json");
    QFile goodFile(good);
    QVERIFY(goodFile.open(QIODevice::WriteOnly));
    goodFile.write(
        R"({"SequenceName":"Good","Sequence":[{"Time":-9,"Color":1,"Sound":1,"IsFalseStartWindow":false}]})");
    goodFile.close();
    QVERIFY(open(QStringLiteral("qrc:/menu/SemaSequence.qml"), { { QStringLiteral("objectName"), good } }));
    menuPressed();
    const QVariantList before = sema->getListIntervalTime(SemaEnum::SEMA_SEQUENCE_CUSTOM);
    QCOMPARE(before, QVariantList { qlonglong(-9) });

    const QString path = TestSupport::testRoot() + QStringLiteral("/Broken.json");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("{ not json");
    file.close();
    QQuickItem* viewer = open(QStringLiteral("qrc:/menu/SemaSequence.qml"), { { QStringLiteral("objectName"), path } });
    QVERIFY(viewer);
    QCOMPARE(viewer->property("semaSequenceModel").value<QObject*>()->property("count").toInt(), 0);
    QCOMPARE(sema->getListIntervalTime(SemaEnum::SEMA_SEQUENCE_CUSTOM), before);
}

void TestScreensWithEngine::settingsWriteTheRealEngineAndServices()
{
    Sema* sema = m_fixture->app()->sema();
    SystemHw* systemHw = m_fixture->app()->systemHw();
    for (const QString& param : { QStringLiteral("GENERAL"), QStringLiteral("SESSION"), QStringLiteral("RACE") }) {
        QQuickItem* screen = open(QStringLiteral("qrc:/menu/Settings.qml"), { { QStringLiteral("formParam"), param } });
        QVERIFY(screen);
        const int count = screen->property("settingsCount").toInt();
        QVERIFY(count > 1);
        for (int page = 0; page < count; ++page)
            QMetaObject::invokeMethod(screen, "showPage", Q_ARG(QVariant, page));
        QTest::qWait(50);
        menuPressed();
    }
    QCOMPARE(MainWindowFixture::warnings(), QStringList());

    sema->setOffMode(SemaEnum::SEMA_OFF_MODE_OFF);
    sema->setIsGenerateStart(false);
    QQuickItem* screen = open(
        QStringLiteral("qrc:/menu/Settings.qml"), { { QStringLiteral("formParam"), QStringLiteral("SESSION") } });
    auto* offMode = findItem(screen, QStringLiteral("offMode"));
    QVERIFY(offMode);
    QMetaObject::invokeMethod(offMode, "step", Q_ARG(QVariant, true));
    QCOMPARE(sema->offMode(), SemaEnum::SEMA_OFF_MODE_ONLY_RED);
    auto* generateStart = findItem(screen, QStringLiteral("isGenerateStart"));
    generateStart->setProperty("checked", true);
    QVERIFY(sema->isGenerateStart());
    menuPressed();

    systemHw->setBrightnessMode(OrvaneEnum::AUTO_BRIGHTNESS);
    screen = open(
        QStringLiteral("qrc:/menu/Settings.qml"), { { QStringLiteral("formParam"), QStringLiteral("GENERAL") } });
    const int pages = screen->property("settingsCount").toInt();
    auto* brightnessMode = findItem(screen, QStringLiteral("brightnessMode"));
    QMetaObject::invokeMethod(brightnessMode, "step", Q_ARG(QVariant, false));
    QCOMPARE(systemHw->brightnessMode(), int(OrvaneEnum::MANUAL_BRIGHTNESS));
    QTRY_COMPARE(screen->property("settingsCount").toInt(), pages + 1);
    QCOMPARE(MainWindowFixture::warnings(), QStringList());
}

void TestScreensWithEngine::touchOnTheSplashLogoQuits()
{
    // The fixture's start-up has shown its splash already; this one keeps it on screen.
    m_fixture.reset();
    auto* engine = new QQmlApplicationEngine();
    engine->rootContext()->setContextProperty(QStringLiteral("appEmulator"), true);
    engine->rootContext()->setContextProperty(QStringLiteral("isDebug"), false);
    const QString dataPath = TestSupport::testRoot() + QStringLiteral("/appdata");
    auto application = QSharedPointer<Application>::create(
        qobject_cast<QGuiApplication*>(qApp), engine, dataPath, engine->rootContext());
    setSharedApplication(application);
    application->init();
    // Ending the test program's own event loops is not part of the test.
    QObject::disconnect(engine, SIGNAL(quit()), nullptr, nullptr);
    QSignalSpy quitSpy(engine, &QQmlEngine::quit);

    auto* splash = application->rootObject()->property("splashWindow").value<QQuickWindow*>();
    QVERIFY(splash);
    QTRY_VERIFY(splash->isExposed());
    QVERIFY(!application->mainWindow()->isVisible());
    auto* logo = findItem(splash->contentItem(), QStringLiteral("splashLogo"));
    QVERIFY(logo);
    QTest::mouseClick(splash, Qt::LeftButton, Qt::NoModifier,
        logo->mapToScene(QPointF(logo->width() / 2, logo->height() / 2)).toPoint());
    QTRY_COMPARE(quitSpy.count(), 1);

    application->setIsClosing(true);
    delete application->rootObject();
    resetSharedApplication();
    application.reset();
    delete engine;
}

VANTOR_TEST_CLASS(TestScreensWithEngine)
#include "tst_screenswithengine.moc"
