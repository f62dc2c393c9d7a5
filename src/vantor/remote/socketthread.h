#pragma once

#include <QByteArray>
#include <QMutex>
#include <QObject>
#include <QTcpSocket>

namespace Vl::Tavix3::UI {

// One TCP client of the serial layer. Despite its name a plain object on the GUI thread: it
// reads what the client sends and writes what the serial layer sends to every client. It
// deletes itself, with its socket, when the client disconnects.
class SocketThread : public QObject
{
    Q_OBJECT

public:
    // Output waiting to be sent beyond this means the client does not read: it is dropped.
    static constexpr qint64 kMaxUnsentBytes = 1 << 20;

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

signals:
    void error(QTcpSocket::SocketError socketerror);
    void dataReceived(QByteArray data);
    void sendSocketData(QByteArray data);
    void disconnected();

public slots:
    void readyRead();
    void sendData(QByteArray socketData);

private:
    void write(const QByteArray& data);

    QTcpSocket* m_socket = nullptr; // a child of this object
    qintptr m_descriptor = 0;
    int m_portId = 0;
    QMutex m_writeMutex;
};

} // namespace Vl::Tavix3::UI
