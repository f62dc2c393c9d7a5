#pragma once

class QThread;

namespace Vl::Tavix3::UI {

// A stack of its own for the signal handlers of a thread. A thread that overflows its stack
// gets SIGSEGV with no room left to run a handler; on this stack the handler still writes the
// signal's name and a trace. The kernel keeps one such stack per thread, so every thread that
// should leave a record of an overflow needs its own.
class SignalStack
{
public:
    // Gives the calling thread its stack, once; it is released when the thread ends. A thread
    // that already has one (set by someone else) keeps it.
    static void ensureForCurrentThread();

    // Gives the thread its stack as soon as it starts, before any slot connected to its started()
    // signal afterwards runs. Call it before connecting the thread's worker.
    static void installOnStart(QThread* thread);

    // The size of each stack: room for the handler's frames and the unwinding of the trace.
    static constexpr unsigned long kSize = 64 * 1024;
};

} // namespace Vl::Tavix3::UI
