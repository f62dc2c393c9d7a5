#pragma once

#include <QObject>
#include <QString>

namespace Vl::Tavix3::UI {

// The diagnostics item of the service screens ("SystemStatusItem"): battery, supply, temperatures
// and calibration values of the device. This build has no such hardware, so every value is empty.
class SystemStatus : public QObject
{
    Q_OBJECT

    Q_PROPERTY(QString battVoltage READ empty CONSTANT)
    Q_PROPERTY(QString battCurrent READ empty CONSTANT)
    Q_PROPERTY(QString battChargeCurrent READ empty CONSTANT)
    Q_PROPERTY(QString battChargeCount READ empty CONSTANT)
    Q_PROPERTY(QString battCalibration READ empty CONSTANT)
    Q_PROPERTY(QString pwrSupplyVoltage READ empty CONSTANT)
    Q_PROPERTY(QString pwrSupplyCurrent READ empty CONSTANT)
    Q_PROPERTY(QString tempCPU READ empty CONSTANT)
    Q_PROPERTY(QString tempBattIC READ empty CONSTANT)
    Q_PROPERTY(QString tempBatt READ empty CONSTANT)
    Q_PROPERTY(QString calibDAC READ empty CONSTANT)
    Q_PROPERTY(QString calibRTC READ empty CONSTANT)

public:
    using QObject::QObject;

    QString empty() const { return QString(); }
};

} // namespace Vl::Tavix3::UI
