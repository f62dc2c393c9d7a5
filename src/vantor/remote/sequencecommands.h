#pragma once

#include <QString>

namespace Vl::Tavix3::UI {

class CommandRequest;
class SerialPathFinder;

// The remote commands that choose, store, delete and run start sequences, set the bib number and
// manage starting lists. They run on the command server's thread after the acknowledgement.
class SequenceCommands
{
public:
    // Executes the request when its command word is one of this group's; false otherwise.
    static bool execute(SerialPathFinder& server, const CommandRequest& request);

    // Opens the run screen for the engine's sequence (countdown mode only), saving the engine's
    // mode and repetition times first when it is not shown yet.
    static void showRunScreen(SerialPathFinder& server);
    // Shows the run screen after every screen request before it (a stop's hide among them) and
    // waits, at most kScreenWaitMs in all, until the GUI thread has shown it; true when it has.
    static bool showRunScreenAndWait(SerialPathFinder& server);

private:
    static void setCurrentSequence(SerialPathFinder& server, const CommandRequest& request, bool byId);
    static void storeDocument(SerialPathFinder& server, const CommandRequest& request, bool isSequence);
    static void deleteDocument(SerialPathFinder& server, const CommandRequest& request, bool isSequence, bool byId);
    static void setStartSequence(SerialPathFinder& server, const CommandRequest& request);
    static void setStopSequence(SerialPathFinder& server);
    static void setBibNumber(SerialPathFinder& server, const CommandRequest& request);
    static void setCurrentStartingList(SerialPathFinder& server, const CommandRequest& request, bool byId);
};

} // namespace Vl::Tavix3::UI
