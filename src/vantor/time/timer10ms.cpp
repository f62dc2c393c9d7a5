#include "time/timer10ms.h"

namespace Vl::Tavix3::BizHW {

Timer10ms::Timer10ms(QObject* parent)
    : QObject(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(kIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &Timer10ms::timeout);
}

void Timer10ms::start() { m_timer.start(); }

void Timer10ms::stop() { m_timer.stop(); }

} // namespace Vl::Tavix3::BizHW
