#pragma once

#include <QObject>

namespace Vl::Tavix3::UI {

// The GPS synchronisation modes, shared by the GPS service, the command server and the QML.
class GPSEnum : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    enum GPSSyncMode { GPS_SYNC_NONE = 0, GPS_SYNC_ONE_TIME = 1, GPS_SYNC_CONTINUOUS = 2, MAX_GPS_SYNC_MODE = 3 };
    Q_ENUM(GPSSyncMode)
};

} // namespace Vl::Tavix3::UI
