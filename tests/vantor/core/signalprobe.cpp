// A program that installs Vantor's signal handlers and then faults, so a test can see that a
// fault ends the process (with a trace) instead of re-entering its handler forever.
#include "core/signalhandlers.h"

#include <QCoreApplication>

#include <csignal>
#include <cstring>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Vl::Tavix3::UI::installSignalHandlers();
    const char* what = argc > 1 ? argv[1] : "segv";
    if (std::strcmp(what, "int") == 0) {
        std::raise(SIGINT);  // handled: the program goes on
        return 7;
    }
    if (std::strcmp(what, "fpe") == 0)
        std::raise(SIGFPE);
    volatile int* nowhere = nullptr;
    *nowhere = 1;
    return 0;
}
