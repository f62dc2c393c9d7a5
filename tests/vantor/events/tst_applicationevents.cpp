#include "app/application.h"
#include "app/startup.h"
#include "core/orvaneenum.h"
#include "core/sharedapplication.h"
#include "events/handleevents.h"
#include "testsupport/testmain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QUrl>

#include <memory>

using namespace Vl::Tavix3::UI;

namespace {
constexpr qint64 T = 85984560000000;

TuMessages::EventInput makeInput(int channel, qint64 ticks, TuMessages::EventEdgeType edge)
{
    TuMessages::EventInput input;
    input.set_eventid(EVENT_ID_NONE);
    input.set_ticks(ticks);
    input.set_type(static_cast<TuMessages::EventType>(channel));
    input.set_edge(edge);
    return input;
}
} // namespace

// The event worker inside the application object: the signals it publishes on, the shared
// flags, the Bluetooth list, the worker's life cycle and the events log behind the application.
class TestApplicationEvents : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void publishesOnTheApplication();
    void captureClearsTheApplicationFlag();
    void btConnectionsLiveInTheApplication();
    void workerLifeCycle();
    void generatorReachesTheEngineSignal();
    void eventRecordsReachTheLog();
    void refusedDeletionKeepsTheLogs();
    void exportSaysDoneOnlyWhenEverythingWasCopied();
    void unwritableLogAtStartIsToldInTheScreensLanguage();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QSharedPointer<Application> m_application;
};

void TestApplicationEvents::init()
{
    m_dir = std::make_unique<QTemporaryDir>(TestSupport::testRoot() + QStringLiteral("/app-XXXXXX"));
    QVERIFY(m_dir->isValid());
    m_application = QSharedPointer<Application>::create(nullptr, nullptr, m_dir->path(), nullptr);
    setSharedApplication(m_application);
}

void TestApplicationEvents::cleanup()
{
    if (m_application) {
        m_application->setIsClosing(true);
        m_application->closeHandleEventsThread();
    }
    resetSharedApplication();
    m_application.reset();
    m_dir.reset();
}

void TestApplicationEvents::publishesOnTheApplication()
{
    HandleEvents worker;
    QSignalSpy spy(m_application.data(), &Application::eventReceived);
    worker.eventInputReceived(makeInput(3, T + 7, TuMessages::EDGE_FALLING));
    worker.eventInputReceived(makeInput(3, T + 100, TuMessages::EDGE_RISING));
    QCOMPARE(spy.count(), 2);
    const auto falling = spy.at(0).at(0).value<EntityPtr<Event>>();
    QVERIFY(falling);
    QCOMPARE(falling->physicalChannel, qint64(3));
    QCOMPARE(falling->ticks, T + 5);
    QCOMPARE(spy.at(0).at(1).toBool(), true);
    QCOMPARE(spy.at(1).at(1).toBool(), false);

    // Without the application object inputs are dropped.
    resetSharedApplication();
    worker.eventInputReceived(makeInput(3, T + 100000, TuMessages::EDGE_FALLING));
    QCOMPARE(spy.count(), 2);
}

void TestApplicationEvents::captureClearsTheApplicationFlag()
{
    HandleEvents worker;
    QSignalSpy events(m_application.data(), &Application::eventReceived);
    QSignalSpy synchro(m_application.data(), &Application::synchroEvent);
    QSignalSpy flag(m_application.data(), &Application::isCheckSynchroChanged);
    m_application->setIsCheckSynchro(true);
    worker.eventInputReceived(makeInput(5, T + 3, TuMessages::EDGE_FALLING));
    QCOMPARE(synchro.count(), 1);
    QCOMPARE(synchro.at(0).at(0).toUInt(), 5u);
    QCOMPARE(synchro.at(0).at(1).toLongLong(), T + 3);
    QVERIFY(!m_application->isCheckSynchro());
    QCOMPARE(flag.count(), 2); // set, then cleared by the capture
    QCOMPARE(events.count(), 0);

    // A second request is a second capture; without a request the edge is an event.
    m_application->setIsTestSynchro(true);
    worker.eventInputReceived(makeInput(5, T + 100003, TuMessages::EDGE_FALLING));
    QVERIFY(!m_application->isTestSynchro());
    worker.eventInputReceived(makeInput(5, T + 200003, TuMessages::EDGE_FALLING));
    QCOMPARE(synchro.count(), 2);
    QCOMPARE(events.count(), 1);

    QVERIFY(!m_application->takeIsCheckSynchro());
    m_application->setIsCheckSynchro(true);
    QVERIFY(m_application->takeIsCheckSynchro());
    QVERIFY(!m_application->takeIsCheckSynchro());
}

