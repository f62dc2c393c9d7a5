#include "events/applicationeventshost.h"

#include "app/application.h"
#include "core/sharedapplication.h"

namespace Vl::Tavix3::UI {

ApplicationEventsHost::ApplicationEventsHost(QSharedPointer<Application> application)
    : m_application(std::move(application))
{
}

std::shared_ptr<HandleEventsHost> ApplicationEventsHost::acquire()
{
    QSharedPointer<Application> application = sharedApplication();
    if (!application)
        return nullptr;
    return std::make_shared<ApplicationEventsHost>(std::move(application));
}

boost::optional<qint64> ApplicationEventsHost::synchroAtTime() const { return m_application->synchroAtTime(); }

bool ApplicationEventsHost::isInSynchroMenu() const { return m_application->isInSynchroMenu(); }

bool ApplicationEventsHost::takeCheckSynchro() { return m_application->takeIsCheckSynchro(); }

bool ApplicationEventsHost::takeTestSynchro() { return m_application->takeIsTestSynchro(); }

void ApplicationEventsHost::playSynchroBeep() { m_application->playSynchroBeep(); }

void ApplicationEventsHost::emitEventReceived(const QVariant& event, bool isFalling)
{
    emit m_application->eventReceived(event, isFalling);
}

void ApplicationEventsHost::emitSynchroEvent(uint physicalChannel, qlonglong ticks)
{
    emit m_application->synchroEvent(physicalChannel, ticks);
}

QMutex& ApplicationEventsHost::btConnectionsMutex() { return m_application->btConnectionsMutex(); }

QList<BTConnectionInfo>& ApplicationEventsHost::btConnections() { return m_application->btConnections(); }

EventGenerator* ApplicationEventsHost::eventGenerator() { return m_application->eventGenerator(); }

} // namespace Vl::Tavix3::UI
