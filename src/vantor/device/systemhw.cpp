#include "device/systemhw.h"

namespace Vl::Tavix3::UI {

SystemHw::SystemHw(QObject* parent)
    : QObject(parent)
{
}

void SystemHw::loadSettings() {}
void SystemHw::setSound(uint, uint) {}
void SystemHw::setHwSynchroAtTime(qint64, int, int) {}

} // namespace Vl::Tavix3::UI
