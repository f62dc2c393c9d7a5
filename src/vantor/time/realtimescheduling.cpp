#include "time/realtimescheduling.h"

#include <QDebug>

#include <atomic>
#include <cstring>
#include <pthread.h>
#include <sched.h>

namespace Vl::Tavix3::UI {

namespace {

int setCurrentThreadScheduler(int policy, int priority)
{
    sched_param parameters {};
    parameters.sched_priority = priority;
    return pthread_setschedparam(pthread_self(), policy, &parameters);
}

std::atomic<RealtimeScheduling::SetSchedulerCall> s_call { &setCurrentThreadScheduler };
std::atomic<bool> s_inUse { false };
std::atomic<bool> s_refusalLogged { false };

} // namespace

bool RealtimeScheduling::applyToCurrentThread(int priority)
{
    const int error = s_call.load()(SCHED_RR, priority);
    if (error == 0) {
        s_inUse = true;
        return true;
    }
    // Eighteen threads ask at every start: one line says it for all of them.
    if (!s_refusalLogged.exchange(true))
        qInfo().noquote() << QStringLiteral("Real-time scheduling not permitted (%1): the scheduler, its "
                                            "workers and the tone output run at normal priority")
                                 .arg(QString::fromLocal8Bit(strerror(error)));
    return false;
}

bool RealtimeScheduling::isInUse() { return s_inUse; }

void RealtimeScheduling::setSchedulerCall(SetSchedulerCall call)
{
    s_call = call ? call : &setCurrentThreadScheduler;
    s_inUse = false;
    s_refusalLogged = false;
}

} // namespace Vl::Tavix3::UI
