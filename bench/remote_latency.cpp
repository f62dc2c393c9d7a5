// Request-to-acknowledgement latency of the command server over loopback, beside a plain loopback
// TCP echo measured in the same run: one client, then 50 clients each with one request outstanding.
// Then what the server bears: the largest reply that every one of ten clients receives, the answer
// time of a fresh client beside 100 connections streaming unfinished frames, Vantor's resident
// memory with 1,000 idle and 100 non-reading clients while a client asks for 50 large replies, and
// its resident memory with 1,000 connections that never read while a client pipelines small
// requests (--flood-seconds, default 60), with the answer time of a bystander meanwhile.
//
//   bench_remote [--existing] [--requests N] [--flood-seconds N]
//
// Without --existing the benchmark starts Vantor offscreen in a temporary home; with it, it uses the
// program already listening on 127.0.0.1:21967. The request is "GetEthernetSettings", which the
// server acknowledges and does nothing more for, so the figure is the reading, parsing and
// acknowledging path. The server sends every acknowledgement to every client; each client picks out
// its own by the request's identifier, as real clients do.
#include "loadaverage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <string>
#include <sys/resource.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kVantorPort = 21967;
// The targets of what the server bears.
constexpr double kFreshTargetMs = 250;
constexpr long kMemoryTargetKiB = 256 * 1024;
constexpr double kBystanderTargetMs = 1000;
// The latency targets: Vantor's p99 against the baselines' p99 of the same run.
constexpr double kOneClientRatio = 2.0;
constexpr double kFiftyClientRatio = 3.0;

