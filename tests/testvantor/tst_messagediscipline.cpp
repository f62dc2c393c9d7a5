#include "clientfixture.h"
#include "testsupport/testmain.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>

namespace {

QJsonArray answer(const char* key, const QJsonValue& value) { return QJsonArray { QJsonObject { { key, value } } }; }

QByteArray versionFrame(const QString& version)
{
    return FakeServer::frame(
        QStringLiteral("Sema"), QStringLiteral("GetVersionNumber"), answer("VersionNumber", version));
}

} // namespace

// The message discipline of TestVantor: its envelope, one request on the wire at a time until its
// acknowledgement, the 3 s acknowledgement time-out (driven here with a short one), and the frame
// cutter on the receiving side, against a scripted server.
class TestMessageDiscipline : public QObject
{
    Q_OBJECT

private slots:
    void envelopeWriter();
    void envelopeParser_data();
    void envelopeParser();

    void oneRequestAtATime();
    void replyTimeoutDiscardsTheQueue();
    void lateAcknowledgementAfterTimeout();
    void sendWithoutConnectionIsDropped();
    void sendTextOvertakesWaitingRequests();

    void frameSplitOverArrivals();
    void twoFramesInOneArrival();
    void emptyAndBrokenFrames();
    void burstOfTinyFrames();
    void acknowledgementWithEmptyData();
    void errorReplies();

    void bytesOutsideFramesDoNotAccumulate();
    void oversizedFrameIsDropped();
    void largeAnswerIsRead();
    void repeatedKeysAreRefused();
    void closedConnectionReleasesWaitingRequests();
    void handlerThatRunsTheEventLoop();
};

void TestMessageDiscipline::envelopeWriter()
{
    const QString text = Backend::createJsonData(
        QStringLiteral("Sema"), QStringLiteral("Status"), QString(), QJsonArray { QJsonObject() }, false);
    QVERIFY2(text.startsWith(QStringLiteral("{\"Data\":[{}],\"Header\":{\"ID\":\"")), qPrintable(text));
    QVERIFY(text.endsWith(QStringLiteral("\",\"Section\":\"Status\",\"Type\":\"Sema\"}}")));
    const QString id
        = QJsonDocument::fromJson(text.toUtf8()).object().value("Header").toObject().value("ID").toString();
    QCOMPARE(id.size(), 36);
    QVERIFY(!id.contains(QLatin1Char('{')));

    const QString framed = Backend::createJsonData(
        QStringLiteral("SemaACK"), QString::fromLatin1(""), QStringLiteral("abc"), QJsonArray(), true);
    QCOMPARE(framed,
        QStringLiteral("\x09{\"Data\":[],\"Header\":{\"ID\":\"abc\",\"Section\":\"\",\"Type\":\"SemaACK\"}}\x02"));

    // Requests are always of type "Sema" with one data object.
    const QString request = Backend::convertToJSonString(QStringLiteral("GetStatus"), QJsonObject(), false);
    const QJsonObject root = QJsonDocument::fromJson(request.toUtf8()).object();
    QCOMPARE(root.value("Header").toObject().value("Type").toString(), QStringLiteral("Sema"));
    QCOMPARE(root.value("Header").toObject().value("Section").toString(), QStringLiteral("GetStatus"));
    QCOMPARE(root.value("Data").toArray(), QJsonArray { QJsonObject() });
}

void TestMessageDiscipline::envelopeParser_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("section");
    QTest::addColumn<int>("dataCount");
    QTest::newRow("type only") << QByteArray(R"({"Header":{"Type":"Sema"},"Data":[]})") << true << "Sema"
                               << "" << 0;
    QTest::newRow("full") << QByteArray(R"({"Header":{"Type":"GPS","Section":"Calibration","ID":"x"},"Data":[{},{}]})")
                          << true << "GPS"
                          << "Calibration" << 2;
    QTest::newRow("numeric type") << QByteArray(R"({"Header":{"Type":5},"Data":[]})") << true << ""
                                  << "" << 0;
    QTest::newRow("null type") << QByteArray(R"({"Header":{"Type":null},"Data":[]})") << false << ""
                               << "" << 0;
    QTest::newRow("empty header keeps data") << QByteArray(R"({"Header":{},"Data":[1]})") << false << ""
                                             << "" << 1;
    QTest::newRow("no data") << QByteArray(R"({"Header":{"Type":"Sema"}})") << false << ""
                             << "" << 0;
    QTest::newRow("array document") << QByteArray("[1,2]") << false << ""
                                    << "" << 0;
    QTest::newRow("empty") << QByteArray() << false << ""
                           << "" << 0;
    QTest::newRow("not JSON") << QByteArray("hello") << false << ""
                              << "" << 0;
    QTest::newRow("leading tab") << QByteArray("\t{\"Header\":{\"Type\":\"SemaACK\"},\"Data\":[]}") << true << "SemaACK"
                                 << "" << 0;
}

