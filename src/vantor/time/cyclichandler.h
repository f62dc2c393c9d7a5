#pragma once

#include <QObject>

namespace Vl::Tavix3::UI {

// The 10 ms scheduler on "CyclicHandler thread" with its sixteen worker slots.
class CyclicHandler : public QObject
{
    Q_OBJECT

public:
    explicit CyclicHandler(QObject* parent = nullptr);

public slots:
    void startTasks();

signals:
    void started();
    void quit();
    void finished();
};

} // namespace Vl::Tavix3::UI
