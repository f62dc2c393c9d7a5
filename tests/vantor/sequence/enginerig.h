#pragma once

#include "sequence/displayboard.h"
#include "sequence/sema.h"
#include "sequence/semaports.h"
#include "time/timersoftware.h"

#include <QJsonObject>
#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>

// A start-light engine on fake outlets and a fake clock, driven by manual 100 ms ticks. Every
// outlet call is written to a trace stamped with the clock's time of day, so tests read what the
// lights, tones, board, clients, events log and operator messages saw, and when.
//
// Trace words: "lights <COLOUR> [dots N]", "time <s>" or "time -" (countdown band), "delta <s.t>",
// "text <remote text>", "tod <time of day>", "draw <x>,<y> <text>", "fill <x>,<y>,<w>,<h>",
// "reset"/"reset+send", "publish", "red"/"green"/"blue"/"drivers <n>" (LED test fills),
// "tone <Hz> <ms>", "event ch<n> <hh:mm:ss.zzz> bib<b> [skipped] [scart] [auto]",
// "log ch<n> <hh:mm:ss.zzz> [skipped]", "status <json>", "info <text>", "box <text>",
// "confirm <text>", "synchro <hh:mm:ss>" or "synchro -".
class EngineRig : public Vl::Tavix3::UI::SemaBoard,
                  public Vl::Tavix3::UI::SemaToneOutput,
                  public Vl::Tavix3::UI::SemaRemoteOutput,
                  public Vl::Tavix3::UI::SemaEventsLog,
                  public Vl::Tavix3::UI::SemaOperatorMessages,
                  public Vl::Tavix3::UI::SemaJobRunner,
                  public Vl::Tavix3::UI::SemaApplicationState
{
public:
    static constexpr qint64 kSecond = 50000;
    static constexpr qint64 kMs = 50;
    // The day every test runs on: 2026-03-10.
    static qint64 day();
    // Ticks of hh:mm:ss.zzz on that day.
    static qint64 at(const QString& timeOfDay);
    static QString stamp(qint64 ticks);

    // A rig with its engine; the clock starts at startTime and the engine is wired to the rig.
    static std::shared_ptr<EngineRig> create(const QString& startTime = QStringLiteral("11:59:00.000"));
    ~EngineRig() override;

    Vl::Tavix3::UI::Sema& sema() { return *m_sema; }
    Vl::Tavix3::UI::Displayboard& displayboard() { return m_board; }
    qint64 now() const { return m_now; }
    void setNow(qint64 ticks) { m_now = ticks; }
    void setNow(const QString& timeOfDay) { m_now = at(timeOfDay); }

    // One tick at the current time, then the jobs it queued; the clock does not move.
    void tick();
    // Ticks every 100 ms (with the software timer counted down every 10 ms) up to and including
    // the given time; each tick runs the jobs it queued.
    void runUntil(qint64 ticks);
    void runUntil(const QString& timeOfDay) { runUntil(at(timeOfDay)); }
    void runFor(qint64 ticks) { runUntil(m_now + ticks); }
    // Counts the software timer down by one 10 ms step.
    void countTimer() { m_timer.countDown(); }
    // Runs the jobs queued so far; with holdJobs they wait for this call.
    void runJobs();
    void setHoldJobs(bool hold) { m_holdJobs = hold; }
    int pendingJobs() const
    {
        QMutexLocker locker(&m_traceMutex);
        return m_jobs.size();
    }

    // Selects a sequence and starts it in AUTO mode with the first start at startTime today.
    void startAuto(int type, const QString& startTime, qint64 repetitionTicks);
    // A timing event through the engine's slot.
    Vl::Tavix3::UI::EntityPtr<Vl::Tavix3::UI::Event> sendEvent(qint64 ticks, int channel, bool isFalling = true);

    // The trace entries whose text starts with one of the prefixes, as "hh:mm:ss.zzz text".
    QStringList trace(const QStringList& prefixes) const;
    QStringList trace(const QString& prefix) const { return trace(QStringList { prefix }); }
    // Only the texts, without the time.
    QStringList texts(const QStringList& prefixes) const;
    QStringList texts(const QString& prefix) const { return texts(QStringList { prefix }); }
    void clearTrace();
    // Adds an entry to the trace, at the rig's time (a test's own observations among the engine's).
    void record(const QString& text);
    // The data objects of the status messages sent so far.
    QList<QJsonObject> statusMessages() const;

    // Application state the tests switch.
    int displayboardModeValue = 0;
    bool inTimingMenu = false;
    bool inTestMenu = false;
    int repetitionTimeIndexValue = 0;
    qint64 repetitionTimes[3] = { 1500000, 3000000, 6000000 };
    Vl::Tavix3::UI::SemaDeviceStatus device;
    bool confirmAnswer = false;
    Vl::Tavix3::UI::CyclicHandler* schedulerObject = nullptr;
    Vl::Tavix3::UI::TimerSoftware& falseStartTimerObject() { return m_timer; }
    // Called by setRepetitionTimeIndex, as the application pushes the time into the engine.
    std::function<void(int)> onRepetitionTimeIndex;

    // SemaBoard
    void reset(bool sendPixels) override;
    void drawSemaLights(Vl::Tavix3::UI::SemaEnum::VisualizationMode mode, bool timeOfDayShown,
        Vl::Tavix3::UI::SemaEnum::SemaColor colour, int pixelCount, bool deltaShown, bool isOff) override;
    void drawSemaTime(Vl::Tavix3::UI::SemaEnum::VisualizationMode mode, bool timeOfDayShown,
        boost::optional<qint64> time, bool deltaShown, Vl::Tavix3::UI::SemaEnum::SemaColor colour,
        boost::optional<int> bib) override;
    void drawSemaText(Vl::Tavix3::UI::SemaEnum::VisualizationMode mode, bool timeOfDayShown, const QString& text,
        Vl::Tavix3::UI::SemaEnum::SemaColor colour) override;
    void drawTimeOfDay(const QString& text) override;
    void drawText(int x, int y, const QString& text, int foreground, int background, int font, bool send) override;
    void fillRect(int x, int y, int width, int height, int colour, bool send) override;
    void clearTextArea(bool timeOfDayShown) override;
    bool sendPixels(qint64 time) override;
    void fillRed() override;
    void fillGreen() override;
    void fillBlue() override;
    void fillSingleDrivers(int driverIndex) override;

    // SemaToneOutput
    void playTone(uint frequencyHz, uint durationMs) override;

    // SemaRemoteOutput
    void sendEvent(const Vl::Tavix3::UI::EntityPtr<Vl::Tavix3::UI::Event>& event) override;
    void sendStatusText(const QString& framedMessage) override;

    // SemaEventsLog
    void writeEventRecord(const Vl::Tavix3::UI::EntityPtr<Vl::Tavix3::UI::Event>& event) override;

    // SemaOperatorMessages
    void showInfoMessage(const QString& text, int timeMs, const QString& colour) override;
    void showMessageBox(const QString& text, int timeoutMs) override;
    bool confirm(const QString& text) override;

    // SemaJobRunner
    void run(std::function<void()> job) override;

    // SemaApplicationState
    int displayboardMode() const override { return displayboardModeValue; }
    bool isInTimingMenu() const override { return inTimingMenu; }
    bool isInTestMenu() const override { return inTestMenu; }
    int displayboardTimeColor() const override { return 2; }
    void applySynchroAtTime(boost::optional<qint64> ticks, bool isTimeOfDay) override;
    Vl::Tavix3::UI::TimerSoftware* falseStartTimer() override { return &m_timer; }
    int repetitionTimeIndex() const override { return repetitionTimeIndexValue; }
    void setRepetitionTimeIndex(int index) override;
    qint64 repetitionTimeAt(int index) const override { return repetitionTimes[index]; }
    void setRepetitionTimeAt(int index, qint64 ticks) override { repetitionTimes[index] = ticks; }
    void setCurrentRepetitionTime(qint64 ticks) override { repetitionTimes[repetitionTimeIndexValue] = ticks; }
    Vl::Tavix3::UI::SemaDeviceStatus deviceStatus() const override { return device; }
    Vl::Tavix3::UI::CyclicHandler* scheduler() const override { return schedulerObject; }

private:
    EngineRig();

    std::atomic<qint64> m_now { 0 };
    // The trace and the jobs are also written by a scheduler worker when the real scheduler ticks.
    mutable QMutex m_traceMutex;
    QList<QPair<qint64, QString>> m_trace;
    QList<std::function<void()>> m_jobs;
    bool m_holdJobs = false;
    Vl::Tavix3::UI::Displayboard m_board;
    Vl::Tavix3::UI::TimerSoftware m_timer;
    std::unique_ptr<Vl::Tavix3::UI::Sema> m_sema;
};
