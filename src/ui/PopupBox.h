// The single pop-up box slot that every dialog, menu and list uses.
#pragma once
#include "base/Types.h"

struct ScreenCell;

struct PopupBoxSlot {
  i32 left, top, right, bottom;  // 0-based, inclusive, drop shadow included
  ScreenCell* saved;             // the cells under the box; null when no box is open
  bool isBitmapWindow;           // the bit map window does not count as an open box
};

extern PopupBoxSlot PopupBox;

// True while a pop-up box other than the bit map window is open.
bool IsBoxOpen();
