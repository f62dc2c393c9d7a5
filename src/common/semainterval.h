#pragma once

#include <QMetaType>
#include <QtGlobal>

// The main program's interval record; TestVantor's sequence model and editors use it unchanged.
namespace Vl::Tavix3::UI {

// One step of a start sequence: when it fires (whole seconds relative to the start moment),
// its tone, the colour it lights and whether a start inside it lies in the false-start window.
struct SemaInterval
{
    Q_GADGET
    Q_PROPERTY(qint64 time MEMBER time)
    Q_PROPERTY(int sound MEMBER sound)
    Q_PROPERTY(int color MEMBER color)
    Q_PROPERTY(bool isFalseStartWindow MEMBER isFalseStartWindow)

public:
    qint64 time = 0;
    int sound = 0;
    int color = 0;
    bool isFalseStartWindow = false;

    bool operator==(const SemaInterval& other) const
    {
        return time == other.time && sound == other.sound && color == other.color
            && isFalseStartWindow == other.isFalseStartWindow;
    }
    bool operator!=(const SemaInterval& other) const { return !(*this == other); }
};

} // namespace Vl::Tavix3::UI

Q_DECLARE_METATYPE(Vl::Tavix3::UI::SemaInterval)
