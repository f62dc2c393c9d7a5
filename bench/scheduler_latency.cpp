// Wake-up lateness of the cyclic scheduler against what the operating system delivers.
//
// Runs the real CyclicHandler on its own thread with a 100 ms registration like the start-light
// engine's and, in the same run, a bare clock_nanosleep loop on the same period. For both it prints
// the lateness of each wake against its grid point (p50, p99, max), the skipped and doubled periods
// and the ratio of the two p99 figures.
//
// Usage: bench_scheduler [seconds]   (default 10)

#include "core/application.h"
#include "core/sharedapplication.h"
#include "core/utils.h"
#include "time/cyclichandler.h"
#include "time/datetime.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <thread>
#include <vector>

using namespace Vl::Tavix3::UI;

namespace {

constexpr unsigned kPeriodMs = 100;
constexpr qint64 kPeriodNs = qint64(kPeriodMs) * 1000000;

qint64 realtimeNs()
{
    timespec ts {};
    clock_gettime(CLOCK_REALTIME, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// Wake times of one source, written by one thread without allocation.
struct WakeLog
{
    explicit WakeLog(size_t capacity)
        : times(capacity)
    {
    }
    void add(qint64 ns)
    {
        const size_t k = count.load(std::memory_order_relaxed);
        if (k < times.size()) {
            times[k] = ns;
            count.store(k + 1, std::memory_order_release);
        }
    }
    std::vector<qint64> wakes() const
    {
        return std::vector<qint64>(times.begin(), times.begin() + long(count.load(std::memory_order_acquire)));
    }

    std::vector<qint64> times;
    std::atomic<size_t> count { 0 };
};

struct Figures
{
    size_t wakes = 0;
    double p50 = 0, p99 = 0, max = 0; // ms
    long skipped = 0;
    long doubled = 0;
};

// Each wake belongs to the grid point at or before it; lateness is the distance to that point.
Figures evaluate(const std::vector<qint64>& wakes, qint64 anchorNs)
{
    Figures f;
    f.wakes = wakes.size();
    if (wakes.empty())
        return f;
    std::vector<double> lateness;
    long previous = -1;
    for (const qint64 t : wakes) {
        const long index = long(std::floor(double(t - anchorNs) / double(kPeriodNs)));
        lateness.push_back(double(t - (anchorNs + index * kPeriodNs)) / 1e6);
        if (previous >= 0) {
            if (index == previous)
                ++f.doubled;
            else if (index > previous + 1)
                f.skipped += index - previous - 1;
        }
        previous = index;
    }
    std::sort(lateness.begin(), lateness.end());
    auto rank = [&lateness](double p) {
        const size_t r = size_t(std::ceil(p * double(lateness.size())));
        return lateness[std::min(lateness.size(), std::max<size_t>(r, 1)) - 1];
    };
    f.p50 = rank(0.50);
    f.p99 = rank(0.99);
    f.max = lateness.back();
    return f;
}

void printRow(const char* name, const Figures& f)
{
    std::printf("%-18s %7zu %9.3f %9.3f %9.3f %8ld %8ld\n", name, f.wakes, f.p50, f.p99, f.max, f.skipped, f.doubled);
}

} // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;

    // Settings and logs of the application object go to a folder of this run only.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toLocal8Bit());
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Velmora"));
    QCoreApplication::setApplicationName(QStringLiteral("VantorBench"));
    // The scheduler ticks only while there is an application object (it owns the software timers).
    const auto application = QSharedPointer<Application>::create(nullptr, nullptr, home.path(), nullptr);
    setSharedApplication(application);

    const size_t capacity = size_t(seconds) * (1000 / kPeriodMs) + 64;
    WakeLog schedulerLog(capacity);
    WakeLog bareLog(capacity);

    // The scheduler, wired as the application wires it.
    auto* thread = new QThread();
    thread->setObjectName(QStringLiteral("CyclicHandler thread"));
    auto* handler = new CyclicHandler();
    handler->moveToThread(thread);
    QSemaphore started;
    QObject::connect(thread, &QThread::started, handler, &CyclicHandler::startTasks);
    QObject::connect(handler, &CyclicHandler::finished, thread, &QThread::quit, Qt::DirectConnection);
    QObject::connect(
        handler, &CyclicHandler::started, handler, [&started] { started.release(); }, Qt::DirectConnection);
    thread->start(QThread::InheritPriority);
    if (!started.tryAcquire(1, 10000)) {
        std::fprintf(stderr, "the scheduler did not start\n");
        return 1;
    }

    // The grid of the registration: its first wake's point, read once from the first callback.
    std::atomic<qint64> firstPointTick { 0 };
    std::atomic<bool> firstSeen { false };
    const qint64 registeredNs = realtimeNs();
    const boost::optional<unsigned> slot = handler->allocCyclicEvent(
        0, 0, kPeriodMs, 1,
        [&](unsigned s) {
            schedulerLog.add(realtimeNs());
            if (!firstSeen.exchange(true))
                firstPointTick = handler->nextWakeTick(s) - qint64(kPeriodMs) * DateTime::QMIL1;
        },
        5000);
    if (!slot) {
        std::fprintf(stderr, "no slot\n");
        return 1;
    }
    handler->cyclicEventHandles[0] = slot;

    // The bare loop: absolute sleeps on a grid of whole milliseconds of the same clock.
    std::atomic<bool> stop { false };
    const qint64 bareAnchorNs = (realtimeNs() / 1000000 + 1) * 1000000;
    QThread* bareThread = QThread::create([&] {
        for (qint64 target = bareAnchorNs; !stop; target += kPeriodNs) {
            const timespec ts { time_t(target / 1000000000), long(target % 1000000000) };
            while (clock_nanosleep(CLOCK_REALTIME, TIMER_ABSTIME, &ts, nullptr) != 0) { }
            bareLog.add(realtimeNs());
        }
    });
    bareThread->setObjectName(QStringLiteral("bare timer"));
    bareThread->start(QThread::HighPriority);

    std::printf("Running %d s: CyclicHandler (slot %u, %u ms, registered like the engine) and a bare "
                "clock_nanosleep loop on the same period...\n",
        seconds, *slot, kPeriodMs);
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));

    stop = true;
    bareThread->wait();
    delete bareThread;
    handler->stopCyclicEvent(0);
    Utils::stopThread(&handler, true);
    resetSharedApplication();

    // The scheduler's grid is in local wall-clock ticks; the wake times are UTC nanoseconds.
    const qint64 offsetMs = qint64(QDateTime::currentDateTime().offsetFromUtc()) * 1000;
    const qint64 schedulerAnchorNs = (firstPointTick.load() / DateTime::QMIL1 - offsetMs) * 1000000;
    const std::vector<qint64> schedulerWakes = schedulerLog.wakes();
    const Figures scheduler = evaluate(schedulerWakes, schedulerAnchorNs);
    const Figures bare = evaluate(bareLog.wakes(), bareAnchorNs);

    std::printf("\nlateness against the grid point, ms\n");
    std::printf("%-18s %7s %9s %9s %9s %8s %8s\n", "source", "wakes", "p50", "p99", "max", "skipped", "doubled");
    printRow("CyclicHandler", scheduler);
    printRow("clock_nanosleep", bare);
    if (!schedulerWakes.empty())
        std::printf(
            "first scheduler wake %.3f ms after registration\n", double(schedulerWakes.front() - registeredNs) / 1e6);
    if (bare.p99 > 0)
        std::printf("p99 ratio CyclicHandler / clock_nanosleep: %.1f\n", scheduler.p99 / bare.p99);
    return 0;
}
