#include "loadaverage.h"

#include <cstdio>
#include <cstdlib>

namespace Bench {

void printLoadAverage(const char* when)
{
    double load[3] = { 0, 0, 0 };
    if (getloadavg(load, 3) == 3)
        std::printf("load average %s: %.2f %.2f %.2f\n", when, load[0], load[1], load[2]);
    else
        std::printf("load average %s: unknown\n", when);
}

} // namespace Bench
