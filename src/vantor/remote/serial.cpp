#include "remote/serial.h"

namespace Vl::Tavix3::UI {

Serial::Serial(QObject* parent)
    : QObject(parent)
{
}

void Serial::startServer() {}
void Serial::serialOutText(int, int, const QString&) {}

} // namespace Vl::Tavix3::UI
