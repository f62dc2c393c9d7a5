#pragma once

#include <QObject>

namespace Vl::Tavix3::UI {

// Pixel colour codes of the display board.
class DisplayboardEnum : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    enum DisplayboardColor { DISP_COLOR_BLACK = 0 };
    Q_ENUM(DisplayboardColor)
};

} // namespace Vl::Tavix3::UI
