#include "statuslatency.h"

#include "app/application.h"
#include "app/startup.h"
#include "benchsupport.h"
#include "core/sharedapplication.h"
#include "enginebench.h"
#include "loadaverage.h"
#include "remote/serial.h"
#include "remote/socketthread.h"
#include "sequence/displayboard.h"
#include "sequence/sema.h"
#include "time/cyclichandler.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QMutexLocker>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <arpa/inet.h>
#include <atomic>
#include <cstdio>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace Vl::Tavix3::UI;

namespace Bench {

namespace {

// The target: a new light reaches a client over loopback this soon after the lights changed (p99).
constexpr double kTargetP99Ms = 2.0;
constexpr int kConnectTimeoutMs = 20000;
// The longest wait for Vantor to finish starting once the client is served.
constexpr int kSettleTimeoutMs = 20000;

// Moments noted by any thread, each with the number of bytes it stands for, in the order noted.
class ByteStamps
{
public:
    void add(qint64 ns, qint64 bytes)
    {
        QMutexLocker locker(&m_mutex);
        m_entries.emplace_back(ns, bytes);
    }

    // The moment at which the running byte total reached endOffset exactly (exact: the entry ends
    // where the message ends) or at least; 0 when it never did.
    qint64 reaching(qint64 endOffset, bool exact) const
    {
        QMutexLocker locker(&m_mutex);
        qint64 total = 0;
        for (const auto& [ns, bytes] : m_entries) {
            total += bytes;
            if (total >= endOffset)
                return !exact || total == endOffset ? ns : 0;
        }
        return 0;
    }

private:
    mutable QMutex m_mutex;
    std::vector<std::pair<qint64, qint64>> m_entries;
};

// One framed message as the client received it: the moment the read that completed it returned,
// and the offset just past its last byte in everything the connection delivered.
struct ReceivedFrame
{
    qint64 ns = 0;
    qint64 endOffset = 0;
    QByteArray text;
};

// The data of a status message; empty for any other frame.
QJsonObject statusData(const ReceivedFrame& frame)
{
    if (!frame.text.contains("\"Section\":\"Status\""))
        return {};
    return QJsonDocument::fromJson(frame.text).object().value(QStringLiteral("Data")).toArray().at(0).toObject();
}

// A plain loopback client on a thread of its own that splits what it reads into frames.
class LoopbackClient
{
public:
    ~LoopbackClient() { stop(); }

    bool connectTo(quint16 port)
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            ::close(m_fd);
            m_fd = -1;
            return false;
        }
        int one = 1;
        ::setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        m_thread = std::thread([this] { readLoop(); });
        return true;
    }

    void send(const QByteArray& bytes)
    {
        if (m_fd >= 0 && ::send(m_fd, bytes.constData(), size_t(bytes.size()), MSG_NOSIGNAL) != bytes.size())
            std::fprintf(stderr, "the client could not send its request\n");
    }

    bool hasSeenStatus() const { return m_statusSeen.load(); }

    void stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

    // Only after stop().
    const std::vector<ReceivedFrame>& frames() const { return m_frames; }

private:
    void readLoop()
    {
        char buffer[65536];
        QByteArray collected;
        bool open = false;
        qint64 offset = 0;
        pollfd fd { m_fd, POLLIN, 0 };
        while (!m_stop) {
            if (::poll(&fd, 1, 50) <= 0)
                continue;
            const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
            const qint64 now = realtimeNs();
            if (n <= 0) {
                if (n == 0)
                    break;
                continue;
            }
            for (ssize_t i = 0; i < n; ++i) {
                const char byte = buffer[i];
                ++offset;
                if (byte == '\t') {
                    collected.clear();
                    open = true;
                } else if (byte == '\x02' && open) {
                    open = false;
                    if (collected.contains("\"Section\":\"Status\""))
                        m_statusSeen = true;
                    m_frames.push_back({ now, offset, collected });
                } else if (open) {
                    collected.append(byte);
                }
            }
        }
    }

    int m_fd = -1;
    std::atomic<bool> m_stop { false };
    std::atomic<bool> m_statusSeen { false };
    std::thread m_thread;
    std::vector<ReceivedFrame> m_frames;
};

QByteArray requestFrame(const char* command)
{
    const QJsonObject header { { "Type", "Sema" }, { "Section", QLatin1String(command) }, { "ID", "bench" } };
    const QJsonObject root { { "Header", header }, { "Data", QJsonArray { QJsonObject() } } };
    return '\t' + QJsonDocument(root).toJson(QJsonDocument::Compact) + '\x02';
}

