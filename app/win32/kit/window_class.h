// The kit's windows register their classes through the programs' one
// RegisterClassOnce.
#pragma once

#include "base/win32/window_class.h"
