// How late the start lights and tones come against the instants the sequence plans for them.
//
// Runs the real start-light engine on the real scheduler (its own thread, the 10 ms tick source,
// the engine's 100 ms registration) through AUTO runs of a measurement table in which every
// interval changes the colour and sounds a tone, one interval per second. For every interval it
// finds the lights change and the tone request the engine made for it and prints their lateness
// against the interval's planned instant (p50, p99, max) with the intervals skipped or doubled.
// In the same run the two sources of the scheduler benchmark, a bare 100 ms registration on the
// same scheduler and a bare clock_nanosleep loop, show what the scheduler and the operating system
// deliver; their figures are printed beside the engine's.
//
// With --status it measures instead how soon a connected client learns of each new light through
// the pushed status message (see statuslatency.h).
//
// Usage: bench_engine [--status] [seconds]   (default 60, at least 20)

#include "benchsupport.h"
#include "app/application.h"
#include "enginebench.h"
#include "statuslatency.h"
#include "sequence/displayboard.h"
#include "sequence/sema.h"
#include "sequence/semaports.h"
#include "time/cyclichandler.h"
#include "time/datetime.h"
#include "time/realtimescheduling.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

using namespace Vl::Tavix3::UI;
using Bench::Figures;
using Bench::kNsPerSecond;
using Bench::kNsPerTick;
using Bench::realtimeNs;
using CallLog = Bench::WakeLog;

namespace {

constexpr unsigned kBarePeriodMs = 100;
using Bench::kRepetitionSeconds;
using Bench::TimedBoard;

// Tone requests are noted, not played; the clients, the log and the operator hear nothing.
class QuietOutlets : public SemaToneOutput, public SemaRemoteOutput, public SemaEventsLog, public SemaOperatorMessages
{
public:
    explicit QuietOutlets(CallLog& tones)
        : m_tones(tones)
    {
    }
    void playTone(uint frequencyHz, uint) override { m_tones.add(realtimeNs(), int(frequencyHz)); }
    void sendEvent(const EntityPtr<Event>&) override { }
    void sendStatusText(const QString&) override { }
    void writeEventRecord(const EntityPtr<Event>&) override { }
    void showInfoMessage(const QString&, int, const QString&) override { }
    void showMessageBox(const QString&, int) override { }
    bool confirm(const QString&) override { return false; }

private:
    CallLog& m_tones;
};

// The application's state for the engine, with the scheduler of this run.
class BenchState : public SemaApplicationState
{
public:
    BenchState(Application& application, CyclicHandler* scheduler)
        : m_application(application)
        , m_scheduler(scheduler)
    {
    }
    int displayboardMode() const override { return 0; }
    bool isInTimingMenu() const override { return true; }
    bool isInTestMenu() const override { return false; }
    int displayboardTimeColor() const override { return 2; }
    void applySynchroAtTime(boost::optional<qint64>, bool) override { }
    TimerSoftware* falseStartTimer() override { return &m_application.timerSoftware()[0]; }
    int repetitionTimeIndex() const override { return 0; }
    void setRepetitionTimeIndex(int) override { }
    qint64 repetitionTimeAt(int) const override { return kRepetitionSeconds * 50000; }
    void setRepetitionTimeAt(int, qint64) override { }
    void setCurrentRepetitionTime(qint64) override { }
    SemaDeviceStatus deviceStatus() const override { return {}; }
    CyclicHandler* scheduler() const override { return m_scheduler; }

private:
    Application& m_application;
    CyclicHandler* m_scheduler;
};

// For every planned instant, the calls with its value inside the second after it: none is a
// skipped interval, more than one a doubled one, the first gives the lateness.
Figures evaluateCalls(const CallLog& log, const std::vector<std::pair<qint64, int>>& planned)
{
    Figures f;
    std::vector<double> lateness;
    const size_t n = log.size();
    for (const auto& [instant, value] : planned) {
        int matches = 0;
        qint64 first = 0;
        for (size_t k = 0; k < n; ++k) {
            if (log.values[k] != value || log.times[k] < instant - kNsPerSecond / 10
                || log.times[k] >= instant + kNsPerSecond)
                continue;
            if (matches++ == 0)
                first = log.times[k];
        }
        if (matches == 0) {
            ++f.skipped;
            continue;
        }
        f.doubled += matches - 1;
        lateness.push_back(double(first - instant) / 1e6);
    }
    Bench::summarise(lateness, f);
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    int seconds = 60;
    bool statusPush = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--status") == 0)
            statusPush = true;
        else
            seconds = std::max(20, std::atoi(argv[i]));
    }
    if (statusPush)
        return Bench::runStatusLatency(argv[0], seconds);
    Bench::Environment environment(argc, argv);

    Bench::Scheduler scheduler;
    if (!scheduler.start()) {
        std::fprintf(stderr, "the scheduler did not start\n");
        return 1;
    }
    CyclicHandler* handler = scheduler.handler();

