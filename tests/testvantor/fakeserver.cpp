#include "fakeserver.h"

#include <QJsonDocument>
#include <QTest>
#include <QUuid>

FakeServer::FakeServer(QObject* parent)
    : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &FakeServer::onNewConnection);
}

bool FakeServer::listen() { return m_server.listen(QHostAddress::LocalHost, 0); }

bool FakeServer::waitForClient(int timeoutMs)
{
    return QTest::qWaitFor([this] { return hasClient(); }, timeoutMs);
}

bool FakeServer::waitForRequests(int count, int timeoutMs)
{
    return QTest::qWaitFor([this, count] { return m_requests.size() >= count; }, timeoutMs);
}

void FakeServer::onNewConnection()
{
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        if (m_client) {
            m_client->deleteLater();
        }
        m_client = socket;
        connect(socket, &QTcpSocket::readyRead, this, &FakeServer::onReadyRead);
    }
}

void FakeServer::onReadyRead()
{
    const QByteArray bytes = m_client->readAll();
    m_received += bytes;
    m_pending += bytes;
    for (;;) {
        const int start = m_pending.indexOf('\x09');
        if (start < 0)
            break;
        const int end = m_pending.indexOf('\x02', start);
        if (end < 0)
            break;
        Request request;
        request.bytes = m_pending.mid(start, end - start + 1);
        request.root = QJsonDocument::fromJson(m_pending.mid(start + 1, end - start - 1)).object();
        const QJsonObject header = request.root.value(QStringLiteral("Header")).toObject();
        request.type = header.value(QStringLiteral("Type")).toString();
        request.section = header.value(QStringLiteral("Section")).toString();
        request.id = header.value(QStringLiteral("ID")).toString();
        request.data = request.root.value(QStringLiteral("Data")).toArray();
        m_pending.remove(0, end + 1);
        m_requests << request;
        if (m_autoAcknowledge && request.section != QLatin1String("DisplayboardOutput"))
            acknowledge(request.id);
    }
}

void FakeServer::send(const QByteArray& bytes)
{
    if (!m_client)
        return;
    m_client->write(bytes);
    m_client->flush();
}

void FakeServer::acknowledge(const QString& id) { send(frame(QStringLiteral("SemaACK"), QString(), {}, id)); }

QByteArray FakeServer::frame(const QString& type, const QString& section, const QJsonArray& data, const QString& id)
{
    const QJsonObject header { { QStringLiteral("Type"), type }, { QStringLiteral("Section"), section },
        { QStringLiteral("ID"), id.isNull() ? QUuid::createUuid().toString(QUuid::WithoutBraces) : id } };
    const QJsonObject root { { QStringLiteral("Header"), header }, { QStringLiteral("Data"), data } };
    return '\x09' + QJsonDocument(root).toJson(QJsonDocument::Compact) + '\x02';
}

void FakeServer::closeClient()
{
    if (m_client)
        m_client->close();
}
