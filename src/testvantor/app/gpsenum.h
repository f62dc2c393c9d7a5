#pragma once

#include <QObject>

namespace Vl::Orvane::UI {

// TestVantor's GPS synchronisation modes for the GPS screen.
class GPSEnum : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    enum GPSSyncMode { GPS_SYNC_NONE = 0, GPS_SYNC_ONE_TIME = 1, GPS_SYNC_CONTINUOS = 2 };
    Q_ENUM(GPSSyncMode)
};

} // namespace Vl::Orvane::UI
