#include "core/signalhandlers.h"

#include "core/exceptionhandler.h"

#include <QDebug>

#include <csignal>

namespace Vl::Tavix3::UI {

namespace {

bool isFault(int signal)
{
    return signal == SIGFPE || signal == SIGABRT || signal == SIGSEGV || signal == SIGILL;
}

void handleSignal(int signal)
{
    if (isFault(signal))
        std::signal(signal, SIG_DFL);  // a fault inside this handler ends the process
    qDebug() << signalName(signal);
    Exceptions::printStackTrace();
    if (isFault(signal))
        std::raise(signal);
}

} // namespace

const char* signalName(int signal)
{
    switch (signal) {
    case SIGFPE:
        return "SIGFPE";
    case SIGABRT:
        return "SIGABRT";
    case SIGSEGV:
        return "SIGSEGV";
    case SIGTERM:
        return "SIGTERM";
    case SIGINT:
        return "SIGINT";
    case SIGILL:
        return "SIGILL";
    default:
        return "";
    }
}

void installSignalHandlers()
{
    for (int signal : {SIGFPE, SIGABRT, SIGSEGV, SIGTERM, SIGINT, SIGILL})
        std::signal(signal, handleSignal);
}

} // namespace Vl::Tavix3::UI