void TestMessageDiscipline::envelopeParser()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, ok);
    QFETCH(QString, type);
    QFETCH(QString, section);
    QFETCH(int, dataCount);
    QString outType;
    QString outSection;
    QString outId;
    QJsonArray data;
    QCOMPARE(Backend::parseJsonData(bytes, outType, outSection, outId, data), ok);
    QCOMPARE(outType, type);
    QCOMPARE(outSection, section);
    QCOMPARE(data.size(), dataCount);
}

void TestMessageDiscipline::oneRequestAtATime()
{
    ClientFixture client;
    QVERIFY(client.connect());
    client.backend.getStatus();
    client.backend.getSettings();
    QVERIFY(client.server.waitForRequests(1));
    QTest::qWait(50);
    QCOMPARE(client.server.requests().size(), 1);
    const FakeServer::Request first = client.server.requests().at(0);
    QCOMPARE(first.section, QStringLiteral("GetStatus"));
    QCOMPARE(client.backend.currentRequestId(), first.id);
    QCOMPARE(client.backend.requestQueue().size(), 2);

    // An acknowledgement of another request changes nothing.
    client.server.acknowledge(QStringLiteral("00000000-0000-0000-0000-000000000000"));
    QTest::qWait(50);
    QCOMPARE(client.server.requests().size(), 1);

    client.server.acknowledge(first.id);
    QVERIFY(client.server.waitForRequests(2));
    const FakeServer::Request second = client.server.requests().at(1);
    QCOMPARE(second.section, QStringLiteral("GetSettings"));
    QCOMPARE(client.backend.currentRequestId(), second.id);
    QCOMPARE(client.backend.requestQueue().size(), 1);

    client.server.acknowledge(second.id);
    QVERIFY(QTest::qWaitFor([&] { return client.backend.requestQueue().isEmpty(); }, 20000));
}

void TestMessageDiscipline::replyTimeoutDiscardsTheQueue()
{
    ClientFixture client;
    QVERIFY(client.connect());
    client.backend.setReplyTimeout(100);
    QSignalSpy errors(&client.backend, &Backend::someError);
    client.backend.getStatus();
    client.backend.getSettings();
    client.backend.getVersionNumber();
    QVERIFY(errors.wait(20000));
    QTest::qWait(150);
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("Error sending request"));
    QVERIFY(client.backend.requestQueue().isEmpty());
    QCOMPARE(client.server.requests().size(), 1);

    // The requests are not resent; the next one goes out at once.
    client.backend.getRepetitionTimes();
    QVERIFY(client.server.waitForRequests(2));
    QCOMPARE(client.server.requests().at(1).section, QStringLiteral("GetRepetitionTimes"));
}

void TestMessageDiscipline::lateAcknowledgementAfterTimeout()
{
    ClientFixture client;
    QVERIFY(client.connect());
    client.backend.setReplyTimeout(80);
    QSignalSpy errors(&client.backend, &Backend::someError);
    client.backend.getStatus();
    QVERIFY(errors.wait(20000));
    client.server.acknowledge(client.server.requests().at(0).id);
    QTest::qWait(100);
    QCOMPARE(errors.count(), 1);
    QVERIFY(client.backend.requestQueue().isEmpty());
}

void TestMessageDiscipline::sendWithoutConnectionIsDropped()
{
    Backend backend;
    QSignalSpy errors(&backend, &Backend::someError);
    backend.getStatus();
    backend.sendText(QStringLiteral("ABC"));
    QVERIFY(backend.requestQueue().isEmpty());
    QCOMPARE(errors.count(), 0);
}

