#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace Vl::Tavix3::UI {

class ToneSink;

// Chooses where tones sound at start-up: the sound card when an output device opens, else the PC
// speaker when one is writable, else the log, which plays nothing. A chosen sound card comes with
// the outputs after it, which stand in while it has no device (ToneOutputChain). The environment's
// VANTOR_TONE_SINK forces one: "soundcard" (then the log alone stands in), "pcspeaker", "log" or
// "record:<file>" (tests).
class ToneSinkChooser
{
public:
    // Opens one kind of output; null when the machine has none that works.
    using Opener = std::function<std::shared_ptr<ToneSink>()>;
    struct Outputs
    {
        Opener soundCard;
        Opener pcSpeaker;
    };
    struct Choice
    {
        std::shared_ptr<ToneSink> sink; // never null
        bool audible = false; // false when tones cannot be heard although nobody asked for the log
    };

    // The outputs of this machine.
    static Outputs platformOutputs();
    // VANTOR_TONE_SINK; empty when unset.
    static QString forcedChoice();
    static Choice choose(const QString& forced, const Outputs& outputs);
};

} // namespace Vl::Tavix3::UI
