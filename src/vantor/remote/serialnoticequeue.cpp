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
    if (m_notices.isEmpty())
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
