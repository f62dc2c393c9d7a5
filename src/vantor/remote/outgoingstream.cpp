#include "remote/outgoingstream.h"

#include <QMutexLocker>

#include <algorithm>

namespace Vl::Tavix3::UI {

OutgoingStream::Link::~Link()
{
    // The places after this one that nobody else holds go with it, one after the other: a chain of
    // many thousand messages left by a client that never read must not be released by recursion.
    // Nobody can take hold of a place that only its predecessor holds.
    LinkPtr next = std::move(m_next);
    while (next && next.use_count() == 1) {
        LinkPtr after = std::move(next->m_next);
        next = std::move(after);
    }
}

OutgoingStream::OutgoingStream(std::atomic<qint64>* held, qint64 largeBytes)
    : m_held(held)
    , m_largeBytes(largeBytes)
    , m_end(std::make_shared<Link>(0))
{
}

void OutgoingStream::append(const QByteArray& bytes, const ClientOutput* addressee)
{
    if (bytes.isEmpty())
        return;
    QMutexLocker locker(&m_mutex);
    auto message = std::make_shared<const OutgoingMessage>(bytes, ++m_lastSequence, m_held, addressee);
    if (message->size() >= m_largeBytes) {
        m_large.erase(std::remove_if(m_large.begin(), m_large.end(), [](const auto& large) { return large.expired(); }),
            m_large.end());
        m_large.push_back(message);
    }
    const qint64 position = m_end->position() + message->cost();
    auto next = std::make_shared<Link>(position);
    m_end->m_message = std::move(message);
    m_end->m_next = next;
    // The clients at this place see the message, and the place after it, from here on.
    m_end->m_filled.store(true, std::memory_order_release);
    m_end = std::move(next);
    m_endPosition = position;
}

OutgoingStream::LinkPtr OutgoingStream::end() const
{
    QMutexLocker locker(&m_mutex);
    return m_end;
}

quint64 OutgoingStream::lastSequence() const
{
    QMutexLocker locker(&m_mutex);
    return m_lastSequence;
}

qint64 OutgoingStream::largestFrom(quint64 sequence) const
{
    QMutexLocker locker(&m_mutex);
    qint64 largest = 0;
    for (const auto& large : m_large) {
        const std::shared_ptr<const OutgoingMessage> message = large.lock();
        if (message && message->sequence() >= sequence)
            largest = std::max(largest, message->size());
    }
    return largest;
}

} // namespace Vl::Tavix3::UI
