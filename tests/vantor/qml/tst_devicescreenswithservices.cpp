// The screens of the device services on the real objects: the status bar with the real device
// services and GPS, the GPS and satellite screens, the synchronisation capture and the emulator's
// START and LAP buttons through the real event generator and event thread.
#include "app/application.h"
#include "core/orvaneenum.h"
#include "device/gps.h"
#include "device/gpsenum.h"
#include "device/systemhw.h"
#include "events/event.h"
#include "events/eventslog.h"
#include "mainwindowfixture.h"
#include "sequence/sema.h"
#include "sequence/semaenum.h"
#include "testsupport/testmain.h"

#include <QFile>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

#include <atomic>
#include <memory>

using namespace Vl::Tavix3::UI;

class TestDeviceScreens : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void statusBarFollowsTheDeviceServices();
    void gpsIconFollowsTheGpsScreens();
    void synchronisationCapturesTheStartKey();
    void emulatorLineButtonsReachTheEngine();

private:
    QQuickItem* statusIcon(const QString& name) const
    {
        return MainWindowFixture::findItem(m_fixture->window()->contentItem(), name);
    }
    QString iconImage(const QString& name) const
    {
        return statusIcon(name)->property("source").toUrl().fileName();
    }
    // Presses and releases an item of the main window (a line button, the START button).
    void pressAndRelease(QQuickItem* item, int holdMs);

    std::unique_ptr<MainWindowFixture> m_fixture;
};

void TestDeviceScreens::cleanup()
{
    if (m_fixture && m_fixture->app()->gps())
        m_fixture->app()->gps()->setSyncMode(GPSEnum::GPS_SYNC_NONE);
    m_fixture.reset();
}

void TestDeviceScreens::pressAndRelease(QQuickItem* item, int holdMs)
{
    QVERIFY(item);
    const QPoint centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint();
    QTest::mousePress(m_fixture->window(), Qt::LeftButton, Qt::NoModifier, centre);
    QTest::qWait(holdMs);
    QTest::mouseRelease(m_fixture->window(), Qt::LeftButton, Qt::NoModifier, centre);
}

void TestDeviceScreens::statusBarFollowsTheDeviceServices()
{
    m_fixture = std::make_unique<MainWindowFixture>();
    SystemHw* systemHw = m_fixture->app()->systemHw();
    systemHw->loadSettings();
    QTRY_COMPARE(statusIcon(QStringLiteral("batteryText"))->property("text").toString(), QStringLiteral("100%"));
    QCOMPARE(iconImage(QStringLiteral("batteryIcon")), QStringLiteral("battery_1B.png"));

    // The desktop build has neither Wi-Fi nor Bluetooth: their icons stay hidden even when asked.
    systemHw->setIsWifiEnabled(true);
    systemHw->setIsBluetoothEnabled(true);
    QTest::qWait(50);
    QVERIFY(!statusIcon(QStringLiteral("wifiIcon"))->isVisible());
    QVERIFY(!statusIcon(QStringLiteral("bluetoothIcon"))->isVisible());
    QVERIFY(!statusIcon(QStringLiteral("calibrationIcon"))->isVisible());
    QCOMPARE(MainWindowFixture::warnings(), QStringList());
}

// The GPS icon shows while the GPS service is on: while the satellite screen is open, and while a
// synchronisation mode is chosen on the GPS screen.
void TestDeviceScreens::gpsIconFollowsTheGpsScreens()
{
    m_fixture = std::make_unique<MainWindowFixture>();
    QQuickItem* gpsIcon = statusIcon(QStringLiteral("gpsIcon"));
    QVERIFY(!gpsIcon->isVisible());

    QQuickItem* satellites = m_fixture->openScreen(
        QStringLiteral("qrc:/menu/GPSSatellites.qml"), { { QStringLiteral("objectName"), QStringLiteral("GPSSatellites") } });
    QVERIFY(satellites);
    QTRY_VERIFY(gpsIcon->isVisible());
    QCOMPARE(iconImage(QStringLiteral("gpsIcon")), QStringLiteral("gps_no.png"));
    QCOMPARE(satellites->property("satCount").toString(), QStringLiteral("10"));
    m_fixture->menuPressed();
    QTRY_VERIFY(!gpsIcon->isVisible());

    // The GPS screen: "Continuous" on its chooser, then left from its first page.
    Sema* sema = m_fixture->app()->sema();
    sema->setSequenceType(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI);
    sema->setSequenceMode(SemaEnum::SEQUENCE_MODE_MANUAL);
    sema->setSequenceStatus(true);
    QQuickItem* screen
        = m_fixture->openScreen(QStringLiteral("qrc:/menu/GPS.qml"), { { QStringLiteral("objectName"), QStringLiteral("GPS") } });
    QVERIFY(screen);
    QQuickItem* chooser = MainWindowFixture::findItem(screen, QStringLiteral("cmbSyncMode"));
    QVERIFY(chooser);
    QMetaObject::invokeMethod(chooser, "step", Q_ARG(QVariant, true));
    QMetaObject::invokeMethod(chooser, "step", Q_ARG(QVariant, true));
    QCOMPARE(m_fixture->app()->gps()->syncMode(), GPSEnum::GPS_SYNC_CONTINUOUS);
    QTRY_VERIFY(gpsIcon->isVisible());
    QCOMPARE(iconImage(QStringLiteral("gpsIcon")), QStringLiteral("gps_no_synced.png"));
    m_fixture->tap(MainWindowFixture::findItem(screen, QStringLiteral("leftTouch")));
    m_fixture->waitForStack();
    QVERIFY(m_fixture->currentScreen() != screen);
    QVERIFY(!sema->sequenceStatus());
    QCOMPARE(m_fixture->app()->gps()->syncMode(), GPSEnum::GPS_SYNC_CONTINUOUS);
    QCOMPARE(MainWindowFixture::warnings(), QStringList());
}

