#pragma once

namespace Vl::Tavix3::UI {

class SemaBoard;

// The continuous LED test of the display board: off, red, off, green, off, blue, then the sixteen
// LED-driver groups one after the other, one pattern per step, and again.
struct LedTestSequencer
{
    explicit LedTestSequencer(SemaBoard* board)
        : displayboard(board)
    {
    }

    // Shows the next pattern.
    void runStep();

    SemaBoard* displayboard = nullptr; // not owned
    int step = 0; // the next pattern: 0 to 5 the fills, 6 the driver groups
    int driverIndex = 0; // the next LED-driver group, 0 to 15
};

} // namespace Vl::Tavix3::UI
