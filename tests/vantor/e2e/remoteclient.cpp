#include "remoteclient.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QTest>

RemoteClient::RemoteClient()
{
    QObject::connect(&m_socket, &QTcpSocket::readyRead, [this]() { m_buffer += m_socket.readAll(); });
}

bool RemoteClient::connectToServer(int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        m_socket.abort();
        m_socket.connectToHost(QHostAddress::LocalHost, 21967);
        if (m_socket.waitForConnected(1000))
            return true;
        QTest::qWait(50);
    }
    return false;
}

bool RemoteClient::isConnected() const { return m_socket.state() == QAbstractSocket::ConnectedState; }

void RemoteClient::disconnectFromServer()
{
    m_socket.disconnectFromHost();
    if (m_socket.state() != QAbstractSocket::UnconnectedState)
        m_socket.waitForDisconnected(3000);
}

void RemoteClient::send(const QByteArray& bytes)
{
    m_socket.write(bytes);
    m_socket.flush();
    m_socket.waitForBytesWritten(1000);
}

QByteArray RemoteClient::frame(const QString& type, const QString& section, const QJsonArray& data, const QString& id)
{
    QJsonObject headerObject { { "Type", type }, { "Section", section } };
    if (!id.isNull())
        headerObject.insert("ID", id);
    const QJsonObject root { { "Header", headerObject }, { "Data", data } };
    return '\t' + QJsonDocument(root).toJson(QJsonDocument::Compact) + '\x02';
}

QByteArray RemoteClient::frame(const QString& section, const QJsonArray& data, const QString& id)
{
    return frame(QStringLiteral("Sema"), section, data, id);
}

QList<QByteArray> RemoteClient::exchangeRaw(const QByteArray& bytes, int timeoutMs)
{
    const QString marker = QStringLiteral("marker-%1").arg(++m_markers);
    send(bytes + frame(QStringLiteral("GetVersionNumber"), QJsonArray { QJsonObject() }, marker));
    const QByteArray markerAck = "\"ID\":\"" + marker.toUtf8() + "\",\"Section\":\"\",\"Type\":\"SemaACK\"";
    QList<QByteArray> before;
    QElapsedTimer clock;
    clock.start();
    bool markerSeen = false;
    while (!markerSeen) {
        const QByteArray message = nextMessage();
        if (message.isEmpty()) {
            if (clock.elapsed() > timeoutMs)
                return before << QByteArray("<time-out>");
            QTest::qWait(2);
            continue;
        }
        if (message.contains(markerAck))
            markerSeen = true;
        else
            before << message;
    }
    // The marker's own reply follows its acknowledgement.
    waitForMessage([](const QByteArray& m) { return m.contains("\"Section\":\"GetVersionNumber\",\"Type\":\"Sema\""); },
        timeoutMs);
    return before;
}

QList<QJsonObject> RemoteClient::exchange(const QByteArray& bytes, int timeoutMs)
{
    QList<QJsonObject> messages;
    for (const QByteArray& raw : exchangeRaw(bytes, timeoutMs))
        messages << parse(raw);
    return messages;
}

QByteArray RemoteClient::nextMessage() { return splitMessage(m_buffer); }

QByteArray RemoteClient::splitMessage(QByteArray& buffer)
{
    // Bytes before a message's first byte are not expected; they come out as a message of their own
    // so a test sees them.
    if (buffer.isEmpty())
        return {};
    const char first = buffer.at(0);
    const char last = first == '\t' ? '\x02' : first == '!' ? '\r' : 0;
    if (last == 0) {
        int next = 1;
        while (next < buffer.size() && buffer.at(next) != '\t' && buffer.at(next) != '!')
            ++next;
        const QByteArray stray = buffer.left(next);
        buffer.remove(0, next);
        return stray;
    }
    const int end = buffer.indexOf(last, 1);
    if (end < 0)
        return {};
    const QByteArray message = buffer.left(end + 1);
    buffer.remove(0, end + 1);
    return message;
}

bool RemoteClient::waitForMessages(int count, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        QByteArray copy = m_buffer;
        int complete = 0;
        while (!splitMessage(copy).isEmpty())
            ++complete;
        if (complete >= count)
            return true;
        if (clock.elapsed() > timeoutMs)
            return false;
        QTest::qWait(2);
    }
}

QByteArray RemoteClient::waitForMessage(const std::function<bool(const QByteArray&)>& matches, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const QByteArray message = nextMessage();
        if (!message.isEmpty()) {
            if (matches(message))
                return message;
            continue;
        }
        if (clock.elapsed() > timeoutMs)
            return {};
        QTest::qWait(2);
    }
}

QList<QByteArray> RemoteClient::takeMessages()
{
    QList<QByteArray> messages;
    for (QByteArray message = nextMessage(); !message.isEmpty(); message = nextMessage())
        messages << message;
    return messages;
}

QJsonObject RemoteClient::parse(const QByteArray& message)
{
    if (message.size() < 2 || message.at(0) != '\t')
        return QJsonObject { { "Raw", QString::fromLatin1(message) } };
    return QJsonDocument::fromJson(message.mid(1, message.size() - 2)).object();
}

bool RemoteClient::isStatus(const QJsonObject& message)
{
    const QJsonObject fields = header(message);
    return fields.value("Type").toString() == QLatin1String("Sema")
        && fields.value("Section").toString() == QLatin1String("Status");
}

QStringList RemoteClient::errorsIn(const QList<QJsonObject>& messages)
{
    QStringList errors;
    for (const QJsonObject& message : messages) {
        if (header(message).value("Type").toString() == QLatin1String("SemaError"))
            errors << QString::fromUtf8(QJsonDocument(firstData(message)).toJson(QJsonDocument::Compact));
    }
    return errors;
}
