#include "device/logtonesink.h"

#include <QCoreApplication>
#include <QDebug>
#include <QThread>

namespace Vl::Tavix3::UI {

void LogToneSink::play(uint frequencyHz, uint durationMs)
{
    const auto write = [frequencyHz, durationMs]() {
        qDebug().nospace() << "Tone " << frequencyHz << " Hz, " << durationMs << " ms";
    };
    // The tones are asked for by the threads that keep the start on time; the log file is written by
    // the application's thread, so that a slow disk never holds them up.
    QCoreApplication* application = QCoreApplication::instance();
    if (application && application->thread() != QThread::currentThread())
        QMetaObject::invokeMethod(application, write, Qt::QueuedConnection);
    else
        write();
}

} // namespace Vl::Tavix3::UI
