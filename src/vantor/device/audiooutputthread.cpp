#include "device/audiooutputthread.h"

#include <QMutexLocker>

namespace Vl::Tavix3::UI {

AudioOutputThread::AudioOutputThread(QMutex* toneMutex, uint durationMs, uint frequencyHz)
    : m_toneMutex(toneMutex)
    , m_duration(durationMs)
    , m_frequency(frequencyHz)
{
}

bool AudioOutputThread::isWaiting() const
{
    QMutexLocker locker(&m_mutex);
    return m_waiting;
}

void AudioOutputThread::process()
{
    while (!m_quit) {
        QMutexLocker locker(&m_mutex);
        if (m_idle) {
            m_waiting = true;
            m_condition.wait(&m_mutex);
            m_waiting = false;
            if (m_quit)
                break;
        }
        m_idle = true;
    }
    emit finished();
}

void AudioOutputThread::quitHandler()
{
    m_quit = true;
    {
        QMutexLocker locker(&m_mutex);
        m_idle = false;
    }
    m_condition.wakeAll();
}

} // namespace Vl::Tavix3::UI
