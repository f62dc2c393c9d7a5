#include "remote/serialnoticequeue.h"

#include <QMutexLocker>

namespace Vl::Tavix3::UI {

void SerialNoticeQueue::post(const SerialInfoType& port)
{
    QMutexLocker locker(&mutex);
    m_notices.append(port);
    condition.wakeAll();
}

bool SerialNoticeQueue::take(SerialInfoType& port, unsigned long timeoutMs)
{
    QMutexLocker locker(&mutex);
    // Asked not to wait, it does not: even a wait that has expired already costs the thread a trip
    // through the kernel, tens of microseconds on every round of the command server.
    if (m_notices.isEmpty() && timeoutMs > 0)
        condition.wait(&mutex, timeoutMs);
    const bool taken = !m_notices.isEmpty();
    if (taken)
        port = m_notices.takeFirst();
    QMutexLocker replyLocker(&replyMutex);
    replyCondition.wakeAll();
    return taken;
}

int SerialNoticeQueue::size() const
{
    QMutexLocker locker(&mutex);
    return m_notices.size();
}

} // namespace Vl::Tavix3::UI
