#pragma once

#include "sequence/sortfilterproxymodel.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QVariant>

namespace Vl::Tavix3::UI {

// The file chooser's model of a folder listing, and the file store of sequence and starting-list
// documents in the data folders "/Custom" (internal memory), "/USB" and "/Temp". The store keeps no
// state: every call reads the folders afresh.
class FileSystemProxyModel : public SortFilterProxyModel
{
    Q_OBJECT

public:
    // The two kinds of stored document.
    enum class DocumentKind { Sequence, StartingList };

    // Larger files are refused unread, and no larger document is stored: no sequence or starting list
    // comes near this size.
    static constexpr qint64 kMaxDocumentSize = 4 * 1024 * 1024;

    explicit FileSystemProxyModel(QObject* parent = nullptr);

    // Creates the Temp, Custom and USB folders under the application-data folder.
    static void createAppDataFolders();
    static QString getCustomFolderPath();
    static QString getUsbFolderPath();
    static QString getTempFolderPath();

    // Absolute path of the file of the Custom folder whose document matches, or an empty text. Where
    // several match (copies of a file, or a store interrupted before it removed the older version), the
    // newest is found. Looking never changes the folder.
    static QString findCustomSequenceFileById(const QString& id);
    static QString findCustomSequenceFileByName(const QString& name);
    static QString findCustomStartingListFileById(const QString& id);
    static QString findCustomStartingListFileByName(const QString& name);

    // Every non-empty document of the Custom folder, then of the USB folder: every file, also where
    // several hold one identifier.
    static QList<QJsonDocument> loadAllDocuments();

    // The matching document of the Custom folder (the newest, as above), else the first of the USB
    // folder, or an empty document.
    static QJsonDocument findSequenceDocumentById(const QString& id);
    static QJsonDocument findSequenceDocumentByName(const QString& name);
    static QJsonDocument findStartingListDocumentById(const QString& id);
    static QJsonDocument findStartingListDocumentByName(const QString& name);

    // One sequence document, or an empty document when the file is none.
    static QJsonDocument loadSequenceDocument(const QString& fileName);
    // A starting-list document read from a file chosen by the operator: a workbook row by row, any
    // other file as JSON. problem receives, in the operator's language, why the file must not become
    // the active starting list even where a document is returned; it is empty when nothing stands
    // against it beyond the validation of the document itself.
    static QJsonDocument importStartingList(const QString& fileName, QString* problem = nullptr);
    // True for the file names the workbook import reads (last suffix "xls" or "xlsx", case-sensitive).
    static bool isWorkbookFileName(const QString& fileName);

    // Any stored file as JSON: a null document when it cannot be opened, is too large or does not parse.
    static QJsonDocument readJsonDocument(const QString& fileName);
    // The JSON files of a folder, in listing order; empty when the folder does not exist.
    static QStringList listDocumentFiles(const QString& folder);

    // Stores a document received from a remote client in the Custom folder as
    // "<Sequence|StartingList>_<n>_HH_mm_ss.json", n the first number not yet taken, and then removes
    // the older files holding the same identifier. A document whose indented form would be larger than
    // kMaxDocumentSize is refused. Returns the new file's path; on failure an empty text with the reason
    // in error, and the folder as it was.
    static QString storeCustomDocument(DocumentKind kind, const QJsonObject& document, QString* error = nullptr,
        const QTime& time = QTime::currentTime());
    // Removes every file of the Custom folder holding the identifier, except keep: a deleted or replaced
    // document leaves no older version behind. False at the first file that cannot be removed; removed
    // counts the files removed.
    static bool removeCustomFilesById(
        DocumentKind kind, const QString& id, const QString& keep = QString(), int* removed = nullptr);

    // The device's folders under readable names: the file name of the internal configuration folder
    // and of the USB stick's mount; any other value unchanged.
    Q_INVOKABLE QVariant convertPathString(const QVariant& value, const QVariant& path) const;

    // The file URL of the Custom folder (internal memory) or of the USB folder.
    Q_INVOKABLE QString getPathString(bool internalMemory) const;
    Q_INVOKABLE QStringList getMultiPathString(bool internalMemory) const;
    Q_INVOKABLE QString getSequenceId(const QString& fileName) const;
    Q_INVOKABLE QString getSequenceName(const QString& fileName) const;
    Q_INVOKABLE QString getStartingListId(const QString& fileName) const;
    Q_INVOKABLE QString getStartingListName(const QString& fileName) const;

    // Role numbers of the folder listing the screens use.
    static constexpr int kFileNameRole = Qt::UserRole + 1;
    static constexpr int kFilePathRole = Qt::UserRole + 2;

    // The file name, shown under its readable name; every other role unchanged.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

protected:
    // Hides the file system's "lost+found".
    bool filterAcceptsRowCustom(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    // A document of the Custom folder with its file.
    struct StoredDocument
    {
        QString path;
        QJsonDocument document;
        QDateTime modified;
    };
    // Every document of the Custom folder, in listing order.
    static QList<StoredDocument> readCustomDocuments();
    // Of the documents that match, the newest (of equal times the last by path); null when none does.
    static const StoredDocument* newestMatch(
        const QList<StoredDocument>& documents, DocumentKind kind, bool byId, const QString& text);
    static QString findCustomFile(DocumentKind kind, bool byId, const QString& text);
    static QJsonDocument findDocument(DocumentKind kind, bool byId, const QString& text);
};

} // namespace Vl::Tavix3::UI
