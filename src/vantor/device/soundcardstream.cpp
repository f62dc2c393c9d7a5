#include "device/soundcardstream.h"

#include <QAudioOutput>
#include <QDebug>
#include <QtEndian>

#include <algorithm>
#include <chrono>

namespace Vl::Tavix3::UI {

namespace {

QAudioFormat wantedFormat()
{
    QAudioFormat format;
    format.setSampleRate(SoundCardStream::kSampleRate);
    format.setChannelCount(1);
    format.setSampleSize(16);
    format.setCodec(QStringLiteral("audio/pcm"));
    format.setByteOrder(QAudioFormat::LittleEndian);
    format.setSampleType(QAudioFormat::SignedInt);
    return format;
}

// The format this device plays that the stream can write: signed 16-bit samples of any rate and
// channel count; an invalid format when it has none.
QAudioFormat formatFor(const QAudioDeviceInfo& device)
{
    if (device.isNull())
        return {};
    QAudioFormat format = wantedFormat();
    if (!device.isFormatSupported(format))
        format = device.nearestFormat(format);
    if (!format.isValid() || format.codec() != QLatin1String("audio/pcm") || format.sampleSize() != 16
        || format.sampleType() != QAudioFormat::SignedInt || format.byteOrder() != QAudioFormat::LittleEndian
        || format.channelCount() < 1 || format.sampleRate() < 8000)
        return {};
    return format;
}

bool sameDevice(const QAudioDeviceInfo& a, const QAudioDeviceInfo& b)
{
    return a.deviceName() == b.deviceName() && a.realm() == b.realm();
}

} // namespace

SoundCardStream::SoundCardStream(DeviceLister devices, QObject* parent)
    : QObject(parent)
    , m_devices(std::move(devices))
    , m_feedTimer(this)
    , m_reopenTimer(this)
{
    m_feedTimer.setTimerType(Qt::PreciseTimer);
    m_feedTimer.setInterval(kFeedIntervalMs);
    connect(&m_feedTimer, &QTimer::timeout, this, &SoundCardStream::feed);
    m_reopenTimer.setInterval(kReopenIntervalMs);
    connect(&m_reopenTimer, &QTimer::timeout, this, &SoundCardStream::tryReopen);
}

SoundCardStream::~SoundCardStream() { close(); }

qint64 SoundCardStream::steadyNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool SoundCardStream::open()
{
    close();
    return openFirstOf(devicesToTry());
}

void SoundCardStream::close()
{
    m_reopenTimer.stop();
    closeOutput(false);
    m_generator.reset();
    m_unwritten.clear();
}

// The devices of the lister, the one that played last first.
QList<QAudioDeviceInfo> SoundCardStream::devicesToTry() const
{
    QList<QAudioDeviceInfo> devices = m_devices ? m_devices() : QList<QAudioDeviceInfo>();
    if (!m_device.isNull())
        std::stable_partition(devices.begin(), devices.end(),
            [this](const QAudioDeviceInfo& device) { return sameDevice(device, m_device); });
    return devices;
}

bool SoundCardStream::openFirstOf(const QList<QAudioDeviceInfo>& devices)
{
    for (const QAudioDeviceInfo& device : devices) {
        if (openDevice(device))
            return true;
    }
    return false;
}

bool SoundCardStream::openDevice(const QAudioDeviceInfo& device)
{
    const QAudioFormat format = formatFor(device);
    if (!format.isValid())
        return false;
    auto* output = new QAudioOutput(device, format, this);
    output->setBufferSize(format.bytesForDuration(kBufferMs * 1000));
    QIODevice* io = output->start();
    if (!io || output->error() != QAudio::NoError || output->state() == QAudio::StoppedState) {
        // Not deleted here: the output's destructor runs the thread's events.
        output->deleteLater();
        return false;
    }
    // Samples made for another rate or channel count cannot go to this device: the tone sounding
    // is dropped with them.
    if (!m_generator || format.sampleRate() != m_format.sampleRate()
        || format.channelCount() != m_format.channelCount()) {
        m_generator = std::make_unique<ToneGenerator>(format.sampleRate());
        m_unwritten.clear();
    }
    m_device = device;
    m_format = format;
    m_output = output;
    m_io = io;
    // A device can stop between two tones (a sound server that goes away says so at once).
    connect(m_output, &QAudioOutput::stateChanged, this, [this](QAudio::State state) {
        if (state == QAudio::StoppedState)
            QMetaObject::invokeMethod(this, &SoundCardStream::checkOutput, Qt::QueuedConnection);
    });
    qDebug().noquote().nospace() << "Tones go to the sound card " << m_device.deviceName() << " ("
                                 << m_format.sampleRate() << " Hz, " << m_format.channelCount() << " channel(s), "
                                 << m_format.durationForBytes(m_output->bufferSize()) / 1000 << " ms buffer)";
    return true;
}

// A device that still plays is stopped after what it holds (a shut-down lets the last tone end);
// one that went away is reset, so that nothing waits for it, and deleted later: the output's
// destructor runs the thread's events, which must not reach the stream while it changes devices.
void SoundCardStream::closeOutput(bool lost)
{
    m_feedTimer.stop();
    m_stalledSinceNs = -1;
    if (!m_output)
        return;
    QAudioOutput* output = m_output;
    m_output = nullptr;
    m_io = nullptr;
    output->disconnect(this);
    if (lost) {
        output->reset();
        output->deleteLater();
    } else {
        output->stop();
        delete output;
    }
}

bool SoundCardStream::hasStopped() const
{
    return m_output && (m_output->state() == QAudio::StoppedState || m_output->error() == QAudio::FatalError);
}

void SoundCardStream::checkOutput()
{
    if (hasStopped())
        deviceLost(stopReason());
}

QString SoundCardStream::stopReason() const
{
    QString reason;
    QDebug(&reason).nospace() << "its output stopped (" << m_output->error() << ")";
    return reason;
}

// The device stopped: open it (or another) again at once, so that the tone sounding carries on.
// A device that stops again within the reopen interval is not opened at once a second time (no
// loop of opens and failures); without a device the stream tries again every interval.
void SoundCardStream::deviceLost(const QString& reason)
{
    qWarning().noquote() << "The sound card" << m_device.deviceName() << "stopped playing tones:" << reason;
    closeOutput(true);
    const qint64 now = steadyNs();
    const bool lostRecently = m_lastLossNs >= 0 && now - m_lastLossNs < qint64(m_reopenTimer.interval()) * 1000000;
    m_lastLossNs = now;
    if (!lostRecently && openFirstOf(devicesToTry())) {
        qInfo().noquote() << "The sound card" << m_device.deviceName() << "opened again";
        m_feedTimer.start();
        return;
    }
    // What sounded would play late once a device is back.
    m_generator.reset();
    m_unwritten.clear();
    m_pendingRequestNs = -1;
    qWarning().noquote() << "No sound card opens; trying again every" << m_reopenTimer.interval() << "ms";
    m_reopenTimer.start();
    if (m_playingObserver)
        m_playingObserver(false);
}

void SoundCardStream::tryReopen()
{
    if (m_output || !openFirstOf(devicesToTry()))
        return;
    m_reopenTimer.stop();
    qInfo().noquote() << "The sound card" << m_device.deviceName() << "plays tones again";
    if (m_playingObserver)
        m_playingObserver(true);
}

void SoundCardStream::startTone(uint frequencyHz, uint durationMs, qint64 requestedNs)
{
    if (!m_output || !m_generator)
        return;
    m_generator->start(frequencyHz, durationMs);
    m_pendingRequestNs = m_generator->isSounding() ? requestedNs : -1;
    feed();
}

// Makes this many frames of what sounds, each sample in every channel. A tone that ends here is
// followed by silence up to the frames asked for (what the device takes now): a device that waits
// for more than a short tone before it plays (a sound server's prebuffering, the start threshold
// of ALSA's output) plays the tone now, not when the next one comes.
void SoundCardStream::fillFrames(int frames)
{
    const int channels = m_format.channelCount();
    m_mono.resize(size_t(frames));
    const int made = m_generator->generate(m_mono.data(), frames);
    const int filled = made > 0 ? frames : 0;
    std::fill(m_mono.begin() + made, m_mono.begin() + filled, qint16(0));
    m_unwritten.resize(filled * channels * int(sizeof(qint16)));
    auto* out = reinterpret_cast<qint16*>(m_unwritten.data());
    for (int i = 0; i < filled; ++i)
        std::fill_n(out + i * channels, channels, qToLittleEndian(m_mono[size_t(i)]));
}

// Writes as much of the tone as the device takes now. Only whole frames are written, and only
// what the device has room for, so a write never waits; what it does not take is kept for the
// next round.
void SoundCardStream::feed()
{
    if (!m_output)
        return;
    if (hasStopped()) {
        deviceLost(stopReason());
        return;
    }
    if (m_unwritten.isEmpty() && !m_generator->isSounding()) {
        m_feedTimer.stop();
        m_stalledSinceNs = -1;
        return;
    }
    const int frameBytes = m_format.bytesPerFrame();
    const int room = m_output->bytesFree() / frameBytes * frameBytes;
    if (room == 0) {
        handleFullDevice();
        if (!m_output)
            return;
    } else {
        m_stalledSinceNs = -1;
        if (m_unwritten.isEmpty())
            fillFrames(room / frameBytes);
        const qint64 written = m_io->write(m_unwritten.constData(), std::min(room, int(m_unwritten.size())));
        if (written > 0) {
            m_unwritten.remove(0, int(written));
            if (m_pendingRequestNs >= 0) {
                if (m_observer)
                    m_observer(m_pendingRequestNs, steadyNs());
                m_pendingRequestNs = -1;
            }
        }
        if (hasStopped()) {
            deviceLost(stopReason());
            return;
        }
    }
    if (!m_feedTimer.isActive())
        m_feedTimer.start();
}

// The device has no room while a tone waits. It empties within its buffer's time while it plays;
// one that takes nothing for longer is not playing.
void SoundCardStream::handleFullDevice()
{
    const qint64 now = steadyNs();
    if (m_stalledSinceNs < 0) {
        m_stalledSinceNs = now;
        return;
    }
    const qint64 bufferUs = std::max<qint64>(m_format.durationForBytes(m_output->bufferSize()), kBufferMs * 1000);
    const qint64 stalledNs = now - m_stalledSinceNs;
    if (stalledNs <= bufferUs * 1000)
        return;
    m_stalledSinceNs = -1;
    if (m_device.realm() == QLatin1String("alsa")) {
        // ALSA's output reports no error for a card that went away while it waits for room.
        deviceLost(QStringLiteral("it took no samples for %1 ms").arg(stalledNs / 1000000));
        return;
    }
    // A sound server can hold a short stream back until more than it lets us write has arrived.
    // Pausing and resuming starts it with what it has.
    if (m_restarts++ == 0)
        qDebug().noquote() << "The sound card" << m_device.deviceName() << "held a tone back; restarting it";
    m_output->suspend();
    m_output->resume();
}

} // namespace Vl::Tavix3::UI
