#pragma once

#include <QtGlobal>

#include <atomic>
#include <functional>

namespace Vl::Tavix3::UI {

// The offset of local wall-clock time from UTC for the clock readings, kept between look-ups. A
// look-up through the C library takes its time-zone lock and checks the zone file: slow, and it
// makes the scheduler and the start-light engine wait for each other when both read the clock at
// the instant a start signal is due. A looked-up offset is kept until the first half second at
// least half a second ahead, so that look-ups fall between the whole seconds the start signals
// wait for, or until the instant within that window at which the offset changes (summer time
// begins or ends), whichever comes first. Reading never waits for another thread: a reader that
// finds the kept offset out of date while another thread renews it looks the offset up itself.
class LocalTimeOffset
{
public:
    // Milliseconds of offset at a UTC instant, in milliseconds since the epoch.
    using LookUp = std::function<qint64(qint64 utcMs)>;

    // Looks offsets up through the C library, as QDateTime does for local time.
    LocalTimeOffset();
    // for unit testing
    // Looks offsets up with the given function.
    explicit LocalTimeOffset(LookUp lookUp);

    // The offset in milliseconds to add to utcMs to obtain local wall-clock time.
    qint64 offsetMsAt(qint64 utcMs);

    // The offset at utcMs as the C library gives it.
    static qint64 lookUpLocalOffsetMs(qint64 utcMs);

private:
    qint64 renew(qint64 utcMs);

    LookUp m_lookUp;
    // The kept offset and the window [from, until) it holds for, guarded by a sequence count that
    // is odd while they are written.
    std::atomic<quint32> m_sequence { 0 };
    std::atomic<qint64> m_fromMs { 0 };
    std::atomic<qint64> m_untilMs { 0 };
    std::atomic<qint64> m_offsetMs { 0 };
    std::atomic_flag m_renewing = ATOMIC_FLAG_INIT;
};

} // namespace Vl::Tavix3::UI
