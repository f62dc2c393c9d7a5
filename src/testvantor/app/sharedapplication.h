#pragma once

#include <QSharedPointer>

namespace Vl::Orvane::UI {

class Application;

// The process-wide shared pointer to TestVantor's application object: empty before start-up and
// after the quit handling has released it.
QSharedPointer<Application> sharedApplication();
void setSharedApplication(const QSharedPointer<Application>& application);
void resetSharedApplication();

} // namespace Vl::Orvane::UI
