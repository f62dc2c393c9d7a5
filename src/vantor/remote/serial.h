#pragma once

#include <QObject>
#include <QString>

namespace Vl::Tavix3::UI {

// The serial layer: the TCP server on port 21967 that stands in for the device's serial
// channels, the input buffers and the one outgoing-text operation.
class Serial : public QObject
{
    Q_OBJECT

public:
    explicit Serial(QObject* parent = nullptr);

    void startServer();
    void serialOutText(int channelMask, int portId, const QString& text);
};

} // namespace Vl::Tavix3::UI
