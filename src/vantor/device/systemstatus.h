#pragma once

#include <QObject>

namespace Vl::Tavix3::UI {

// The system status item of the QML.
class SystemStatus : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
};

} // namespace Vl::Tavix3::UI
