#pragma once

#include "device/tonegenerator.h"

#include <QAudioDeviceInfo>
#include <QAudioFormat>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

class QAudioOutput;
class QIODevice;

namespace Vl::Tavix3::UI {

// The sound card's output stream, on the thread of its owner (SoundCardToneSink): it opens the
// device in push mode with a small buffer, hands a new tone's first samples to the device as soon
// as the tone arrives and tops the buffer up from a short timer until the tone has ended.
class SoundCardStream : public QObject
{
    Q_OBJECT

public:
    // Reports, for each tone, when it was requested and when its first sample was handed to the
    // device (steady-clock nanoseconds).
    using HandoffObserver = std::function<void(qint64 requestedNs, qint64 handedNs)>;

    static constexpr int kSampleRate = 48000;
    static constexpr int kBufferMs = 20; // what the device may hold ahead: a replaced tone stops within this
    static constexpr int kFeedIntervalMs = 2;

    explicit SoundCardStream(const QAudioDeviceInfo& device, QObject* parent = nullptr);
    // The clock of the handoff times.
    static qint64 steadyNs();
    ~SoundCardStream() override;

    // Opens the device; false when it cannot play our format or does not open.
    bool open();
    void close();
    void startTone(uint frequencyHz, uint durationMs, qint64 requestedNs);
    void setHandoffObserver(HandoffObserver observer) { m_observer = std::move(observer); }
    QString deviceName() const { return m_device.deviceName(); }

private:
    void feed();
    bool chooseFormat();

    QAudioDeviceInfo m_device;
    QAudioFormat m_format;
    QAudioOutput* m_output = nullptr; // child
    QIODevice* m_io = nullptr; // owned by m_output
    std::unique_ptr<ToneGenerator> m_generator;
    std::vector<qint16> m_mono;
    QByteArray m_frames;
    QTimer m_feedTimer;
    HandoffObserver m_observer;
    qint64 m_pendingRequestNs = -1; // the request whose first sample is not handed yet
    qint64 m_stalledSinceNs = -1; // since when the device has had no room while a tone sounds
    bool m_reportedError = false;
    int m_restarts = 0; // of a stalled device
};

} // namespace Vl::Tavix3::UI
