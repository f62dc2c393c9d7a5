#include "device/audiooutput.h"

#include "core/utils.h"
#include "device/audiooutputthread.h"

#include <QThread>

namespace Vl::Tavix3::UI {

AudioOutput::AudioOutput(QMutex* sharedMutex, uint frequencyHz, uint durationMs, QObject* parent)
    : QObject(parent)
{
    auto* thread = new QThread();
    thread->setObjectName(QStringLiteral("AudioOutput thread %1 %2").arg(frequencyHz).arg(durationMs));
    m_worker = new AudioOutputThread(sharedMutex, durationMs, frequencyHz);
    connect(m_worker, &AudioOutputThread::quit, m_worker, &AudioOutputThread::quitHandler, Qt::DirectConnection);
    connect(thread, &QThread::started, m_worker, &AudioOutputThread::process);
    connect(m_worker, &AudioOutputThread::finished, thread, &QThread::quit, Qt::DirectConnection);
    m_worker->moveToThread(thread);
    thread->start(QThread::InheritPriority);
}

AudioOutput::~AudioOutput() { Utils::stopThread(&m_worker, true); }

} // namespace Vl::Tavix3::UI
