// The JSON message envelope of Utils.
#include "common/jsonenvelope.h"
#include "core/utils.h"

namespace Vl::Tavix3::UI {

using Vl::Common::JsonEnvelope;

QString Utils::createJsonData(
    const QString& type, const QString& section, const QString& id, const QJsonArray& data, bool framed)
{
    try {
        return JsonEnvelope::build(type, section, id, data, framed);
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::Utils::createJsonData");
    }
    return QString();
}

QString Utils::convertToJSonString(const QString& type, const QString& section, const QJsonObject& data, bool framed)
{
    try {
        return createJsonData(type, section, QString(), QJsonArray { data }, framed);
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::Utils::convertToJSonString");
    }
    return QString();
}

bool Utils::parseJsonData(const QString& text, QString& type, QString& section, QString& id, QJsonArray& data)
{
    try {
        return JsonEnvelope::parse(text.toUtf8(), type, section, id, data);
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::Utils::parseJsonData");
    }
    return false;
}

bool Utils::isValidJsonValue(const QJsonValue& value) { return JsonEnvelope::isValidJsonValue(value); }

} // namespace Vl::Tavix3::UI
