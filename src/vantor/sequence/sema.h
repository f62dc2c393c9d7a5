#pragma once

#include "common/semaintervals.h"
#include "core/appsettingsstore.h"
#include "events/event.h"
#include "sequence/ledtestsequencer.h"
#include "sequence/semaenum.h"
#include "sequence/semaports.h"
#include "sequence/startinglist.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QMutex>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QRecursiveMutex>
#include <QSharedPointer>
#include <QString>
#include <QTimer>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>
#include <QWaitCondition>

#include <boost/optional.hpp>
#include <functional>
#include <limits>
#include <memory>

namespace Vl::Tavix3::UI {

class CyclicHandler;
class Displayboard;

// The start-light engine: the interval tables of every sequence type, the selected sequence and
// its modes, starting lists, the lights, tones and board it drives, and its settings.
class Sema : public QObject
{
    Q_OBJECT

    Q_PROPERTY(bool isOff READ isOff WRITE setIsOff NOTIFY isOffChanged)
    Q_PROPERTY(bool sequenceStatus READ sequenceStatus WRITE setSequenceStatus NOTIFY sequenceStatusChanged)
    Q_PROPERTY(Vl::Tavix3::UI::SemaEnum::SemaSequenceMode sequenceMode READ sequenceMode WRITE setSequenceMode NOTIFY
            sequenceModeChanged)
    Q_PROPERTY(QVariant startTime READ startTime WRITE setStartTime NOTIFY startTimeChanged)
    Q_PROPERTY(QVariant startDate READ startDate WRITE setStartDate NOTIFY startDateChanged)
    Q_PROPERTY(QVariant repetitionTime READ repetitionTime WRITE setRepetitionTime NOTIFY repetitionTimeChanged)
    Q_PROPERTY(QString startListName READ startListName NOTIFY startListNameChanged)
    Q_PROPERTY(QString bibNumber READ bibNumber NOTIFY bibNumberChanged)
    Q_PROPERTY(QString nextStartTime READ nextStartTime NOTIFY nextStartTimeChanged)
    Q_PROPERTY(bool isShowTimeOfDay READ isShowTimeOfDay WRITE setIsShowTimeOfDay NOTIFY isShowTimeOfDayChanged)
    Q_PROPERTY(bool isCheckFalseStart READ isCheckFalseStart WRITE setIsCheckFalseStart NOTIFY isCheckFalseStartChanged)
    Q_PROPERTY(bool isGenerateStart READ isGenerateStart WRITE setIsGenerateStart NOTIFY isGenerateStartChanged)
    Q_PROPERTY(bool isSkipOutOfWindow READ isSkipOutOfWindow WRITE setIsSkipOutOfWindow NOTIFY isSkipOutOfWindowChanged)
    Q_PROPERTY(bool isRestartWithNextMinute READ isRestartWithNextMinute WRITE setIsRestartWithNextMinute NOTIFY
            isRestartWithNextMinuteChanged)
    Q_PROPERTY(int delayFalseStart READ delayFalseStart WRITE setDelayFalseStart NOTIFY delayFalseStartChanged)
    Q_PROPERTY(Vl::Tavix3::UI::SemaEnum::SemaOffMode offMode READ offMode WRITE setOffMode NOTIFY offModeChanged)
    Q_PROPERTY(Vl::Tavix3::UI::SemaEnum::VisualizationMode visualizationMode READ visualizationMode WRITE
            setVisualizationMode NOTIFY visualizationModeChanged)
    Q_PROPERTY(bool isShowingLedTest READ isShowingLedTest WRITE setIsShowingLedTest NOTIFY isShowingLedTestChanged)
    Q_PROPERTY(QString errorMessage READ errorMessage WRITE setErrorMessage NOTIFY errorMessageChanged)

public:
    // The key of the interval map: (index, sequence type); ordered by index, then type.
    using IntervalKey = QPair<int, int>;

