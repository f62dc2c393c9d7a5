#include "remoteclient.h"
#include "testsupport/testmain.h"
#include "vantorprocess.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QTest>
#include <QTime>

#include <functional>
#include <memory>

namespace {

QJsonArray items(const char* json) { return QJsonDocument::fromJson(json).array(); }

const QString kAlpineId = QStringLiteral("FB5BC35B-EAF3-4E19-BB64-F5387B230522");

// The data of the last status message among the messages for which the test holds; empty when none.
QJsonObject lastStatus(const QList<QJsonObject>& messages, const std::function<bool(const QJsonObject&)>& test)
{
    QJsonObject found;
    for (const QJsonObject& message : messages) {
        if (RemoteClient::isStatus(message) && test(RemoteClient::firstData(message)))
            found = RemoteClient::firstData(message);
    }
    return found;
}

// The messages that are not pushed status messages.
QList<QJsonObject> withoutStatus(const QList<QJsonObject>& messages)
{
    QList<QJsonObject> rest;
    for (const QJsonObject& message : messages) {
        if (!RemoteClient::isStatus(message))
            rest << message;
    }
    return rest;
}

} // namespace

// A remote client runs sequences on the real program and follows them through the status output.
// Each remote start opens the run screen and starts once the screen is shown.
class TestRemoteStart : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void statusOnRequestCarriesEveryKey();
    void remoteAutoStartRunsAndReportsStatus();
    void pauseRestartAndStop();
    void bibNumberIsReported();
    void statusOutputCanBeSwitchedOff();
    void textOnTheStartLight();
    void repetitionTimes();
    void startInDisplayboardModeOnlySelects();

private:
    // Waits for a pushed status whose data satisfies the test; the data, or an empty object.
    QJsonObject waitForStatus(const std::function<bool(const QJsonObject&)>& test, int timeoutMs);

    std::unique_ptr<VantorProcess> m_vantor;
    std::unique_ptr<RemoteClient> m_client;
};

void TestRemoteStart::initTestCase()
{
    m_vantor = std::make_unique<VantorProcess>();
    QVERIFY2(m_vantor->start(), qPrintable(m_vantor->output()));
    m_client = std::make_unique<RemoteClient>();
    QVERIFY(m_client->connectToServer());
    m_client->exchange(RemoteClient::frame("SetSettings", items(R"([{"Language": 0, "DisplayboardMode": 0}])")));
}

void TestRemoteStart::cleanupTestCase()
{
    m_client.reset();
    m_vantor.reset();
}

QJsonObject TestRemoteStart::waitForStatus(const std::function<bool(const QJsonObject&)>& test, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        const QByteArray message = m_client->waitForMessage(
            [](const QByteArray& m) { return m.contains("\"Section\":\"Status\",\"Type\":\"Sema\""); },
            int(timeoutMs - clock.elapsed()));
        if (message.isEmpty())
            break;
        const QJsonObject data = RemoteClient::firstData(RemoteClient::parse(message));
        if (test(data))
            return data;
    }
    return QJsonObject();
}

void TestRemoteStart::statusOnRequestCarriesEveryKey()
{
    QList<QJsonObject> messages = m_client->exchange(RemoteClient::frame("GetStatus"));
    QCOMPARE(messages.size(), 2);
    QVERIFY(RemoteClient::isStatus(messages.at(1)));
    const QJsonObject status = RemoteClient::firstData(messages.at(1));
    for (const char* key : { "DisplayboardMode", "IsActive", "TimeOfDay", "IsSynchronized", "IsGPSEnabled",
             "IsWifiEnabled", "BatteryPerc", "IsExtSupplyValid", "IsLowBattery", "IsRunning", "BibNumber" })
        QVERIFY2(status.contains(key), key);
    QCOMPARE(status.value("BatteryPerc").toInt(), 100);
    QCOMPARE(status.value("IsActive").toBool(), false);

    // Forced again: every key again, although nothing changed.
    messages = m_client->exchange(RemoteClient::frame("GetStatus"));
    QCOMPARE(RemoteClient::firstData(messages.at(1)).keys(), status.keys());
}

void TestRemoteStart::remoteAutoStartRunsAndReportsStatus()
{
    m_client->exchange(RemoteClient::frame("SetEnableOutputStatus"));
    // The first interval of the alpine sequence lights 10 s before the start: shortly after the
    // run screen has opened.
    const QString startTime = QTime::currentTime().addSecs(14).toString(QStringLiteral("HH:mm:ss"));
    QJsonObject start { { "SequenceMode", 1 }, { "StartTime", startTime }, { "RepetitionTime", "00:01:00" },
        { "SequenceId", kAlpineId } };
    const QList<QJsonObject> all = m_client->exchange(RemoteClient::frame("SetStartSequence", { start }), 20000);
    const QList<QJsonObject> messages = withoutStatus(all);
    QCOMPARE(messages.size(), 1);
    QCOMPARE(RemoteClient::header(messages.at(0)).value("Type").toString(), QStringLiteral("SemaACK"));

    const auto isRunning = [](const QJsonObject& s) { return s.value("IsRunning").toBool(); };
    QJsonObject running = lastStatus(all, isRunning);
    if (running.isEmpty())
        running = waitForStatus(isRunning, 20000);
    QVERIFY2(!running.isEmpty(), "no status reported the sequence running");
    const QJsonObject lit = waitForStatus([](const QJsonObject& s) { return s.contains("Color"); }, 30000);
    QVERIFY2(!lit.isEmpty(), "no status reported a colour");
    QCOMPARE(lit.value("Color").toString(), QStringLiteral("RED"));
    QVERIFY(lit.contains("Time"));
    QVERIFY(lit.contains("YellowPixelCount"));

    const QList<QJsonObject> name = withoutStatus(m_client->exchange(RemoteClient::frame("GetCurrentSequenceName")));
    QCOMPARE(RemoteClient::firstData(name.at(1)), QJsonObject({ { "SequenceName", "ALPINE SKI" } }));
}

