#include "app/application.h"
#include "core/sharedapplication.h"
#include "core/utils.h"
#include "testsupport/applicationfixture.h"
#include "testsupport/testmain.h"
#include "time/cyclichandler.h"
#include "time/cyclictask.h"
#include "time/datetime.h"
#include "time/realtimescheduling.h"

#include <QMutex>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <atomic>
#include <memory>
#include <pthread.h>
#include <sched.h>
#include <stdexcept>
#include <thread>
#include <vector>

using namespace Vl::Tavix3::UI;

namespace {
constexpr qint64 kMs = 50;
constexpr int kWait = 5000; // upper bound for a thread to react, never reached when all is well

// Collects the error lines logged from any thread while it exists.
class ErrorLines
{
public:
    ErrorLines() { s_previous = qInstallMessageHandler(&ErrorLines::handle); }
    ~ErrorLines() { qInstallMessageHandler(s_previous); }
    ErrorLines(const ErrorLines&) = delete;
    ErrorLines& operator=(const ErrorLines&) = delete;

    QStringList lines() const
    {
        QMutexLocker locker(&s_mutex);
        return s_lines;
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (type == QtCriticalMsg) {
            QMutexLocker locker(&s_mutex);
            s_lines << message;
        }
        if (s_previous)
            s_previous(type, context, message);
    }

    static inline QMutex s_mutex;
    static inline QStringList s_lines;
    static inline QtMessageHandler s_previous = nullptr;
};

// One worker on its own, with mutexes the test can hold, started on a thread of its own.
struct LoneWorker
{
    LoneWorker()
    {
        task.moveToThread(&thread);
        QObject::connect(&thread, &QThread::started, &task, &CyclicTask::process);
        QObject::connect(&task, &CyclicTask::finished, &thread, &QThread::quit, Qt::DirectConnection);
        thread.start();
    }

    QMutex runMutex;
    QMutex wakeMutex;
    QWaitCondition wakeCondition;
    CyclicTask task { 7, &runMutex, &wakeMutex, &wakeCondition };
    QThread thread;
};

// The calling thread's scheduling policy and priority.
std::pair<int, int> currentPolicy()
{
    int policy = -1;
    sched_param parameters {};
    pthread_getschedparam(pthread_self(), &policy, &parameters);
    return { policy, parameters.sched_priority };
}

// Whether this process may put a thread under real-time scheduling, asked of a thread of its own.
bool realtimePermitted()
{
    int error = 0;
    std::thread probe([&error] {
        sched_param parameters {};
        parameters.sched_priority = 1;
        error = pthread_setschedparam(pthread_self(), SCHED_RR, &parameters);
    });
    probe.join();
    return error == 0;
}
} // namespace

// The scheduler with its real worker threads, ticked by hand on a fake clock: registration,
// wakes, lost wakes, release, exceptions, the software timers and the stop.
class TestCyclicHandler : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void allocBeforeStartRefuses();
    void refusedRegistrations();
    void releaseOfUnknownHandlesDoesNothing();
    void callbackRunsOnItsSlotWorker();
    void runsOncePerPeriodOnTheGrid();
    void slowCallbackLosesWakes();
    void releaseWaitsForRunningCallback();
    void releaseFromOwnCallbackDoesNotBlock();
    void exceptionsInCallbacksAreReported();
    void softwareTimersCountDownOnEveryTick();
    void noApplicationNoTick();
    void stopEndsWorkersAndRefusesRegistrations();
    void deliveredWakeOfReleasedRegistrationDoesNotRun();
    void timedWakeOfTheWorker();
    void handedWakesRunOncePerPeriod();
    void handedWakeIsNotRepeatedByTheTick();
    void handedWakeIsWithdrawnWhenTheClockGoesBack();
    void runsOnItsOwnThreadWithTheRealTimer();

