#include "device/soundcardstream.h"

#include <QAudioOutput>
#include <QDebug>
#include <QtEndian>

#include <algorithm>
#include <chrono>
#include <cstring>

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

} // namespace

SoundCardStream::SoundCardStream(const QAudioDeviceInfo& device, QObject* parent)
    : QObject(parent)
    , m_device(device)
    , m_feedTimer(this)
{
    m_feedTimer.setTimerType(Qt::PreciseTimer);
    m_feedTimer.setInterval(kFeedIntervalMs);
    connect(&m_feedTimer, &QTimer::timeout, this, &SoundCardStream::feed);
}

SoundCardStream::~SoundCardStream() { close(); }

qint64 SoundCardStream::steadyNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool SoundCardStream::chooseFormat()
{
    if (m_device.isNull())
        return false;
    QAudioFormat format = wantedFormat();
    if (!m_device.isFormatSupported(format))
        format = m_device.nearestFormat(format);
    // Signed 16-bit samples of any rate and channel count are written; anything else is not.
    if (!format.isValid() || format.codec() != QLatin1String("audio/pcm") || format.sampleSize() != 16
        || format.sampleType() != QAudioFormat::SignedInt || format.byteOrder() != QAudioFormat::LittleEndian
        || format.channelCount() < 1 || format.sampleRate() < 8000)
        return false;
    m_format = format;
    return true;
}

bool SoundCardStream::open()
{
    close();
    if (!chooseFormat())
        return false;
    m_output = new QAudioOutput(m_device, m_format, this);
    m_output->setBufferSize(m_format.bytesForDuration(kBufferMs * 1000));
    m_io = m_output->start();
    if (!m_io || m_output->error() != QAudio::NoError) {
        close();
        return false;
    }
    m_generator = std::make_unique<ToneGenerator>(m_format.sampleRate());
    qDebug().noquote().nospace() << "Tones go to the sound card " << m_device.deviceName() << " ("
                                 << m_format.sampleRate() << " Hz, buffer " << m_output->bufferSize() << " bytes)";
    return true;
}

void SoundCardStream::close()
{
    m_feedTimer.stop();
    if (m_output) {
        m_output->stop();
        delete m_output;
    }
    m_output = nullptr;
    m_io = nullptr;
}

void SoundCardStream::startTone(uint frequencyHz, uint durationMs, qint64 requestedNs)
{
    if (!m_io || !m_generator)
        return;
    m_generator->start(frequencyHz, durationMs);
    m_pendingRequestNs = m_generator->isSounding() ? requestedNs : -1;
    feed();
}

// Writes as much of the tone as the device takes now. Only whole frames are written, and only
// what the device has room for, so a write never waits.
void SoundCardStream::feed()
{
    if (!m_io || !m_generator)
        return;
    if (!m_generator->isSounding()) {
        m_feedTimer.stop();
        return;
    }
    if (m_output->error() == QAudio::FatalError || m_output->error() == QAudio::IOError) {
        if (!m_reportedError)
            qWarning().noquote() << "The sound card" << m_device.deviceName() << "stopped playing tones";
        m_reportedError = true;
    }
    const int channels = m_format.channelCount();
    const int frameBytes = channels * 2;
    const int frames = m_output->bytesFree() / frameBytes;
    if (frames == 0) {
        // A device that takes nothing for a whole buffer's time is not playing: a sound server
        // can hold a short stream back until more than it lets us write has arrived. Pausing
        // and resuming starts it with what it has.
        const qint64 now = steadyNs();
        if (m_stalledSinceNs < 0) {
            m_stalledSinceNs = now;
        } else if (now - m_stalledSinceNs > qint64(kBufferMs) * 1000000) {
            if (m_restarts++ == 0)
                qDebug().noquote() << "The sound card" << m_device.deviceName() << "held a tone back; restarting it";
            m_output->suspend();
            m_output->resume();
            m_stalledSinceNs = -1;
        }
    } else {
        m_stalledSinceNs = -1;
        m_mono.resize(size_t(frames));
        const int made = m_generator->generate(m_mono.data(), frames);
        m_frames.resize(made * frameBytes);
        auto* out = reinterpret_cast<qint16*>(m_frames.data());
        for (int i = 0; i < made; ++i)
            std::fill_n(out + i * channels, channels, qToLittleEndian(m_mono[size_t(i)]));
        if (made > 0) {
            m_io->write(m_frames);
            if (m_pendingRequestNs >= 0) {
                if (m_observer)
                    m_observer(m_pendingRequestNs, steadyNs());
                m_pendingRequestNs = -1;
            }
        }
    }
    if (!m_feedTimer.isActive())
        m_feedTimer.start();
}

} // namespace Vl::Tavix3::UI
