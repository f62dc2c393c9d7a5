// A program that installs Vantor's signal handlers and its diagnostic log (FOLDER/Vantor.log, set
// up as Vantor sets it up) and then meets a signal in one of several ways, so a test can see how
// the process ends and what it recorded. Usage: signalprobe MODE FOLDER
//   segv, fpe              a fault: the process ends with that signal, after a trace; the SIGSEGV
//                          is a write through a null pointer in writeThroughNull(), called by
//                          callerOfTheFault(), inline in runTheFault() before stepAfterTheCall()
//   int                    SIGINT: logged on the main thread, the program goes on (exit code 7)
//   abort-in-free          glibc aborts inside free() while it holds the allocator's lock
//   abort-log-locked       SIGABRT while another thread holds the diagnostic log's lock
//   overflow               unbounded recursion on the main thread
//   overflow-thread        unbounded recursion on a worker thread started as Vantor starts its own
//   plugin-after-log       SIGSEGV inside a library loaded after start-up; a log line follows the load
//   plugin-quiet           the same with nothing logged: the crash waits until the relay's periodic
//                          refresh knows the library (exit code 5 when it never does)
//   log-replaced           Vantor.log is removed and written anew by the next log line, then SIGSEGV
#include "app/signalhandlers.h"
#include "app/signalrelay.h"
#include "core/crashrecord.h"
#include "core/diagnosticlog.h"
#include "core/moduletable.h"
#include "core/signalstack.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

// Outside the anonymous namespace: addr2line names functions put inline there by their enclosing
// function only.
namespace Probe {

volatile int* volatile s_nowhere = nullptr;
volatile int s_calls = 0;

__attribute__((noinline)) void writeThroughNull()
{
    *s_nowhere = 1;
}

// Two steps the compiler puts inline into runTheFault(): the instruction after the call, where
// the call returns to, is already the second step's.
__attribute__((always_inline)) inline void callerOfTheFault()
{
    writeThroughNull();
}

__attribute__((always_inline)) inline void stepAfterTheCall()
{
    ++s_calls;
}

__attribute__((noinline)) void runTheFault()
{
    callerOfTheFault();
    stepAfterTheCall();
}

} // namespace Probe

namespace {

using Callback = void (*)();
using PluginCall = void (*)(Callback);

// A second thread makes glibc take its arena lock in free(); it waits for the end of the process.
void startIdleThread()
{
    std::thread([]() {
        for (;;)
            ::pause();
    }).detach();
}

int abortInFree()
{
    startIdleThread();
    void* volatile chunk = std::malloc(1500); // too large for the per-thread cache and the fast bins
    void* volatile guard = std::malloc(1500); // keeps the chunk away from the top of the heap
    std::free(chunk);
    std::free(chunk); // detected with the arena locked: glibc aborts there
    std::free(guard);
    return 0;
}

int abortWhileLogLocked(QCoreApplication& app, const char* folder)
{
    // The log file is a FIFO nobody reads: opening it blocks the logging thread inside the lock.
    const QByteArray fifo = QByteArray(folder) + "/Vantor.log";
    if (::mkfifo(fifo.constData(), 0600) != 0)
        return 4;
    app.setProperty("LOGFILE", QString::fromLocal8Bit(fifo));
    app.setProperty("LOGFILE_ENABLED", true);
    Vl::Tavix3::UI::CrashRecord::refresh();
    Vl::Tavix3::UI::DiagnosticLog::install();
    std::atomic<bool> logging { false };
    std::thread([&logging]() {
        logging = true;
        qDebug() << "this line waits for a reader of the log";
    }).detach();
    while (!logging)
        std::this_thread::yield();
    ::usleep(200 * 1000); // the thread is now inside the lock, in open()
    std::raise(SIGABRT);
    return 0;
}

volatile int s_depthLimit = 0; // 0: no limit

__attribute__((noinline)) int recurse(int depth)
{
    volatile char block[1024];
    block[0] = char(depth);
    if (s_depthLimit != 0 && depth >= s_depthLimit)
        return block[0];
    return recurse(depth + 1) + block[0];
}

PluginCall loadPlugin()
{
    void* library = ::dlopen(CRASH_PLUGIN, RTLD_NOW | RTLD_LOCAL);
    return library ? reinterpret_cast<PluginCall>(::dlsym(library, "crashplugin_call")) : nullptr;
}

int overflowOnWorker(QCoreApplication& app)
{
    auto* thread = new QThread();
    Vl::Tavix3::UI::SignalStack::installOnStart(thread);
    QObject::connect(thread, &QThread::started, thread, []() { recurse(0); }, Qt::DirectConnection);
    thread->start();
    QTimer::singleShot(20000, &app, [&app]() { app.exit(5); });
    return app.exec();
}

int faultInQuietPlugin(QCoreApplication& app)
{
    const PluginCall call = loadPlugin();
    if (!call)
        return 3;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &app, [call]() {
        const char* path = nullptr;
        uintptr_t offset = 0;
        if (Vl::Tavix3::UI::ModuleTable::locate(reinterpret_cast<uintptr_t>(call), path, offset))
            call(Probe::runTheFault);
    });
    poll.start(10);
    QTimer::singleShot(20000, &app, [&app]() { app.exit(5); });
    return app.exec();
}

// The diagnostic log as Vantor's start-up sets it up.
void setUpLog(QCoreApplication& app, const char* folder)
{
    app.setProperty("LOGFILE", QString::fromLocal8Bit(folder) + QStringLiteral("/Vantor.log"));
    app.setProperty("LOGFILE_ENABLED", true);
    Vl::Tavix3::UI::CrashRecord::refresh();
    Vl::Tavix3::UI::DiagnosticLog::install();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Vl::Tavix3::UI::installSignalHandlers();
    const char* what = argc > 1 ? argv[1] : "segv";
    const char* folder = argc > 2 ? argv[2] : ".";
    if (std::strcmp(what, "abort-log-locked") == 0)
        return abortWhileLogLocked(app, folder);
    setUpLog(app, folder);
    qDebug() << "probe started:" << what;

    if (std::strcmp(what, "int") == 0) {
        // The log line is written on this thread once its event loop reads the relay's pipe.
        QObject::connect(Vl::Tavix3::UI::signalRelay(), &Vl::Tavix3::UI::SignalRelay::received, &app,
            [&app](int signal) { app.exit(signal == SIGINT ? 7 : 6); });
        QTimer::singleShot(10000, &app, [&app]() { app.exit(5); });
        std::raise(SIGINT);
        return app.exec();
    }
    if (std::strcmp(what, "abort-in-free") == 0)
        return abortInFree();
    if (std::strcmp(what, "fpe") == 0)
        std::raise(SIGFPE);
    if (std::strcmp(what, "overflow") == 0)
        return recurse(0);
    if (std::strcmp(what, "overflow-thread") == 0)
        return overflowOnWorker(app);
    if (std::strcmp(what, "plugin-after-log") == 0) {
        const PluginCall call = loadPlugin();
        if (!call)
            return 3;
        qDebug() << "plugin loaded";
        call(Probe::runTheFault);
    }
    if (std::strcmp(what, "plugin-quiet") == 0)
        return faultInQuietPlugin(app);
    if (std::strcmp(what, "log-replaced") == 0) {
        QFile::remove(QString::fromLocal8Bit(folder) + QStringLiteral("/Vantor.log"));
        qDebug() << "the log begins again";
    }
    Probe::runTheFault();
    return 0;
}
