#pragma once

namespace Vl::Tavix3::UI {

class SignalRelay;

// Installs the handlers of SIGFPE, SIGABRT, SIGSEGV, SIGTERM, SIGINT and SIGILL, in that order.
// They are safe at any moment, even when the signal interrupts the allocator or the logger: they
// make only async-signal-safe calls, and they run on the thread's own signal stack where it has
// one (the calling thread gets one here; see SignalStack for the others). SIGINT and SIGTERM are
// passed through a pipe to the SignalRelay, created on the calling thread (the GUI thread, once
// the application instance exists), which logs them there; the program goes on. A fault signal
// leaves its CrashRecord (its name and a trace of the failing thread, in the diagnostic log and
// on the standard streams), then restores the default action and raises the signal again, so
// the process ends with that signal.
// Calling it again only gives a new application instance its relay.
void installSignalHandlers();

// The relay of SIGINT and SIGTERM; null before installSignalHandlers() or without an application instance.
SignalRelay* signalRelay();

// The name logged for a signal number ("SIGINT", ...); empty for other signals.
const char* signalName(int signal);

} // namespace Vl::Tavix3::UI
