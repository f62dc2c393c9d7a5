#include "device/gps.h"

namespace Vl::Tavix3::UI {

GPS::GPS(QObject* parent)
    : QObject(parent)
{
}

void GPS::loadSettings() {}

} // namespace Vl::Tavix3::UI