    static constexpr qint64 kTicksPerSecond = 50000;

    // The tick's registration with the scheduler (handle, first tick, phase reference, period,
    // restricted slot, tolerance), kept together so that its phase is set in one place. The phase
    // reference lies on the whole-second grid of the clock, so the tick is due on every whole
    // 100 ms and each interval's instant (a whole second) falls on a tick; with a tolerance of one
    // period the tick is first due on the first whole 100 ms after the registration.
    static constexpr int kTickHandle = 0;
    static constexpr qint64 kTickStartTick = 0;
    static constexpr qint64 kTickPhaseRefTick = 0;
    static constexpr unsigned kTickPeriodMs = 100;
    static constexpr unsigned kTickRestricted = 1;
    static constexpr qint64 kTickToleranceTicks = 5000;

    explicit Sema(QObject* parent = nullptr);
    ~Sema() override;

    // Sequence identity and selection.
    Q_INVOKABLE Vl::Tavix3::UI::SemaEnum::SemaSequenceType getSequenceType() const;
    Q_INVOKABLE void setSequenceType(Vl::Tavix3::UI::SemaEnum::SemaSequenceType value);
    Q_INVOKABLE QString getIdFromSequenceType(int sequence) const;
    Q_INVOKABLE QString getNameFromSequenceType(int sequence) const;
    Q_INVOKABLE QString getSelectedSequenceId() const;
    Q_INVOKABLE QString getSelectedSequenceName() const;
    Q_INVOKABLE bool selectSequenceById(const QString& id);
    Q_INVOKABLE bool selectSequenceByName(const QString& name);
    Q_INVOKABLE bool setCustomSequenceFromFile(const QString& fileName);
    QJsonDocument getAllSequences() const;
    QJsonObject sequenceToJson(int sequence) const;
    void loadCustomSequence(const QJsonDocument& document);

    // Interval tables.
    Q_INVOKABLE Vl::Tavix3::UI::SemaInterval getInterval(int index, int sequence) const;
    Q_INVOKABLE void setInterval(int index, int sequence, const Vl::Tavix3::UI::SemaInterval& value);
    Q_INVOKABLE qlonglong getIntervalTime(int index, int sequence) const;
    Q_INVOKABLE void setIntervalTime(int index, int sequence, qlonglong value);
    Q_INVOKABLE Vl::Tavix3::UI::SemaEnum::SemaColor getIntervalColor(int index, int sequence) const;
    Q_INVOKABLE Vl::Tavix3::UI::SemaEnum::SemaSound getIntervalSound(int index, int sequence) const;
    Q_INVOKABLE bool getIntervalIsFalseStartWindow(int index, int sequence) const;
    Q_INVOKABLE void setIntervalColor(int index, int sequence, int value);
    Q_INVOKABLE void setIntervalSound(int index, int sequence, int value);
    Q_INVOKABLE void setIntervalIsFalseStartWindow(int index, int sequence, bool value);
    Q_INVOKABLE QVariantList getListInterval(int sequence) const;
    Q_INVOKABLE QVariantList getListIntervalTime(int sequence) const;
    Q_INVOKABLE QVariantList getListIntervalColor(int sequence) const;
    Q_INVOKABLE QVariantList getListIntervalSound(int sequence) const;
    Q_INVOKABLE QVariantList getListIntervalIsFalseStartWindow(int sequence) const;
    Q_INVOKABLE void resetListInterval(int sequence);
    Q_INVOKABLE void resetAllIntervals();
    Q_INVOKABLE void configurationAlpineSki(int sequenceMode);
    Q_INVOKABLE void configurationNordicSki(int sequenceMode);
    Q_INVOKABLE void configurationRally(int sequenceMode);
    Q_INVOKABLE void configurationShakedown(int sequenceMode);
    Q_INVOKABLE void configurationUpHillNoCountdown(int sequenceMode);
    Q_INVOKABLE void configurationUpHillCountdown(int sequenceMode);
    Q_INVOKABLE QString getStringColor(Vl::Tavix3::UI::SemaEnum::SemaColor color) const;
    Q_INVOKABLE QString getStringSound(Vl::Tavix3::UI::SemaEnum::SemaSound sound) const;
    Q_INVOKABLE qlonglong getMinRepetitionTime() const;
    Q_INVOKABLE void lock();
    Q_INVOKABLE void unlock();
    void initIntervalTables();
    // The number of consecutive intervals of a type from index 0: the length of its table.
    int intervalCount(int sequence) const;

