#pragma once

#include <QMutex>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QTranslator>
#include <QVariant>
#include <QVersionNumber>

#include <array>
#include <atomic>
#include <functional>
#include <boost/optional.hpp>

#include "core/applicationservices.h"
#include "core/appsettingsstore.h"
#include "core/messagequeue.h"
#include "core/utils.h"
#include "events/btconnectioninfo.h"
#include "events/event.h"
#include "events/eventgenerator.h"
#include "events/eventslog.h"
#include "time/timersoftware.h"
#include "ui/infobarmessage.h"
#include "ui/keyemitter.h"
#include "ui/msgbox.h"

class QGuiApplication;
class QQmlApplicationEngine;
class QQmlContext;
class QQuickWindow;

namespace Vl::Tavix3::UI {

class CyclicHandler;
class Displayboard;
class GPS;
class HandleEvents;
class Sema;
class Serial;
class SerialPathFinder;
class SystemHw;

// The single application object of Vantor: owns the long-lived components, holds the
// user-interface settings and the flags several subsystems share, and carries the signals
// through which the event thread, the engine and the command server reach the screens.
class Application : public QObject, public ApplicationServices
{
    Q_OBJECT

    Q_PROPERTY(int currentLanguage READ currentLanguage WRITE setCurrentLanguage NOTIFY currentLanguageChanged)
    Q_PROPERTY(QString languageChanged READ languageChanged NOTIFY currentLanguageChanged)
    Q_PROPERTY(bool isInTimingMenu READ isInTimingMenu WRITE setIsInTimingMenu NOTIFY isInTimingMenuChanged)
    Q_PROPERTY(QString logString READ logString WRITE setLogString NOTIFY logStringChanged)
    Q_PROPERTY(QString dateTimeFormatString READ dateTimeFormatString NOTIFY dateTimeFormatStringChanged)
    Q_PROPERTY(QString dateFormatString READ dateFormatString NOTIFY dateFormatStringChanged)
    Q_PROPERTY(QString timeFormatString READ timeFormatString NOTIFY timeFormatStringChanged)
    Q_PROPERTY(int dateFormat READ dateFormat WRITE setDateFormat NOTIFY dateFormatChanged)
    Q_PROPERTY(int timeFormat READ timeFormat WRITE setTimeFormat NOTIFY timeFormatChanged)
    Q_PROPERTY(bool isInSynchroMenu READ isInSynchroMenu WRITE setIsInSynchroMenu NOTIFY isInSynchroMenuChanged)
    Q_PROPERTY(bool isCheckSynchro READ isCheckSynchro WRITE setIsCheckSynchro NOTIFY isCheckSynchroChanged)
    Q_PROPERTY(bool isTestSynchro READ isTestSynchro WRITE setIsTestSynchro NOTIFY isTestSynchroChanged)
    Q_PROPERTY(qlonglong lastSynchroTime READ lastSynchroTime WRITE setLastSynchroTime)
    Q_PROPERTY(bool waitPleaseVisible READ waitPleaseVisible WRITE setWaitPleaseVisible)
    Q_PROPERTY(QString synchroAtTime READ synchroAtTimeText WRITE setSynchroAtTime NOTIFY synchroAtTimeChanged)
    Q_PROPERTY(QString repetitionSynchroAtTime READ repetitionSynchroAtTimeText WRITE setRepetitionSynchroAtTime
                   NOTIFY repetitionSynchroAtTimeChanged)
    Q_PROPERTY(bool isHighContrast READ isHighContrast WRITE setIsHighContrast NOTIFY isHighContrastChanged)
    Q_PROPERTY(bool isSynchronized READ isSynchronized WRITE setIsSynchronized NOTIFY isSynchronizedChanged)
    Q_PROPERTY(bool isTapHandlerEnabled READ isTapHandlerEnabled WRITE setIsTapHandlerEnabled
                   NOTIFY isTapHandlerEnabledChanged)
    Q_PROPERTY(bool isCompleted READ isCompleted WRITE setIsCompleted NOTIFY isCompletedChanged)
    Q_PROPERTY(QString currentNetworkInterface READ currentNetworkInterface WRITE setCurrentNetworkInterface
                   NOTIFY currentNetworkInterfaceChanged)
    Q_PROPERTY(bool isClosing READ isClosing WRITE setIsClosing NOTIFY isClosingChanged)
    Q_PROPERTY(int displayboardMode READ displayboardMode WRITE setDisplayboardMode NOTIFY displayboardModeChanged)
    Q_PROPERTY(bool isAmbrel READ isAmbrel WRITE setIsAmbrel NOTIFY isAmbrelChanged)
    Q_PROPERTY(QString displayboardOutput READ displayboardOutput WRITE setDisplayboardOutput
                   NOTIFY displayboardOutputChanged)
    Q_PROPERTY(qlonglong repetitionTime1 READ repetitionTime1 WRITE setRepetitionTime1 NOTIFY repetitionTime1Changed)
    Q_PROPERTY(qlonglong repetitionTime2 READ repetitionTime2 WRITE setRepetitionTime2 NOTIFY repetitionTime2Changed)
    Q_PROPERTY(qlonglong repetitionTime3 READ repetitionTime3 WRITE setRepetitionTime3 NOTIFY repetitionTime3Changed)
    Q_PROPERTY(int repetitionTimeIndex READ repetitionTimeIndex WRITE setRepetitionTimeIndex
                   NOTIFY repetitionTimeIndexChanged)
    Q_PROPERTY(int displayboardTimeColor READ displayboardTimeColor WRITE setDisplayboardTimeColor
                   NOTIFY displayboardTimeColorChanged)
    Q_PROPERTY(bool isInTestMenu READ isInTestMenu WRITE setIsInTestMenu NOTIFY isInTestMenuChanged)
    Q_PROPERTY(bool enabledSyncGPS READ enabledSyncGPS NOTIFY enabledSyncGPSChanged)

public:
    static constexpr qint64 kDefaultRepetitionTime1 = 1500000;
    static constexpr qint64 kDefaultRepetitionTime2 = 3000000;
    static constexpr qint64 kDefaultRepetitionTime3 = 6000000;
    static constexpr int kDefaultDisplayboardTimeColor = 2;
    // The longest repetition time the screens and the remote commands give: a time of day.
    static constexpr qint64 kMaxRepetitionTime = 4320000000LL - 1;

