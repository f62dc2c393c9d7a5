#pragma once

#include "app/semaenum.h"
#include "common/semaintervals.h"

#include <QMap>
#include <QObject>
#include <QPair>
#include <QVariant>
#include <QVariantList>

#include <boost/optional.hpp>

namespace Vl::Orvane::UI {

using Vl::Tavix3::UI::SemaInterval;

// TestVantor's sequence model (context property "sema"): the interval tables of four built-in
// sequence types, a few sequence settings and optional start values. Nothing runs here and
// nothing is stored; the window uses its sequence mode.
class Sema : public QObject
{
    Q_OBJECT
    Q_PROPERTY(Vl::Orvane::UI::SemaEnum::SemaSequenceMode sequenceMode READ sequenceMode WRITE setSequenceMode NOTIFY
            sequenceModeChanged)
    Q_PROPERTY(bool isShowTimeOfDay READ isShowTimeOfDay WRITE setIsShowTimeOfDay)
    Q_PROPERTY(bool isCheckFalseStart READ isCheckFalseStart WRITE setIsCheckFalseStart)
    Q_PROPERTY(bool isGenerateStart READ isGenerateStart WRITE setIsGenerateStart)
    Q_PROPERTY(bool isSkipOutOfWindow READ isSkipOutOfWindow WRITE setIsSkipOutOfWindow)
    Q_PROPERTY(bool isRestartWithNextMinute READ isRestartWithNextMinute WRITE setIsRestartWithNextMinute)
    Q_PROPERTY(int delayFalseStart READ delayFalseStart WRITE setDelayFalseStart)
    Q_PROPERTY(Vl::Orvane::UI::SemaEnum::SemaOffMode offMode READ offMode WRITE setOffMode NOTIFY offModeChanged)
    Q_PROPERTY(QVariant startTime READ startTime WRITE setStartTime NOTIFY startTimeChanged)
    Q_PROPERTY(QVariant startDate READ startDate WRITE setStartDate NOTIFY startDateChanged)
    Q_PROPERTY(QVariant repetitionTime READ repetitionTime WRITE setRepetitionTime NOTIFY repetitionTimeChanged)

public:
    explicit Sema(QObject* parent);

    SemaEnum::SemaSequenceMode sequenceMode() const { return m_sequenceMode; }
    void setSequenceMode(SemaEnum::SemaSequenceMode value);
    bool isShowTimeOfDay() const { return m_isShowTimeOfDay; }
    void setIsShowTimeOfDay(bool value);
    bool isCheckFalseStart() const { return m_isCheckFalseStart; }
    void setIsCheckFalseStart(bool value);
    bool isGenerateStart() const { return m_isGenerateStart; }
    void setIsGenerateStart(bool value);
    bool isSkipOutOfWindow() const { return m_isSkipOutOfWindow; }
    void setIsSkipOutOfWindow(bool value);
    bool isRestartWithNextMinute() const { return m_isRestartWithNextMinute; }
    void setIsRestartWithNextMinute(bool value);
    int delayFalseStart() const { return m_delayFalseStart; }
    void setDelayFalseStart(int value);
    SemaEnum::SemaOffMode offMode() const { return m_offMode; }
    void setOffMode(SemaEnum::SemaOffMode value);
    QVariant startTime() const;
    void setStartTime(const QVariant& value);
    QVariant startDate() const;
    void setStartDate(const QVariant& value);
    QVariant repetitionTime() const;
    void setRepetitionTime(const QVariant& value);

    Q_INVOKABLE Vl::Orvane::UI::SemaEnum::SemaSequenceType getSequenceType() const { return m_sequenceType; }
    Q_INVOKABLE void setSequenceType(Vl::Orvane::UI::SemaEnum::SemaSequenceType value) { m_sequenceType = value; }
    Q_INVOKABLE QString getStringSequenceType(int sequence) const;

    Q_INVOKABLE Vl::Tavix3::UI::SemaInterval getInterval(int index, int sequence) const;
    Q_INVOKABLE void setInterval(int index, int sequence, const Vl::Tavix3::UI::SemaInterval& value);
    Q_INVOKABLE void resetListInterval(int sequence);
    // One map per interval of the type in index order: "Time", "Sound", "Color", "IsFalseStartWindow".
    Q_INVOKABLE QVariantList getListInterval(int sequence) const;

    // Field reads add a zero interval where none is.
    Q_INVOKABLE qlonglong getIntervalTime(int index, int sequence);
    Q_INVOKABLE int getIntervalColor(int index, int sequence);
    Q_INVOKABLE int getIntervalSound(int index, int sequence);
    Q_INVOKABLE bool getIntervalIsFalseStartWindow(int index, int sequence);
    Q_INVOKABLE QVariantList getListIntervalTime(int sequence) const;
    Q_INVOKABLE QVariantList getListIntervalColor(int sequence) const;
    Q_INVOKABLE QVariantList getListIntervalSound(int sequence) const;
    Q_INVOKABLE QVariantList getListIntervalIsFalseStartWindow(int sequence) const;
    Q_INVOKABLE void setIntervalTime(int index, int sequence, qlonglong value);
    Q_INVOKABLE void setIntervalColor(int index, int sequence, Vl::Orvane::UI::SemaEnum::SemaColor value);
    Q_INVOKABLE void setIntervalSound(int index, int sequence, Vl::Orvane::UI::SemaEnum::SemaSound value);
    Q_INVOKABLE void setIntervalIsFalseStartWindow(int index, int sequence, bool value);

    Q_INVOKABLE QString getStringColor(Vl::Orvane::UI::SemaEnum::SemaColor color) const;
    Q_INVOKABLE QString getStringSound(Vl::Orvane::UI::SemaEnum::SemaSound sound) const;

    Q_INVOKABLE void configurationAlpineSki(int sequenceMode);
    Q_INVOKABLE void configurationNordicSki(int sequenceMode);
    Q_INVOKABLE void configurationRally1(int sequenceMode);
    Q_INVOKABLE void configurationRally2(int sequenceMode);

signals:
    void sequenceModeChanged();
    void offModeChanged();
    void startTimeChanged();
    void startDateChanged();
    void repetitionTimeChanged();

private:
    // Key of one interval: its index, then the sequence type.
    using IntervalKey = QPair<int, int>;
    // One row of a built-in table.
    struct TableRow
    {
        qint64 time;
        int color;
        int sound;
        bool isFalseStartWindow;
    };

    void writeTable(int sequence, const TableRow* rows, int count);
    SemaInterval& intervalForEdit(int index, int sequence);
    bool setOptionalTicks(boost::optional<qint64>& member, const QVariant& value);

    SemaEnum::SemaSequenceMode m_sequenceMode = SemaEnum::SEQUENCE_MODE_AUTO;
    bool m_isShowTimeOfDay = true;
    bool m_isCheckFalseStart = false;
    bool m_isGenerateStart = false;
    bool m_isSkipOutOfWindow = false;
    SemaEnum::SemaOffMode m_offMode = SemaEnum::SEMA_OFF_MODE_BLINKING_RED;
    bool m_isRestartWithNextMinute = true;
    int m_delayFalseStart = 3;
    QMap<IntervalKey, SemaInterval> m_intervals;
    SemaEnum::SemaSequenceType m_sequenceType = SemaEnum::SEMA_SEQUENCE_ALPINE_SKI;
    QMap<int, qint64> m_repetitionTimes;
    boost::optional<qint64> m_startTime;
    boost::optional<qint64> m_startDate;
};

} // namespace Vl::Orvane::UI
