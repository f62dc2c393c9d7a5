#pragma once

#include <QObject>
#include <QTimer>

namespace Vl::Tavix3::BizHW {

// The scheduler's tick source: a precise 10 ms timer on the scheduler's thread.
class Timer10ms : public QObject
{
    Q_OBJECT

public:
    static constexpr int kIntervalMs = 10;

    explicit Timer10ms(QObject* parent = nullptr);

    void start();
    void stop();

signals:
    void timeout();

private:
    QTimer m_timer;
};

} // namespace Vl::Tavix3::BizHW
