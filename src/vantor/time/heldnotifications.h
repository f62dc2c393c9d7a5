#pragma once

#include <functional>
#include <vector>

namespace Vl::Tavix3::UI {

// Notifications that wake other threads, such as the screens' signals. While a thread holds them,
// the notifications it sends wait, in order, until the outermost hold ends; then they go, from
// normal priority. The engine's tick holds them so that its urgent output (the status to the
// clients) leaves first: a GUI thread woken earlier would be queued on the tick's processor and,
// once the tick sleeps or lowers its priority, draw for milliseconds before the clients' thread.
// Without a hold a notification goes at once, from normal priority.
class HeldNotifications
{
public:
    HeldNotifications();
    ~HeldNotifications();
    HeldNotifications(const HeldNotifications&) = delete;
    HeldNotifications& operator=(const HeldNotifications&) = delete;

    // Sends the notification now, or holds it when the calling thread holds its notifications.
    static void send(std::function<void()> notification);
    // Whether the calling thread holds its notifications now.
    static bool isHolding();

private:
    std::vector<std::function<void()>> m_held;
    bool m_outermost = false;
};

} // namespace Vl::Tavix3::UI
