#include "recordedtone.h"

#include <algorithm>
#include <cstdlib>

namespace TestSupport {

namespace {

bool audible(qint16 sample) { return std::abs(int(sample)) >= RecordedTone::kAudible; }

// The fades at both ends of a tone (ToneGenerator::kRampMs) pass through quiet samples.
RecordedTone measure(const std::vector<qint16>& samples, size_t first, size_t last, int rate)
{
    const size_t fade = size_t(rate) * 5 / 1000;
    RecordedTone tone;
    tone.first = qint64(first);
    tone.length = qint64(last - first + 1);
    int previousSign = 0;
    qint64 quiet = 0;
    for (size_t i = first; i <= last; ++i) {
        const int sample = samples[i];
        const int sign = sample > 0 ? 1 : (sample < 0 ? -1 : 0);
        if (sign != 0 && previousSign != 0 && sign != previousSign)
            ++tone.crossings;
        if (sign != 0)
            previousSign = sign;
        quiet = audible(samples[i]) ? 0 : quiet + 1;
        if (i >= first + fade && i + fade <= last && quiet > tone.longestQuiet) {
            tone.longestQuiet = quiet;
            tone.longestQuietAt = qint64(i - first);
        }
        if (i > first)
            tone.largestStep = std::max(tone.largestStep, std::abs(sample - int(samples[i - 1])));
    }
    return tone;
}

} // namespace

QString RecordedTone::describe(int rate) const
{
    return QStringLiteral("tone at sample %1: %2 ms, %3 Hz, longest silence %4 samples (ending %5 ms into "
                          "it), largest step %6")
        .arg(first)
        .arg(lengthMs(rate), 0, 'f', 2)
        .arg(frequencyHz(rate), 0, 'f', 2)
        .arg(longestQuiet)
        .arg(1000.0 * double(longestQuietAt) / rate, 0, 'f', 2)
        .arg(largestStep);
}

QList<RecordedTone> RecordedTone::find(const std::vector<qint16>& samples, int rate, int separatingMs)
{
    const size_t separating = size_t(qint64(rate) * separatingMs / 1000);
    QList<RecordedTone> tones;
    size_t i = 0;
    while (i < samples.size()) {
        while (i < samples.size() && !audible(samples[i]))
            ++i;
        if (i == samples.size())
            break;
        const size_t first = i;
        size_t last = i;
        for (size_t quiet = 0; i < samples.size() && quiet < separating; ++i) {
            if (audible(samples[i])) {
                last = i;
                quiet = 0;
            } else {
                ++quiet;
            }
        }
        tones << measure(samples, first, last, rate);
        i = last + 1;
    }
    return tones;
}

} // namespace TestSupport
