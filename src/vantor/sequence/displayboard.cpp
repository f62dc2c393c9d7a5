#include "sequence/displayboard.h"

namespace Vl::Tavix3::UI {

Displayboard::Displayboard(QObject* parent)
    : QObject(parent)
{
}

} // namespace Vl::Tavix3::UI
