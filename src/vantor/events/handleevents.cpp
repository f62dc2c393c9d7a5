#include "events/handleevents.h"

#include "core/exceptionhandler.h"
#include "events/applicationeventshost.h"
#include "events/eventgenerator.h"
#include "time/datetime.h"

#include <QMutexLocker>

namespace Vl::Tavix3::UI {

namespace {

// The distance between two tick values, exact for the whole range of qint64.
quint64 tickDistance(qint64 a, qint64 b) { return a >= b ? quint64(a) - quint64(b) : quint64(b) - quint64(a); }

} // namespace

HandleEvents::HandleEvents(QObject* parent)
    : QObject(parent)
    , m_hostProvider(&ApplicationEventsHost::acquire)
{
    // Connected here rather than in process(), so that a stop request sent before the thread
    // has started is still delivered once its event loop runs.
    connect(this, &HandleEvents::quit, this, &HandleEvents::quitHandler, Qt::QueuedConnection);
}

HandleEvents::~HandleEvents() = default;

void HandleEvents::setHostProvider(HostProvider provider)
{
    QMutexLocker locker(&m_mutex);
    m_hostProvider = std::move(provider);
}

void HandleEvents::process()
{
    try {
        const std::shared_ptr<HandleEventsHost> host = m_hostProvider ? m_hostProvider() : nullptr;
        if (!host)
            return;
        if (EventGenerator* generator = host->eventGenerator())
            connect(
                generator, &EventGenerator::signalEvent, this, &HandleEvents::eventInputReceived, Qt::QueuedConnection);
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::HandleEvents::process");
    }
}

void HandleEvents::quitHandler() { emit finished(); }

void HandleEvents::suspendEvents()
{
    QMutexLocker locker(&m_mutex);
    m_isPaused = true;
}

void HandleEvents::resumeEvents()
{
    QMutexLocker locker(&m_mutex);
    m_isPaused = false;
}

void HandleEvents::setPaused(bool paused)
{
    if (paused)
        suspendEvents();
    else
        resumeEvents();
}

bool HandleEvents::isPaused() const
{
    QMutexLocker locker(&m_mutex);
    return m_isPaused;
}

void HandleEvents::confirmEvent(unsigned) { }

void HandleEvents::eventInputReceived(TuMessages::EventInput eventInput)
{
    // Every input gets its own record, also those dropped below.
    const EntityPtr<Event> event = EntityPtr<Event>::create();
    QMutexLocker locker(&m_mutex);
    try {
        const std::shared_ptr<HandleEventsHost> host = m_hostProvider ? m_hostProvider() : nullptr;
        if (!host)
            return;
        const unsigned eventId = eventInput.eventid();
        if (m_isPaused) {
            confirmEvent(eventId);
            return;
        }
        const boost::optional<qint64> synchroAt = host->synchroAtTime();
        if (synchroAt && eventInput.type() == TuMessages::EVTTYPE_START_LINE
            && tickDistance(*synchroAt, eventInput.ticks()) <= quint64(kSynchroInstantTolerance)) {
            confirmEvent(eventId);
            return;
        }
        if (m_hasLastEventId && eventId != EVENT_ID_NONE && eventId == m_lastEventId) {
            confirmEvent(eventId);
            return;
        }

        event->ticks = eventInput.ticks();
        event->physicalChannel = qint64(eventInput.type());

        if (eventId != EVENT_ID_NONE) {
            confirmEvent(eventId);
            m_lastEventId = eventId;
            m_hasLastEventId = true;
        }

        if (eventInput.edge() == TuMessages::EDGE_RISING)
            host->emitEventReceived(QVariant::fromValue(event), false);
        else
            putRawEvent(event, *host);
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::HandleEvents::eventInputReceived");
    }
}

void HandleEvents::putRawEvent(const EntityPtr<Event>& event, HandleEventsHost& host)
{
    try {
        // Check before test: one pulse answers one request.
        if (host.takeCheckSynchro() || host.takeTestSynchro()) {
            host.playSynchroBeep();
            host.emitSynchroEvent(uint(event->physicalChannel), event->ticks);
            return;
        }
        if (host.isInSynchroMenu())
            return;

        event->ticks = DateTime::truncateToDmil(event->ticks);

        const int channel = int(event->physicalChannel);
        const qint64 last = m_lastTicksByChannel.value(channel, 0);
        const quint64 distance = tickDistance(event->ticks, last);
        const bool accepted
            = event->ticks >= last ? distance > quint64(kDebounceAfter) : distance > quint64(kDebounceBefore);
        m_lastTicksByChannel.insert(channel, accepted ? event->ticks : last);
        if (!accepted)
            return;
        host.emitEventReceived(QVariant::fromValue(event), true);
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::HandleEvents::putRawEvent");
    }
}

void HandleEvents::onEventBTConnectReceived(TuMessages::EventBTConnect eventBTConnected)
{
    try {
        confirmEvent(eventBTConnected.eventid());
        const std::shared_ptr<HandleEventsHost> host = m_hostProvider ? m_hostProvider() : nullptr;
        if (!host)
            return;
        const std::string& address = eventBTConnected.device_address();
        const qint64 ticks = eventBTConnected.ticks();
        QMutexLocker locker(&host->btConnectionsMutex());
        QList<BTConnectionInfo>& connections = host->btConnections();
        for (BTConnectionInfo& connection : connections) {
            if (connection.deviceAddress != address)
                continue;
            // A new connect time means the device reconnected and is no longer bound to a port.
            if (connection.connectTicks != ticks)
                connection.serialId = 0;
            connection.connectTicks = ticks;
            return;
        }
        BTConnectionInfo connection;
        connection.deviceAddress = address;
        connection.connectTicks = ticks;
        connections.append(connection);
    } catch (const std::exception& e) {
        VL_REPORT_EXCEPTION(e, "Vl::Tavix3::UI::HandleEvents::onEventBTConnectReceived");
    }
}

} // namespace Vl::Tavix3::UI
