#pragma once

#include "events/btconnectioninfo.h"

#include <QList>
#include <QMutex>
#include <QVariant>

#include <boost/optional.hpp>

namespace Vl::Tavix3::UI {

class EventGenerator;

// What the event worker needs from the program around it: the shared synchronisation state,
// the signals it publishes timing events on, the synchronisation tone, the Bluetooth
// connection list and the generator it listens to. The application object provides it.
class HandleEventsHost
{
public:
    virtual ~HandleEventsHost() = default;

    // Absolute ticks of the planned synchronisation pulse, if one is set.
    virtual boost::optional<qint64> synchroAtTime() const = 0;
    virtual bool isInSynchroMenu() const = 0;
    // Clear the capture request and tell whether it was set, in one indivisible step, so that
    // each request captures exactly one pulse.
    virtual bool takeCheckSynchro() = 0;
    virtual bool takeTestSynchro() = 0;
    virtual void playSynchroBeep() = 0;

    virtual void emitEventReceived(const QVariant& event, bool isFalling) = 0;
    virtual void emitSynchroEvent(uint physicalChannel, qlonglong ticks) = 0;

    // The list is only touched while the mutex is held.
    virtual QMutex& btConnectionsMutex() = 0;
    virtual QList<BTConnectionInfo>& btConnections() = 0;

    // The source of the emulated timing inputs; null when there is none.
    virtual EventGenerator* eventGenerator() = 0;
};

} // namespace Vl::Tavix3::UI
