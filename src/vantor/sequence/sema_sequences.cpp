// Sequence identity: the fixed identifiers and names of the built-in sequences, custom sequences
// from sequence documents, selection by identifier or name, and the sequence documents the engine
// writes.
#include "sequence/filesystemproxymodel.h"
#include "sequence/sema.h"

#include <QJsonArray>
#include <QMutexLocker>

namespace Vl::Tavix3::UI {

namespace {

struct BuiltInSequence
{
    const char* name;
    const char* id;
};

// Clients select the built-in sequences by these identifiers; they are the same in every installation.
constexpr BuiltInSequence kBuiltIn[] = {
    { QT_TRANSLATE_NOOP("Vl::Tavix3::UI::Sema", "ALPINE SKI"), "FB5BC35B-EAF3-4E19-BB64-F5387B230522" },
    { QT_TRANSLATE_NOOP("Vl::Tavix3::UI::Sema", "NORDIK SKI"), "26DED030-6120-417C-934F-468598800AEC" },
    { QT_TRANSLATE_NOOP("Vl::Tavix3::UI::Sema", "RALLY"), "51F4980F-C131-44F2-9AB7-EA948759482F" },
    { QT_TRANSLATE_NOOP("Vl::Tavix3::UI::Sema", "SHAKEDOWN"), "3CAA1A00-A880-40DF-9B95-D96568193981" },
    { QT_TRANSLATE_NOOP("Vl::Tavix3::UI::Sema", "UP HILL NO COUNTDOWN"), "03BFBD71-E2A3-41A0-8803-5EF1B5CC5508" },
    { QT_TRANSLATE_NOOP("Vl::Tavix3::UI::Sema", "UP HILL COUNTDOWN"), "F4268BDE-BCDB-4D41-B764-08B70CE3813E" },
};
constexpr int kBuiltInCount = int(sizeof(kBuiltIn) / sizeof(kBuiltIn[0]));

bool isBuiltIn(int sequence) { return sequence >= 0 && sequence < kBuiltInCount; }

} // namespace

SemaEnum::SemaSequenceType Sema::getSequenceType() const
{
    QMutexLocker locker(&m_stateMutex);
    return m_sequenceType;
}

void Sema::setSequenceType(SemaEnum::SemaSequenceType value)
{
    QMutexLocker locker(&m_stateMutex);
    m_sequenceType = value;
}

QString Sema::getIdFromSequenceType(int sequence) const
{
    if (isBuiltIn(sequence))
        return QString::fromLatin1(kBuiltIn[sequence].id);
    if (sequence == SemaEnum::SEMA_SEQUENCE_CUSTOM) {
        QMutexLocker locker(&m_stateMutex);
        return m_customId;
    }
    return QString();
}

QString Sema::getNameFromSequenceType(int sequence) const
{
    if (isBuiltIn(sequence))
        return tr(kBuiltIn[sequence].name);
    if (sequence == SemaEnum::SEMA_SEQUENCE_CUSTOM) {
        QMutexLocker locker(&m_stateMutex);
        return m_customName;
    }
    return QString();
}

QString Sema::getSelectedSequenceId() const { return getIdFromSequenceType(getSequenceType()); }

QString Sema::getSelectedSequenceName() const { return getNameFromSequenceType(getSequenceType()); }

void Sema::loadCustomSequence(const QJsonDocument& document)
{
    QMutexLocker locker(&m_stateMutex);
    resetListInterval(SemaEnum::SEMA_SEQUENCE_CUSTOM);
    const QJsonObject object = document.object();
    m_customName = object.value(QStringLiteral("SequenceName")).toString();
    m_customId = object.value(QStringLiteral("SequenceId")).toString();
    const QJsonArray sequence = object.value(QStringLiteral("Sequence")).toArray();
    for (int i = 0; i < sequence.size(); ++i) {
        const QJsonObject entry = sequence.at(i).toObject();
        SemaInterval interval;
        interval.time = entry.value(QStringLiteral("Time")).toInt();
        interval.color = entry.value(QStringLiteral("Color")).toInt();
        interval.sound = entry.value(QStringLiteral("Sound")).toInt();
        interval.isFalseStartWindow = entry.value(QStringLiteral("IsFalseStartWindow")).toBool();
        m_intervals.insert(IntervalKey(i, SemaEnum::SEMA_SEQUENCE_CUSTOM), interval);
    }
}

bool Sema::setCustomSequenceFromFile(const QString& fileName)
{
    const QJsonDocument document = FileSystemProxyModel::loadSequenceDocument(fileName);
    if (document.isEmpty())
        return false;
    loadCustomSequence(document);
    return true;
}

bool Sema::selectSequenceById(const QString& id) { return selectSequence(id, true); }

bool Sema::selectSequenceByName(const QString& name) { return selectSequence(name, false); }

bool Sema::selectSequence(const QString& text, bool byId)
{
    if (stopRunningSequence())
        emit sequenceStatusChanged();
    QMutexLocker locker(&m_stateMutex);
    if (text.isEmpty())
        return false;
    for (int type = 0; type < kBuiltInCount; ++type) {
        // Names are compared as the program shows them, in the current language.
        const QString builtIn = byId ? getIdFromSequenceType(type) : getNameFromSequenceType(type);
        if (builtIn == text) {
            m_sequenceType = SemaEnum::SemaSequenceType(type);
            return true;
        }
    }
    const QJsonDocument document = byId ? FileSystemProxyModel::findSequenceDocumentById(text)
                                        : FileSystemProxyModel::findSequenceDocumentByName(text);
    if (document.isEmpty())
        return false;
    loadCustomSequence(document);
    m_sequenceType = SemaEnum::SEMA_SEQUENCE_CUSTOM;
    return true;
}

QJsonObject Sema::sequenceToJson(int sequence) const
{
    QMutexLocker locker(&m_stateMutex);
    QJsonArray intervals;
    for (auto it = m_intervals.cbegin(); it != m_intervals.cend(); ++it) {
        if (it.key().second != sequence)
            continue;
        const SemaInterval& interval = it.value();
        intervals.append(QJsonObject { { QStringLiteral("Time"), qint64(interval.time) },
            { QStringLiteral("Color"), interval.color }, { QStringLiteral("Sound"), interval.sound },
            { QStringLiteral("IsFalseStartWindow"), interval.isFalseStartWindow } });
    }
    return QJsonObject { { QStringLiteral("SequenceName"), getNameFromSequenceType(sequence) },
        { QStringLiteral("SequenceId"), getIdFromSequenceType(sequence) }, { QStringLiteral("Sequence"), intervals } };
}

QJsonDocument Sema::getAllSequences() const
{
    QJsonArray all;
    for (int type = 0; type < kBuiltInCount; ++type)
        all.append(QString::fromUtf8(QJsonDocument(sequenceToJson(type)).toJson(QJsonDocument::Compact)));
    // The stored starting lists share the folders; only sequence documents are sequences.
    for (const QJsonDocument& document : FileSystemProxyModel::loadAllDocuments()) {
        const QJsonObject object = document.object();
        if (object.value(QStringLiteral("SequenceName")).isUndefined()
            && object.value(QStringLiteral("SequenceId")).isUndefined())
            continue;
        all.append(QString::fromUtf8(document.toJson(QJsonDocument::Compact)));
    }
    return QJsonDocument(all);
}

} // namespace Vl::Tavix3::UI
