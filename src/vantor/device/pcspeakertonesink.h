#pragma once

#include "device/tonesink.h"

#include <QMutex>
#include <QString>

#include <memory>

namespace Vl::Tavix3::UI {

// The PC speaker through its Linux input device, which plays a tone from an EV_SND/SND_TONE event
// until a tone of 0 Hz stops it. One speaker plays one tone at a time, so overlapping requests
// sound one after the other.
class PcSpeakerToneSink : public ToneSink
{
public:
    // The first input device that can play tones and is writable; null when there is none.
    static std::shared_ptr<PcSpeakerToneSink> open(const QString& inputFolder = QStringLiteral("/dev/input"));

    ~PcSpeakerToneSink() override;
    void play(uint frequencyHz, uint durationMs) override;
    QString devicePath() const { return m_path; }

private:
    PcSpeakerToneSink(int fileDescriptor, const QString& path);
    bool writeTone(int frequencyHz);

    int m_fd = -1;
    QString m_path;
    QMutex m_mutex; // one tone at a time
};

} // namespace Vl::Tavix3::UI
