#pragma once

#include "remote/serialenum.h"

#include <QMetaType>

namespace Vl::Tavix3::UI {

// The name of one input port: the key of its buffer and the kind of channel it stands for
// (which selects the byte time-out and the reply mask).
struct SerialInfoType
{
    int portId = 0;
    SerialEnum::SerialType type = SerialEnum::SER_NONE;

    friend bool operator==(const SerialInfoType& a, const SerialInfoType& b)
    {
        return a.portId == b.portId && a.type == b.type;
    }
    friend bool operator!=(const SerialInfoType& a, const SerialInfoType& b) { return !(a == b); }
};

} // namespace Vl::Tavix3::UI

Q_DECLARE_METATYPE(Vl::Tavix3::UI::SerialInfoType)
