#pragma once

#include <QJsonObject>
#include <QtGlobal>

namespace Vl::Tavix3::UI {

// The indented form of Qt's JSON writer (four spaces a level, one member or element a line), sized
// before it is made: a document small in its compact form can be many times larger indented, since
// every level of nesting indents each line below it.
class IndentedJson
{
public:
    // The bytes the indented form of the document adds to its compact form. Counting stops as soon as
    // the sum exceeds limit; the result is then some value above limit.
    static qint64 addedBytes(const QJsonObject& document, qint64 limit);
};

} // namespace Vl::Tavix3::UI
