#include "time/timersoftware.h"

#include <QMutexLocker>

namespace Vl::Tavix3::UI {

TimerSoftware::TimerSoftware(QObject* parent)
    : QObject(parent)
{
    auto getter = [this]() {
        QMutexLocker locker(&mutex);
        return currentCount;
    };
    auto setter = [this](unsigned value) {
        QMutexLocker locker(&mutex);
        currentCount = value;
    };
    currentCountProperty =
        std::make_unique<PropertyWrapper<unsigned, decltype(getter), decltype(setter)>>(getter, setter);
}

TimerSoftware::~TimerSoftware() = default;

void TimerSoftware::reset()
{
    QMutexLocker locker(&mutex);
    currentCount = reloadCount;
}

void TimerSoftware::countDown()
{
    QMutexLocker locker(&mutex);
    if (currentCount == reloadCount)
        return;
    const unsigned value = currentCountProperty->get();
    if (value == 0 || value == 1) {
        if (emitOnExpiry) {
            emit timerEnd();
            reset();
        } else if (value == 1) {
            currentCountProperty->set(0u);
        }
        return;
    }
    currentCountProperty->set(value - 1);
}

} // namespace Vl::Tavix3::UI
