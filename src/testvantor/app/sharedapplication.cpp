#include "app/sharedapplication.h"

#include "app/application.h"

namespace Vl::Orvane::UI {

namespace {
// TestVantor runs on one thread; the pointer needs no lock.
QSharedPointer<Application> s_application;
} // namespace

QSharedPointer<Application> sharedApplication() { return s_application; }

void setSharedApplication(const QSharedPointer<Application>& application)
{
    // The previous object is released after the new one is in place, so that its destructor
    // already sees the new pointer.
    const QSharedPointer<Application> previous = s_application;
    s_application = application;
}

void resetSharedApplication() { setSharedApplication(QSharedPointer<Application>()); }

} // namespace Vl::Orvane::UI
