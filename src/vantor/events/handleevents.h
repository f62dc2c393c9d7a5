#pragma once

#include <QObject>

#include <atomic>

namespace Vl::Tavix3::UI {

// The event worker on "HandleEvents thread": filters, de-duplicates and debounces timing
// inputs and routes them to the engine and the synchronisation capture.
class HandleEvents : public QObject
{
    Q_OBJECT

public:
    explicit HandleEvents(QObject* parent = nullptr);

    void setPaused(bool paused) { m_isPaused = paused; }
    bool isPaused() const { return m_isPaused; }

public slots:
    void process();

signals:
    void quit();
    void finished();

private:
    std::atomic<bool> m_isPaused{false};
};

} // namespace Vl::Tavix3::UI
