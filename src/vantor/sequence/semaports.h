#pragma once

#include "events/event.h"
#include "sequence/semaenum.h"

#include <QString>

#include <boost/optional.hpp>
#include <functional>
#include <memory>

namespace Vl::Tavix3::UI {

class CyclicHandler;
class Displayboard;
class TimerSoftware;

// The display-board operations the engine and its LED test draw with.
class SemaBoard
{
public:
    virtual ~SemaBoard() = default;
    virtual void reset(bool sendPixels) = 0;
    virtual void drawSemaLights(SemaEnum::VisualizationMode mode, bool timeOfDayShown, SemaEnum::SemaColor colour,
        int pixelCount, bool deltaShown, bool isOff)
        = 0;
    virtual void drawSemaTime(SemaEnum::VisualizationMode mode, bool timeOfDayShown, boost::optional<qint64> time,
        bool deltaShown, SemaEnum::SemaColor colour, boost::optional<int> bib)
        = 0;
    virtual void drawSemaText(
        SemaEnum::VisualizationMode mode, bool timeOfDayShown, const QString& text, SemaEnum::SemaColor colour)
        = 0;
    virtual void drawTimeOfDay(const QString& text) = 0;
    virtual void drawText(int x, int y, const QString& text, int foreground, int background, int font, bool send) = 0;
    virtual void fillRect(int x, int y, int width, int height, int colour, bool send) = 0;
    virtual void clearTextArea(bool timeOfDayShown) = 0;
    // Publishes the board when it changed; true when it did.
    virtual bool sendPixels(qint64 time) = 0;
    virtual void fillRed() = 0;
    virtual void fillGreen() = 0;
    virtual void fillBlue() = 0;
    virtual void fillSingleDrivers(int driverIndex) = 0;
};

// The board operations on the display-board model; does nothing while there is no model.
class DisplayboardSemaBoard : public SemaBoard
{
public:
    void setDisplayboard(Displayboard* board) { m_board = board; }

    void reset(bool sendPixels) override;
    void drawSemaLights(SemaEnum::VisualizationMode mode, bool timeOfDayShown, SemaEnum::SemaColor colour,
        int pixelCount, bool deltaShown, bool isOff) override;
    void drawSemaTime(SemaEnum::VisualizationMode mode, bool timeOfDayShown, boost::optional<qint64> time,
        bool deltaShown, SemaEnum::SemaColor colour, boost::optional<int> bib) override;
    void drawSemaText(SemaEnum::VisualizationMode mode, bool timeOfDayShown, const QString& text,
        SemaEnum::SemaColor colour) override;
    void drawTimeOfDay(const QString& text) override;
    void drawText(int x, int y, const QString& text, int foreground, int background, int font, bool send) override;
    void fillRect(int x, int y, int width, int height, int colour, bool send) override;
    void clearTextArea(bool timeOfDayShown) override;
    bool sendPixels(qint64 time) override;
    void fillRed() override;
    void fillGreen() override;
    void fillBlue() override;
    void fillSingleDrivers(int driverIndex) override;

private:
    Displayboard* m_board = nullptr; // not owned
};

// Where the engine's tones go; play() must not block the caller.
class SemaToneOutput
{
public:
    virtual ~SemaToneOutput() = default;
    virtual void playTone(uint frequencyHz, uint durationMs) = 0;
};

// The remote clients: event messages and framed status messages for every client.
class SemaRemoteOutput
{
public:
    virtual ~SemaRemoteOutput() = default;
    virtual void sendEvent(const EntityPtr<Event>& event) = 0;
    virtual void sendStatusText(const QString& framedMessage) = 0;
};

// The events log; writing never blocks the caller.
class SemaEventsLog
{
public:
    virtual ~SemaEventsLog() = default;
    virtual void writeEventRecord(const EntityPtr<Event>& event) = 0;
};

// What the operator is told: info-bar texts, message boxes and confirmation questions.
class SemaOperatorMessages
{
public:
    virtual ~SemaOperatorMessages() = default;
    virtual void showInfoMessage(const QString& text, int timeMs, const QString& colour) = 0;
    // Shows a box later on the GUI thread and returns at once: callers may hold the engine's lock.
    virtual void showMessageBox(const QString& text, int timeoutMs) = 0;
    // Asks the operator and waits for the answer; never called under the engine's lock.
    virtual bool confirm(const QString& text) = 0;
};

// Runs a job later on another thread; the engine queues its start-event jobs here.
class SemaJobRunner
{
public:
    virtual ~SemaJobRunner() = default;
    virtual void run(std::function<void()> job) = 0;
};

// The device and synchronisation values the status message reports.
struct SemaDeviceStatus
{
    bool isSynchronized = false;
    bool isGPSEnabled = false;
    bool isGPSValid = false;
    int gpsSyncStatus = 0;
    bool isGPSSynchedByCountinuos = false;
    int gpsNumSatellites = 0;
    bool isWifiEnabled = false;
    int wifiSignalLevel = 0;
    int batteryPerc = 0;
    bool isExtSupplyValid = false;
    bool isLowBattery = false;
};

// The application's state that the engine reads and the application operations it calls.
class SemaApplicationState
{
public:
    virtual ~SemaApplicationState() = default;
    virtual int displayboardMode() const = 0;
    virtual bool isInTimingMenu() const = 0;
    virtual bool isInTestMenu() const = 0;
    virtual int displayboardTimeColor() const = 0;
    virtual void applySynchroAtTime(boost::optional<qint64> ticks, bool isTimeOfDay) = 0;
    // The software timer that holds a false-start delta on the board; null when there is none.
    virtual TimerSoftware* falseStartTimer() = 0;
    virtual int repetitionTimeIndex() const = 0;
    virtual void setRepetitionTimeIndex(int index) = 0;
    // The three repetition times (index 0 to 2) and the current one.
    virtual qint64 repetitionTimeAt(int index) const = 0;
    virtual void setRepetitionTimeAt(int index, qint64 ticks) = 0;
    virtual void setCurrentRepetitionTime(qint64 ticks) = 0;
    virtual SemaDeviceStatus deviceStatus() const = 0;
    // The scheduler the tick registers with; null before it runs.
    virtual CyclicHandler* scheduler() const = 0;
};

// Everything the engine reaches outside itself. A null board means the display-board model.
struct SemaPorts
{
    std::shared_ptr<SemaBoard> board;
    std::shared_ptr<SemaToneOutput> tones;
    std::shared_ptr<SemaRemoteOutput> remote;
    std::shared_ptr<SemaEventsLog> eventsLog;
    std::shared_ptr<SemaOperatorMessages> messages;
    std::shared_ptr<SemaJobRunner> jobs;
    std::shared_ptr<SemaApplicationState> application;

    // The real outlets: the application object's components, reached when they are called.
    static SemaPorts forApplication();
};

} // namespace Vl::Tavix3::UI