    // Running sequence and display.
    Q_INVOKABLE void startSequenceCyclic();
    // One step of the running sequence; the scheduler calls it every 100 ms on its worker thread.
    void sequenceTick(quint8 slot = 0);
    Q_INVOKABLE void setInfo(const QString& info);
    void playSound(SemaEnum::SemaSound sound);
    void showStartupBanner();
    // The time of day has its place on the board: not running, or shown while running.
    bool isTimeOfDayVisible() const;
    // Writes the start events still held for the events log; called at shut-down once the
    // scheduler has stopped.
    void shutDown();
    // The display-board model the engine draws on; the start-up banner takes it from the application.
    void setDisplayboard(Displayboard* board);
    Displayboard* displayboard() const { return m_displayboard; }

    // Start, modes and repetition.
    Q_INVOKABLE void initSema();
    Q_INVOKABLE void changePause();
    Q_INVOKABLE void setSemaOff(bool resetDisplayboard);
    Q_INVOKABLE void setSemaOff();
    Q_INVOKABLE void setActivationTime(bool fromSerial);
    Q_INVOKABLE bool checkStartDate(const QVariant& value);
    Q_INVOKABLE void displayRepetitionTimeIsNotValid();
    Q_INVOKABLE void saveCurrentData();
    Q_INVOKABLE void loadSavedData();
    Q_INVOKABLE bool setStartingListFromFile(const QString& fileName);
    void startSequence();
    void applyActivationTime(boost::optional<qint64> time, bool fromSerial);
    void checkRepetitionTime();
    void switchOn();
    void setRemoteStartSequence(int mode, boost::optional<qint64> startTime, boost::optional<qint64> startDate,
        boost::optional<qint64> repetitionTime, const QVariant& bib);
    void setBibNumber(boost::optional<int> value);
    bool selectStartingListById(const QString& id);
    bool selectStartingListByName(const QString& name);
    QString getStartingListId() const;
    QSharedPointer<StartingListEntry> getNextStartingListEntry() const;
    void showNextStartInfo();

    // Timing events and false starts.
    void showRepetitionTimeInfo();
    void flushStartEvents();

    // Starting lists.
    Q_INVOKABLE QVariantMap loadStartingList(const QString& fileName);
    bool setStartingList(const QJsonDocument& document);
    QSharedPointer<StartingList> startingList() const;

    // Status output.
    void sendStatus(bool force);
    void clearSentStatus();
    // A remote text and its colour on the time band; the caller publishes the board.
    void showText(const QString& text, SemaEnum::SemaColor colour);
    // Status messages are pushed to the remote clients after each change of the board.
    bool isOutputStatusEnabled() const;
    void setIsOutputStatusEnabled(bool value);

