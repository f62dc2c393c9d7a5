#pragma once

#include "device/tonesink.h"

#include <QList>
#include <QMutex>
#include <QString>
#include <QWaitCondition>

namespace Vl::Tavix3::UI {

// Records the tones it is asked to play instead of sounding them, for tests; with a file name it
// also appends one line "<Hz> <ms>" per tone to that file.
class RecordingToneSink : public ToneSink
{
public:
    struct Tone
    {
        uint frequencyHz = 0;
        uint durationMs = 0;
        bool operator==(const Tone& other) const
        {
            return frequencyHz == other.frequencyHz && durationMs == other.durationMs;
        }
    };

    explicit RecordingToneSink(const QString& fileName = QString());
    ~RecordingToneSink() override;

    void play(uint frequencyHz, uint durationMs) override;
    QList<Tone> tones() const;
    // Tones being played right now (held ones included).
    int playing() const;
    // Waits until at least count tones were asked for; false on time-out.
    bool waitForTones(int count, int timeoutMs) const;

    // for unit testing: while held, play() records its tone and then does not return.
    void setHeld(bool held);

private:
    QString m_fileName;
    mutable QMutex m_mutex;
    mutable QWaitCondition m_changed;
    QList<Tone> m_tones;
    int m_playing = 0;
    bool m_held = false;
};

} // namespace Vl::Tavix3::UI
