// The running engine's entry points: starting, pausing and stopping a sequence, the tick, events
// and status output.
#include "core/application.h"
#include "core/sharedapplication.h"
#include "sequence/displayboard.h"
#include "sequence/sema.h"
#include "time/datetime.h"

#include <QMutexLocker>

namespace Vl::Tavix3::UI {

void Sema::startSequenceCyclic() { }

void Sema::startSequence() { }

void Sema::setSequenceStatus(bool value)
{
    {
        QMutexLocker locker(&m_stateMutex);
        if (value == bool(m_currentIndex))
            return;
        if (value)
            startSequence();
        else
            stopRunningSequence();
    }
    emit sequenceStatusChanged();
}

// Stops a running sequence as the operator's stop does; the caller emits sequenceStatusChanged.
bool Sema::stopRunningSequence()
{
    QMutexLocker locker(&m_stateMutex);
    if (!m_currentIndex)
        return false;
    m_currentIndex = boost::none;
    m_generatedStart.reset();
    m_receivedStart.reset();
    return true;
}

void Sema::setIsOff(bool off)
{
    {
        QMutexLocker locker(&m_stateMutex);
        if (m_sequenceType == SemaEnum::NO_SEMA_SEQUENCE || off == m_isOff)
            return;
        m_isOff = off;
        m_currentColor = SemaEnum::NO_SEMA_COLOR;
    }
    emit isOffChanged();
}

void Sema::changePause() { setIsOff(!isOff()); }

void Sema::setSemaOff(bool resetDisplayboard)
{
    {
        QMutexLocker locker(&m_stateMutex);
        m_isOff = true;
        m_currentColor = SemaEnum::NO_SEMA_COLOR;
        if (resetDisplayboard && m_displayboard)
            m_displayboard->reset(false);
    }
    emit isOffChanged();
}

void Sema::setSemaOff() { setSemaOff(true); }

void Sema::setActivationTime(bool) { }

bool Sema::checkStartDate(const QVariant& value)
{
    if (value.isNull() || !value.isValid() || value.toString().isEmpty())
        return true;
    if (startDate() == value || value.toLongLong() >= DateTime::getDate())
        return true;
    const QSharedPointer<Application> application = sharedApplication();
    return application && application->messageBox()->sure(QStringLiteral("The date is earlier than the current date"));
}

void Sema::displayRepetitionTimeIsNotValid()
{
    const QSharedPointer<Application> application = sharedApplication();
    if (!application)
        return;
    const QString minimum = DateTime::displayTime(getMinRepetitionTime(), 0x4025);
    emit application->showMessageBox(tr("Repetition time is not valid\nThe minimum time is %1").arg(minimum), 2000);
}

void Sema::clearSentStatus()
{
    QMutexLocker locker(&m_stateMutex);
    m_lastSentStatus.clear();
}

void Sema::onEventReceived(const QVariant&, bool) { }

void Sema::onLongPressTimeout() { }

void Sema::onFalseStartDelayTimeout() { }

} // namespace Vl::Tavix3::UI