// The START button of the synchronisation screen goes through the real event generator and event
// thread; the capture sets the synchronisation and the screen closes itself.
void TestDeviceScreens::synchronisationCapturesTheStartKey()
{
    m_fixture = std::make_unique<MainWindowFixture>(MainWindowFixture::Start::WorkerThreads);
    Application* app = m_fixture->app();
    app->setIsSynchronized(false);
    QQuickItem* screen = m_fixture->openScreen(
        QStringLiteral("qrc:/menu/Synchro.qml"), { { QStringLiteral("objectName"), QStringLiteral("Synchronization") } });
    QVERIFY(screen);
    QVERIFY(app->isInSynchroMenu());
    QQuickItem* next = MainWindowFixture::findItem(screen, QStringLiteral("rightTouch"));
    m_fixture->tap(next);
    m_fixture->tap(next);
    QCOMPARE(screen->property("page").toInt(), 2);
    QVERIFY(app->isCheckSynchro());
    screen->findChild<QObject*>(QStringLiteral("tmrShow"))->setProperty("interval", 200);

    pressAndRelease(MainWindowFixture::findItem(screen, QStringLiteral("btnStartTouch")), 20);
    QTRY_VERIFY(app->isSynchronized());
    QCOMPARE(MainWindowFixture::findItem(screen, QStringLiteral("lblInfo"))->property("text").toString(),
        QStringLiteral("SYNCHRONIZATION\nDONE!"));
    QVERIFY(!MainWindowFixture::findItem(screen, QStringLiteral("btnStart"))->isEnabled());
    QTRY_VERIFY(m_fixture->currentScreen() != screen);
    QVERIFY(!app->isInSynchroMenu());
    QVERIFY(!app->isCheckSynchro());
    QCOMPARE(MainWindowFixture::warnings(), QStringList());
}

// LAP is the operator's key: a short press starts the armed MANUAL sequence. START is the start
// line: its press while the countdown runs is a start, which the events log receives at the end
// of the run.
void TestDeviceScreens::emulatorLineButtonsReachTheEngine()
{
    m_fixture = std::make_unique<MainWindowFixture>(MainWindowFixture::Start::WorkerThreads);
    Application* app = m_fixture->app();
    Sema* sema = app->sema();
    sema->setSequenceMode(SemaEnum::SEQUENCE_MODE_MANUAL);
    QQuickItem* screen = m_fixture->openScreen(QStringLiteral("qrc:/menu/HandleSequence.qml"),
        { { QStringLiteral("objectName"), QStringLiteral("0") }, { QStringLiteral("formParam"), QString() },
            { QStringLiteral("pageSource"), QString() } });
    QVERIFY(screen);
    QVERIFY(sema->sequenceStatus());
    QVERIFY(sema->isOff());

    QQuickItem* lap = MainWindowFixture::findItem(m_fixture->window()->contentItem(), QStringLiteral("lapButton"));
    QQuickItem* start = MainWindowFixture::findItem(m_fixture->window()->contentItem(), QStringLiteral("startButton"));
    pressAndRelease(lap, 100);
    QTRY_VERIFY(!sema->isOff());

    // The start event reaches the engine on the engine's thread; the run's end writes it down. The
    // watch is queued behind the engine's own handling of the same event, on the same thread.
    std::atomic<bool> startHandled { false };
    connect(
        app, &Application::eventReceived, sema,
        [&startHandled](const QVariant& event, bool isFalling) {
            const EntityPtr<Event> record = event.value<EntityPtr<Event>>();
            if (record && isFalling && record->physicalChannel == OrvaneEnum::QSTART_LINE)
                startHandled = true;
        },
        Qt::QueuedConnection);
    pressAndRelease(start, 100);
    QTRY_VERIFY_WITH_TIMEOUT(startHandled, 20000);
    m_fixture->menuPressed();
    QVERIFY(!sema->sequenceStatus());
    app->eventsLog().waitForWritten();
    QFile log(app->eventsLog().fileName());
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = log.readAll().trimmed().split('\n');
    QCOMPARE(lines.size(), 2);
    const QList<QByteArray> fields = lines.at(1).split(EventsLog::kSeparator);
    QCOMPARE(fields.at(2), QByteArray("1")); // the start line
    QCOMPARE(fields.at(5), QByteArray("0")); // not generated by the engine
    QCOMPARE(MainWindowFixture::warnings(), QStringList());
}

VANTOR_TEST_CLASS(TestDeviceScreens)
#include "tst_devicescreenswithservices.moc"
