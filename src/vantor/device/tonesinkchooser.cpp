#include "device/tonesinkchooser.h"

#include "device/logtonesink.h"
#include "device/pcspeakertonesink.h"
#include "device/recordingtonesink.h"
#include "device/soundcardtonesink.h"

#include <QDebug>

namespace Vl::Tavix3::UI {

namespace {
const QLatin1String kSoundCard("soundcard");
const QLatin1String kPcSpeaker("pcspeaker");
const QLatin1String kLog("log");
const QLatin1String kRecord("record:");

std::shared_ptr<ToneSink> opened(const ToneSinkChooser::Opener& opener) { return opener ? opener() : nullptr; }
} // namespace

ToneSinkChooser::Outputs ToneSinkChooser::platformOutputs()
{
    return { []() -> std::shared_ptr<ToneSink> { return SoundCardToneSink::open(SoundCardToneSink::outputDevices()); },
        []() -> std::shared_ptr<ToneSink> { return PcSpeakerToneSink::open(); } };
}

QString ToneSinkChooser::forcedChoice() { return qEnvironmentVariable("VANTOR_TONE_SINK"); }

ToneSinkChooser::Choice ToneSinkChooser::choose(const QString& forced, const Outputs& outputs)
{
    if (forced == kLog)
        return { std::make_shared<LogToneSink>(), true };
    if (forced.startsWith(kRecord))
        return { std::make_shared<RecordingToneSink>(forced.mid(kRecord.size())), true };

    std::shared_ptr<ToneSink> sink;
    if (forced == kSoundCard) {
        sink = opened(outputs.soundCard);
    } else if (forced == kPcSpeaker) {
        sink = opened(outputs.pcSpeaker);
    } else {
        if (!forced.isEmpty())
            qWarning().noquote() << "Unknown VANTOR_TONE_SINK" << forced << "- choosing the tone output";
        sink = opened(outputs.soundCard);
        if (!sink)
            sink = opened(outputs.pcSpeaker);
    }
    if (sink)
        return { sink, true };
    return { std::make_shared<LogToneSink>(), false };
}

} // namespace Vl::Tavix3::UI