    // Properties.
    bool isOff() const;
    // Pause and resume, and start and stop: the screens call them as operations too.
    Q_INVOKABLE void setIsOff(bool off);
    bool sequenceStatus() const;
    Q_INVOKABLE void setSequenceStatus(bool value);
    SemaEnum::SemaSequenceMode sequenceMode() const { return m_sequenceMode; }
    void setSequenceMode(int mode);
    QVariant startTime() const;
    void setStartTime(const QVariant& value);
    QVariant startDate() const;
    void setStartDate(const QVariant& value);
    QVariant repetitionTime() const;
    void setRepetitionTime(const QVariant& value);
    // Sets the repetition time in ticks as the property does; true when it changed.
    bool setRepetitionTime(qint64 ticks);
    // Sets the repetition time without checks or signals (settings loader).
    void loadRepetitionTime(qint64 ticks);
    QString startListName() const;
    QString bibNumber() const;
    QString nextStartTime() const;
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
    // Seconds from 0 to kMaxDelayFalseStart; a value beyond is brought to the nearer end.
    void setDelayFalseStart(int value);
    // The status message's word for a colour; empty for "no colour", which the message leaves out.
    static QString statusColourWord(int colour);
    // The longest false-start delay in seconds: the longest whose milliseconds a timer holds.
    static constexpr int kMaxDelayFalseStart = std::numeric_limits<int>::max() / 1000;
    SemaEnum::SemaOffMode offMode() const { return m_offMode; }
    void setOffMode(int value);
    SemaEnum::VisualizationMode visualizationMode() const { return m_visualizationMode; }
    void setVisualizationMode(int value);
    bool isShowingLedTest() const;
    void setIsShowingLedTest(bool value);
    QString errorMessage() const;
    void setErrorMessage(const QString& value);

    // Stores one persisted engine setting read at start-up, without signals.
    void loadSetting(const QString& key, const QVariant& value);

    // for unit testing
    // Replaces the engine's outlets (board, tones, clients, events log, messages, jobs, application
    // state); the outlets left empty keep their current implementation.
    void setPorts(const SemaPorts& ports);
    // The engine's single-shot timers by name ("longPress", "falseStartDelay", "info"); expiring
    // one stops it and runs what its timeout runs, as if its time had passed. False when it was idle.
    bool isTimerActive(const QString& name) const;
    int timerInterval(const QString& name) const;
    bool expireTimer(const QString& name);

signals:
    void isOffChanged();
    void sequenceStatusChanged();
    void sequenceModeChanged();
    void semaTabTypeChanged();
    void frequencyChanged();
    void offModeChanged();
    void isShowTimeOfDayChanged();
    void isCheckFalseStartChanged();
    void isGenerateStartChanged();
    void isSkipOutOfWindowChanged();
    void isRestartWithNextMinuteChanged();
    void startTimeChanged();
    void startDateChanged();
    void repetitionTimeChanged();
    void semaGreenChanged(bool isOn);
    void semaYellowChanged(bool isOn);
    void semaRedChanged(bool isOn);
    void semaTimeChanged(const QString& text);
    void timeChanged(const QString& text);
    void delayFalseStartChanged();
    void visualizationModeChanged();
    void startTimerInfo();
    void isShowingLedTestChanged();
    void startListNameChanged();
    void errorMessageChanged();
    void nextStartTimeChanged();
    void bibNumberChanged();

public slots:
    void onEventReceived(const QVariant& event, bool isFalling);

private slots:
    void onLongPressTimeout();
    void onFalseStartDelayTimeout();
    void onStartTimerInfo();
    void onInfoTimerTimeout();

private:
    // A start-event job's view of the run it was queued in.
    struct StartEventJob
    {
        bool first = false;
        SemaInterval fired;
        boost::optional<SemaInterval> previous;
        qint64 plannedStart = 0;
        quint64 run = 0;
    };

    bool selectSequence(const QString& text, bool byId);
    bool stopRunningSequence();
    void writeTable(int sequence, const SemaInterval* table, int count);
    SemaInterval& intervalForEdit(int index, int sequence);
    QVariantList listField(int sequence, SemaIntervalField field) const;
    bool setOptionalTick(boost::optional<qint64>& member, const QVariant& value, bool& stopped);
    template <typename T> bool storeSetting(T& member, T value, const QString& key);

    // The longest wait for queued start-event jobs at shut-down and when the engine goes away.
    static constexpr int kJobsWaitMs = 5000;
    // Software-timer counts (10 ms) for which a false-start delta stays on the board.
    static constexpr unsigned kFalseStartHoldCount = 500;

