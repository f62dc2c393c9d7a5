#include "sequence/filesystemproxymodel.h"

#include "core/exceptionhandler.h"
#include "sequence/indentedjson.h"
#include "sequence/startinglistworkbook.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QDateTime>
#include <QFileInfo>
#include <QJsonArray>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>
#include <QUrl>

#include <exception>

namespace Vl::Tavix3::UI {

namespace {

struct DocumentKeys
{
    QString name;
    QString id;
    QString filePrefix;
};

DocumentKeys keysOf(FileSystemProxyModel::DocumentKind kind)
{
    if (kind == FileSystemProxyModel::DocumentKind::Sequence)
        return { QStringLiteral("SequenceName"), QStringLiteral("SequenceId"), QStringLiteral("Sequence_") };
    return { QStringLiteral("StartingListName"), QStringLiteral("StartingListId"), QStringLiteral("StartingList_") };
}

QString appDataFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }

bool isEmptyDocument(const QJsonDocument& document)
{
    return document.isNull() || (document.isObject() && document.object().isEmpty())
        || (document.isArray() && document.array().isEmpty());
}

// A document of the kind matches when it has both keys and the searched one holds exactly the text.
bool matches(const QJsonDocument& document, const DocumentKeys& keys, bool byId, const QString& text)
{
    const QJsonObject object = document.object();
    const QJsonValue name = object.value(keys.name);
    const QJsonValue id = object.value(keys.id);
    if (name.isUndefined() || id.isUndefined())
        return false;
    const QJsonValue searched = byId ? id : name;
    return searched.isString() && searched.toString() == text;
}

} // namespace

FileSystemProxyModel::FileSystemProxyModel(QObject* parent)
    : SortFilterProxyModel(parent)
{
}

void FileSystemProxyModel::createAppDataFolders()
{
    for (const QString& folder : { getTempFolderPath(), getCustomFolderPath(), getUsbFolderPath() })
        QDir().mkpath(folder);
}

QString FileSystemProxyModel::getCustomFolderPath() { return appDataFolder() + QStringLiteral("/Custom"); }

QString FileSystemProxyModel::getUsbFolderPath() { return appDataFolder() + QStringLiteral("/USB"); }

QString FileSystemProxyModel::getTempFolderPath() { return appDataFolder() + QStringLiteral("/Temp"); }

QStringList FileSystemProxyModel::listDocumentFiles(const QString& folder)
{
    QDir dir(folder);
    if (!dir.exists())
        return {};
    // On a case-sensitive file system the two patterns list different files; elsewhere a file
    // would come twice.
    const QFileInfoList entries
        = dir.entryInfoList({ QStringLiteral("*.json"), QStringLiteral("*.JSON") }, QDir::Files, QDir::NoSort);
    QStringList files;
    QSet<QString> seen;
    for (const QFileInfo& entry : entries) {
        const QString path = entry.absoluteFilePath();
        if (!seen.contains(path)) {
            seen.insert(path);
            files << path;
        }
    }
    return files;
}

QJsonDocument FileSystemProxyModel::readJsonDocument(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    if (file.size() > kMaxDocumentSize) {
        qWarning() << "Refused oversized document" << fileName << file.size();
        return {};
    }
    // A file that grows while it is read is still cut at the bound.
    const QByteArray bytes = file.read(kMaxDocumentSize + 1);
    if (bytes.size() > kMaxDocumentSize) {
        qWarning() << "Refused oversized document" << fileName;
        return {};
    }
    return QJsonDocument::fromJson(bytes);
}

QList<FileSystemProxyModel::StoredDocument> FileSystemProxyModel::readCustomDocuments()
{
    QList<StoredDocument> documents;
    for (const QString& path : listDocumentFiles(getCustomFolderPath()))
        documents.append({ path, readJsonDocument(path), QFileInfo(path).lastModified() });
    return documents;
}

const FileSystemProxyModel::StoredDocument* FileSystemProxyModel::newestMatch(
    const QList<StoredDocument>& documents, DocumentKind kind, bool byId, const QString& text)
{
    const DocumentKeys keys = keysOf(kind);
    const StoredDocument* newest = nullptr;
    for (const StoredDocument& stored : documents) {
        if (!matches(stored.document, keys, byId, text))
            continue;
        if (!newest || stored.modified > newest->modified
            || (stored.modified == newest->modified && stored.path > newest->path))
            newest = &stored;
    }
    return newest;
}

