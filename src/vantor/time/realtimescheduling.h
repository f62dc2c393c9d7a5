#pragma once

namespace Vl::Tavix3::UI {

// Real-time scheduling for the threads that deliver the start signals: the scheduler's thread and
// its workers wake on time, and the tone output (at the scheduler's priority) keeps the sound
// card's buffer full, even while the machine is busy with other work. Where the process may not
// use it, the threads carry on at normal priority and the log says so once.
class RealtimeScheduling
{
public:
    // Round-robin among threads of equal priority, so that one long callback cannot keep another
    // worker of the same priority off a processor. The priorities sit low in the real-time range,
    // below the kernel's interrupt threads; the scheduler's thread above its workers, so that its
    // ticks stay on time while a callback runs.
    static constexpr int kSchedulerPriority = 12;
    static constexpr int kWorkerPriority = 11;

    // Puts the calling thread under real-time scheduling at priority; false, and the thread left
    // as it is, where that is not permitted.
    static bool applyToCurrentThread(int priority);
    // Whether a thread has been put under real-time scheduling in this process.
    static bool isInUse();

    // for unit testing
    // Replaces the system call that sets the calling thread's policy and priority (it returns 0
    // or an error number); null restores the real one. Also forgets what was logged and used.
    using SetSchedulerCall = int (*)(int policy, int priority);
    static void setSchedulerCall(SetSchedulerCall call);
};

} // namespace Vl::Tavix3::UI