private:
    // Moves the fake clock to ms and ticks once; returns whether slot was woken by this tick.
    bool tickAt(qint64 ms, unsigned slot);
    // Ticks every 10 ms up to and including toMs, each time until the slot's worker is idle again.
    void tickThrough(qint64 toMs, unsigned slot);
    // Ticks every 10 ms until the slot is woken, then waits for its callback to signal entered.
    void tickUntilEntered(unsigned slot, QSemaphore& entered);
    // Registers like the start-light engine at the current fake time.
    unsigned registerEngineLike(const std::function<void(unsigned)>& callback, int handle = 0);
    // Ticks a fresh registration every 10 ms up to the tick before its first point (+100 ms);
    // returns whether its worker waited for a wake and then holds the handed wake of that point.
    bool tickToHandedWake(unsigned slot);
    // Registers like the start-light engine, adding to runs when each run comes, in ms after the
    // registration, and ticks through the second that follows; returns the slot.
    unsigned registerAndTickOneSecond(std::vector<qint64>& runs);

    std::unique_ptr<TestSupport::ApplicationFixture> m_fixture;
    std::unique_ptr<CyclicHandler> m_handler;
    std::atomic<qint64> m_nowMs { 0 };
};

void TestCyclicHandler::initTestCase()
{
    m_fixture = std::make_unique<TestSupport::ApplicationFixture>(TestSupport::ApplicationFixture::Stage::Constructed);
}

void TestCyclicHandler::cleanupTestCase() { m_fixture.reset(); }

void TestCyclicHandler::init()
{
    m_nowMs = 36000000; // 10:00 on 1 January 1970
    DateTime::setClock([this] { return m_nowMs.load() * kMs; });
    m_handler = std::make_unique<CyclicHandler>();
    m_handler->setTickTimerEnabled(false);
    m_handler->startTasks();
}

void TestCyclicHandler::cleanup()
{
    m_handler.reset();
    DateTime::resetClock();
}

bool TestCyclicHandler::tickAt(qint64 ms, unsigned slot)
{
    m_nowMs = ms;
    const qint64 before = m_handler->nextWakeTick(slot);
    const bool wasRunning = m_handler->slotState(slot) == CYCLIC_RUNNING;
    m_handler->cyclicTimerTick();
    return wasRunning && m_handler->nextWakeTick(slot) != before;
}

void TestCyclicHandler::tickThrough(qint64 toMs, unsigned slot)
{
    while (m_nowMs < toMs) {
        tickAt(m_nowMs + 10, slot);
        QVERIFY(m_handler->waitForWorkerIdle(slot, kWait));
    }
}

void TestCyclicHandler::tickUntilEntered(unsigned slot, QSemaphore& entered)
{
    QVERIFY(m_handler->waitForWorkerIdle(slot, kWait)); // a worker just started may not wait yet
    for (int k = 0; k < 100; ++k) {
        if (tickAt(m_nowMs + 10, slot)) {
            QVERIFY(entered.tryAcquire(1, kWait));
            return;
        }
    }
    QFAIL("the slot was never woken");
}

unsigned TestCyclicHandler::registerEngineLike(const std::function<void(unsigned)>& callback, int handle)
{
    m_handler->stopCyclicEvent(handle);
    const boost::optional<unsigned> slot = m_handler->allocCyclicEvent(0, 0, 100, 1, callback, 5000);
    m_handler->cyclicEventHandles[size_t(handle)] = slot;
    return slot ? *slot : 99;
}

bool TestCyclicHandler::tickToHandedWake(unsigned slot)
{
    if (!m_handler->waitForWorkerIdle(slot, kWait)) // a worker just started may not wait yet
        return false;
    const qint64 registeredAt = m_nowMs;
    for (qint64 ms = registeredAt + 10; ms <= registeredAt + 90; ms += 10)
        tickAt(ms, slot);
    return !m_handler->waitForWorkerIdle(slot, 0);
}

unsigned TestCyclicHandler::registerAndTickOneSecond(std::vector<qint64>& runs)
{
    const qint64 registeredAt = m_nowMs;
    const unsigned slot = registerEngineLike(
        [&runs, registeredAt](unsigned) { runs.push_back(DateTime::getDateTime() / kMs - registeredAt); });
    tickThrough(registeredAt + 1000, slot);
    return slot;
}

