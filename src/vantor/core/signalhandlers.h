#pragma once

namespace Vl::Tavix3::UI {

// Installs the handlers of SIGFPE, SIGABRT, SIGSEGV, SIGTERM, SIGINT and SIGILL, in that order.
// Each logs the signal's name and prints a stack trace. SIGINT and SIGTERM then return and the
// program goes on; the fault signals restore the default action and raise the signal again,
// so a fault ends the process instead of re-entering the handler forever.
void installSignalHandlers();

// The name logged for a signal number ("SIGINT", ...); empty for other signals.
const char* signalName(int signal);

} // namespace Vl::Tavix3::UI
