#include "core/sharedapplication.h"


#include <QMutex>
#include <QMutexLocker>

namespace Vl::Tavix3::UI {

namespace {
QMutex s_mutex;
QSharedPointer<Application> s_application;
QSharedPointer<ApplicationServices> s_services;
} // namespace

QSharedPointer<Application> sharedApplication()
{
    QMutexLocker locker(&s_mutex);
    return s_application;
}

QSharedPointer<ApplicationServices> sharedApplicationServices()
{
    QMutexLocker locker(&s_mutex);
    return s_services;
}

void setSharedApplication(
    const QSharedPointer<Application>& application, const QSharedPointer<ApplicationServices>& services)
{
    QSharedPointer<Application> previous;
    QSharedPointer<ApplicationServices> previousServices;
    {
        QMutexLocker locker(&s_mutex);
        previous = s_application;
        previousServices = s_services;
        s_application = application;
        s_services = application ? services : QSharedPointer<ApplicationServices>();
    }
    // The previous object, if this was its last reference, is released outside the lock.
}

void resetSharedApplication()
{
    setSharedApplication(QSharedPointer<Application>(), QSharedPointer<ApplicationServices>());
}

} // namespace Vl::Tavix3::UI
