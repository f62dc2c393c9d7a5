#include "benchsupport.h"

#include "app/application.h"
#include "core/sharedapplication.h"
#include "core/utils.h"
#include "time/cyclichandler.h"
#include "time/datetime.h"
#include "time/realtimescheduling.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSemaphore>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

using namespace Vl::Tavix3::UI;

namespace Bench {

qint64 realtimeNs()
{
    timespec ts {};
    clock_gettime(CLOCK_REALTIME, &ts);
    return qint64(ts.tv_sec) * kNsPerSecond + ts.tv_nsec;
}

qint64 utcOffsetNs() { return qint64(QDateTime::currentDateTime().offsetFromUtc()) * kNsPerSecond; }

WakeLog::WakeLog(size_t capacity)
    : times(capacity)
    , values(capacity)
{
}

void WakeLog::add(qint64 ns, int value)
{
    const size_t k = count.load(std::memory_order_relaxed);
    if (k < times.size()) {
        times[k] = ns;
        values[k] = value;
        count.store(k + 1, std::memory_order_release);
    }
}

std::vector<qint64> WakeLog::wakes() const { return std::vector<qint64>(times.begin(), times.begin() + long(size())); }

void summarise(std::vector<double> lateness, Figures& figures)
{
    figures.count = lateness.size();
    if (lateness.empty())
        return;
    std::sort(lateness.begin(), lateness.end());
    auto rank = [&lateness](double p) {
        const size_t r = size_t(std::ceil(p * double(lateness.size())));
        return lateness[std::min(lateness.size(), std::max<size_t>(r, 1)) - 1];
    };
    figures.p50 = rank(0.50);
    figures.p99 = rank(0.99);
    figures.max = lateness.back();
}

Figures evaluateWakes(const std::vector<qint64>& wakes, qint64 anchorNs, qint64 periodNs)
{
    Figures figures;
    std::vector<double> lateness;
    long previous = -1;
    bool first = true;
    for (const qint64 t : wakes) {
        const long index = long(std::floor(double(t - anchorNs) / double(periodNs)));
        lateness.push_back(double(t - (anchorNs + index * periodNs)) / 1e6);
        if (!first) {
            if (index == previous)
                ++figures.doubled;
            else if (index > previous + 1)
                figures.skipped += index - previous - 1;
        }
        previous = index;
        first = false;
    }
    summarise(lateness, figures);
    return figures;
}

void printScheduling()
{
    if (RealtimeScheduling::isInUse())
        std::printf("scheduling: real-time (round-robin, priority %d for the scheduler, %d for its workers)\n",
            RealtimeScheduling::kSchedulerPriority, RealtimeScheduling::kWorkerPriority);
    else
        std::printf("scheduling: normal (real-time scheduling not permitted)\n");
}

void printHeader(const char* countWord)
{
    std::printf("%-18s %7s %9s %9s %9s %8s %8s\n", "source", countWord, "p50", "p99", "max", "skipped", "doubled");
}

void printRow(const char* name, const Figures& figures)
{
    std::printf("%-18s %7zu %9.3f %9.3f %9.3f %8ld %8ld\n", name, figures.count, figures.p50, figures.p99, figures.max,
        figures.skipped, figures.doubled);
}

bool meetsStartSignalTarget(const Figures& figures, const Figures& bare)
{
    return figures.count > 0 && bare.count > 0 && figures.p99 <= kMaxP99Ratio * bare.p99 && figures.max <= kMaxLateMs
        && figures.skipped == 0 && figures.doubled == 0;
}

void printStartSignalVerdict(const char* what, bool met)
{
    std::printf("target (%s at most %.1f x the bare timer's p99, never more than %.1f ms late, none skipped or "
                "doubled): %s\n",
        what, kMaxP99Ratio, kMaxLateMs, met ? "met" : "NOT met");
}

Environment::Environment(int& argc, char** argv)
{
    qputenv("XDG_CONFIG_HOME", (m_home.path() + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (m_home.path() + QStringLiteral("/data")).toLocal8Bit());
    m_app = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Velmora"));
    QCoreApplication::setApplicationName(QStringLiteral("VantorBench"));
    m_application = QSharedPointer<Application>::create(nullptr, nullptr, m_home.path(), nullptr);
    setSharedApplication(m_application);
}

Environment::~Environment()
{
    resetSharedApplication();
    m_application.reset();
}

Scheduler::Scheduler()
{
    m_thread = new QThread();
    m_thread->setObjectName(QStringLiteral("CyclicHandler thread"));
    m_handler = new CyclicHandler();
    m_handler->moveToThread(m_thread);
    QObject::connect(m_thread, &QThread::started, m_handler, &CyclicHandler::startTasks);
    QObject::connect(m_handler, &CyclicHandler::finished, m_thread, &QThread::quit, Qt::DirectConnection);
}

Scheduler::~Scheduler() { stop(); }

bool Scheduler::start()
{
    QSemaphore started;
    const QMetaObject::Connection connection = QObject::connect(
        m_handler, &CyclicHandler::started, m_handler, [&started] { started.release(); }, Qt::DirectConnection);
    m_thread->start(QThread::InheritPriority);
    const bool ok = started.tryAcquire(1, 10000);
    QObject::disconnect(connection);
    return ok;
}

void Scheduler::stop()
{
    if (!m_handler)
        return;
    for (int handle = 0; handle < int(CyclicHandler::kSlotCount); ++handle)
        m_handler->stopCyclicEvent(handle);
    emit m_handler->quit();
    m_thread->wait(10000);
    delete m_handler;
    m_handler = nullptr;
    delete m_thread;
    m_thread = nullptr;
}

SchedulerProbe::SchedulerProbe(size_t capacity, unsigned periodMs)
    : m_log(capacity)
    , m_periodMs(periodMs)
{
}

boost::optional<unsigned> SchedulerProbe::registerOn(CyclicHandler* handler, int handle, unsigned restricted)
{
    m_registeredNs = realtimeNs();
    const boost::optional<unsigned> slot = handler->allocCyclicEvent(
        0, 0, m_periodMs, restricted, [this](unsigned) { m_log.add(realtimeNs()); },
        qint64(m_periodMs) * DateTime::QMIL1);
    handler->cyclicEventHandles[size_t(handle)] = slot;
    return slot;
}

Figures SchedulerProbe::figures() const
{
    // Phase reference 0 is midnight local time; the grid of the same instants in UTC.
    return evaluateWakes(m_log.wakes(), -utcOffsetNs(), qint64(m_periodMs) * 1000000);
}

BareTimer::BareTimer(size_t capacity, qint64 periodNs, bool realtime)
    : m_log(capacity)
    , m_periodNs(periodNs)
    , m_realtime(realtime)
{
}

BareTimer::~BareTimer() { stop(); }

void BareTimer::start()
{
    m_anchorNs = (realtimeNs() / 1000000 + 1) * 1000000;
    m_stop = false;
    m_thread = QThread::create([this] {
        if (m_realtime)
            RealtimeScheduling::applyToCurrentThread(RealtimeScheduling::kWorkerPriority);
        for (qint64 target = m_anchorNs; !m_stop; target += m_periodNs) {
            const timespec ts { time_t(target / kNsPerSecond), long(target % kNsPerSecond) };
            while (clock_nanosleep(CLOCK_REALTIME, TIMER_ABSTIME, &ts, nullptr) != 0) { }
            m_log.add(realtimeNs());
        }
    });
    m_thread->setObjectName(QStringLiteral("bare timer"));
    m_thread->start(QThread::HighPriority);
}

void BareTimer::stop()
{
    if (!m_thread)
        return;
    m_stop = true;
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
}

Figures BareTimer::figures() const { return evaluateWakes(m_log.wakes(), m_anchorNs, m_periodNs); }

} // namespace Bench
