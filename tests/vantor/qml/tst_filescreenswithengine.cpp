// The file choosers and the starting-list viewer on the real start-light engine and message box:
// a sequence file opens the run screen for it, a starting list is shown as stored, installed with
// a tap, or refused with the engine's reason in a message box.
#include "app/application.h"
#include "mainwindowfixture.h"
#include "sequence/filesystemproxymodel.h"
#include "sequence/sema.h"
#include "sequence/semaenum.h"
#include "testsupport/testmain.h"

#include <QDir>
#include <QFile>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

#include <memory>

using namespace Vl::Tavix3::UI;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestFileScreensWithEngine : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void sequenceFileOpensTheRunScreen();
    void startingListIsViewedAndInstalled();
    void refusedStartingListShowsTheReason();

private:
    QQuickItem* openChooser(const QString& url, const QString& objectName);
    QQuickItem* icon(QQuickItem* screen, const QString& name) const
    {
        return MainWindowFixture::findItem(screen, QStringLiteral("menuIcon_") + name);
    }

    std::unique_ptr<MainWindowFixture> m_fixture;
    QString m_custom;
};

void TestFileScreensWithEngine::init()
{
    m_custom = FileSystemProxyModel::getCustomFolderPath();
    QDir(m_custom).removeRecursively();
    QDir().mkpath(m_custom);
    m_fixture = std::make_unique<MainWindowFixture>();
}

void TestFileScreensWithEngine::cleanup()
{
    m_fixture.reset();
    QDir(m_custom).removeRecursively();
}

QQuickItem* TestFileScreensWithEngine::openChooser(const QString& url, const QString& objectName)
{
    QQuickItem* screen = m_fixture->openScreen(url,
        { { QStringLiteral("objectName"), objectName }, { QStringLiteral("formTitle"), QStringLiteral("CUSTOM") },
            { QStringLiteral("formParam"), QStringLiteral("custom") }, { QStringLiteral("pageSource"), QString() } });
    // The folder is read in the background.
    if (screen && !QTest::qWaitFor([screen]() { return screen->property("modelCount").toInt() == 1; }))
        return nullptr;
    return screen;
}

void TestFileScreensWithEngine::sequenceFileOpensTheRunScreen()
{
    const QString path = m_custom + QStringLiteral("/alpha.json");
    writeFile(path,
        R"({"SequenceName":"Alpha","SequenceId":"A-1","Sequence":[)"
        R"({"Time":-5,"Color":1,"Sound":1,"IsFalseStartWindow":false},)"
        R"({"Time":0,"Color":3,"Sound":3,"IsFalseStartWindow":true}]})");
    Sema* sema = m_fixture->app()->sema();
    sema->setSequenceMode(SemaEnum::SEQUENCE_MODE_MANUAL);
    QQuickItem* chooser = openChooser(QStringLiteral("qrc:/menu/Import.qml"), QStringLiteral("importCustom"));
    QVERIFY(chooser);
    QTRY_VERIFY(icon(chooser, path));
    m_fixture->tap(icon(chooser, path));
    QTRY_VERIFY(m_fixture->currentScreen() != chooser);
    QQuickItem* run = m_fixture->currentScreen();
    QVERIFY(run->property("isRunScreen").toBool());
    QCOMPARE(run->property("formTitle").toString(), QStringLiteral("Alpha"));
    QCOMPARE(sema->getSequenceType(), SemaEnum::SEMA_SEQUENCE_CUSTOM);
    QCOMPARE(sema->getSelectedSequenceName(), QStringLiteral("Alpha"));
    QCOMPARE(sema->getListIntervalTime(SemaEnum::SEMA_SEQUENCE_CUSTOM), (QVariantList { qlonglong(-5), qlonglong(0) }));
    QVERIFY(sema->sequenceStatus());
    m_fixture->menuPressed();
    QCOMPARE(m_fixture->currentScreen(), chooser);
    QVERIFY(!sema->sequenceStatus());
    QCOMPARE(MainWindowFixture::warnings(), QStringList());
}

