#pragma once

#include <QSharedPointer>

namespace Vl::Tavix3::UI {

class Application;
class ApplicationServices;

// The process-wide shared pointer to the one application object. Components take a strong
// reference for as long as they use the object; it is empty before start-up and after shut-down.
QSharedPointer<Application> sharedApplication();
// The same object seen through the services the foundation, the clock and the screens' helper
// objects use; empty exactly when sharedApplication() is.
QSharedPointer<ApplicationServices> sharedApplicationServices();
void setSharedApplication(
    const QSharedPointer<Application>& application, const QSharedPointer<ApplicationServices>& services);
// Called where the application object's class is known, so that both views are taken from it.
template <typename T>
void setSharedApplication(const QSharedPointer<T>& application)
{
    setSharedApplication(application, application);
}
void resetSharedApplication();

} // namespace Vl::Tavix3::UI
