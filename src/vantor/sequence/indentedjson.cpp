#include "sequence/indentedjson.h"

#include <QJsonArray>
#include <QJsonValue>

namespace Vl::Tavix3::UI {

namespace {

// The white space added inside an object or array that stands at the given level; other values add
// none.
qint64 addedInside(const QJsonValue& value, int level, qint64 limit)
{
    if (!value.isObject() && !value.isArray())
        return 0;
    // A line break after the opening bracket, and the closing one indented on a line of its own.
    qint64 added = 1 + 4 * qint64(level);
    // Each member or element: its indentation and the line break after it; a member also the space
    // after its colon.
    const qint64 perLine = 4 * qint64(level + 1) + 1 + (value.isObject() ? 1 : 0);
    const auto addLine = [&](const QJsonValue& child) {
        added += perLine;
        added += addedInside(child, level + 1, limit - added);
        return added <= limit;
    };
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
            if (!addLine(it.value()))
                break;
        }
    } else {
        for (const QJsonValue& element : value.toArray()) {
            if (!addLine(element))
                break;
        }
    }
    return added;
}

} // namespace

qint64 IndentedJson::addedBytes(const QJsonObject& document, qint64 limit)
{
    // The document's text ends with a line break.
    return 1 + addedInside(document, 0, limit - 1);
}

} // namespace Vl::Tavix3::UI
