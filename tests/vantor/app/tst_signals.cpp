#include "app/signalrelay.h"
#include "testsupport/testmain.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// How a probe run ended: the signal that ended it (0 when it exited) or its exit code, what it
// wrote to its standard output and error, and its diagnostic log.
struct Outcome
{
    bool finished = false;
    int signal = 0;
    int exitCode = -1;
    QString output;
    QString log;
};

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
}

Outcome runProbe(const QStringList& arguments, const QString& folder, int timeoutMs)
{
    Outcome outcome;
    const QByteArray outputFile = QFile::encodeName(folder + QStringLiteral("/probe-output.txt"));
    QList<QByteArray> storage { QByteArrayLiteral(SIGNAL_PROBE) };
    for (const QString& argument : arguments)
        storage << argument.toLocal8Bit();
    std::vector<char*> argv;
    for (QByteArray& argument : storage)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(
        &actions, STDOUT_FILENO, outputFile.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return outcome;

    int status = 0;
    for (int waited = 0; waited < timeoutMs; waited += 10) {
        if (::waitpid(pid, &status, WNOHANG) == pid) {
            outcome.finished = true;
            break;
        }
        QTest::qSleep(10);
    }
    if (!outcome.finished) {
        ::kill(pid, SIGKILL); // a handler that hangs would keep the probe forever
        ::waitpid(pid, &status, 0);
    } else if (WIFSIGNALED(status)) {
        outcome.signal = WTERMSIG(status);
    } else if (WIFEXITED(status)) {
        outcome.exitCode = WEXITSTATUS(status);
    }
    outcome.output = readText(QString::fromLocal8Bit(outputFile));
    if (QFileInfo(folder + QStringLiteral("/Vantor.log")).isFile())
        outcome.log = readText(folder + QStringLiteral("/Vantor.log"));
    return outcome;
}

// One frame of a trace: "3# 0x7f... in /path/module+0x4c61b".
struct Frame
{
    int number = -1;
    QString module;
    quint64 offset = 0;
};

const QString kTime = QStringLiteral("(\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3})");
const QString kFrame = QStringLiteral("(\\d+)# 0x[0-9a-f]+(?: in (.+)\\+0x([0-9a-f]+))?");

Frame frameOf(const QRegularExpressionMatch& match, int firstGroup)
{
    Frame frame;
    frame.number = match.captured(firstGroup).toInt();
    frame.module = match.captured(firstGroup + 1);
    frame.offset = match.captured(firstGroup + 2).toULongLong(nullptr, 16);
    return frame;
}

// The record a fatal signal left in the diagnostic log: the time of its name line and the frames
// of the lines that follow it, each a log line of its own.
struct Record
{
    QString time;
    QList<Frame> frames;
};

Record recordIn(const QString& log, const QString& signalName)
{
    Record record;
    const QRegularExpression nameLine(QStringLiteral("^DEBUG\\|") + kTime + QStringLiteral("\\|handleFault\\|\\|")
                                      + signalName + QLatin1Char('$'));
    const QRegularExpression frameLine(QStringLiteral("^DEBUG\\|") + kTime + QStringLiteral("\\|handleFault\\|\\|")
                                       + kFrame + QLatin1Char('$'));
    bool inRecord = false;
    for (const QString& line : log.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch name = nameLine.match(line);
        if (name.hasMatch()) {
            record.time = name.captured(1);
            inRecord = true;
            continue;
        }
        if (!inRecord)
            continue;
        const QRegularExpressionMatch frame = frameLine.match(line);
        if (!frame.hasMatch())
            break;
        record.frames << frameOf(frame, 2);
    }
    return record;
}

// The time of the log's first line.
QString timeOfFirstLine(const QString& log)
{
    const QRegularExpression line(QStringLiteral("^\\w+\\|") + kTime + QStringLiteral("\\|"));
    return line.match(log).captured(1);
}

// The function addr2line names at the module's offset.
QString functionAt(const QString& module, quint64 offset)
{
    QProcess addr2line;
    addr2line.start(QStringLiteral("addr2line"),
                    { QStringLiteral("-f"), QStringLiteral("-C"), QStringLiteral("-e"), module,
                      QStringLiteral("0x") + QString::number(offset, 16) });
    if (!addr2line.waitForFinished(60000))
        return QString();
    return QString::fromLocal8Bit(addr2line.readAllStandardOutput()).section(QLatin1Char('\n'), 0, 0);
}

// Standard output of this process, sent to a file while the object lives.
class CapturedOutput
{
public:
    explicit CapturedOutput(const QString& path)
        : m_path(path)
    {
        std::fflush(stdout);
        m_saved = ::dup(STDOUT_FILENO);
        const int file = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(file, STDOUT_FILENO);
        ::close(file);
    }
    ~CapturedOutput() { restore(); }

    QString text()
    {
        restore();
        return readText(m_path);
    }

private:
    void restore()
    {
        if (m_saved < 0)
            return;
        std::fflush(stdout);
        ::dup2(m_saved, STDOUT_FILENO);
        ::close(m_saved);
        m_saved = -1;
    }

    QString m_path;
    int m_saved = -1;
};

QStringList s_messages;

void collectMessage(QtMsgType, const QMessageLogContext&, const QString& message) { s_messages << message; }

} // namespace

