#include "enginebench.h"

#include "sequence/displayboard.h"
#include "sequence/sema.h"
#include "time/datetime.h"

#include <QVariant>

using namespace Vl::Tavix3::UI;

namespace Bench {

const std::vector<TableStep>& measurementTable()
{
    static const std::vector<TableStep> table = [] {
        std::vector<TableStep> steps;
        const SemaEnum::SemaColor cycle[]
            = { SemaEnum::SEMA_COLOR_RED, SemaEnum::SEMA_COLOR_GREEN, SemaEnum::SEMA_COLOR_YELLOW };
        for (int t = -10; t <= 0; ++t) {
            const SemaEnum::SemaSound sound = t == -10 ? SemaEnum::SEMA_SOUND_LONG_BOOP
                : t == 0                               ? SemaEnum::SEMA_SOUND_LONG_BIP
                                                       : SemaEnum::SEMA_SOUND_BIP;
            steps.push_back({ t, cycle[(t + 10) % 3], sound });
        }
        steps.push_back({ 1, SemaEnum::SEMA_COLOR_OFF, SemaEnum::NO_SEMA_SOUND });
        return steps;
    }();
    return table;
}

uint toneFrequency(SemaEnum::SemaSound sound)
{
    switch (sound) {
    case SemaEnum::SEMA_SOUND_BIP:
        return 922;
    case SemaEnum::SEMA_SOUND_LONG_BIP:
        return 1840;
    case SemaEnum::SEMA_SOUND_BOOP:
    case SemaEnum::SEMA_SOUND_LONG_BOOP:
        return 460;
    default:
        return 0;
    }
}

void loadMeasurementTable(Sema& sema)
{
    const std::vector<TableStep>& table = measurementTable();
    for (int i = 0; i < int(table.size()); ++i) {
        const TableStep& step = table[size_t(i)];
        sema.setInterval(i, SemaEnum::SEMA_SEQUENCE_CUSTOM, SemaInterval { step.time, step.sound, step.colour, false });
    }
    sema.setSequenceType(SemaEnum::SEMA_SEQUENCE_CUSTOM);
    sema.setIsShowTimeOfDay(true);
}

qint64 firstStartAfter(int leadSeconds)
{
    const int firstOffset = -measurementTable().front().time;
    return (DateTime::getDateTime() / 50000 + leadSeconds + firstOffset + 1) * 50000;
}

void armAutoRuns(Sema& sema, qint64 firstStart)
{
    sema.setSequenceMode(SemaEnum::SEQUENCE_MODE_AUTO);
    sema.setStartDate(QVariant(qlonglong(firstStart / DateTime::kTicksPerDay * DateTime::kTicksPerDay)));
    sema.setStartTime(QVariant(qlonglong(firstStart % DateTime::kTicksPerDay)));
    sema.setRepetitionTime(QVariant(qlonglong(kRepetitionSeconds * 50000)));
    sema.setSequenceStatus(true);
}

TimedBoard::TimedBoard(WakeLog& log, Displayboard* model)
    : m_log(log)
{
    if (!model)
        model = m_ownModel = new Displayboard();
    setDisplayboard(model);
}

TimedBoard::~TimedBoard() { delete m_ownModel; }

void TimedBoard::drawSemaLights(SemaEnum::VisualizationMode mode, bool timeOfDayShown, SemaEnum::SemaColor colour,
    int pixelCount, bool deltaShown, bool isOff)
{
    m_log.add(realtimeNs(), colour);
    DisplayboardSemaBoard::drawSemaLights(mode, timeOfDayShown, colour, pixelCount, deltaShown, isOff);
}

} // namespace Bench
