#pragma once

#include <QObject>

namespace Vl::Tavix3::UI {

// Pixel colours and fonts of the display board, shared by the board model, the command server and the QML.
class DisplayboardEnum : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    enum DisplayboardColor {
        DISP_COLOR_OFF = 0,
        DISP_COLOR_RED = 1,
        DISP_COLOR_GREEN = 2,
        DISP_COLOR_YELLOW = 3,
        DISP_COLOR_BLUE = 4,
        DISP_COLOR_WHITE = 7
    };
    Q_ENUM(DisplayboardColor)

    enum DisplayboardFont { DISP_FONT_SMALL = 0, DISP_FONT_BIG = 2 };
    Q_ENUM(DisplayboardFont)
};

} // namespace Vl::Tavix3::UI
