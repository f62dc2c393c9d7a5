// Synchronisation at a chosen time: the pulse the device emits at that time and, optionally,
// again after a fixed interval.
#include "app/application.h"

#include "device/systemhw.h"
#include "time/datetime.h"

namespace Vl::Tavix3::UI {

namespace {
constexpr qint64 kFireDelay = 10000;    // 0.2 s after the time: report the pulse as sent
constexpr qint64 kFinishDelay = 25000;  // 0.5 s after the time: arm the next one or clear
constexpr uint kCronoFormat = 0x4025;
} // namespace

boost::optional<qint64> Application::synchroAtTime() const
{
    QMutexLocker locker(&m_synchroMutex);
    return m_synchroAtTime;
}

boost::optional<qint64> Application::repetitionSynchroAtTime() const
{
    QMutexLocker locker(&m_synchroMutex);
    return m_repetitionSynchroAtTime;
}

QString Application::synchroAtTimeText() const
{
    const boost::optional<qint64> value = synchroAtTime();
    return value ? DateTime::displayCronoTime(*value, kCronoFormat) : QString();
}

QString Application::repetitionSynchroAtTimeText() const
{
    const boost::optional<qint64> value = repetitionSynchroAtTime();
    return value ? DateTime::displayCronoTime(*value, kCronoFormat) : QString();
}

void Application::applySynchroAtTime(boost::optional<qint64> ticks, bool isTimeOfDay)
{
    if (ticks && isTimeOfDay) {
        if (DateTime::getTime() < *ticks)
            ticks = DateTime::getDate() + *ticks;
        else
            ticks = DateTime::getDate() + *ticks + DateTime::kTicksPerDay;
    }
    {
        QMutexLocker locker(&m_synchroMutex);
        m_synchroAtTime = ticks;
        if (ticks)
            m_synchroAtTimeFired = false;
    }
    if (ticks) {
        if (!m_synchroAtTimeTimer.isActive())
            emit startTimerSynchroAtTime();
        if (m_systemHw)
            m_systemHw->setHwSynchroAtTime(*ticks, 3, 0);
    } else {
        emit stopTimerSynchroAtTime();
        if (m_systemHw)
            m_systemHw->setHwSynchroAtTime(0, 0, 3);
    }
    emit synchroAtTimeChanged();
}

void Application::setSynchroAtTime(const QString& text)
{
    m_synchroAtTimeTimer.stop();
    if (!text.isEmpty()) {
        applySynchroAtTime(DateTime::stringToTimeWithPoint(text, false, ':', '.'), true);
        return;
    }
    applySynchroAtTime(boost::none, false);
    {
        QMutexLocker locker(&m_synchroMutex);
        m_synchroAtTime = boost::none;
    }
    emit synchroAtTimeChanged();
}

void Application::setRepetitionSynchroAtTime(const QString& text)
{
    const boost::optional<qint64> value =
        text.isEmpty() ? boost::none : DateTime::stringToTimeWithPoint(text, false, ':', '.');
    {
        QMutexLocker locker(&m_synchroMutex);
        m_repetitionSynchroAtTime = value;
    }
    emit repetitionSynchroAtTimeChanged();
}

void Application::synchroAtTimeTick()
{
    const qint64 now = DateTime::getDateTime();
    bool sent = false;
    bool finished = false;
    boost::optional<qint64> next;
    qint64 firedAt = 0;
    {
        QMutexLocker locker(&m_synchroMutex);
        if (!m_synchroAtTimeFired && m_synchroAtTime && now > *m_synchroAtTime + kFireDelay) {
            m_synchroAtTimeFired = true;
            sent = true;
            firedAt = *m_synchroAtTime + kFinishDelay;
        }
        if (m_synchroAtTime && now > *m_synchroAtTime + kFinishDelay) {
            finished = true;
            if (m_repetitionSynchroAtTime && *m_repetitionSynchroAtTime != 0)
                next = *m_synchroAtTime + *m_repetitionSynchroAtTime;
            else
                m_synchroAtTime = boost::none;
        }
    }
    if (sent) {
        if (m_systemHw)
            m_systemHw->setHwSynchroAtTime(firedAt, 0, 3);
        emit synchSent();
    }
    if (finished) {
        m_synchroAtTimeTimer.stop();
        if (next)
            applySynchroAtTime(next, false);
        else
            emit synchroAtTimeChanged();
        emit reloadMenuModel(QStringLiteral("SynchroOutput"));
    }
}

} // namespace Vl::Tavix3::UI
