#pragma once

#include "events/event.h"
#include "timing_unit.pb.h"

#include <QMap>
#include <QMutex>
#include <QObject>

#include <functional>
#include <memory>

namespace Vl::Tavix3::UI {

class HandleEventsHost;

// The event worker on "HandleEvents thread": turns timing-unit inputs into Event records,
// drops what must not reach the engine (pause, the synchronisation instant, repeated
// identifiers, bouncing edges), captures synchronisation pulses and publishes the rest.
class HandleEvents : public QObject
{
    Q_OBJECT

public:
    // Inputs within this many ticks of the synchronisation instant on the start line are the
    // device's own synchronisation pulse.
    static constexpr qint64 kSynchroInstantTolerance = 4;
    // A falling edge is accepted more than this many ticks after the last accepted one on its
    // channel (50 ms) ...
    static constexpr qint64 kDebounceAfter = 2500;
    // ... or more than this many ticks before it (1 ms).
    static constexpr qint64 kDebounceBefore = 50;

    using HostProvider = std::function<std::shared_ptr<HandleEventsHost>()>;

    explicit HandleEvents(QObject* parent = nullptr);
    ~HandleEvents() override;

    // Pause: every input is acknowledged and dropped until resumed.
    void suspendEvents();
    void resumeEvents();
    void setPaused(bool paused);
    bool isPaused() const;

    // The falling-edge path of the filter; the caller holds the worker's mutex.
    void putRawEvent(const EntityPtr<Event>& event, HandleEventsHost& host);
    // Acknowledges an input to the timing unit; the emulated inputs need no acknowledgement.
    void confirmEvent(unsigned eventId);

    // for unit testing: replaces the application object as the worker's host.
    void setHostProvider(HostProvider provider);

public slots:
    void process();
    void quitHandler();
    void eventInputReceived(TuMessages::EventInput eventInput);
    void onEventBTConnectReceived(TuMessages::EventBTConnect eventBTConnected);

signals:
    void quit();
    void finished();

private:
    HostProvider m_hostProvider;
    QMap<int, qint64> m_lastTicksByChannel; // rounded ticks of the last accepted falling edge
    bool m_hasLastEventId = false;
    unsigned m_lastEventId = 0;
    mutable QMutex m_mutex; // held for the handling of one input, and by pause and resume
    bool m_isPaused = false;
};

} // namespace Vl::Tavix3::UI

Q_DECLARE_METATYPE(TuMessages::EventBTConnect)
