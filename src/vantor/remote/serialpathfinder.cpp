#include "remote/serialpathfinder.h"

namespace Vl::Tavix3::UI {

SerialPathFinder::SerialPathFinder(QObject* parent)
    : QObject(parent)
{
    connect(this, &SerialPathFinder::quit, this, &SerialPathFinder::finished, Qt::DirectConnection);
}

void SerialPathFinder::process()
{
}

} // namespace Vl::Tavix3::UI