QString FileSystemProxyModel::findCustomFile(DocumentKind kind, bool byId, const QString& text)
{
    const QList<StoredDocument> documents = readCustomDocuments();
    const StoredDocument* found = newestMatch(documents, kind, byId, text);
    return found ? found->path : QString();
}

bool FileSystemProxyModel::removeCustomFilesById(
    DocumentKind kind, const QString& id, const QString& keep, int* removed)
{
    if (removed)
        *removed = 0;
    const DocumentKeys keys = keysOf(kind);
    for (const StoredDocument& stored : readCustomDocuments()) {
        if (stored.path == keep || !matches(stored.document, keys, true, id))
            continue;
        if (!QFile::remove(stored.path)) {
            qWarning().noquote() << "Cannot remove" << stored.path;
            return false;
        }
        if (removed)
            ++*removed;
    }
    return true;
}

QString FileSystemProxyModel::findCustomSequenceFileById(const QString& id)
{
    return findCustomFile(DocumentKind::Sequence, true, id);
}

QString FileSystemProxyModel::findCustomSequenceFileByName(const QString& name)
{
    return findCustomFile(DocumentKind::Sequence, false, name);
}

QString FileSystemProxyModel::findCustomStartingListFileById(const QString& id)
{
    return findCustomFile(DocumentKind::StartingList, true, id);
}

QString FileSystemProxyModel::findCustomStartingListFileByName(const QString& name)
{
    return findCustomFile(DocumentKind::StartingList, false, name);
}

QList<QJsonDocument> FileSystemProxyModel::loadAllDocuments()
{
    QList<QJsonDocument> documents;
    for (const StoredDocument& stored : readCustomDocuments()) {
        if (!isEmptyDocument(stored.document))
            documents << stored.document;
    }
    for (const QString& path : listDocumentFiles(getUsbFolderPath())) {
        const QJsonDocument document = readJsonDocument(path);
        if (!isEmptyDocument(document))
            documents << document;
    }
    return documents;
}

QJsonDocument FileSystemProxyModel::findDocument(DocumentKind kind, bool byId, const QString& text)
{
    const DocumentKeys keys = keysOf(kind);
    const QList<StoredDocument> documents = readCustomDocuments();
    if (const StoredDocument* found = newestMatch(documents, kind, byId, text))
        return found->document;
    for (const QString& path : listDocumentFiles(getUsbFolderPath())) {
        const QJsonDocument document = readJsonDocument(path);
        if (matches(document, keys, byId, text))
            return document;
    }
    return {};
}

QJsonDocument FileSystemProxyModel::findSequenceDocumentById(const QString& id)
{
    return findDocument(DocumentKind::Sequence, true, id);
}

QJsonDocument FileSystemProxyModel::findSequenceDocumentByName(const QString& name)
{
    return findDocument(DocumentKind::Sequence, false, name);
}

QJsonDocument FileSystemProxyModel::findStartingListDocumentById(const QString& id)
{
    return findDocument(DocumentKind::StartingList, true, id);
}

QJsonDocument FileSystemProxyModel::findStartingListDocumentByName(const QString& name)
{
    return findDocument(DocumentKind::StartingList, false, name);
}

QJsonDocument FileSystemProxyModel::loadSequenceDocument(const QString& fileName)
{
    const QJsonDocument document = readJsonDocument(fileName);
    const QJsonObject object = document.object();
    if (object.value(QStringLiteral("SequenceName")).isUndefined()
        && object.value(QStringLiteral("SequenceId")).isUndefined())
        return {};
    return document;
}

bool FileSystemProxyModel::isWorkbookFileName(const QString& fileName)
{
    // The last suffix decides: "Race 12.05.2027.xlsx" is a workbook.
    const QString suffix = QFileInfo(fileName).suffix();
    return suffix == QLatin1String("xls") || suffix == QLatin1String("xlsx");
}

QJsonDocument FileSystemProxyModel::importStartingList(const QString& fileName, QString* problem)
{
    if (problem)
        problem->clear();
    try {
        if (isWorkbookFileName(fileName))
            return StartingListWorkbook::read(fileName, problem);
        const QJsonDocument document = readJsonDocument(fileName);
        const QJsonObject object = document.object();
        if (object.value(QStringLiteral("StartingListName")).isUndefined()
            && object.value(QStringLiteral("StartingListId")).isUndefined()) {
            if (problem)
                *problem = tr("The file holds no starting list");
            return {};
        }
        return document;
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::FileSystemProxyModel::importStartingList");
        if (problem)
            *problem = tr("The file holds no starting list");
        return {};
    }
}

