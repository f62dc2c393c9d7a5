#pragma once

#include "device/tonesink.h"

#include <QMutex>
#include <QString>
#include <QWaitCondition>

#include <memory>

namespace Vl::Tavix3::UI {

// The PC speaker through its Linux input device, which plays a tone from an EV_SND/SND_TONE event
// until a tone of 0 Hz stops it. One speaker plays one tone at a time: a new tone replaces the one
// sounding, and only the newest tone's end silences the speaker.
class PcSpeakerToneSink : public ToneSink
{
public:
    // The first input device that can play tones and is writable; null when there is none.
    static std::shared_ptr<PcSpeakerToneSink> open(const QString& inputFolder = QStringLiteral("/dev/input"));

    ~PcSpeakerToneSink() override;
    void play(uint frequencyHz, uint durationMs) override;
    QString devicePath() const { return m_path; }

    // for unit testing: a sink writing its events to this descriptor, which it takes over.
    static std::shared_ptr<PcSpeakerToneSink> fromDescriptor(int fileDescriptor, const QString& path);

private:
    PcSpeakerToneSink(int fileDescriptor, const QString& path);
    bool writeTone(int frequencyHz);

    int m_fd = -1;
    QString m_path;
    QMutex m_mutex; // one tone at a time
    QWaitCondition m_replaced;
    quint64 m_generation = 0; // of the newest tone
};

} // namespace Vl::Tavix3::UI
