#include "client/backend.h"
#include "testsupport/testmain.h"
#include "vantorprocess.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <memory>

// TestVantor's Backend against the real Vantor on its command port: the connection with the default
// address, queued requests answered in turn, answers and error replies turned into signals.
class TestTestVantorEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void connectsWithTheDefaultAddress();
    void queuedRequestsAreAllAnswered();
    void settingsRoundTrip();
    void statusAndRepetitionTimes();
    void storedSequenceIsListed();
    void listOfLargeSequencesIsRead();
    void errorRepliesReachSomeError();
    void networkSelectionIsAccepted();
    void disconnect();

private:
    std::unique_ptr<VantorProcess> m_vantor;
    std::unique_ptr<Backend> m_backend;
};

void TestTestVantorEndToEnd::initTestCase()
{
    m_vantor = std::make_unique<VantorProcess>();
    QVERIFY2(m_vantor->start(), qPrintable(m_vantor->output()));
    m_backend = std::make_unique<Backend>();
}

void TestTestVantorEndToEnd::cleanupTestCase()
{
    m_backend.reset();
    m_vantor.reset();
}

void TestTestVantorEndToEnd::connectsWithTheDefaultAddress()
{
    QCOMPARE(m_backend->ipAddress(), QStringLiteral("127.000.000.001"));
    // The command port opens shortly after start-up; a refused attempt is closed and made again, as
    // the window's user would.
    QStringList refusals;
    QElapsedTimer clock;
    clock.start();
    while (!m_backend->currentStatus() && clock.elapsed() < 20000) {
        QSignalSpy errors(m_backend.get(), &Backend::someError);
        m_backend->connectClicked();
        const bool answered = QTest::qWaitFor([&] { return m_backend->currentStatus() || !errors.isEmpty(); }, 5000);
        if (answered && !m_backend->currentStatus()) {
            for (const QList<QVariant>& error : errors)
                refusals << error.at(0).toString();
            m_backend->disconnectClicked();
            QTest::qWait(100);
        }
    }
    QVERIFY2(m_backend->currentStatus(), qPrintable(refusals.join(", ")));
}

void TestTestVantorEndToEnd::queuedRequestsAreAllAnswered()
{
    QSignalSpy version(m_backend.get(), &Backend::versionNumber);
    QSignalSpy gpsMode(m_backend.get(), &Backend::gpsSyncMode);
    QSignalSpy wifi(m_backend.get(), &Backend::wifiEnabled);
    QSignalSpy errors(m_backend.get(), &Backend::someError);
    m_backend->getVersionNumber();
    m_backend->getGPSSyncMode();
    m_backend->getWifiEnabled();
    m_backend->getSerialNumber();
    QVERIFY(QTest::qWaitFor([&] { return wifi.count() == 1 && m_backend->requestQueue().isEmpty(); }, 10000));
    QCOMPARE(version.count(), 1);
    QCOMPARE(version.at(0).at(0).toString(), QStringLiteral("1.2.34"));
    QCOMPARE(gpsMode.count(), 1);
    QCOMPARE(errors.count(), 0);
}

void TestTestVantorEndToEnd::settingsRoundTrip()
{
    QSignalSpy settings1(m_backend.get(), &Backend::settings1Received);
    QSignalSpy settings2(m_backend.get(), &Backend::settings2Received);
    QSignalSpy settings3(m_backend.get(), &Backend::settings3Received);
    QSignalSpy errors(m_backend.get(), &Backend::someError);
    // English stays: the error texts of a later test are compared in English.
    m_backend->setSettings(0, 1, 0, 3, false, true, false, true, false, 1, true, false, 4, 30, 0, 5, 1, 60, 4);
    m_backend->getSettings();
    QVERIFY(QTest::qWaitFor([&] { return settings3.count() >= 1; }, 10000));
    const QList<QVariant> first = settings1.last();
    QCOMPARE(first.at(0).toInt(), 0); // language
    QCOMPARE(first.at(1).toInt(), 1); // date format
    QCOMPARE(first.at(3).toInt(), 3); // visualisation mode
    QCOMPARE(first.at(5).toBool(), true); // tap handler
    QCOMPARE(first.at(7).toBool(), true); // false-start check
    const QList<QVariant> second = settings2.last();
    QCOMPARE(second.at(1).toInt(), 1); // off mode
    QCOMPARE(second.at(2).toBool(), true); // skip out of window
    QCOMPARE(second.at(4).toInt(), 4); // delay false start
    const QList<QVariant> third = settings3.last();
    QCOMPARE(third.at(0).toInt(), 30); // volume
    QCOMPARE(third.at(5).toInt(), 4); // time colour
    QCOMPARE(errors.count(), 0);
}

