// Starting lists: the screen form of a starting-list file, and the validation through which a
// starting-list document becomes the engine's active starting list.
#include "core/exceptionhandler.h"
#include "sequence/filesystemproxymodel.h"
#include "sequence/sema.h"
#include "time/datetime.h"

#include <QDebug>
#include <QJsonArray>
#include <QMutexLocker>

#include <exception>

namespace Vl::Tavix3::UI {

namespace {

bool isPresent(const QJsonValue& value) { return !value.isUndefined() && !value.isNull(); }

} // namespace

QVariantMap Sema::loadStartingList(const QString& fileName)
{
    try {
        const QJsonDocument document = FileSystemProxyModel::importStartingList(fileName);
        if (document.isEmpty())
            return {};
        const QJsonObject object = document.object();
        QVariantList entries;
        for (const QJsonValue& value : object.value(QStringLiteral("StartingList")).toArray()) {
            const QJsonObject entry = value.toObject();
            entries << QVariantMap { { QStringLiteral("bibNumber"), entry.value(QStringLiteral("BibNumber")).toInt() },
                { QStringLiteral("time"), entry.value(QStringLiteral("Time")).toString() },
                { QStringLiteral("date"), entry.value(QStringLiteral("Date")).toString() } };
        }
        return QVariantMap { { QStringLiteral("startingListName"),
                                 object.value(QStringLiteral("StartingListName")).toString() },
            { QStringLiteral("startingListId"), object.value(QStringLiteral("StartingListId")).toString() },
            { QStringLiteral("startingList"), entries } };
    } catch (const std::exception& e) {
        qDebug() << e.what();
        return {};
    }
}

bool Sema::setStartingList(const QJsonDocument& document)
{
    QMutexLocker locker(&m_stateMutex);
    const auto refuse = [this](const char* message) {
        // Written without the change signal: the screens read it after a refused list.
        m_errorMessage = tr(message);
        return false;
    };

    const QJsonObject object = document.object();
    auto list = QSharedPointer<StartingList>::create();

    const QJsonValue name = object.value(QStringLiteral("StartingListName"));
    if (!isPresent(name) || name.toString().isEmpty())
        return refuse(QT_TR_NOOP("Error to get name"));
    list->name = name.toString();

    const QJsonValue id = object.value(QStringLiteral("StartingListId"));
    if (!isPresent(id) || id.toString().isEmpty())
        return refuse(QT_TR_NOOP("Error to get id"));
    list->id = id.toString();

    const QJsonValue starts = object.value(QStringLiteral("StartingList"));
    if (!isPresent(starts))
        return refuse(QT_TR_NOOP("Error to get starting list"));

    for (const QJsonValue& value : starts.toArray()) {
        const QJsonObject element = value.toObject();
        auto entry = QSharedPointer<StartingListEntry>::create();

        const QJsonValue bib = element.value(QStringLiteral("BibNumber"));
        if (isPresent(bib)) {
            entry->bibNumber = bib.toInt();
            if (entry->bibNumber == 0)
                return refuse(QT_TR_NOOP("Error to set bib number"));
        }

        const QJsonValue time = element.value(QStringLiteral("Time"));
        if (isPresent(time)) {
            const boost::optional<qint64> ticks = DateTime::stringToTimeWithPoint(time.toString(), false, ':', '.');
            if (!ticks)
                return refuse(QT_TR_NOOP("Error to set time"));
            entry->startTick = *ticks;
        }

        const QJsonValue date = element.value(QStringLiteral("Date"));
        if (isPresent(date)) {
            // A date the parser cannot read, or had to correct, would start the list on another day.
            qint64 midnight = 0;
            if (!DateTime::parseDate(date.toString(), &midnight, '/', OrvaneEnum::DATE_FORMAT_DD_MM_YYYY))
                return refuse(QT_TR_NOOP("Error to set date"));
            entry->startTick += midnight;
        } else {
            entry->startTick += DateTime::getDate();
        }
        list->entries << entry;
    }

    m_startingList = list;
    startSequence();
    locker.unlock();
    emit startListNameChanged();
    return true;
}

bool Sema::setStartingListFromFile(const QString& fileName)
{
    QString problem;
    const QJsonDocument document = FileSystemProxyModel::importStartingList(fileName, &problem);
    if (!problem.isEmpty() || document.isEmpty()) {
        // The screen shows this message: a file that yields no list must not leave an older one there.
        QMutexLocker locker(&m_stateMutex);
        m_errorMessage = problem.isEmpty() ? tr("Error to get starting list") : problem;
        return false;
    }
    return setStartingList(document);
}

bool Sema::selectStartingListById(const QString& id)
{
    if (id.isEmpty())
        return false;
    const QJsonDocument document = FileSystemProxyModel::findStartingListDocumentById(id);
    if (document.isEmpty())
        return false;
    return setStartingList(document);
}

bool Sema::selectStartingListByName(const QString& name)
{
    if (name.isEmpty())
        return false;
    const QJsonDocument document = FileSystemProxyModel::findStartingListDocumentByName(name);
    if (document.isEmpty())
        return false;
    return setStartingList(document);
}

} // namespace Vl::Tavix3::UI
