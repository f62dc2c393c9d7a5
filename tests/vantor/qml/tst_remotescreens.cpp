// Remote clients driving the real screens: the command server on its port, the real main window,
// engine and display board in one program. A remote start runs the run the client asked for, also
// right after a stop and while the GUI thread is busy; a remote text opens the output screen and
// stays on the board.
#include "app/application.h"
#include "mainwindowfixture.h"
#include "remote/serialpathfinder.h"
#include "remoteclient.h"
#include "sequence/displayboard.h"
#include "sequence/displayboardenum.h"
#include "sequence/sema.h"
#include "sequence/semaenum.h"
#include "testsupport/boardpixels.h"
#include "testsupport/testmain.h"

#include <QJsonDocument>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>
#include <QThread>
#include <QTime>

#include <atomic>
#include <memory>

using namespace Vl::Tavix3::UI;

namespace {

QJsonArray items(const char* json) { return QJsonDocument::fromJson(json).array(); }

const QString kAlpineId = QStringLiteral("FB5BC35B-EAF3-4E19-BB64-F5387B230522");

// A remote start of the alpine sequence in MANUAL (start now) or AUTO (a start two minutes ahead,
// every minute), with a bib.
QByteArray startFrame(int mode, int bib, const QString& id = QString())
{
    QJsonObject start { { "SequenceId", kAlpineId }, { "SequenceMode", mode }, { "BibNumber", bib } };
    if (mode == SemaEnum::SEQUENCE_MODE_AUTO) {
        start.insert("StartTime", QTime::currentTime().addSecs(120).toString(QStringLiteral("HH:mm:ss")));
        start.insert("RepetitionTime", "00:01:00");
    }
    return RemoteClient::frame(QStringLiteral("Sema"), QStringLiteral("SetStartSequence"), { start }, id);
}

} // namespace

class TestRemoteScreens : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void stopThenStartRunsTheRequestedRun_data();
    void stopThenStartRunsTheRequestedRun();
    void startWhileTheGuiIsBusy();
    void startRefusedWhenTheGuiIsBusyTooLong();
    void firstRemoteTextStaysOnTheBoard_data();
    void firstRemoteTextStaysOnTheBoard();
    void remoteStartClosesTheScreensUnderIt_data();
    void remoteStartClosesTheScreensUnderIt();

private:
    // The run is active in the mode and with the bib the client asked for, on the run screen.
    void verifyRequestedRun(int mode, int bib);
    void backToTheFirstScreen();
    // The GUI thread is busy for ms once it has handed back the server's first ticket of a request.
    void keepGuiBusyAfterTheFirstTicket(int ms);

    std::unique_ptr<MainWindowFixture> m_fixture;
    std::unique_ptr<RemoteClient> m_client;
    QMetaObject::Connection m_busy;
};

void TestRemoteScreens::initTestCase()
{
    m_fixture = std::make_unique<MainWindowFixture>(MainWindowFixture::Start::WorkerThreadsAndPort);
    m_client = std::make_unique<RemoteClient>();
    QVERIFY(m_client->connectToServer());
}

void TestRemoteScreens::cleanupTestCase()
{
    m_client.reset();
    m_fixture.reset();
}

void TestRemoteScreens::init()
{
    disconnect(m_busy);
    m_fixture->app()->sema()->setIsShowingLedTest(false);
    m_client->exchange(RemoteClient::frame("SetSettings", items(R"([{"Language": 0, "DisplayboardMode": 0}])")));
    backToTheFirstScreen();
    m_client->takeMessages();
}

void TestRemoteScreens::backToTheFirstScreen()
{
    QMetaObject::invokeMethod(m_fixture->window(), "popToFirstScreen");
    m_fixture->waitForStack();
    QTRY_VERIFY(!m_fixture->app()->isInTimingMenu());
}

void TestRemoteScreens::verifyRequestedRun(int mode, int bib)
{
    Sema* sema = m_fixture->app()->sema();
    QVERIFY(sema->sequenceStatus());
    QVERIFY(!sema->isOff());
    QCOMPARE(int(sema->sequenceMode()), mode);
    QCOMPARE(sema->bibNumber(), QString::number(bib));
    QVERIFY(m_fixture->app()->isInTimingMenu());
    QVERIFY(m_fixture->currentScreen()->property("isRunScreen").toBool());
}

