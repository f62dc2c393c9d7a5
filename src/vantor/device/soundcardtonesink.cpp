#include "device/soundcardtonesink.h"

#include <QMetaObject>

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

std::shared_ptr<SoundCardToneSink> SoundCardToneSink::open(const QList<QAudioDeviceInfo>& devices)
{
    for (const QAudioDeviceInfo& device : devices) {
        std::shared_ptr<SoundCardToneSink> sink(new SoundCardToneSink);
        if (sink->openDevice(device))
            return sink;
    }
    return nullptr;
}

bool SoundCardToneSink::openDevice(const QAudioDeviceInfo& device)
{
    if (device.isNull())
        return false;
    m_thread.setObjectName(QStringLiteral("Tone output thread"));
    m_thread.start(QThread::TimeCriticalPriority);
    m_stream = new SoundCardStream(device);
    m_stream->moveToThread(&m_thread);
    bool opened = false;
    QMetaObject::invokeMethod(
        m_stream, [this, &opened]() { opened = m_stream->open(); }, Qt::BlockingQueuedConnection);
    if (!opened) {
        stopThread();
        return false;
    }
    m_deviceName = device.deviceName();
    return true;
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

void SoundCardToneSink::setHandoffObserver(SoundCardStream::HandoffObserver observer)
{
    if (!m_stream)
        return;
    SoundCardStream* stream = m_stream;
    QMetaObject::invokeMethod(
        stream, [stream, observer]() { stream->setHandoffObserver(observer); }, Qt::BlockingQueuedConnection);
}

} // namespace Vl::Tavix3::UI