void TestCyclicHandler::allocBeforeStartRefuses()
{
    CyclicHandler idle;
    QVERIFY(!idle.allocCyclicEvent(
        0, 0, 100, 1, [](unsigned) {}, 5000));
    idle.cyclicEventHandles[0] = 3u;
    idle.stopCyclicEvent(0);
    QVERIFY(!idle.cyclicEventHandles[0]);
    idle.cyclicTimerTick();
}

void TestCyclicHandler::refusedRegistrations()
{
    auto noop = [](unsigned) {};
    QVERIFY(!m_handler->allocCyclicEvent(0, 0, 100, 0, std::function<void(unsigned)>(), 5000));
    QVERIFY(!m_handler->allocCyclicEvent(0, 0, 0, 0, noop, 5000));
    QVERIFY(!m_handler->allocCyclicEvent(0, 0, CyclicHandler::kMaxPeriodMs + 1, 0, noop, 5000));
    QCOMPARE(*m_handler->allocCyclicEvent(0, 0, CyclicHandler::kMaxPeriodMs, 0, noop, 5000), 15u);
    QCOMPARE(*m_handler->allocCyclicEvent(0, 0, 100, 1, noop, 5000), 13u);
    QCOMPARE(*m_handler->allocCyclicEvent(0, 0, 100, 2, noop, 5000), 14u); // only 1 means restricted
}

void TestCyclicHandler::releaseOfUnknownHandlesDoesNothing()
{
    std::atomic<int> calls { 0 };
    const unsigned slot = registerEngineLike([&calls](unsigned) { ++calls; });
    m_handler->stopCyclicEvent(16);
    m_handler->stopCyclicEvent(-1);
    m_handler->stopCyclicEvent(5);
    tickThrough(m_nowMs + 200, slot);
    QVERIFY(calls > 0);
    m_handler->stopCyclicEvent(0);
    m_handler->stopCyclicEvent(0);
    QVERIFY(!m_handler->cyclicEventHandles[0]);
    const int afterRelease = calls;
    tickThrough(m_nowMs + 500, slot);
    QCOMPARE(calls.load(), afterRelease);
}

void TestCyclicHandler::callbackRunsOnItsSlotWorker()
{
    QString threadName;
    unsigned calledWith = 99;
    QSemaphore ran;
    const unsigned slot = registerEngineLike([&](unsigned s) {
        threadName = QThread::currentThread()->objectName();
        calledWith = s;
        ran.release();
    });
    QCOMPARE(slot, 13u);
    tickThrough(m_nowMs + 100, slot); // the first whole 100 ms after the registration
    QVERIFY(ran.tryAcquire(1, kWait));
    QCOMPARE(threadName, QStringLiteral("CyclicTask 13"));
    QCOMPARE(calledWith, 13u);
}

void TestCyclicHandler::runsOncePerPeriodOnTheGrid()
{
    std::vector<qint64> runs;
    registerAndTickOneSecond(runs);
    // Registered on a whole second: the runs come on every whole 100 ms that follows.
    QCOMPARE(runs.size(), size_t(10));
    for (size_t k = 0; k < runs.size(); ++k)
        QCOMPARE(runs[k], qint64(k + 1) * 100);
}

void TestCyclicHandler::slowCallbackLosesWakes()
{
    // Each run takes 250 ms of clock time: the callback blocks until the test lets it finish.
    QSemaphore entered;
    QSemaphore gate;
    std::vector<qint64> starts;
    const unsigned slot = registerEngineLike([&](unsigned) {
        starts.push_back(DateTime::getDateTime() / kMs);
        entered.release();
        gate.acquire();
    });

    QVERIFY(m_handler->waitForWorkerIdle(slot, kWait));
    bool busy = false;
    qint64 busyUntil = 0;
    std::vector<qint64> lost; // offsets of the lost wakes from the start of the run they fell into
    const qint64 end = m_nowMs + 2000;
    while (m_nowMs < end) {
        const qint64 next = m_nowMs + 10;
        if (busy && next >= busyUntil) {
            gate.release();
            QVERIFY(m_handler->waitForWorkerIdle(slot, kWait));
            busy = false;
        }
        if (!tickAt(next, slot))
            continue;
        if (busy) {
            lost.push_back(next - starts.back());
            continue;
        }
        QVERIFY(entered.tryAcquire(1, kWait));
        busy = true;
        busyUntil = next + 250;
    }
    if (busy)
        gate.release();
    QVERIFY(m_handler->waitForWorkerIdle(slot, kWait));

    QVERIFY(starts.size() >= 6);
    for (size_t k = 1; k < starts.size(); ++k)
        QCOMPARE(starts[k] - starts[k - 1], qint64(300));
    QVERIFY(lost.size() >= 2 * (starts.size() - 1));
    for (size_t k = 0; k < lost.size(); ++k)
        QCOMPARE(lost[k], qint64(k % 2 == 0 ? 100 : 200));
    QVERIFY(!entered.tryAcquire()); // no run beyond the ones counted
}