void TestMessageDiscipline::sendTextOvertakesWaitingRequests()
{
    ClientFixture client;
    QVERIFY(client.connect());
    client.backend.getStatus();
    client.backend.getSettings();
    client.backend.sendText(QStringLiteral("12:00"));
    QVERIFY(client.server.waitForRequests(2));
    QCOMPARE(client.server.requests().at(1).section, QStringLiteral("DisplayboardOutput"));
    QCOMPARE(client.server.requests().at(1).data, (QJsonArray { QJsonObject { { "Text", "12:00" } } }));
    // The text is not queued: the waiting request is still the first.
    QCOMPARE(client.backend.requestQueue().size(), 2);
    client.server.acknowledge(client.server.requests().at(0).id);
    QVERIFY(client.server.waitForRequests(3));
    QCOMPARE(client.server.requests().at(2).section, QStringLiteral("GetSettings"));
}

void TestMessageDiscipline::frameSplitOverArrivals()
{
    ClientFixture client;
    QVERIFY(client.connect());
    QSignalSpy versions(&client.backend, &Backend::versionNumber);
    const QByteArray frame = versionFrame(QStringLiteral("1.2.34"));
    client.server.send("noise" + frame.left(10));
    QVERIFY(QTest::qWaitFor([&] { return client.backend.receiveBuffer().size() == 10; }, 20000));
    // The bytes before the TAB are gone as soon as the TAB has been seen.
    QVERIFY(client.backend.receiveBuffer().startsWith('\x09'));
    QCOMPARE(versions.count(), 0);
    client.server.send(frame.mid(10));
    QVERIFY(versions.wait());
    QCOMPARE(versions.count(), 1);
    QCOMPARE(versions.at(0).at(0).toString(), QStringLiteral("1.2.34"));
    QVERIFY(client.backend.receiveBuffer().isEmpty());
}

void TestMessageDiscipline::twoFramesInOneArrival()
{
    ClientFixture client;
    QVERIFY(client.connect());
    QSignalSpy versions(&client.backend, &Backend::versionNumber);
    client.server.send(versionFrame(QStringLiteral("A")) + versionFrame(QStringLiteral("B")));
    QVERIFY(QTest::qWaitFor([&] { return versions.count() == 2; }, 20000));
    QCOMPARE(versions.at(0).at(0).toString(), QStringLiteral("A"));
    QCOMPARE(versions.at(1).at(0).toString(), QStringLiteral("B"));
}

void TestMessageDiscipline::emptyAndBrokenFrames()
{
    Backend backend;
    QSignalSpy versions(&backend, &Backend::versionNumber);
    QSignalSpy errors(&backend, &Backend::someError);
    backend.receivedSomething(QByteArray("\x09\x02"));
    QVERIFY(backend.receiveBuffer().isEmpty());
    backend.receivedSomething(QByteArray("\x09{not json}\x02"));
    QVERIFY(backend.receiveBuffer().isEmpty());
    // A second TAB does not restart the frame: everything up to the STX is one text, which is not JSON.
    backend.receivedSomething("\x09garbage" + versionFrame(QStringLiteral("X")));
    QCOMPARE(versions.count(), 0);
    QVERIFY(backend.receiveBuffer().isEmpty());
    backend.receivedSomething(versionFrame(QStringLiteral("Y")));
    QCOMPARE(versions.count(), 1);
    QCOMPARE(errors.count(), 0);
}

void TestMessageDiscipline::burstOfTinyFrames()
{
    // A broken peer's burst of 4 MiB of empty frames is cut in one pass: the window must not freeze
    // on it. Cutting each frame off the front of the buffer moves the rest of the buffer for every
    // frame: two million times here, about a minute's work, while one pass takes a small part of a
    // second. The bound lies far from both, so that neither a loaded machine nor a fast one blurs them.
    Backend backend;
    QSignalSpy versions(&backend, &Backend::versionNumber);
    const QByteArray empty = "\x09\x02";
    QByteArray burst;
    while (burst.size() < 4 * 1024 * 1024)
        burst += empty;
    const QByteArray last = versionFrame(QStringLiteral("after the burst"));
    QElapsedTimer clock;
    clock.start();
    backend.receivedSomething(burst + last + last.left(7));
    const qint64 elapsed = clock.elapsed();
    QCOMPARE(versions.count(), 1);
    QCOMPARE(versions.at(0).at(0).toString(), QStringLiteral("after the burst"));
    QCOMPARE(backend.receiveBuffer(), last.left(7));
    QVERIFY2(elapsed < 20000, qPrintable(QStringLiteral("%1 ms").arg(elapsed)));
}

