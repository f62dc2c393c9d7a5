#pragma once

#include <QList>
#include <QMutex>
#include <QMutexLocker>
#include <QVariant>
#include <QWaitCondition>

namespace Vl::Tavix3::UI {

// A message queue of the application object: the thread stopper can append an empty entry
// and wake its waiters.
struct MessageQueue
{
    QMutex mutex;
    QWaitCondition condition;
    QMutex replyMutex;
    QWaitCondition replyCondition;
    QList<QVariant> entries;

    void signal()
    {
        QMutexLocker locker(&mutex);
        entries.append(QVariant());
        condition.wakeAll();
    }
};

} // namespace Vl::Tavix3::UI
