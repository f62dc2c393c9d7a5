#include "remoteclient.h"
#include "testsupport/testmain.h"
#include "vantorprocess.h"

#include <QJsonDocument>
#include <QTest>
#include <QTime>

#include <memory>
#include <utility>

namespace {

QJsonArray items(const char* json) { return QJsonDocument::fromJson(json).array(); }

const QString kAlpineId = QStringLiteral("FB5BC35B-EAF3-4E19-BB64-F5387B230522");

QByteArray request(const char* section, const char* data = "[{}]", const QString& id = QString())
{
    return RemoteClient::frame(QString::fromLatin1(section), items(data), id);
}

QByteArray stopFrame(const QString& id = QString()) { return request("SetStopSequence", "[{}]", id); }

// A remote AUTO start of the alpine sequence two minutes ahead, every minute: the run screen opens and
// saves the mode and repetition times it restores when it is left.
QByteArray autoStartFrame()
{
    const QJsonObject start { { "SequenceId", kAlpineId }, { "SequenceMode", 1 },
        { "StartTime", QTime::currentTime().addSecs(120).toString(QStringLiteral("HH:mm:ss")) },
        { "RepetitionTime", "00:01:00" } };
    return RemoteClient::frame("SetStartSequence", { start });
}

// A remote MANUAL start, now, of the selected sequence unless extra names one.
QByteArray manualStartFrame(QJsonObject extra = QJsonObject(), const QString& id = QString())
{
    QJsonObject start = std::move(extra);
    start.insert("SequenceMode", 0);
    return RemoteClient::frame(QStringLiteral("Sema"), QStringLiteral("SetStartSequence"), { start }, id);
}

} // namespace

// Requests that follow a command that changes the screens (a sequence selected, a run started or
// stopped) take effect after the screen work that command asked for: neither the run screen's
// opening nor its leaving takes back a value a client sent afterwards, whether the requests came in
// one write or each after the acknowledgement of the one before.
class TestRemoteOrder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void changeAfterScreenWorkHolds_data();
    void changeAfterScreenWorkHolds();

private:
    std::unique_ptr<VantorProcess> m_vantor;
    std::unique_ptr<RemoteClient> m_client;
};

void TestRemoteOrder::initTestCase()
{
    m_vantor = std::make_unique<VantorProcess>();
    QVERIFY2(m_vantor->start(), qPrintable(m_vantor->output()));
    m_client = std::make_unique<RemoteClient>();
    QVERIFY(m_client->connectToServer());
}

void TestRemoteOrder::cleanupTestCase()
{
    m_client.reset();
    m_vantor.reset();
}

void TestRemoteOrder::init()
{
    const QList<QJsonObject> messages = m_client->exchange(stopFrame()
        + request("SetSettings", R"([{"Language": 0, "DisplayboardMode": 0, "DateFormat": 0, "OffMode": 2}])")
        + request("SetRepetitionTimes", R"([{"RepetitionTime1": "00:00:30", "RepetitionTime2": "00:01:00",
                                             "RepetitionTime3": "00:02:00", "RepetitionTimeIndex": 0}])")
        + request("SetBibNumber", R"([{"BibNumber": 1}])"));
    QCOMPARE(RemoteClient::errorsIn(messages), QStringList());
}

