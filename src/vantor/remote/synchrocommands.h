#pragma once

#include "remote/serialinfotype.h"

#include <QByteArray>

namespace Vl::Tavix3::UI {

class SerialPathFinder;

// The requests of the radio synchronisation partner: "7010" asks for the state of its connection,
// "7011" switches the synchronisation on or off and, with a valid time, synchronises the program.
// Malformed frames, other commands and state requests without a connection go unanswered.
class SynchroCommands
{
public:
    static void execute(SerialPathFinder& server, const SerialInfoType& port, const QByteArray& frame);

private:
    static void stateRequest(SerialPathFinder& server, const SerialInfoType& port);
    static void switchRequest(SerialPathFinder& server, const SerialInfoType& port, const QByteArray& frame);
};

} // namespace Vl::Tavix3::UI
