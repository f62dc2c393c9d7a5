#pragma once

#include <QObject>
#include <QString>

namespace Vl::Tavix3::UI {

// The file store of sequence and starting-list documents in the data folders.
class FileSystemProxyModel : public QObject
{
    Q_OBJECT

public:
    explicit FileSystemProxyModel(QObject* parent = nullptr);

    // Creates the Temp, Custom and USB folders under the application-data folder.
    static void createAppDataFolders();
};

} // namespace Vl::Tavix3::UI
