#pragma once

#include "events/handleeventshost.h"

#include <QSharedPointer>

#include <memory>

namespace Vl::Tavix3::UI {

class Application;

// The event worker's host backed by the application object; holds a strong reference to it
// for as long as the host lives (the handling of one input).
class ApplicationEventsHost : public HandleEventsHost
{
public:
    explicit ApplicationEventsHost(QSharedPointer<Application> application);

    // A host for the current application object, or null while there is none.
    static std::shared_ptr<HandleEventsHost> acquire();

    boost::optional<qint64> synchroAtTime() const override;
    bool isInSynchroMenu() const override;
    bool takeCheckSynchro() override;
    bool takeTestSynchro() override;
    void playSynchroBeep() override;
    void emitEventReceived(const QVariant& event, bool isFalling) override;
    void emitSynchroEvent(uint physicalChannel, qlonglong ticks) override;
    QMutex& btConnectionsMutex() override;
    QList<BTConnectionInfo>& btConnections() override;
    EventGenerator* eventGenerator() override;

private:
    QSharedPointer<Application> m_application;
};

} // namespace Vl::Tavix3::UI
