#pragma once

#include "loadaverage.h"

#include <QSharedPointer>
#include <QTemporaryDir>
#include <QtGlobal>

#include <atomic>
#include <boost/optional.hpp>
#include <memory>
#include <vector>

class QCoreApplication;
class QThread;

namespace Vl::Tavix3::UI {
class Application;
class CyclicHandler;
} // namespace Vl::Tavix3::UI

// What the latency benchmarks share: the run's own application object and scheduler, the bare
// clock_nanosleep timer that shows what the operating system delivers, a scheduler registration
// whose wakes are measured, and the lateness figures.
namespace Bench {

constexpr qint64 kNsPerSecond = 1000000000;
constexpr qint64 kNsPerTick = 20000; // one tick is 1/50,000 s

// Nanoseconds of the system clock (UTC), the clock the scheduler's tick source wakes on.
qint64 realtimeNs();
// Nanoseconds from local wall-clock time (the ticks' clock) back to UTC: the current UTC offset.
qint64 utcOffsetNs();

// Times written by one thread without allocation and read after the run.
struct WakeLog
{
    explicit WakeLog(size_t capacity);
    void add(qint64 ns, int value = 0);
    size_t size() const { return count.load(std::memory_order_acquire); }
    std::vector<qint64> wakes() const;

    std::vector<qint64> times;
    std::vector<int> values;
    std::atomic<size_t> count { 0 };
};

// Lateness figures of one source, in ms.
struct Figures
{
    size_t count = 0;
    double p50 = 0, p99 = 0, max = 0;
    long skipped = 0;
    long doubled = 0;
};

// A line on the scheduling the scheduler's threads run under in this run.
void printScheduling();
// Fills count, p50, p99 and max from the lateness values.
void summarise(std::vector<double> lateness, Figures& figures);
// Each wake belongs to the point of the grid anchorNs + k × periodNs at or before it; two wakes on
// one point are a doubled period, a point without a wake a skipped one.
Figures evaluateWakes(const std::vector<qint64>& wakes, qint64 anchorNs, qint64 periodNs);
void printHeader(const char* countWord);
void printRow(const char* name, const Figures& figures);

// The target for start signals, measured against the bare timer of the same run: at most
// kMaxP99Ratio times its p99, never more than kMaxLateMs late, nothing skipped or doubled.
constexpr double kMaxP99Ratio = 1.5;
constexpr double kMaxLateMs = 2.0;
bool meetsStartSignalTarget(const Figures& figures, const Figures& bare);
// The verdict line, the last line of a benchmark's output.
void printStartSignalVerdict(const char* what, bool met);

// Private settings and log folders, the Qt application and the application object the scheduler
// needs to tick (it owns the software timers).
class Environment
{
public:
    Environment(int& argc, char** argv);
    ~Environment();
    Vl::Tavix3::UI::Application& application() { return *m_application; }

private:
    QTemporaryDir m_home;
    std::unique_ptr<QCoreApplication> m_app;
    QSharedPointer<Vl::Tavix3::UI::Application> m_application;
};

// The scheduler wired as the application wires it, on its own "CyclicHandler thread".
class Scheduler
{
public:
    Scheduler();
    ~Scheduler();
    // Starts the thread and waits for the scheduler's started signal; false when it does not come.
    bool start();
    // Releases every handle and stops the scheduler and its thread.
    void stop();
    Vl::Tavix3::UI::CyclicHandler* handler() const { return m_handler; }

private:
    QThread* m_thread = nullptr;
    Vl::Tavix3::UI::CyclicHandler* m_handler = nullptr;
};

// A bare registration on the scheduler that notes the moment of each wake: what the scheduler
// delivers to a registrant.
class SchedulerProbe
{
public:
    SchedulerProbe(size_t capacity, unsigned periodMs);
    // Registers with phase reference 0 and a tolerance of one period, like the start-light engine.
    boost::optional<unsigned> registerOn(Vl::Tavix3::UI::CyclicHandler* handler, int handle, unsigned restricted);
    // Lateness against the registration's phase points (whole periods of local time, as the
    // scheduler keeps them).
    Figures figures() const;
    std::vector<qint64> wakes() const { return m_log.wakes(); }
    qint64 registeredNs() const { return m_registeredNs; }

private:
    WakeLog m_log;
    unsigned m_periodMs;
    qint64 m_registeredNs = 0;
};

// The bare timer: absolute clock_nanosleep on the system clock, on a grid of whole milliseconds
// with the given period, on a high-priority thread of its own; with realtime, under the real-time
// scheduling of the scheduler's workers where the process may use it.
class BareTimer
{
public:
    BareTimer(size_t capacity, qint64 periodNs, bool realtime = false);
    ~BareTimer();
    void start();
    void stop();
    Figures figures() const;

private:
    WakeLog m_log;
    qint64 m_periodNs;
    bool m_realtime;
    qint64 m_anchorNs = 0;
    std::atomic<bool> m_stop { false };
    QThread* m_thread = nullptr;
};

} // namespace Bench