    Application(QGuiApplication* guiApplication, QQmlApplicationEngine* engine, const QString& appDataPath,
                QQmlContext* rootContext, QObject* parent = nullptr);
    ~Application() override;

    // Life cycle, in the order start-up and shut-down call them.
    void init();
    void startHardware();
    void startWorkerThreads();
    HandleEvents* createHandleEventsThread(const QString& threadName);
    void aboutToQuit();
    void installMessageHandler();
    void loadLanguage();

    // Owned components.
    SystemHw* systemHw() const { return m_systemHw; }
    GPS* gps() const { return m_gps; }
    Sema* sema() const { return m_sema; }
    Displayboard* displayboard() const { return m_displayboard; }
    Serial* serial() const { return m_serial; }
    CyclicHandler* cyclicHandler() const { return m_cyclicHandler; }
    HandleEvents* handleEvents() const { return m_handleEvents; }
    SerialPathFinder* serialPathFinder() const { return m_serialPathFinder; }
    KeyEmitter* keyEmitter() { return &m_keyEmitter; }
    InfoBarMessage* infoBarMessage() { return &m_infoBarMessage; }
    EventGenerator* eventGenerator() { return &m_eventGenerator; }
    MsgBox* messageBox() { return &m_messageBox; }
    std::array<TimerSoftware, 7>& timerSoftware() { return m_timerSoftware; }
    MessageQueue& messageQueue(Utils::SignalSema sema) override
    {
        return m_messageQueues[sema == Utils::SIGNAL_SEMA_1 ? 1 : 0];
    }
    EventsLog& eventsLog() { return m_eventsLog; }
    AppSettingsStore& appSettings() { return m_appSettings; }
    QQuickWindow* mainWindow() const override;
    QObject* rootObject() const { return m_rootObject; }
    QQmlContext* rootContext() const { return m_rootContext; }
    QQmlApplicationEngine* engine() const { return m_engine; }
    QString appDataPath() const { return m_appDataPath; }
    QString applicationDisplayName() const;

    // Bluetooth connections: written by the event thread, read and marked by the command server.
    QMutex& btConnectionsMutex() { return m_btConnectionsMutex; }
    QList<BTConnectionInfo>& btConnections() { return m_btConnections; }