void TestCyclicHandler::releaseWaitsForRunningCallback()
{
    QSemaphore entered;
    QSemaphore gate;
    std::atomic<int> order { 0 };
    std::atomic<int> callbackEnded { 0 };
    std::atomic<int> releaseReturned { 0 };
    const unsigned slot = registerEngineLike([&](unsigned) {
        entered.release();
        gate.acquire();
        callbackEnded = ++order;
    });
    tickUntilEntered(slot, entered);

    std::thread releaser([&] {
        m_handler->stopCyclicEvent(0);
        releaseReturned = ++order;
    });
    QTest::qWait(30); // let the release reach the run mutex
    QCOMPARE(releaseReturned.load(), 0);
    gate.release();
    releaser.join();
    QCOMPARE(callbackEnded.load(), 1);
    QCOMPARE(releaseReturned.load(), 2);

    // Never again, however long the clock runs.
    tickThrough(m_nowMs + 1000, slot);
    QVERIFY(!entered.tryAcquire());
}

void TestCyclicHandler::releaseFromOwnCallbackDoesNotBlock()
{
    QSemaphore released;
    QSemaphore gate;
    std::atomic<int> calls { 0 };
    const unsigned slot = registerEngineLike([&](unsigned) {
        ++calls;
        m_handler->stopCyclicEvent(0);
        released.release();
        gate.acquire();
    });
    tickUntilEntered(slot, released);

    // While the released callback still runs, its slot is not handed out again.
    std::atomic<int> otherCalls { 0 };
    const boost::optional<unsigned> other = m_handler->allocCyclicEvent(
        0, 0, 100, 1, [&otherCalls](unsigned) { ++otherCalls; }, 5000);
    QVERIFY(other);
    QVERIFY(*other != slot);
    gate.release();
    QVERIFY(m_handler->waitForWorkerIdle(slot, kWait));
    tickThrough(m_nowMs + 500, *other);
    QCOMPARE(calls.load(), 1);
    QVERIFY(otherCalls > 0);
}

void TestCyclicHandler::exceptionsInCallbacksAreReported()
{
    const ErrorLines errors;
    std::atomic<int> calls { 0 };
    const unsigned slot = registerEngineLike([&calls](unsigned) {
        const int call = ++calls;
        if (call == 1)
            throw std::runtime_error("callback failed");
        if (call == 2)
            throw 42;
    });
    tickThrough(m_nowMs + 400, slot);
    QVERIFY(calls >= 3); // the worker went on after both exceptions
    const QStringList lines = errors.lines();
    QCOMPARE(lines.size(), 2);
    for (const QString& line : lines) {
        QVERIFY2(line.startsWith(QLatin1String("****Exception****")), qPrintable(line));
        QVERIFY2(line.contains(QLatin1String("Vl::Tavix3::UI::CyclicTask::process")), qPrintable(line));
    }
    QVERIFY2(lines.at(0).contains(QLatin1String("callback failed")), qPrintable(lines.at(0)));
    QVERIFY2(lines.at(1).contains(QLatin1String("unknown exception")), qPrintable(lines.at(1)));
}

