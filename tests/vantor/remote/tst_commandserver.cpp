#include "app/application.h"
#include "core/utils.h"
#include "device/gps.h"
#include "remote/hexframe.h"
#include "remote/serial.h"
#include "remote/serialpathfinder.h"
#include "remoteclient.h"
#include "sequence/displayboard.h"
#include "sequence/displayboardenum.h"
#include "sequence/sema.h"
#include "testsupport/applicationfixture.h"
#include "testsupport/boardpixels.h"
#include "testsupport/testmain.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>

using namespace Vl::Tavix3::UI;
using TestSupport::ApplicationFixture;

namespace {

QJsonArray items(const char* json) { return QJsonDocument::fromJson(json).array(); }

} // namespace

// The command server inside the application, with the operator interface played by the test: the
// screens it waits for, what it draws on the display board, the thread it changes settings on, the
// synchronisation state of a Bluetooth connection, file input, and a stop while it waits.
class TestCommandServer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void displayboardTextWaitsForTheOutputScreen();
    void rawTextFrame();
    void rawTextWithoutTheOutputScreenIsDropped();
    void remoteStartWaitsForTheRunScreen();
    void remoteStartNotShownInTimeIsRefused();
    void settingsChangeOnTheGuiThread();
    void stateOfABluetoothConnection();
    void fileInputEndsWithTheFile();
    void stopEndsAWaitAtOnce();

private:
    // One effect of a screen request on the played main window, delayMs after the one before.
    struct ScreenStep
    {
        int delayMs;
        std::function<void()> effect;
    };
    // Plays the main window on the test's (GUI) thread: each request for the run or output screen
    // takes effect in steps, and a ticket comes back only after the steps of every request before it.
    void playMainWindow(const QList<ScreenStep>& steps);

    std::unique_ptr<ApplicationFixture> m_app;
    std::unique_ptr<RemoteClient> m_client;
    QList<QMetaObject::Connection> m_mainWindow;
    // The context of the played steps: a step still pending at the end of its test never runs.
    std::unique_ptr<QObject> m_steps;
    QElapsedTimer m_guiClock;
    qint64 m_guiBusyUntil = 0;
};

void TestCommandServer::initTestCase()
{
    ApplicationFixture::clearSettings();
    m_app = std::make_unique<ApplicationFixture>(ApplicationFixture::Stage::Running);
    m_client = std::make_unique<RemoteClient>();
    QVERIFY(m_client->connectToServer());
}

void TestCommandServer::cleanupTestCase()
{
    m_client.reset();
    if (m_app && !(*m_app)->isClosing())
        (*m_app)->aboutToQuit();
    m_app.reset();
}

void TestCommandServer::init()
{
    for (const QMetaObject::Connection& connection : qAsConst(m_mainWindow))
        disconnect(connection);
    m_mainWindow.clear();
    m_steps = std::make_unique<QObject>();
    m_guiClock.start();
    m_guiBusyUntil = 0;
    Application* app = m_app->get();
    app->setIsInTimingMenu(false);
    m_client->exchange(RemoteClient::frame("SetSettings", items(R"([{"DisplayboardMode": 0, "DateFormat": 0}])")));
    m_client->takeMessages();
}

void TestCommandServer::playMainWindow(const QList<ScreenStep>& steps)
{
    Application* app = m_app->get();
    const auto show = [this, steps]() {
        for (const ScreenStep& step : steps) {
            m_guiBusyUntil = std::max(m_guiBusyUntil, m_guiClock.elapsed()) + step.delayMs;
            QTimer::singleShot(int(m_guiBusyUntil - m_guiClock.elapsed()), m_steps.get(), step.effect);
        }
    };
    m_mainWindow << connect(app, &Application::showDisplayboardOutputMenu, this, show)
                 << connect(app, &Application::showHandleSequenceMenu, this, show)
                 << connect(app, &Application::screenRequestsTicket, this, [this, app](qulonglong ticket) {
                        const qint64 due = std::max(m_guiBusyUntil, m_guiClock.elapsed());
                        QTimer::singleShot(int(due - m_guiClock.elapsed()), m_steps.get(),
                            [app, ticket]() { app->screenRequestsDone(ticket); });
                    });
}

