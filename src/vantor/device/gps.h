#pragma once

#include <QObject>

namespace Vl::Tavix3::UI {

// The GPS service: synchronisation mode, time-zone shift, satellites and calibration.
class GPS : public QObject
{
    Q_OBJECT

public:
    explicit GPS(QObject* parent = nullptr);

    void loadSettings();
    int syncMode() const { return m_syncMode; }
    void setSyncMode(int mode) { m_syncMode = mode; }

private:
    int m_syncMode = 0;
};

} // namespace Vl::Tavix3::UI
