#include "app/signalhandlers.h"

#include "app/signalrelay.h"

#include <QCoreApplication>
#include <QPointer>

#include <atomic>
#include <boost/stacktrace/safe_dump_to.hpp>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <link.h>
#include <unistd.h>

namespace Vl::Tavix3::UI {

namespace {

// Everything the handlers touch is prepared when they are installed: the pipe to the relay and
// the table of loaded modules that turns a frame's address into module + offset.
int s_relayPipe[2] = { -1, -1 };
std::atomic<bool> s_installed { false };
QPointer<SignalRelay> s_relay;

struct Module
{
    uintptr_t start = 0;
    uintptr_t end = 0;
    uintptr_t base = 0;
    char path[240] = {};
};
constexpr int kMaxModules = 128;
Module s_modules[kMaxModules];
int s_moduleCount = 0;
constexpr size_t kMaxFrames = 64;

bool isFault(int signal) { return signal == SIGFPE || signal == SIGABRT || signal == SIGSEGV || signal == SIGILL; }

void copyPath(char* target, size_t size, const char* source)
{
    size_t i = 0;
    for (; source && source[i] && i + 1 < size; ++i)
        target[i] = source[i];
    target[i] = '\0';
}

int addModule(dl_phdr_info* info, size_t, void*)
{
    if (s_moduleCount >= kMaxModules)
        return 1;
    uintptr_t start = UINTPTR_MAX;
    uintptr_t end = 0;
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& header = info->dlpi_phdr[i];
        if (header.p_type != PT_LOAD)
            continue;
        start = std::min<uintptr_t>(start, info->dlpi_addr + header.p_vaddr);
        end = std::max<uintptr_t>(end, info->dlpi_addr + header.p_vaddr + header.p_memsz);
    }
    if (start >= end)
        return 0;
    Module& module = s_modules[s_moduleCount++];
    module.start = start;
    module.end = end;
    module.base = info->dlpi_addr;
    if (info->dlpi_name && info->dlpi_name[0]) {
        copyPath(module.path, sizeof(module.path), info->dlpi_name);
    } else {
        const ssize_t length = ::readlink("/proc/self/exe", module.path, sizeof(module.path) - 1);
        module.path[length > 0 ? length : 0] = '\0';
    }
    return 0;
}

// Async-signal-safe output: write(2) of fixed texts and of numbers formatted on the stack.
void writeText(int fd, const char* text)
{
    size_t length = 0;
    while (text[length])
        ++length;
    while (length > 0) {
        const ssize_t written = ::write(fd, text, length);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        text += written;
        length -= size_t(written);
    }
}

void writeNumber(int fd, uintptr_t value, unsigned base)
{
    char digits[2 + sizeof(uintptr_t) * 2 + 1];
    char* p = digits + sizeof(digits);
    *--p = '\0';
    do {
        *--p = "0123456789abcdef"[value % base];
        value /= base;
    } while (value);
    if (base == 16) {
        *--p = 'x';
        *--p = '0';
    }
    writeText(fd, p);
}

// The frames of the calling thread, one a line: "3# 0x... in /path/module+0x...".
void writeTrace(int fd)
{
    void* frames[kMaxFrames];
    const size_t count = boost::stacktrace::safe_dump_to(1, frames, sizeof(frames));
    for (size_t i = 0; i < count && frames[i]; ++i) {
        const auto address = reinterpret_cast<uintptr_t>(frames[i]);
        writeNumber(fd, i, 10);
        writeText(fd, "# ");
        writeNumber(fd, address, 16);
        for (int m = 0; m < s_moduleCount; ++m) {
            if (address >= s_modules[m].start && address < s_modules[m].end) {
                writeText(fd, " in ");
                writeText(fd, s_modules[m].path);
                writeText(fd, "+");
                writeNumber(fd, address - s_modules[m].base, 16);
                break;
            }
        }
        writeText(fd, "\n");
    }
}

void handleFault(int signal)
{
    // The action is already back to the default (SA_RESETHAND): a fault in here ends the process.
    writeText(STDERR_FILENO, signalName(signal));
    writeText(STDERR_FILENO, "\n");
    writeTrace(STDOUT_FILENO);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void handleRelayed(int signal)
{
    const int savedErrno = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    // The pipe does not block: when it is full (a storm nobody reads) the signal is dropped.
    [[maybe_unused]] const ssize_t written = ::write(s_relayPipe[1], &number, 1);
    errno = savedErrno;
}

void install(int signal)
{
    struct sigaction action
    {
    };
    sigemptyset(&action.sa_mask);
    if (isFault(signal)) {
        action.sa_handler = handleFault;
        action.sa_flags = SA_RESETHAND | SA_NODEFER;
    } else {
        action.sa_handler = handleRelayed;
        action.sa_flags = SA_RESTART;
    }
    sigaction(signal, &action, nullptr);
}

// The relay lives with the application instance, on its thread.
void createRelay()
{
    if (!s_relay && s_relayPipe[0] >= 0 && QCoreApplication::instance())
        s_relay = new SignalRelay(s_relayPipe[0], QCoreApplication::instance());
}

} // namespace

const char* signalName(int signal)
{
    switch (signal) {
    case SIGFPE:
        return "SIGFPE";
    case SIGABRT:
        return "SIGABRT";
    case SIGSEGV:
        return "SIGSEGV";
    case SIGTERM:
        return "SIGTERM";
    case SIGINT:
        return "SIGINT";
    case SIGILL:
        return "SIGILL";
    default:
        return "";
    }
}

SignalRelay* signalRelay() { return s_relay.data(); }

void installSignalHandlers()
{
    if (s_installed.exchange(true)) {
        createRelay(); // a later application instance of the same process
        return;
    }
    if (::pipe2(s_relayPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        s_relayPipe[0] = s_relayPipe[1] = -1;
    createRelay();
    dl_iterate_phdr(addModule, nullptr);
    // The first unwinding may load what it needs; done here, never inside a handler.
    void* warmUp[4];
    boost::stacktrace::safe_dump_to(warmUp, sizeof(warmUp));
    for (int signal : { SIGFPE, SIGABRT, SIGSEGV, SIGTERM, SIGINT, SIGILL })
        install(signal);
}

} // namespace Vl::Tavix3::UI