void TestMessageDiscipline::acknowledgementWithEmptyData()
{
    ClientFixture client;
    QVERIFY(client.connect());
    QSignalSpy versions(&client.backend, &Backend::versionNumber);
    QSignalSpy errors(&client.backend, &Backend::someError);
    client.backend.getVersionNumber();
    QVERIFY(client.server.waitForRequests(1));
    client.server.acknowledge(client.server.requests().at(0).id);
    // An answer whose Data is empty is ignored.
    client.server.send(FakeServer::frame(QStringLiteral("Sema"), QStringLiteral("GetVersionNumber"), QJsonArray()));
    QVERIFY(QTest::qWaitFor([&] { return client.backend.requestQueue().isEmpty(); }, 20000));
    QTest::qWait(50);
    QCOMPARE(versions.count(), 0);
    QCOMPARE(errors.count(), 0);
}

void TestMessageDiscipline::errorReplies()
{
    ClientFixture client;
    QVERIFY(client.connect());
    QSignalSpy errors(&client.backend, &Backend::someError);
    client.backend.getStatus();
    QVERIFY(client.server.waitForRequests(1));
    client.server.send(FakeServer::frame(QStringLiteral("SemaError"), QStringLiteral("SetSema"),
        QJsonArray { QJsonObject { { "Error", "Error color" }, { "ErrorIndex", 5 } } }));
    QVERIFY(errors.wait());
    QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("Error color"));
    // Without "Error" nothing is reported; neither reply touches the queue.
    client.server.send(FakeServer::frame(
        QStringLiteral("SemaError"), QStringLiteral("SetSema"), QJsonArray { QJsonObject { { "ErrorIndex", 5 } } }));
    QTest::qWait(100);
    QCOMPARE(errors.count(), 1);
    QCOMPARE(client.backend.requestQueue().size(), 1);
}

void TestMessageDiscipline::bytesOutsideFramesDoNotAccumulate()
{
    Backend backend;
    QSignalSpy versions(&backend, &Backend::versionNumber);
    const QByteArray noise(64 * 1024, 'n');
    for (int i = 0; i < 16; ++i)
        backend.receivedSomething(noise);
    QVERIFY(backend.receiveBuffer().isEmpty());
    backend.receivedSomething(versionFrame(QStringLiteral("1")) + "trailing");
    QCOMPARE(versions.count(), 1);
    QVERIFY(backend.receiveBuffer().isEmpty());
}

void TestMessageDiscipline::oversizedFrameIsDropped()
{
    Backend backend;
    QSignalSpy versions(&backend, &Backend::versionNumber);
    QSignalSpy errors(&backend, &Backend::someError);
    backend.receivedSomething(QByteArray("\x09"));
    const QByteArray chunk(1024 * 1024, 'a');
    for (int i = 0; i < Backend::kMaxFrameBytes / chunk.size() + 1; ++i) {
        backend.receivedSomething(chunk);
        QVERIFY(backend.receiveBuffer().size() <= Backend::kMaxFrameBytes + chunk.size());
    }
    QVERIFY(backend.receiveBuffer().size() < chunk.size());
    // The window's log says what was dropped, once.
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.at(0).at(0).toString(),
        QStringLiteral("Received message dropped: more than %1 MiB without its end").arg(Backend::kMaxFrameBytes >> 20));
    // The rest of the dropped frame, up to its STX, is ignored; the next frame is read.
    backend.receivedSomething("tail\x02" + versionFrame(QStringLiteral("after")));
    QCOMPARE(versions.count(), 1);
    QCOMPARE(versions.at(0).at(0).toString(), QStringLiteral("after"));
    QCOMPARE(errors.count(), 1);
}

