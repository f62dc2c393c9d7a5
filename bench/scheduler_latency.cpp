// Wake-up lateness of the cyclic scheduler against what the operating system delivers.
//
// Runs the real CyclicHandler on its own thread with a 100 ms registration like the start-light
// engine's and, in the same run, a bare clock_nanosleep loop on the same period. For both it prints
// the lateness of each wake against its grid point (p50, p99, max), the skipped and doubled periods
// and the ratio of the two p99 figures. The scheduler's grid is the one its registration asks for:
// every whole 100 ms of the clock.
//
// Usage: bench_scheduler [seconds]   (default 10)

#include "benchsupport.h"
#include "time/cyclichandler.h"
#include "time/realtimescheduling.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {
constexpr unsigned kPeriodMs = 100;
} // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    Bench::Environment environment(argc, argv);
    const size_t capacity = size_t(seconds) * (1000 / kPeriodMs) + 64;

    Bench::Scheduler scheduler;
    if (!scheduler.start()) {
        std::fprintf(stderr, "the scheduler did not start\n");
        return 1;
    }
    Bench::SchedulerProbe probe(capacity, kPeriodMs);
    const boost::optional<unsigned> slot = probe.registerOn(scheduler.handler(), 0, 1);
    if (!slot) {
        std::fprintf(stderr, "no slot\n");
        return 1;
    }
    Bench::BareTimer bare(capacity, qint64(kPeriodMs) * 1000000);
    bare.start();
    // For comparison only: what the same loop gets under the workers' real-time scheduling.
    Bench::BareTimer bareRealtime(capacity, qint64(kPeriodMs) * 1000000, true);
    bareRealtime.start();

    std::printf("Running %d s: CyclicHandler (slot %u, %u ms, registered like the engine) and a bare "
                "clock_nanosleep loop on the same period...\n",
        seconds, *slot, kPeriodMs);
    Bench::printScheduling();
    Bench::printLoadAverage("at the start");
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    bare.stop();
    bareRealtime.stop();
    scheduler.stop();

    const Bench::Figures schedulerFigures = probe.figures();
    const Bench::Figures bareFigures = bare.figures();
    std::printf("\nlateness against the grid point, ms\n");
    Bench::printHeader("wakes");
    Bench::printRow("CyclicHandler", schedulerFigures);
    Bench::printRow("clock_nanosleep", bareFigures);
    if (Vl::Tavix3::UI::RealtimeScheduling::isInUse())
        Bench::printRow("  real-time", bareRealtime.figures());
    const std::vector<qint64> wakes = probe.wakes();
    if (!wakes.empty())
        std::printf(
            "first scheduler wake %.3f ms after registration\n", double(wakes.front() - probe.registeredNs()) / 1e6);
    if (bareFigures.p99 > 0)
        std::printf("p99 ratio CyclicHandler / clock_nanosleep: %.2f\n", schedulerFigures.p99 / bareFigures.p99);
    Bench::printLoadAverage("at the end");
    Bench::printStartSignalVerdict("CyclicHandler", Bench::meetsStartSignalTarget(schedulerFigures, bareFigures));
    return 0;
}
