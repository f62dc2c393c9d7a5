#include "core/signalstack.h"

#include <QThread>

#include <csignal>
#include <sys/mman.h>
#include <unistd.h>

namespace Vl::Tavix3::UI {

namespace {

// Owns the calling thread's stack; the thread's end takes the stack out of use before it is unmapped.
class ThreadStack
{
public:
    ThreadStack()
    {
        stack_t current {};
        if (::sigaltstack(nullptr, &current) == 0 && !(current.ss_flags & SS_DISABLE))
            return; // the thread has one already
        const size_t page = size_t(::sysconf(_SC_PAGESIZE));
        m_length = SignalStack::kSize + page;
        void* memory = ::mmap(nullptr, m_length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (memory == MAP_FAILED)
            return;
        // The lowest page stays inaccessible: a handler that overruns its stack faults there
        // instead of writing over whatever lies below.
        ::mprotect(memory, page, PROT_NONE);
        stack_t stack {};
        stack.ss_sp = static_cast<char*>(memory) + page;
        stack.ss_size = SignalStack::kSize;
        stack.ss_flags = 0;
        if (::sigaltstack(&stack, nullptr) != 0) {
            ::munmap(memory, m_length);
            return;
        }
        m_memory = memory;
    }

    ~ThreadStack()
    {
        if (!m_memory)
            return;
        stack_t off {};
        off.ss_flags = SS_DISABLE;
        ::sigaltstack(&off, nullptr);
        ::munmap(m_memory, m_length);
    }

    ThreadStack(const ThreadStack&) = delete;
    ThreadStack& operator=(const ThreadStack&) = delete;

private:
    void* m_memory = nullptr;
    size_t m_length = 0;
};

} // namespace

void SignalStack::ensureForCurrentThread()
{
    thread_local ThreadStack stack;
}

void SignalStack::installOnStart(QThread* thread)
{
    // Direct: started() is emitted on the new thread, before the thread's event loop or worker runs.
    QObject::connect(thread, &QThread::started, thread, &SignalStack::ensureForCurrentThread, Qt::DirectConnection);
}

} // namespace Vl::Tavix3::UI