void TestCyclicHandler::softwareTimersCountDownOnEveryTick()
{
    auto& timers = m_fixture->get()->timerSoftware();
    timers[0].currentCountProperty->set(3u);
    timers[6].currentCountProperty->set(1u);
    QCOMPARE(timers[3].currentCountProperty->get(), TimerSoftware::kIdle);

    QList<unsigned> counts;
    for (int k = 0; k < 4; ++k) {
        m_handler->cyclicTimerTick(); // no slot allocated: the timers still count
        counts << timers[0].currentCountProperty->get();
    }
    QCOMPARE(counts, (QList<unsigned> { 2, 1, 0, 0 }));
    QCOMPARE(timers[6].currentCountProperty->get(), 0u);
    QCOMPARE(timers[3].currentCountProperty->get(), TimerSoftware::kIdle);
    for (auto& timer : timers)
        timer.reset();
}

void TestCyclicHandler::noApplicationNoTick()
{
    std::atomic<int> calls { 0 };
    const unsigned slot = registerEngineLike([&calls](unsigned) { ++calls; });
    auto& timer = m_fixture->get()->timerSoftware()[0];
    timer.currentCountProperty->set(5u);
    resetSharedApplication();
    for (int k = 0; k < 30; ++k)
        tickAt(m_nowMs + 10, slot);
    setSharedApplication(m_fixture->sharedPointer());
    QVERIFY(m_handler->waitForWorkerIdle(slot, kWait));
    QCOMPARE(calls.load(), 0);
    QCOMPARE(m_handler->slotState(slot), CYCLIC_ARMED);
    QCOMPARE(timer.currentCountProperty->get(), 5u);
    timer.reset();
}

void TestCyclicHandler::stopEndsWorkersAndRefusesRegistrations()
{
    std::atomic<int> calls { 0 };
    const unsigned slot = registerEngineLike([&calls](unsigned) { ++calls; });
    tickThrough(m_nowMs + 100, slot);
    QVERIFY(calls > 0);

    QSignalSpy finished(m_handler.get(), &CyclicHandler::finished);
    m_handler->quitHandler();
    QCOMPARE(finished.count(), 1);
    m_handler->quitHandler(); // a repeated stop signal changes nothing
    QCOMPARE(finished.count(), 1);

    const int atStop = calls;
    auto& timer = m_fixture->get()->timerSoftware()[1];
    timer.currentCountProperty->set(5u);
    for (int k = 0; k < 30; ++k) {
        m_nowMs += 10;
        m_handler->cyclicTimerTick();
    }
    QCOMPARE(calls.load(), atStop);
    QCOMPARE(timer.currentCountProperty->get(), 5u);
    timer.reset();
    QVERIFY(!m_handler->allocCyclicEvent(
        0, 0, 100, 1, [](unsigned) {}, 5000));
    m_handler->stopCyclicEvent(0); // still safe
}

void TestCyclicHandler::deliveredWakeOfReleasedRegistrationDoesNotRun()
{
    LoneWorker worker;
    CyclicTask& task = worker.task;

    std::atomic<int> first { 0 };
    std::atomic<int> second { 0 };
    task.activate([&first](unsigned) { ++first; }, 1);
    QVERIFY(task.waitUntilIdle(kWait));

    // The wake reaches the worker, which then waits for the run mutex; the release comes first.
    worker.runMutex.lock();
    QVERIFY(task.wake(1));
    task.deactivate();
    worker.runMutex.unlock();
    QVERIFY(task.waitUntilIdle(kWait));
    QCOMPARE(first.load(), 0);

    // A spurious wake-up of the condition runs nothing.
    {
        QMutexLocker locker(&worker.wakeMutex);
        worker.wakeCondition.wakeAll();
    }
    QVERIFY(task.waitUntilIdle(kWait));

    // A new registration runs only for its own wakes.
    task.activate([&second](unsigned) { ++second; }, 2);
    QVERIFY(task.wake(1));
    QVERIFY(task.waitUntilIdle(kWait));
    QCOMPARE(second.load(), 0);
    QVERIFY(task.wake(2));
    QVERIFY(task.waitUntilIdle(kWait));
    QCOMPARE(second.load(), 1);
    QCOMPARE(first.load(), 0);

    task.quitHandler();
    QVERIFY(worker.thread.wait(kWait));
}

