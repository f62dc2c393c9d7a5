#pragma once

#include <QtGlobal>

#include <array>
#include <boost/optional.hpp>

namespace Vl::Tavix3::UI {

// The state of one scheduler slot.
enum CyclicEventState {
    CYCLIC_ARMED = 0, // waits for its start tick
    CYCLIC_ALIGNING = 1, // waits for a tick inside the phase window
    CYCLIC_RUNNING = 2, // woken once per period
    CYCLIC_IDLE = 3 // never allocated since the scheduler started
};

// One periodic registration.
struct CyclicEvent
{
    qint64 startTick = 0; // the slot stays armed until the clock reaches this tick
    qint64 phaseRefTick = 0; // wake-ups are due on phaseRefTick + k × period
    unsigned periodMs = 0;
    unsigned periodTicks = 0; // periodMs × 50
    qint64 toleranceTicks = 0; // width of the window after a phase point in which the slot may start running
};

// The scheduler's slot table and per-slot state machine, without threads or locks: the scheduler
// drives it under its table mutex, a test drives it directly with any clock values. Every rule on
// when a slot is due (arming, phase, catch-up, clock steps) lives here.
class CyclicSchedule
{
public:
    static constexpr unsigned kSlotCount = 16;
    // A running slot further behind than this (a long stall or the clock stepping forwards) is
    // woken once and moved to the next point of its grid instead of catching up period by period.
    static constexpr qint64 kMaxBacklogTicks = 50000;

    CyclicSchedule();

    // The bit of a slot in the masks: slot s is bit 31 − s.
    static quint32 slotBit(unsigned slot) { return 0x80000000u >> slot; }

    // Every slot idle, nothing allocated.
    void reset();

    // Takes the first free slot from 15 downwards, or from 13 downwards when restricted (14 and 15
    // stay for unrestricted registrations); slots in unavailableMask are passed over. The slot
    // becomes CYCLIC_ARMED. Empty when no slot is free.
    boost::optional<unsigned> allocate(const CyclicEvent& event, bool restricted, quint32 unavailableMask = 0);

    // The slot is no longer visited; it keeps its last state until it is allocated again.
    void release(unsigned slot);

    bool isAllocated(unsigned slot) const { return slot < kSlotCount && (allocatedMask & slotBit(slot)); }

    // One scheduler tick at clock value now: advances every allocated slot, slot 0 first, and
    // returns the mask of the slots to wake.
    quint32 tick(qint64 now);

    // The running slots that a tick at clock value at (later than any tick so far) would wake: those
    // whose next wake is due by then. Changes nothing.
    quint32 dueBy(qint64 at) const;

    // The first point of the grid anchor + k × period that lies after now.
    static qint64 nextGridPoint(qint64 now, qint64 anchor, qint64 period);

    std::array<qint64, kSlotCount> nextWakeTick {};
    int currentSlot = 0;
    std::array<CyclicEventState, kSlotCount> slotState {};
    quint32 allocatedMask = 0;
    quint32 pendingMask = 0; // working copy of allocatedMask during one tick
    std::array<CyclicEvent, kSlotCount> cyclicEvents {};

private:
    bool advance(unsigned slot, qint64 now);
};

} // namespace Vl::Tavix3::UI
