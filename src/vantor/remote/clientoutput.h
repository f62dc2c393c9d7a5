#pragma once

#include "remote/outgoingstream.h"

#include <QByteArray>
#include <QMutex>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

namespace Vl::Tavix3::UI {

// What waits to be sent to one TCP client: its place in the stream of messages that all clients
// share (OutgoingStream), handed straight to the operating system by whichever thread sends them, in
// the order they were sent. A client costs its place, however many messages wait for it. It writes
// through a descriptor of its own (a duplicate of the connection's), so that a connection closed and
// a descriptor number reused elsewhere is never written to.
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

    // Takes a place at the end of the stream: the client receives what is appended from now on.
    void start(const std::shared_ptr<OutgoingStream>& stream);
    // Leaves the stream, dropping what waits, and closes the descriptor; callable from any thread.
    void close();

    // Sends bytes to this client alone, after everything it has been sent so far.
    void enqueue(const QByteArray& bytes);
    // Hands what is queued to the operating system, as much as it takes now.
    SendResult send();
    // For the owner, after Blocked: takes up to maxBytes of the head for its socket (nothing when
    // nothing waits); no thread sends until sliceSent.
    QByteArray takeSlice(qint64 maxBytes);
    void sliceSent();

    // What waits for the client, each message counted at its cost (OutgoingMessage::cost).
    qint64 queuedBytes() const;
    // The largest message waiting, when it is one the stream counts as large; 0 otherwise.
    qint64 largestQueued() const;
    // The number of the oldest message not yet handed on; none when all were.
    std::optional<quint64> oldestWaiting() const;

    // The monotonic clock (ms) that dates the client's progress; thread-safe.
    void setClock(std::function<qint64()> clock);
    // When the operating system last accepted output of this client.
    qint64 lastProgressMs() const { return m_lastProgressMs; }
    void noteProgress();

private:
    bool isForThisClient(const OutgoingMessage& message) const;
    // The first place from the client's on that holds a message for it; null when none does yet.
    // The lock is held.
    const OutgoingStream::Link* head() const;
    // Moves the client's place past the messages for other clients; the lock is held.
    void skipOthers();
    // Moves the client's place past bytes that have been handed on; the lock is held.
    void consume(qint64 bytes);

    mutable QMutex m_mutex;
    int m_descriptor = -1;
    std::shared_ptr<OutgoingStream> m_stream;
    OutgoingStream::LinkPtr m_place; // the next message to hand on, or the end of the stream
    qint64 m_headOffset = 0; // bytes of the message at m_place already handed on
    bool m_slicePending = false;
    std::function<qint64()> m_clock;
    std::atomic<qint64> m_lastProgressMs { 0 };
};

} // namespace Vl::Tavix3::UI
