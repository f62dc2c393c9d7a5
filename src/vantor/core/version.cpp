#include "core/version.h"

#include <QFile>
#include <QTextStream>

namespace Vl::Tavix3::UI {

QString readLine(const QString& fileName, int n)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    QTextStream stream(&file);
    for (int i = 0; i < n && !stream.atEnd(); ++i)
        stream.readLine();
    return stream.readLine();
}

QString getVersion()
{
    return readLine(QStringLiteral(":/VERSION"), 0);
}

QString getBuildDate()
{
    return readLine(QStringLiteral(":/VERSION"), 1);
}

} // namespace Vl::Tavix3::UI