void TestApplicationEvents::btConnectionsLiveInTheApplication()
{
    HandleEvents worker;
    TuMessages::EventBTConnect message;
    message.set_eventid(1);
    message.set_ticks(T);
    message.set_device_address("00:11:22:33:44:55");
    worker.onEventBTConnectReceived(message);
    worker.onEventBTConnectReceived(message);
    QMutexLocker locker(&m_application->btConnectionsMutex());
    QCOMPARE(m_application->btConnections().size(), 1);
    QCOMPARE(m_application->btConnections().at(0).connectTicks, T);
}

void TestApplicationEvents::workerLifeCycle()
{
    // Suspend and resume without a worker do nothing.
    m_application->suspendEventsThread();
    m_application->resumeEventsThread();
    QVERIFY(!m_application->handleEvents());

    m_application->restartHandleEventsThread();
    HandleEvents* worker = m_application->handleEvents();
    QVERIFY(worker);
    QCOMPARE(worker->thread()->objectName(), QStringLiteral("HandleEvents thread"));

    // A running worker is never replaced.
    m_application->restartHandleEventsThread();
    QCOMPARE(m_application->handleEvents(), worker);

    m_application->suspendEventsThread();
    QVERIFY(worker->isPaused());
    m_application->resumeEventsThread();
    QVERIFY(!worker->isPaused());

    m_application->closeHandleEventsThread();
    QVERIFY(!m_application->handleEvents());
    m_application->suspendEventsThread();
    m_application->resumeEventsThread();
    m_application->closeHandleEventsThread();

    m_application->restartHandleEventsThread();
    QVERIFY(m_application->handleEvents());
    m_application->closeHandleEventsThread();

    // No new worker while the program closes.
    m_application->setIsClosing(true);
    m_application->restartHandleEventsThread();
    QVERIFY(!m_application->handleEvents());
}

void TestApplicationEvents::generatorReachesTheEngineSignal()
{
    QList<QPair<EntityPtr<Event>, bool>> received;
    connect(
        m_application.data(), &Application::eventReceived, this,
        [&received](const QVariant& event, bool isFalling) {
            received.append({ event.value<EntityPtr<Event>>(), isFalling });
        },
        Qt::QueuedConnection);
    m_application->restartHandleEventsThread();
    QVERIFY(m_application->handleEvents());

    // The worker connects to the generator when its thread has started.
    QTRY_VERIFY_WITH_TIMEOUT(
        [&]() {
            m_application->eventGenerator()->generateEvent(EventGenerator::EVT_GEN_TYPE_START_KEY, false);
            QTest::qWait(20);
            return !received.isEmpty();
        }(),
        5000);
    QCOMPARE(received.first().first->physicalChannel, qint64(5));
    QCOMPARE(received.first().second, false);
}

void TestApplicationEvents::eventRecordsReachTheLog()
{
    auto event = EntityPtr<Event>::create();
    event->ticks = 85985280000000 + 2266939500; // 30/06/2024 12:35:38.7900
    event->physicalChannel = 9;
    event->isAuto = true;
    m_application->writeEventRecord(event);
    // The date follows the date format in force when the record is handed over.
    m_application->setDateFormat(OrvaneEnum::DATE_FORMAT_MM_DD_YYYY);
    m_application->writeEventRecord(event);
    m_application->eventsLog().waitForWritten();
    QFile file(m_application->eventsLog().fileName());
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromLocal8Bit(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.at(1), event->id + QStringLiteral(";0;9;12:35:38.7900;30/06/2024;1;0;0"));
    QCOMPARE(lines.at(2), event->id + QStringLiteral(";0;9;12:35:38.7900;06/30/2024;1;0;0"));
}

