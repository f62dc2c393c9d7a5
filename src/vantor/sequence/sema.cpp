#include "sequence/sema.h"

namespace Vl::Tavix3::UI {

Sema::Sema(QObject* parent)
    : QObject(parent)
{
}

void Sema::setInfo(const QString&) {}
void Sema::startSequenceCyclic() {}
void Sema::showStartupBanner() {}
void Sema::loadSavedData() {}
void Sema::resetAllIntervals() {}

qint64 Sema::getMinRepetitionTime() const
{
    return 0;
}

bool Sema::setRepetitionTime(qint64 ticks)
{
    m_repetitionTime = ticks;
    return true;
}

void Sema::setSequenceStatus(bool running)
{
    m_sequenceStatus = running;
}

void Sema::loadSetting(const QString& key, const QVariant& value)
{
    if (key == QLatin1String("VisualizationMode"))
        m_visualizationMode = value.toInt();
    else if (key == QLatin1String("IsShowTimeOfDay"))
        m_isShowTimeOfDay = value.toBool();
    else if (key == QLatin1String("IsCheckFalseStart"))
        m_isCheckFalseStart = value.toBool();
    else if (key == QLatin1String("IsGenerateStart"))
        m_isGenerateStart = value.toBool();
    else if (key == QLatin1String("OffMode"))
        m_offMode = value.toInt();
    else if (key == QLatin1String("IsSkipOutOfWindow"))
        m_isSkipOutOfWindow = value.toBool();
    else if (key == QLatin1String("IsRestartWithNextMinute"))
        m_isRestartWithNextMinute = value.toBool();
    else if (key == QLatin1String("DelayFalseStart"))
        m_delayFalseStart = value.toInt();
    else if (key == QLatin1String("SequenceMode"))
        m_sequenceMode = value.toInt();
}

void Sema::setVisualizationMode(int value) { m_visualizationMode = value; }
void Sema::setIsShowTimeOfDay(bool value) { m_isShowTimeOfDay = value; }
void Sema::setIsCheckFalseStart(bool value) { m_isCheckFalseStart = value; }
void Sema::setIsGenerateStart(bool value) { m_isGenerateStart = value; }
void Sema::setOffMode(int value) { m_offMode = value; }
void Sema::setIsSkipOutOfWindow(bool value) { m_isSkipOutOfWindow = value; }
void Sema::setIsRestartWithNextMinute(bool value) { m_isRestartWithNextMinute = value; }
void Sema::setDelayFalseStart(int value) { m_delayFalseStart = value; }
void Sema::setSequenceMode(int value) { m_sequenceMode = value; }

} // namespace Vl::Tavix3::UI
