#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

namespace Vl::Tavix3::UI {

// The start-light engine: sequence tables, the running sequence, start modes, false starts
// and status output.
class Sema : public QObject
{
    Q_OBJECT

public:
    explicit Sema(QObject* parent = nullptr);

    void setInfo(const QString& text);
    void startSequenceCyclic();
    void showStartupBanner();
    void loadSavedData();
    void resetAllIntervals();

    qint64 getMinRepetitionTime() const;
    bool setRepetitionTime(qint64 ticks);
    qint64 repetitionTime() const { return m_repetitionTime; }
    // Sets the repetition time without checks or signals (settings loader).
    void loadRepetitionTime(qint64 ticks) { m_repetitionTime = ticks; }
    bool sequenceStatus() const { return m_sequenceStatus; }
    void setSequenceStatus(bool running);

    // Stores one persisted engine setting read at start-up, without signals.
    void loadSetting(const QString& key, const QVariant& value);

    int visualizationMode() const { return m_visualizationMode; }
    void setVisualizationMode(int value);
    bool isShowTimeOfDay() const { return m_isShowTimeOfDay; }
    void setIsShowTimeOfDay(bool value);
    bool isCheckFalseStart() const { return m_isCheckFalseStart; }
    void setIsCheckFalseStart(bool value);
    bool isGenerateStart() const { return m_isGenerateStart; }
    void setIsGenerateStart(bool value);
    int offMode() const { return m_offMode; }
    void setOffMode(int value);
    bool isSkipOutOfWindow() const { return m_isSkipOutOfWindow; }
    void setIsSkipOutOfWindow(bool value);
    bool isRestartWithNextMinute() const { return m_isRestartWithNextMinute; }
    void setIsRestartWithNextMinute(bool value);
    int delayFalseStart() const { return m_delayFalseStart; }
    void setDelayFalseStart(int value);
    int sequenceMode() const { return m_sequenceMode; }
    void setSequenceMode(int value);

private:
    qint64 m_repetitionTime = 0;
    bool m_sequenceStatus = false;
    int m_visualizationMode = 0;
    bool m_isShowTimeOfDay = true;
    bool m_isCheckFalseStart = true;
    bool m_isGenerateStart = true;
    int m_offMode = 2;
    bool m_isSkipOutOfWindow = false;
    bool m_isRestartWithNextMinute = true;
    int m_delayFalseStart = 0;
    int m_sequenceMode = 1;
};

} // namespace Vl::Tavix3::UI
