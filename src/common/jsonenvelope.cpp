#include "common/jsonenvelope.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QUuid>

namespace Vl::Common {

QString JsonEnvelope::build(
    const QString& type, const QString& section, const QString& id, const QJsonArray& data, bool framed)
{
    QJsonObject header;
    header.insert(QStringLiteral("Type"), type);
    header.insert(QStringLiteral("Section"), section);
    header.insert(QStringLiteral("ID"), id.isNull() ? QUuid::createUuid().toString().mid(1, 36) : id);
    QJsonObject root;
    root.insert(QStringLiteral("Header"), header);
    root.insert(QStringLiteral("Data"), data);
    const QString text = QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Compact));
    if (framed)
        return QChar(0x09) + text + QChar(0x02);
    return text;
}

bool JsonEnvelope::parse(const QByteArray& utf8, QString& type, QString& section, QString& id, QJsonArray& data)
{
    if (utf8.isEmpty())
        return false;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(utf8, &error);
    if (error.error != QJsonParseError::NoError || document.isEmpty() || !document.isObject())
        return false;
    const QJsonObject root = document.object();
    if (root.isEmpty())
        return false;
    if (!root.contains(QStringLiteral("Data")) || root.value(QStringLiteral("Data")).isNull())
        return false;
    if (!root.contains(QStringLiteral("Header")) || root.value(QStringLiteral("Header")).isNull())
        return false;
    data = root.value(QStringLiteral("Data")).toArray();
    const QJsonObject header = root.value(QStringLiteral("Header")).toObject();
    if (header.isEmpty())
        return false;
    if (!header.contains(QStringLiteral("Type")) || header.value(QStringLiteral("Type")).isNull())
        return false;
    type = header.value(QStringLiteral("Type")).toString();
    section = header.value(QStringLiteral("Section")).toString();
    id = header.value(QStringLiteral("ID")).toString();
    return true;
}

bool JsonEnvelope::isValidJsonValue(const QJsonValue& value) { return !value.isNull() && !value.isUndefined(); }

} // namespace Vl::Common