    // Properties.
    int currentLanguage() const { return m_currentLanguage; }
    void setCurrentLanguage(int language);
    QString languageChanged() const { return QString(); }
    bool isInTimingMenu() const { return m_isInTimingMenu; }
    void setIsInTimingMenu(bool value);
    QString logString() const;
    void setLogString(const QString& value);
    void appendLogString(const QString& entry) override;
    QString dateTimeFormatString() const;
    QString dateFormatString() const;
    QString timeFormatString() const;
    int dateFormat() const override { return m_dateFormat; }
    void setDateFormat(int value);
    int timeFormat() const override { return m_timeFormat; }
    void setTimeFormat(int value);
    bool isInSynchroMenu() const { return m_isInSynchroMenu; }
    void setIsInSynchroMenu(bool value);
    bool isCheckSynchro() const { return m_isCheckSynchro; }
    void setIsCheckSynchro(bool value);
    bool isTestSynchro() const { return m_isTestSynchro; }
    void setIsTestSynchro(bool value);
    // Clear a capture flag and tell whether it was set, in one step: the event thread's capture.
    bool takeIsCheckSynchro();
    bool takeIsTestSynchro();
    qlonglong lastSynchroTime() const { return m_lastSynchroTime; }
    void setLastSynchroTime(qlonglong value) { m_lastSynchroTime = value; }
    bool waitPleaseVisible() const { return m_waitPleaseVisible; }
    void setWaitPleaseVisible(bool value) { m_waitPleaseVisible = value; }
    QString synchroAtTimeText() const;
    void setSynchroAtTime(const QString& text);
    QString repetitionSynchroAtTimeText() const;
    void setRepetitionSynchroAtTime(const QString& text);
    boost::optional<qint64> synchroAtTime() const;
    boost::optional<qint64> repetitionSynchroAtTime() const;
    bool isHighContrast() const { return m_isHighContrast; }
    void setIsHighContrast(bool value);
    bool isSynchronized() const { return m_isSynchronized; }
    void setIsSynchronized(bool value);
    bool isTapHandlerEnabled() const { return m_isTapHandlerEnabled; }
    void setIsTapHandlerEnabled(bool value);
    bool isCompleted() const { return m_isCompleted; }
    void setIsCompleted(bool value);
    QString currentNetworkInterface() const { return m_currentNetworkInterface; }
    void setCurrentNetworkInterface(const QString& value);
    bool isClosing() const override { return m_isClosing; }
    void setIsClosing(bool value);
    int displayboardMode() const { return m_displayboardMode; }
    void setDisplayboardMode(int value);
    bool isAmbrel() const { return m_isAmbrel; }
    void setIsAmbrel(bool value);
    QString displayboardOutput() const;
    void setDisplayboardOutput(const QString& value);
    qlonglong repetitionTime1() const { return m_repetitionTime1; }
    void setRepetitionTime1(qlonglong value);
    qlonglong repetitionTime2() const { return m_repetitionTime2; }
    void setRepetitionTime2(qlonglong value);
    qlonglong repetitionTime3() const { return m_repetitionTime3; }
    void setRepetitionTime3(qlonglong value);
    int repetitionTimeIndex() const { return m_repetitionTimeIndex; }
    void setRepetitionTimeIndex(int index);
    int displayboardTimeColor() const { return m_displayboardTimeColor; }
    void setDisplayboardTimeColor(int value);
    bool isInTestMenu() const { return m_isInTestMenu; }
    void setIsInTestMenu(bool value);
    bool enabledSyncGPS() const { return !m_isAmbrelSynchronized; }

    // Shared flags without a property.
    bool ambrelSyncEnabled() const { return m_ambrelSyncEnabled; }
    void setAmbrelSyncEnabled(bool value) { m_ambrelSyncEnabled = value; }
    bool isAmbrelSynchronized() const { return m_isAmbrelSynchronized; }
    void setIsAmbrelSynchronized(bool value);
    bool versionChanged() const { return m_versionChanged; }
    QVersionNumber storedVersion() const { return m_storedVersion; }
    bool applicationCorrectlyClosed() const { return m_applicationCorrectlyClosed; }

    // The services of the foundation and the screens' helper objects.
    void showInfoMessage(const QString& text, int time, const QString& color) override;
    void countDownSoftwareTimers() override;
    QThread* applicationThread() const override { return thread(); }
    QMetaObject::Connection quitOnClosing(QEventLoop* loop) override;

