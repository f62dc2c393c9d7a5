// Request-to-acknowledgement latency of the command server over loopback, beside a plain loopback
// TCP echo measured in the same run: one client, then 50 clients each with one request outstanding.
//
//   bench_remote [--existing] [--requests N]
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
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kVantorPort = 21967;

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

// A loopback echo server on a free port, served by its own thread.
class EchoServer
{
public:
    EchoServer()
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
        char buffer[65536];
        while (!m_stop) {
            if (::poll(fds.data(), fds.size(), 50) <= 0)
                continue;
            for (size_t i = 1; i < fds.size(); ++i) {
                if (!(fds[i].revents & (POLLIN | POLLHUP)))
                    continue;
                const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
                if (n <= 0) {
                    ::close(fds[i].fd);
                    fds.erase(fds.begin() + long(i--));
                    continue;
                }
                ::write(fds[i].fd, buffer, size_t(n));
            }
            if (fds[0].revents & POLLIN) {
                const int client = ::accept(m_listener, nullptr, nullptr);
                int one = 1;
                ::setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
                fds.push_back({ client, POLLIN, 0 });
            }
        }
        for (size_t i = 1; i < fds.size(); ++i)
            ::close(fds[i].fd);
    }

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

void report(const char* what, const std::vector<double>& latencies)
{
    if (latencies.empty()) {
        std::printf("%-28s %8s\n", what, "failed");
        return;
    }
    std::printf("%-28s %8zu %10.1f %10.1f %10.1f\n", what, latencies.size(), percentile(latencies, 0.5),
        percentile(latencies, 0.99), *std::max_element(latencies.begin(), latencies.end()));
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
    const QStringList arguments = app.arguments();
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--existing"))
            existing = true;
        else if (arguments.at(i) == QLatin1String("--requests") && i + 1 < arguments.size())
            requests = std::max(1, arguments.at(++i).toInt());
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
    // A short warm-up of both, not counted.
    measure(echo.port(), 1, 50, true);
    measure(kVantorPort, 1, 50, false);

    const int perClientOf50 = std::max(1, requests / 10);
    Bench::printLoadAverage("at the start");
    std::printf("request to acknowledgement over loopback, microseconds\n");
    std::printf("%-28s %8s %10s %10s %10s\n", "", "samples", "p50", "p99", "max");
    report("TCP echo, 1 client", measure(echo.port(), 1, requests, true));
    report("Vantor ACK, 1 client", measure(kVantorPort, 1, requests, false));
    report("TCP echo, 50 clients", measure(echo.port(), 50, perClientOf50, true));
    report("Vantor ACK, 50 clients", measure(kVantorPort, 50, perClientOf50, false));
    Bench::printLoadAverage("at the end");

    if (!existing) {
        vantor.kill();
        vantor.waitForFinished(5000);
    }
    return 0;
}
