#pragma once

#include "events/event.h"
#include "remote/logthrottle.h"
#include "remote/serialenum.h"
#include "remote/serialinfotype.h"
#include "remote/serialnoticequeue.h"

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QSharedPointer>
#include <QString>
#include <QTcpServer>
#include <QTimer>
#include <QVector>

#include <atomic>
#include <functional>
#include <memory>

namespace Vl::Tavix3::UI {

class ClientOutput;
class OutgoingStream;
class SerialBuffer;
class SocketThread;

// The serial layer: the TCP server on port 21967 that stands in for the device's serial
// channels, the input buffer of every port with the notices that wake the command server,
// and serialOutText, through which every message of the remote protocol leaves the program.
// Each TCP connection is a port of its own (type SER_PCA), so that the bytes of different
// clients never mix; what is sent on channel PCA goes to every client. The connections, their
// unread input and the output waiting for them are bounded (see the limits below), so that
// clients that flood, stall or never read cost bounded memory and the others stay served.
class Serial : public QTcpServer
{
    Q_OBJECT

public:
    static constexpr quint16 kPort = 21967;
    // The port that readTextFile fills.
    static constexpr int kVirtualPortId = 7;
    // Clients connected at the same time, at most; a newer one is refused.
    static constexpr int kMaxConnections = 2000;
    // Input that the command server has not read yet, at most, of one client and of all together.
    // Beyond it a client's input stays with the operating system until there is room again, which
    // slows the client down; nothing is lost and nobody is dropped for it.
    static constexpr int kMaxPendingInputBytes = 256 * 1024;
    static constexpr qint64 kInputBudgetBytes = 16 << 20;
    // Output held for the clients, at most, each message counted once at its cost (its bytes and its
    // bookkeeping) however many clients wait for it; a client costs no more than its place among the
    // messages. Beyond it the clients furthest behind are dropped, never for the newest message alone
    // and never while they are taking their output.
    static constexpr qint64 kOutputBudgetBytes = 64 << 20;
    // A client that took output within this time counts as reading: the budget does not drop it.
    static constexpr qint64 kProgressWindowMs = 2000;
    // How often the clients are checked for output they do not read.
    static constexpr int kClientCheckMs = 1000;
    // The log tells of refused and dropped clients once in this time at most, the ones after the
    // first summed up.
    static constexpr qint64 kLogIntervalMs = 1000;

    explicit Serial(QObject* parent = nullptr);
    ~Serial() override;

    // Listens on every local address; false (and an error in the log) when the port is taken.
    bool startServer();

    // Feeds a whole file to the virtual port, as if it had been received.
    Q_INVOKABLE bool readTextFile(const QString& fileName);

    // The command server's side: take the oldest byte of a port, test it for input.
    bool readByte(const SerialInfoType& port, char& byte);
    // Takes up to maxBytes of the oldest bytes of a port; the number taken.
    int readBytes(const SerialInfoType& port, char* destination, int maxBytes);
    bool isBufferEmpty(const SerialInfoType& port);
    SerialNoticeQueue& noticeQueue() { return m_noticeQueue; }

    // When a text leaves. Every text leaves after the texts sent before it, for every client.
    enum class Delivery {
        // After everything already posted to the GUI thread has been handled there (a setting
        // stored, a screen shown): for texts that report work of the GUI thread.
        AfterGuiWork,
        // At once, from the sending thread: for texts that report nothing of the GUI thread
        // (the status, events, answers that only read).
        Immediate,
    };

    // Sends text to every client when bit 0 (SERIAL_CHANNEL_PCA) of the mask is set; the other
    // channels have no output here and the port id plays no part. Callable from any thread.
    void serialOutText(int channelMask, int portId, const QString& text, Delivery delivery = Delivery::AfterGuiWork);
    // The reply to a port: the mask of the port's type.
    void serialOutText(const SerialInfoType& port, const QString& text, Delivery delivery = Delivery::AfterGuiWork);
    // While a thread holds a batch open, the texts it sends at once wait until the batch ends or is
    // flushed, and then go out together, one write for each client (the command server's round of
    // requests). A batch must be flushed before its thread waits for anything.
    void beginOutputBatch();
    void flushOutputBatch();
    void endOutputBatch();
    // Sends the "Sema"/"Event" message of an event to every client, at once.
    void sendEvent(const EntityPtr<Event>& event);
    // The framed "Sema"/"Event" message of an event.
    static QString eventMessage(const Event& event);
    static int getSerialChannel(SerialEnum::SerialType type);

