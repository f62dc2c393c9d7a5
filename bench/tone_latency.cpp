// Delay from a tone request to the moment the tone's first samples are handed to the sound card,
// on the sound-card output Vantor plays its tones through: bench_tones [tones]
//
// Two cases, each measured [tones] times (default 200): a tone requested while the output is
// silent, and a tone that replaces one still sounding (the device's buffer is then full, so its
// first samples wait for room). Needs an output device that opens (a sound server or a card).
// The output thread runs under real-time scheduling where the process may use it, as in Vantor.
#include "benchsupport.h"
#include "device/soundcardtonesink.h"

#include <QCoreApplication>
#include <QThread>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <vector>

using Vl::Tavix3::UI::SoundCardStream;
using Vl::Tavix3::UI::SoundCardToneSink;

namespace {

// The handoff times the output thread reports, read after each tone.
struct Handoffs
{
    std::atomic<int> count { 0 };
    std::atomic<qint64> lastNs { 0 };
};

// Requests a tone and returns the delay in ms until its first samples reached the device, or a
// negative value when they did not within a second.
double measure(SoundCardToneSink& sink, Handoffs& handoffs, uint frequencyHz, uint durationMs)
{
    const int before = handoffs.count.load();
    const qint64 requestedNs = SoundCardStream::steadyNs();
    sink.start(frequencyHz, durationMs);
    for (int waited = 0; handoffs.count.load() == before; ++waited) {
        if (waited > 1000)
            return -1;
        QThread::msleep(1);
    }
    return double(handoffs.lastNs.load() - requestedNs) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int tones = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;

    const std::shared_ptr<SoundCardToneSink> sink = SoundCardToneSink::open(&SoundCardToneSink::outputDevices);
    if (!sink) {
        std::printf("No sound card output opens on this machine: nothing to measure.\n");
        return 1;
    }
    Handoffs handoffs;
    sink->setHandoffObserver([&handoffs](qint64, qint64 handedNs) {
        handoffs.lastNs.store(handedNs);
        handoffs.count.fetch_add(1);
    });

    std::vector<double> fromSilence;
    std::vector<double> replacing;
    long lost = 0;
    for (int i = 0; i < tones; ++i) {
        const double silentDelay = measure(*sink, handoffs, 922, 30);
        QThread::msleep(80); // the tone and the device's buffer have played out
        const double first = measure(*sink, handoffs, 460, 300);
        QThread::msleep(50 + i % 7); // the buffer is full of the first tone, at varying phases
        const double replaceDelay = measure(*sink, handoffs, 1840, 30);
        QThread::msleep(80);
        if (silentDelay < 0 || first < 0 || replaceDelay < 0) {
            ++lost;
            continue;
        }
        fromSilence.push_back(silentDelay);
        replacing.push_back(replaceDelay);
    }

    std::printf("Tone request to first sample handed to %s, in ms:\n", qPrintable(sink->deviceName()));
    std::printf("%-18s %7s %9s %9s %9s\n", "case", "tones", "p50", "p99", "max");
    for (const auto& [name, delays] :
        { std::make_pair("from silence", &fromSilence), std::make_pair("replacing a tone", &replacing) }) {
        Bench::Figures figures;
        Bench::summarise(*delays, figures);
        std::printf("%-18s %7zu %9.3f %9.3f %9.3f\n", name, figures.count, figures.p50, figures.p99, figures.max);
    }
    if (lost > 0)
        std::printf("%ld rounds had a tone whose samples never reached the device\n", lost);
    return lost > 0 ? 1 : 0;
}
