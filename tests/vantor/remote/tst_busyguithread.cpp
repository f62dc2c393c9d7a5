#include "app/application.h"
#include "device/gps.h"
#include "device/systemhw.h"
#include "remote/serialpathfinder.h"
#include "remoteclient.h"
#include "sequence/sema.h"
#include "testsupport/applicationfixture.h"
#include "testsupport/testmain.h"

#include <QEvent>
#include <QJsonDocument>
#include <QTest>
#include <QThread>

#include <functional>
#include <memory>

using namespace Vl::Tavix3::UI;
using TestSupport::ApplicationFixture;

namespace {

QJsonArray items(const char* json) { return QJsonDocument::fromJson(json).array(); }

// Longer than any bound a command ever had for the GUI thread.
constexpr int kHoldMs = SerialPathFinder::kGuiBusyNoticeMs + 1000;

} // namespace

// The command server inside the application while the GUI thread (the test's own) is busy: the
// moment a command hands its work to that thread, the thread is held, longer than a command used to
// wait. Reads must answer with the real values, writes must land, and a closing program must answer
// with an error instead of waiting.
class TestBusyGuiThread : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void gettersAnswerTheRealValues();
    void settersLand();
    void closingProgramRefusesInsteadOfWaiting();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The next call handed to the application, the GPS or the device services runs hold first.
    void holdNextCall(const std::function<void()>& hold);
    QList<QJsonObject> exchange(const QByteArray& bytes);

    std::unique_ptr<ApplicationFixture> m_app;
    std::unique_ptr<RemoteClient> m_client;
    std::function<void()> m_hold;
    bool m_held = false;
};

void TestBusyGuiThread::initTestCase()
{
    ApplicationFixture::clearSettings();
    m_app = std::make_unique<ApplicationFixture>(ApplicationFixture::Stage::Running);
    m_client = std::make_unique<RemoteClient>();
    QVERIFY(m_client->connectToServer());
    for (QObject* context : { static_cast<QObject*>(m_app->get()), static_cast<QObject*>((*m_app)->gps()),
             static_cast<QObject*>((*m_app)->systemHw()) })
        context->installEventFilter(this);
}

void TestBusyGuiThread::cleanupTestCase()
{
    m_client.reset();
    // The closing test has only marked the program as closing: its threads still run.
    if (m_app && (*m_app)->serialPathFinder())
        (*m_app)->aboutToQuit();
    m_app.reset();
}

bool TestBusyGuiThread::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MetaCall && m_hold) {
        const std::function<void()> hold = std::move(m_hold);
        m_hold = nullptr;
        hold();
        m_held = true;
    }
    return QObject::eventFilter(watched, event);
}

void TestBusyGuiThread::holdNextCall(const std::function<void()>& hold)
{
    m_held = false;
    m_hold = hold;
}

QList<QJsonObject> TestBusyGuiThread::exchange(const QByteArray& bytes) { return m_client->exchange(bytes, 60000); }

void TestBusyGuiThread::gettersAnswerTheRealValues()
{
    Application* app = m_app->get();
    QCOMPARE(exchange(RemoteClient::frame("SetSettings", items(R"([{"DateFormat": 1, "TimeFormat": 1}])"))).size(), 1);
    QCOMPARE(exchange(RemoteClient::frame("SetGPSTimeZoneShift", items(R"([{"GPSTimeZoneShift": 90}])"))).size(), 1);
    QCOMPARE(exchange(RemoteClient::frame("SetGPSSyncMode", items(R"([{"GPSSyncMode": 2}])"))).size(), 1);

    holdNextCall([]() { QThread::msleep(kHoldMs); });
    // The server did wait for the held thread, past the time it used to give up after.
    QTest::ignoreMessage(QtWarningMsg, "Remote command: the GUI thread is busy; the command waits for it");
    const QList<QJsonObject> messages = exchange(RemoteClient::frame("GetSettings")
        + RemoteClient::frame("GetGPSTimeZoneShift") + RemoteClient::frame("GetGPSSyncMode"));
    QVERIFY(m_held);
    QCOMPARE(messages.size(), 6);
    const QJsonObject settings = RemoteClient::firstData(messages.at(1));
    QCOMPARE(RemoteClient::header(messages.at(1)).value("Section").toString(), QStringLiteral("GetSettings"));
    QCOMPARE(settings.size(), 19);
    QCOMPARE(settings.value("DateFormat"), QJsonValue(1));
    QCOMPARE(settings.value("TimeFormat"), QJsonValue(1));
    QCOMPARE(settings.value("OffMode"), QJsonValue(int(app->sema()->offMode())));
    QCOMPARE(RemoteClient::firstData(messages.at(3)), QJsonObject({ { "GPSTimeZoneShift", 90 } }));
    QCOMPARE(RemoteClient::firstData(messages.at(5)), QJsonObject({ { "GPSSyncMode", 2 } }));
}

void TestBusyGuiThread::settersLand()
{
    Application* app = m_app->get();
    QCOMPARE(
        exchange(RemoteClient::frame("SetSettings", items(R"([{"DateFormat": 0, "DelayFalseStart": 0}])"))).size(), 1);

    holdNextCall([]() { QThread::msleep(kHoldMs); });
    // The server did wait for the held thread, past the time it used to give up after.
    QTest::ignoreMessage(QtWarningMsg, "Remote command: the GUI thread is busy; the command waits for it");
    const QList<QJsonObject> messages
        = exchange(RemoteClient::frame("SetSettings", items(R"([{"DateFormat": 1, "DelayFalseStart": 4}])"))
            + RemoteClient::frame("SetGPSTimeZoneShift", items(R"([{"GPSTimeZoneShift": -60}])"))
            + RemoteClient::frame("SetRepetitionTimes", items(R"([{"RepetitionTime1": "00:02:00"}])")));
    QVERIFY(m_held);
    // Only the acknowledgements: nothing failed.
    QCOMPARE(messages.size(), 3);
    QCOMPARE(app->dateFormat(), 1);
    QCOMPARE(app->sema()->delayFalseStart(), 4);
    QCOMPARE(app->gps()->timeZoneShift(), -60);
    QCOMPARE(app->repetitionTime1(), qint64(120) * 50000);
}

// Last: the program closes while a command waits for the GUI thread.
void TestBusyGuiThread::closingProgramRefusesInsteadOfWaiting()
{
    Application* app = m_app->get();
    QCOMPARE(exchange(RemoteClient::frame("SetSettings", items(R"([{"DateFormat": 0}])"))).size(), 1);

    // The program starts closing while the thread is busy; the command must not wait for it.
    holdNextCall([app]() {
        QThread::msleep(200);
        app->setIsClosing(true);
        QThread::msleep(1000);
    });
    m_client->send(RemoteClient::frame("SetSettings", items(R"([{"DateFormat": 1}])")));
    const QByteArray error
        = m_client->waitForMessage([](const QByteArray& m) { return m.contains("\"Type\":\"SemaError\""); }, 20000);
    QVERIFY(m_held);
    QVERIFY2(!error.isEmpty(), "no error reply");
    const QJsonObject message = RemoteClient::parse(error);
    QCOMPARE(RemoteClient::header(message).value("Section").toString(), QStringLiteral("SetSettings"));
    QCOMPARE(RemoteClient::firstData(message),
        (QJsonObject { { "Error", "Error because the program is closing" }, { "ErrorIndex", 23 } }));
    // The change was not made later behind the client's back either.
    QTest::qWait(100);
    QCOMPARE(app->dateFormat(), 0);
}

VANTOR_TEST_CLASS(TestBusyGuiThread)
#include "tst_busyguithread.moc"
