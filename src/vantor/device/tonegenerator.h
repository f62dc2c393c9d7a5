#pragma once

#include <QtGlobal>

namespace Vl::Tavix3::UI {

// Synthesises tones as signed 16-bit mono samples: a sine of exactly the requested frequency and
// number of samples, faded in and out over a short raised-cosine ramp so that it starts and ends
// without a click. A tone started while another sounds replaces it: the old one fades out over
// the ramp while the new one fades in, so the change is click-free and not delayed.
class ToneGenerator
{
public:
    static constexpr int kRampMs = 5;
    static constexpr double kAmplitude = 16384.0; // half of full scale: a crossfade never clips

    explicit ToneGenerator(int sampleRate);

    int sampleRate() const { return m_sampleRate; }
    // The samples a tone of this duration has at this rate (rounded to the nearest sample).
    static qint64 sampleCount(uint durationMs, int sampleRate);
    // Whether a tone of this frequency can be played at this rate (above 0, below half the rate).
    static bool canPlay(uint frequencyHz, int sampleRate);

    // Replaces what sounds by this tone; a tone that cannot be played (or lasts 0 ms) only ends
    // the one sounding.
    void start(uint frequencyHz, uint durationMs);
    // Writes up to maxSamples of what sounds; returns how many it wrote, 0 once all is silent.
    int generate(qint16* out, int maxSamples);
    bool isSounding() const { return m_current.isActive() || m_fading.isActive(); }

private:
    struct Voice
    {
        double frequency = 0;
        qint64 length = 0; // samples
        qint64 position = 0; // next sample
        qint64 ramp = 0; // samples of the ramp in and out
        qint64 fadeStart = -1; // position where the fade-out began; -1 while not fading
        bool isActive() const { return position < length; }
    };

    double sampleOf(const Voice& voice) const;
    double rampWeight(qint64 k, qint64 ramp) const;

    int m_sampleRate;
    qint64 m_rampSamples;
    Voice m_current;
    Voice m_fading;
};

} // namespace Vl::Tavix3::UI
