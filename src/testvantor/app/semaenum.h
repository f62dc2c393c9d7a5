#pragma once

#include <QObject>

namespace Vl::Orvane::UI {

// TestVantor's enumerations of the start sequences: colours, tones, off modes, sequence types and
// modes, display-board layouts. Values agree with Vantor's where the names agree.
class SemaEnum : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    enum SemaColor {
        NO_SEMA_COLOR = 0,
        SEMA_COLOR_OFF = 1,
        SEMA_COLOR_RED = 2,
        SEMA_COLOR_YELLOW = 3,
        SEMA_COLOR_GREEN = 4,
        SEMA_COLOR_PIXEL = 5,
        SEMA_COLOR_YELLOW_PIXEL = 6,
        SEMA_COLOR_ALL = 7
    };
    Q_ENUM(SemaColor)

    enum SemaSound {
        NO_SEMA_SOUND = 0,
        SEMA_SOUND_BIP = 1,
        SEMA_SOUND_BOOP = 2,
        SEMA_SOUND_LONG_BIP = 3,
        SEMA_SOUND_LONG_BOOP = 4
    };
    Q_ENUM(SemaSound)

    enum SemaOffMode {
        SEMA_OFF_MODE_OFF = 0,
        SEMA_OFF_MODE_ONLY_RED = 1,
        SEMA_OFF_MODE_BLINKING_RED = 2,
        SEMA_OFF_MODE_ON = 3
    };
    Q_ENUM(SemaOffMode)

    enum SemaSequenceType {
        SEMA_SEQUENCE_ALPINE_SKI = 0,
        SEMA_SEQUENCE_NORDIC_SKI = 1,
        SEMA_SEQUENCE_RALLY_1 = 2,
        SEMA_SEQUENCE_RALLY_2 = 3,
        SEMA_SEQUENCE_PERSONAL_1 = 4,
        SEMA_SEQUENCE_PERSONAL_2 = 5,
        SEMA_SEQUENCE_PERSONAL_3 = 6
    };
    Q_ENUM(SemaSequenceType)

    enum SemaSequenceMode { SEQUENCE_MODE_MANUAL = 0, SEQUENCE_MODE_AUTO = 1, MAX_SEQUENCE_MODE = 2 };
    Q_ENUM(SemaSequenceMode)

    enum VisualizationMode {
        VISUALIZATION_MODE_1 = 0,
        VISUALIZATION_MODE_2 = 1,
        VISUALIZATION_MODE_3 = 2,
        VISUALIZATION_MODE_4 = 3,
        VISUALIZATION_MODE_5 = 4,
        VISUALIZATION_MODE_6 = 5,
        MAX_VISUALIZATION_MODE = 6
    };
    Q_ENUM(VisualizationMode)
};

} // namespace Vl::Orvane::UI
