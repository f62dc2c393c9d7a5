#pragma once

#include <QObject>

namespace Vl::Tavix3::UI {

// The command server on "SerialPathFinder thread": reads frames from the serial layer's input
// buffers, acknowledges and dispatches remote commands.
class SerialPathFinder : public QObject
{
    Q_OBJECT

public:
    explicit SerialPathFinder(QObject* parent = nullptr);

public slots:
    void process();

signals:
    void quit();
    void finished();
};

} // namespace Vl::Tavix3::UI