    SemaBoard& board();
    // isTimeOfDayVisible without taking the state mutex (the caller holds it).
    bool showsTimeOfDay() const { return !m_currentIndex || m_isShowTimeOfDay; }
    SemaApplicationState& application() const { return *m_ports.application; }

    // The tick's steps.
    void runTick();
    bool isNewSecond(qint64 now) const;
    void drawInfoText();
    void runIntervals(qint64 now);
    bool endOfTable(qint64 now);
    // True when the interval was the silent last one of its table, which ends the run.
    bool fireInterval(int index, const SemaInterval& interval);
    // Fires the due group of intervals that begins at index; true when it ended the run.
    bool fireIntervalGroup(int index);
    void offDisplay(qint64 now);
    void drawOffModeLights(bool always);
    // The off mode's lights at once, in the blinking light's present phase (paused or waiting).
    void showOffModeNow();
    void countdownStep(qint64 now);
    void finishTick(qint64 now);
    void publishBoard();
    bool isFalseStartDeltaHeld();
    void releaseFalseStartDelta();
    void holdFalseStartDelta();

    // Display primitives.
    void setSemaTime(boost::optional<qint64> time, bool isDelta, SemaEnum::SemaColor colour);
    void showSemaTime(boost::optional<qint64> time, bool isDelta, bool force);
    void setSemaColor(SemaEnum::SemaColor colour, bool force);
    void setSemaColorAll();
    // Tells the screens the colour, once the tick that set it has sent its status.
    void emitColorSignals(SemaEnum::SemaColor colour);
    // The colour's three signals, emitted on the spot.
    void emitColorSignalsNow(SemaEnum::SemaColor colour);
    void lightsOff();
    void redLights();
    void drawLights(SemaEnum::SemaColor colour);
    // Clears the board and forgets the colour: no light is shown, and the lamps say so.
    void clearBoardAndColour(bool sendPixels);
    // Display-board text mode on the timing screens: the board belongs to the remote texts.
    bool boardHoldsRemoteTexts() const;
    // The board shows what the engine draws: not the remote texts of display-board mode, nor a
    // service test.
    bool drawsBoard() const;
    // Draws the engine's whole frame again on a cleared board, in the present layout; the caller
    // publishes it.
    void redrawBoard();
    // The frame in force drawn afresh, as redrawBoard does; while a run is off, with its off mode's
    // lights. Wherever a run's frame was covered or cleared (a new layout, an info text gone, the
    // board given back by a test or the remote texts) its lights come back this way.
    void redrawFrame();
    // The board shows something else than a run's frame, or was cleared under it, while the
    // engine does not draw it (a service test, the remote texts of display-board mode): the frame is
    // drawn afresh once the engine draws the board again. Without a run nothing is kept.
    void markRunFrameStale();
    // The colour the lights show: a remote text's own while it stands over a switched-off light.
    SemaEnum::SemaColor shownLightColour() const;
    QString timeBandText() const;
    QString timeOfDayText(qint64 now) const;

    // Start, modes and repetition.
    qint64 firstOffset() const;
    void goOff();
    void stopRun();
    void endRun();
    bool hasRepetitionTime() const;
    void showInfo(const QString& text, int timeMs, const QString& colour);

    // Timing events.
    void evaluateEvent(const EntityPtr<Event>& event, bool isFalling);
    void evaluateLapLine(const EntityPtr<Event>& event, bool isFalling);
    void evaluateStart(const EntityPtr<Event>& event);
    void queueStartEventJob(const StartEventJob& job);
    void generateStartEvent(const StartEventJob& job);
    void startOwnTimer(QTimer& timer, int intervalMs);
    void stopOwnTimer(QTimer& timer);
    QTimer* timerByName(const QString& name) const;

    // Status output.
    void putStatusValue(const QString& key, const QJsonValue& value, QJsonObject& object, bool force);

