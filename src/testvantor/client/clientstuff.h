#pragma once

#include "client/clientsocket.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

// TestVantor's one TCP connection to Vantor's command server: the socket, the host and port, the
// connected flag and the connect time-out.
class ClientStuff : public QObject
{
    Q_OBJECT

public:
    static constexpr int kConnectTimeoutMs = 10000;

    ClientStuff(const QString& host, quint16 port, QObject* parent = nullptr);
    ~ClientStuff() override;

    QTcpSocket* socket() { return &m_socket; }
    bool getStatus() const { return m_status; }
    QString host() const { return m_host; }
    // Replaces the host for the next connect2host; an open connection stays as it is.
    void setHost(const QString& host) { m_host = host; }
    quint16 port() const { return m_port; }

    // A dotted IPv4 address with leading zeros in its groups loses them ("127.000.000.001" gives
    // 127.0.0.1); any other text is a host name and is left unchanged.
    static QString normalizeIpAddress(const QString& host);

    // for unit testing
    void setPort(quint16 port) { m_port = port; }
    void setConnectTimeout(int ms) { m_connectTimeoutMs = ms; }
    int connectTimeout() const { return m_connectTimeoutMs; }

public slots:
    void closeConnection();
    void connect2host();

signals:
    void statusChanged(bool newStatus);
    void hasReadSome(QByteArray msg);

private slots:
    void readyRead();
    void connected();
    void connectionTimeout();

private:
    ClientSocket m_socket;
    QString m_host;
    quint16 m_port;
    bool m_status = false;
    QTimer m_connectTimer;
    int m_connectTimeoutMs = kConnectTimeoutMs;
};