    // Bytes held now: input not yet read by the command server, output not yet handed to a socket
    // (each message at its cost).
    qint64 heldInputBytes() const { return m_heldInputBytes; }
    qint64 heldOutputBytes() const { return m_heldOutputBytes; }
    // For a producer of replies on another thread: waits, at most timeoutMs, while the output held
    // for the clients is over its budget; false when it still is.
    bool waitForOutputRoom(int timeoutMs);

    // for unit testing: the clients connected now, and the port of each in connection order.
    int clientCount() const;
    QList<int> clientPortIds() const;
    // for unit testing: the monotonic clock (ms) that judges slow readers, and the regular check.
    void setClockForTesting(std::function<qint64()> clock) { m_clock = std::move(clock); }
    void checkClients();

signals:
    void newText(const QString& text);
    void openWaitPlease(const QString& text);
    void openWaitPlease();
    void closeWaitPlease();
    void showTitleFormMessage(const QString& text);
    void showSubTitleFormMessage(const QString& text);
    void isModemHuaweiEnabledChanged();
    // Outgoing bytes; every client receives them.
    void sendSocketData(QByteArray sendData);

protected:
    void incomingConnection(qintptr socketDescriptor) override;

private:
    struct Port
    {
        QSharedPointer<SerialBuffer> buffer;
        bool isOpen = true; // a closed connection's port goes once its bytes are read
    };

    void onSocketDataReceived(int portId, const QByteArray& data);
    // Room for more input of a port; marks the port (or all input) as held back when there is none.
    qint64 inputRoom(int portId);
    // After input was taken from a buffer: lets held-back connections read again once there is room.
    void afterInputTaken(SerialBuffer& buffer, int count);
    void resumeInput();
    // Hands the texts sent since the last turn to every client, each built once and shared.
    void deliverOutput();
    // Builds the message of a text and queues it for every client (the outgoing lock is held);
    // false when there is nothing to queue or nobody to queue it for.
    bool queueForEveryClient(const QByteArray& text);
    // Hands what is queued for the clients to the operating system from the calling thread.
    void sendQueuedOutput(const QVector<std::shared_ptr<ClientOutput>>& receivers);
    // Sends, on the GUI thread, what clients left waiting when another thread sent to them.
    void serviceOutput();
    // Sends what is queued for every client, on the GUI thread, then judges the output budget.
    void pumpClients();
    void enforceOutputBudget();
    void refuseConnection(qintptr socketDescriptor);
    // Drops a client that does not read, telling the log why (within the log's interval).
    void dropClient(SocketThread* client, const QString& reason);
    // The lines the log still owes for refused and dropped clients, once their interval is over;
    // and the memory that dropped clients left, given back to the system.
    void reportDropsAndRefusals();
    void onAcceptError(QAbstractSocket::SocketError error);
    void onClientDisconnected(int portId);
    QSharedPointer<SerialBuffer> portBuffer(int portId, bool create);
    void releaseIfDrained(int portId);
    int nextConnectionPortId();

    mutable QMutex m_portsMutex; // the map below; taken before a buffer's own lock
    QHash<uint, Port> m_ports;
    SerialNoticeQueue m_noticeQueue;
    int m_nextPortId = 1;

    QList<SocketThread*> m_clients; // connected, in connection order
    std::atomic<qint64> m_heldInputBytes { 0 };
    std::atomic<bool> m_inputBudgetHeldBack { false };
    std::atomic<bool> m_resumePosted { false };

    QMutex m_outgoingMutex; // the texts and outputs below, the order of texts in the stream; used from any thread
    QList<QByteArray> m_outgoing; // texts waiting for the GUI thread's delivery
    bool m_deliveryPosted = false;
    QVector<std::shared_ptr<ClientOutput>> m_outputs; // of the connected clients, in connection order
    std::atomic<bool> m_servicePosted { false };
    std::atomic<qint64> m_heldOutputBytes { 0 };
    std::shared_ptr<OutgoingStream> m_stream; // the messages on their way, for the clients in m_outputs

    QTimer* m_checkTimer = nullptr;
    std::function<qint64()> m_clock;
    LogThrottle m_refusalLog { kLogIntervalMs };
    LogThrottle m_acceptErrorLog { kLogIntervalMs };
    LogThrottle m_dropLog { kLogIntervalMs };
    bool m_droppedSinceTrim = false;
};

} // namespace Vl::Tavix3::UI
