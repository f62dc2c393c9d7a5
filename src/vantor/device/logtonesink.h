#pragma once

#include "device/tonesink.h"

namespace Vl::Tavix3::UI {

// Tones as debug lines, for machines without a PC speaker; written by the application's thread.
class LogToneSink : public ToneSink
{
public:
    void play(uint frequencyHz, uint durationMs) override;
};

} // namespace Vl::Tavix3::UI
