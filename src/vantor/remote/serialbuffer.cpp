#include "remote/serialbuffer.h"

#include <QMutexLocker>

#include <cstring>

namespace Vl::Tavix3::UI {

namespace {
// The bytes already taken are dropped from memory once there are this many of them and they make
// at least half of the buffer, so that draining a full buffer moves each byte a bounded number of times.
constexpr int kCompactThreshold = 4096;
} // namespace

void SerialBuffer::append(char byte)
{
    QMutexLocker locker(&m_mutex);
    m_bytes.append(byte);
}

void SerialBuffer::append(const QByteArray& bytes)
{
    QMutexLocker locker(&m_mutex);
    m_bytes.append(bytes);
}

bool SerialBuffer::takeByte(char& byte)
{
    QMutexLocker locker(&m_mutex);
    if (m_readPos >= m_bytes.size())
        return false;
    byte = m_bytes.at(m_readPos++);
    dropTakenBytes();
    return true;
}

int SerialBuffer::take(char* destination, int maxBytes)
{
    QMutexLocker locker(&m_mutex);
    const int count = qMin(maxBytes, m_bytes.size() - m_readPos);
    if (count <= 0)
        return 0;
    memcpy(destination, m_bytes.constData() + m_readPos, size_t(count));
    m_readPos += count;
    dropTakenBytes();
    return count;
}

bool SerialBuffer::isEmpty() const
{
    QMutexLocker locker(&m_mutex);
    return m_readPos >= m_bytes.size();
}

int SerialBuffer::size() const
{
    QMutexLocker locker(&m_mutex);
    return m_bytes.size() - m_readPos;
}

void SerialBuffer::clear()
{
    QMutexLocker locker(&m_mutex);
    m_bytes.clear();
    m_readPos = 0;
}

void SerialBuffer::dropTakenBytes()
{
    if (m_readPos == m_bytes.size()) {
        m_bytes.clear();
        m_readPos = 0;
    } else if (m_readPos >= kCompactThreshold && m_readPos * 2 >= m_bytes.size()) {
        m_bytes.remove(0, m_readPos);
        m_readPos = 0;
    }
}

} // namespace Vl::Tavix3::UI
