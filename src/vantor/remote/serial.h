#pragma once

#include "events/event.h"
#include "remote/serialenum.h"
#include "remote/serialinfotype.h"
#include "remote/serialnoticequeue.h"

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QSharedPointer>
#include <QString>
#include <QTcpServer>

namespace Vl::Tavix3::UI {

class SerialBuffer;
class SocketThread;

// The serial layer: the TCP server on port 21967 that stands in for the device's serial
// channels, the input buffer of every port with the notices that wake the command server,
// and serialOutText, through which every message of the remote protocol leaves the program.
// Each TCP connection is a port of its own (type SER_PCA), so that the bytes of different
// clients never mix; what is sent on channel PCA goes to every client.
class Serial : public QTcpServer
{
    Q_OBJECT

public:
    static constexpr quint16 kPort = 21967;
    // The port that readTextFile fills.
    static constexpr int kVirtualPortId = 7;
    // Input of one client that the command server has not read yet, at most; beyond it the
    // client is dropped.
    static constexpr int kMaxPendingInputBytes = 1 << 20;

    explicit Serial(QObject* parent = nullptr);
    ~Serial() override;

    // Listens on every local address; false (and an error in the log) when the port is taken.
    bool startServer();

    // Feeds a whole file to the virtual port, as if it had been received.
    Q_INVOKABLE bool readTextFile(const QString& fileName);

    // The command server's side: take the oldest byte of a port, test it for input.
    bool readByte(const SerialInfoType& port, char& byte);
    bool isBufferEmpty(const SerialInfoType& port);
    SerialNoticeQueue& noticeQueue() { return m_noticeQueue; }

    // Sends text to every client when bit 0 (SERIAL_CHANNEL_PCA) of the mask is set; the other
    // channels have no output here and the port id plays no part. Callable from any thread.
    void serialOutText(int channelMask, int portId, const QString& text);
    // The reply to a port: the mask of the port's type.
    void serialOutText(const SerialInfoType& port, const QString& text);
    // Sends the "Sema"/"Event" message of an event to every client.
    void sendEvent(const EntityPtr<Event>& event);
    // The framed "Sema"/"Event" message of an event.
    static QString eventMessage(const Event& event);
    static int getSerialChannel(SerialEnum::SerialType type);

    // for unit testing: the clients connected now, and the port of each in connection order.
    int clientCount() const;
    QList<int> clientPortIds() const;

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

    void onSocketDataReceived(SocketThread* client, int portId, const QByteArray& data);
    void onClientDisconnected(int portId);
    QSharedPointer<SerialBuffer> portBuffer(int portId, bool create);
    void releaseIfDrained(int portId);
    int nextConnectionPortId();

    mutable QMutex m_portsMutex; // the map below; taken before a buffer's own lock
    QHash<uint, Port> m_ports;
    SerialNoticeQueue m_noticeQueue;
    int m_nextPortId = 1;
};

} // namespace Vl::Tavix3::UI
