// The engine's real outlets: the display-board model and the application object's components.
#include "sequence/semaports.h"

#include "app/application.h"
#include "core/sharedapplication.h"
#include "core/utils.h"
#include "device/gps.h"
#include "device/systemhw.h"
#include "remote/serial.h"
#include "remote/serialenum.h"
#include "sequence/displayboard.h"
#include "time/normalpriorityscope.h"

#include <QThreadPool>

namespace Vl::Tavix3::UI {

void DisplayboardSemaBoard::reset(bool sendPixels)
{
    if (m_board)
        m_board->reset(sendPixels);
}

void DisplayboardSemaBoard::drawSemaLights(SemaEnum::VisualizationMode mode, bool timeOfDayShown,
    SemaEnum::SemaColor colour, int pixelCount, bool deltaShown, bool isOff)
{
    if (m_board)
        m_board->drawSemaLights(mode, timeOfDayShown, colour, pixelCount, deltaShown, isOff);
}

void DisplayboardSemaBoard::drawSemaTime(SemaEnum::VisualizationMode mode, bool timeOfDayShown,
    boost::optional<qint64> time, bool deltaShown, SemaEnum::SemaColor colour, boost::optional<int> bib)
{
    if (m_board)
        m_board->drawSemaTime(mode, timeOfDayShown, time, deltaShown, colour, bib);
}

void DisplayboardSemaBoard::drawSemaText(
    SemaEnum::VisualizationMode mode, bool timeOfDayShown, const QString& text, SemaEnum::SemaColor colour)
{
    if (m_board)
        m_board->drawSemaText(mode, timeOfDayShown, text, colour);
}

void DisplayboardSemaBoard::drawTimeOfDay(const QString& text)
{
    if (m_board)
        m_board->drawTimeOfDay(text);
}

void DisplayboardSemaBoard::drawText(
    int x, int y, const QString& text, int foreground, int background, int font, bool send)
{
    if (m_board)
        m_board->drawText(x, y, text, foreground, background, font, send);
}

void DisplayboardSemaBoard::fillRect(int x, int y, int width, int height, int colour, bool send)
{
    if (m_board)
        m_board->fillRect(x, y, width, height, colour, send);
}

void DisplayboardSemaBoard::clearTextArea(bool timeOfDayShown)
{
    if (m_board)
        m_board->clearTextArea(timeOfDayShown);
}

bool DisplayboardSemaBoard::sendPixels(qint64 time) { return m_board && m_board->sendPixels(time); }

void DisplayboardSemaBoard::fillRed()
{
    if (m_board)
        m_board->fillRed();
}

void DisplayboardSemaBoard::fillGreen()
{
    if (m_board)
        m_board->fillGreen();
}

void DisplayboardSemaBoard::fillBlue()
{
    if (m_board)
        m_board->fillBlue();
}

void DisplayboardSemaBoard::fillSingleDrivers(int driverIndex)
{
    if (m_board)
        m_board->fillSingleDrivers(driverIndex);
}

namespace {

// Every outlet but the board, through the application object as it is when called: before
// start-up and after shut-down there is none, and the calls do nothing.
class ApplicationPorts : public SemaToneOutput,
                         public SemaRemoteOutput,
                         public SemaEventsLog,
                         public SemaOperatorMessages,
                         public SemaJobRunner,
                         public SemaApplicationState
{
public:
    void playTone(uint frequencyHz, uint durationMs) override
    {
        // The tone's thread is woken from normal priority: from a real-time thread the wake-up can
        // hold the caller up for milliseconds.
        const NormalPriorityScope normalPriority;
        const QSharedPointer<Application> app = sharedApplication();
        if (app && app->systemHw())
            app->systemHw()->setSound(frequencyHz, durationMs);
    }

    void sendEvent(const EntityPtr<Event>& event) override
    {
        const QSharedPointer<Application> app = sharedApplication();
        if (app && app->serial())
            app->serial()->sendEvent(event);
    }

    void sendStatusText(const QString& framedMessage) override
    {
        const QSharedPointer<Application> app = sharedApplication();
        if (app && app->serial())
            app->serial()->serialOutText(SerialEnum::SERIAL_CHANNEL_ALL, 0, framedMessage, Serial::Delivery::Immediate);
    }

    void writeEventRecord(const EntityPtr<Event>& event) override
    {
        // The log's writer runs on the thread pool; a pool thread started from the real-time tick
        // would keep its scheduling for every later job.
        const NormalPriorityScope normalPriority;
        if (const QSharedPointer<Application> app = sharedApplication())
            app->writeEventRecord(event);
    }

    void showInfoMessage(const QString& text, int timeMs, const QString& colour) override
    {
        Utils::showInfoMessage(text, timeMs, colour);
    }

    void showMessageBox(const QString& text, int timeoutMs) override
    {
        const QSharedPointer<Application> app = sharedApplication();
        if (!app)
            return;
        // The box waits in a nested event loop; posting the signal keeps that loop out of the
        // caller's stack, where the engine's lock may be held.
        Application* target = app.data();
        QMetaObject::invokeMethod(
            target, [target, text, timeoutMs]() { emit target->showMessageBox(text, timeoutMs); },
            Qt::QueuedConnection);
    }

    bool confirm(const QString& text) override
    {
        const QSharedPointer<Application> app = sharedApplication();
        return app && app->messageBox()->sure(text);
    }

    void run(std::function<void()> job) override
    {
        // A new pool thread takes the scheduling of the thread that starts it: never the tick's
        // real-time one.
        const NormalPriorityScope normalPriority;
        QThreadPool::globalInstance()->start(std::move(job));
    }

    int displayboardMode() const override
    {
        const QSharedPointer<Application> app = sharedApplication();
        return app ? app->displayboardMode() : 0;
    }

    bool isInTimingMenu() const override
    {
        const QSharedPointer<Application> app = sharedApplication();
        return app && app->isInTimingMenu();
    }

    bool isInTestMenu() const override
    {
        const QSharedPointer<Application> app = sharedApplication();
        return app && app->isInTestMenu();
    }

    int displayboardTimeColor() const override
    {
        const QSharedPointer<Application> app = sharedApplication();
        return app ? app->displayboardTimeColor() : Application::kDefaultDisplayboardTimeColor;
    }

    void applySynchroAtTime(boost::optional<qint64> ticks, bool isTimeOfDay) override
    {
        if (const QSharedPointer<Application> app = sharedApplication())
            app->applySynchroAtTime(ticks, isTimeOfDay);
    }

    TimerSoftware* falseStartTimer() override
    {
        // The timers live as long as the application object, which outlives the engine.
        const QSharedPointer<Application> app = sharedApplication();
        return app ? &app->timerSoftware()[0] : nullptr;
    }

    int repetitionTimeIndex() const override
    {
        const QSharedPointer<Application> app = sharedApplication();
        return app ? app->repetitionTimeIndex() : 0;
    }

    void setRepetitionTimeIndex(int index) override
    {
        if (const QSharedPointer<Application> app = sharedApplication())
            app->setRepetitionTimeIndex(index);
    }

    qint64 repetitionTimeAt(int index) const override
    {
        const QSharedPointer<Application> app = sharedApplication();
        if (!app)
            return 0;
        switch (index) {
        case 0:
            return app->repetitionTime1();
        case 1:
            return app->repetitionTime2();
        default:
            return app->repetitionTime3();
        }
    }

    void setRepetitionTimeAt(int index, qint64 ticks) override
    {
        const QSharedPointer<Application> app = sharedApplication();
        if (!app)
            return;
        switch (index) {
        case 0:
            app->setRepetitionTime1(ticks);
            break;
        case 1:
            app->setRepetitionTime2(ticks);
            break;
        default:
            app->setRepetitionTime3(ticks);
            break;
        }
    }

    void setCurrentRepetitionTime(qint64 ticks) override
    {
        if (const QSharedPointer<Application> app = sharedApplication())
            app->setRepetitionTime(ticks);
    }

    SemaDeviceStatus deviceStatus() const override
    {
        SemaDeviceStatus status;
        const QSharedPointer<Application> app = sharedApplication();
        if (!app)
            return status;
        status.isSynchronized = app->isSynchronized();
        if (const GPS* gps = app->gps()) {
            // Read through the GPS service's properties, the values its screens show.
            status.isGPSEnabled = gps->property("isEnabled").toBool();
            status.isGPSValid = gps->property("isValid").toBool();
            status.isGPSSynchedByCountinuos = gps->property("isSynchedByCountinuos").toBool();
            const QVariant satellites = gps->property("numSatellites");
            bool isNumber = false;
            const int count = satellites.toInt(&isNumber);
            status.gpsNumSatellites = isNumber ? count : 0;
            // The desktop build has no synchronisation status code of the timing base.
            status.gpsSyncStatus = 0;
        }
        if (const SystemHw* hw = app->systemHw()) {
            status.isWifiEnabled = hw->isWifiEnabled();
            status.wifiSignalLevel = hw->wifiSignalLevel();
            status.batteryPerc = hw->batteryPerc();
            status.isExtSupplyValid = hw->isExtSupplyValid();
            status.isLowBattery = hw->isLowBattery();
        }
        return status;
    }

    CyclicHandler* scheduler() const override
    {
        const QSharedPointer<Application> app = sharedApplication();
        return app ? app->cyclicHandler() : nullptr;
    }
};

} // namespace

SemaPorts SemaPorts::forApplication()
{
    const auto ports = std::make_shared<ApplicationPorts>();
    SemaPorts result;
    result.tones = ports;
    result.remote = ports;
    result.eventsLog = ports;
    result.messages = ports;
    result.jobs = ports;
    result.application = ports;
    return result;
}

} // namespace Vl::Tavix3::UI
