#include "time/heldnotifications.h"

#include "time/normalpriorityscope.h"

#include <QDebug>

#include <exception>
#include <utility>

namespace Vl::Tavix3::UI {

namespace {

// The outermost hold of the calling thread; null when it holds nothing.
thread_local std::vector<std::function<void()>>* t_held = nullptr;

void sendNow(const std::function<void()>& notification)
{
    try {
        notification();
    } catch (const std::exception& e) {
        qWarning().noquote() << QStringLiteral("Notification failed: %1").arg(QString::fromLocal8Bit(e.what()));
    }
}

} // namespace

HeldNotifications::HeldNotifications()
{
    if (t_held)
        return;
    m_outermost = true;
    t_held = &m_held;
}

HeldNotifications::~HeldNotifications()
{
    if (!m_outermost)
        return;
    t_held = nullptr;
    if (m_held.empty())
        return;
    const NormalPriorityScope normalPriority;
    for (const std::function<void()>& notification : m_held)
        sendNow(notification);
}

void HeldNotifications::send(std::function<void()> notification)
{
    if (!notification)
        return;
    if (t_held) {
        t_held->push_back(std::move(notification));
        return;
    }
    const NormalPriorityScope normalPriority;
    sendNow(notification);
}

bool HeldNotifications::isHolding() { return t_held != nullptr; }

} // namespace Vl::Tavix3::UI
