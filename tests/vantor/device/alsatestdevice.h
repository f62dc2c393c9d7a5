#pragma once

#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

#include <vector>

namespace TestSupport {

// The default ALSA device of a test, written to ~/.asoundrc in the test's home (no sound server
// runs in the tests, so Qt Multimedia plays through ALSA's default device). One at a time, and
// made and dropped while no ALSA device is open (ALSA reads its configuration again then):
// - FileOverNull: ALSA's file plugin over its null device, recording what is written (at the
//   rate and channel count Qt asks for: it takes any) without playing it;
// - TestCard: the tests' sound card plugin (alsatestcard.cpp) at a fixed rate and channel count,
//   playing in real time and recording what it plays; it waits a while for a late writer
//   before it runs dry, tells how far ahead each write reached, and can be unplugged or have its
//   sound server restarted.
class AlsaTestDevice
{
public:
    enum class Kind { FileOverNull, TestCard };
    // How long the test card waits for a late writer before it runs dry.
    static constexpr int kSlackMs = 250;

    AlsaTestDevice(Kind kind, int rate, int channels);
    ~AlsaTestDevice();
    AlsaTestDevice(const AlsaTestDevice&) = delete;
    AlsaTestDevice& operator=(const AlsaTestDevice&) = delete;

    Kind kind() const { return m_kind; }
    int rate() const { return m_rate; }
    // The first channel of what was recorded so far, from the first sample on.
    std::vector<qint16> recorded() const;
    // How many frames the recording holds, and whether its last ones are silent; both without
    // reading it all (a test polls them while the output thread plays).
    qint64 recordedFrames() const;
    bool endsQuietly() const;
    // How many of the last samples written the device holds back from the recording until it is
    // closed (the file plugin writes its file a buffer behind).
    int heldBack() const;
    // For each write to the test card, the frames it held that it had not played yet.
    QList<qint64> heldAhead() const;
    // The test card goes away (does not open, fails every call) until plugged again.
    void unplug();
    void plug();
    // The streams open on the test card fail from now on; new ones open as before.
    void restartServer();

private:
    Kind m_kind;
    int m_rate;
    int m_channels;
    QTemporaryDir m_recordings;
    QString m_recording;
    QString m_ahead;
    QString m_unpluggedMarker;
    QString m_server;
};

} // namespace TestSupport
