#pragma once

namespace Vl::Tavix3::UI {

// For the life of the object, a thread under real-time scheduling runs at normal priority; other
// threads are left alone. A thread that a real-time thread wakes (a client reading its socket, say)
// may wait for the next timer tick before it runs; woken from normal priority it runs at once. So
// a real-time thread sends its messages inside such a scope, and is back on time after it.
class NormalPriorityScope
{
public:
    NormalPriorityScope();
    ~NormalPriorityScope();
    NormalPriorityScope(const NormalPriorityScope&) = delete;
    NormalPriorityScope& operator=(const NormalPriorityScope&) = delete;

    // Whether the thread was under real-time scheduling and now runs at normal priority.
    bool isLowered() const { return m_lowered; }

private:
    int m_policy = 0;
    int m_priority = 0;
    bool m_lowered = false;
};

} // namespace Vl::Tavix3::UI