    // Back-end operations.
    void setRepetitionTime(qint64 ticks);
    void applySynchroAtTime(boost::optional<qint64> ticks, bool isTimeOfDay);
    void playSynchroBeep();
    void writeEventRecord(const EntityPtr<Event>& event);

    // Invokable operations.
    Q_INVOKABLE bool loadSettings();
    Q_INVOKABLE void saveSettings();
    Q_INVOKABLE QString generateGUID() const;
    Q_INVOKABLE void suspendEventsThread();
    Q_INVOKABLE void resumeEventsThread();
    Q_INVOKABLE void showWaitPlease(bool showEsc = false, bool showGauge = false);
    Q_INVOKABLE void showInfo1WaitPlease(const QString& message);
    Q_INVOKABLE void showInfo2WaitPlease(const QString& message);
    Q_INVOKABLE void hideWaitPlease();
    Q_INVOKABLE int getMaxScreenWidth() const;
    Q_INVOKABLE QString getVersionNumber() const;
    Q_INVOKABLE QString getAppBuildDate() const;
    Q_INVOKABLE QString getSerialNumber() const { return QString(); }
    Q_INVOKABLE QString getHostname() const { return QString(); }
    Q_INVOKABLE QString getOsBuildDate() const { return QString(); }
    Q_INVOKABLE void closeHandleEventsThread();
    Q_INVOKABLE void restartHandleEventsThread();
    Q_INVOKABLE bool existTranslationFile(const QString& file) const;
    Q_INVOKABLE void sendSettings();
    // The framed Settings message of the current values.
    QString settingsMessage() const;
    Q_INVOKABLE qlonglong getRepetitionTime() const;
    Q_INVOKABLE void deleteLogFiles();
    Q_INVOKABLE void exportLogFiles(const QString& path);
    Q_INVOKABLE void resetToDefault();

    // The command server's screen requests (showHandleSequenceMenu, hideHandleSequenceMenu,
    // showDisplayboardOutputMenu) are handled on the GUI thread one after the other. A thread that
    // must act only after them takes a ticket: screenRequestsTicket goes out behind them, and the
    // main window hands the ticket back through screenRequestsDone once it has handled them all.
    quint64 takeScreenTicket();
    bool isScreenTicketDone(quint64 ticket) const { return m_screenTicketDone >= ticket; }
    Q_INVOKABLE void screenRequestsDone(qulonglong ticket);

    // for unit testing: replaces the operator's confirmation (normally a message box).
    void setConfirmationHandler(std::function<bool(const QString&)> handler) { m_confirm = std::move(handler); }

public slots:
    void onShowMessageBox(const QString& text, int timeout);

signals:
    void currentLanguageChanged();
    void isInTimingMenuChanged();
    void dateTimeFormatStringChanged();
    void dateFormatStringChanged();
    void timeFormatStringChanged();
    void dateFormatChanged();
    void timeFormatChanged();
    void isInSynchroMenuChanged();
    void isCheckSynchroChanged();
    void isTestSynchroChanged();
    void synchroEvent(uint physicalChannel, qlonglong ticks);
    void statusLineEvent(uint physicalChannel, bool isFalling);
    void eventReceived(const QVariant& event, bool isFalling = true);
    void waitPleaseChanged(bool show, bool showEsc, bool showGauge);
    void info1WaitPleaseChanged(const QString& message);
    void info2WaitPleaseChanged(const QString& message);
    void showFormMessage(const QString& message);
    void isCompletedChanged();
    void logStringChanged();
    void synchroAtTimeChanged();
    void isHighContrastChanged();
    void reloadMenuModel(const QString& name);
    void repetitionSynchroAtTimeChanged();
    void isClosingChanged();
    void isAmbrelChanged();
    void isSynchronizedChanged();
    void isTapHandlerEnabledChanged();
    void currentNetworkInterfaceChanged();
    void synchSent();
    void showHandleSequenceMenu(int sequenceType);
    void hideHandleSequenceMenu();
    void showDisplayboardOutputMenu();
    void screenRequestsTicket(qulonglong ticket);
    void startTimerSynchroAtTime();
    void stopTimerSynchroAtTime();
    void displayboardModeChanged();
    void displayboardOutputChanged();
    void repetitionTime1Changed();
    void repetitionTime2Changed();
    void repetitionTime3Changed();
    void repetitionTimeIndexChanged();
    void displayboardTimeColorChanged();
    void isInTestMenuChanged();
    void backgroundConfigChanged();
    void enabledSyncGPSChanged();
    void internalFilesChanged();
    void showMessageBox(const QString& text, int timeout);

private:
    void startUpBookkeeping();
    // Loads one of the engine's settings that is present in the store: a choice isValid accepts, a flag.
    void loadEngineChoice(const QString& key, const std::function<bool(qint64)>& isValid);
    void loadEngineFlag(const QString& key);
    void synchroAtTimeTick();
    void onSchedulerStarted();
    bool confirm(const QString& title);