void TestRemoteScreens::stopThenStartRunsTheRequestedRun_data()
{
    QTest::addColumn<bool>("oneWrite");
    QTest::newRow("stop and start in one write") << true;
    QTest::newRow("start right after the stop's acknowledgement") << false;
}

void TestRemoteScreens::stopThenStartRunsTheRequestedRun()
{
    QFETCH(bool, oneWrite);
    for (int round = 0; round < 10; ++round) {
        const int mode = round % 2 == 0 ? SemaEnum::SEQUENCE_MODE_MANUAL : SemaEnum::SEQUENCE_MODE_AUTO;
        const int bib = 10 + round;
        const QByteArray stop = RemoteClient::frame(
            QStringLiteral("Sema"), QStringLiteral("SetStopSequence"), { QJsonObject() }, QStringLiteral("stop"));
        QList<QJsonObject> messages;
        if (oneWrite) {
            messages = m_client->exchange(stop + startFrame(mode, bib));
        } else {
            m_client->send(stop);
            QVERIFY(!m_client->waitForMessage([](const QByteArray& m) { return m.contains("\"ID\":\"stop\""); })
                         .isEmpty());
            messages = m_client->exchange(startFrame(mode, bib));
        }
        QCOMPARE(RemoteClient::errorsIn(messages), QStringList());
        verifyRequestedRun(mode, bib);
        // Nothing queued before the start takes it back later.
        QTest::qWait(100);
        m_fixture->waitForStack();
        verifyRequestedRun(mode, bib);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("round %1").arg(round)));
    }
}

void TestRemoteScreens::keepGuiBusyAfterTheFirstTicket(int ms)
{
    Application* app = m_fixture->app();
    auto taken = std::make_shared<std::atomic<bool>>(false);
    // Runs on the server's thread while it asks for its first ticket: the GUI thread hands that
    // ticket back and then sits in the busy call, with the run screen's request queued behind it.
    m_busy = connect(
        app, &Application::screenRequestsTicket, app,
        [app, ms, taken](qulonglong) {
            if (!taken->exchange(true))
                QMetaObject::invokeMethod(app, [ms]() { QThread::msleep(ulong(ms)); }, Qt::QueuedConnection);
        },
        Qt::DirectConnection);
}

// The GUI thread does not look at its events for a while after the start arrived: the start waits
// for it and then goes into the run screen it shows. The screen must still open within the server's
// bound: the busy time leaves two thirds of it to a loaded machine.
void TestRemoteScreens::startWhileTheGuiIsBusy()
{
    keepGuiBusyAfterTheFirstTicket(SerialPathFinder::kScreenWaitMs / 3);
    const QList<QJsonObject> messages = m_client->exchange(startFrame(SemaEnum::SEQUENCE_MODE_MANUAL, 42));
    QCOMPARE(RemoteClient::errorsIn(messages), QStringList());
    verifyRequestedRun(SemaEnum::SEQUENCE_MODE_MANUAL, 42);
}

// Busy for longer than the server waits: the client hears that the run screen could not be shown,
// and nothing starts, neither then nor when the GUI thread is back and shows the screen.
void TestRemoteScreens::startRefusedWhenTheGuiIsBusyTooLong()
{
    Sema* sema = m_fixture->app()->sema();
    keepGuiBusyAfterTheFirstTicket(SerialPathFinder::kScreenWaitMs + 500);
    const QList<QJsonObject> messages = m_client->exchange(startFrame(SemaEnum::SEQUENCE_MODE_MANUAL, 43));
    QCOMPARE(RemoteClient::errorsIn(messages),
        QStringList { R"({"Error":"Error to show the sequence screen","ErrorIndex":21})" });
    QTRY_VERIFY(m_fixture->currentScreen()->property("isRunScreen").toBool());
    QTest::qWait(200);
    // Nothing counts down: stopped, or armed with the lights off.
    QVERIFY(!sema->sequenceStatus() || sema->isOff());
    QCOMPARE(sema->bibNumber(), QStringLiteral("1"));
}

void TestRemoteScreens::firstRemoteTextStaysOnTheBoard_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("timeColour");
    QTest::newRow("raw text frame") << QByteArray("\t\x1b"
                                                  "12:34:56\x02")
                                    << 1 << false;
    QTest::newRow("DisplayboardOutput")
        << RemoteClient::frame("DisplayboardOutput", items(R"([{"Text": "12:34:56"}])")) << 0 << true;
}

