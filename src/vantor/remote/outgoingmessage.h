#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <atomic>
#include <memory>

namespace Vl::Tavix3::UI {

// One message on its way to the TCP clients: built once and shared by the output queue of every
// client. It counts in the server's output budget until the last client has handed it to its socket.
class OutgoingMessage
{
public:
    // held: the server's count of output bytes held, or null for a message nobody counts.
    OutgoingMessage(QByteArray bytes, quint64 sequence, std::atomic<qint64>* held)
        : m_bytes(std::move(bytes))
        , m_sequence(sequence)
        , m_held(held)
    {
        if (m_held)
            m_held->fetch_add(m_bytes.size());
    }
    ~OutgoingMessage()
    {
        if (m_held)
            m_held->fetch_sub(m_bytes.size());
    }
    OutgoingMessage(const OutgoingMessage&) = delete;
    OutgoingMessage& operator=(const OutgoingMessage&) = delete;

    const QByteArray& bytes() const { return m_bytes; }
    qint64 size() const { return m_bytes.size(); }
    // Messages are numbered in the order they are sent: a lower number is an older message.
    quint64 sequence() const { return m_sequence; }

private:
    QByteArray m_bytes;
    quint64 m_sequence;
    std::atomic<qint64>* m_held;
};

using OutgoingMessagePtr = std::shared_ptr<const OutgoingMessage>;

} // namespace Vl::Tavix3::UI