    // References given at construction.
    QGuiApplication* m_guiApplication = nullptr;
    QQmlApplicationEngine* m_engine = nullptr;
    QString m_appDataPath;
    QQmlContext* m_rootContext = nullptr;

    // Owned components.
    SystemHw* m_systemHw = nullptr;
    GPS* m_gps = nullptr;
    Sema* m_sema = nullptr;
    Displayboard* m_displayboard = nullptr;
    Serial* m_serial = nullptr;
    CyclicHandler* m_cyclicHandler = nullptr;
    HandleEvents* m_handleEvents = nullptr;
    SerialPathFinder* m_serialPathFinder = nullptr;

    KeyEmitter m_keyEmitter;
    InfoBarMessage m_infoBarMessage;
    EventGenerator m_eventGenerator;
    MsgBox m_messageBox;

    QPointer<QObject> m_rootObject;
    QPointer<QQuickWindow> m_mainWindow;

    // Persisted user-interface settings.
    std::atomic<int> m_currentLanguage{99};
    std::atomic<int> m_dateFormat{0};
    std::atomic<int> m_timeFormat{0};
    std::atomic<bool> m_isHighContrast{false};
    std::atomic<bool> m_isTapHandlerEnabled{false};
    std::atomic<int> m_displayboardMode{0};
    std::atomic<int> m_displayboardTimeColor{kDefaultDisplayboardTimeColor};
    std::atomic<qint64> m_repetitionTime1{kDefaultRepetitionTime1};
    std::atomic<qint64> m_repetitionTime2{kDefaultRepetitionTime2};
    std::atomic<qint64> m_repetitionTime3{kDefaultRepetitionTime3};
    std::atomic<int> m_repetitionTimeIndex{0};
    std::atomic<bool> m_isSynchronized{false};

    // Shared flags and values.
    std::atomic<bool> m_isInTimingMenu{false};
    std::atomic<quint64> m_lastScreenTicket{0};
    std::atomic<quint64> m_screenTicketDone{0};
    std::atomic<bool> m_isInSynchroMenu{false};
    std::atomic<bool> m_isCheckSynchro{false};
    std::atomic<bool> m_isTestSynchro{false};
    std::atomic<bool> m_isInTestMenu{false};
    std::atomic<bool> m_isCompleted{false};
    std::atomic<bool> m_isClosing{false};
    std::atomic<bool> m_screensListen{false};  // the QML listens to the info bar
    bool m_waitPleaseVisible = false;
    qlonglong m_lastSynchroTime = 0;
    std::atomic<bool> m_isAmbrel{false};
    std::atomic<bool> m_ambrelSyncEnabled{false};
    std::atomic<bool> m_isAmbrelSynchronized{false};
    QString m_currentNetworkInterface = QStringLiteral("eth0");
    mutable QMutex m_textMutex;  // guards the text members below
    QString m_displayboardOutput;
    QString m_logString;

    // Synchronisation at a time.
    mutable QMutex m_synchroMutex;
    boost::optional<qint64> m_synchroAtTime;
    boost::optional<qint64> m_repetitionSynchroAtTime;
    bool m_synchroAtTimeFired = false;
    QTimer m_synchroAtTimeTimer;

    std::array<TimerSoftware, 7> m_timerSoftware;
    std::array<MessageQueue, 2> m_messageQueues;

    QMutex m_btConnectionsMutex;
    QList<BTConnectionInfo> m_btConnections;

    AppSettingsStore m_appSettings;
    QTranslator m_translator;
    bool m_applicationCorrectlyClosed = true;
    bool m_versionChanged = false;
    QVersionNumber m_storedVersion{0, 0, 0};

    EventsLog m_eventsLog;

    std::function<bool(const QString&)> m_confirm;
};

} // namespace Vl::Tavix3::UI
