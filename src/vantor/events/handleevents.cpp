#include "events/handleevents.h"

namespace Vl::Tavix3::UI {

HandleEvents::HandleEvents(QObject* parent)
    : QObject(parent)
{
    connect(this, &HandleEvents::quit, this, &HandleEvents::finished, Qt::DirectConnection);
}

void HandleEvents::process()
{
}

} // namespace Vl::Tavix3::UI
