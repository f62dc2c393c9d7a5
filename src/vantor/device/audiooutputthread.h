#pragma once

#include <QMutex>
#include <QObject>
#include <QWaitCondition>

#include <atomic>

namespace Vl::Tavix3::UI {

// The worker of one tone of the device's tone table: it waits idle on its own thread until it is
// told to quit.
class AudioOutputThread : public QObject
{
    Q_OBJECT

public:
    AudioOutputThread(QMutex* toneMutex, uint durationMs, uint frequencyHz);

    uint frequency() const { return m_frequency; }
    uint duration() const { return m_duration; }
    bool isWaiting() const;

signals:
    void quit();
    void finished();

public slots:
    void process();
    void quitHandler();

private:
    QMutex* m_toneMutex = nullptr; // shared by all workers, not owned
    uint m_duration = 0;
    uint m_frequency = 0;
    mutable QMutex m_mutex;
    QWaitCondition m_condition;
    bool m_idle = true;
    bool m_waiting = false;
    // Set before the mutex is taken, so a quit that comes before the wait is never lost.
    std::atomic<bool> m_quit { false };
};

} // namespace Vl::Tavix3::UI
