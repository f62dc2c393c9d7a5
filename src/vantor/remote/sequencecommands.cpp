#include "remote/sequencecommands.h"

#include "app/application.h"
#include "core/orvaneenum.h"
#include "remote/commandrequest.h"
#include "remote/serialpathfinder.h"
#include "sequence/filesystemproxymodel.h"
#include "sequence/sema.h"
#include "sequence/semaenum.h"
#include "time/datetime.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QUuid>

#include <boost/optional.hpp>

#include <algorithm>

namespace Vl::Tavix3::UI {

namespace {

using Error = SerialPathFinder::RemoteError;

// A present time text as ticks; nothing when absent or unreadable.
boost::optional<qint64> timeOf(const QJsonValue& value)
{
    if (!CommandRequest::isPresent(value))
        return boost::none;
    return DateTime::stringToTimeWithPoint(CommandRequest::text(value), false, ':', '.');
}

// A bib number as the engine takes it: a whole number or a text; anything else is no bib.
QVariant bibOf(const QJsonValue& value)
{
    if (const std::optional<int> number = CommandRequest::integer(value))
        return *number;
    if (value.isString())
        return value.toString();
    return QVariant();
}

// A bib number for SetBibNumber: a whole number other than 0, given as a number or a decimal text.
boost::optional<int> bibNumberOf(const QJsonValue& value)
{
    std::optional<int> number = CommandRequest::integer(value);
    if (!number && value.isString()) {
        bool ok = false;
        const int parsed = value.toString().trimmed().toInt(&ok);
        if (ok)
            number = parsed;
    }
    if (!number || *number == 0)
        return boost::none;
    return *number;
}

// A text that is there and not empty.
bool isNonEmptyText(const QJsonValue& value) { return value.isString() && !value.toString().isEmpty(); }

} // namespace

bool SequenceCommands::execute(SerialPathFinder& server, const CommandRequest& request)
{
    const QSharedPointer<Application> app = server.application();
    Sema* sema = app ? app->sema() : nullptr;
    if (!sema)
        return false;
    const QString& word = request.command();

    if (word == QLatin1String("SetCurrentSequenceName")) {
        setCurrentSequence(server, request, false);
    } else if (word == QLatin1String("GetCurrentSequenceName")) {
        server.sendReply(request, { { QStringLiteral("SequenceName"), sema->getSelectedSequenceName() } });
    } else if (word == QLatin1String("SetCurrentSequenceId")) {
        setCurrentSequence(server, request, true);
    } else if (word == QLatin1String("GetCurrentSequenceId")) {
        server.sendReply(request, { { QStringLiteral("SequenceId"), sema->getSelectedSequenceId() } });
    } else if (word == QLatin1String("GetAllSequences")) {
        server.sendReply(request, { { QStringLiteral("Sequences"), sema->getAllSequences().array() } });
    } else if (word == QLatin1String("SetSequence")) {
        storeDocument(server, request, true);
    } else if (word == QLatin1String("DeleteSequenceById")) {
        deleteDocument(server, request, true, true);
    } else if (word == QLatin1String("DeleteSequenceByName")) {
        deleteDocument(server, request, true, false);
    } else if (word == QLatin1String("SetStartSequence")) {
        setStartSequence(server, request);
    } else if (word == QLatin1String("SetStopSequence")) {
        setStopSequence(server);
    } else if (word == QLatin1String("SetPauseSequence")) {
        sema->setIsOff(true);
    } else if (word == QLatin1String("SetRestartSequence")) {
        sema->setIsOff(false);
    } else if (word == QLatin1String("SetBibNumber")) {
        setBibNumber(server, request);
    } else if (word == QLatin1String("SetStartingList")) {
        storeDocument(server, request, false);
    } else if (word == QLatin1String("SetCurrentStartingListName")) {
        setCurrentStartingList(server, request, false);
    } else if (word == QLatin1String("GetCurrentStartingListName")) {
        server.sendReply(request, { { QStringLiteral("StartingListName"), sema->startListName() } });
    } else if (word == QLatin1String("SetCurrentStartingListId")) {
        setCurrentStartingList(server, request, true);
    } else if (word == QLatin1String("GetCurrentStartingListId")) {
        server.sendReply(request, { { QStringLiteral("StartingListId"), sema->getStartingListId() } });
    } else if (word == QLatin1String("DeleteStartingListById")) {
        deleteDocument(server, request, false, true);
    } else if (word == QLatin1String("DeleteStartingListByName")) {
        deleteDocument(server, request, false, false);
    } else {
        return false;
    }
    return true;
}

void SequenceCommands::showRunScreen(SerialPathFinder& server)
{
    const QSharedPointer<Application> app = server.application();
    Sema* sema = app->sema();
    if (app->displayboardMode() != OrvaneEnum::COUNTDOWN_MODE)
        return;
    if (!app->isInTimingMenu())
        sema->saveCurrentData();
    server.askForRunScreen(sema->getSequenceType());
}

bool SequenceCommands::showRunScreenAndWait(SerialPathFinder& server)
{
    const QSharedPointer<Application> app = server.application();
    QElapsedTimer waited;
    waited.start();
    // Whether the run screen is still open (and the data to restore saved) is known only once a
    // hide asked for before has been handled.
    if (!server.waitForScreens(SerialPathFinder::kScreenWaitMs))
        return false;
    showRunScreen(server);
    const int rest = int(std::max<qint64>(0, SerialPathFinder::kScreenWaitMs - waited.elapsed()));
    return server.waitForScreens(rest) && app->isInTimingMenu();
}

void SequenceCommands::setCurrentSequence(SerialPathFinder& server, const CommandRequest& request, bool byId)
{
    Sema* sema = server.application()->sema();
    const QString key = byId ? QStringLiteral("SequenceId") : QStringLiteral("SequenceName");
    const QString text = CommandRequest::text(request.lastValue(key));
    const bool selected = byId ? sema->selectSequenceById(text) : sema->selectSequenceByName(text);
    if (!selected) {
        server.sendError(request, byId ? Error::SequenceNotExistsById : Error::SequenceNotExistsByName);
        return;
    }
    showRunScreen(server);
}

void SequenceCommands::storeDocument(SerialPathFinder& server, const CommandRequest& request, bool isSequence)
{
    const Error missingDocument = isSequence ? Error::ErrorSequence : Error::ErrorStartingList;
    if (request.isEmpty()) {
        server.sendError(request, missingDocument);
        return;
    }
    const QJsonObject document = request.firstItem();
    const QJsonValue id = document.value(isSequence ? QStringLiteral("SequenceId") : QStringLiteral("StartingListId"));
    const QJsonValue name
        = document.value(isSequence ? QStringLiteral("SequenceName") : QStringLiteral("StartingListName"));
    const QJsonValue content = document.value(isSequence ? QStringLiteral("Sequence") : QStringLiteral("StartingList"));
    if (!isNonEmptyText(id)) {
        server.sendError(request, isSequence ? Error::ErrorSequenceId : Error::ErrorStartingListId);
        return;
    }
    if (!isNonEmptyText(name)) {
        server.sendError(request, isSequence ? Error::ErrorSequenceName : Error::ErrorStartingListName);
        return;
    }
    if (!content.isArray() || content.toArray().isEmpty()) {
        server.sendError(request, missingDocument);
        return;
    }
    // The store writes the new file completely before the older ones of the same identifier go; a
    // document it could not store leaves the folder as it was, and the client hears so.
    const QString stored = FileSystemProxyModel::storeCustomDocument(
        isSequence ? FileSystemProxyModel::DocumentKind::Sequence : FileSystemProxyModel::DocumentKind::StartingList,
        document);
    if (stored.isEmpty()) {
        server.sendError(request, missingDocument);
        return;
    }
    emit server.application()->internalFilesChanged();
}

void SequenceCommands::deleteDocument(
    SerialPathFinder& server, const CommandRequest& request, bool isSequence, bool byId)
{
    const auto kind
        = isSequence ? FileSystemProxyModel::DocumentKind::Sequence : FileSystemProxyModel::DocumentKind::StartingList;
    const QString key = isSequence ? (byId ? QStringLiteral("SequenceId") : QStringLiteral("SequenceName"))
                                   : (byId ? QStringLiteral("StartingListId") : QStringLiteral("StartingListName"));
    const QString text = CommandRequest::text(request.lastValue(key));
    int removed = 0;
    bool deleted = false;
    if (byId) {
        // Every file of the identifier goes: no older version comes back in place of the deleted one.
        deleted = FileSystemProxyModel::removeCustomFilesById(kind, text, QString(), &removed) && removed > 0;
    } else {
        // Only the file of that name: another file holding its identifier is another document to the user.
        const QString path = isSequence ? FileSystemProxyModel::findCustomSequenceFileByName(text)
                                        : FileSystemProxyModel::findCustomStartingListFileByName(text);
        deleted = !path.isEmpty() && QFile::remove(path);
        removed = deleted ? 1 : 0;
    }
    if (removed > 0)
        emit server.application()->internalFilesChanged();
    if (deleted)
        return;
    if (isSequence)
        server.sendError(request, byId ? Error::SequenceNotExistsById : Error::SequenceNotExistsByName);
    else
        server.sendError(request, byId ? Error::StartingListNotExistsById : Error::StartingListNotExistsByName);
}

void SequenceCommands::setStartSequence(SerialPathFinder& server, const CommandRequest& request)
{
    const QSharedPointer<Application> app = server.application();
    Sema* sema = app->sema();
    if (request.isEmpty()) {
        server.sendError(request, Error::ErrorSequence);
        return;
    }
    QJsonObject first = request.firstItem();
    QString sequenceId = CommandRequest::text(first.value(QStringLiteral("SequenceId")));
    const QJsonValue modeValue = first.value(QStringLiteral("SequenceMode"));
    // A missing mode, or one that is no whole number, reads as -1: no mode.
    const int mode = CommandRequest::integer(modeValue).value_or(-1);
    const boost::optional<qint64> startTime = timeOf(first.value(QStringLiteral("StartTime")));
    boost::optional<qint64> startDate;
    const QJsonValue dateValue = first.value(QStringLiteral("StartDate"));
    if (CommandRequest::isPresent(dateValue))
        startDate = qint64(DateTime::stringToDateWithPoint(
            CommandRequest::text(dateValue), '/', OrvaneEnum::DATE_FORMAT_DD_MM_YYYY, nullptr));
    const boost::optional<qint64> repetitionTime = timeOf(first.value(QStringLiteral("RepetitionTime")));
    const QJsonValue bibValue = first.value(QStringLiteral("BibNumber"));
    const QVariant bib = CommandRequest::isPresent(bibValue) ? bibOf(bibValue) : QVariant();

    // A sequence sent along is loaded before any test, under a new identifier of its own.
    if (CommandRequest::isPresent(first.value(QStringLiteral("Sequence")))) {
        first.insert(QStringLiteral("SequenceId"), QUuid::createUuid().toString());
        sequenceId.clear();
        sema->loadCustomSequence(QJsonDocument(first));
        sema->setSequenceType(SemaEnum::SEMA_SEQUENCE_CUSTOM);
    }

    if (mode < SemaEnum::SEQUENCE_MODE_MANUAL || mode >= SemaEnum::MAX_SEQUENCE_MODE) {
        server.sendError(request, Error::ErrorSequenceMode);
        return;
    }
    if (mode == SemaEnum::SEQUENCE_MODE_AUTO) {
        if (!startTime) {
            server.sendError(request, Error::ErrorStartTime);
            return;
        }
        if (!repetitionTime) {
            server.sendError(request, Error::ErrorRepetitionTime);
            return;
        }
        if (!startDate)
            startDate = qint64(DateTime::getDate());
    }

    const bool found
        = !sequenceId.isEmpty() ? sema->selectSequenceById(sequenceId) : !sema->getSelectedSequenceId().isEmpty();
    if (!found) {
        server.sendError(request, Error::SequenceNotExistsById);
        return;
    }
    if (app->displayboardMode() != OrvaneEnum::COUNTDOWN_MODE)
        return;
    if (mode == SemaEnum::SEQUENCE_MODE_AUTO && sema->sequenceMode() == SemaEnum::SEQUENCE_MODE_AUTO
        && *repetitionTime < qint64(sema->getMinRepetitionTime())) {
        server.sendError(request, Error::ErrorRepetitionTime);
        return;
    }

    // The run screen takes over the engine's state when it opens, and a run screen that a hide
    // closes stops its run: the start goes to the engine only once the screen it belongs to is
    // shown. A start that cannot be shown is not started at all.
    if (!showRunScreenAndWait(server)) {
        if (server.isStopping())
            return;
        qWarning() << "Remote start: the run screen was not shown within" << SerialPathFinder::kScreenWaitMs
                   << "ms; nothing started";
        server.sendError(request, Error::ErrorShowSequenceScreen);
        return;
    }
    sema->setRemoteStartSequence(mode, startTime, startDate, repetitionTime, bib);
}

void SequenceCommands::setStopSequence(SerialPathFinder& server)
{
    Sema* sema = server.application()->sema();
    sema->lock();
    sema->setSequenceStatus(false);
    server.askToHideRunScreen();
    sema->unlock();
}

void SequenceCommands::setBibNumber(SerialPathFinder& server, const CommandRequest& request)
{
    Sema* sema = server.application()->sema();
    for (int i = 0; i < request.itemCount(); ++i)
        sema->setBibNumber(bibNumberOf(request.item(i).value(QStringLiteral("BibNumber"))));
}

void SequenceCommands::setCurrentStartingList(SerialPathFinder& server, const CommandRequest& request, bool byId)
{
    Sema* sema = server.application()->sema();
    const QString key = byId ? QStringLiteral("StartingListId") : QStringLiteral("StartingListName");
    const QString text = CommandRequest::text(request.lastValue(key));
    const bool selected = byId ? sema->selectStartingListById(text) : sema->selectStartingListByName(text);
    if (!selected)
        server.sendError(request, byId ? Error::StartingListNotExistsById : Error::StartingListNotExistsByName);
}

} // namespace Vl::Tavix3::UI
