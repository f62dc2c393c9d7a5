#pragma once

#include "benchsupport.h"
#include "sequence/semaenum.h"
#include "sequence/semaports.h"

#include <QtGlobal>

#include <vector>

namespace Vl::Tavix3::UI {
class Sema;
} // namespace Vl::Tavix3::UI

// The start-light engine as the engine benchmarks drive it: a measurement table with a new colour
// and a tone every second, AUTO runs of it, and a board that notes the moment of every lights
// change.
namespace Bench {

// The runs repeat this often.
constexpr qint64 kRepetitionSeconds = 15;

// One interval of the measurement table.
struct TableStep
{
    int time;
    Vl::Tavix3::UI::SemaEnum::SemaColor colour;
    Vl::Tavix3::UI::SemaEnum::SemaSound sound;
};

// One interval per second from -10 s to 0 s, each a new colour with a tone, then the lights off
// one second after the start.
const std::vector<TableStep>& measurementTable();
// The frequency the engine requests for a sound; 0 for none.
uint toneFrequency(Vl::Tavix3::UI::SemaEnum::SemaSound sound);

// Loads the table as the engine's custom sequence and selects it, with the time of day shown.
void loadMeasurementTable(Vl::Tavix3::UI::Sema& sema);
// Arms AUTO runs of the selected table every kRepetitionSeconds, the first start at firstStart
// (ticks of local time).
void armAutoRuns(Vl::Tavix3::UI::Sema& sema, qint64 firstStart);
// The first start moment of a run armed now: ahead by whole seconds, so that its first interval
// comes leadSeconds from now.
qint64 firstStartAfter(int leadSeconds);

// The board operations on a display-board model (its own, or the one given), with the moment
// and colour of every lights drawing noted before it is drawn.
class TimedBoard : public Vl::Tavix3::UI::DisplayboardSemaBoard
{
public:
    explicit TimedBoard(WakeLog& log, Vl::Tavix3::UI::Displayboard* model = nullptr);
    ~TimedBoard() override;
    void drawSemaLights(Vl::Tavix3::UI::SemaEnum::VisualizationMode mode, bool timeOfDayShown,
        Vl::Tavix3::UI::SemaEnum::SemaColor colour, int pixelCount, bool deltaShown, bool isOff) override;

private:
    WakeLog& m_log;
    Vl::Tavix3::UI::Displayboard* m_ownModel = nullptr;
};

} // namespace Bench
