#pragma once

namespace Vl::Orvane::UI {

// TestVantor's resources (its QML and images) built into the program.
void initResources();
// The QML module "velmora.Orvane" 1.0 of TestVantor: DateTimeUtil, OrvaneEnum, SemaEnum, GPSEnum, Backend.
void registerQmlTypes();
// Sets up Qt, the application object and the main window, runs the event loop and returns its exit code.
int runTestVantor(int argc, char** argv);

} // namespace Vl::Orvane::UI
