#pragma once

#include <QMutex>
#include <QObject>

namespace Vl::Tavix3::UI {

class AudioOutputThread;

// Owns one tone worker and the thread it waits on, named "AudioOutput thread <Hz> <ms>".
class AudioOutput : public QObject
{
    Q_OBJECT

public:
    AudioOutput(QMutex* sharedMutex, uint frequencyHz, uint durationMs, QObject* parent = nullptr);
    ~AudioOutput() override;

    AudioOutputThread* worker() const { return m_worker; }

private:
    AudioOutputThread* m_worker = nullptr;
};

} // namespace Vl::Tavix3::UI
