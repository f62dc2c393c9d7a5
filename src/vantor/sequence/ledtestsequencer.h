#pragma once

namespace Vl::Tavix3::UI {

class Displayboard;

// The continuous LED test of the display board: which pattern comes next.
struct LedTestSequencer
{
    explicit LedTestSequencer(Displayboard* board)
        : displayboard(board)
    {
    }

    Displayboard* displayboard = nullptr; // not owned
    int step = 0;
    int driverIndex = 0;
};

} // namespace Vl::Tavix3::UI
