#pragma once
#include "common/ticktime.h"
#include <QString>
