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

void ClientOutput::start(const std::shared_ptr<OutgoingStream>& stream)
{
    QMutexLocker locker(&m_mutex);
    if (m_descriptor < 0 || !stream)
        return;
    m_stream = stream;
    m_place = stream->end();
    m_headOffset = 0;
}

void ClientOutput::close()
{
    QMutexLocker locker(&m_mutex);
    // What only this client still waited for goes with its place.
    m_place.reset();
    m_headOffset = 0;
    if (m_descriptor >= 0) {
        ::close(m_descriptor);
        m_descriptor = -1;
    }
}

void ClientOutput::enqueue(const QByteArray& bytes)
{
    std::shared_ptr<OutgoingStream> stream;
    {
        QMutexLocker locker(&m_mutex);
        if (m_descriptor < 0 || !m_place)
            return;
        stream = m_stream;
    }
    stream->append(bytes, this);
}

bool ClientOutput::isForThisClient(const OutgoingMessage& message) const
{
    return !message.addressee() || message.addressee() == this;
}

const OutgoingStream::Link* ClientOutput::head() const
{
    for (const OutgoingStream::Link* link = m_place.get(); link && link->isFilled(); link = link->next().get()) {
        if (isForThisClient(link->message()))
            return link;
    }
    return nullptr;
}

void ClientOutput::skipOthers()
{
    while (m_place && m_place->isFilled() && !isForThisClient(m_place->message())) {
        m_place = m_place->next();
        m_headOffset = 0;
    }
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
    for (;;) {
        skipOthers();
        if (!m_place || !m_place->isFilled())
            break;
        iovec parts[kMaxPartsPerWrite];
        int count = 0;
        qint64 offset = m_headOffset;
        for (const OutgoingStream::Link* link = m_place.get(); link->isFilled() && count < kMaxPartsPerWrite;
             link = link->next().get()) {
            const OutgoingMessage& message = link->message();
            if (!isForThisClient(message))
                continue;
            const QByteArray& bytes = message.bytes();
            parts[count].iov_base = const_cast<char*>(bytes.constData() + offset);
            parts[count].iov_len = size_t(bytes.size() - offset);
            offset = 0;
            ++count;
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
    if (!m_place || !m_place->isFilled())
        return SendResult::Drained;
    return SendResult::Blocked;
}

QByteArray ClientOutput::takeSlice(qint64 maxBytes)
{
    QMutexLocker locker(&m_mutex);
    if (m_descriptor < 0 || m_slicePending)
        return {};
    skipOthers();
    if (!m_place || !m_place->isFilled())
        return {};
    const QByteArray& bytes = m_place->message().bytes();
    const qint64 length = std::min(qint64(bytes.size()) - m_headOffset, maxBytes);
    QByteArray slice(bytes.constData() + m_headOffset, int(length));
    consume(length);
    m_slicePending = true;
    return slice;
}

void ClientOutput::sliceSent()
{
    QMutexLocker locker(&m_mutex);
    m_slicePending = false;
}

void ClientOutput::consume(qint64 bytes)
{
    while (bytes > 0) {
        skipOthers();
        if (!m_place || !m_place->isFilled())
            return;
        const qint64 left = m_place->message().size() - m_headOffset;
        if (bytes < left) {
            m_headOffset += bytes;
            return;
        }
        bytes -= left;
        m_place = m_place->next();
        m_headOffset = 0;
    }
    skipOthers();
}

qint64 ClientOutput::queuedBytes() const
{
    QMutexLocker locker(&m_mutex);
    if (!m_place || !m_stream)
        return 0;
    return std::max<qint64>(0, m_stream->endPosition() - m_place->position() - m_headOffset);
}

qint64 ClientOutput::largestQueued() const
{
    QMutexLocker locker(&m_mutex);
    const OutgoingStream::Link* first = head();
    return first ? m_stream->largestFrom(first->message().sequence()) : 0;
}

std::optional<quint64> ClientOutput::oldestWaiting() const
{
    QMutexLocker locker(&m_mutex);
    const OutgoingStream::Link* first = head();
    if (!first)
        return std::nullopt;
    return first->message().sequence();
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
