#pragma once

#include "timing_unit.pb.h"

#include <QObject>

namespace Vl::Tavix3::UI {

// The identifier of an input that carries no timing-unit identifier: never acknowledged or de-duplicated.
constexpr quint32 EVENT_ID_NONE = 2147483647;

// Turns presses and releases of the on-screen line and key buttons into timing-unit input
// messages stamped with the current clock.
class EventGenerator : public QObject
{
    Q_OBJECT

public:
    enum EventGeneratorType {
        EVT_GEN_TYPE_NONE = 0,
        EVT_GEN_TYPE_START_KEY = 5,
        EVT_GEN_TYPE_LAP_KEY = 6,
        EVT_GEN_TYPE_STOP_KEY = 7,
        EVT_GEN_TYPE_AUX_KEY = 8,
        EVT_GEN_TYPE_START_LINE = 1,
        EVT_GEN_TYPE_LAP_LINE = 2,
        EVT_GEN_TYPE_STOP_LINE = 3,
        EVT_GEN_TYPE_AUX_LINE = 4,
        EVT_GEN_TYPE_RADIO_START = 176,
        EVT_GEN_TYPE_RADIO_LAP1 = 177,
        EVT_GEN_TYPE_RADIO_LAP2 = 178,
        EVT_GEN_TYPE_RADIO_LAP3 = 179,
        EVT_GEN_TYPE_RADIO_LAP4 = 180,
        EVT_GEN_TYPE_RADIO_LAP5 = 181,
        EVT_GEN_TYPE_RADIO_LAP6 = 182,
        EVT_GEN_TYPE_RADIO_LAP7 = 183,
        EVT_GEN_TYPE_RADIO_LAP8 = 184,
        EVT_GEN_TYPE_RADIO_LAP9 = 185,
        EVT_GEN_TYPE_RADIO_LAP10 = 186,
        EVT_GEN_TYPE_RADIO_LAP11 = 187,
        EVT_GEN_TYPE_RADIO_LAP12 = 188,
        EVT_GEN_TYPE_RADIO_LAP13 = 189,
        EVT_GEN_TYPE_RADIO_LAP14 = 190,
        EVT_GEN_TYPE_RADIO_STOP = 191
    };
    Q_ENUM(EventGeneratorType)

    explicit EventGenerator(QObject* parent = nullptr);

public slots:
    void generateEvent(Vl::Tavix3::UI::EventGenerator::EventGeneratorType type, bool isDown);

signals:
    void signalEvent(TuMessages::EventInput eventInput);
};

} // namespace Vl::Tavix3::UI

Q_DECLARE_METATYPE(TuMessages::EventInput)
