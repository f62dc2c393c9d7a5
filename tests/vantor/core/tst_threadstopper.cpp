#include "core/utils.h"
#include "testsupport/testmain.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QThread>

#include <atomic>

using Vl::Tavix3::UI::Utils;

// A worker in the shape the stopper expects: quit() asks its loop to end, finished() ends its thread.
class StubbornWorker : public QObject
{
    Q_OBJECT

public:
    // Finishes on the quitsNeeded-th quit signal; 0 means never.
    explicit StubbornWorker(int quitsNeeded)
        : m_quitsNeeded(quitsNeeded)
    {
        connect(this, &StubbornWorker::quit, this, &StubbornWorker::onQuit, Qt::DirectConnection);
    }

    std::atomic<int> quitsSeen{0};

signals:
    void quit();
    void finished();

private:
    void onQuit()
    {
        if (++quitsSeen == m_quitsNeeded)
            emit finished();
    }
    int m_quitsNeeded;
};

class TestThreadStopper : public QObject
{
    Q_OBJECT

private slots:
    void stopsAtOnce();
    void resendsQuitEverySecond();
    void neverDeletesARunningThread();
    void helpers_data();
    void helpers();
};

namespace {
QThread* startWorkerThread(StubbornWorker* worker)
{
    auto* thread = new QThread;
    thread->setObjectName(QStringLiteral("stopper test thread"));
    worker->moveToThread(thread);
    QObject::connect(worker, &StubbornWorker::finished, thread, &QThread::quit, Qt::DirectConnection);
    thread->start();
    return thread;
}
} // namespace

void TestThreadStopper::stopsAtOnce()
{
    auto* worker = new StubbornWorker(1);
    QPointer<QThread> thread = startWorkerThread(worker);
    QPointer<StubbornWorker> guard = worker;
    // The stopper lets this thread's events run between its waits for the worker's thread: the
    // probe runs then (if the stopper ever waits in vain) and sees whether the quit had been sent
    // before that wait. A stopper that waited first would send it only a second later.
    QObject probe;
    int quitsAtFirstWait = -1;
    QMetaObject::invokeMethod(
        &probe, [&]() { quitsAtFirstWait = guard ? guard->quitsSeen.load() : 1; }, Qt::QueuedConnection);
    Utils::stopThread(&worker, true);
    QVERIFY2(quitsAtFirstWait != 0, "the stopper waited for the thread before it sent the quit");
    QCOMPARE(worker, nullptr);
    QVERIFY(guard.isNull());
    QVERIFY(thread.isNull());  // deleted at once after a stop signal
}

void TestThreadStopper::resendsQuitEverySecond()
{
    auto* worker = new StubbornWorker(2);  // ignores the first stop signal
    QPointer<QThread> thread = startWorkerThread(worker);
    QPointer<StubbornWorker> guard = worker;
    QElapsedTimer clock;
    clock.start();
    Utils::stopThread(&worker, true);
    QVERIFY(clock.elapsed() >= 900);
    QVERIFY(clock.elapsed() < 5000);
    QCOMPARE(worker, nullptr);
    QVERIFY(guard.isNull());
    QVERIFY(thread.isNull());
}

void TestThreadStopper::neverDeletesARunningThread()
{
    auto* worker = new StubbornWorker(0);  // never finishes by itself
    QThread* rawThread = startWorkerThread(worker);
    QPointer<QThread> thread = rawThread;
    QPointer<StubbornWorker> guard = worker;
    Utils::stopThread(&worker, false);
    QCOMPARE(worker, nullptr);  // the caller's pointer is cleared
    QVERIFY(!guard.isNull());   // but nothing that still runs was deleted
    QVERIFY(!thread.isNull());
    QVERIFY(rawThread->isRunning());
    QCOMPARE(guard->quitsSeen.load(), 9);  // re-sent after every tenth failed wait up to the 90th

    rawThread->quit();  // when the thread ends at last, both are released
    QTRY_VERIFY(guard.isNull());
    QTRY_VERIFY(thread.isNull());
}

void TestThreadStopper::helpers_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("masked");
    QTest::addColumn<QString>("plain");
    QTest::addColumn<uint>("number");
    QTest::newRow("plain") << "10.0.12.7" << "010.000.012.007" << "10.0.12.7" << 0x0A000C07u;
    QTest::newRow("masked") << "010.000.012.007" << "010.000.012.007" << "10.0.12.7" << 0x0A000C07u;
    QTest::newRow("three parts") << "10.0.0" << "" << "0.0.0.0" << 0u;
    QTest::newRow("empty") << "" << "" << "0.0.0.0" << 0u;
}

void TestThreadStopper::helpers()
{
    QFETCH(QString, address);
    QTEST(Utils::maskConvertFromIPAddress(address), "masked");
    QTEST(Utils::ipAddressConvertFromMask(address), "plain");
    QTEST(Utils::ipAddressToUInt(address), "number");
    QCOMPARE(Utils::round(1.25, 1), 1.3);
    QCOMPARE(Utils::round(-1.25, 1), -1.3);
    QCOMPARE(Utils::round(2.345, 2), 2.35);
}

VANTOR_TEST_CLASS(TestThreadStopper)
#include "tst_threadstopper.moc"
