#include "device/recordingtonesink.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QMutexLocker>

namespace Vl::Tavix3::UI {

RecordingToneSink::RecordingToneSink(const QString& fileName)
    : m_fileName(fileName)
{
}

RecordingToneSink::~RecordingToneSink() { setHeld(false); }

void RecordingToneSink::play(uint frequencyHz, uint durationMs)
{
    QMutexLocker locker(&m_mutex);
    m_tones.append({ frequencyHz, durationMs });
    ++m_playing;
    if (!m_fileName.isEmpty()) {
        QFile file(m_fileName);
        if (file.open(QIODevice::WriteOnly | QIODevice::Append))
            file.write(QByteArray::number(frequencyHz) + ' ' + QByteArray::number(durationMs) + '\n');
    }
    m_changed.wakeAll();
    while (m_held)
        m_changed.wait(&m_mutex);
    --m_playing;
    m_changed.wakeAll();
}

QList<RecordingToneSink::Tone> RecordingToneSink::tones() const
{
    QMutexLocker locker(&m_mutex);
    return m_tones;
}

int RecordingToneSink::playing() const
{
    QMutexLocker locker(&m_mutex);
    return m_playing;
}

bool RecordingToneSink::waitForTones(int count, int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    QMutexLocker locker(&m_mutex);
    while (m_tones.size() < count) {
        if (!m_changed.wait(&m_mutex, deadline))
            return m_tones.size() >= count;
    }
    return true;
}

void RecordingToneSink::setHeld(bool held)
{
    QMutexLocker locker(&m_mutex);
    m_held = held;
    m_changed.wakeAll();
}

} // namespace Vl::Tavix3::UI
