#pragma once

#include <QtGlobal>

namespace Vl::Tavix3::UI {

// Keeps the lines about something that may happen many times a second (a client refused, a client
// dropped) to one per interval: an occurrence gets a line of its own when none was written within
// the interval; the ones after it are counted, and the next line sums them up.
class LogThrottle
{
public:
    explicit LogThrottle(qint64 intervalMs)
        : m_intervalMs(intervalMs)
    {
    }

    // Counts an occurrence at nowMs (a monotonic clock). When a line is due it returns the number of
    // occurrences the line is to report, this one and the ones counted before it; otherwise 0.
    int note(qint64 nowMs);
    // The occurrences still unreported, once the interval since the last line is over (a line is then
    // due for them); 0 otherwise.
    int takeUnreported(qint64 nowMs);
    bool hasUnreported() const { return m_unreported > 0; }

private:
    bool isDue(qint64 nowMs) const { return m_lastLineMs < 0 || nowMs - m_lastLineMs >= m_intervalMs; }

    const qint64 m_intervalMs;
    qint64 m_lastLineMs = -1;
    int m_unreported = 0;
};

} // namespace Vl::Tavix3::UI