void TestCommandServer::displayboardTextWaitsForTheOutputScreen()
{
    Application* app = m_app->get();
    m_client->exchange(RemoteClient::frame("SetSettings", items(R"([{"DisplayboardMode": 1}])")));
    QSignalSpy opened(app, &Application::showDisplayboardOutputMenu);
    // The output screen opens a moment after it is asked for, on the GUI thread, and clears the
    // board a little later: the text must come after the clear.
    bool cleared = false;
    playMainWindow({ { 50, [app]() { app->setIsInTimingMenu(true); } },
        { 120, [app, &cleared]() {
             app->displayboard()->reset(true);
             cleared = true;
         } } });

    QCOMPARE(
        m_client->exchange(RemoteClient::frame("DisplayboardOutput", items(R"([{"Text": "12:34:56.78"}])"))).size(), 0);
    QCOMPARE(opened.size(), 1);
    // The screen has done all it does on opening.
    QTRY_VERIFY_WITH_TIMEOUT(cleared, 20000);
    QCOMPARE(app->displayboardOutput(), QStringLiteral("12:34:5"));
    QVERIFY(!TestSupport::isBlankBoard(app->displayboard()->pixels()));
    QCOMPARE(app->displayboard()->pixels(), TestSupport::boardWithText(0, QStringLiteral("12:34:5"), app->displayboardTimeColor()));

    m_client->exchange(RemoteClient::frame("DisplayboardOutput", items(R"([{"Clear": 1}])")));
    QCOMPARE(app->displayboardOutput(), QString());
    QCOMPARE(app->displayboard()->pixels(), TestSupport::boardWithText(0, QString(), 0));
}

void TestCommandServer::rawTextFrame()
{
    Application* app = m_app->get();
    m_client->exchange(RemoteClient::frame("SetSettings", items(R"([{"DisplayboardMode": 1}])")));
    app->setIsInTimingMenu(true);
    m_client->exchange(RemoteClient::frame("DisplayboardOutput", items(R"([{"Clear": true}])")));

    QCOMPARE(m_client
                 ->exchange("\t\x1b"
                            "1234567890.\x02")
                 .size(),
        0);
    QCOMPARE(app->displayboardOutput(), QStringLiteral("1234567"));
    QVERIFY(!TestSupport::isBlankBoard(app->displayboard()->pixels()));
    QCOMPARE(app->displayboard()->pixels(), TestSupport::boardWithText(1, QStringLiteral("1234567"), DisplayboardEnum::DISP_COLOR_RED));
}

void TestCommandServer::rawTextWithoutTheOutputScreenIsDropped()
{
    Application* app = m_app->get();
    app->setDisplayboardOutput(QStringLiteral("BEFORE"));
    QSignalSpy opened(app, &Application::showDisplayboardOutputMenu);

    // Countdown mode: nothing at all.
    m_client->exchange("\t\x1b"
                       "LATE\x02");
    QCOMPARE(opened.size(), 0);
    QCOMPARE(app->displayboardOutput(), QStringLiteral("BEFORE"));

    // Display-board mode, but the screen never opens (the main window handles the request without
    // opening it): each text asks for it, waits only until the main window has handled the request,
    // and is dropped. A text that sat out the output screen's whole bound instead would cost that
    // bound every time: the texts together would take longer than their bounds added up, however
    // slow the machine, while the texts dropped at once take a small part of it even on a loaded one.
    playMainWindow({});
    m_client->exchange(RemoteClient::frame("SetSettings", items(R"([{"DisplayboardMode": 1}])")));
    const int texts = 10;
    QByteArray late;
    for (int i = 0; i < texts; ++i)
        late += "\t\x1b"
                "LATE\x02";
    QElapsedTimer clock;
    clock.start();
    m_client->exchange(late, 60000);
    const qint64 elapsed = clock.elapsed();
    QCOMPARE(opened.size(), texts);
    QVERIFY2(elapsed < texts * SerialPathFinder::kOutputScreenWaitMs,
        qPrintable(QStringLiteral("%1 ms for %2 texts").arg(elapsed).arg(texts)));
    QCOMPARE(app->displayboardOutput(), QStringLiteral("BEFORE"));
}

