#include "testsupport/testmain.h"

#include <QProcess>
#include <QTest>

// Fault signals end the process after logging and printing a trace; SIGINT is logged and the
// program goes on.
class TestSignals : public QObject
{
    Q_OBJECT

private slots:
    void outcome_data();
    void outcome();
};

void TestSignals::outcome_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("crashes");
    QTest::addColumn<QString>("logged");
    QTest::newRow("segmentation fault") << "segv" << true << "SIGSEGV";
    QTest::newRow("floating-point signal") << "fpe" << true << "SIGFPE";
    QTest::newRow("interrupt") << "int" << false << "SIGINT";
}

void TestSignals::outcome()
{
    QFETCH(QString, mode);
    QFETCH(bool, crashes);
    QFETCH(QString, logged);
    QProcess probe;
    probe.setProcessChannelMode(QProcess::MergedChannels);
    probe.start(QStringLiteral(SIGNAL_PROBE), {mode});
    QVERIFY(probe.waitForFinished(15000));  // a handler that re-entered the fault would never end
    const QString output = QString::fromLocal8Bit(probe.readAll());
    QCOMPARE(probe.exitStatus() == QProcess::CrashExit, crashes);
    if (!crashes)
        QCOMPARE(probe.exitCode(), 7);
    QVERIFY2(output.contains(logged), qPrintable(output));
    QVERIFY2(output.contains(QStringLiteral("# ")), qPrintable(output));  // the stack trace
}

VANTOR_TEST_CLASS(TestSignals)
#include "tst_signals.moc"
