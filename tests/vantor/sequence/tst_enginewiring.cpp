#include "app/application.h"
#include "sequence/displayboard.h"
#include "sequence/sema.h"
#include "testsupport/applicationfixture.h"
#include "testsupport/testmain.h"
#include "time/datetime.h"
#include "time/realtimescheduling.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QThreadPool>

#include <atomic>
#include <pthread.h>
#include <sched.h>
#include <thread>

using namespace Vl::Tavix3::UI;

namespace {

constexpr qint64 kSecond = 50000;
constexpr qint64 kNoon = 12 * 3600 * kSecond;

// Arms ALPINE SKI in AUTO with its start moment at noon today, every minute; returns today.
qint64 armNoonRun(Sema& sema)
{
    sema.setSequenceType(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI);
    sema.setSequenceMode(SemaEnum::SEQUENCE_MODE_AUTO);
    const qint64 day = DateTime::getDate();
    sema.setStartDate(QVariant(qlonglong(day)));
    sema.setStartTime(QVariant(qlonglong(kNoon)));
    sema.setRepetitionTime(QVariant(qlonglong(60 * kSecond)));
    sema.setSequenceStatus(true);
    return day;
}

// Outlets that start no thread: tones go nowhere, start events are not logged, and the start-event
// jobs run at once on the caller's thread.
class QuietOutlets : public SemaToneOutput, public SemaEventsLog, public SemaJobRunner
{
public:
    void playTone(uint, uint) override { }
    void writeEventRecord(const EntityPtr<Event>&) override { }
    void run(std::function<void()> job) override { job(); }
};

// The process-wide thread pool with one thread that never expires, as it was once the test is over.
class OneThreadPool
{
public:
    OneThreadPool()
        : m_maxThreads(pool()->maxThreadCount())
        , m_expiry(pool()->expiryTimeout())
    {
        pool()->setMaxThreadCount(1);
        pool()->setExpiryTimeout(-1);
    }
    ~OneThreadPool()
    {
        pool()->waitForDone();
        pool()->setMaxThreadCount(m_maxThreads);
        pool()->setExpiryTimeout(m_expiry);
    }
    static QThreadPool* pool() { return QThreadPool::globalInstance(); }

private:
    int m_maxThreads;
    int m_expiry;
};

} // namespace

// The engine on the application object's real outlets.
class TestEngineWiring : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void messageBoxIsQueued();
    void heldStartsReachTheEventsLogAtShutDown();
    void poolThreadsStartedByTheTickRunAtNormalPriority_data();
    void poolThreadsStartedByTheTickRunAtNormalPriority();

private:
    std::atomic<qint64> m_now { 0 };
};

void TestEngineWiring::init()
{
    m_now = DateTime::dateToTicks(DateParts { 10, 3, 2026 }) + kNoon - 20 * kSecond;
    DateTime::setClock([this] { return m_now.load(); });
}

void TestEngineWiring::cleanup() { DateTime::resetClock(); }

// The box waits in a nested event loop: it must never open inside the caller, which may hold
// the engine's lock.
void TestEngineWiring::messageBoxIsQueued()
{
    TestSupport::ApplicationFixture application;
    QSignalSpy box(application.get(), &Application::showMessageBox);
    Sema& sema = *application->sema();
    sema.setSequenceType(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI);
    sema.lock();
    sema.displayRepetitionTimeIsNotValid();
    QCOMPARE(box.count(), 0);
    sema.unlock();
    QTRY_COMPARE(box.count(), 1);
    QVERIFY(box.first().first().toString().startsWith(QStringLiteral("Repetition time is not valid")));
    QCOMPARE(box.first().at(1).toInt(), 2000);
}

void TestEngineWiring::heldStartsReachTheEventsLogAtShutDown()
{
    TestSupport::ApplicationFixture application;
    // Fixtures made within one second share a log file name: start from an empty log.
    application->eventsLog().removeAll();
    Sema& sema = *application->sema();
    sema.setDisplayboard(application->displayboard());
    const qint64 day = armNoonRun(sema);
    QVERIFY(sema.sequenceStatus());
    while (m_now < day + kNoon + 2 * kSecond) {
        m_now += 5000;
        sema.sequenceTick(0);
    }
    QVERIFY(QThreadPool::globalInstance()->waitForDone(5000));
    auto start = EntityPtr<Event>::create();
    start->ticks = day + kNoon + 15000;
    start->physicalChannel = 1;
    emit application->eventReceived(QVariant::fromValue(start), true);

    application->aboutToQuit();
    application->eventsLog().waitForWritten();
    QFile file(application->eventsLog().fileName());
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    // The header, then the generated start and the real one, in time order.
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines.at(1).contains(QStringLiteral(";9;")));
    QVERIFY(lines.at(2).contains(QStringLiteral(";1;")));
}

void TestEngineWiring::poolThreadsStartedByTheTickRunAtNormalPriority_data()
{
    QTest::addColumn<bool>("eventsLog");
    QTest::newRow("start-event job") << false;
    QTest::newRow("events log append") << true;
}

// The tick runs under real-time scheduling where it may; a pool thread it starts must not inherit
// that scheduling, or every later job of the pool (log writes, tones, Qt's own) runs real-time too.
void TestEngineWiring::poolThreadsStartedByTheTickRunAtNormalPriority()
{
    QFETCH(bool, eventsLog);

    TestSupport::ApplicationFixture application;
    application->eventsLog().removeAll();
    Sema& sema = *application->sema();
    // Only the outlet under test reaches the pool.
    const auto quiet = std::make_shared<QuietOutlets>();
    SemaPorts ports;
    ports.tones = quiet;
    if (eventsLog)
        ports.jobs = quiet;
    else
        ports.eventsLog = quiet;
    sema.setPorts(ports);
    const qint64 day = armNoonRun(sema);

    // The pool's threads end here, so that the first job started by a tick starts its one thread.
    QVERIFY(QThreadPool::globalInstance()->waitForDone(5000));
    const OneThreadPool onePool;
    bool realtime = false;
    // Through the run's first interval (a start-event job) and the end of its table (the events log).
    std::thread scheduler([&] {
        realtime = RealtimeScheduling::applyToCurrentThread(RealtimeScheduling::kWorkerPriority);
        while (m_now < day + kNoon + 11 * kSecond) {
            m_now += 5000;
            sema.sequenceTick(0);
        }
    });
    scheduler.join();
    if (!realtime)
        QSKIP("real-time scheduling is not permitted here");
    if (eventsLog) {
        // The generated start went to the log at the end of the table.
        application->eventsLog().waitForWritten();
        QFile file(application->eventsLog().fileName());
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        QVERIFY(file.readAll().contains(";9;"));
    }

    std::atomic<int> policy { -1 };
    OneThreadPool::pool()->start([&policy] {
        int current = -1;
        sched_param parameters {};
        pthread_getschedparam(pthread_self(), &current, &parameters);
        policy = current;
    });
    QVERIFY(OneThreadPool::pool()->waitForDone(5000));
    QCOMPARE(policy.load(), SCHED_OTHER);
}

VANTOR_TEST_CLASS(TestEngineWiring)
#include "tst_enginewiring.moc"
