#pragma once
#include <ui/notice.h>
#include "core/utils.h"
