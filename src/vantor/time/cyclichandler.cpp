#include "time/cyclichandler.h"

namespace Vl::Tavix3::UI {

CyclicHandler::CyclicHandler(QObject* parent)
    : QObject(parent)
{
    connect(this, &CyclicHandler::quit, this, &CyclicHandler::finished, Qt::DirectConnection);
}

void CyclicHandler::startTasks()
{
    emit started();
}

} // namespace Vl::Tavix3::UI
