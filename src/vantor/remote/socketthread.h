#pragma once

#include "remote/clientoutput.h"

#include <QByteArray>
#include <QObject>
#include <QTcpSocket>

#include <functional>
#include <memory>
#include <optional>

namespace Vl::Tavix3::UI {

// One TCP client of the serial layer. Despite its name a plain object on the GUI thread: it
// reads what the client sends and writes what the serial layer sends to every client. It
// deletes itself, with its socket, when the client disconnects.
//
// Output waits in the client's ClientOutput, its place in the stream of messages shared with the
// other clients, which any thread may hand to the operating system; only when that takes no more
// does the socket hold a small slice, so a client that does not read costs its place, not a copy.
// Input is read only while the serial layer has room for it; otherwise it stays with the
// operating system, which slows the client down, until the serial layer resumes the reading.
class SocketThread : public QObject
{
    Q_OBJECT

public:
    // Output waiting beyond this (or beyond the largest message waiting, if larger) for
    // kSlowReaderGraceMs means the client does not read: it is dropped. Each message waiting counts
    // at its cost (OutgoingMessage::cost), so that many small ones count for what they hold.
    static constexpr qint64 kMaxUnsentBytes = 4 << 20;
    static constexpr qint64 kSlowReaderGraceMs = 5000;
    // Output handed to the socket when the operating system takes no more, and input it reads
    // ahead of the serial layer.
    static constexpr qint64 kSocketSliceBytes = 16 * 1024;
    static constexpr qint64 kReadAheadBytes = 16 * 1024;
    // The operating system's send buffer asked for each client.
    static constexpr qint64 kSystemSendBufferBytes = 256 * 1024;
    SocketThread(qintptr descriptor, QObject* parent = nullptr);
    ~SocketThread() override;

    // The descriptor was taken over and the client has not disconnected.
    bool isConnected() const;
    // Closes the connection at once, dropping what was not sent; disconnected() follows.
    void drop();
    // The input port the serial layer gave this client.
    int portId() const { return m_portId; }
    void setPortId(int portId) { m_portId = portId; }
    // The socket, for inspection; null once the client has gone.
    QTcpSocket* socket() const { return m_socket; }

    // The client's output, which other threads may send from; it outlives this object while they hold it.
    const std::shared_ptr<ClientOutput>& output() const { return m_output; }

    // Queues bytes for this client alone and, unless told otherwise, starts sending them.
    void enqueue(const QByteArray& bytes, bool sendNow = true);
    // Sends what is queued: as much as the operating system takes now, the rest when it has room.
    void pump();
    // Output not yet sent: the messages waiting, each at its cost, and what the socket still holds.
    qint64 unsentBytes() const;
    // The number of the oldest message not yet handed to the socket; none when all were.
    std::optional<quint64> oldestWaiting() const;
    // True when the client has left more than its limit unsent for kSlowReaderGraceMs up to nowMs
    // (a monotonic clock); the check is made by the serial layer at regular intervals.
    bool isStalled(qint64 nowMs);

    // The monotonic clock (ms) that dates the client's progress; unset means none is dated.
    void setClock(std::function<qint64()> clock) { m_output->setClock(std::move(clock)); }
    // When the client last took output off the server (the operating system accepted some of it).
    qint64 lastProgressMs() const { return m_output->lastProgressMs(); }

    // How many bytes of input the serial layer takes now; unset means no limit.
    void setInputRoom(std::function<qint64()> room) { m_inputRoom = std::move(room); }
    // Reads what the client sent while reading was held back; no-op when it was not.
    void resumeInput();
    bool isInputHeldBack() const { return m_inputHeldBack; }

signals:
    void error(QTcpSocket::SocketError socketerror);
    void dataReceived(QByteArray data);
    void sendSocketData(QByteArray data);
    void disconnected();

public slots:
    void readyRead();
    void sendData(QByteArray socketData);

private:
    QTcpSocket* m_socket = nullptr; // a child of this object
    qintptr m_descriptor = 0;
    int m_portId = 0;
    std::shared_ptr<ClientOutput> m_output;
    qint64 m_overLimitSinceMs = -1;

    std::function<qint64()> m_inputRoom;
    bool m_inputHeldBack = false;
};

} // namespace Vl::Tavix3::UI
