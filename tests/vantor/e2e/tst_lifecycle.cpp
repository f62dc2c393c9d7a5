#include "testsupport/testmain.h"
#include "vantorprocess.h"

#include <QFile>
#include <QSettings>
#include <QTest>

#include <csignal>

// The real program: it starts in an empty home, writes its diagnostic log and settings,
// survives SIGTERM as the device does, and a killed run leaves its unclean exit recorded.
class TestLifecycle : public QObject
{
    Q_OBJECT

private slots:
    void startsLogsAndPersists();
};

void TestLifecycle::startsLogsAndPersists()
{
    VantorProcess vantor;
    QVERIFY2(vantor.start(), qPrintable(vantor.output()));
    QVERIFY(vantor.log().contains(QStringLiteral("|init||Version: 1.2.34")));
    QVERIFY(QFile::exists(VantorProcess::settingsPath()));
    {
        QSettings settings(VantorProcess::settingsPath(), QSettings::IniFormat);
        QCOMPARE(settings.value(QStringLiteral("ApplicationCorrectlyClosed")).toBool(), false);
        QCOMPARE(settings.value(QStringLiteral("Version")).toString(), QStringLiteral("1.2.34"));
    }

    vantor.signal(SIGTERM);
    QVERIFY(vantor.waitForLog(QStringLiteral("|SIGTERM")));
    QTest::qWait(200);
    QVERIFY(vantor.isRunning());

    vantor.kill();
    QSettings settings(VantorProcess::settingsPath(), QSettings::IniFormat);
    QCOMPARE(settings.value(QStringLiteral("ApplicationCorrectlyClosed")).toBool(), false);
}

VANTOR_TEST_CLASS(TestLifecycle)
#include "tst_lifecycle.moc"
