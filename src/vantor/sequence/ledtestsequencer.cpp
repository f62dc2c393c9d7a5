#include "sequence/ledtestsequencer.h"

#include "sequence/semaports.h"

namespace Vl::Tavix3::UI {

namespace {
constexpr int kLastStep = 6;
constexpr int kDriverGroups = 16;
} // namespace

void LedTestSequencer::runStep()
{
    if (step > kLastStep || step < 0 || !displayboard)
        return;
    switch (step) {
    case 0:
    case 2:
    case 4:
        displayboard->reset(true);
        ++step;
        return;
    case 1:
        displayboard->fillRed();
        ++step;
        return;
    case 3:
        displayboard->fillGreen();
        ++step;
        return;
    case 5:
        displayboard->fillBlue();
        ++step;
        return;
    default:
        displayboard->fillSingleDrivers(driverIndex);
        driverIndex = (driverIndex + 1) % kDriverGroups;
        if (driverIndex == 0)
            step = 0;
        return;
    }
}

} // namespace Vl::Tavix3::UI