void TestCommandServer::remoteStartWaitsForTheRunScreen()
{
    Application* app = m_app->get();
    Sema* sema = app->sema();
    QSignalSpy opened(app, &Application::showHandleSequenceMenu);
    bool startedBeforeTheScreen = true;
    playMainWindow({ { 300, [app, sema, &startedBeforeTheScreen]() {
                          startedBeforeTheScreen = sema->sequenceStatus();
                          app->setIsInTimingMenu(true);
                      } } });

    // A start that sat out its whole bound although the screen opened would be answered only after
    // kScreenWaitMs on the server's clock, which started after this one. The start that goes on once
    // the screen is shown is answered well within the bound; it must open within it anyway, or the
    // server itself refuses the start.
    QElapsedTimer clock;
    clock.start();
    const QList<QJsonObject> messages = m_client->exchange(RemoteClient::frame(
        "SetStartSequence", items(R"([{"SequenceMode": 0, "SequenceId": "FB5BC35B-EAF3-4E19-BB64-F5387B230522"}])")));
    const qint64 answeredAfter = clock.elapsed();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(answeredAfter < SerialPathFinder::kScreenWaitMs,
        qPrintable(QStringLiteral("the start waited out the whole bound although the screen opened (%1 ms)")
                       .arg(answeredAfter)));
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened.at(0).at(0).toInt(), int(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI));
    QVERIFY(!startedBeforeTheScreen);
    QTRY_VERIFY(sema->sequenceStatus());
    QCOMPARE(sema->sequenceMode(), SemaEnum::SEQUENCE_MODE_MANUAL);

    // Already on the run screen: no new request for it, no wait.
    m_client->exchange(RemoteClient::frame("SetStopSequence"));
    QTRY_VERIFY(!sema->sequenceStatus());
}

// The main window does not get to the run screen in time: the client hears so, and nothing starts.
void TestCommandServer::remoteStartNotShownInTimeIsRefused()
{
    Application* app = m_app->get();
    Sema* sema = app->sema();
    playMainWindow({ { SerialPathFinder::kScreenWaitMs + 2000, [app]() { app->setIsInTimingMenu(true); } } });
    const QList<QJsonObject> messages = m_client->exchange(RemoteClient::frame(
        "SetStartSequence", items(R"([{"SequenceMode": 0, "SequenceId": "FB5BC35B-EAF3-4E19-BB64-F5387B230522"}])")));
    QCOMPARE(messages.size(), 2);
    QCOMPARE(RemoteClient::header(messages.at(1)).value("Type").toString(), QStringLiteral("SemaError"));
    QCOMPARE(RemoteClient::header(messages.at(1)).value("Section").toString(), QStringLiteral("SetStartSequence"));
    QCOMPARE(RemoteClient::firstData(messages.at(1)),
        (QJsonObject { { "Error", "Error to show the sequence screen" }, { "ErrorIndex", 21 } }));
    QVERIFY(!sema->sequenceStatus());
}

void TestCommandServer::settingsChangeOnTheGuiThread()
{
    Application* app = m_app->get();
    QThread* changedOn = nullptr;
    const QMetaObject::Connection watch = connect(
        app, &Application::dateFormatChanged, app, [&changedOn]() { changedOn = QThread::currentThread(); },
        Qt::DirectConnection);
    m_client->exchange(RemoteClient::frame("SetSettings", items(R"([{"DateFormat": 1}])")));
    disconnect(watch);
    QCOMPARE(app->dateFormat(), 1);
    QCOMPARE(changedOn, QThread::currentThread());

    QThread* gpsChangedOn = nullptr;
    const QMetaObject::Connection gpsWatch = connect(
        app->gps(), &GPS::syncModeChanged, app, [&gpsChangedOn]() { gpsChangedOn = QThread::currentThread(); },
        Qt::DirectConnection);
    m_client->exchange(RemoteClient::frame("SetGPSSyncMode", items(R"([{"GPSSyncMode": 1}])")));
    m_client->exchange(RemoteClient::frame("SetGPSSyncMode", items(R"([{"GPSSyncMode": 0}])")));
    disconnect(gpsWatch);
    QCOMPARE(gpsChangedOn, QThread::currentThread());
}

