// The run screen on the real start-light engine: its own icons start, pause and stop a MANUAL
// sequence as the operator uses them.
#include "app/application.h"
#include "mainwindowfixture.h"
#include "sequence/displayboard.h"
#include "sequence/sema.h"
#include "sequence/semaenum.h"
#include "testsupport/boardpixels.h"
#include "testsupport/testmain.h"

#include <QQuickItem>
#include <QTest>

#include <memory>

using namespace Vl::Tavix3::UI;

class TestRunScreenWithEngine : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void manualStartPauseAndStopFromTheIcons();

private:
    QString subtitle(QQuickItem* screen) const { return screen->property("formSubTitle").toString(); }

    std::unique_ptr<MainWindowFixture> m_fixture;
};

void TestRunScreenWithEngine::init() { m_fixture = std::make_unique<MainWindowFixture>(); }

void TestRunScreenWithEngine::cleanup() { m_fixture.reset(); }

void TestRunScreenWithEngine::manualStartPauseAndStopFromTheIcons()
{
    Application* app = m_fixture->app();
    Sema* sema = app->sema();
    sema->setSequenceMode(SemaEnum::SEQUENCE_MODE_MANUAL);
    // Opened as the sequence menu opens it.
    QQuickItem* screen = m_fixture->openScreen(QStringLiteral("qrc:/menu/HandleSequence.qml"),
        { { QStringLiteral("objectName"), QStringLiteral("0") }, { QStringLiteral("formTitle"), QStringLiteral("ALPINE SKI") },
            { QStringLiteral("formParam"), QString() }, { QStringLiteral("pageSource"), QString() } });
    QVERIFY(screen);
    QCOMPARE(screen->property("page").toInt(), 2);
    QCOMPARE(sema->getSequenceType(), SemaEnum::SEMA_SEQUENCE_ALPINE_SKI);
    QVERIFY(sema->sequenceStatus());
    QVERIFY(sema->isOff());
    QVERIFY(app->isInTimingMenu());
    QCOMPARE(subtitle(screen), QStringLiteral("PAUSE"));
    QQuickItem* start = MainWindowFixture::findItem(screen, QStringLiteral("rightTouch"));
    QQuickItem* countdown = MainWindowFixture::findItem(screen, QStringLiteral("txtSemaTime"));

    // OK: the operator start; the countdown runs and shows.
    m_fixture->tap(start);
    QTRY_VERIFY(!sema->isOff());
    QVERIFY(sema->sequenceStatus());
    QVERIFY(!sema->nextStartTime().isEmpty());
    QCOMPARE(subtitle(screen), QStringLiteral("RUNNING"));
    QTRY_VERIFY(!countdown->property("text").toString().isEmpty());

    // Pause: armed again, lights off; OK starts a new countdown.
    m_fixture->tap(start);
    QTRY_VERIFY(sema->isOff());
    QVERIFY(sema->sequenceStatus());
    QCOMPARE(subtitle(screen), QStringLiteral("PAUSE"));
    m_fixture->tap(start);
    QTRY_VERIFY(!sema->isOff());

    // Close: leaving stops the sequence and clears the board.
    m_fixture->tap(MainWindowFixture::findItem(screen, QStringLiteral("leftTouch")));
    m_fixture->waitForStack();
    QVERIFY(m_fixture->currentScreen() != screen);
    QVERIFY(!sema->sequenceStatus());
    QVERIFY(!app->isInTimingMenu());
    QVERIFY(TestSupport::isBlankBoard(app->displayboard()->pixels()));
    QCOMPARE(MainWindowFixture::warnings(), QStringList());
}

VANTOR_TEST_CLASS(TestRunScreenWithEngine)
#include "tst_runscreenwithengine.moc"