// A lights change: the first drawing of a colour after another one.
struct LightsChange
{
    qint64 ns;
    QString word;
};

std::vector<LightsChange> lightsChanges(const WakeLog& log)
{
    std::vector<LightsChange> changes;
    QString previous;
    for (size_t k = 0; k < log.size(); ++k) {
        const QString word = Sema::statusColourWord(log.values[k]);
        if (k == 0 || word != previous)
            changes.push_back({ log.times[k], word });
        previous = word;
    }
    return changes;
}

// Each lights change paired with the interval it belongs to: the intervals of the runs, in order,
// each with the first change not before its instant and not taken by an earlier interval, when it
// is a change to the interval's colour; a late change stays with its interval however late it is.
// The instant of each change's interval (0 for a change that belongs to none), and the number of
// intervals of the measurement without their change.
struct IntervalInstants
{
    std::vector<qint64> ofChange;
    long missing = 0;
};

IntervalInstants intervalInstants(
    const std::vector<LightsChange>& changes, qint64 firstStart, qint64 measureFromNs, qint64 endNs)
{
    IntervalInstants result;
    result.ofChange.assign(changes.size(), 0);
    const qint64 utcOffset = utcOffsetNs();
    size_t next = 0;
    for (qint64 start = firstStart;; start += kRepetitionSeconds * 50000) {
        const qint64 startNs = start * kNsPerTick - utcOffset;
        // Runs whose last interval had a full second to show.
        if (startNs + 2 * kNsPerSecond > endNs)
            break;
        for (const TableStep& step : measurementTable()) {
            const qint64 instant = startNs + qint64(step.time) * kNsPerSecond;
            const QString word = Sema::statusColourWord(step.colour);
            size_t k = next;
            while (k < changes.size() && changes[k].ns < instant)
                ++k;
            if (k == changes.size() || changes[k].word != word) {
                if (instant >= measureFromNs)
                    ++result.missing;
                continue;
            }
            result.ofChange[k] = instant;
            next = k + 1;
        }
    }
    return result;
}

// The stages of one status message on its way, from the lights changing to the client.
struct Journey
{
    qint64 instant = 0; // the planned instant of the interval whose lights changed
    qint64 lights = 0; // the lights drawn in the new colour (tick thread)
    qint64 handed = 0; // the message handed to the serial layer (tick thread), which sends it from there
    qint64 published = 0; // the display board published to the screens, after the status (tick thread)
    qint64 received = 0; // the client's read returned with the message
};

double ms(qint64 ns) { return double(ns) / 1e6; }

void printStage(const char* name, const std::vector<Journey>& journeys, qint64 Journey::*from, qint64 Journey::*to)
{
    std::vector<double> values;
    for (const Journey& j : journeys)
        if (j.*from && j.*to)
            values.push_back(ms(j.*to - j.*from));
    Figures figures;
    summarise(values, figures);
    std::printf("%-44s %7zu %9.3f %9.3f %9.3f\n", name, figures.count, figures.p50, figures.p99, figures.max);
}

// The turn from one run to the next: the whole second of a run's silent last interval, when the next
// run takes over and its first countdown value is due; and when that value reached the client
// (0 when it never did).
struct Turnover
{
    qint64 second = 0;
    qint64 received = 0;
};

// The status "Time" text of the next run's first countdown value at a turnover, the band's text
// with its blanks trimmed: the last interval's time minus the repetition time, "-14".
QString firstCountdownText() { return QString::number(qint64(measurementTable().back().time) - kRepetitionSeconds); }

std::vector<Turnover> turnovers(
    const std::vector<ReceivedFrame>& frames, qint64 firstStart, qint64 measureFromNs, qint64 endNs)
{
    const QString expected = firstCountdownText();
    const qint64 utcOffset = utcOffsetNs();
    std::vector<Turnover> result;
    for (qint64 start = firstStart;; start += kRepetitionSeconds * 50000) {
        Turnover t;
        t.second = (start + qint64(measurementTable().back().time) * 50000) * kNsPerTick - utcOffset;
        if (t.second + kNsPerSecond > endNs)
            break;
        if (t.second < measureFromNs)
            continue;
        for (const ReceivedFrame& frame : frames) {
            if (frame.ns < t.second || frame.ns >= t.second + kNsPerSecond)
                continue;
            if (statusData(frame).value(QStringLiteral("Time")).toString().trimmed() == expected) {
                t.received = frame.ns;
                break;
            }
        }
        result.push_back(t);
    }
    return result;
}