void TestCyclicHandler::timedWakeOfTheWorker()
{
    LoneWorker worker;
    CyclicTask& task = worker.task;

    QSemaphore ran;
    std::atomic<int> runs { 0 };
    std::atomic<bool> ranEarly { false };
    QDeadlineTimer deadline(50, Qt::PreciseTimer);
    task.activate(
        [&](unsigned) {
            if (!deadline.hasExpired())
                ranEarly = true;
            ++runs;
            ran.release();
        },
        1);
    QVERIFY(task.waitUntilIdle(kWait));

    // Carried out once, not before its deadline; one timed wake at a time.
    QVERIFY(task.wakeAt(1, deadline));
    QVERIFY(!task.wakeAt(1, QDeadlineTimer(0)));
    QVERIFY(ran.tryAcquire(1, kWait));
    QVERIFY(task.waitUntilIdle(kWait));
    QCOMPARE(runs.load(), 1);
    QVERIFY(!ranEarly);
    QCOMPARE(task.timedWakesTaken(), 1u);

    // Withdrawn before its deadline: nothing runs.
    QVERIFY(task.wakeAt(1, QDeadlineTimer(3600000)));
    QVERIFY(!task.waitUntilIdle(0)); // a wake is pending
    QVERIFY(task.cancelTimedWake());
    QVERIFY(!task.cancelTimedWake());
    QVERIFY(task.waitUntilIdle(kWait));
    QCOMPARE(runs.load(), 1);

    // A direct wake carries out a pending timed one: one run, not a second one at the deadline.
    QVERIFY(task.wakeAt(1, QDeadlineTimer(3600000)));
    QVERIFY(task.wake(1));
    QVERIFY(ran.tryAcquire(1, kWait));
    QVERIFY(task.waitUntilIdle(kWait));
    QCOMPARE(runs.load(), 2);

    // Refused while a wake is pending or running.
    worker.runMutex.lock();
    QVERIFY(task.wake(1));
    QVERIFY(!task.wakeAt(1, QDeadlineTimer(0)));
    worker.runMutex.unlock();
    QVERIFY(ran.tryAcquire(1, kWait));
    QVERIFY(task.waitUntilIdle(kWait));
    QCOMPARE(runs.load(), 3);

    // The timed wake of a released registration runs nothing.
    task.deactivate();
    QVERIFY(task.wakeAt(1, QDeadlineTimer(0)));
    QVERIFY(task.waitUntilIdle(kWait));
    QCOMPARE(runs.load(), 3);
    QCOMPARE(task.timedWakesTaken(), 2u);

    task.quitHandler();
    QVERIFY(worker.thread.wait(kWait));
}

void TestCyclicHandler::handedWakesRunOncePerPeriod()
{
    // The workers wake as soon as they are handed a wake: at the tick before the point.
    m_handler->setHandOverDeadline([] { return QDeadlineTimer(0); });
    std::vector<qint64> runs;
    const unsigned slot = registerAndTickOneSecond(runs);
    // The tick on each point confirms the handed wake and wakes nothing a second time.
    QCOMPARE(runs.size(), size_t(10));
    for (size_t k = 0; k < runs.size(); ++k)
        QCOMPARE(runs[k], qint64(k + 1) * 100 - 10);
    QCOMPARE(m_handler->timedWakesTaken(slot), quint64(10));
}

void TestCyclicHandler::handedWakeIsNotRepeatedByTheTick()
{
    // Deadlines an hour away: the worker never wakes on its own during the test.
    m_handler->setHandOverDeadline([] { return QDeadlineTimer(3600000); });
    std::atomic<int> calls { 0 };
    const qint64 registeredAt = m_nowMs;
    const unsigned slot = registerEngineLike([&calls](unsigned) { ++calls; });
    QVERIFY(tickToHandedWake(slot)); // handed the wake of the point at +100
    QVERIFY(tickAt(registeredAt + 100, slot)); // the point is served ...
    QVERIFY(!m_handler->waitForWorkerIdle(slot, 50)); // ... by the handed wake, still waiting for its deadline
    QCOMPARE(calls.load(), 0);

    // A release withdraws it.
    m_handler->stopCyclicEvent(0);
    QVERIFY(m_handler->waitForWorkerIdle(slot, kWait));
    QCOMPARE(calls.load(), 0);
}

