#pragma once

#include <QJsonObject>

#include <optional>

namespace Vl::Tavix3::UI {

class CommandRequest;
class SerialPathFinder;

// The remote commands that show texts on the display board and the start light, drive the status
// output, read and change the settings of the application, the engine and the device services, the
// repetition times, and reach the network and GPS services. They run on the command server's thread
// after the acknowledgement; what changes objects of the GUI thread is done there.
class SettingsCommands
{
public:
    // Executes the request when its command word is one of this group's; false otherwise.
    static bool execute(SerialPathFinder& server, const CommandRequest& request);

    // The 19 settings as GetSettings answers them, read on the GUI thread; nothing when the program
    // closed before they could be read.
    static std::optional<QJsonObject> currentSettings(SerialPathFinder& server);

private:
    static void displayboardOutput(SerialPathFinder& server, const CommandRequest& request);
    static void setSema(SerialPathFinder& server, const CommandRequest& request);
    static void setMessage(SerialPathFinder& server, const CommandRequest& request);
    static void setSettings(SerialPathFinder& server, const CommandRequest& request);
    static void getRepetitionTimes(SerialPathFinder& server, const CommandRequest& request);
    static void setRepetitionTimes(SerialPathFinder& server, const CommandRequest& request);
    static void setNetwork(SerialPathFinder& server, const CommandRequest& request);
    static void getNetworkList(SerialPathFinder& server, const CommandRequest& request);
    static void setGpsSyncMode(SerialPathFinder& server, const CommandRequest& request);
    static void setGpsTimeZoneShift(SerialPathFinder& server, const CommandRequest& request);
};

} // namespace Vl::Tavix3::UI
