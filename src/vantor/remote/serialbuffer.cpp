#include "remote/serialbuffer.h"

#include <QMutexLocker>

namespace Vl::Tavix3::UI {

namespace {
// The bytes already taken are dropped from memory once there are this many of them.
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
    if (m_readPos == m_bytes.size()) {
        m_bytes.clear();
        m_readPos = 0;
    } else if (m_readPos >= kCompactThreshold) {
        m_bytes.remove(0, m_readPos);
        m_readPos = 0;
    }
    return true;
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

} // namespace Vl::Tavix3::UI
