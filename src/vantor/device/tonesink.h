#pragma once

#include <QtGlobal>

#include <functional>
#include <memory>

namespace Vl::Tavix3::UI {

// Where tones sound. Sinks are owned through shared pointers (a tone being played keeps its sink).
class ToneSink : public std::enable_shared_from_this<ToneSink>
{
public:
    virtual ~ToneSink() = default;
    // Starts the tone and returns at once; a tone still sounding is replaced by it where the sink
    // plays one tone at a time. By default play() runs on the process-wide thread pool.
    virtual void start(uint frequencyHz, uint durationMs);
    // Plays the tone and returns when it has ended (or, where tones replace each other, when a
    // newer tone has taken its place).
    virtual void play(uint frequencyHz, uint durationMs) = 0;

    // Told, on any thread, when the sink's device goes away for longer than it can reopen it
    // (false) and when the sink plays again (true). A sink whose device cannot go away never
    // tells anything; null stops the calls, and no call is under way once this has returned.
    using AudibilityObserver = std::function<void(bool audible)>;
    virtual void setAudibilityObserver(AudibilityObserver observer);
    // Whether the sink has its device now.
    virtual bool isAudible() const { return true; }

    // The sink for this machine (see ToneSinkChooser); tones may go to the log.
    static std::shared_ptr<ToneSink> createDefault();
};

} // namespace Vl::Tavix3::UI
