#include "device/toneoutputchain.h"

#include <QDebug>
#include <QMutexLocker>

#include <chrono>

namespace Vl::Tavix3::UI {

ToneOutputChain::ToneOutputChain(std::shared_ptr<ToneSink> preferred, FallbackOpener openFallback)
    : m_preferred(std::move(preferred))
    , m_openFallback(std::move(openFallback))
{
    // The destructor takes the observer back before the chain goes, waiting for a call under way.
    m_preferred->setAudibilityObserver([this](bool audible) { preferredChanged(audible); });
}

ToneOutputChain::~ToneOutputChain() { m_preferred->setAudibilityObserver(nullptr); }

std::shared_ptr<ToneSink> ToneOutputChain::current() const
{
    QMutexLocker locker(&m_mutex);
    return m_fallback.sink ? m_fallback.sink : m_preferred;
}

void ToneOutputChain::start(uint frequencyHz, uint durationMs)
{
    {
        QMutexLocker locker(&m_mutex);
        m_lastFrequencyHz = frequencyHz;
        m_lastDurationMs = durationMs;
        m_lastStart = std::chrono::steady_clock::now();
    }
    current()->start(frequencyHz, durationMs);
}

void ToneOutputChain::play(uint frequencyHz, uint durationMs) { current()->play(frequencyHz, durationMs); }

void ToneOutputChain::setAudibilityObserver(AudibilityObserver observer)
{
    QMutexLocker locker(&m_mutex);
    m_observer = std::move(observer);
}

bool ToneOutputChain::isAudible() const
{
    QMutexLocker locker(&m_mutex);
    return m_fallback.sink ? m_fallback.audible : m_preferred->isAudible();
}

void ToneOutputChain::preferredChanged(bool audible)
{
    QMutexLocker locker(&m_mutex);
    if (!audible) {
        if (m_fallback.sink)
            return;
        m_fallback = m_openFallback();
        qWarning() << "Tones go to the next output until the sound card plays again";
        const qint64 elapsedMs
            = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_lastStart)
                  .count();
        if (m_lastDurationMs > 0 && elapsedMs < qint64(m_lastDurationMs))
            m_fallback.sink->start(m_lastFrequencyHz, uint(m_lastDurationMs - elapsedMs));
        if (!m_fallback.audible && m_observer)
            m_observer(false);
        return;
    }
    if (!m_fallback.sink)
        return;
    const bool wasAudible = m_fallback.audible;
    m_fallback = {};
    qInfo() << "Tones go to the sound card again";
    if (!wasAudible && m_observer)
        m_observer(true);
}

} // namespace Vl::Tavix3::UI
