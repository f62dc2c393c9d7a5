#include "device/logtonesink.h"

#include <QDebug>

namespace Vl::Tavix3::UI {

void LogToneSink::play(uint frequencyHz, uint durationMs)
{
    qDebug().nospace() << "Tone " << frequencyHz << " Hz, " << durationMs << " ms";
}

} // namespace Vl::Tavix3::UI
