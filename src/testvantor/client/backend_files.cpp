// Backend: interval records, the test sequence, and the sequence and starting-list files.
#include "client/backend.h"

#include <QDebug>
#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>
#include <QUrl>

#include <exception>

namespace {

QString key(const char* text) { return QString::fromLatin1(text); }

// The object of a JSON file; an empty object for a file that holds none. Fails only when the file
// cannot be read or is larger than any document of Vantor.
bool readJsonObject(const QString& path, QJsonObject& object, bool& tooLarge)
{
    tooLarge = false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // A file that grows while it is read is still cut at the bound.
    const QByteArray bytes = file.read(Backend::kMaxFileBytes + 1);
    if (bytes.size() > Backend::kMaxFileBytes) {
        tooLarge = true;
        return false;
    }
    object = QJsonDocument::fromJson(bytes).object();
    return true;
}

// Writes the object as indented JSON; the old file stays untouched unless the new one is complete.
bool writeJsonObject(const QString& path, const QJsonObject& object)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Indented);
    if (file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}

} // namespace

QString Backend::localPath(const QString& fileName)
{
    // The file dialog hands a "file:" URL; its local path keeps the leading "/" and has its
    // percent-escapes decoded. Anything else is taken as a path already.
    const QUrl url(fileName);
    if (url.isLocalFile())
        return url.toLocalFile();
    return fileName;
}

void Backend::reportFileError(const QString& text, const QString& path)
{
    qWarning().noquote() << text.arg(path);
    emit someError(text.arg(path));
}

QList<Backend::SemaInterval> Backend::mapsToIntervals(const QVariantList& list)
{
    QList<SemaInterval> intervals;
    for (const QVariant& row : list) {
        const QVariantMap map = row.toMap();
        SemaInterval interval;
        interval.color = map.value(key("color")).toInt();
        interval.sound = map.value(key("sound")).toInt();
        interval.time = qint64(map.value(key("time")).toInt());
        interval.isFalseStartWindow = map.value(key("isFalseStartWindow")).toBool();
        intervals << interval;
    }
    return intervals;
}

QJsonArray Backend::intervalsToJson(const QList<SemaInterval>& intervals)
{
    QJsonArray array;
    for (const SemaInterval& interval : intervals) {
        array.append(QJsonObject {
            { key("Time"), qint64(interval.time) },
            { key("Sound"), interval.sound },
            { key("Color"), interval.color },
            { key("IsFalseStartWindow"), interval.isFalseStartWindow },
        });
    }
    return array;
}

void Backend::jsonToIntervals(const QJsonArray& array, QList<SemaInterval>& intervals)
{
    intervals.clear();
    for (const QJsonValue& element : array) {
        const QJsonObject object = element.toObject();
        SemaInterval interval;
        interval.time = object.value(key("Time")).toInt();
        interval.sound = object.value(key("Sound")).toInt();
        interval.color = object.value(key("Color")).toInt();
        interval.isFalseStartWindow = object.value(key("IsFalseStartWindow")).toBool();
        intervals << interval;
    }
}

QList<Backend::SemaInterval> Backend::testSequence()
{
    // Times in seconds; sounds: 0 silent, 1 bip, 3 long bip, 4 long boop; colours: 1 off, 2 red, 4 green.
    static const struct
    {
        qint64 time;
        int sound;
        int color;
        bool window;
    } rows[] = {
        { -10, 4, 2, false },
        { -5, 1, 4, true },
        { -4, 1, 4, true },
        { -3, 1, 4, true },
        { -2, 1, 4, true },
        { -1, 1, 4, true },
        { 0, 3, 4, true },
        { 5, 0, 2, false },
        { 10, 0, 1, false },
    };
    QList<SemaInterval> intervals;
    for (const auto& row : rows) {
        SemaInterval interval;
        interval.time = row.time;
        interval.sound = row.sound;
        interval.color = row.color;
        interval.isFalseStartWindow = row.window;
        intervals << interval;
    }
    return intervals;
}

QJsonArray Backend::startingListToJson(const QVariantList& list)
{
    QJsonArray entries;
    for (const QVariant& row : list) {
        const QVariantMap map = row.toMap();
        QJsonObject entry {
            { key("BibNumber"), map.value(key("bibNumber")).toInt() },
            { key("Time"), map.value(key("time")).toString() },
        };
        const QString date = map.value(key("date")).toString();
        if (!date.isEmpty())
            entry.insert(key("Date"), date);
        entries.append(entry);
    }
    return entries;
}

bool Backend::saveSequence(
    const QString& sequenceId, const QString& sequenceName, const QVariantList& list, const QString& fileName)
{
    const QString path = localPath(fileName);
    const QJsonObject document {
        { key("SequenceName"), sequenceName },
        { key("SequenceId"), sequenceId },
        { key("Sequence"), intervalsToJson(mapsToIntervals(list)) },
    };
    if (writeJsonObject(path, document))
        return true;
    reportFileError(tr("Error writing file %1"), path);
    return false;
}

QVariantMap Backend::loadSequence(const QString& fileName)
{
    const QString path = localPath(fileName);
    try {
        QJsonObject object;
        bool tooLarge = false;
        if (!readJsonObject(path, object, tooLarge)) {
            reportFileError(tooLarge ? tr("File too large: %1") : tr("Error reading file %1"), path);
            return QVariantMap();
        }
        QList<SemaInterval> intervals;
        jsonToIntervals(object.value(key("Sequence")).toArray(), intervals);
        QVariantList rows;
        for (const SemaInterval& interval : intervals) {
            rows << QVariantMap {
                { key("color"), interval.color },
                { key("sound"), interval.sound },
                { key("time"), qlonglong(interval.time) },
                { key("isFalseStartWindow"), interval.isFalseStartWindow },
            };
        }
        return QVariantMap {
            { key("sequenceName"), object.value(key("SequenceName")).toString() },
            { key("sequenceId"), object.value(key("SequenceId")).toString() },
            { key("sequence"), rows },
        };
    } catch (const std::exception& e) {
        qDebug() << e.what();
    }
    return QVariantMap();
}

void Backend::saveStartingList(
    const QString& startingListId, const QString& startingListName, const QVariantList& list, const QString& fileName)
{
    const QString path = localPath(fileName);
    const QJsonObject document {
        { key("StartingList"), startingListToJson(list) },
        { key("StartingListName"), startingListName },
        { key("StartingListId"), startingListId },
    };
    if (!writeJsonObject(path, document))
        reportFileError(tr("Error writing file %1"), path);
}

QVariantMap Backend::loadStartingList(const QString& fileName)
{
    const QString path = localPath(fileName);
    try {
        QJsonObject object;
        bool tooLarge = false;
        if (!readJsonObject(path, object, tooLarge)) {
            reportFileError(tooLarge ? tr("File too large: %1") : tr("Error reading file %1"), path);
            return QVariantMap();
        }
        QVariantList rows;
        for (const QJsonValue& element : object.value(key("StartingList")).toArray()) {
            const QJsonObject entry = element.toObject();
            rows << QVariantMap {
                { key("bibNumber"), entry.value(key("BibNumber")).toInt() },
                { key("time"), entry.value(key("Time")).toString() },
                { key("date"), entry.value(key("Date")).toString() },
            };
        }
        return QVariantMap {
            { key("startingListName"), object.value(key("StartingListName")).toString() },
            { key("startingListId"), object.value(key("StartingListId")).toString() },
            { key("startingList"), rows },
        };
    } catch (const std::exception& e) {
        qDebug() << e.what();
    }
    return QVariantMap();
}
