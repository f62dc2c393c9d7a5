#pragma once

namespace Bench {

// Prints the load average of the machine (1, 5 and 15 minutes) with a word on when it was read:
// other work on the machine shows up in every latency figure, the baselines' included.
void printLoadAverage(const char* when);

} // namespace Bench
