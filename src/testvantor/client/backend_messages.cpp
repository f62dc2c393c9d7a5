// Backend: the envelope, the send discipline and the receiving side.
#include "client/backend.h"
#include "client/clientstuff.h"
#include "common/jsonenvelope.h"
#include "common/jsontextscreen.h"

#include <QDataStream>
#include <QDebug>

#include <algorithm>
#include <exception>

using Vl::Common::JsonEnvelope;
using Vl::Common::JsonTextScreen;

namespace {
constexpr char kTab = 0x09;
constexpr char kStx = 0x02;
} // namespace

QString Backend::createJsonData(
    const QString& type, const QString& section, const QString& id, const QJsonArray& data, bool framed)
{
    try {
        return JsonEnvelope::build(type, section, id, data, framed);
    } catch (const std::exception& e) {
        qDebug() << e.what();
    }
    return QString();
}

QString Backend::convertToJSonString(const QString& section, const QJsonObject& data, bool framed)
{
    try {
        return createJsonData(QStringLiteral("Sema"), section, QString(), QJsonArray { data }, framed);
    } catch (const std::exception& e) {
        qDebug() << e.what();
    }
    return QString();
}

bool Backend::parseJsonData(const QByteArray& bytes, QString& type, QString& section, QString& id, QJsonArray& data)
{
    try {
        // Repeated keys would make the JSON parser leak; a text with them is not a message of Vantor.
        if (!JsonTextScreen::isSafeToParse(bytes))
            return false;
        return JsonEnvelope::parse(bytes, type, section, id, data);
    } catch (const std::exception& e) {
        qDebug() << e.what();
    }
    return false;
}

bool Backend::isValidJsonValue(const QJsonValue& value) { return JsonEnvelope::isValidJsonValue(value); }

void Backend::sendMessage(const QString& message, bool waitForAck)
{
    QMutexLocker locker(&m_sendMutex);
    QTcpSocket* socket = m_clientStuff->socket();
    if (!socket->isOpen()) {
        m_replyTimer.stop();
        m_requestQueue.clear();
        return;
    }
    if (!waitForAck) {
        socket->write(message.toUtf8());
        socket->flush();
        return;
    }
    QString frame;
    if (message.isNull()) {
        if (m_requestQueue.isEmpty()) {
            m_replyTimer.stop();
            return;
        }
        frame = m_requestQueue.first();
    } else {
        const bool waiting = !m_requestQueue.isEmpty();
        m_requestQueue.append(message);
        if (waiting)
            return;
        frame = message;
    }
    const QByteArray bytes = frame.toUtf8();
    QString type;
    QString section;
    QString id;
    QJsonArray data;
    // Without its STX; the leading TAB is white space to the JSON parser.
    parseJsonData(bytes.left(bytes.size() - 1), type, section, id, data);
    m_currentRequestId = id;
    qDebug() << "Sending: " << bytes;
    socket->write(bytes);
    socket->flush();
    m_replyTimer.start(m_replyTimeout);
}

void Backend::receivedSomething(const QByteArray& msg)
{
    {
        QMutexLocker locker(&m_receiveMutex);
        m_receiveBuffer.append(msg);
    }
    scanReceiveBuffer();
}

bool Backend::takeFrame(QByteArray& frame)
{
    QMutexLocker locker(&m_receiveMutex);
    // Frames are taken from the read position; the consumed bytes are cut off once, when the
    // buffer holds no further complete frame, so a burst of many small frames costs linear time.
    const int start = m_receiveBuffer.indexOf(kTab, m_readPosition);
    if (start < 0) {
        // Bytes outside a frame are never read; keeping them would only let the buffer grow.
        m_receiveBuffer.clear();
        m_readPosition = 0;
        m_scannedBytes = 0;
        return false;
    }
    if (start > m_readPosition) {
        m_readPosition = start;
        m_scannedBytes = 0;
    }
    // An unfinished frame is searched for its end only in the bytes that arrived since the last look.
    const int end = m_receiveBuffer.indexOf(kStx, std::max(start + 1, m_scannedBytes));
    if (end < 0) {
        m_receiveBuffer.remove(0, start);
        m_readPosition = 0;
        m_scannedBytes = m_receiveBuffer.size();
        if (m_receiveBuffer.size() > kMaxFrameBytes) {
            qWarning() << "Received frame dropped: more than" << kMaxFrameBytes << "bytes without its end";
            m_receiveBuffer.clear();
            m_scannedBytes = 0;
            m_frameDropped = true;
        }
        return false;
    }
    frame = m_receiveBuffer.mid(start + 1, end - start - 1);
    m_readPosition = end + 1;
    m_scannedBytes = 0;
    return true;
}

void Backend::scanReceiveBuffer()
{
    if (m_dispatching)
        return;
    m_dispatching = true;
    QByteArray frame;
    while (takeFrame(frame)) {
        if (frame.isEmpty())
            continue;
        QString type;
        QString section;
        QString id;
        QJsonArray data;
        if (parseJsonData(frame, type, section, id, data))
            dispatch(type, section, id, data);
    }
    m_dispatching = false;
    if (m_frameDropped) {
        m_frameDropped = false;
        emit someError(tr("Received message dropped: more than %1 MiB without its end").arg(kMaxFrameBytes >> 20));
    }
}

void Backend::dispatch(const QString& type, const QString& section, const QString& id, const QJsonArray& data)
{
    if (type == QLatin1String("SemaACK")) {
        handleAcknowledgement(id);
    } else if (type == QLatin1String("SemaError")) {
        if (data.isEmpty())
            return;
        const QJsonValue error = data.at(0).toObject().value(QStringLiteral("Error"));
        if (isValidJsonValue(error))
            emit someError(error.toString());
    } else if (!data.isEmpty()) {
        parseAnswerData(section, data);
    }
}

void Backend::handleAcknowledgement(const QString& id)
{
    QMutexLocker locker(&m_sendMutex);
    if (id != m_currentRequestId)
        return;
    if (!m_requestQueue.isEmpty())
        m_requestQueue.removeFirst();
    if (!m_requestQueue.isEmpty())
        sendMessage(QString(), true);
    else
        m_replyTimer.stop();
}

void Backend::onReplyTimeout()
{
    {
        QMutexLocker locker(&m_sendMutex);
        m_requestQueue.clear();
    }
    // Emitted after the queue is empty, so that a request made in reaction goes out at once.
    emit someError(tr("Error sending request"));
}

void Backend::sendClicked(const QString& text)
{
    QByteArray block;
    QDataStream out(&block, QIODevice::WriteOnly);
    out << qint16(0) << text;
    out.device()->seek(0);
    out << qint16(block.size() - 2);
    m_clientStuff->socket()->write(block);
}
