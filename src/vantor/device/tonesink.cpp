#include "device/tonesink.h"

#include "device/logtonesink.h"
#include "device/pcspeakertonesink.h"
#include "device/recordingtonesink.h"

#include <QDebug>
#include <QString>

namespace Vl::Tavix3::UI {

std::shared_ptr<ToneSink> ToneSink::createDefault()
{
    const QString choice = qEnvironmentVariable("VANTOR_TONE_SINK");
    if (choice == QLatin1String("log"))
        return std::make_shared<LogToneSink>();
    if (choice.startsWith(QLatin1String("record:")))
        return std::make_shared<RecordingToneSink>(choice.mid(int(qstrlen("record:"))));
    if (std::shared_ptr<ToneSink> speaker = PcSpeakerToneSink::open())
        return speaker;
    if (choice == QLatin1String("pcspeaker"))
        qWarning() << "No writable PC speaker; tones go to the log";
    return std::make_shared<LogToneSink>();
}

} // namespace Vl::Tavix3::UI