void TestMessageDiscipline::largeAnswerIsRead()
{
    // The list of stored sequences as Vantor sends it for eighteen sequences of about 1.2 MB: an
    // answer of over 20 MiB, arriving in the pieces a socket delivers while it streams in.
    Backend backend;
    QSignalSpy sequences(&backend, &Backend::sequencesResultsDone);
    QSignalSpy errors(&backend, &Backend::someError);
    QJsonArray intervals;
    for (int i = 0; i < 20000; ++i) {
        intervals.append(QJsonObject {
            { "Time", -1000000 + i }, { "Color", 1 + i % 3 }, { "Sound", 1 }, { "IsFalseStartWindow", false } });
    }
    QJsonArray stored;
    for (int i = 0; i < 18; ++i) {
        const QJsonObject sequence { { "SequenceId", QStringLiteral("L-%1").arg(i) },
            { "SequenceName", QStringLiteral("Large %1").arg(i) }, { "Sequence", intervals } };
        stored.append(QString::fromUtf8(QJsonDocument(sequence).toJson(QJsonDocument::Compact)));
    }
    const QByteArray answer = FakeServer::frame(
        QStringLiteral("Sema"), QStringLiteral("GetAllSequences"), QJsonArray { QJsonObject { { "Sequences", stored } } });
    QVERIFY(answer.size() > 20 * 1024 * 1024);
    constexpr int kPiece = 64 * 1024;
    for (int offset = 0; offset < answer.size(); offset += kPiece)
        backend.receivedSomething(answer.mid(offset, kPiece));
    QVERIFY2(errors.isEmpty(), qPrintable(errors.value(0).value(0).toString()));
    QCOMPARE(sequences.count(), 1);
    const QVariantList list = sequences.at(0).at(0).toList();
    QCOMPARE(list.size(), 18);
    QCOMPARE(list.at(17).toMap().value("SequenceId").toString(), QStringLiteral("L-17"));
    QVERIFY(backend.receiveBuffer().isEmpty());
}

void TestMessageDiscipline::repeatedKeysAreRefused()
{
    Backend backend;
    QSignalSpy versions(&backend, &Backend::versionNumber);
    backend.receivedSomething(QByteArray(
        R"({"Data":[{"VersionNumber":"1","VersionNumber":"2"}],"Header":{"Type":"Sema","Section":"GetVersionNumber"}})")
                                  .prepend('\x09')
                                  .append('\x02'));
    QCOMPARE(versions.count(), 0);
    QVERIFY(backend.receiveBuffer().isEmpty());
}

void TestMessageDiscipline::closedConnectionReleasesWaitingRequests()
{
    ClientFixture client;
    QVERIFY(client.connect());
    QSignalSpy errors(&client.backend, &Backend::someError);
    client.backend.getStatus();
    client.backend.getSettings();
    QVERIFY(client.server.waitForRequests(1));
    QSignalSpy status(&client.backend, &Backend::statusChanged);
    client.backend.disconnectClicked();
    QVERIFY(QTest::qWaitFor([&] { return !status.isEmpty(); }, 20000));
    QVERIFY(client.backend.requestQueue().isEmpty());
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("Error sending request"));

    // At once on the next connection, not behind a request of the old one.
    QSignalSpy reconnected(&client.backend, &Backend::statusChanged);
    client.backend.connectClicked();
    QVERIFY(reconnected.wait());
    QVERIFY(client.server.waitForClient());
    client.backend.getVersionNumber();
    QVERIFY(client.server.waitForRequests(2));
    QCOMPARE(client.server.requests().at(1).section, QStringLiteral("GetVersionNumber"));
    QCOMPARE(errors.count(), 1);
}

void TestMessageDiscipline::handlerThatRunsTheEventLoop()
{
    ClientFixture client;
    QVERIFY(client.connect());
    QStringList seen;
    bool nested = false;
    connect(&client.backend, &Backend::versionNumber, this, [&](const QString& version) { seen << version; });
    connect(&client.backend, &Backend::someError, this, [&](const QString& error) {
        seen << error;
        if (nested)
            return;
        nested = true;
        // More bytes arrive while this handler lets the event loop run.
        client.server.send(versionFrame(QStringLiteral("3")));
        QTest::qWait(100);
    });
    client.server.send(FakeServer::frame(QStringLiteral("SemaError"), QStringLiteral("X"),
                           QJsonArray { QJsonObject { { "Error", "E" } } })
        + versionFrame(QStringLiteral("2")));
    QVERIFY2(QTest::qWaitFor([&] { return seen.size() == 3; }, 20000), qPrintable(seen.join(",")));
    QCOMPARE(seen, (QStringList { "E", "2", "3" }));
}

VANTOR_TEST_CLASS(TestMessageDiscipline)
#include "tst_messagediscipline.moc"
