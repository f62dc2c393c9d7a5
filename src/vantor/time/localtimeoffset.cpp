#include "time/localtimeoffset.h"

#include <QDateTime>

namespace Vl::Tavix3::UI {

namespace {

constexpr qint64 kMsPerSecond = 1000;
constexpr qint64 kHalfSecondMs = 500;

qint64 floorDiv(qint64 value, qint64 divisor)
{
    qint64 quotient = value / divisor;
    if (value % divisor < 0)
        --quotient;
    return quotient;
}

// The first half second (x.500) strictly after utcMs.
qint64 nextHalfSecond(qint64 utcMs)
{
    return (floorDiv(utcMs - kHalfSecondMs, kMsPerSecond) + 1) * kMsPerSecond + kHalfSecondMs;
}

} // namespace

LocalTimeOffset::LocalTimeOffset()
    : LocalTimeOffset(&LocalTimeOffset::lookUpLocalOffsetMs)
{
}

LocalTimeOffset::LocalTimeOffset(LookUp lookUp)
    : m_lookUp(std::move(lookUp))
{
}

qint64 LocalTimeOffset::lookUpLocalOffsetMs(qint64 utcMs)
{
    return qint64(QDateTime::fromMSecsSinceEpoch(utcMs, Qt::LocalTime).offsetFromUtc()) * kMsPerSecond;
}

qint64 LocalTimeOffset::offsetMsAt(qint64 utcMs)
{
    const quint32 sequence = m_sequence.load(std::memory_order_acquire);
    if ((sequence & 1u) == 0) {
        const qint64 fromMs = m_fromMs.load(std::memory_order_relaxed);
        const qint64 untilMs = m_untilMs.load(std::memory_order_relaxed);
        const qint64 offsetMs = m_offsetMs.load(std::memory_order_relaxed);
        std::atomic_thread_fence(std::memory_order_acquire);
        if (m_sequence.load(std::memory_order_relaxed) == sequence && utcMs >= fromMs && utcMs < untilMs)
            return offsetMs;
    }
    return renew(utcMs);
}

// Looks the offset up at utcMs and keeps it for the window that follows. At most one change of
// offset is expected within a window (they are months apart): when the offset at the window's
// last millisecond differs, the window ends at the first millisecond of the new offset.
qint64 LocalTimeOffset::renew(qint64 utcMs)
{
    const qint64 offsetMs = m_lookUp(utcMs);
    qint64 untilMs = nextHalfSecond(utcMs + kHalfSecondMs);
    if (m_lookUp(untilMs - 1) != offsetMs) {
        qint64 same = utcMs;
        qint64 changed = untilMs - 1;
        while (changed - same > 1) {
            const qint64 middle = same + (changed - same) / 2;
            if (m_lookUp(middle) == offsetMs)
                same = middle;
            else
                changed = middle;
        }
        untilMs = changed;
    }

    if (!m_renewing.test_and_set(std::memory_order_acquire)) {
        const quint32 sequence = m_sequence.load(std::memory_order_relaxed);
        m_sequence.store(sequence + 1, std::memory_order_relaxed);
        std::atomic_thread_fence(std::memory_order_release);
        m_fromMs.store(utcMs, std::memory_order_relaxed);
        m_untilMs.store(untilMs, std::memory_order_relaxed);
        m_offsetMs.store(offsetMs, std::memory_order_relaxed);
        m_sequence.store(sequence + 2, std::memory_order_release);
        m_renewing.clear(std::memory_order_release);
    }
    return offsetMs;
}

} // namespace Vl::Tavix3::UI
