#include "app/signalhandlers.h"

#include "app/signalrelay.h"
#include "core/crashrecord.h"
#include "core/signalstack.h"

#include <QCoreApplication>
#include <QPointer>

#include <atomic>
#include <boost/stacktrace/safe_dump_to.hpp>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <ucontext.h>
#include <unistd.h>

namespace Vl::Tavix3::UI {

namespace {

// Prepared when the handlers are installed: the pipe to the relay. The record of a fault is
// prepared by CrashRecord.
int s_relayPipe[2] = { -1, -1 };
std::atomic<bool> s_installed { false };
QPointer<SignalRelay> s_relay;

bool isFault(int signal) { return signal == SIGFPE || signal == SIGABRT || signal == SIGSEGV || signal == SIGILL; }

// The instruction the signal interrupted, from the context the kernel saved; 0 where unknown.
uintptr_t interruptedAddress(const void* context)
{
    const auto* saved = static_cast<const ucontext_t*>(context);
    if (!saved)
        return 0;
#if defined(__x86_64__)
    return uintptr_t(saved->uc_mcontext.gregs[REG_RIP]);
#elif defined(__i386__)
    return uintptr_t(saved->uc_mcontext.gregs[REG_EIP]);
#elif defined(__aarch64__)
    return uintptr_t(saved->uc_mcontext.pc);
#else
    return 0;
#endif
}

void handleFault(int signal, siginfo_t*, void* context)
{
    // The action is already back to the default (SA_RESETHAND): a fault in here ends the process.
    CrashRecord::writeFatal("handleFault", signalName(signal), interruptedAddress(context));
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
    // On the thread's own signal stack where it has one: a thread that overflowed its stack
    // has no room left for a handler.
    if (isFault(signal)) {
        action.sa_sigaction = handleFault;
        action.sa_flags = SA_SIGINFO | SA_RESETHAND | SA_NODEFER | SA_ONSTACK;
    } else {
        action.sa_handler = handleRelayed;
        action.sa_flags = SA_RESTART | SA_ONSTACK;
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
    CrashRecord::refresh();
    SignalStack::ensureForCurrentThread();
    // The first unwinding may load what it needs; done here, never inside a handler.
    void* warmUp[4];
    boost::stacktrace::safe_dump_to(warmUp, sizeof(warmUp));
    for (int signal : { SIGFPE, SIGABRT, SIGSEGV, SIGTERM, SIGINT, SIGILL })
        install(signal);
}

} // namespace Vl::Tavix3::UI
