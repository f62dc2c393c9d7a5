#include "sequence/filesystemproxymodel.h"

#include <QDir>
#include <QStandardPaths>

namespace Vl::Tavix3::UI {

FileSystemProxyModel::FileSystemProxyModel(QObject* parent)
    : QObject(parent)
{
}

void FileSystemProxyModel::createAppDataFolders()
{
    const QString root = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    for (const char* folder : {"/Temp", "/Custom", "/USB"})
        QDir().mkpath(root + QLatin1String(folder));
}

} // namespace Vl::Tavix3::UI
