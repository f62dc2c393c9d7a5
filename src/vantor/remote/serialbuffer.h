#pragma once

#include <QByteArray>
#include <QMutex>

namespace Vl::Tavix3::UI {

// The input bytes of one port, oldest first; safe to fill and drain from different threads.
class SerialBuffer
{
public:
    void append(char byte);
    void append(const QByteArray& bytes);
    // Takes the oldest byte; false when the buffer is empty.
    bool takeByte(char& byte);
    bool isEmpty() const;
    // The number of bytes not taken yet.
    int size() const;
    void clear();

private:
    mutable QMutex m_mutex;
    QByteArray m_bytes;
    int m_readPos = 0; // bytes before it were taken already
};

} // namespace Vl::Tavix3::UI
