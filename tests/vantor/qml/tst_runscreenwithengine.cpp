// The run screen on the real start-light engine: its own icons start, pause and stop a MANUAL
// sequence as the operator uses them.
#include "app/application.h"
#include "mainwindowfixture.h"
#include "sequence/displayboard.h"
#include "sequence/displayboardenum.h"
#include "sequence/sema.h"
#include "sequence/semaenum.h"
#include "testsupport/boardpixels.h"
#include "testsupport/testmain.h"
#include "time/datetime.h"

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
    void lampsGoDarkWithTheLightsAtTheOperatorStart();

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

// Armed in MANUAL with the off mode blinking red, OK pressed while the red is on: the board's lights
// go dark until the countdown's first light, and the screen's lamps with them.
void TestRunScreenWithEngine::lampsGoDarkWithTheLightsAtTheOperatorStart()
{
    // The test moves the clock and runs the ticks.
    qint64 now = DateTime::getDate() + 10 * DateTime::QH1;
    DateTime::setClock([&now] { return now; });
    Application* app = m_fixture->app();
    Sema* sema = app->sema();
    sema->setOffMode(SemaEnum::SEMA_OFF_MODE_BLINKING_RED);
    sema->setSequenceMode(SemaEnum::SEQUENCE_MODE_MANUAL);
    QQuickItem* screen = m_fixture->openScreen(QStringLiteral("qrc:/menu/HandleSequence.qml"),
        { { QStringLiteral("objectName"), QStringLiteral("0") },
            { QStringLiteral("formTitle"), QStringLiteral("ALPINE SKI") }, { QStringLiteral("formParam"), QString() },
            { QStringLiteral("pageSource"), QString() } });
    QVERIFY(screen);
    QVERIFY(sema->isOff());
    const QStringList lampNames { QStringLiteral("semaRed"), QStringLiteral("semaYellow"),
        QStringLiteral("semaGreen") };
    QList<QQuickItem*> lamps;
    for (const QString& name : lampNames) {
        lamps << MainWindowFixture::findItem(screen, name);
        QVERIFY(lamps.last());
    }
    const Displayboard* board = app->displayboard();

    // The first tick of the armed sequence lights the blinking red.
    now += DateTime::QSEC1 / 10;
    sema->sequenceTick(0);
    QCOMPARE(board->pixel(6, 11), int(DisplayboardEnum::DISP_COLOR_RED));
    QTRY_COMPARE(lamps.at(0)->opacity(), 1.0);

    m_fixture->tap(MainWindowFixture::findItem(screen, QStringLiteral("rightTouch")));
    QTRY_VERIFY(!sema->isOff());
    // The countdown waits for the next minute; its first light is 50 s away.
    QCOMPARE(board->pixel(4, 11), int(DisplayboardEnum::DISP_COLOR_OFF));
    QCOMPARE(board->pixel(6, 11), int(DisplayboardEnum::DISP_COLOR_OFF));
    for (QQuickItem* lamp : qAsConst(lamps)) {
        QTRY_COMPARE(lamp->property("isOn").toBool(), false);
        QTRY_COMPARE(lamp->opacity(), 0.0);
    }
    now += DateTime::QSEC1;
    sema->sequenceTick(0);
    QCOMPARE(lamps.at(0)->property("isOn").toBool(), false);
    QCOMPARE(MainWindowFixture::warnings(), QStringList());
    DateTime::resetClock();
}

VANTOR_TEST_CLASS(TestRunScreenWithEngine)
#include "tst_runscreenwithengine.moc"