void TestTestVantorEndToEnd::statusAndRepetitionTimes()
{
    QSignalSpy status1(m_backend.get(), &Backend::semaStatus1);
    QSignalSpy times(m_backend.get(), &Backend::repetitionTimesReceived);
    m_backend->getStatus();
    QVERIFY(status1.wait(10000));
    QCOMPARE(status1.last().at(2).toString(), QStringLiteral("Stopped"));

    m_backend->setRepetitionTimes(QStringLiteral("00:01:30"), QString(), QString(), QStringLiteral("1"));
    m_backend->getRepetitionTimes();
    QVERIFY(times.wait(10000));
    QCOMPARE(times.last().at(0).toString(), QStringLiteral("00:01:30"));
    QCOMPARE(times.last().at(3).toString(), QStringLiteral("1"));
}

void TestTestVantorEndToEnd::storedSequenceIsListed()
{
    QSignalSpy sequences(m_backend.get(), &Backend::sequencesResultsDone);
    QSignalSpy errors(m_backend.get(), &Backend::someError);
    m_backend->setTestSequence(QStringLiteral("TV-1"), QStringLiteral("From TestVantor"));
    m_backend->getAllSequences();
    QVERIFY(sequences.wait(10000));
    bool listed = false;
    for (const QVariant& entry : sequences.last().at(0).toList()) {
        const QVariantMap map = entry.toMap();
        listed = listed
            || (map.value("SequenceId").toString() == "TV-1"
                && map.value("SequenceName").toString() == "From TestVantor");
    }
    QVERIFY(listed);
    QCOMPARE(errors.count(), 0);
}

void TestTestVantorEndToEnd::listOfLargeSequencesIsRead()
{
    // Eighteen sequences just under the command port's 1 MiB each: the list of stored sequences
    // comes back as one answer of more than 16 MiB.
    QList<Backend::SemaInterval> intervals;
    for (int i = 0; i < 14500; ++i) {
        Backend::SemaInterval interval;
        interval.time = -1000000 + i;
        interval.color = 1 + i % 3;
        interval.sound = 1;
        intervals << interval;
    }
    constexpr int kSequences = 18;
    QSignalSpy errors(m_backend.get(), &Backend::someError);
    for (int i = 0; i < kSequences; ++i)
        m_backend->setSequence(QStringLiteral("LARGE-%1").arg(i), QStringLiteral("Large %1").arg(i), intervals);
    QVERIFY(QTest::qWaitFor([&] { return m_backend->requestQueue().isEmpty(); }, 60000));
    QCOMPARE(errors.count(), 0);

    QSignalSpy sequences(m_backend.get(), &Backend::sequencesResultsDone);
    m_backend->getAllSequences();
    QVERIFY2(QTest::qWaitFor([&] { return !sequences.isEmpty() || !errors.isEmpty(); }, 60000),
        "no answer to GetAllSequences");
    QVERIFY2(errors.isEmpty(), qPrintable(errors.value(0).value(0).toString()));
    int large = 0;
    for (const QVariant& entry : sequences.last().at(0).toList())
        large += entry.toMap().value("SequenceId").toString().startsWith(QLatin1String("LARGE-")) ? 1 : 0;
    QCOMPARE(large, kSequences);
    for (int i = 0; i < kSequences; ++i)
        m_backend->deleteSequenceById(QStringLiteral("LARGE-%1").arg(i));
    QVERIFY(QTest::qWaitFor([&] { return m_backend->requestQueue().isEmpty(); }, 60000));
}

void TestTestVantorEndToEnd::errorRepliesReachSomeError()
{
    QSignalSpy errors(m_backend.get(), &Backend::someError);
    m_backend->setSema(8, 0, QStringLiteral("X"), QString(), QString());
    QVERIFY(errors.wait(10000));
    QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("Error color"));
    QVERIFY(m_backend->currentStatus());
}

void TestTestVantorEndToEnd::networkSelectionIsAccepted()
{
    QSignalSpy errors(m_backend.get(), &Backend::someError);
    QSignalSpy version(m_backend.get(), &Backend::versionNumber);
    m_backend->setNetwork(QStringLiteral("Field"), QStringLiteral("pw"));
    // Vantor answers in order: an error reply to the network request would come before the version.
    m_backend->getVersionNumber();
    QVERIFY(version.wait(10000));
    QCOMPARE(errors.count(), 0);
    QVERIFY(m_backend->requestQueue().isEmpty());
}

void TestTestVantorEndToEnd::disconnect()
{
    QSignalSpy status(m_backend.get(), &Backend::statusChanged);
    m_backend->disconnectClicked();
    QVERIFY(QTest::qWaitFor([&] { return status.count() == 1; }, 5000));
    QCOMPARE(status.at(0).at(0).toBool(), false);
    QVERIFY(m_vantor->isRunning());
}

VANTOR_TEST_CLASS(TestTestVantorEndToEnd)
#include "tst_testvantor_e2e.moc"
