#pragma once

#include "device/tonesink.h"
#include "device/tonesinkchooser.h"

#include <QMutex>

#include <chrono>
#include <functional>
#include <memory>

namespace Vl::Tavix3::UI {

// The tone outputs in order of preference: tones go to the preferred sink (the sound card) while
// it has its device; while it has none, to the next output, opened when the preferred one loses
// its device and released when it plays again. The tone sounding when the device went away goes
// on in the next output for what is left of it. The chain is audible while the output in use is.
class ToneOutputChain : public ToneSink
{
public:
    // Opens the next output (its sink never null); called on the thread of the preferred sink.
    using FallbackOpener = std::function<ToneSinkChooser::Choice()>;

    ToneOutputChain(std::shared_ptr<ToneSink> preferred, FallbackOpener openFallback);
    ~ToneOutputChain() override;

    void start(uint frequencyHz, uint durationMs) override;
    void play(uint frequencyHz, uint durationMs) override;
    void setAudibilityObserver(AudibilityObserver observer) override;
    bool isAudible() const override;

private:
    void preferredChanged(bool audible);
    std::shared_ptr<ToneSink> current() const;

    const std::shared_ptr<ToneSink> m_preferred;
    const FallbackOpener m_openFallback;
    mutable QMutex m_mutex;
    ToneSinkChooser::Choice m_fallback; // sink null while the preferred sink plays
    AudibilityObserver m_observer;
    uint m_lastFrequencyHz = 0;
    uint m_lastDurationMs = 0;
    std::chrono::steady_clock::time_point m_lastStart;
};

} // namespace Vl::Tavix3::UI