void TestRemoteOrder::changeAfterScreenWorkHolds_data()
{
    QTest::addColumn<QByteArray>("setup");
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");
    // A remote start after the pair: it waits for every screen change asked for before it, so what
    // is read after it is what the screens left.
    QTest::addColumn<QByteArray>("settle");
    QTest::addColumn<QString>("read");
    QTest::addColumn<QJsonObject>("expected");

    struct Pair
    {
        const char* name;
        QByteArray setup;
        QByteArray first;
        QByteArray second;
        QByteArray settle;
        const char* read;
        QJsonObject expected;
    };
    // The first request of each pair carries the identifier "first", for the client that waits for
    // its acknowledgement.
    const QString id = QStringLiteral("first");
    const QList<Pair> pairs {
        { "selection then bib", QByteArray(),
            request("SetCurrentSequenceName", R"([{"SequenceName": "ALPINE SKI"}])", id),
            request("SetBibNumber", R"([{"BibNumber": 42}])"), manualStartFrame(), "GetStatus",
            QJsonObject { { "BibNumber", 42 } } },
        { "selection then start", QByteArray(),
            RemoteClient::frame("SetCurrentSequenceId", { QJsonObject { { "SequenceId", kAlpineId } } }, id),
            manualStartFrame({ { "BibNumber", 7 } }), QByteArray(), "GetStatus",
            QJsonObject { { "IsActive", true }, { "IsRunning", true }, { "BibNumber", 7 } } },
        { "stop then repetition times", autoStartFrame(), stopFrame(id),
            request("SetRepetitionTimes", R"([{"RepetitionTime1": "00:00:45"}])"), manualStartFrame(),
            "GetRepetitionTimes", QJsonObject { { "RepetitionTime1", "00:00:45" }, { "RepetitionTimeIndex", 0 } } },
        { "stop then settings", autoStartFrame(), stopFrame(id),
            request("SetSettings", R"([{"DateFormat": 1, "OffMode": 1}])"), manualStartFrame(), "GetSettings",
            QJsonObject { { "DateFormat", 1 }, { "OffMode", 1 } } },
        { "start then pause", QByteArray(), manualStartFrame({ { "SequenceId", kAlpineId }, { "BibNumber", 9 } }, id),
            request("SetPauseSequence"), QByteArray(), "GetStatus",
            QJsonObject { { "IsActive", true }, { "IsRunning", false }, { "BibNumber", 9 } } },
    };
    for (const Pair& pair : pairs) {
        for (const bool oneWrite : { true, false }) {
            const QString name = QString::fromLatin1(pair.name)
                + (oneWrite ? QStringLiteral(", in one write") : QStringLiteral(", after the acknowledgement"));
            const QByteArray first = oneWrite ? pair.first + pair.second : pair.first;
            const QByteArray second = oneWrite ? QByteArray() : pair.second;
            QTest::newRow(qPrintable(name))
                << pair.setup << first << second << pair.settle << QString::fromLatin1(pair.read) << pair.expected;
        }
    }
}

void TestRemoteOrder::changeAfterScreenWorkHolds()
{
    QFETCH(QByteArray, setup);
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    QFETCH(QByteArray, settle);
    QFETCH(QString, read);
    QFETCH(QJsonObject, expected);

    if (!setup.isEmpty())
        QCOMPARE(RemoteClient::errorsIn(m_client->exchange(setup)), QStringList());
    QList<QJsonObject> messages;
    if (second.isEmpty()) {
        messages = m_client->exchange(first);
    } else {
        // The second request leaves as soon as the first one is acknowledged, as a client that
        // sends one request at a time sends it.
        m_client->send(first);
        QVERIFY(
            !m_client->waitForMessage([](const QByteArray& m) { return m.contains("\"ID\":\"first\""); }).isEmpty());
        messages = m_client->exchange(second);
    }
    QCOMPARE(RemoteClient::errorsIn(messages), QStringList());
    if (!settle.isEmpty())
        QCOMPARE(RemoteClient::errorsIn(m_client->exchange(settle)), QStringList());

    QJsonObject answer;
    for (const QJsonObject& message : m_client->exchange(RemoteClient::frame(read, { QJsonObject() }))) {
        const QString section = RemoteClient::header(message).value("Section").toString();
        if (section == read || (read == QLatin1String("GetStatus") && RemoteClient::isStatus(message)))
            answer = RemoteClient::firstData(message);
    }
    QVERIFY2(!answer.isEmpty(), "no answer");
    for (auto it = expected.constBegin(); it != expected.constEnd(); ++it)
        QVERIFY2(answer.value(it.key()) == it.value(),
            qPrintable(it.key() + QStringLiteral(": ") + QString::fromUtf8(QJsonDocument(answer).toJson())));
}

VANTOR_TEST_CLASS(TestRemoteOrder)
#include "tst_remoteorder.moc"
