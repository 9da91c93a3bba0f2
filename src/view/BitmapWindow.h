// The bit map window that follows the cursor.
#pragma once
#include "base/Types.h"

extern u32 BitmapEnabled;  // all ones: shown; 0: off (Space switches it)
extern u32 BitmapShown;    // the window is on the screen now
