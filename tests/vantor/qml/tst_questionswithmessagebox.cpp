// The operator's questions on the real message box, asked from where the operator asks them: quit
// from the window's close button, delete the logs from the export screen, reset the settings from
// the main menu. "Yes" does it, "No" leaves everything as it was.
#include "app/application.h"
#include "events/eventslog.h"
#include "mainwindowfixture.h"
#include "testsupport/testmain.h"

#include <QDir>
#include <QFile>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace Vl::Tavix3::UI;

class TestQuestionsWithMessageBox : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void quitFromTheCloseButton_data() { answers(); }
    void quitFromTheCloseButton();
    void deleteLogsFromTheExportScreen_data() { answers(); }
    void deleteLogsFromTheExportScreen();
    void resetFromTheMainMenu_data() { answers(); }
    void resetFromTheMainMenu();

private:
    static void answers();

    std::unique_ptr<MainWindowFixture> m_fixture;
};

void TestQuestionsWithMessageBox::answers()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes") << int(Qt::Key_F2) << true;
    QTest::newRow("No") << int(Qt::Key_F3) << false;
}

void TestQuestionsWithMessageBox::init() { m_fixture = std::make_unique<MainWindowFixture>(); }

void TestQuestionsWithMessageBox::cleanup()
{
    // The settings outlive the fixture: the tests after this one start from the defaults.
    m_fixture->app()->setDateFormat(0);
    m_fixture->app()->setDisplayboardMode(0);
    m_fixture.reset();
}

void TestQuestionsWithMessageBox::quitFromTheCloseButton()
{
    QFETCH(int, key);
    QFETCH(bool, yes);
    QQmlApplicationEngine* engine = m_fixture->app()->engine();
    // Ending the test program's own event loops is not part of the test.
    QObject::disconnect(engine, SIGNAL(quit()), nullptr, nullptr);
    QSignalSpy quit(engine, &QQmlEngine::quit);
    m_fixture->answerNextBox(key);
    m_fixture->window()->close();
    QCOMPARE(m_fixture->answeredHeader(), QStringLiteral("Quit from Vantor\nAre you sure?"));
    QCOMPARE(m_fixture->app()->isClosing(), yes);
    QCOMPARE(m_fixture->window()->isVisible(), !yes);
    QTRY_COMPARE(quit.size(), yes ? 1 : 0);
    QCOMPARE(MainWindowFixture::warnings(), QStringList());
}

void TestQuestionsWithMessageBox::deleteLogsFromTheExportScreen()
{
    QFETCH(int, key);
    QFETCH(bool, yes);
    const QString older = m_fixture->app()->appDataPath() + QStringLiteral("/Events_2020-01-01_10.00.00.log");
    QFile file(older);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(EventsLog::headerLine().toUtf8() + "\n");
    file.close();
    QQuickItem* screen = m_fixture->openScreen(QStringLiteral("qrc:/menu/Export.qml"),
        { { QStringLiteral("objectName"), QStringLiteral("ExportLog") }, { QStringLiteral("formTitle"), QStringLiteral("EXPORT LOG") } });
    QVERIFY(screen);
    m_fixture->answerNextBox(key);
    m_fixture->tap(MainWindowFixture::findItem(screen, QStringLiteral("deleteTouch")));
    QTRY_COMPARE(m_fixture->answeredHeader(), QStringLiteral("Delete log files\nAre you sure?"));
    QTRY_COMPARE(m_fixture->mainItem()->property("messageBoxListCounter").toInt(), 0);
    m_fixture->app()->eventsLog().waitForWritten();
    QCOMPARE(QFile::exists(older), !yes);
    // This run's log goes on either way.
    QVERIFY(QFile::exists(m_fixture->app()->eventsLog().fileName()));
    QFile::remove(older);
    QCOMPARE(MainWindowFixture::warnings(), QStringList());
}

void TestQuestionsWithMessageBox::resetFromTheMainMenu()
{
    QFETCH(int, key);
    QFETCH(bool, yes);
    Application* app = m_fixture->app();
    app->setDateFormat(1);
    app->setDisplayboardMode(1);
    // Past the language question of a first start, on the main menu.
    QMetaObject::invokeMethod(m_fixture->window(), "popToFirstScreen");
    QQuickItem* menu = m_fixture->currentScreen();
    QCOMPARE(menu->objectName(), QStringLiteral("initialPage"));
    // The entry is on the main menu's second page (the operator swipes to it).
    menu->property("view").value<QObject*>()->setProperty("currentIndex", 1);
    QQuickItem* entry = nullptr;
    QTRY_VERIFY((entry = MainWindowFixture::findItem(menu, QStringLiteral("menuIcon_ResetToDefault"))));
    // Once the page has moved in and come to rest: on screen, and where it was at the last look.
    qreal lastX = -1;
    const auto atRestOnScreen = [this, entry, &lastX]() {
        const qreal x = entry->mapToItem(m_fixture->window()->contentItem(), QPointF()).x();
        const bool resting = x == lastX;
        lastX = x;
        return resting && x >= 0 && x + entry->width() <= m_fixture->window()->width();
    };
    QTRY_VERIFY_WITH_TIMEOUT(atRestOnScreen(), 20000);
    m_fixture->answerNextBox(key);
    m_fixture->tap(entry);
    QTRY_COMPARE(m_fixture->answeredHeader(), QStringLiteral("Reset to default\nAre you sure?"));
    QTRY_COMPARE(m_fixture->mainItem()->property("messageBoxListCounter").toInt(), 0);
    QCOMPARE(app->dateFormat(), yes ? 0 : 1);
    QCOMPARE(app->displayboardMode(), yes ? 0 : 1);
    QCOMPARE(m_fixture->currentScreen(), menu);
    QCOMPARE(MainWindowFixture::warnings(), QStringList());
}

VANTOR_TEST_CLASS(TestQuestionsWithMessageBox)
#include "tst_questionswithmessagebox.moc"
