#include "core/sharedapplication.h"

#include "app/application.h"

#include <QMutex>
#include <QMutexLocker>

namespace Vl::Tavix3::UI {

namespace {
QMutex s_mutex;
QSharedPointer<Application> s_application;
} // namespace

QSharedPointer<Application> sharedApplication()
{
    QMutexLocker locker(&s_mutex);
    return s_application;
}

void setSharedApplication(const QSharedPointer<Application>& application)
{
    QSharedPointer<Application> previous;
    {
        QMutexLocker locker(&s_mutex);
        previous = s_application;
        s_application = application;
    }
    // The previous object, if this was its last reference, is released outside the lock.
}

void resetSharedApplication()
{
    setSharedApplication(QSharedPointer<Application>());
}

} // namespace Vl::Tavix3::UI