int connectTo(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_port = htons(uint16_t(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return fd;
}

// A loopback echo server on a free port, served by its own thread. Plain, it sends each client's
// bytes back to it; broadcasting, it answers every whole frame (TAB ... STX) of any client as Vantor
// does, with an acknowledgement (the frame itself) and a reply, to every connected client.
class EchoServer
{
public:
    explicit EchoServer(bool broadcast = false)
        : m_broadcast(broadcast)
    {
        m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t length = sizeof address;
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        ::listen(m_listener, 128);
        m_thread = std::thread([this]() { run(); });
    }

    ~EchoServer()
    {
        m_stop = true;
        m_thread.join();
        ::close(m_listener);
    }

    int port() const { return m_port; }

private:
    void run()
    {
        std::vector<pollfd> fds { { m_listener, POLLIN, 0 } };
        std::vector<std::string> pending { std::string() };
        std::string answers;
        char buffer[65536];
        const std::string reply = "\t{\"Data\":[{\"Reply\":true}],\"Header\":{\"Type\":\"Sema\"}}\x02";
        while (!m_stop) {
            if (::poll(fds.data(), fds.size(), 50) <= 0)
                continue;
            for (size_t i = 1; i < fds.size(); ++i) {
                if (!(fds[i].revents & (POLLIN | POLLHUP)))
                    continue;
                const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
                if (n <= 0) {
                    ::close(fds[i].fd);
                    fds.erase(fds.begin() + long(i));
                    pending.erase(pending.begin() + long(i--));
                    continue;
                }
                if (!m_broadcast) {
                    ::write(fds[i].fd, buffer, size_t(n));
                    continue;
                }
                pending[i].append(buffer, size_t(n));
                size_t end;
                while ((end = pending[i].find('\x02')) != std::string::npos) {
                    answers.append(pending[i], 0, end + 1);
                    answers += reply;
                    pending[i].erase(0, end + 1);
                }
            }
            // Every client gets what this round answered in one write.
            if (!answers.empty()) {
                for (size_t j = 1; j < fds.size(); ++j)
                    ::write(fds[j].fd, answers.data(), answers.size());
                answers.clear();
            }
            if (fds[0].revents & POLLIN) {
                const int client = ::accept(m_listener, nullptr, nullptr);
                int one = 1;
                ::setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
                fds.push_back({ client, POLLIN, 0 });
                pending.emplace_back();
            }
        }
        for (size_t i = 1; i < fds.size(); ++i)
            ::close(fds[i].fd);
    }

    bool m_broadcast;
    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stop { false };
    std::thread m_thread;
};

struct Client
{
    int fd = -1;
    std::string buffer;
    std::string expected; // what completes the outstanding request
    Clock::time_point sentAt;
    int sent = 0;
};

std::string request(int client, int sequence)
{
    const std::string id = "bench-" + std::to_string(client) + "-" + std::to_string(sequence);
    return "\t{\"Header\":{\"Type\":\"Sema\",\"Section\":\"GetEthernetSettings\",\"ID\":\"" + id
        + "\"},\"Data\":[{}]}\x02";
}

std::string acknowledgement(int client, int sequence)
{
    const std::string id = "bench-" + std::to_string(client) + "-" + std::to_string(sequence);
    return "\t{\"Data\":[],\"Header\":{\"ID\":\"" + id + "\",\"Section\":\"\",\"Type\":\"SemaACK\"}}\x02";
}

// Runs clients closed-loop (one request outstanding each) until each has had requests answered;
// returns the latencies in microseconds, or nothing when an answer did not come within 10 s.
std::vector<double> measure(int port, int clients, int requests, bool echo)
{
    std::vector<Client> all(static_cast<size_t>(clients));
    for (Client& c : all) {
        c.fd = connectTo(port);
        if (c.fd < 0)
            return {};
    }
    std::vector<double> latencies;
    const auto sendNext = [&](int index) {
        Client& c = all[size_t(index)];
        const std::string bytes = request(index, c.sent);
        c.expected = echo ? bytes : acknowledgement(index, c.sent);
        ++c.sent;
        c.sentAt = Clock::now();
        ::write(c.fd, bytes.data(), bytes.size());
    };
    for (int i = 0; i < clients; ++i)
        sendNext(i);

    std::vector<pollfd> fds;
    for (const Client& c : all)
        fds.push_back({ c.fd, POLLIN, 0 });
    int finished = 0;
    char buffer[65536];
    auto lastProgress = Clock::now();
    while (finished < clients) {
        if (Clock::now() - lastProgress > std::chrono::seconds(10))
            return {};
        if (::poll(fds.data(), fds.size(), 100) <= 0)
            continue;
        for (int i = 0; i < clients; ++i) {
            if (!(fds[size_t(i)].revents & POLLIN))
                continue;
            Client& c = all[size_t(i)];
            const ssize_t n = ::read(c.fd, buffer, sizeof buffer);
            if (n <= 0)
                return {};
            c.buffer.append(buffer, size_t(n));
            if (c.expected.empty())
                continue;
            const size_t at = c.buffer.find(c.expected);
            if (at == std::string::npos) {
                // Keep only a tail that may still begin the expected bytes.
                if (c.buffer.size() > 2 * c.expected.size())
                    c.buffer.erase(0, c.buffer.size() - c.expected.size());
                continue;
            }
            const auto now = Clock::now();
            latencies.push_back(std::chrono::duration<double, std::micro>(now - c.sentAt).count());
            lastProgress = now;
            c.buffer.erase(0, at + c.expected.size());
            if (c.sent < requests) {
                sendNext(i);
            } else {
                c.expected.clear();
                ++finished;
            }
        }
    }
    for (const Client& c : all)
        ::close(c.fd);
    return latencies;
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, size_t(p * double(values.size() - 1) + 0.5));
    return values[index];
}

// Prints one row; returns the p99 (a huge value when the run failed).
double report(const char* what, const std::vector<double>& latencies)
{
    if (latencies.empty()) {
        std::printf("%-28s %8s\n", what, "failed");
        return 1e12;
    }
    std::printf("%-28s %8zu %10.1f %10.1f %10.1f\n", what, latencies.size(), percentile(latencies, 0.5),
        percentile(latencies, 0.99), *std::max_element(latencies.begin(), latencies.end()));
    return percentile(latencies, 0.99);
}

// ---- What the server bears ----

bool writeAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    return true;
}

std::string frame(const std::string& section, const std::string& id, const std::string& data = "[{}]")
{
    return "\t{\"Header\":{\"Type\":\"Sema\",\"Section\":\"" + section + "\",\"ID\":\"" + id + "\"},\"Data\":" + data
        + "}\x02";
}

