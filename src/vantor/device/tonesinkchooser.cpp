#include "device/tonesinkchooser.h"

#include "device/logtonesink.h"
#include "device/pcspeakertonesink.h"
#include "device/recordingtonesink.h"
#include "device/soundcardtonesink.h"
#include "device/toneoutputchain.h"

#include <QDebug>

namespace Vl::Tavix3::UI {

namespace {
const QLatin1String kSoundCard("soundcard");
const QLatin1String kPcSpeaker("pcspeaker");
const QLatin1String kLog("log");
const QLatin1String kRecord("record:");

std::shared_ptr<ToneSink> opened(const ToneSinkChooser::Opener& opener) { return opener ? opener() : nullptr; }

ToneSinkChooser::Choice orLog(std::shared_ptr<ToneSink> sink)
{
    if (sink)
        return { std::move(sink), true };
    return { std::make_shared<LogToneSink>(), false };
}
} // namespace

ToneSinkChooser::Outputs ToneSinkChooser::platformOutputs()
{
    return { []() -> std::shared_ptr<ToneSink> { return SoundCardToneSink::open(&SoundCardToneSink::outputDevices); },
        []() -> std::shared_ptr<ToneSink> { return PcSpeakerToneSink::open(); } };
}

QString ToneSinkChooser::forcedChoice() { return qEnvironmentVariable("VANTOR_TONE_SINK"); }

ToneSinkChooser::Choice ToneSinkChooser::choose(const QString& forced, const Outputs& outputs)
{
    if (forced == kLog)
        return { std::make_shared<LogToneSink>(), true };
    if (forced.startsWith(kRecord))
        return { std::make_shared<RecordingToneSink>(forced.mid(kRecord.size())), true };

    if (forced == kPcSpeaker)
        return orLog(opened(outputs.pcSpeaker));
    if (forced != kSoundCard && !forced.isEmpty())
        qWarning().noquote() << "Unknown VANTOR_TONE_SINK" << forced << "- choosing the tone output";
    // The sound card can lose its device while Vantor runs: the outputs after it stand in then.
    if (std::shared_ptr<ToneSink> soundCard = opened(outputs.soundCard)) {
        const Opener next = forced == kSoundCard ? Opener() : outputs.pcSpeaker;
        return { std::make_shared<ToneOutputChain>(soundCard, [next]() { return orLog(opened(next)); }), true };
    }
    if (forced == kSoundCard)
        return orLog(nullptr);
    return orLog(opened(outputs.pcSpeaker));
}

} // namespace Vl::Tavix3::UI
