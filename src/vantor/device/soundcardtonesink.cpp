#include "device/soundcardtonesink.h"

#include "time/realtimescheduling.h"

#include <QMetaObject>
#include <QMutexLocker>

namespace Vl::Tavix3::UI {

namespace {

constexpr unsigned long kThreadStopMs = 5000;

} // namespace

QList<QAudioDeviceInfo> SoundCardToneSink::outputDevices()
{
    QList<QAudioDeviceInfo> devices;
    const QAudioDeviceInfo preferred = QAudioDeviceInfo::defaultOutputDevice();
    if (!preferred.isNull() && !preferred.deviceName().isEmpty())
        devices << preferred;
    // Only the other systems' default devices: probing every listed device would open
    // surround and network outputs nobody listens to.
    for (const QAudioDeviceInfo& device : QAudioDeviceInfo::availableDevices(QAudio::AudioOutput)) {
        if (!device.isNull() && device.deviceName() == QLatin1String("default") && device != preferred)
            devices << device;
    }
    return devices;
}

std::shared_ptr<SoundCardToneSink> SoundCardToneSink::open(SoundCardStream::DeviceLister devices)
{
    std::shared_ptr<SoundCardToneSink> sink(new SoundCardToneSink);
    if (!sink->openDevice(std::move(devices)))
        return nullptr;
    return sink;
}

std::shared_ptr<SoundCardToneSink> SoundCardToneSink::open(const QList<QAudioDeviceInfo>& devices)
{
    return open([devices]() { return devices; });
}

bool SoundCardToneSink::openDevice(SoundCardStream::DeviceLister devices)
{
    m_thread.setObjectName(QStringLiteral("Tone output thread"));
    m_thread.start();
    m_stream = new SoundCardStream(std::move(devices));
    m_stream->moveToThread(&m_thread);
    bool opened = false;
    QMetaObject::invokeMethod(
        m_stream,
        [this, &opened]() {
            // The thread keeps the device's buffer full: under load, a thread of normal priority
            // can wait longer for a processor than the buffer lasts, and the tone breaks up.
            RealtimeScheduling::applyToCurrentThread(RealtimeScheduling::kSchedulerPriority);
            m_stream->setPlayingObserver([this](bool playing) { playingChanged(playing); });
            opened = m_stream->open();
        },
        Qt::BlockingQueuedConnection);
    if (!opened) {
        stopThread();
        return false;
    }
    m_deviceName = m_stream->deviceName();
    return true;
}

void SoundCardToneSink::playingChanged(bool playing)
{
    QMutexLocker locker(&m_observerMutex);
    m_playing = playing;
    if (m_observer)
        m_observer(playing);
}

void SoundCardToneSink::setAudibilityObserver(AudibilityObserver observer)
{
    QMutexLocker locker(&m_observerMutex);
    m_observer = std::move(observer);
}

SoundCardToneSink::~SoundCardToneSink() { stopThread(); }

void SoundCardToneSink::stopThread()
{
    if (m_stream) {
        // The stream's output and timer belong to its thread: it is deleted there.
        SoundCardStream* stream = m_stream;
        m_stream = nullptr;
        if (m_thread.isRunning())
            QMetaObject::invokeMethod(
                stream, [stream]() { delete stream; }, Qt::BlockingQueuedConnection);
        else
            delete stream;
    }
    m_thread.quit();
    m_thread.wait(kThreadStopMs);
}

void SoundCardToneSink::start(uint frequencyHz, uint durationMs)
{
    if (!m_stream)
        return;
    const qint64 requestedNs = SoundCardStream::steadyNs();
    SoundCardStream* stream = m_stream;
    QMetaObject::invokeMethod(
        stream,
        [stream, frequencyHz, durationMs, requestedNs]() { stream->startTone(frequencyHz, durationMs, requestedNs); },
        Qt::QueuedConnection);
}

void SoundCardToneSink::play(uint frequencyHz, uint durationMs)
{
    start(frequencyHz, durationMs);
    QThread::msleep(durationMs);
}

void SoundCardToneSink::setReopenInterval(int ms)
{
    if (!m_stream)
        return;
    SoundCardStream* stream = m_stream;
    QMetaObject::invokeMethod(
        stream, [stream, ms]() { stream->setReopenInterval(ms); }, Qt::BlockingQueuedConnection);
}

void SoundCardToneSink::setHandoffObserver(SoundCardStream::HandoffObserver observer)
{
    if (!m_stream)
        return;
    SoundCardStream* stream = m_stream;
    QMetaObject::invokeMethod(
        stream, [stream, observer]() { stream->setHandoffObserver(observer); }, Qt::BlockingQueuedConnection);
}

} // namespace Vl::Tavix3::UI
