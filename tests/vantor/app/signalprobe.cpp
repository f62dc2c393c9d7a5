// A program that installs Vantor's signal handlers and then meets a signal in one of several
// ways, so a test can see how the process ends:
//   segv, fpe              a fault: the process ends with that signal, after a trace
//   int                    SIGINT: logged on the main thread, the program goes on (exit code 7)
//   abort-in-free          glibc aborts inside free() while it holds the allocator's lock
//   abort-log-locked DIR   SIGABRT while another thread holds the diagnostic log's lock
#include "app/signalhandlers.h"
#include "app/signalrelay.h"
#include "core/diagnosticlog.h"

#include <QCoreApplication>
#include <QDebug>
#include <QTimer>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

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

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Vl::Tavix3::UI::installSignalHandlers();
    const char* what = argc > 1 ? argv[1] : "segv";
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
    if (std::strcmp(what, "abort-log-locked") == 0)
        return abortWhileLogLocked(app, argc > 2 ? argv[2] : ".");
    if (std::strcmp(what, "fpe") == 0)
        std::raise(SIGFPE);
    volatile int* nowhere = nullptr;
    *nowhere = 1;
    return 0;
}
