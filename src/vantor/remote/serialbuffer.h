#pragma once

#include <QByteArray>
#include <QMutex>

#include <atomic>

namespace Vl::Tavix3::UI {

// The input bytes of one port, oldest first; safe to fill and drain from different threads.
class SerialBuffer
{
public:
    void append(char byte);
    void append(const QByteArray& bytes);
    // Takes the oldest byte; false when the buffer is empty.
    bool takeByte(char& byte);
    // Takes up to maxBytes of the oldest bytes into destination; the number taken.
    int take(char* destination, int maxBytes);
    bool isEmpty() const;
    // The number of bytes not taken yet.
    int size() const;
    void clear();
    // Set while the connection that fills the buffer waits for room in it.
    void setHeldBack(bool heldBack) { m_heldBack = heldBack; }
    bool isHeldBack() const { return m_heldBack; }

private:
    // Frees the bytes taken so far when it is worth it; called with the lock held.
    void dropTakenBytes();

    mutable QMutex m_mutex;
    QByteArray m_bytes;
    int m_readPos = 0; // bytes before it were taken already
    std::atomic<bool> m_heldBack { false };
};

} // namespace Vl::Tavix3::UI
