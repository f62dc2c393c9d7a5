#pragma once

namespace Vl::Tavix3::UI {

class SignalRelay;

// Installs the handlers of SIGFPE, SIGABRT, SIGSEGV, SIGTERM, SIGINT and SIGILL, in that order.
// They are safe at any moment, even when the signal interrupts the allocator or the logger: they
// make only async-signal-safe calls. SIGINT and SIGTERM are passed through a pipe to the
// SignalRelay, created on the calling thread (the GUI thread, once the application instance
// exists), which logs them there; the program goes on. A fault signal writes its name and a
// stack trace (frames as module + offset) straight to the standard streams, then restores the
// default action and raises the signal again, so the process ends with that signal.
// Calling it again only gives a new application instance its relay.
void installSignalHandlers();

// The relay of SIGINT and SIGTERM; null before installSignalHandlers() or without an application instance.
SignalRelay* signalRelay();

// The name logged for a signal number ("SIGINT", ...); empty for other signals.
const char* signalName(int signal);

} // namespace Vl::Tavix3::UI
