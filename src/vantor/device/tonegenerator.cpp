#include "device/tonegenerator.h"

#include <algorithm>
#include <cmath>

namespace Vl::Tavix3::UI {

namespace {
constexpr double kPi = 3.14159265358979323846;
} // namespace

ToneGenerator::ToneGenerator(int sampleRate)
    : m_sampleRate(std::max(sampleRate, 1))
    , m_rampSamples(sampleCount(kRampMs, m_sampleRate))
{
}

qint64 ToneGenerator::sampleCount(uint durationMs, int sampleRate)
{
    return (qint64(durationMs) * sampleRate + 500) / 1000;
}

bool ToneGenerator::canPlay(uint frequencyHz, int sampleRate)
{
    return frequencyHz > 0 && 2 * qint64(frequencyHz) < sampleRate;
}

void ToneGenerator::start(uint frequencyHz, uint durationMs)
{
    // Only what is still audible needs fading out: a voice already fading keeps its own fade.
    if (m_current.isActive()) {
        m_fading = m_current;
        m_fading.fadeStart = m_fading.position;
    }
    m_current = Voice {};
    if (!canPlay(frequencyHz, m_sampleRate))
        return;
    m_current.frequency = frequencyHz;
    m_current.length = sampleCount(durationMs, m_sampleRate);
    m_current.ramp = std::min(m_rampSamples, m_current.length / 2);
}

double ToneGenerator::rampWeight(qint64 k, qint64 ramp) const
{
    if (k >= ramp)
        return 1.0;
    if (k <= 0)
        return 0.0;
    return 0.5 - 0.5 * std::cos(kPi * double(k) / double(ramp));
}

double ToneGenerator::sampleOf(const Voice& voice) const
{
    const qint64 n = voice.position;
    double weight = std::min(rampWeight(n, voice.ramp), rampWeight(voice.length - n, voice.ramp));
    if (voice.fadeStart >= 0)
        weight *= 1.0 - rampWeight(n - voice.fadeStart, m_rampSamples);
    // The phase from the sample's index, not a running sum: no drift however long the tone.
    // frequency × n is an exact integer in a double for any tone this class is given.
    const double cycles = std::fmod(voice.frequency * double(n), double(m_sampleRate)) / double(m_sampleRate);
    return kAmplitude * weight * std::sin(2.0 * kPi * cycles);
}

int ToneGenerator::generate(qint16* out, int maxSamples)
{
    int written = 0;
    while (written < maxSamples && isSounding()) {
        double value = 0;
        if (m_current.isActive()) {
            value += sampleOf(m_current);
            ++m_current.position;
        }
        if (m_fading.isActive()) {
            value += sampleOf(m_fading);
            ++m_fading.position;
            if (m_fading.position - m_fading.fadeStart >= m_rampSamples)
                m_fading = Voice {};
        }
        out[written++] = qint16(std::clamp(std::lround(value), -32767L, 32767L));
    }
    return written;
}

} // namespace Vl::Tavix3::UI
