#pragma once

#include <QObject>

namespace Vl::Orvane::UI {

// TestVantor's enumerations of languages, formats and display-board settings for the QML and the
// metatypes; the values agree with Vantor's where the names agree.
class OrvaneEnum : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    enum Language { LANGUAGE_ENG = 0, LANGUAGE_ITA = 1, MAX_LANGUAGE = 2 };
    Q_ENUM(Language)

    enum DateFormat { DATE_FORMAT_DD_MM_YYYY = 0, DATE_FORMAT_MM_DD_YYYY = 1, MAX_DATE_FORMAT = 2 };
    Q_ENUM(DateFormat)

    enum TimeFormat { TIME_FORMAT_24_H = 0, TIME_FORMAT_12_H = 1, MAX_TIME_FORMAT = 2 };
    Q_ENUM(TimeFormat)

    enum DisplayboardMode { COUNTDOWN_MODE = 0, DISPLAYBOARD_MODE = 1 };
    Q_ENUM(DisplayboardMode)

    enum BrightnessMode { AUTO_BRIGHTNESS = 0, MANUAL_BRIGHTNESS = 1 };
    Q_ENUM(BrightnessMode)

    enum DisplayboardColor {
        DISP_COLOR_OFF = 0,
        DISP_COLOR_RED = 1,
        DISP_COLOR_GREEN = 2,
        DISP_COLOR_YELLOW = 3,
        DISP_COLOR_BLUE = 4,
        DISP_COLOR_WHITE = 7
    };
    Q_ENUM(DisplayboardColor)
};

} // namespace Vl::Orvane::UI
