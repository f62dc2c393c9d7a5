#include "app/application.h"
#include "sequence/displayboard.h"
#include "sequence/sema.h"
#include "testsupport/applicationfixture.h"
#include "testsupport/testmain.h"
#include "time/datetime.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QThreadPool>

#include <atomic>

using namespace Vl::Tavix3::UI;

namespace {

constexpr qint64 kSecond = 50000;
constexpr qint64 kNoon = 12 * 3600 * kSecond;

} // namespace

// The engine on the application object's real outlets.
class TestEngineWiring : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void messageBoxIsQueued();
    void heldStartsReachTheEventsLogAtShutDown();

private:
    std::atomic<qint64> m_now { 0 };
};

void TestEngineWiring::init()
{
    m_now = DateTime::dateToTicks(DateParts { 10, 3, 2026 }) + kNoon - 20 * kSecond;
    DateTime::setClock([this] { return m_now.load(); });
}

void TestEngineWiring::cleanup() { DateTime::resetClock(); }

// The box waits in a nested event loop: it must never open inside the caller, which may hold
// the engine's lock.
void TestEngineWiring::messageBoxIsQueued()
{
    TestSupport::ApplicationFixture application;
    QSignalSpy box(application.get(), &Application::showMessageBox);
    Sema& sema = *application->sema();
    sema.setSequenceType(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI);
    sema.lock();
    sema.displayRepetitionTimeIsNotValid();
    QCOMPARE(box.count(), 0);
    sema.unlock();
    QTRY_COMPARE(box.count(), 1);
    QVERIFY(box.first().first().toString().startsWith(QStringLiteral("Repetition time is not valid")));
    QCOMPARE(box.first().at(1).toInt(), 2000);
}

void TestEngineWiring::heldStartsReachTheEventsLogAtShutDown()
{
    TestSupport::ApplicationFixture application;
    // Fixtures made within one second share a log file name: start from an empty log.
    application->eventsLog().removeAll();
    Sema& sema = *application->sema();
    sema.setDisplayboard(application->displayboard());
    sema.setSequenceType(SemaEnum::SEMA_SEQUENCE_ALPINE_SKI);
    sema.setSequenceMode(SemaEnum::SEQUENCE_MODE_AUTO);
    const qint64 day = DateTime::getDate();
    sema.setStartDate(QVariant(qlonglong(day)));
    sema.setStartTime(QVariant(qlonglong(kNoon)));
    sema.setRepetitionTime(QVariant(qlonglong(60 * kSecond)));
    sema.setSequenceStatus(true);
    QVERIFY(sema.sequenceStatus());
    while (m_now < day + kNoon + 2 * kSecond) {
        m_now += 5000;
        sema.sequenceTick(0);
    }
    QVERIFY(QThreadPool::globalInstance()->waitForDone(5000));
    auto start = EntityPtr<Event>::create();
    start->ticks = day + kNoon + 15000;
    start->physicalChannel = 1;
    emit application->eventReceived(QVariant::fromValue(start), true);

    application->aboutToQuit();
    application->eventsLog().waitForWritten();
    QFile file(application->eventsLog().fileName());
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    // The header, then the generated start and the real one, in time order.
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines.at(1).contains(QStringLiteral(";9;")));
    QVERIFY(lines.at(2).contains(QStringLiteral(";1;")));
}

VANTOR_TEST_CLASS(TestEngineWiring)
#include "tst_enginewiring.moc"
