// The settings and sequence screens against the real start-light engine and device services
// (the QML tests use stand-ins), and the splash window of the real start-up.
#include "app/application.h"
#include "app/startup.h"
#include "core/orvaneenum.h"
#include "core/sharedapplication.h"
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
    // The built-in RALLY table as the operator must see it, column by column of the viewer.
    const QStringList expected[] = {
        { "-10 sec", "Red", "Long Boop", "No False" },
        { "-5 sec", "Yellow Pixel", "Bip", "No False" },
        { "-4 sec", "Pixel", "Bip", "No False" },
        { "-3 sec", "Pixel", "Bip", "No False" },
        { "-2 sec", "Pixel", "Bip", "No False" },
        { "-1 sec", "Pixel", "Bip", "No False" },
        { "0 sec", "Green", "Long Bip", "False" },
        { "21 sec", "Off", "Silent", "No False" },
    };
    QQuickItem* viewer
        = open(QStringLiteral("qrc:/menu/SemaSequence.qml"), { { QStringLiteral("objectName"), QStringLiteral("2") } });
    QVERIFY(viewer);
    QCOMPARE(viewer->property("semaSequenceModel").value<QObject*>()->property("count").toInt(), 8);
    QCOMPARE(viewer->property("pageCount").toInt(), 3);
    for (int i = 0; i < 8; ++i) {
        QQuickItem* interval = findItem(viewer, QStringLiteral("interval%1").arg(i));
        QVERIFY2(interval, qPrintable(QStringLiteral("interval %1").arg(i)));
        QStringList shown;
        for (const char* field : { "intervalTime", "intervalColor", "intervalSound", "intervalFalseStart" })
            shown << findItem(interval, QString::fromLatin1(field))->property("text").toString();
        QCOMPARE(shown, expected[i]);
    }
    QVERIFY(!findItem(viewer, QStringLiteral("interval8")));
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

    // Looking at another file replaces the engine's custom table with that file's.
    menuPressed();
    const QString other = TestSupport::testRoot() + QStringLiteral("/Other.json");
    QFile otherFile(other);
    QVERIFY(otherFile.open(QIODevice::WriteOnly));
    otherFile.write(R"({"SequenceName":"Other","SequenceId":"O-1","Sequence":[)"
                    R"({"Time":-5,"Color":2,"Sound":0,"IsFalseStartWindow":false}]})");
    otherFile.close();
    viewer = open(QStringLiteral("qrc:/menu/SemaSequence.qml"), { { QStringLiteral("objectName"), other } });
    QVERIFY(viewer);
    Sema* sema = m_fixture->app()->sema();
    QCOMPARE(sema->getNameFromSequenceType(SemaEnum::SEMA_SEQUENCE_CUSTOM), QStringLiteral("Other"));
    QCOMPARE(sema->getListIntervalTime(SemaEnum::SEMA_SEQUENCE_CUSTOM), QVariantList { qlonglong(-5) });
    QCOMPARE(sema->getListIntervalColor(SemaEnum::SEMA_SEQUENCE_CUSTOM), QVariantList { int(SemaEnum::SEMA_COLOR_RED) });
    auto* only = findItem(viewer, QStringLiteral("interval0"));
    QVERIFY(only);
    QCOMPARE(findItem(only, QStringLiteral("intervalColor"))->property("text").toString(), QStringLiteral("Red"));
    QVERIFY(!findItem(viewer, QStringLiteral("interval1")));
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
