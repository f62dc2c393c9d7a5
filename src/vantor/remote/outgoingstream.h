#pragma once

#include "remote/outgoingmessage.h"

#include <QByteArray>
#include <QMutex>

#include <atomic>
#include <memory>
#include <vector>

namespace Vl::Tavix3::UI {

class ClientOutput;

// The messages on their way to the TCP clients, in the order they were sent: one chain that every
// client reads from at a place of its own. A message stays while a client has not taken it and goes
// with the last one that has, so what waits for a client costs its place in the chain, not an entry
// or a copy per message, however many messages wait and however many clients there are.
class OutgoingStream
{
public:
    // One place in the chain: the end of the stream until a message is appended there; from then
    // on it holds the message and the place after it.
    class Link
    {
    public:
        explicit Link(qint64 position)
            : m_position(position)
        {
        }
        ~Link();
        Link(const Link&) = delete;
        Link& operator=(const Link&) = delete;

        // Whether a message has been appended here: message() and next() are valid only then.
        bool isFilled() const { return m_filled.load(std::memory_order_acquire); }
        const OutgoingMessage& message() const { return *m_message; }
        const std::shared_ptr<Link>& next() const { return m_next; }
        // The cost (OutgoingMessage::cost) of everything appended before this place.
        qint64 position() const { return m_position; }

    private:
        friend class OutgoingStream;

        const qint64 m_position;
        OutgoingMessagePtr m_message;
        std::shared_ptr<Link> m_next;
        std::atomic<bool> m_filled { false };
    };
    using LinkPtr = std::shared_ptr<Link>;

    // held: the count of output held that every message adds its cost to while it lives (see
    // OutgoingMessage). Messages of at least largeBytes are remembered for largestFrom.
    OutgoingStream(std::atomic<qint64>* held, qint64 largeBytes);
    OutgoingStream(const OutgoingStream&) = delete;
    OutgoingStream& operator=(const OutgoingStream&) = delete;

    // Appends a message for every client, or for the addressee alone; callable from any thread.
    void append(const QByteArray& bytes, const ClientOutput* addressee = nullptr);
    // The end of the stream: the place of a client that receives what is appended from now on.
    LinkPtr end() const;
    qint64 endPosition() const { return m_endPosition; }
    // The number of the newest message; 0 before the first.
    quint64 lastSequence() const;
    // The size of the largest message of at least largeBytes numbered sequence or later that is
    // still waiting for some client; 0 when there is none.
    qint64 largestFrom(quint64 sequence) const;

private:
    mutable QMutex m_mutex;
    std::atomic<qint64>* m_held;
    const qint64 m_largeBytes;
    LinkPtr m_end;
    std::atomic<qint64> m_endPosition { 0 };
    quint64 m_lastSequence = 0;
    // The messages of at least m_largeBytes, oldest first; the ones gone are removed as more come.
    std::vector<std::weak_ptr<const OutgoingMessage>> m_large;
};

} // namespace Vl::Tavix3::UI
