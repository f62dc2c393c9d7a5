#pragma once

#include <QObject>
#include <QRecursiveMutex>

#include <memory>

#include "time/propertywrapper.h"

namespace Vl::Tavix3::UI {

// A software countdown timer in steps of 10 ms, counted down by the scheduler on every tick.
// Users arm it through currentCountProperty and poll it; the idle value is all bits set.
class TimerSoftware : public QObject
{
    Q_OBJECT

public:
    static constexpr unsigned kIdle = 0xFFFFFFFFu;

    explicit TimerSoftware(QObject* parent = nullptr);
    ~TimerSoftware() override;

    // Returns the timer to idle.
    void reset();
    // One scheduler step; the caller may hold the mutex already (it is recursive).
    void countDown();

    unsigned reloadCount = kIdle;
    unsigned currentCount = kIdle;
    QRecursiveMutex mutex;
    bool emitOnExpiry = false;
    std::unique_ptr<PropertyWrapperBase<unsigned>> currentCountProperty;

signals:
    void timerEnd();
};

} // namespace Vl::Tavix3::UI
