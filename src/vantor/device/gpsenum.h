#pragma once

#include <QObject>

namespace Vl::Tavix3::UI {

// The GPS synchronisation modes.
class GPSEnum : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    enum GPSSyncMode { GPS_SYNC_NONE = 0 };
    Q_ENUM(GPSSyncMode)
};

} // namespace Vl::Tavix3::UI
