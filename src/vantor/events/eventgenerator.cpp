#include "events/eventgenerator.h"

#include "time/datetime.h"

namespace Vl::Tavix3::UI {

EventGenerator::EventGenerator(QObject* parent)
    : QObject(parent)
{
}

void EventGenerator::generateEvent(EventGeneratorType type, bool isDown)
{
    TuMessages::EventInput input;
    input.set_eventid(EVENT_ID_NONE);
    input.set_ticks(DateTime::getDateTime());
    input.set_type(static_cast<TuMessages::EventType>(type));
    input.set_edge(isDown ? TuMessages::EDGE_FALLING : TuMessages::EDGE_RISING);
    emit signalEvent(input);
}

} // namespace Vl::Tavix3::UI
