#pragma once

#include "device/soundcardstream.h"
#include "device/tonesink.h"

#include <QAudioDeviceInfo>
#include <QList>
#include <QString>
#include <QThread>

#include <memory>

namespace Vl::Tavix3::UI {

// Tones through the sound card: a generated sine pushed to a Qt Multimedia output that stays
// open on a thread of its own ("Tone output thread"), so a tone starts as soon as that thread has
// handed its first samples to the device. A new tone replaces the one sounding.
class SoundCardToneSink : public ToneSink
{
public:
    // The devices worth trying, best first: the platform's default output, then the default
    // device of every other audio system (for example ALSA's when no sound server runs). Devices
    // without a usable name are left out.
    static QList<QAudioDeviceInfo> outputDevices();
    // A sink on the first of the devices that opens; null when none does (or the list is empty).
    static std::shared_ptr<SoundCardToneSink> open(const QList<QAudioDeviceInfo>& devices);

    ~SoundCardToneSink() override;

    // Hands the tone to the output thread and returns at once.
    void start(uint frequencyHz, uint durationMs) override;
    // Starts the tone and returns when it has ended.
    void play(uint frequencyHz, uint durationMs) override;
    QString deviceName() const { return m_deviceName; }

    // for benchmarks: called on the output thread when a tone's first samples reach the device.
    void setHandoffObserver(SoundCardStream::HandoffObserver observer);

private:
    SoundCardToneSink() = default;
    bool openDevice(const QAudioDeviceInfo& device);
    void stopThread();

    QThread m_thread;
    SoundCardStream* m_stream = nullptr; // lives on m_thread
    QString m_deviceName;
};

} // namespace Vl::Tavix3::UI
