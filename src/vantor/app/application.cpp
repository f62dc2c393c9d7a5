#include "app/application.h"

#include "core/diagnosticlog.h"
#include "core/orvaneenum.h"
#include "core/signalstack.h"
#include "core/version.h"
#include "device/gps.h"
#include "device/gpsenum.h"
#include "device/systemhw.h"
#include "device/systemstatus.h"
#include "events/handleevents.h"
#include "remote/serial.h"
#include "remote/serialpathfinder.h"
#include "sequence/displayboard.h"
#include "sequence/displayboardenum.h"
#include "sequence/sema.h"
#include "sequence/semaenum.h"
#include "time/cyclichandler.h"
#include "time/datetime.h"

#include <QDate>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQuickWindow>
#include <QScreen>
#include <QThread>
#include <QThreadPool>
#include <QUuid>
#include <QVector>
#include <QtQml>

namespace Vl::Tavix3::UI {

namespace {

// A short pause that keeps the screens alive during the start-up.
void pause()
{
    Utils::processEvents(10);
}

QQuickWindow* findMainWindow(QObject* root)
{
    if (!root)
        return nullptr;
    auto* window = qobject_cast<QQuickWindow*>(root);
    if (window && window->objectName() == QLatin1String("MainForm"))
        return window;
    return root->findChild<QQuickWindow*>(QStringLiteral("MainForm"));
}

} // namespace

Application::Application(QGuiApplication* guiApplication, QQmlApplicationEngine* engine, const QString& appDataPath,
                         QQmlContext* rootContext, QObject* parent)
    : QObject(parent)
    , m_appSettings(QStringLiteral("Velmora"), QStringLiteral("Vantor"))
{
    m_confirm = [this](const QString& title) { return m_messageBox.sure(title); };

    m_eventsLog.open(appDataPath, QDateTime::currentDateTime());

    startUpBookkeeping();

    connect(this, &Application::showMessageBox, this, &Application::onShowMessageBox);
    connect(this, &Application::startTimerSynchroAtTime, this, [this]() { m_synchroAtTimeTimer.start(100); });
    connect(this, &Application::stopTimerSynchroAtTime, this, [this]() { m_synchroAtTimeTimer.stop(); });

    saveSettings();

    m_guiApplication = guiApplication;
    m_engine = engine;
    m_appDataPath = appDataPath;
    m_rootContext = rootContext;
}

// The display board has no parent and lives until the process ends: the mirror window and
// late jobs may still read it while the application object goes away.
Application::~Application() = default;

void Application::init()
{
    installMessageHandler();
    qDebug().noquote() << QStringLiteral("Version: ") + getVersion();

    m_systemHw = new SystemHw(this);
    m_gps = new GPS(this);
    m_sema = new Sema(this);
    m_displayboard = new Displayboard();
    pause();

    if (m_rootContext) {
        m_rootContext->setContextProperty(QStringLiteral("sema"), m_sema);
        m_rootContext->setContextProperty(QStringLiteral("displayboard"), m_displayboard);
        m_rootContext->setContextProperty(QStringLiteral("keyEmitter"), &m_keyEmitter);
        m_rootContext->setContextProperty(QStringLiteral("infoBarMessage"), &m_infoBarMessage);
        m_rootContext->setContextProperty(QStringLiteral("eventGenerator"), &m_eventGenerator);
        m_rootContext->setContextProperty(QStringLiteral("messageBox"), &m_messageBox);
        m_rootContext->setContextProperty(QStringLiteral("systemHw"), m_systemHw);
        m_rootContext->setContextProperty(QStringLiteral("gps"), m_gps);
    }

    qmlRegisterType<EventGenerator>("velmora.Orvane", 1, 0, "EventGenerator");
    qmlRegisterType<SystemStatus>("velmora.Orvane", 1, 0, "SystemStatusItem");

    qRegisterMetaType<TuMessages::EventInput>("TuMessages::EventInput");
    qRegisterMetaType<QVector<int>>("QVector<int>");
    qRegisterMetaType<OrvaneEnum::DateFormat>("OrvaneEnum::DateFormat");
    qRegisterMetaType<OrvaneEnum::TimeFormat>("OrvaneEnum::TimeFormat");
    qRegisterMetaType<OrvaneEnum::Language>("OrvaneEnum::Language");
    qRegisterMetaType<OrvaneEnum::QKeys>("OrvaneEnum::QKeys");
    qRegisterMetaType<OrvaneEnum::DisplayboardMode>("OrvaneEnum::DisplayboardMode");
    qRegisterMetaType<OrvaneEnum::BrightnessMode>("OrvaneEnum::BrightnessMode");
    qRegisterMetaType<SemaEnum::SemaColor>("SemaEnum::SemaColor");
    qRegisterMetaType<SemaEnum::SemaSound>("SemaEnum::SemaSound");
    qRegisterMetaType<SemaEnum::SemaOffMode>("SemaEnum::SemaOffMode");
    qRegisterMetaType<SemaEnum::SemaSequenceType>("SemaEnum::SemaSequenceType");
    qRegisterMetaType<SemaEnum::SemaSequenceMode>("SemaEnum::SemaSequenceMode");
    qRegisterMetaType<SemaEnum::VisualizationMode>("SemaEnum::VisualizationMode");
    qRegisterMetaType<GPSEnum::GPSSyncMode>("GPSEnum::GPSSyncMode");
    qRegisterMetaType<DisplayboardEnum::DisplayboardColor>("DisplayboardEnum::DisplayboardColor");
    qRegisterMetaType<EntityPtr<Event>>("EntityPtr<Event>");
    pause();

    m_serial = new Serial(this);
    if (m_rootContext)
        m_rootContext->setContextProperty(QStringLiteral("serial"), m_serial);

    m_sema->showStartupBanner();

    loadSettings();
    loadLanguage();
    pause();

    if (m_rootContext)
        m_rootContext->setContextProperty(QStringLiteral("application"), this);

    if (m_engine) {
        QQmlComponent component(m_engine, QUrl(QStringLiteral("qrc:/main.qml")));
        m_rootObject = component.create();
        m_mainWindow = findMainWindow(m_rootObject);
        if (component.isError())
            qWarning() << component.errors();
        if (m_rootObject) {
            QQmlEngine::setObjectOwnership(m_rootObject, QQmlEngine::CppOwnership);
            m_rootObject->setParent(m_engine);
        }
        if (m_mainWindow)
            m_mainWindow->setTitle(applicationDisplayName());
        else
            qWarning() << "No window named MainForm in qrc:/main.qml";
    }

    connect(&m_synchroAtTimeTimer, &QTimer::timeout, this, &Application::synchroAtTimeTick);

    // The screens listen now: the notices given while they did not (a store or log that cannot be
    // written at start-up) are shown.
    m_screensListen = true;
    Utils::showHeldInfoMessages();
    pause();
}

QString Application::applicationDisplayName() const
{
    return QCoreApplication::applicationName() + QStringLiteral(" - ") + QCoreApplication::applicationVersion();
}

QQuickWindow* Application::mainWindow() const
{
    return m_mainWindow.data();
}

void Application::installMessageHandler()
{
    DiagnosticLog::install();
}

void Application::startHardware()
{
    Utils::processEvents(10);
    m_gps->loadSettings();
    m_systemHw->loadSettings();
    m_serial->startServer();
    Utils::processEvents(10);
}

HandleEvents* Application::createHandleEventsThread(const QString& threadName)
{
    auto* thread = new QThread();
    if (!threadName.isEmpty())
        thread->setObjectName(threadName);
    SignalStack::installOnStart(thread);
    auto* worker = new HandleEvents();
    worker->moveToThread(thread);
    connect(thread, &QThread::started, worker, &HandleEvents::process);
    connect(worker, &HandleEvents::finished, thread, &QThread::quit, Qt::DirectConnection);
    return worker;
}

void Application::startWorkerThreads()
{
    auto* cyclicThread = new QThread();
    cyclicThread->setObjectName(QStringLiteral("CyclicHandler thread"));
    SignalStack::installOnStart(cyclicThread);
    m_cyclicHandler = new CyclicHandler();
    m_cyclicHandler->moveToThread(cyclicThread);
    connect(cyclicThread, &QThread::started, m_cyclicHandler, &CyclicHandler::startTasks);
    connect(m_cyclicHandler, &CyclicHandler::finished, cyclicThread, &QThread::quit, Qt::DirectConnection);
    // The start banner follows the scheduler's start, so this connection exists before it can fire.
    connect(m_cyclicHandler, &CyclicHandler::started, this, &Application::onSchedulerStarted);
    cyclicThread->start(QThread::InheritPriority);

    m_handleEvents = createHandleEventsThread(QStringLiteral("HandleEvents thread"));
    m_handleEvents->thread()->start(QThread::InheritPriority);

    auto* serialThread = new QThread();
    serialThread->setObjectName(QStringLiteral("SerialPathFinder thread"));
    SignalStack::installOnStart(serialThread);
    m_serialPathFinder = new SerialPathFinder();
    m_serialPathFinder->moveToThread(serialThread);
    connect(serialThread, &QThread::started, m_serialPathFinder, &SerialPathFinder::process);
    connect(m_serialPathFinder, &SerialPathFinder::finished, serialThread, &QThread::quit, Qt::DirectConnection);
    serialThread->start(QThread::InheritPriority);

    if (m_rootContext)
        m_rootContext->setContextProperty(QStringLiteral("serialPathFinder"), m_serialPathFinder);
}

void Application::onSchedulerStarted()
{
    if (!m_sema)
        return;
    m_sema->setInfo(QStringLiteral("Vantor\nV ") + getVersion());
    m_sema->startSequenceCyclic();
}

void Application::closeHandleEventsThread()
{
    Utils::stopThread(&m_handleEvents, true);
}

void Application::restartHandleEventsThread()
{
    // A running worker is never replaced: restarting needs a prior close.
    if (m_handleEvents || m_isClosing)
        return;
    m_handleEvents = createHandleEventsThread(QStringLiteral("HandleEvents thread"));
    m_handleEvents->thread()->start(QThread::InheritPriority);
}

void Application::suspendEventsThread()
{
    if (m_handleEvents)
        m_handleEvents->setPaused(true);
}

void Application::resumeEventsThread()
{
    if (m_handleEvents)
        m_handleEvents->setPaused(false);
}

void Application::aboutToQuit()
{
    setIsClosing(true);
    qDebug() << "********Init Application::aboutToQuit********";
    if (m_handleEvents)
        emit m_handleEvents->quit();
    Utils::stopThread(&m_handleEvents, false);
    Utils::stopThread(&m_serialPathFinder, false);
    delete m_rootObject.data();
    qDebug() << "********stopThread cyclicHandler********";
    Utils::stopThread(&m_cyclicHandler, true);
    // With the tick stopped, the start events the engine still holds go to the events log.
    if (m_sema)
        m_sema->shutDown();
    m_appSettings.setValue(QStringLiteral("ApplicationCorrectlyClosed"), true);
    qDebug() << "********saveSettings********";
    saveSettings();
    qDebug() << "********Application::aboutToQuit********";
}

QString Application::generateGUID() const
{
    return QUuid::createUuid().toString().mid(1, 36);
}

void Application::showWaitPlease(bool showEsc, bool showGauge)
{
    emit waitPleaseChanged(true, showEsc, showGauge);
    Utils::processEvents(50);
}

void Application::showInfo1WaitPlease(const QString& message)
{
    emit info1WaitPleaseChanged(message);
}

void Application::showInfo2WaitPlease(const QString& message)
{
    emit info2WaitPleaseChanged(message);
}

void Application::hideWaitPlease()
{
    emit waitPleaseChanged(false, false, false);
    Utils::processEvents(50);
}

int Application::getMaxScreenWidth() const
{
    int width = 0;
    for (const QScreen* screen : QGuiApplication::screens())
        width = std::max(width, screen->geometry().x() + screen->geometry().width());
    return width;
}

QString Application::getVersionNumber() const
{
    return getVersion();
}

QString Application::getAppBuildDate() const
{
    const QDate date = QDate::fromString(getBuildDate(), QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        return QString();
    return date.toString(m_dateFormat == OrvaneEnum::DATE_FORMAT_MM_DD_YYYY ? QStringLiteral("MM/dd/yyyy")
                                                                             : QStringLiteral("dd/MM/yyyy"));
}

void Application::playSynchroBeep()
{
    if (m_systemHw)
        m_systemHw->setSound(1250, 300);
}

void Application::writeEventRecord(const EntityPtr<Event>& event)
{
    m_eventsLog.append(event);
}

void Application::exportLogFiles(const QString& path)
{
    const bool copied = m_eventsLog.exportTo(path);
    if (copied)
        Utils::showInfoMessage(tr("DONE!"));
    else
        Utils::showInfoMessage(tr("Export failed"), 3000, Utils::kErrorColor);
}

void Application::deleteLogFiles()
{
    if (!confirm(QStringLiteral("Delete log files")))
        return;
    m_eventsLog.removeAll();
    Utils::showInfoMessage(tr("DONE!"));
}

void Application::onShowMessageBox(const QString& text, int timeout)
{
    m_messageBox.show(text, timeout);
}

bool Application::confirm(const QString& title)
{
    return m_confirm ? m_confirm(title) : false;
}

// Simple properties: assign and announce only a change, unless noted.

void Application::setIsInTimingMenu(bool value)
{
    if (m_isInTimingMenu.exchange(value) != value)
        emit isInTimingMenuChanged();
}

quint64 Application::takeScreenTicket()
{
    const quint64 ticket = ++m_lastScreenTicket;
    emit screenRequestsTicket(ticket);
    return ticket;
}

void Application::screenRequestsDone(qulonglong ticket)
{
    // Tickets come back in order; an older one never takes back a newer one.
    quint64 done = m_screenTicketDone;
    while (done < ticket && !m_screenTicketDone.compare_exchange_weak(done, ticket)) { }
}

void Application::setIsInSynchroMenu(bool value)
{
    m_isInSynchroMenu = value;
    emit isInSynchroMenuChanged();
}

void Application::setIsCheckSynchro(bool value)
{
    m_isCheckSynchro = value;
    emit isCheckSynchroChanged();
}

void Application::setIsTestSynchro(bool value)
{
    m_isTestSynchro = value;
    emit isTestSynchroChanged();
}

bool Application::takeIsCheckSynchro()
{
    if (!m_isCheckSynchro.exchange(false))
        return false;
    emit isCheckSynchroChanged();
    return true;
}

bool Application::takeIsTestSynchro()
{
    if (!m_isTestSynchro.exchange(false))
        return false;
    emit isTestSynchroChanged();
    return true;
}

void Application::setIsCompleted(bool value)
{
    if (m_isCompleted.exchange(value) != value)
        emit isCompletedChanged();
}

void Application::setCurrentNetworkInterface(const QString& value)
{
    if (m_currentNetworkInterface == value)
        return;
    m_currentNetworkInterface = value;
    emit currentNetworkInterfaceChanged();
}

void Application::setIsClosing(bool value)
{
    if (m_isClosing.exchange(value) != value)
        emit isClosingChanged();
}

void Application::setIsAmbrel(bool value)
{
    if (m_isAmbrel.exchange(value) != value)
        emit isAmbrelChanged();
}

void Application::setIsAmbrelSynchronized(bool value)
{
    if (m_isAmbrelSynchronized.exchange(value) != value)
        emit enabledSyncGPSChanged();
}

void Application::setIsInTestMenu(bool value)
{
    if (m_isInTestMenu.exchange(value) != value)
        emit isInTestMenuChanged();
}

QString Application::displayboardOutput() const
{
    QMutexLocker locker(&m_textMutex);
    return m_displayboardOutput;
}

void Application::setDisplayboardOutput(const QString& value)
{
    {
        QMutexLocker locker(&m_textMutex);
        if (m_displayboardOutput == value)
            return;
        m_displayboardOutput = value;
    }
    emit displayboardOutputChanged();
}

QString Application::logString() const
{
    QMutexLocker locker(&m_textMutex);
    return m_logString;
}

void Application::setLogString(const QString& value)
{
    {
        QMutexLocker locker(&m_textMutex);
        if (m_logString == value)
            return;
        m_logString = value;
    }
    emit logStringChanged();
}

void Application::appendLogString(const QString& entry)
{
    {
        QMutexLocker locker(&m_textMutex);
        m_logString += entry;
    }
    emit logStringChanged();
}

void Application::showInfoMessage(const QString& text, int time, const QString& color)
{
    // With screens to come, a notice waits until they listen.
    if (m_engine && !m_screensListen) {
        Utils::holdInfoMessage(text, time, color);
        return;
    }
    emit m_infoBarMessage.showInfoMessage(text, time, color);
}

void Application::countDownSoftwareTimers()
{
    for (TimerSoftware& timer : m_timerSoftware)
        timer.countDown();
}

QMetaObject::Connection Application::quitOnClosing(QEventLoop* loop)
{
    return connect(this, &Application::isClosingChanged, loop, &QEventLoop::quit, Qt::DirectConnection);
}

} // namespace Vl::Tavix3::UI