void setPrivateHome(const QString& home)
{
    const QString runtime = home + QStringLiteral("/runtime");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home + QStringLiteral("/data")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        qputenv("QT_QUICK_BACKEND", "software");
}

} // namespace

int runStatusLatency(const char* program, int seconds)
{
    QTemporaryDir home;
    setPrivateHome(home.path());

    WakeLog lights(size_t(seconds) * 16 + 256);
    WakeLog published(size_t(seconds) * 64 + 256);
    ByteStamps handed;
    LoopbackClient client;
    qint64 measureFromNs = 0;
    qint64 endNs = 0;
    qint64 firstStart = 0;
    bool ready = false;
    int waited = 0;
    // When the client had its first status, the engine's tick was registered, the start-up text
    // left the board.
    qint64 served = 0;
    qint64 ticking = 0;
    qint64 textGone = 0;

    // Set up on the GUI thread once the event loop runs: connect the client, watch the path of
    // its bytes, enable the status output, then arm the runs.
    const auto setUp = [&] {
        const QSharedPointer<Application> app = sharedApplication();
        Serial* serial = app->serial();
        Displayboard* board = app->displayboard();
        Sema* sema = app->sema();
        if (!client.connectTo(Serial::kPort)) {
            std::fprintf(stderr, "no command server on port %d\n", int(Serial::kPort));
            QCoreApplication::exit(1);
            return;
        }
        auto* poll = new QTimer(serial);
        poll->setInterval(5);
        QObject::connect(poll, &QTimer::timeout, serial, [&, application = app.data(), serial, sema, board, poll] {
            if (!ready) {
                const QList<SocketThread*> clients = serial->findChildren<SocketThread*>();
                if (clients.isEmpty() || !clients.first()->socket()) {
                    if ((waited += 5) > kConnectTimeoutMs) {
                        std::fprintf(stderr, "the server did not take the client\n");
                        QCoreApplication::exit(1);
                    }
                    return;
                }
                QObject::connect(
                    serial, &Serial::sendSocketData, serial,
                    [&handed](const QByteArray& data) { handed.add(realtimeNs(), data.size()); }, Qt::DirectConnection);
                QObject::connect(
                    board, &Displayboard::setMatrix, serial, [&published] { published.add(realtimeNs()); },
                    Qt::DirectConnection);
                ready = true;
                client.send(requestFrame("SetEnableOutputStatus"));
                return;
            }
            if (!client.hasSeenStatus())
                return;
            // The command server answers before Vantor has finished starting: the scheduler starts
            // after it, and with it the engine's tick and the start-up text on the board ("Vantor"
            // and the version, 4 s). While an info text is on the board a run's intervals wait, and
            // fire one per tick once it is gone; runs armed earlier would time that, not the lights.
            const qint64 now = realtimeNs();
            if (!served)
                served = now;
            const CyclicHandler* scheduler = application->cyclicHandler();
            if (!ticking && scheduler && scheduler->cyclicEventHandles[Sema::kTickHandle])
                ticking = now;
            if (ticking && !textGone && !sema->isTimerActive(QStringLiteral("info")))
                textGone = now;
            if (!textGone) {
                if (now - served > qint64(kSettleTimeoutMs) * 1000000) {
                    std::fprintf(stderr, "Vantor did not finish starting\n");
                    QCoreApplication::exit(1);
                }
                return;
            }
            poll->stop();
            poll->deleteLater();
            measureFromNs = realtimeNs();
            firstStart = firstStartAfter(2);
            armAutoRuns(*sema, firstStart);
            std::printf("Running %d s: Vantor offscreen with its screens, one client over loopback with the "
                        "status output enabled, AUTO runs of a new colour every second...\n",
                seconds);
            std::printf("runs armed once Vantor had started: after the client's first status, the engine's tick was "
                        "registered within %.0f ms and the start-up text left the board after %.0f ms (a run's "
                        "intervals wait while an info text is on the board)\n",
                ms(ticking - served), ms(textGone - served));
            printScheduling();
            printLoadAverage("at the start");
            std::fflush(stdout);
            QTimer::singleShot(seconds * 1000, serial, [&endNs] {
                endNs = realtimeNs();
                QCoreApplication::quit();
            });
        });
        poll->start();
    };

    char* arguments[] = { const_cast<char*>(program), nullptr };
    const int result = runVantor(1, arguments, [&](QQmlApplicationEngine&) {
        const QSharedPointer<Application> app = sharedApplication();
        SemaPorts ports;
        ports.board = std::make_shared<TimedBoard>(lights, app->displayboard());
        app->sema()->setPorts(ports);
        loadMeasurementTable(*app->sema());
        QTimer::singleShot(0, app->serial(), setUp);
    });
    client.stop();
    if (result != 0 || endNs == 0) {
        std::fprintf(stderr, "Vantor ended with status %d before the measurement\n", result);
        return 1;
    }

    // Each status message that reports a colour, traced back to the lights change it reports.
    const std::vector<LightsChange> changes = lightsChanges(lights);
    const IntervalInstants instants = intervalInstants(changes, firstStart, measureFromNs, endNs);
    const std::vector<qint64> publications = published.wakes();
    std::vector<Journey> journeys;
    std::vector<bool> reported(changes.size(), false);
    for (const ReceivedFrame& frame : client.frames()) {
        if (frame.ns < measureFromNs)
            continue;
        const QJsonObject data = statusData(frame);
        if (!data.contains(QStringLiteral("Color")))
            continue;
        const QString word = data.value(QStringLiteral("Color")).toString();
        Journey j;
        j.received = frame.ns;
        j.handed = handed.reaching(frame.endOffset, true);
        const qint64 before = j.handed ? j.handed : j.received;
        for (size_t k = changes.size(); k-- > 0;) {
            if (changes[k].ns <= before && changes[k].word == word) {
                if (changes[k].ns >= measureFromNs && before - changes[k].ns < kNsPerSecond) {
                    j.lights = changes[k].ns;
                    j.instant = instants.ofChange[k];
                    reported[k] = true;
                }
                break;
            }
        }
        if (!j.lights)
            continue;
        // The board publication of the same tick, which follows the status.
        for (const qint64 ns : publications) {
            if (ns >= before) {
                if (ns - before < kNsPerSecond / 10)
                    j.published = ns;
                break;
            }
        }
        journeys.push_back(j);
    }
    long unreported = 0;
    for (size_t k = 0; k < changes.size(); ++k)
        if (!reported[k] && !changes[k].word.isEmpty() && changes[k].ns >= measureFromNs
            && changes[k].ns + kNsPerSecond < endNs)
            ++unreported;

    std::printf("\nstatus push: %zu status messages reporting a new light; ms\n", journeys.size());
    std::printf("%-44s %7s %9s %9s %9s\n", "stage", "count", "p50", "p99", "max");
    printStage("lights changed -> client received (target)", journeys, &Journey::lights, &Journey::received);
    printStage("  lights changed -> handed to serial layer", journeys, &Journey::lights, &Journey::handed);
    printStage("  handed -> client received", journeys, &Journey::handed, &Journey::received);
    printStage("  handed -> board published to the screens", journeys, &Journey::handed, &Journey::published);
    printStage("interval's instant -> lights changed", journeys, &Journey::instant, &Journey::lights);
    printStage("interval's instant -> client received", journeys, &Journey::instant, &Journey::received);
    std::printf("lights changes without a status message: %ld\n", unreported);
    std::printf("intervals without their lights change: %ld\n", instants.missing);

    // The turn from one run to the next, timed from the whole second of the run's last interval.
    const std::vector<Turnover> turns = turnovers(client.frames(), firstStart, measureFromNs, endNs);
    std::vector<double> turnLatency;
    long turnsMissed = 0;
    for (const Turnover& t : turns) {
        if (t.received)
            turnLatency.push_back(ms(t.received - t.second));
        else
            ++turnsMissed;
    }
    Figures turnFigures;
    summarise(turnLatency, turnFigures);
    std::printf("\nturnover: the next run's first countdown value (\"%s\"); ms after the whole second\n",
        qPrintable(firstCountdownText()));
    std::printf("%-44s %7zu %9.3f %9.3f %9.3f\n", "whole second -> client received (target)", turnFigures.count,
        turnFigures.p50, turnFigures.p99, turnFigures.max);
    std::printf("turnovers without that value within the second: %ld\n", turnsMissed);

    std::vector<double> total;
    for (const Journey& j : journeys)
        total.push_back(ms(j.received - j.lights));
    Figures figures;
    summarise(total, figures);
    printLoadAverage("at the end");
    const bool lightsMet = figures.count > 0 && figures.p99 <= kTargetP99Ms && unreported == 0;
    const bool turnoverMet = turnFigures.count > 0 && turnFigures.p99 <= kTargetP99Ms && turnsMissed == 0;
    std::printf("target (a new light, and the next run's first countdown value after the whole second, reach the "
                "client at most %.1f ms late, p99; every change reported): %s\n",
        kTargetP99Ms, lightsMet && turnoverMet ? "met" : "NOT met");
    return figures.count == 0 ? 1 : 0;
}

} // namespace Bench