    int m_pixelCount = 0;
    bool m_isOff = true;
    boost::optional<int> m_currentIndex;
    bool m_isShowTimeOfDay = true;
    bool m_isCheckFalseStart = true;
    bool m_isGenerateStart = true;
    bool m_isSkipOutOfWindow = false;
    SemaEnum::SemaOffMode m_offMode = SemaEnum::SEMA_OFF_MODE_BLINKING_RED;
    bool m_isRestartWithNextMinute = true;
    SemaEnum::VisualizationMode m_visualizationMode = SemaEnum::VISUALIZATION_MODE_1;
    QMap<IntervalKey, SemaInterval> m_intervals;
    SemaEnum::SemaSequenceType m_sequenceType = SemaEnum::NO_SEMA_SEQUENCE;
    SemaEnum::SemaSequenceMode m_sequenceMode = SemaEnum::SEQUENCE_MODE_AUTO;
    boost::optional<qint64> m_activationTime;
    boost::optional<qint64> m_plannedStart;
    boost::optional<qint64> m_repetitionTime = qint64(3000000);
    boost::optional<qint64> m_startTime;
    boost::optional<qint64> m_startDate;
    int m_delayFalseStart = 0;
    EntityPtr<Event> m_generatedStart;
    EntityPtr<Event> m_receivedStart;
    bool m_isOutputStatusEnabled = false;
    std::unique_ptr<LedTestSequencer> m_ledTestSequencer;
    QSharedPointer<StartingList> m_startingList;
    QString m_errorMessage;
    Displayboard* m_displayboard = nullptr; // not owned
    mutable QRecursiveMutex m_stateMutex;
    QMutex m_boardMutex; // taken only inside the state mutex
    AppSettingsStore m_settings;
    boost::optional<qint64> m_shownTime;
    bool m_isDeltaShown = false;
    QString m_timeOfDayText;
    SemaEnum::SemaColor m_currentColor = SemaEnum::NO_SEMA_COLOR;
    SemaEnum::SemaColor m_textColor = SemaEnum::NO_SEMA_COLOR;
    QString m_remoteText;
    SemaEnum::SemaColor m_remoteTextColour = SemaEnum::NO_SEMA_COLOR;
    boost::optional<int> m_bib;
    boost::optional<qint64> m_intervalEnd;
    boost::optional<qint64> m_lastRefresh;
    bool m_blinkPhase = false;
    bool m_isOffModeApplied = false;
    SemaEnum::SemaOffMode m_appliedOffMode = SemaEnum::SEMA_OFF_MODE_OFF;
    bool m_isBoardLayoutSet = false;
    // The board does not show the engine's frame as it stands (a new layout, a run's frame covered
    // while the engine did not draw the board): it is drawn afresh once the engine draws it again.
    bool m_isFrameStale = false;
    bool m_lastTimeOfDayShown = false;
    QString m_customName;
    QString m_customId;
    QTimer m_falseStartDelayTimer;
    qint64 m_falseStartDelta = 0;
    QTimer m_longPressTimer;
    QTimer m_infoTimer;
    QString m_infoText;
    QMap<QString, QVariant> m_lastSentStatus;
    bool m_isBibFixed = false;

    SemaPorts m_ports;
    DisplayboardSemaBoard m_displayboardBoard;
    // Counts the runs: a start-event job or a delayed delta of an earlier run does nothing.
    quint64 m_run = 0;
    quint64 m_delayedDeltaRun = 0;
    // Serialises the scheduler registration, which must not run under the state mutex.
    QMutex m_registrationMutex;
    QPointer<CyclicHandler> m_scheduler;
    // Start-event jobs queued and not yet finished; the engine outlives them.
    QMutex m_jobsMutex;
    QWaitCondition m_jobsDone;
    int m_pendingJobs = 0;
};

} // namespace Vl::Tavix3::UI
