#include "testsupport/testmain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// How a probe run ended: the signal that ended it (0 when it exited) or its exit code, and what
// it wrote to its standard output and error.
struct Outcome
{
    bool finished = false;
    int signal = 0;
    int exitCode = -1;
    QString output;
};

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
    QFile output(QString::fromLocal8Bit(outputFile));
    if (output.open(QIODevice::ReadOnly))
        outcome.output = QString::fromLocal8Bit(output.readAll());
    return outcome;
}

} // namespace

// Fault signals end the process with that signal after a trace, even when they arrive while the
// allocator or the diagnostic log is locked; SIGINT is logged on the main thread and the program
// goes on.
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
    QTest::addColumn<int>("signal");
    QTest::addColumn<QString>("logged");
    QTest::newRow("segmentation fault") << "segv" << SIGSEGV << "SIGSEGV";
    QTest::newRow("floating-point signal") << "fpe" << SIGFPE << "SIGFPE";
    QTest::newRow("abort inside free with the allocator locked") << "abort-in-free" << SIGABRT << "SIGABRT";
    QTest::newRow("abort while the log is locked") << "abort-log-locked" << SIGABRT << "SIGABRT";
    QTest::newRow("interrupt") << "int" << 0 << "SIGINT";
}

void TestSignals::outcome()
{
    QFETCH(QString, mode);
    QFETCH(int, signal);
    QFETCH(QString, logged);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    // A handler that waits for a lock the interrupted code holds would never end.
    const Outcome outcome = runProbe({ mode, folder.path() }, folder.path(), 10000);
    QVERIFY2(outcome.finished, qPrintable(outcome.output));
    QCOMPARE(outcome.signal, signal);
    if (signal == 0)
        QCOMPARE(outcome.exitCode, 7);
    QVERIFY2(outcome.output.contains(logged), qPrintable(outcome.output));
    QVERIFY2(outcome.output.contains(QStringLiteral("0# ")), qPrintable(outcome.output)); // the stack trace
}

VANTOR_TEST_CLASS(TestSignals)
#include "tst_signals.moc"
