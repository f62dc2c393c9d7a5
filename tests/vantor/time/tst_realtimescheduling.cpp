#include "testsupport/testmain.h"
#include "time/normalpriorityscope.h"
#include "time/realtimescheduling.h"

#include <QMutex>
#include <QStringList>
#include <QTest>

#include <cerrno>
#include <pthread.h>
#include <sched.h>
#include <thread>
#include <vector>

using Vl::Tavix3::UI::NormalPriorityScope;
using Vl::Tavix3::UI::RealtimeScheduling;

namespace {

QMutex s_messagesMutex;
QStringList s_messages;
QtMessageHandler s_previousHandler = nullptr;

void recordMessage(QtMsgType, const QMessageLogContext&, const QString& message)
{
    QMutexLocker locker(&s_messagesMutex);
    s_messages << message;
}

int refuse(int, int) { return EPERM; }
int grant(int, int) { return 0; }

// Applies from as many threads as the scheduler starts (itself and sixteen workers).
std::vector<bool> applyFromSeventeenThreads()
{
    std::vector<char> results(17, 0);
    std::vector<std::thread> threads;
    for (size_t k = 0; k < results.size(); ++k)
        threads.emplace_back([&results, k] {
            results[k] = RealtimeScheduling::applyToCurrentThread(RealtimeScheduling::kWorkerPriority);
        });
    for (std::thread& thread : threads)
        thread.join();
    return std::vector<bool>(results.begin(), results.end());
}

} // namespace

// Real-time scheduling of the scheduler's threads: used where permitted, otherwise one log line
// for all the threads that asked.
class TestRealtimeScheduling : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void refusedOnceLogsOnceForAllThreads();
    void grantedLogsNothing();
    void realCallSetsTheThreadsPolicy();
    void normalPriorityScopeLowersAndRestores();
};

void TestRealtimeScheduling::init()
{
    s_messages.clear();
    s_previousHandler = qInstallMessageHandler(recordMessage);
}

void TestRealtimeScheduling::cleanup()
{
    qInstallMessageHandler(s_previousHandler);
    RealtimeScheduling::setSchedulerCall(nullptr);
}

void TestRealtimeScheduling::refusedOnceLogsOnceForAllThreads()
{
    RealtimeScheduling::setSchedulerCall(&refuse);
    const std::vector<bool> first = applyFromSeventeenThreads();
    const std::vector<bool> again = applyFromSeventeenThreads(); // a scheduler started a second time
    QCOMPARE(first, std::vector<bool>(17, false));
    QCOMPARE(again, std::vector<bool>(17, false));
    QVERIFY(!RealtimeScheduling::isInUse());
    QCOMPARE(s_messages.size(), 1);
    QVERIFY2(s_messages.first().contains(QLatin1String("normal priority")), qPrintable(s_messages.first()));
}

void TestRealtimeScheduling::grantedLogsNothing()
{
    RealtimeScheduling::setSchedulerCall(&grant);
    QCOMPARE(applyFromSeventeenThreads(), std::vector<bool>(17, true));
    QVERIFY(RealtimeScheduling::isInUse());
    QVERIFY(s_messages.isEmpty());
}

void TestRealtimeScheduling::realCallSetsTheThreadsPolicy()
{
    int policy = -1;
    sched_param parameters {};
    bool applied = false;
    std::thread thread([&] {
        applied = RealtimeScheduling::applyToCurrentThread(RealtimeScheduling::kWorkerPriority);
        pthread_getschedparam(pthread_self(), &policy, &parameters);
    });
    thread.join();
    if (applied) {
        QCOMPARE(policy, SCHED_RR);
        QCOMPARE(parameters.sched_priority, RealtimeScheduling::kWorkerPriority);
        QVERIFY(s_messages.isEmpty());
    } else {
        QCOMPARE(policy, SCHED_OTHER); // left as it was
        QCOMPARE(s_messages.size(), 1);
    }
    // The test's own thread is untouched.
    pthread_getschedparam(pthread_self(), &policy, &parameters);
    QCOMPARE(policy, SCHED_OTHER);
}

void TestRealtimeScheduling::normalPriorityScopeLowersAndRestores()
{
    struct Policy
    {
        int policy = -1;
        int priority = -1;
    };
    const auto current = [] {
        Policy now;
        sched_param parameters {};
        pthread_getschedparam(pthread_self(), &now.policy, &parameters);
        now.priority = parameters.sched_priority;
        return now;
    };

    // A thread at normal priority is left alone.
    {
        NormalPriorityScope scope;
        QVERIFY(!scope.isLowered());
        QCOMPARE(current().policy, SCHED_OTHER);
    }
    QCOMPARE(current().policy, SCHED_OTHER);

    bool applied = false;
    bool lowered = false;
    Policy inside;
    Policy after;
    std::thread thread([&] {
        applied = RealtimeScheduling::applyToCurrentThread(RealtimeScheduling::kWorkerPriority);
        {
            NormalPriorityScope scope;
            lowered = scope.isLowered();
            inside = current();
        }
        after = current();
    });
    thread.join();
    if (!applied)
        QSKIP("real-time scheduling is not permitted here");
    QVERIFY(lowered);
    QCOMPARE(inside.policy, SCHED_OTHER);
    QCOMPARE(after.policy, SCHED_RR);
    QCOMPARE(after.priority, RealtimeScheduling::kWorkerPriority);
}

VANTOR_TEST_CLASS(TestRealtimeScheduling)
#include "tst_realtimescheduling.moc"
