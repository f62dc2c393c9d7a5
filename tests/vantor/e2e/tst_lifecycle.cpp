#include "remoteclient.h"
#include "testsupport/testmain.h"
#include "vantorprocess.h"

#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QRegularExpression>
#include <QSettings>
#include <QTcpSocket>
#include <QTest>

#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>

// The real program: it starts in an empty home, writes its diagnostic log and settings,
// survives SIGTERM as the device does, keeps answering through a storm of SIGINTs, a killed
// run leaves its unclean exit recorded, and a fatal signal leaves its name and trace in the log.
class TestLifecycle : public QObject
{
    Q_OBJECT

private slots:
    void startsLogsAndPersists();
    void keepsAnsweringThroughASigintStorm();
    void fatalSignalIsRecordedInTheLog();
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

// Signals interrupt whatever Vantor's threads do at that moment (allocating, logging, answering
// clients); none of it may be left waiting.
void TestLifecycle::keepsAnsweringThroughASigintStorm()
{
    constexpr int kSignals = 1500;
    VantorProcess vantor;
    QVERIFY2(vantor.start(), qPrintable(vantor.output()));
    RemoteClient client;
    QVERIFY(client.connectToServer()); // the server is listening

    std::atomic<bool> stop { false };
    std::atomic<int> answers { 0 };
    // A client that keeps a few requests outstanding the whole time.
    auto flood = [&stop, &answers]() {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, 21967);
        if (!socket.waitForConnected(5000))
            return;
        const QByteArray request = RemoteClient::frame(QStringLiteral("GetVersionNumber"));
        while (!stop) {
            socket.write(request + request + request);
            socket.waitForBytesWritten(100);
            if (socket.waitForReadyRead(100))
                answers += socket.readAll().count('\x02');
        }
    };
    std::thread first(flood);
    std::thread second(flood);
    for (int i = 0; i < kSignals && vantor.isRunning(); ++i) {
        vantor.signal(SIGINT);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    stop = true;
    first.join();
    second.join();
    QVERIFY(answers > 0);

    QVERIFY(vantor.isRunning());
    // This client has heard the flood's answers too; it looks for the answers to its own request.
    client.send(
        RemoteClient::frame(QStringLiteral("GetVersionNumber"), { QJsonObject() }, QStringLiteral("after-storm")));
    QVERIFY(
        !client
             .waitForMessage([](const QByteArray& message) { return message.contains("\"ID\":\"after-storm\""); }, 20000)
             .isEmpty());
    QVERIFY(!client
                 .waitForMessage(
                     [](const QByteArray& message) { return message.contains("\"VersionNumber\":\"1.2.34\""); }, 20000)
                 .isEmpty());
    QVERIFY(vantor.waitForLog(QStringLiteral("|SIGINT")));
}

// The log of a first start is removed once the start-up has seen the new version and then
// written anew: the record still reaches the file, after the program's last lines.
void TestLifecycle::fatalSignalIsRecordedInTheLog()
{
    QFile::remove(VantorProcess::settingsPath()); // a first start, in a home other tests used
    QFile::remove(VantorProcess::logPath());
    VantorProcess vantor;
    QVERIFY2(vantor.start(), qPrintable(vantor.output()));
    vantor.signal(SIGSEGV);
    QTRY_VERIFY_WITH_TIMEOUT(!vantor.isRunning(), 20000);
    QVERIFY(vantor.crashed());
    const QStringList lines = vantor.log().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const int record = lines.indexOf(QRegularExpression(QStringLiteral("^DEBUG\\|[-0-9 :.]{23}\\|handleFault\\|\\|SIGSEGV$")));
    QVERIFY2(record > 0, qPrintable(vantor.log()));
    QVERIFY2(lines.at(0).contains(QStringLiteral("Version: 1.2.34")), qPrintable(lines.at(0)));
    // The kernel gives a signal sent to the process to any of its threads: the trace is that
    // thread's, its frames in files of the program or its libraries (code made at run time has none).
    const QRegularExpression frame(QStringLiteral(
        "^DEBUG\\|[-0-9 :.]{23}\\|handleFault\\|\\|(\\d+)# 0x[0-9a-f]+(?: in (.+)\\+0x[0-9a-f]+)?$"));
    int inModules = 0;
    for (int i = record + 1; i < lines.size(); ++i) {
        const QRegularExpressionMatch match = frame.match(lines.at(i));
        QVERIFY2(match.hasMatch(), qPrintable(lines.at(i)));
        QCOMPARE(match.captured(1).toInt(), i - record - 1);
        if (!match.captured(2).isEmpty()) {
            QVERIFY2(QFileInfo(match.captured(2)).isFile(), qPrintable(lines.at(i)));
            ++inModules;
        }
    }
    QVERIFY2(inModules > 0, qPrintable(vantor.log()));
}

VANTOR_TEST_CLASS(TestLifecycle)
#include "tst_lifecycle.moc"