// Fault signals end the process with that signal after leaving their record (name and trace) in
// the diagnostic log and on the console, even when they arrive while the allocator or the log is
// locked, when the thread has overflowed its stack, or inside a library loaded after start-up.
// SIGINT is logged on the main thread and the program goes on; storms of it cost one log line
// per signal and few traces.
class TestSignals : public QObject
{
    Q_OBJECT

private slots:
    void outcome_data();
    void outcome();
    void traceOffsetsLeadAddr2lineToTheFunctions();
    void sigintStormLogsEverySignalAndFewTraces();
};

void TestSignals::outcome_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("signal");
    QTest::addColumn<QString>("logged");
    // A module one of the frames of the record in the log lies in; empty: the log holds no record.
    QTest::addColumn<QString>("module");
    const QString probe = QStringLiteral("/signalprobe");
    const QString plugin = QFileInfo(QStringLiteral(CRASH_PLUGIN)).fileName().prepend(QLatin1Char('/'));
    QTest::newRow("segmentation fault") << "segv" << SIGSEGV << "SIGSEGV" << probe;
    QTest::newRow("floating-point signal") << "fpe" << SIGFPE << "SIGFPE" << probe;
    QTest::newRow("abort inside free with the allocator locked")
        << "abort-in-free" << SIGABRT << "SIGABRT" << QStringLiteral("/libc.so.6");
    // The log is a FIFO nobody reads: no record there, the console has it.
    QTest::newRow("abort while the log is locked") << "abort-log-locked" << SIGABRT << "SIGABRT" << QString();
    QTest::newRow("stack overflow on the main thread") << "overflow" << SIGSEGV << "SIGSEGV" << probe;
    QTest::newRow("stack overflow on a worker thread") << "overflow-thread" << SIGSEGV << "SIGSEGV" << probe;
    QTest::newRow("library loaded after start-up, then a log line")
        << "plugin-after-log" << SIGSEGV << "SIGSEGV" << plugin;
    QTest::newRow("library loaded after start-up, nothing logged")
        << "plugin-quiet" << SIGSEGV << "SIGSEGV" << plugin;
    QTest::newRow("log file removed and written anew") << "log-replaced" << SIGSEGV << "SIGSEGV" << probe;
    QTest::newRow("interrupt") << "int" << 0 << "SIGINT" << QString();
}

void TestSignals::outcome()
{
    QFETCH(QString, mode);
    QFETCH(int, signal);
    QFETCH(QString, logged);
    QFETCH(QString, module);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    // A handler that waits for a lock the interrupted code holds would never end.
    const Outcome outcome = runProbe({ mode, folder.path() }, folder.path(), 30000);
    const QString all = outcome.output + QStringLiteral("\n--- Vantor.log\n") + outcome.log;
    QVERIFY2(outcome.finished, qPrintable(all));
    QCOMPARE(outcome.signal, signal);
    if (signal == 0) {
        QCOMPARE(outcome.exitCode, 7);
        QVERIFY2(outcome.log.contains(QStringLiteral("|readSignals||SIGINT\n")), qPrintable(all));
    }
    QVERIFY2(outcome.output.contains(logged), qPrintable(all));
    QVERIFY2(outcome.output.contains(QStringLiteral("0# ")), qPrintable(all)); // the stack trace
    if (module.isEmpty())
        return;

    const Record record = recordIn(outcome.log, logged);
    QVERIFY2(!record.time.isEmpty(), qPrintable(all));
    QVERIFY2(!record.frames.isEmpty(), qPrintable(all));
    bool inModule = false;
    for (int i = 0; i < record.frames.size(); ++i) {
        QCOMPARE(record.frames.at(i).number, i);
        inModule = inModule || record.frames.at(i).module.endsWith(module);
    }
    QVERIFY2(inModule, qPrintable(all));
    // The record's time is local time, like the lines the log's own handler writes: not before
    // the probe's first line and not after the test saw the probe end.
    const QString started = timeOfFirstLine(outcome.log);
    QVERIFY2(!started.isEmpty(), qPrintable(all));
    QVERIFY2(started <= record.time, qPrintable(record.time + QStringLiteral(" < ") + started));
    const QString now = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
    QVERIFY2(record.time <= now, qPrintable(record.time + QStringLiteral(" > ") + now));
}

