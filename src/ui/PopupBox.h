// The single pop-up box slot that every dialog, menu and list uses: a rectangle of
// colour with a title bar and a drop shadow that saves the cells it covers.
#pragma once
#include "base/Types.h"

struct ScreenCell;

struct PopupBoxSlot {
  i32 left, top, right, bottom;  // 0-based, inclusive, drop shadow included
  i32 faceWidth, faceHeight;     // the face: columns left .. left + faceWidth - 1
  ScreenCell* saved;             // the cells under the box; null when no box is open
  bool isBitmapWindow;           // the bit map window does not count as an open box
};

extern PopupBoxSlot PopupBox;

// True while a pop-up box other than the bit map window is open.
bool IsBoxOpen();

// Places a box for contents w wide and h high, centred on the screen; long contents are
// laid out in several columns. Returns the number of columns.
i32 BoxLayout(i32 w, i32 h);
// Saves the area, draws the drop shadow and the face in the current screen attribute.
void BoxOpen();
// Puts the saved cells back; the slot becomes empty.
void BoxClose();
// The title bar on the box's top row: `width` + 1 cells in inverted background colours.
void BoxTitle(const char16_t* title, i32 width);