    const size_t capacity = size_t(seconds) * 4 + 256;
    CallLog lights(capacity);
    CallLog tones(capacity);
    const auto outlets = std::make_shared<QuietOutlets>(tones);
    SemaPorts ports;
    ports.board = std::make_shared<TimedBoard>(lights);
    ports.tones = outlets;
    ports.remote = outlets;
    ports.eventsLog = outlets;
    ports.messages = outlets;
    ports.application = std::make_shared<BenchState>(environment.application(), handler);

    // Released before the scheduler stops: the engine takes its registration with it.
    auto sema = std::make_unique<Sema>();
    sema->setPorts(ports);
    Bench::loadMeasurementTable(*sema);
    sema->startSequenceCyclic();

    // The first start moment 12 s ahead, on a whole second: its first interval is 2 s away.
    const qint64 firstStart = Bench::firstStartAfter(2);
    Bench::armAutoRuns(*sema, firstStart);

    // The scheduler benchmark's two sources in the same run: a bare 100 ms registration on the
    // same scheduler, and the bare clock_nanosleep timer.
    Bench::SchedulerProbe probe(size_t(seconds) * 10 + 64, kBarePeriodMs);
    probe.registerOn(handler, 1, 0);
    Bench::BareTimer bare(size_t(seconds) * 10 + 64, qint64(kBarePeriodMs) * 1000000);
    bare.start();
    // For comparison only: what the same loop gets under the workers' real-time scheduling.
    Bench::BareTimer bareRealtime(size_t(seconds) * 10 + 64, qint64(kBarePeriodMs) * 1000000, true);
    bareRealtime.start();

    std::printf("Running %d s: the engine in AUTO on the scheduler, a bare registration on the same scheduler "
                "and a bare clock_nanosleep loop...\n",
        seconds);
    Bench::printScheduling();
    Bench::printLoadAverage("at the start");
    std::fflush(stdout);
    QTimer::singleShot(seconds * 1000, QCoreApplication::instance(), &QCoreApplication::quit);
    QCoreApplication::exec();
    bare.stop();
    bareRealtime.stop();
    const qint64 endNs = realtimeNs();
    handler->stopCyclicEvent(1);
    sema.reset();
    scheduler.stop();

    // The planned instants in wall-clock nanoseconds: the engine's ticks count local time.
    const qint64 utcOffsetNs = Bench::utcOffsetNs();
    std::vector<std::pair<qint64, int>> plannedLights;
    std::vector<std::pair<qint64, int>> plannedTones;
    int runs = 0;
    for (qint64 start = firstStart;; start += kRepetitionSeconds * 50000, ++runs) {
        const qint64 startNs = start * kNsPerTick - utcOffsetNs;
        // Only runs whose last interval had a full second to show.
        if (startNs + 2 * kNsPerSecond > endNs)
            break;
        for (const Bench::TableStep& step : Bench::measurementTable()) {
            const qint64 instant = startNs + qint64(step.time) * kNsPerSecond;
            plannedLights.push_back({ instant, step.colour });
            if (Bench::toneFrequency(step.sound) != 0)
                plannedTones.push_back({ instant, int(Bench::toneFrequency(step.sound)) });
        }
    }

    std::printf("\nstart signals: %d AUTO runs of %zu intervals, repetition %lld s; lateness against the "
                "planned instant, ms\n",
        runs, Bench::measurementTable().size(), qlonglong(kRepetitionSeconds));
    Bench::printHeader("count");
    const Figures lightsFigures = evaluateCalls(lights, plannedLights);
    const Figures toneFigures = evaluateCalls(tones, plannedTones);
    const Figures schedulerFigures = probe.figures();
    const Figures bareFigures = bare.figures();
    Bench::printRow("lights", lightsFigures);
    Bench::printRow("tone request", toneFigures);
    std::printf("\nthe scheduler benchmark's sources in the same run, lateness against their grid points:\n");
    Bench::printRow("CyclicHandler", schedulerFigures);
    Bench::printRow("clock_nanosleep", bareFigures);
    if (RealtimeScheduling::isInUse())
        Bench::printRow("  real-time", bareRealtime.figures());
    if (bareFigures.p99 > 0)
        std::printf("\np99 ratio lights / clock_nanosleep: %.2f, tone request / clock_nanosleep: %.2f\n",
            lightsFigures.p99 / bareFigures.p99, toneFigures.p99 / bareFigures.p99);
    Bench::printLoadAverage("at the end");
    const bool met = Bench::meetsStartSignalTarget(lightsFigures, bareFigures)
        && Bench::meetsStartSignalTarget(toneFigures, bareFigures);
    Bench::printStartSignalVerdict("lights and tone request", met);
    return lightsFigures.count == 0 ? 1 : 0;
}
