#pragma once

#include <QObject>

namespace Vl::Tavix3::UI {

// Enumerations of the start sequences, shared by the engine, the command server and the QML.
class SemaEnum : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // What an interval lights.
    enum SemaColor {
        NO_SEMA_COLOR = 0,
        SEMA_COLOR_OFF = 1,
        SEMA_COLOR_RED = 2,
        SEMA_COLOR_YELLOW = 3,
        SEMA_COLOR_GREEN = 4,
        SEMA_COLOR_PIXEL = 5,
        SEMA_COLOR_YELLOW_PIXEL = 6,
        SEMA_COLOR_ALL = 7,
        MAX_SEMA_COLOR = 8
    };
    Q_ENUM(SemaColor)

    // The tone of an interval.
    enum SemaSound {
        NO_SEMA_SOUND = 0,
        SEMA_SOUND_BIP = 1,
        SEMA_SOUND_BOOP = 2,
        SEMA_SOUND_LONG_BIP = 3,
        SEMA_SOUND_LONG_BOOP = 4,
        MAX_SEMA_SOUND = 5
    };
    Q_ENUM(SemaSound)

    // What the lights show while a selected sequence is off or paused.
    enum SemaOffMode {
        SEMA_OFF_MODE_OFF = 0,
        SEMA_OFF_MODE_ONLY_RED = 1,
        SEMA_OFF_MODE_BLINKING_RED = 2,
        SEMA_OFF_MODE_ON = 3,
        MAX_SEMA_OFF_MODE = 4
    };
    Q_ENUM(SemaOffMode)

    // The six built-in sequences, the custom one, and none selected.
    enum SemaSequenceType {
        SEMA_SEQUENCE_ALPINE_SKI = 0,
        SEMA_SEQUENCE_NORDIC_SKI = 1,
        SEMA_SEQUENCE_RALLY = 2,
        SEMA_SEQUENCE_SHAKEDOWN = 3,
        SEMA_SEQUENCE_UPHILL_NO_COUNTDOWN = 4,
        SEMA_SEQUENCE_UPHILL_COUNTDOWN = 5,
        SEMA_SEQUENCE_CUSTOM = 6,
        NO_SEMA_SEQUENCE = 7
    };
    Q_ENUM(SemaSequenceType)

    // What happens after the last interval: wait for the operator, repeat, or take the next start of the list.
    enum SemaSequenceMode {
        SEQUENCE_MODE_MANUAL = 0,
        SEQUENCE_MODE_AUTO = 1,
        SEQUENCE_MODE_AUTOSTART = 2,
        MAX_SEQUENCE_MODE = 3
    };
    Q_ENUM(SemaSequenceMode)

    // The seven layouts of the lights on the display board.
    enum VisualizationMode {
        VISUALIZATION_MODE_1 = 0,
        VISUALIZATION_MODE_2 = 1,
        VISUALIZATION_MODE_3 = 2,
        VISUALIZATION_MODE_4 = 3,
        VISUALIZATION_MODE_5 = 4,
        VISUALIZATION_MODE_6 = 5,
        VISUALIZATION_MODE_7 = 6,
        MAX_VISUALIZATION_MODE = 7
    };
    Q_ENUM(VisualizationMode)
};

} // namespace Vl::Tavix3::UI