QString FileSystemProxyModel::storeCustomDocument(
    DocumentKind kind, const QJsonObject& document, QString* error, const QTime& time)
{
    const auto fail = [error](const QString& reason) {
        qWarning().noquote() << "Document not stored:" << reason;
        if (error)
            *error = reason;
        return QString();
    };

    // Only what the store reads back is written. The indented form is sized before it is made: it can
    // be many times the size of the request.
    const QString tooLarge = QStringLiteral("larger than the %1 bytes the store reads").arg(kMaxDocumentSize);
    if (IndentedJson::addedBytes(document, kMaxDocumentSize) > kMaxDocumentSize)
        return fail(tooLarge);
    const QByteArray bytes = QJsonDocument(document).toJson(QJsonDocument::Indented);
    if (bytes.size() > kMaxDocumentSize)
        return fail(tooLarge);

    const DocumentKeys keys = keysOf(kind);
    const QString folder = getCustomFolderPath();
    if (!QDir().mkpath(folder))
        return fail(QStringLiteral("cannot create %1").arg(folder));

    // Two documents stored within one second get different numbers instead of overwriting each other.
    constexpr int kMaxNumber = 999;
    QString path;
    for (int number = 1; number <= kMaxNumber && path.isEmpty(); ++number) {
        const QString candidate
            = QStringLiteral("%1/%2%3%4.json")
                  .arg(folder, keys.filePrefix, QString::number(number), time.toString(QStringLiteral("_HH_mm_ss")));
        if (!QFileInfo::exists(candidate))
            path = candidate;
    }
    if (path.isEmpty())
        return fail(QStringLiteral("no free file name"));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size() || !file.commit())
        return fail(file.errorString());

    // Only now that the new file is complete do the older ones of the same identifier go.
    const QJsonValue id = document.value(keys.id);
    if (!document.value(keys.name).isUndefined() && id.isString()
        && !removeCustomFilesById(kind, id.toString(), path)) {
        // Keep one file per identifier: the new one goes and the old one stays.
        QFile::remove(path);
        return fail(QStringLiteral("cannot remove an older file of %1").arg(id.toString()));
    }
    return path;
}

QVariant FileSystemProxyModel::convertPathString(const QVariant& value, const QVariant& path) const
{
    if (!value.isValid() || !path.isValid())
        return value;
    const QString text = value.toString();
    const QString pathText = path.toString();
    if (text.startsWith(QLatin1String("config")) && pathText == QLatin1String("/tmp/media/config"))
        return tr("Vantor Configurations Folder");
    if (text.startsWith(QLatin1String("usbhd")) && pathText.startsWith(QLatin1String("/tmp/media/usbhd")))
        return tr("USB Flash Drive");
    return value;
}

QVariant FileSystemProxyModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == kFileNameRole)
        return convertPathString(
            SortFilterProxyModel::data(index, kFileNameRole), SortFilterProxyModel::data(index, kFilePathRole));
    return SortFilterProxyModel::data(index, role);
}

bool FileSystemProxyModel::filterAcceptsRowCustom(int sourceRow, const QModelIndex& sourceParent) const
{
    const QAbstractItemModel* model = sourceModel();
    if (!model)
        return true;
    return model->data(model->index(sourceRow, 0, sourceParent), kFileNameRole).toString()
        != QLatin1String("lost+found");
}

QString FileSystemProxyModel::getPathString(bool internalMemory) const
{
    // "file:///" and an absolute path that starts with "/" would make four slashes, a URL under which the
    // folder model lists nothing.
    return QUrl::fromLocalFile(internalMemory ? getCustomFolderPath() : getUsbFolderPath()).toString();
}

QStringList FileSystemProxyModel::getMultiPathString(bool internalMemory) const
{
    return { getPathString(internalMemory) };
}

QString FileSystemProxyModel::getSequenceId(const QString& fileName) const
{
    return readJsonDocument(fileName).object().value(QStringLiteral("SequenceId")).toString();
}

QString FileSystemProxyModel::getSequenceName(const QString& fileName) const
{
    return readJsonDocument(fileName).object().value(QStringLiteral("SequenceName")).toString();
}

QString FileSystemProxyModel::getStartingListId(const QString& fileName) const
{
    return readJsonDocument(fileName).object().value(QStringLiteral("StartingListId")).toString();
}

QString FileSystemProxyModel::getStartingListName(const QString& fileName) const
{
    if (isWorkbookFileName(fileName))
        return QFileInfo(fileName).completeBaseName();
    return readJsonDocument(fileName).object().value(QStringLiteral("StartingListName")).toString();
}

} // namespace Vl::Tavix3::UI