void TestApplicationEvents::refusedDeletionKeepsTheLogs()
{
    const QString fileName = m_application->eventsLog().fileName();
    auto event = EntityPtr<Event>::create();
    m_application->writeEventRecord(event);

    QString askedTitle;
    m_application->setConfirmationHandler([&askedTitle](const QString& title) {
        askedTitle = title;
        return false;
    });
    m_application->deleteLogFiles();
    QCOMPARE(askedTitle, QStringLiteral("Delete log files"));
    m_application->writeEventRecord(EntityPtr<Event>::create());
    m_application->eventsLog().waitForWritten();
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QCOMPARE(QString::fromLocal8Bit(file.readAll()).count(QLatin1Char('\n')), 3);
    file.close();

    m_application->setConfirmationHandler([](const QString&) { return true; });
    m_application->deleteLogFiles();
    m_application->eventsLog().waitForWritten();
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QCOMPARE(QString::fromLocal8Bit(file.readAll()).count(QLatin1Char('\n')), 1);
}

void TestApplicationEvents::exportSaysDoneOnlyWhenEverythingWasCopied()
{
    QSignalSpy info(m_application->infoBarMessage(), &InfoBarMessage::showInfoMessage);
    const QString target = m_dir->path() + QStringLiteral("/export");
    QVERIFY(QDir().mkpath(target));
    m_application->exportLogFiles(QUrl::fromLocalFile(target).toString());
    QCOMPARE(info.count(), 1);
    QCOMPARE(info.at(0).at(0).toString(), QStringLiteral("DONE!"));
    QCOMPARE(info.at(0).at(2).toString(), QStringLiteral("#007743"));
    QVERIFY(QFile::exists(target + QLatin1Char('/') + QFileInfo(m_application->eventsLog().fileName()).fileName()));

    m_application->exportLogFiles(m_dir->path() + QStringLiteral("/missing"));
    QCOMPARE(info.count(), 2);
    QCOMPARE(info.at(1).at(0).toString(), QStringLiteral("Export failed"));
    // A failure is shown in the colour of failures, not in the green of success.
    QCOMPARE(info.at(1).at(2).toString(), QStringLiteral("#d12f2f"));
}

void TestApplicationEvents::unwritableLogAtStartIsToldInTheScreensLanguage()
{
    cleanup();
    initResources();
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Velmora"), QStringLiteral("Vantor"));
    store.setValue("CurrentLanguage", int(OrvaneEnum::LANGUAGE_DEU));
    store.setValue("Version", "1.2.34");
    store.sync();
    m_dir = std::make_unique<QTemporaryDir>(TestSupport::testRoot() + QStringLiteral("/app-XXXXXX"));
    // A plain file where the data folder should be: the log of this run cannot be opened.
    const QString dataPath = m_dir->path() + QStringLiteral("/data");
    {
        QFile blocker(dataPath);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Events log not opened: ")));
    m_application = QSharedPointer<Application>::create(nullptr, nullptr, dataPath, nullptr);
    setSharedApplication(m_application);
    QSignalSpy info(m_application->infoBarMessage(), &InfoBarMessage::showInfoMessage);
    QCOMPARE(info.count(), 0);
    // The notice waits for the screens, and comes in the language they show.
    m_application->init();
    QCOMPARE(info.count(), 1);
    QCOMPARE(info.at(0).at(0).toString(), QStringLiteral("Ereignislog nicht schreibbar"));
    QCOMPARE(info.at(0).at(2).toString(), QStringLiteral("#d12f2f"));

    store.remove("CurrentLanguage");
    store.sync();
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Events log line not written")));
    m_application->writeEventRecord(EntityPtr<Event>::create());
    m_application->eventsLog().waitForWritten();
    cleanup();
}

VANTOR_TEST_CLASS(TestApplicationEvents)
#include "tst_applicationevents.moc"
