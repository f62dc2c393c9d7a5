#include "remote/clientoutput.h"

#include <QMutexLocker>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <unistd.h>

namespace Vl::Tavix3::UI {

ClientOutput::ClientOutput(int descriptor)
    : m_descriptor(descriptor >= 0 ? ::fcntl(descriptor, F_DUPFD_CLOEXEC, 0) : -1)
{
}

ClientOutput::~ClientOutput() { close(); }

void ClientOutput::close()
{
    QMutexLocker locker(&m_mutex);
    m_queue.clear();
    m_queuedBytes = 0;
    m_headOffset = 0;
    m_largestQueued = 0;
    if (m_descriptor >= 0) {
        ::close(m_descriptor);
        m_descriptor = -1;
    }
}

void ClientOutput::enqueue(const OutgoingMessagePtr& message)
{
    if (!message || message->size() == 0)
        return;
    QMutexLocker locker(&m_mutex);
    if (m_descriptor < 0)
        return;
    m_queue.enqueue(message);
    m_queuedBytes += message->size();
    m_largestQueued = std::max(m_largestQueued, message->size());
}

ClientOutput::SendResult ClientOutput::send()
{
    QMutexLocker locker(&m_mutex);
    if (m_descriptor < 0)
        return SendResult::Closed;
    if (m_slicePending)
        return SendResult::Held;
    // Everything waiting goes to the operating system in as few calls as it takes, without a copy.
    bool progressed = false;
    while (!m_queue.isEmpty()) {
        iovec parts[kMaxPartsPerWrite];
        int count = 0;
        qint64 offset = m_headOffset;
        for (auto it = m_queue.cbegin(); it != m_queue.cend() && count < kMaxPartsPerWrite; ++it, ++count) {
            const QByteArray& bytes = (*it)->bytes();
            parts[count].iov_base = const_cast<char*>(bytes.constData() + offset);
            parts[count].iov_len = size_t(bytes.size() - offset);
            offset = 0;
        }
        msghdr header {};
        header.msg_iov = parts;
        header.msg_iovlen = size_t(count);
        const ssize_t sent = ::sendmsg(m_descriptor, &header, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            break;
        consume(sent);
        progressed = true;
    }
    if (progressed && m_clock)
        m_lastProgressMs = m_clock();
    if (m_queue.isEmpty()) {
        m_largestQueued = 0;
        return SendResult::Drained;
    }
    return SendResult::Blocked;
}

QByteArray ClientOutput::takeSlice(qint64 maxBytes)
{
    QMutexLocker locker(&m_mutex);
    if (m_descriptor < 0 || m_slicePending || m_queue.isEmpty())
        return {};
    const QByteArray& bytes = m_queue.head()->bytes();
    const qint64 length = std::min(qint64(bytes.size()) - m_headOffset, maxBytes);
    QByteArray slice(bytes.constData() + m_headOffset, int(length));
    consume(length);
    m_slicePending = true;
    if (m_queue.isEmpty())
        m_largestQueued = 0;
    return slice;
}

void ClientOutput::sliceSent()
{
    QMutexLocker locker(&m_mutex);
    m_slicePending = false;
}

void ClientOutput::consume(qint64 bytes)
{
    m_queuedBytes -= bytes;
    while (bytes > 0 && !m_queue.isEmpty()) {
        const qint64 left = m_queue.head()->size() - m_headOffset;
        if (bytes < left) {
            m_headOffset += bytes;
            return;
        }
        bytes -= left;
        m_queue.dequeue();
        m_headOffset = 0;
    }
}

qint64 ClientOutput::queuedBytes() const
{
    QMutexLocker locker(&m_mutex);
    return m_queuedBytes;
}

qint64 ClientOutput::largestQueued() const
{
    QMutexLocker locker(&m_mutex);
    return m_largestQueued;
}

std::optional<quint64> ClientOutput::oldestWaiting() const
{
    QMutexLocker locker(&m_mutex);
    if (m_queue.isEmpty())
        return std::nullopt;
    return m_queue.head()->sequence();
}

void ClientOutput::setClock(std::function<qint64()> clock)
{
    QMutexLocker locker(&m_mutex);
    m_clock = std::move(clock);
    m_lastProgressMs = m_clock ? m_clock() : 0;
}

void ClientOutput::noteProgress()
{
    QMutexLocker locker(&m_mutex);
    if (m_clock)
        m_lastProgressMs = m_clock();
}

} // namespace Vl::Tavix3::UI
