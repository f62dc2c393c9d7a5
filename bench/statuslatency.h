#pragma once

namespace Bench {

// How soon a connected client learns of each new light. Runs the whole of Vantor in this process
// (offscreen, with its screens, in a private home) with one client connected over loopback that
// enables the status output, drives AUTO runs of the measurement table, and prints for every
// status message that reports a new light the time from the lights changing to the message
// reaching the client, with the stages it passed on the way. Returns the exit status.
int runStatusLatency(const char* program, int seconds);

} // namespace Bench
