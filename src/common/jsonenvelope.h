#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonValue>
#include <QString>

namespace Vl::Common {

// The JSON message envelope both programs exchange: {"Data": [...], "Header": {"ID", "Section",
// "Type"}} as compact UTF-8 JSON, optionally framed by the characters 0x09 and 0x02. The
// functions may throw what Qt's JSON classes throw; each program reports that in its own way.
class JsonEnvelope
{
public:
    // A null id (not merely an empty one) gives a new UUID without braces.
    static QString build(
        const QString& type, const QString& section, const QString& id, const QJsonArray& data, bool framed);
    // Whether the UTF-8 text is a usable message; data is written as soon as "Header" and "Data"
    // are present, even when a later test fails.
    static bool parse(const QByteArray& utf8, QString& type, QString& section, QString& id, QJsonArray& data);
    // A member is present when its value is neither null nor undefined.
    static bool isValidJsonValue(const QJsonValue& value);
};

} // namespace Vl::Common
