#pragma once

#include "remote/serialinfotype.h"

#include <QList>
#include <QMutex>
#include <QWaitCondition>

namespace Vl::Tavix3::UI {

// The notices through which the serial layer wakes the command-server thread: one entry per
// arrival of bytes, naming the port that received them.
class SerialNoticeQueue
{
public:
    // Appends a notice and wakes the waiting consumer.
    void post(const SerialInfoType& port);
    // Waits at most timeoutMs for a notice when there is none and takes the oldest; false when
    // none came. Signals the reply condition after each call.
    bool take(SerialInfoType& port, unsigned long timeoutMs);
    int size() const;

    mutable QMutex mutex; // guards the notices; the consumer waits on condition with it
    QWaitCondition condition;
    QMutex replyMutex; // signalled by the consumer after each notice it takes
    QWaitCondition replyCondition;

private:
    QList<SerialInfoType> m_notices;
};

} // namespace Vl::Tavix3::UI