// The trace of a fault starts at the instruction that failed: addr2line names its function at
// the offset as written. Every later frame holds a return address, the instruction after a call:
// addr2line names the calling function at the offset minus one, while the offset itself can lie
// in what follows the call (here another function put inline after the caller).
void TestSignals::traceOffsetsLeadAddr2lineToTheFunctions()
{
    if (QStandardPaths::findExecutable(QStringLiteral("addr2line")).isEmpty())
        QSKIP("addr2line (binutils) is not installed");
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const Outcome outcome = runProbe({ QStringLiteral("segv"), folder.path() }, folder.path(), 30000);
    QCOMPARE(outcome.signal, SIGSEGV);
    const Record record = recordIn(outcome.log, QStringLiteral("SIGSEGV"));
    QVERIFY2(record.frames.size() >= 2, qPrintable(outcome.log));
    const Frame failed = record.frames.at(0);
    const Frame caller = record.frames.at(1);
    QVERIFY2(failed.module.endsWith(QStringLiteral("/signalprobe")), qPrintable(outcome.log));
    QVERIFY2(caller.module.endsWith(QStringLiteral("/signalprobe")), qPrintable(outcome.log));

    QVERIFY2(functionAt(failed.module, failed.offset).contains(QStringLiteral("writeThroughNull")),
             qPrintable(functionAt(failed.module, failed.offset)));
    QVERIFY2(functionAt(caller.module, caller.offset - 1).contains(QStringLiteral("callerOfTheFault")),
             qPrintable(functionAt(caller.module, caller.offset - 1)));
    QVERIFY2(functionAt(caller.module, caller.offset).contains(QStringLiteral("stepAfterTheCall")),
             qPrintable(functionAt(caller.module, caller.offset)));
}

// Each relayed signal is logged; the trace that follows is written as module + offset (nothing
// looked up by name) and at most once per interval of the relay's clock, however many signals
// come.
void TestSignals::sigintStormLogsEverySignalAndFewTraces()
{
    constexpr int kStorm = 40;
    int pipeFds[2] = { -1, -1 };
    QCOMPARE(::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK), 0);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    qint64 clockMs = 5000;
    QString output;
    s_messages.clear();
    {
        Vl::Tavix3::UI::SignalRelay relay(pipeFds[0]);
        relay.setClock([&clockMs]() { return clockMs; });
        QSignalSpy received(&relay, &Vl::Tavix3::UI::SignalRelay::received);
        const QtMessageHandler previous = qInstallMessageHandler(collectMessage);
        CapturedOutput captured(folder.filePath(QStringLiteral("stdout.txt")));
        const unsigned char number = SIGINT;
        // Each signal alone, as from a sender that keeps sending: every one is read by itself.
        for (int i = 1; i <= kStorm; ++i) {
            QCOMPARE(::write(pipeFds[1], &number, 1), ssize_t(1));
            QTRY_COMPARE(received.count(), i);
            clockMs += Vl::Tavix3::UI::SignalRelay::kTraceIntervalMs / (kStorm + 1);
        }
        // The interval has passed since the first trace: the next signal gets one again.
        clockMs += Vl::Tavix3::UI::SignalRelay::kTraceIntervalMs;
        QCOMPARE(::write(pipeFds[1], &number, 1), ssize_t(1));
        QTRY_COMPARE(received.count(), kStorm + 1);
        output = captured.text();
        qInstallMessageHandler(previous);
    }
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);

    QCOMPARE(s_messages.count(QStringLiteral("SIGINT")), kStorm + 1);
    const QStringList lines = output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QRegularExpression frameLine(QLatin1Char('^') + kFrame + QLatin1Char('$'));
    int traces = 0;
    bool inThisProgram = false;
    for (const QString& line : lines) {
        const QRegularExpressionMatch match = frameLine.match(line);
        QVERIFY2(match.hasMatch(), qPrintable(line));
        const Frame frame = frameOf(match, 1);
        traces += frame.number == 0 ? 1 : 0;
        inThisProgram = inThisProgram || frame.module == QCoreApplication::applicationFilePath();
    }
    QCOMPARE(traces, 2);
    QVERIFY2(inThisProgram, qPrintable(output));
}

VANTOR_TEST_CLASS(TestSignals)
#include "tst_signals.moc"