void TestRemoteStart::pauseRestartAndStop()
{
    const auto expect = [this](const QString& command, const std::function<bool(const QJsonObject&)>& test) {
        const QList<QJsonObject> all = m_client->exchange(RemoteClient::frame(command));
        return !lastStatus(all, test).isEmpty() || !waitForStatus(test, 20000).isEmpty();
    };
    QVERIFY(expect("SetPauseSequence",
        [](const QJsonObject& s) { return s.contains("IsRunning") && !s.value("IsRunning").toBool(); }));
    QVERIFY(expect("SetRestartSequence", [](const QJsonObject& s) { return s.value("IsRunning").toBool(); }));
    QVERIFY(expect("SetStopSequence",
        [](const QJsonObject& s) { return s.contains("IsActive") && !s.value("IsActive").toBool(); }));
}

void TestRemoteStart::bibNumberIsReported()
{
    const auto bibInStatus = [this]() {
        const QList<QJsonObject> messages = m_client->exchange(RemoteClient::frame("GetStatus"));
        return lastStatus(messages, [](const QJsonObject& s) { return s.contains("BibNumber"); }).value("BibNumber");
    };
    m_client->exchange(RemoteClient::frame("SetBibNumber", items(R"([{"BibNumber": 42}])")));
    QCOMPARE(bibInStatus().toInt(), 42);
    m_client->exchange(RemoteClient::frame("SetBibNumber", items(R"([{"BibNumber": "17"}])")));
    QCOMPARE(bibInStatus().toInt(), 17);
    m_client->exchange(RemoteClient::frame("SetBibNumber", items(R"([{"BibNumber": 0}])")));
    QCOMPARE(bibInStatus().toInt(), 0);
    m_client->exchange(RemoteClient::frame("SetBibNumber", items(R"([{"BibNumber": 5}, {}])")));
    QCOMPARE(bibInStatus().toInt(), 0);
}

void TestRemoteStart::statusOutputCanBeSwitchedOff()
{
    m_client->exchange(RemoteClient::frame("SetDisableOutputStatus"));
    m_client->takeMessages();
    // The time of day changes every second; nothing is pushed for it any more.
    QTest::qWait(1200);
    const QList<QByteArray> pushed = m_client->takeMessages();
    for (const QByteArray& message : pushed)
        QVERIFY2(!message.contains("\"Section\":\"Status\""), message.constData());
}

void TestRemoteStart::textOnTheStartLight()
{
    const QList<QJsonObject> messages = m_client->exchange(RemoteClient::frame("SetSema",
        items(R"([{"Text": "GO", "Color": 4, "Sound": 1, "ShowTime": "12:00:00", "ShowDate": "01/02/2025"}])")));
    QCOMPARE(messages.size(), 1);
    QCOMPARE(m_client->exchange(RemoteClient::frame("SetMessage", items(R"([{"Message": "Hello"}, {"Message": 3}])")))
                 .size(),
        1);
}

void TestRemoteStart::repetitionTimes()
{
    m_client->exchange(RemoteClient::frame("SetRepetitionTimes",
        items(R"([{"RepetitionTime1": "00:01:30", "RepetitionTime2": "later", "RepetitionTime3": "00:05:00"},
                  {"RepetitionTimeIndex": 2}])")));
    const QList<QJsonObject> messages = m_client->exchange(RemoteClient::frame("GetRepetitionTimes"));
    QCOMPARE(messages.size(), 2);
    QCOMPARE(RemoteClient::firstData(messages.at(1)),
        QJsonObject({ { "RepetitionTime1", "00:01:30" }, { "RepetitionTime2", "00:00:00" },
            { "RepetitionTime3", "00:05:00" }, { "RepetitionTimeIndex", 2 } }));
}

void TestRemoteStart::startInDisplayboardModeOnlySelects()
{
    m_client->exchange(RemoteClient::frame("SetSettings", items(R"([{"DisplayboardMode": 1}])")));
    const QList<QJsonObject> messages = withoutStatus(m_client->exchange(RemoteClient::frame(
        "SetStartSequence", items(R"([{"SequenceMode": 0, "SequenceId": "26DED030-6120-417C-934F-468598800AEC"}])"))));
    // Only the acknowledgement: no wait for a run screen that display-board mode never shows (it
    // would end in the error that the screen could not be shown), and no run either.
    QCOMPARE(RemoteClient::errorsIn(messages), QStringList());
    QCOMPARE(messages.size(), 1);
    const QJsonObject status = lastStatus(m_client->exchange(RemoteClient::frame("GetStatus")),
        [](const QJsonObject& s) { return s.contains("IsActive"); });
    QCOMPARE(status.value("IsActive"), QJsonValue(false));
    QCOMPARE(status.value("IsRunning"), QJsonValue(false));
    const QList<QJsonObject> name = withoutStatus(m_client->exchange(RemoteClient::frame("GetCurrentSequenceName")));
    QCOMPARE(RemoteClient::firstData(name.at(1)), QJsonObject({ { "SequenceName", "NORDIK SKI" } }));
    // Display-board texts get no acknowledgement.
    QCOMPARE(
        withoutStatus(m_client->exchange(RemoteClient::frame("DisplayboardOutput", items(R"([{"Text": "HELLO"}])"))))
            .size(),
        0);
    m_client->exchange(RemoteClient::frame("SetSettings", items(R"([{"DisplayboardMode": 0}])")));
}

VANTOR_TEST_CLASS(TestRemoteStart)
#include "tst_remotestart.moc"
