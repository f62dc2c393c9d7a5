#pragma once

#include <functional>

class QQmlApplicationEngine;

namespace Vl::Tavix3::UI {

// Brings Vantor up in its fixed order, runs the event loop and shuts down in order; returns
// the event loop's result. beforeExec, when given, runs just before the event loop starts.
int runVantor(int argc, char** argv, const std::function<void(QQmlApplicationEngine&)>& beforeExec = {});

// Registers the resources built into the program (version, translations, QML, icons).
void initResources();

// Registers the creatable QML types of the module "velmora.Orvane" 1.0 that the start-up owns.
void registerQmlTypes();

} // namespace Vl::Tavix3::UI
