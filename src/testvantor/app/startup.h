#pragma once

#include <functional>

class QQmlApplicationEngine;

namespace Vl::Orvane::UI {

// TestVantor's resources (its QML and images) built into the program.
void initResources();
// The QML module "velmora.Orvane" 1.0 of TestVantor: DateTimeUtil, OrvaneEnum, SemaEnum, GPSEnum, Backend.
void registerQmlTypes();
// Sets up Qt, the application object and the main window, runs the event loop and returns its exit code.
// beforeExec, when given, runs just before the event loop starts.
int runTestVantor(int argc, char** argv, const std::function<void(QQmlApplicationEngine&)>& beforeExec = {});

} // namespace Vl::Orvane::UI
