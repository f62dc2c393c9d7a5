#pragma once

#include "remote/outgoingmessage.h"

#include <QByteArray>
#include <QMutex>
#include <QQueue>

#include <atomic>
#include <functional>
#include <optional>

namespace Vl::Tavix3::UI {

// What waits to be sent to one TCP client: a queue of messages shared with the other clients,
// handed straight to the operating system by whichever thread sends them, in the order they
// were queued. It writes through a descriptor of its own (a duplicate of the connection's), so
// that a connection closed and a descriptor number reused elsewhere is never written to.
//
// When the operating system takes no more, the owner of the connection hands a slice of the
// head to its socket, which tells when it has gone; no other thread writes meanwhile.
class ClientOutput
{
public:
    enum class SendResult {
        Drained, // nothing left waiting
        Blocked, // the operating system takes no more now; the owner must take a slice
        Held, // a slice is in the owner's socket; the owner sends on when it has gone
        Closed, // the connection is closed: nothing is sent any more
    };

    // Messages handed to the operating system in one call, at most.
    static constexpr int kMaxPartsPerWrite = 64;

    explicit ClientOutput(int descriptor);
    ~ClientOutput();
    ClientOutput(const ClientOutput&) = delete;
    ClientOutput& operator=(const ClientOutput&) = delete;

    // Drops what waits and closes the descriptor; callable from any thread.
    void close();

    void enqueue(const OutgoingMessagePtr& message);
    // Hands what is queued to the operating system, as much as it takes now.
    SendResult send();
    // For the owner, after Blocked: takes up to maxBytes of the head for its socket (nothing when
    // nothing waits); no thread sends until sliceSent.
    QByteArray takeSlice(qint64 maxBytes);
    void sliceSent();

    qint64 queuedBytes() const;
    // The largest message queued since the queue was last empty.
    qint64 largestQueued() const;
    // The number of the oldest message not yet handed on; none when all were.
    std::optional<quint64> oldestWaiting() const;

    // The monotonic clock (ms) that dates the client's progress; thread-safe.
    void setClock(std::function<qint64()> clock);
    // When the operating system last accepted output of this client.
    qint64 lastProgressMs() const { return m_lastProgressMs; }
    void noteProgress();

private:
    // Forgets bytes of the queue that have been handed on; the lock is held.
    void consume(qint64 bytes);

    mutable QMutex m_mutex;
    int m_descriptor = -1;
    QQueue<OutgoingMessagePtr> m_queue;
    qint64 m_headOffset = 0; // bytes of the first message already handed on
    qint64 m_queuedBytes = 0;
    qint64 m_largestQueued = 0;
    bool m_slicePending = false;
    std::function<qint64()> m_clock;
    std::atomic<qint64> m_lastProgressMs { 0 };
};

} // namespace Vl::Tavix3::UI
