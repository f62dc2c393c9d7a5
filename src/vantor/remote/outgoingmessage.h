#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <atomic>
#include <memory>

namespace Vl::Tavix3::UI {

class ClientOutput;

// One message on its way to the TCP clients: built once and shared by every client it is for. It
// counts in the server's output budget, at its cost, until the last client has handed it to its socket.
class OutgoingMessage
{
public:
    // What a message costs beyond its bytes while it waits: its own record, its place in the stream of
    // messages (OutgoingStream) and the allocations that hold them.
    static constexpr qint64 kBookkeepingBytes = 192;
    // A message this small keeps no spare capacity: thousands of them may wait at once.
    static constexpr int kSqueezeBelowBytes = 64 * 1024;

    static qint64 costOf(qint64 size) { return size + kBookkeepingBytes; }

    // held: the server's count of output held, or null for a message nobody counts. addressee: the one
    // client the message is for, or null for every client.
    OutgoingMessage(
        QByteArray bytes, quint64 sequence, std::atomic<qint64>* held, const ClientOutput* addressee = nullptr)
        : m_bytes(std::move(bytes))
        , m_sequence(sequence)
        , m_held(held)
        , m_addressee(addressee)
    {
        if (m_bytes.size() < kSqueezeBelowBytes)
            m_bytes.squeeze();
        if (m_held)
            m_held->fetch_add(cost());
    }
    ~OutgoingMessage()
    {
        if (m_held)
            m_held->fetch_sub(cost());
    }
    OutgoingMessage(const OutgoingMessage&) = delete;
    OutgoingMessage& operator=(const OutgoingMessage&) = delete;

    const QByteArray& bytes() const { return m_bytes; }
    qint64 size() const { return m_bytes.size(); }
    qint64 cost() const { return costOf(size()); }
    // Messages are numbered in the order they are sent: a lower number is an older message.
    quint64 sequence() const { return m_sequence; }
    const ClientOutput* addressee() const { return m_addressee; }

private:
    QByteArray m_bytes;
    quint64 m_sequence;
    std::atomic<qint64>* m_held;
    const ClientOutput* m_addressee;
};

using OutgoingMessagePtr = std::shared_ptr<const OutgoingMessage>;

} // namespace Vl::Tavix3::UI
