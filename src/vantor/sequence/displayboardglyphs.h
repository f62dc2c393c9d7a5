#pragma once

#include <QtGlobal>

namespace Vl::Tavix3::UI {

// The two fonts of the display board, looked up by Latin-1 code: the small font (5 by 7, rows with
// bit 4 as the left column) and the big font of digits and time punctuation (8 by 16, bit 7 left).
class DisplayboardGlyphs
{
public:
    static constexpr int kSmallHeight = 7;
    static constexpr int kBigHeight = 16;

    static const quint8* smallRows(uchar code);
    static int smallWidth(uchar code);
    static const quint8* bigRows(uchar code);
    static int bigWidth(uchar code);
};

} // namespace Vl::Tavix3::UI
