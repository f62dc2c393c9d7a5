#include "testsupport/boardpixels.h"

#include "sequence/displayboard.h"
#include "sequence/displayboardenum.h"

namespace TestSupport {

using Vl::Tavix3::UI::Displayboard;
using Vl::Tavix3::UI::DisplayboardEnum;

QVariantList boardWithText(int x, const QString& text, int colour)
{
    Displayboard board;
    board.reset(false);
    board.drawText(x, 0, text, colour, DisplayboardEnum::DISP_COLOR_OFF, DisplayboardEnum::DISP_FONT_BIG, false);
    return board.pixels();
}

bool isBlankBoard(const QVariantList& pixels)
{
    return pixels.count(QVariant(int(DisplayboardEnum::DISP_COLOR_OFF))) == pixels.size();
}

} // namespace TestSupport
