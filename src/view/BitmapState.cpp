#include "view/BitmapWindow.h"

u32 BitmapEnabled = 0xFFFFFFFF;
u32 BitmapShown;