void TestFileScreensWithEngine::startingListIsViewedAndInstalled()
{
    const QString path = m_custom + QStringLiteral("/race.json");
    writeFile(path,
        R"({"StartingListName":"Race A","StartingListId":"a","StartingList":[)"
        R"({"BibNumber":12,"Time":"23:59:00"},{"BibNumber":14,"Time":"23:59:30","Date":"31/12/2099"}]})");
    Sema* sema = m_fixture->app()->sema();
    QQuickItem* chooser
        = openChooser(QStringLiteral("qrc:/menu/ImportStartingList.qml"), QStringLiteral("ImportStartingListForm"));
    QVERIFY(chooser);
    QTRY_VERIFY(icon(chooser, QStringLiteral("ReadStartingList")));
    QQuickItem* entry = icon(chooser, QStringLiteral("ReadStartingList"));

    // A long press shows the entries as the file holds them, without installing the list.
    entry->setProperty("longPressTime", 50);
    const QPoint centre = entry->mapToScene(QPointF(entry->width() / 2, entry->height() / 2)).toPoint();
    QTest::mousePress(m_fixture->window(), Qt::LeftButton, Qt::NoModifier, centre);
    // Held until the long-press timer has fired, however slowly the event loop turns.
    QObject* longPressTimer = entry->property("longPressTimer").value<QObject*>();
    QVERIFY(longPressTimer);
    QTRY_VERIFY_WITH_TIMEOUT(!longPressTimer->property("running").toBool(), 20000);
    QTest::mouseRelease(m_fixture->window(), Qt::LeftButton, Qt::NoModifier, centre);
    QTRY_COMPARE(m_fixture->currentScreen()->objectName(), path);
    QQuickItem* viewer = m_fixture->currentScreen();
    QTRY_COMPARE(viewer->property("modelCount").toInt(), 2);
    QTRY_VERIFY(MainWindowFixture::findItem(viewer, QStringLiteral("start1")));
    QQuickItem* second = MainWindowFixture::findItem(viewer, QStringLiteral("start1"));
    QCOMPARE(MainWindowFixture::findItem(second, QStringLiteral("bibText"))->property("text").toString(),
        QStringLiteral("Num 14"));
    QCOMPARE(MainWindowFixture::findItem(second, QStringLiteral("timeText"))->property("text").toString(),
        QStringLiteral("23:59:30"));
    QCOMPARE(MainWindowFixture::findItem(second, QStringLiteral("dateText"))->property("text").toString(),
        QStringLiteral("31/12/2099"));
    QVERIFY(sema->startListName().isEmpty());
    m_fixture->menuPressed();
    QCOMPARE(m_fixture->currentScreen(), chooser);

    // A tap installs it and goes back.
    m_fixture->tap(icon(chooser, QStringLiteral("ReadStartingList")));
    QTRY_COMPARE(sema->startListName(), QStringLiteral("Race A"));
    QTRY_VERIFY(m_fixture->currentScreen() != chooser);
    QCOMPARE(MainWindowFixture::warnings(), QStringList());
}

void TestFileScreensWithEngine::refusedStartingListShowsTheReason()
{
    writeFile(m_custom + QStringLiteral("/bad.json"),
        R"({"StartingListName":"Bad","StartingListId":"b","StartingList":[{"BibNumber":1,"Time":"25:00:00"}]})");
    Sema* sema = m_fixture->app()->sema();
    QQuickItem* chooser
        = openChooser(QStringLiteral("qrc:/menu/ImportStartingList.qml"), QStringLiteral("ImportStartingListForm"));
    QVERIFY(chooser);
    QTRY_VERIFY(icon(chooser, QStringLiteral("ReadStartingList")));

    m_fixture->answerNextBox(Qt::Key_Escape);
    m_fixture->tap(icon(chooser, QStringLiteral("ReadStartingList")));
    QTRY_COMPARE(m_fixture->answeredHeader(), QStringLiteral("Error to set time"));
    QTRY_COMPARE(m_fixture->mainItem()->property("messageBoxListCounter").toInt(), 0);
    QCOMPARE(m_fixture->currentScreen(), chooser);
    QVERIFY(sema->startListName().isEmpty());
    QCOMPARE(MainWindowFixture::warnings(), QStringList());
}

VANTOR_TEST_CLASS(TestFileScreensWithEngine)
#include "tst_filescreenswithengine.moc"
