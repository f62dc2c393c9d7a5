#pragma once

#include "device/soundcardstream.h"
#include "device/tonesink.h"

#include <QAudioDeviceInfo>
#include <QList>
#include <QMutex>
#include <QString>
#include <QThread>

#include <atomic>
#include <memory>

namespace Vl::Tavix3::UI {

// Tones through the sound card: a generated sine pushed to a Qt Multimedia output that stays
// open on a thread of its own ("Tone output thread", under the scheduler's real-time scheduling
// where the process may use it), so a tone starts as soon as that thread has handed its first
// samples to the device. A new tone replaces the one sounding. A device that goes away is opened
// again, or another one; the audibility observer hears when none opens and when one is back.
class SoundCardToneSink : public ToneSink
{
public:
    // The devices worth trying, best first: the platform's default output, then the default
    // device of every other audio system (for example ALSA's when no sound server runs). Devices
    // without a usable name are left out.
    static QList<QAudioDeviceInfo> outputDevices();
    // A sink on the first of the devices that opens; null when none does (or the list is empty).
    // The lister is asked again whenever the device has to be reopened.
    static std::shared_ptr<SoundCardToneSink> open(SoundCardStream::DeviceLister devices);
    static std::shared_ptr<SoundCardToneSink> open(const QList<QAudioDeviceInfo>& devices);

    ~SoundCardToneSink() override;

    // Hands the tone to the output thread and returns at once.
    void start(uint frequencyHz, uint durationMs) override;
    // Starts the tone and returns when it has ended.
    void play(uint frequencyHz, uint durationMs) override;
    void setAudibilityObserver(AudibilityObserver observer) override;
    bool isAudible() const override { return m_playing; }
    // The device opened first.
    QString deviceName() const { return m_deviceName; }

    // for benchmarks: called on the output thread when a tone's first samples reach the device.
    void setHandoffObserver(SoundCardStream::HandoffObserver observer);
    // for unit testing: how often a lost device is tried again.
    void setReopenInterval(int ms);

private:
    SoundCardToneSink() = default;
    bool openDevice(SoundCardStream::DeviceLister devices);
    void playingChanged(bool playing);
    void stopThread();

    QThread m_thread;
    SoundCardStream* m_stream = nullptr; // lives on m_thread
    QString m_deviceName;
    std::atomic<bool> m_playing { true };
    QMutex m_observerMutex;
    AudibilityObserver m_observer;
};

} // namespace Vl::Tavix3::UI
