#pragma once

#include <QObject>

namespace Vl::Tavix3::UI {

// Serial types, channel masks and protocols shared by the serial layer and its users.
class SerialEnum : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
};

} // namespace Vl::Tavix3::UI
