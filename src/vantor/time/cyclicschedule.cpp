#include "time/cyclicschedule.h"

#include <QtAlgorithms>

namespace Vl::Tavix3::UI {

CyclicSchedule::CyclicSchedule() { reset(); }

void CyclicSchedule::reset()
{
    nextWakeTick.fill(0);
    slotState.fill(CYCLIC_IDLE);
    cyclicEvents.fill(CyclicEvent());
    allocatedMask = 0;
    pendingMask = 0;
    currentSlot = 0;
}

boost::optional<unsigned> CyclicSchedule::allocate(const CyclicEvent& event, bool restricted, quint32 unavailableMask)
{
    if (event.periodTicks == 0)
        return boost::none;
    for (unsigned bit = restricted ? 18 : 16; bit <= 31; ++bit) {
        const quint32 mask = 1u << bit;
        if ((allocatedMask & mask) || (unavailableMask & mask))
            continue;
        const unsigned slot = 31 - bit;
        cyclicEvents[slot] = event;
        nextWakeTick[slot] = 0;
        slotState[slot] = CYCLIC_ARMED;
        allocatedMask |= mask;
        return slot;
    }
    return boost::none;
}

void CyclicSchedule::release(unsigned slot)
{
    if (slot < kSlotCount)
        allocatedMask &= ~slotBit(slot);
}

quint32 CyclicSchedule::tick(qint64 now)
{
    quint32 due = 0;
    pendingMask = allocatedMask;
    while (pendingMask != 0) {
        currentSlot = qCountLeadingZeroBits(pendingMask);
        pendingMask &= ~slotBit(unsigned(currentSlot));
        if (advance(unsigned(currentSlot), now))
            due |= slotBit(unsigned(currentSlot));
    }
    return due;
}

quint32 CyclicSchedule::dueBy(qint64 at) const
{
    quint32 due = 0;
    for (quint32 pending = allocatedMask; pending != 0;) {
        const unsigned slot = unsigned(qCountLeadingZeroBits(pending));
        pending &= ~slotBit(slot);
        if (slotState[slot] == CYCLIC_RUNNING && nextWakeTick[slot] <= at)
            due |= slotBit(slot);
    }
    return due;
}

qint64 CyclicSchedule::nextGridPoint(qint64 now, qint64 anchor, qint64 period)
{
    const qint64 distance = now - anchor;
    qint64 periods = distance / period;
    if (distance % period != 0 && distance < 0)
        --periods; // floor, also before the anchor
    return anchor + (periods + 1) * period;
}

bool CyclicSchedule::advance(unsigned slot, qint64 now)
{
    const CyclicEvent& event = cyclicEvents[slot];
    switch (slotState[slot]) {
    case CYCLIC_ARMED:
        if (now >= event.startTick)
            slotState[slot] = CYCLIC_ALIGNING;
        return false;

    case CYCLIC_ALIGNING: {
        const qint64 rest = (now - event.phaseRefTick) % qint64(event.periodTicks);
        if (rest >= 0 && rest < event.toleranceTicks) {
            slotState[slot] = CYCLIC_RUNNING;
            // The first wake is due on the next phase point, not a fixed delay after this tick: a
            // delay would move the whole grid off the phase points, and with the ticks on the
            // 10 ms grid of the clock every wake would then come one tick late.
            nextWakeTick[slot] = nextGridPoint(now, event.phaseRefTick, qint64(event.periodTicks));
        }
        return false;
    }

    case CYCLIC_RUNNING: {
        const qint64 period = qint64(event.periodTicks);
        qint64& next = nextWakeTick[slot];
        // The clock went back (end of summer time, a synchronisation): waiting for the old point
        // would leave the slot silent for as long as the step; keep the phase, take the next point.
        if (next - now > period) {
            next = nextGridPoint(now, next, period);
            return false;
        }
        if (now < next)
            return false;
        // A short stall is caught up one period per tick; a long one or a step forwards is not
        // delivered as a burst.
        if (now - next > kMaxBacklogTicks)
            next = nextGridPoint(now, next, period);
        else
            next += period;
        return true;
    }

    case CYCLIC_IDLE:
        break;
    }
    return false;
}

} // namespace Vl::Tavix3::UI