void TestCommandServer::stateOfABluetoothConnection()
{
    Application* app = m_app->get();
    // The partner has a connection of its own: the client's connection reads JSON for a second after
    // each request, and a "$" in that time would be lost.
    RemoteClient partner;
    QVERIFY(partner.connectToServer());
    QTRY_COMPARE(app->serial()->clientPortIds().size(), 2);
    const int partnerPort = app->serial()->clientPortIds().at(1);
    QByteArray request = "$000C7010";
    request += QByteArray::number(HexFrame::checksum(request), 16).toUpper() + "\r";

    // No connection record bound to the port: no answer, only the answer to the frame after it.
    partner.send(request + "$000C7011C0\r");
    QCOMPARE(
        partner.waitForMessage([](const QByteArray& m) { return m.startsWith('!'); }), QByteArray("!000C7011BD\r"));

    {
        QMutexLocker locker(&app->btConnectionsMutex());
        app->btConnections().append(BTConnectionInfo { "00:11:22:33:44:55", partnerPort, 0x123456789LL, false });
    }
    partner.send(request);
    QCOMPARE(partner.waitForMessage([](const QByteArray& m) { return m.startsWith('!'); }),
        HexFrame::stateAnswer(false, 0x123456789LL, false));

    // Switched on, then synchronised: the record is marked and the state answer says both.
    const auto switchRequest = [](const QByteArray& flags, const QByteArray& enable) {
        return HexFrame::finish("$0000"
                                "7011"
            + flags + enable + QByteArray(16, '0') + "00" + QByteArray(44, '0'));
    };
    const auto answered = [&partner](const QByteArray& frame) {
        partner.send(frame);
        return partner.waitForMessage([](const QByteArray& m) { return m.startsWith('!'); });
    };
    QCOMPARE(answered(switchRequest("80000000", "01")), QByteArray("!000C7011BD\r"));
    QVERIFY(app->ambrelSyncEnabled());
    QVERIFY(!app->isAmbrelSynchronized());
    QCOMPARE(answered(switchRequest("FF800000", "01")), QByteArray("!000C7011BD\r"));
    QVERIFY(app->isAmbrelSynchronized());
    QVERIFY(!app->enabledSyncGPS());
    {
        QMutexLocker locker(&app->btConnectionsMutex());
        QVERIFY(app->btConnections().at(0).isSynced);
    }
    QCOMPARE(answered(request), HexFrame::stateAnswer(true, 0x123456789LL, true));

    QCOMPARE(answered(switchRequest("80000000", "00")), QByteArray("!000C7011BD\r"));
    QVERIFY(!app->ambrelSyncEnabled());
    QVERIFY(app->enabledSyncGPS());
    {
        QMutexLocker locker(&app->btConnectionsMutex());
        app->btConnections().clear();
    }
    m_client->takeMessages();
}

void TestCommandServer::fileInputEndsWithTheFile()
{
    Application* app = m_app->get();
    const QString path = TestSupport::testRoot() + QStringLiteral("/requests.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(RemoteClient::frame("SetSettings", items(R"([{"DateFormat": 1}])"), "from-file"));
    file.write("\t{\"Header\":{\"Type\":\"Sema\",\"Section\":\"SetSettings\"},\"Data\":[{\"TimeFormat\":1}");
    file.close();
    QVERIFY(app->serial()->readTextFile(path));
    QTRY_COMPARE(app->dateFormat(), 1);

    // The unfinished frame at the end of the file neither blocks the server nor runs; replies to the
    // file's port go nowhere.
    const QList<QByteArray> messages
        = m_client->exchangeRaw(RemoteClient::frame("GetVersionNumber", { QJsonObject() }, "tcp"));
    QCOMPARE(messages.size(), 2);
    QVERIFY(messages.at(0).contains("\"ID\":\"tcp\""));
    QCOMPARE(app->timeFormat(), 0);
    QVERIFY(!app->serial()->readTextFile(path + ".missing"));
}

void TestCommandServer::stopEndsAWaitAtOnce()
{
    Application* app = m_app->get();
    Sema* sema = app->sema();
    QSignalSpy opened(app, &Application::showHandleSequenceMenu);
    // The run screen never comes: the server waits for it until it is told to stop. A wait that the
    // stop did not end would last its whole bound, kScreenWaitMs on the server's clock, which started
    // after this one: the close would return only after it. (The close itself takes about a second:
    // the server's thread ends on the quit that the thread stopper sends again after a second.)
    playMainWindow({ { 60000, []() {} } });
    QElapsedTimer clock;
    clock.start();
    m_client->send(RemoteClient::frame(
        "SetStartSequence", items(R"([{"SequenceMode": 0, "SequenceId": "FB5BC35B-EAF3-4E19-BB64-F5387B230522"}])")));
    QTRY_COMPARE_WITH_TIMEOUT(opened.size(), 1, 20000);
    app->aboutToQuit();
    const qint64 closedAfter = clock.elapsed();
    QVERIFY2(closedAfter < SerialPathFinder::kScreenWaitMs, qPrintable(QString::number(closedAfter)));
    QVERIFY(!app->serialPathFinder());
    QVERIFY(!sema->sequenceStatus());
}

VANTOR_TEST_CLASS(TestCommandServer)
#include "tst_commandserver.moc"
