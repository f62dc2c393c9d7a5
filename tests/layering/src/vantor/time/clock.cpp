#include "sequence/sema.h"
#include "time/clock.h"
#include <common/ticktime.h>
