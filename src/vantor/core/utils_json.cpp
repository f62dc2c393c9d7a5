// The JSON message envelope of Utils.
#include "core/utils.h"

#include <QJsonDocument>
#include <QUuid>

namespace Vl::Tavix3::UI {

QString Utils::createJsonData(const QString& type, const QString& section, const QString& id, const QJsonArray& data,
                              bool framed)
{
    try {
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
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::Utils::createJsonData");
    }
    return QString();
}

QString Utils::convertToJSonString(const QString& type, const QString& section, const QJsonObject& data, bool framed)
{
    try {
        return createJsonData(type, section, QString(), QJsonArray{data}, framed);
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::Utils::convertToJSonString");
    }
    return QString();
}

bool Utils::parseJsonData(const QString& text, QString& type, QString& section, QString& id, QJsonArray& data)
{
    try {
        if (text.isEmpty())
            return false;
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
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
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::Utils::parseJsonData");
    }
    return false;
}

bool Utils::isValidJsonValue(const QJsonValue& value)
{
    return !value.isNull() && !value.isUndefined();
}

} // namespace Vl::Tavix3::UI
