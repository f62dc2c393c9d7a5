#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

#include <vector>

namespace TestSupport {

// A tone found in a recording: the samples from its first to its last audible one.
struct RecordedTone
{
    // Quieter samples count as silence: a tone's sine passes them for less than a sample at each
    // zero crossing, and its fades for a few samples at each end.
    static constexpr int kAudible = 200;

    qint64 first = 0;
    qint64 length = 0; // samples
    int crossings = 0; // of zero
    qint64 longestQuiet = 0; // the longest run of silent samples between its fades, in samples
    qint64 longestQuietAt = 0; // where it ends, from the tone's first sample
    int largestStep = 0; // between two neighbouring samples

    double lengthMs(int rate) const { return 1000.0 * double(length) / rate; }
    // A sine of f Hz crosses zero 2 f times a second.
    double frequencyHz(int rate) const { return crossings / 2.0 / (double(length) / rate); }
    QString describe(int rate) const;

    // The tones of a recording: audible samples with less silence between them than
    // separatingMs (tones further apart are separate ones).
    static QList<RecordedTone> find(const std::vector<qint16>& samples, int rate, int separatingMs = 20);
};

} // namespace TestSupport
