#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTcpSocket>

#include <functional>

// A remote client of Vantor's command port on 127.0.0.1, as timing software would be: it writes
// bytes as they are given (so frames can be split, merged or broken on purpose) and splits what
// the server sends into messages: JSON frames (TAB ... STX) and synchronisation answers ("!" ... CR).
class RemoteClient
{
public:
    RemoteClient();

    // Connects, retrying while the server is still starting.
    bool connectToServer(int timeoutMs = 10000);
    bool isConnected() const;
    void disconnectFromServer();

    void send(const QByteArray& bytes);
    // One framed request in the envelope; without an id the header has no "ID" member.
    static QByteArray frame(
        const QString& type, const QString& section, const QJsonArray& data, const QString& id = QString());
    static QByteArray frame(
        const QString& section, const QJsonArray& data = QJsonArray { QJsonObject() }, const QString& id = QString());

    // Sends the bytes followed by a marker request and returns, parsed, every JSON message that came
    // before the marker's acknowledgement: what the server sent for the bytes and nothing else.
    QList<QJsonObject> exchange(const QByteArray& bytes, int timeoutMs = 10000);
    // The same with the raw frames (JSON and synchronisation answers).
    QList<QByteArray> exchangeRaw(const QByteArray& bytes, int timeoutMs = 10000);

    // Waits until at least count whole messages have arrived; false on time-out.
    bool waitForMessages(int count, int timeoutMs = 10000);
    // Waits for a message for which matches holds and takes it with the ones before it.
    QByteArray waitForMessage(const std::function<bool(const QByteArray&)>& matches, int timeoutMs = 10000);
    // The whole messages received and not yet taken, oldest first.
    QList<QByteArray> takeMessages();
    QByteArray received() const { return m_buffer; }
    void clear() { m_buffer.clear(); }

    static QJsonObject parse(const QByteArray& message);
    static QJsonObject header(const QJsonObject& message) { return message.value("Header").toObject(); }
    static QJsonObject firstData(const QJsonObject& message)
    {
        return message.value("Data").toArray().at(0).toObject();
    }
    // A status message the server pushes ("Sema", "Status").
    static bool isStatus(const QJsonObject& message);
    // The data of every error reply among the messages, each as compact JSON text.
    static QStringList errorsIn(const QList<QJsonObject>& messages);

private:
    // Splits off the next whole message from the start of the buffer; empty when there is none yet.
    QByteArray nextMessage();
    static QByteArray splitMessage(QByteArray& buffer);

    QTcpSocket m_socket;
    QByteArray m_buffer;
    int m_markers = 0;
};
