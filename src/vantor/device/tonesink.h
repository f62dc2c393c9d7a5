#pragma once

#include <QtGlobal>

#include <memory>

namespace Vl::Tavix3::UI {

// Where tones sound. play() returns when the tone has ended, so callers run it off the thread
// that asked for the tone.
class ToneSink
{
public:
    virtual ~ToneSink() = default;
    virtual void play(uint frequencyHz, uint durationMs) = 0;

    // The sink chosen at start-up: the environment's VANTOR_TONE_SINK ("pcspeaker", "log" or
    // "record:<file>") when set, else the PC speaker when one is writable, else the log.
    static std::shared_ptr<ToneSink> createDefault();
};

} // namespace Vl::Tavix3::UI
