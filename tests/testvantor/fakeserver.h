#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

// A scripted stand-in for Vantor's command server on 127.0.0.1 and an ephemeral port: it records
// the frames a client sends, acknowledges them when told to, and sends any bytes the test wants,
// whole, split or merged.
class FakeServer : public QObject
{
    Q_OBJECT

public:
    // One request as the client framed it.
    struct Request
    {
        QByteArray bytes; // as received, TAB to STX
        QJsonObject root;
        QString type;
        QString section;
        QString id;
        QJsonArray data;
    };

    explicit FakeServer(QObject* parent = nullptr);

    bool listen();
    quint16 port() const { return m_server.serverPort(); }
    bool hasClient() const { return m_client && m_client->state() == QAbstractSocket::ConnectedState; }
    bool waitForClient(int timeoutMs = 5000);

    // Acknowledge every complete request at once, as Vantor does.
    void setAutoAcknowledge(bool on) { m_autoAcknowledge = on; }

    QList<Request> requests() const { return m_requests; }
    // Waits until at least count requests have arrived.
    bool waitForRequests(int count, int timeoutMs = 5000);
    QByteArray received() const { return m_received; }

    void send(const QByteArray& bytes);
    void acknowledge(const QString& id);
    // A framed message of the server: Type, Section, a new or given ID, and Data.
    static QByteArray frame(
        const QString& type, const QString& section, const QJsonArray& data, const QString& id = QString());
    void closeClient();

private slots:
    void onNewConnection();
    void onReadyRead();

private:
    QTcpServer m_server;
    QPointer<QTcpSocket> m_client;
    QByteArray m_received;
    QByteArray m_pending;
    QList<Request> m_requests;
    bool m_autoAcknowledge = false;
};
