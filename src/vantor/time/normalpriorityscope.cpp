#include "time/normalpriorityscope.h"

#include <QDebug>

#include <atomic>
#include <cstring>
#include <pthread.h>
#include <sched.h>

namespace Vl::Tavix3::UI {

NormalPriorityScope::NormalPriorityScope()
{
    sched_param parameters {};
    if (pthread_getschedparam(pthread_self(), &m_policy, &parameters) != 0)
        return;
    if (m_policy != SCHED_RR && m_policy != SCHED_FIFO)
        return;
    m_priority = parameters.sched_priority;
    sched_param normal {};
    m_lowered = pthread_setschedparam(pthread_self(), SCHED_OTHER, &normal) == 0;
}

NormalPriorityScope::~NormalPriorityScope()
{
    if (!m_lowered)
        return;
    sched_param parameters {};
    parameters.sched_priority = m_priority;
    const int error = pthread_setschedparam(pthread_self(), m_policy, &parameters);
    // The thread had the right a moment ago; should it be gone, the thread goes on at normal priority.
    static std::atomic<bool> s_failureLogged { false };
    if (error != 0 && !s_failureLogged.exchange(true))
        qWarning().noquote() << QStringLiteral("Real-time scheduling not restored (%1): a thread goes on at normal "
                                               "priority")
                                    .arg(QString::fromLocal8Bit(strerror(error)));
}

} // namespace Vl::Tavix3::UI