void TestCyclicHandler::handedWakeIsWithdrawnWhenTheClockGoesBack()
{
    m_handler->setHandOverDeadline([] { return QDeadlineTimer(3600000); });
    std::atomic<int> calls { 0 };
    const qint64 registeredAt = m_nowMs;
    const unsigned slot = registerEngineLike([&calls](unsigned) { ++calls; });
    QVERIFY(tickToHandedWake(slot));

    // The clock is set back before the point's tick, to 40 ms before another point: the point is
    // not due, the wake is withdrawn.
    m_nowMs = registeredAt + 90 - 2030;
    m_handler->cyclicTimerTick();
    QVERIFY(m_handler->waitForWorkerIdle(slot, kWait));
    QCOMPARE(calls.load(), 0);

    // Woken by the ticks again, once per point.
    m_handler->setHandOverDeadline({});
    tickThrough(m_nowMs + 200, slot);
    QCOMPARE(calls.load(), 2);
}

void TestCyclicHandler::runsOnItsOwnThreadWithTheRealTimer()
{
    // Wired as the application wires it, with the real clock and the real 10 ms timer.
    m_handler.reset();
    DateTime::resetClock();

    auto* thread = new QThread();
    thread->setObjectName(QStringLiteral("CyclicHandler thread"));
    auto* handler = new CyclicHandler();
    handler->moveToThread(thread);
    connect(thread, &QThread::started, handler, &CyclicHandler::startTasks);
    connect(handler, &CyclicHandler::finished, thread, &QThread::quit, Qt::DirectConnection);
    QSignalSpy started(handler, &CyclicHandler::started);
    int schedulerPolicy = -1;
    connect(
        handler, &CyclicHandler::started, handler, [&schedulerPolicy] { schedulerPolicy = currentPolicy().first; },
        Qt::DirectConnection);
    thread->start(QThread::InheritPriority);
    QVERIFY(started.wait(kWait));

    QSemaphore ran;
    std::atomic<int> runs { 0 };
    std::atomic<int> timerReads { 0 };
    std::pair<int, int> workerPolicy { -1, -1 };
    auto& timer = m_fixture->get()->timerSoftware()[2];
    timer.currentCountProperty->set(3u);
    QElapsedTimer elapsed;
    elapsed.start();
    const boost::optional<unsigned> slot = handler->allocCyclicEvent(
        0, 0, 20, 0,
        [&](unsigned) {
            if (timer.currentCountProperty->get() == 0)
                ++timerReads;
            if (runs == 0)
                workerPolicy = currentPolicy();
            ++runs;
            ran.release();
        },
        1000);
    QCOMPARE(*slot, 15u);
    handler->cyclicEventHandles[0] = slot;
    QVERIFY(ran.tryAcquire(15, kWait));
    handler->stopCyclicEvent(0);
    const qint64 periods = elapsed.elapsed() / 20 + 1;
    QVERIFY(timerReads > 0); // the timer expired after three ticks
    // The worker wakes on its own at the instant of the tick that serves each point, and no point
    // runs twice.
    QVERIFY(handler->timedWakesTaken(*slot) > 0);
    QVERIFY2(runs <= periods, qPrintable(QStringLiteral("%1 runs in %2 periods").arg(runs).arg(periods)));
    // Under real-time scheduling where the process may use it, the scheduler above its workers.
    if (realtimePermitted()) {
        QCOMPARE(schedulerPolicy, SCHED_RR);
        QCOMPARE(workerPolicy, std::make_pair(int(SCHED_RR), RealtimeScheduling::kWorkerPriority));
    } else {
        QCOMPARE(schedulerPolicy, SCHED_OTHER);
        QCOMPARE(workerPolicy.first, SCHED_OTHER);
    }

    Utils::stopThread(&handler, true);
    QVERIFY(!handler);
    timer.reset();
}

VANTOR_TEST_CLASS(TestCyclicHandler)
#include "tst_cyclichandler.moc"