// Reads from every connection until each has received a whole message containing the marker (or
// the time is up); returns how many did, and the size of the message the first of them received.
int awaitOnAll(const std::vector<int>& fds, const std::string& marker, int timeoutMs, size_t* messageSize = nullptr)
{
    std::vector<std::string> buffers(fds.size());
    std::vector<bool> done(fds.size(), false);
    int count = 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::vector<pollfd> polls;
    for (int fd : fds)
        polls.push_back({ fd, POLLIN, 0 });
    static char buffer[1 << 16];
    while (count < int(fds.size()) && Clock::now() < deadline) {
        if (::poll(polls.data(), polls.size(), 100) <= 0)
            continue;
        for (size_t i = 0; i < fds.size(); ++i) {
            if (done[i] || !(polls[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            const ssize_t n = ::read(fds[i], buffer, sizeof buffer);
            if (n <= 0) {
                done[i] = true; // closed: this one does not count
                polls[i].fd = -1;
                continue;
            }
            std::string& b = buffers[i];
            b.append(buffer, size_t(n));
            // Whole messages only: from a TAB to the next STX.
            size_t start = 0;
            for (;;) {
                const size_t end = b.find('\x02', start);
                if (end == std::string::npos)
                    break;
                if (b.find(marker, start) < end) {
                    if (messageSize && count == 0)
                        *messageSize = end + 1 - start;
                    done[i] = true;
                    ++count;
                    polls[i].fd = -1;
                    break;
                }
                start = end + 1;
            }
            if (!done[i])
                b.erase(0, start);
        }
    }
    return count;
}

// Stores a sequence of about the given size; true when the server acknowledged it.
bool storeSequence(int fd, int index, int bytes)
{
    const std::string id = "BENCH-LARGE-" + std::to_string(index);
    const std::string data = "[{\"SequenceId\":\"" + id + "\",\"SequenceName\":\"" + id
        + "\",\"Sequence\":[{\"Time\":-5,\"Color\":2,\"Sound\":1},{\"Time\":0,\"Color\":4,\"Sound\":3}],\"Note\":\""
        + std::string(size_t(bytes), 'n') + "\"}]";
    if (!writeAll(fd, frame("SetSequence", id, data)))
        return false;
    return awaitOnAll({ fd }, "\"ID\":\"" + id + "\",\"Section\":\"\",\"Type\":\"SemaACK\"", 30000) == 1;
}

// The largest GetAllSequences reply that every one of ten clients receives whole, storing sequences
// of 900 KB until the reply is about 16 MB; 0 when even the first did not reach all.
size_t largestReplyToEveryClient()
{
    std::vector<int> fds;
    for (int i = 0; i < 10; ++i)
        fds.push_back(connectTo(kVantorPort));
    size_t largest = 0;
    int stored = 0;
    for (int target : { 1, 2, 4, 8, 12, 16 }) {
        while (stored < target)
            if (!storeSequence(fds[0], ++stored, 900 * 1000))
                break;
        const std::string id = "bench-all-" + std::to_string(target);
        writeAll(fds[0], frame("GetAllSequences", id));
        size_t size = 0;
        const int reached = awaitOnAll(fds, "\"Section\":\"GetAllSequences\"", 60000, &size);
        std::printf("  reply of %6.2f MB with %2d stored sequences reached %2d of %zu clients\n", double(size) / 1e6,
            stored, reached, fds.size());
        if (reached != int(fds.size()))
            break;
        largest = size;
    }
    for (int fd : fds)
        ::close(fd);
    return largest;
}

// The answer time (ms) of fresh clients beside 100 connections streaming frames that never end.
std::vector<double> freshClientBesideBusyOnes()
{
    std::vector<int> busy;
    for (int i = 0; i < 100; ++i) {
        const int fd = connectTo(kVantorPort);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        busy.push_back(fd);
    }
    std::atomic<bool> stop { false };
    // Each streams a frame of up to 900 KB without its end, then starts the next one.
    std::thread streamer([&]() {
        const std::string start
            = "\t{\"Header\":{\"Type\":\"Sema\",\"Section\":\"GetVersionNumber\"},\"Data\":[{\"P\":\"";
        const std::string padding(16 * 1024, 'p');
        std::vector<size_t> sent(busy.size(), 0);
        while (!stop) {
            for (size_t i = 0; i < busy.size(); ++i) {
                const std::string& piece = sent[i] == 0 ? start : padding;
                const ssize_t n = ::write(busy[i], piece.data(), piece.size());
                if (n > 0)
                    sent[i] = (sent[i] + size_t(n)) % (900 * 1000);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    std::vector<double> times;
    for (int i = 0; i < 5; ++i) {
        const auto begin = Clock::now();
        const int fd = connectTo(kVantorPort);
        const std::string id = "fresh-" + std::to_string(i);
        writeAll(fd, frame("GetVersionNumber", id));
        const bool answered
            = awaitOnAll({ fd }, "\"ID\":\"" + id + "\",\"Section\":\"\",\"Type\":\"SemaACK\"", 20000) == 1;
        times.push_back(answered ? std::chrono::duration<double, std::milli>(Clock::now() - begin).count() : -1);
        ::close(fd);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    stop = true;
    streamer.join();
    for (int fd : busy)
        ::close(fd);
    return times;
}

long residentKiB(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

struct MemoryFigures
{
    long beforeKiB = -1;
    long mostKiB = -1;
    long afterKiB = -1;
    int replies = 0;
    double freshMs = -1;
};

// Vantor's resident memory with 1,000 idle clients and 100 that never read, while one client asks
// for 50 GetAllSequences; and whether a fresh client is answered meanwhile.
MemoryFigures memoryUnderIdleAndStuckClients(qint64 pid)
{
    MemoryFigures figures;
    figures.beforeKiB = residentKiB(pid);
    std::vector<int> idle;
    for (int i = 0; i < 1000; ++i)
        idle.push_back(connectTo(kVantorPort));
    std::vector<int> stuck;
    for (int i = 0; i < 100; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        int small = 4096;
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_port = htons(uint16_t(kVantorPort));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        stuck.push_back(fd);
    }
    const int asking = connectTo(kVantorPort);
    std::atomic<bool> stop { false };
    std::atomic<long> most { figures.beforeKiB };
    std::thread sampler([&]() {
        while (!stop) {
            most = std::max(most.load(), residentKiB(pid));
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
    for (int i = 0; i < 50; ++i)
        writeAll(asking, frame("GetAllSequences", "mem-" + std::to_string(i)));
    // The idle clients read nothing either; only the asking one reads.
    std::string received;
    static char buffer[1 << 16];
    bool freshAsked = false;
    auto lastProgress = Clock::now();
    while (figures.replies < 50 && Clock::now() - lastProgress < std::chrono::seconds(60)) {
        pollfd poll { asking, POLLIN, 0 };
        if (::poll(&poll, 1, 100) <= 0)
            continue;
        const ssize_t n = ::read(asking, buffer, sizeof buffer);
        if (n <= 0) {
            std::printf("  the asking client's connection was closed after %d replies (%s)\n", figures.replies,
                n == 0 ? "end of stream" : std::strerror(errno));
            break;
        }
        received.append(buffer, size_t(n));
        size_t start = 0;
        size_t end;
        while ((end = received.find('\x02', start)) != std::string::npos) {
            if (received.find("\"Section\":\"GetAllSequences\"", start) < end) {
                ++figures.replies;
                lastProgress = Clock::now();
            }
            start = end + 1;
        }
        received.erase(0, start);
        if (figures.replies >= 10 && !freshAsked) {
            freshAsked = true;
            const auto begin = Clock::now();
            const int fresh = connectTo(kVantorPort);
            writeAll(fresh, frame("GetVersionNumber", "mem-fresh"));
            if (awaitOnAll({ fresh }, "\"ID\":\"mem-fresh\",\"Section\":\"\",\"Type\":\"SemaACK\"", 20000) == 1)
                figures.freshMs = std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
            ::close(fresh);
        }
    }
    if (figures.replies < 50 && Clock::now() - lastProgress >= std::chrono::seconds(60))
        std::printf("  no reply for 60 s after %d replies\n", figures.replies);
    stop = true;
    sampler.join();
    figures.mostKiB = most;
    figures.afterKiB = residentKiB(pid);
    ::close(asking);
    for (int fd : stuck)
        ::close(fd);
    for (int fd : idle)
        ::close(fd);
    return figures;
}

struct FloodFigures
{
    long idleKiB = -1;
    long mostKiB = -1;
    long endKiB = -1;
    long afterKiB = -1;
    long messages = 0; // received by the pipelining client
    int dropped = 0; // of the connections that never read
    int asked = 0; // by the bystander
    int answered = 0;
    double slowestMs = -1;
};

// Whether the server has closed a connection that this side never reads from.
bool closedByServer(int fd)
{
    tcp_info info {};
    socklen_t length = sizeof info;
    return ::getsockopt(fd, IPPROTO_TCP, TCP_INFO, &info, &length) != 0 || info.tcpi_state != TCP_ESTABLISHED;
}

// Vantor's resident memory with 1,000 connections that never read while one client pipelines small
// requests (GetVersionNumber) for the given time, and meanwhile the answer time of a bystander that
// asks every 200 ms and reads everything, as a client of the timing software would.
FloodFigures memoryUnderSmallMessageFlood(qint64 pid, int seconds)
{
    FloodFigures figures;
    figures.idleKiB = residentKiB(pid);
    std::vector<int> silent;
    for (int i = 0; i < 1000; ++i)
        silent.push_back(connectTo(kVantorPort));
    const int pipelining = connectTo(kVantorPort);
    ::fcntl(pipelining, F_SETFL, ::fcntl(pipelining, F_GETFL) | O_NONBLOCK);
    const int bystander = connectTo(kVantorPort);
    std::atomic<bool> stop { false };
    std::atomic<long> most { figures.idleKiB };
    std::atomic<long> messages { 0 };
    std::thread sampler([&]() {
        while (!stop) {
            most = std::max(most.load(), residentKiB(pid));
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    });
    // Writes requests whenever the connection takes them and reads everything that comes back.
    std::thread pipeliner([&]() {
        std::string batch;
        for (int i = 0; i < 64; ++i)
            batch += frame("GetVersionNumber", "flood-" + std::to_string(i));
        size_t written = 0;
        static char buffer[1 << 16];
        while (!stop) {
            pollfd poll { pipelining, POLLIN | POLLOUT, 0 };
            if (::poll(&poll, 1, 100) <= 0)
                continue;
            if (poll.revents & POLLIN) {
                const ssize_t n = ::read(pipelining, buffer, sizeof buffer);
                if (n <= 0)
                    break;
                messages += std::count(buffer, buffer + n, '\x02');
            }
            if (poll.revents & POLLOUT) {
                const ssize_t n = ::write(pipelining, batch.data() + written, batch.size() - written);
                if (n > 0)
                    written = (written + size_t(n)) % batch.size();
            }
        }
    });
    const auto end = Clock::now() + std::chrono::seconds(seconds);
    std::string received;
    static char buffer[1 << 16];
    bool closed = false;
    while (Clock::now() < end && !closed) {
        const std::string id = "flood-bystander-" + std::to_string(figures.asked++);
        const std::string ack = "\"ID\":\"" + id + "\",\"Section\":\"\",\"Type\":\"SemaACK\"";
        const auto asked = Clock::now();
        writeAll(bystander, frame("GetVersionNumber", id));
        bool answered = false;
        // Reads everything until the answer comes, then for the rest of the 200 ms.
        while (Clock::now() - asked < std::chrono::seconds(10)) {
            const auto elapsed = Clock::now() - asked;
            if (answered && elapsed >= std::chrono::milliseconds(200))
                break;
            pollfd poll { bystander, POLLIN, 0 };
            if (::poll(&poll, 1, 20) <= 0)
                continue;
            const ssize_t n = ::read(bystander, buffer, sizeof buffer);
            if (n <= 0) {
                std::printf(
                    "  the bystander's connection was closed (%s)\n", n == 0 ? "end of stream" : std::strerror(errno));
                closed = true;
                break;
            }
            if (answered)
                continue;
            received.append(buffer, size_t(n));
            if (received.find(ack) != std::string::npos) {
                answered = true;
                ++figures.answered;
                figures.slowestMs = std::max(
                    figures.slowestMs, std::chrono::duration<double, std::milli>(Clock::now() - asked).count());
            }
            if (received.size() > 2 * ack.size())
                received.erase(0, received.size() - ack.size());
        }
        received.clear();
        if (!answered && !closed)
            std::printf("  bystander request %d not answered within 10 s\n", figures.asked);
    }
    figures.endKiB = residentKiB(pid);
    stop = true;
    pipeliner.join();
    sampler.join();
    figures.mostKiB = most;
    figures.messages = messages;
    for (int fd : silent) {
        figures.dropped += closedByServer(fd) ? 1 : 0;
        ::close(fd);
    }
    ::close(pipelining);
    ::close(bystander);
    std::this_thread::sleep_for(std::chrono::seconds(3));
    figures.afterKiB = residentKiB(pid);
    return figures;
}

bool waitForPort(int port, int timeoutMs)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < deadline) {
        const int fd = connectTo(port);
        if (fd >= 0) {
            ::close(fd);
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    bool existing = false;
    int requests = 1000;
    int floodSeconds = 60;
    const QStringList arguments = app.arguments();
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--existing"))
            existing = true;
        else if (arguments.at(i) == QLatin1String("--requests") && i + 1 < arguments.size())
            requests = std::max(1, arguments.at(++i).toInt());
        else if (arguments.at(i) == QLatin1String("--flood-seconds") && i + 1 < arguments.size())
            floodSeconds = std::max(1, arguments.at(++i).toInt());
    }

    QTemporaryDir home;
    QProcess vantor;
    if (!existing) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* folder : { "HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR" }) {
            const QString path = home.path() + '/' + QString::fromLatin1(folder);
            QDir().mkpath(path);
            environment.insert(QString::fromLatin1(folder), path);
        }
        QFile::setPermissions(home.path() + QStringLiteral("/XDG_RUNTIME_DIR"),
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("QT_QUICK_BACKEND"), QStringLiteral("software"));
        environment.insert(QStringLiteral("VANTOR_TONE_SINK"), QStringLiteral("log"));
        vantor.setProcessEnvironment(environment);
        vantor.setStandardOutputFile(QProcess::nullDevice());
        vantor.setStandardErrorFile(QProcess::nullDevice());
        vantor.start(QStringLiteral(VANTOR_BINARY), QStringList());
        if (!vantor.waitForStarted(10000)) {
            std::fprintf(stderr, "Vantor did not start\n");
            return 1;
        }
    }
    if (!waitForPort(kVantorPort, 20000)) {
        std::fprintf(stderr, "nothing listens on 127.0.0.1:%d\n", kVantorPort);
        return 1;
    }

    EchoServer echo;
    EchoServer broadcastEcho(true);
    // A short warm-up of each, not counted.
    measure(echo.port(), 1, 50, true);
    measure(broadcastEcho.port(), 1, 50, true);
    measure(kVantorPort, 1, 50, false);

    const int perClientOf50 = std::max(1, requests / 10);
    Bench::printLoadAverage("at the start");
    std::printf("request to acknowledgement over loopback, microseconds\n");
    std::printf("%-28s %8s %10s %10s %10s\n", "", "samples", "p50", "p99", "max");
    const double echoOne = report("TCP echo, 1 client", measure(echo.port(), 1, requests, true));
    const double vantorOne = report("Vantor ACK, 1 client", measure(kVantorPort, 1, requests, false));
    report("TCP echo, 50 clients", measure(echo.port(), 50, perClientOf50, true));
    const double broadcastFifty
        = report("broadcast echo, 50 clients", measure(broadcastEcho.port(), 50, perClientOf50, true));
    const double vantorFifty = report("Vantor ACK, 50 clients", measure(kVantorPort, 50, perClientOf50, false));
    std::printf("p99 ratios: 1 client Vantor / echo %.2f (target at most %.1f); 50 clients Vantor / broadcast "
                "echo %.2f (target at most %.1f)\n",
        vantorOne / echoOne, kOneClientRatio, vantorFifty / broadcastFifty, kFiftyClientRatio);
    Bench::printLoadAverage("after the latency figures");

    // The bench holds over a thousand connections at once.
    rlimit files {};
    if (::getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < 4096) {
        files.rlim_cur = std::min<rlim_t>(4096, files.rlim_max);
        ::setrlimit(RLIMIT_NOFILE, &files);
    }

    std::printf("largest GetAllSequences reply that each of 10 clients receives whole:\n");
    const size_t largest = largestReplyToEveryClient();
    std::printf("largest reply received by every client: %.2f MB\n", double(largest) / 1e6);

    const std::vector<double> fresh = freshClientBesideBusyOnes();
    double slowestFresh = 0;
    std::printf("fresh client beside 100 connections streaming unfinished frames, ms to acknowledgement:");
    for (double ms : fresh) {
        std::printf(" %.1f", ms);
        slowestFresh = ms < 0 ? 1e9 : std::max(slowestFresh, ms);
    }
    std::printf("%s\n", slowestFresh >= 1e9 ? " (one not answered in 20 s)" : "");
    Bench::printLoadAverage("after the fresh clients");

    MemoryFigures memory;
    if (!existing) {
        memory = memoryUnderIdleAndStuckClients(vantor.processId());
        std::printf("Vantor resident memory with 1,000 idle and 100 non-reading clients and 50 large replies: "
                    "%.1f MB before, %.1f MB at most, %.1f MB after; %d of 50 replies, fresh client answered in "
                    "%.1f ms\n",
            memory.beforeKiB / 1024.0, memory.mostKiB / 1024.0, memory.afterKiB / 1024.0, memory.replies,
            memory.freshMs);
    } else {
        std::printf("resident memory: not measured with --existing\n");
    }
    FloodFigures flood;
    if (!existing) {
        flood = memoryUnderSmallMessageFlood(vantor.processId(), floodSeconds);
        std::printf("Vantor resident memory with 1,000 connections that never read and one client pipelining "
                    "small requests for %d s: %.1f MB idle, %.1f MB at most (%+.1f MB), %.1f MB at the end, %.1f MB "
                    "after the clients left; %d of 1,000 silent connections dropped; %ld messages to the pipelining "
                    "client; bystander answered %d of %d, the slowest in %.1f ms\n",
            floodSeconds, flood.idleKiB / 1024.0, flood.mostKiB / 1024.0, (flood.mostKiB - flood.idleKiB) / 1024.0,
            flood.endKiB / 1024.0, flood.afterKiB / 1024.0, flood.dropped, flood.messages, flood.answered, flood.asked,
            flood.slowestMs);
    }
    Bench::printLoadAverage("at the end");

    const bool replyMet = largest >= size_t(8e6);
    const bool freshMet = slowestFresh <= kFreshTargetMs;
    const bool latencyMet = vantorOne <= kOneClientRatio * echoOne && vantorFifty <= kFiftyClientRatio * broadcastFifty;
    const bool memoryMet = existing
        || (memory.replies == 50 && memory.freshMs >= 0 && memory.mostKiB - memory.beforeKiB <= kMemoryTargetKiB);
    const bool floodMet = existing
        || (flood.mostKiB - flood.idleKiB <= kMemoryTargetKiB && flood.asked > 0 && flood.answered == flood.asked
            && flood.slowestMs <= kBystanderTargetMs);
    std::printf("targets (p99 at most %.0f x the echo with 1 client and %.0f x the broadcast echo with 50: %s; "
                "every client receives a reply of 8 MB: %s; a fresh client beside 100 busy ones answered "
                "within %.0f ms: %s; at most %ld MB more memory with 1,100 clients, every reply delivered: %s; at most "
                "%ld MB more memory with 1,000 silent connections and a pipelining client, the bystander answered "
                "within %.0f ms: %s): %s\n",
        kOneClientRatio, kFiftyClientRatio, latencyMet ? "met" : "NOT met", replyMet ? "met" : "NOT met",
        kFreshTargetMs, freshMet ? "met" : "NOT met", kMemoryTargetKiB / 1024, memoryMet ? "met" : "NOT met",
        kMemoryTargetKiB / 1024, kBystanderTargetMs, floodMet ? "met" : "NOT met",
        latencyMet && replyMet && freshMet && memoryMet && floodMet ? "met" : "NOT met");

    if (!existing) {
        vantor.kill();
        vantor.waitForFinished(5000);
    }
    return 0;
}
