#include "remote/synchrocommands.h"

#include "app/application.h"
#include "device/gps.h"
#include "device/gpsenum.h"
#include "remote/hexframe.h"
#include "remote/serial.h"
#include "remote/serialpathfinder.h"
#include "sequence/sema.h"

#include <QDebug>
#include <QMutexLocker>

namespace Vl::Tavix3::UI {

void SynchroCommands::execute(SerialPathFinder& server, const SerialInfoType& port, const QByteArray& frame)
{
    if (!server.application() || !HexFrame::isValid(frame))
        return;
    const QString command = HexFrame::command(frame);
    if (command == QLatin1String("7010"))
        stateRequest(server, port);
    else if (command == QLatin1String("7011"))
        switchRequest(server, port, frame);
}

void SynchroCommands::stateRequest(SerialPathFinder& server, const SerialInfoType& port)
{
    const QSharedPointer<Application> app = server.application();
    qint64 connectTicks = 0;
    {
        QMutexLocker locker(&app->btConnectionsMutex());
        for (const BTConnectionInfo& connection : app->btConnections()) {
            if (connection.serialId == port.portId) {
                connectTicks = connection.connectTicks;
                break;
            }
        }
    }
    if (connectTicks == 0)
        return;
    const QByteArray answer
        = HexFrame::stateAnswer(app->ambrelSyncEnabled(), connectTicks, app->isAmbrelSynchronized());
    server.serial()->serialOutText(port, QString::fromLatin1(answer));
}

void SynchroCommands::switchRequest(SerialPathFinder& server, const SerialInfoType& port, const QByteArray& frame)
{
    const QSharedPointer<Application> app = server.application();
    // The frames have no error answer: a switch the closing program could not complete is not
    // acknowledged, as if the frame had not arrived.
    const auto closing = []() { qWarning() << "Synchronisation frame 7011 not completed: the program is closing"; };
    const quint32 flags = quint32(HexFrame::hexField(frame, HexFrame::kFlagsOffset, 8));
    const bool wasEnabled = app->ambrelSyncEnabled();

    if (flags & HexFrame::kApplyEnableFlag) {
        app->setAmbrelSyncEnabled(HexFrame::hexByteAt(frame, HexFrame::kEnableOffset) != 0);
        if (app->ambrelSyncEnabled()) {
            GPS* gps = app->gps();
            if (gps && !server.runOn(gps, [gps]() { gps->setSyncMode(GPSEnum::GPS_SYNC_NONE); }))
                return closing();
        } else {
            app->setIsAmbrelSynchronized(false);
        }
    }

    // Only a partner that was switched on already may synchronise: one frame that switches on and
    // carries a valid time does not.
    if (wasEnabled && app->ambrelSyncEnabled() && (flags & HexFrame::kTimeValidFlags) == HexFrame::kTimeValidFlags) {
        // The partner's time has no clock to set in this build.
        const quint64 partnerTime = HexFrame::hexField(frame, HexFrame::kTimeOffset, 16);
        Q_UNUSED(partnerTime);
        app->setIsAmbrelSynchronized(true);
        if (Sema* sema = app->sema()) {
            sema->setSequenceStatus(false);
            sema->startSequenceCyclic();
        }
        Application* application = app.data();
        if (!server.runOn(application, [application]() { application->setIsSynchronized(true); }))
            return closing();
        QMutexLocker locker(&app->btConnectionsMutex());
        for (BTConnectionInfo& connection : app->btConnections()) {
            if (connection.serialId == port.portId) {
                connection.isSynced = true;
                break;
            }
        }
    }

    server.serial()->serialOutText(port, QString::fromLatin1(HexFrame::switchAnswer()));
}

} // namespace Vl::Tavix3::UI
