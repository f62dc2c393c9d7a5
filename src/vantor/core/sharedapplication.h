#pragma once

#include <QSharedPointer>

namespace Vl::Tavix3::UI {

class Application;

// The process-wide shared pointer to the one application object. Components take a strong
// reference for as long as they use the object; it is empty before start-up and after shut-down.
QSharedPointer<Application> sharedApplication();
void setSharedApplication(const QSharedPointer<Application>& application);
void resetSharedApplication();

} // namespace Vl::Tavix3::UI
