#include "remote/commandrequest.h"

#include <cmath>
#include <limits>

namespace Vl::Tavix3::UI {

QJsonValue CommandRequest::lastValue(const QString& key) const
{
    QJsonValue found(QJsonValue::Undefined);
    for (int i = 0; i < m_data.size(); ++i) {
        const QJsonValue value = item(i).value(key);
        if (isPresent(value))
            found = value;
    }
    return found;
}

std::optional<int> CommandRequest::integer(const QJsonValue& value)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    // The range test comes first: converting a double an int cannot hold is undefined.
    if (!std::isfinite(number) || number < double(std::numeric_limits<int>::min())
        || number > double(std::numeric_limits<int>::max()) || std::trunc(number) != number)
        return std::nullopt;
    return int(number);
}

std::optional<bool> CommandRequest::flag(const QJsonValue& value)
{
    if (!value.isBool())
        return std::nullopt;
    return value.toBool();
}

} // namespace Vl::Tavix3::UI