// The output screen clears the board when it opens; the text that opened it is drawn after that.
void TestRemoteScreens::firstRemoteTextStaysOnTheBoard()
{
    QFETCH(QByteArray, request);
    QFETCH(int, column);
    QFETCH(bool, timeColour);
    Application* app = m_fixture->app();
    m_client->exchange(RemoteClient::frame("SetSettings", items(R"([{"DisplayboardMode": 1}])")));
    QVERIFY(!app->isInTimingMenu());

    m_client->exchange(request);
    QQuickItem* screen = m_fixture->currentScreen();
    QCOMPARE(screen->objectName(), QStringLiteral("NewSessionMenuForm"));
    QVERIFY(app->isInTimingMenu());
    // Long enough for anything the opening screen still does to the board.
    QTest::qWait(300);
    const QVariantList expected = TestSupport::boardWithText(column, QStringLiteral("12:34:5"),
        timeColour ? app->displayboardTimeColor() : int(DisplayboardEnum::DISP_COLOR_RED));
    QVERIFY(!TestSupport::isBlankBoard(expected));
    QCOMPARE(app->displayboard()->pixels(), expected);
    QCOMPARE(screen->property("runningTime").value<QObject*>()->property("text").toString(), QStringLiteral("12:34:5"));

    m_fixture->menuPressed();
    QVERIFY(!app->isInTimingMenu());
}

void TestRemoteScreens::remoteStartClosesTheScreensUnderIt_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("page"); // -1: the page it opens on
    QTest::addColumn<bool>("ledTest");
    QTest::newRow("synchronisation, page 3/3 (the clock armed for capture)") << "qrc:/menu/Synchro.qml"
                                                                             << "Synchronization" << 2 << false;
    QTest::newRow("synchronisation, page 1/3") << "qrc:/menu/Synchro.qml"
                                               << "Synchronization" << 0 << false;
    QTest::newRow("GPS") << "qrc:/menu/GPS.qml"
                         << "GPS" << -1 << false;
    QTest::newRow("service test settings, continuous LED test on") << "qrc:/menu/TestSettings.qml"
                                                                   << "TestSettingsForm" << -1 << true;
}

// A remote start over a screen of the synchronisation or service menus runs as over the main menu:
// the screens under the run screen are left as the operator leaves them, the continuous LED test
// gives the board back, and a START impulse is the run's start event, with the run's bib.
void TestRemoteScreens::remoteStartClosesTheScreensUnderIt()
{
    QFETCH(QString, url);
    QFETCH(QString, name);
    QFETCH(int, page);
    QFETCH(bool, ledTest);
    Application* app = m_fixture->app();
    Sema* sema = app->sema();
    QQuickItem* screen = m_fixture->openScreen(url, { { QStringLiteral("objectName"), name } });
    QVERIFY(screen);
    if (page >= 0)
        screen->setProperty("page", page);
    if (ledTest)
        sema->setIsShowingLedTest(true);
    QCOMPARE(app->isCheckSynchro(), page == 2);

    const QList<QJsonObject> messages = m_client->exchange(startFrame(SemaEnum::SEQUENCE_MODE_AUTO, 77));
    QCOMPARE(RemoteClient::errorsIn(messages), QStringList());
    verifyRequestedRun(SemaEnum::SEQUENCE_MODE_AUTO, 77);

    m_client->takeMessages();
    m_fixture->tap(MainWindowFixture::findItem(m_fixture->window()->contentItem(), QStringLiteral("startButton")));
    const QByteArray event
        = m_client->waitForMessage([](const QByteArray& m) { return m.contains("\"Section\":\"Event\""); });
    QVERIFY2(!event.isEmpty(), "no start event");
    QCOMPARE(RemoteClient::firstData(RemoteClient::parse(event)).value("BibNumber").toInt(), 77);
    verifyRequestedRun(SemaEnum::SEQUENCE_MODE_AUTO, 77);

    // Nothing of the screen below is left: the run screen is the only one above the first screen.
    auto* stack = m_fixture->window()->findChild<QQuickItem*>(QStringLiteral("stack"));
    QCOMPARE(stack->property("depth").toInt(), 2);
    QVERIFY(!app->isInSynchroMenu());
    QVERIFY(!app->isCheckSynchro());
    QVERIFY(!app->isInTestMenu());
    QVERIFY(!sema->isShowingLedTest());
}

VANTOR_TEST_CLASS(TestRemoteScreens)
#include "tst_remotescreens.moc"
