#pragma once

#include "device/tonegenerator.h"

#include <QAudioDeviceInfo>
#include <QAudioFormat>
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

class QAudioOutput;
class QIODevice;

namespace Vl::Tavix3::UI {

// The sound card's output stream, on the thread of its owner (SoundCardToneSink): it opens the
// first device that works in push mode, hands a new tone's first samples to the device as soon as
// the tone arrives and keeps the device's buffer full from a short timer until the tone has ended.
//
// A device that stops (a sound server that restarts, a card unplugged) is closed and opened again
// at once, the tone sounding carrying on where it was; when no device opens, the stream says so to
// its observer and tries again every reopen interval until one does. A device stops when its output
// says so, or, for ALSA's output, which says nothing of a card that went away while it waits for
// room, when it takes no samples for longer than its buffer lasts.
class SoundCardStream : public QObject
{
    Q_OBJECT

public:
    // Reports, for each tone, when it was requested and when its first sample was handed to the
    // device (steady-clock nanoseconds).
    using HandoffObserver = std::function<void(qint64 requestedNs, qint64 handedNs)>;
    // The devices worth trying, best first; asked again at every attempt to reopen.
    using DeviceLister = std::function<QList<QAudioDeviceInfo>()>;
    // Told false when the stream has lost its device and none opens, true when one has opened again.
    using PlayingObserver = std::function<void(bool playing)>;

    static constexpr int kSampleRate = 48000;
    // What the stream asks the device to hold ahead: the samples that carry a tone through a stall
    // of this thread. A tone that starts from silence is not held back by it (the buffer is empty
    // then); one that replaces a tone still sounding follows what the device already holds.
    static constexpr int kBufferMs = 100;
    static constexpr int kFeedIntervalMs = 2;
    static constexpr int kReopenIntervalMs = 1000;

    explicit SoundCardStream(DeviceLister devices, QObject* parent = nullptr);
    // The clock of the handoff times.
    static qint64 steadyNs();
    ~SoundCardStream() override;

    // Opens the first of the devices that can play our format; false when none does.
    bool open();
    void close();
    void startTone(uint frequencyHz, uint durationMs, qint64 requestedNs);
    void setHandoffObserver(HandoffObserver observer) { m_observer = std::move(observer); }
    void setPlayingObserver(PlayingObserver observer) { m_playingObserver = std::move(observer); }
    void setReopenInterval(int ms) { m_reopenTimer.setInterval(ms); }
    QString deviceName() const { return m_device.deviceName(); }

private:
    QList<QAudioDeviceInfo> devicesToTry() const;
    bool openFirstOf(const QList<QAudioDeviceInfo>& devices);
    bool openDevice(const QAudioDeviceInfo& device);
    void closeOutput(bool lost);
    bool hasStopped() const;
    void checkOutput();
    QString stopReason() const;
    void deviceLost(const QString& reason);
    void tryReopen();
    void feed();
    void handleFullDevice();
    void fillFrames(int frames);

    DeviceLister m_devices;
    QAudioDeviceInfo m_device; // the one open, or last open
    QAudioFormat m_format;
    QAudioOutput* m_output = nullptr; // child
    QIODevice* m_io = nullptr; // owned by m_output
    std::unique_ptr<ToneGenerator> m_generator;
    std::vector<qint16> m_mono;
    QByteArray m_unwritten; // generated frames the device has not taken yet
    QTimer m_feedTimer;
    QTimer m_reopenTimer; // runs while no device is open
    HandoffObserver m_observer;
    PlayingObserver m_playingObserver;
    qint64 m_pendingRequestNs = -1; // the request whose first sample is not handed yet
    qint64 m_stalledSinceNs = -1; // since when the device has had no room while a tone sounds
    qint64 m_lastLossNs = -1; // when the device last stopped
    int m_restarts = 0; // of a stalled device
};

} // namespace Vl::Tavix3::UI
