// The bit map window: the value under the cursor in base 2, in a small box that follows
// the cursor cell.
#pragma once
#include "base/Types.h"

extern u32 BitmapEnabled;  // all ones: shown; 0: off (Space switches it)
extern u32 BitmapShown;    // the window holds the pop-up box slot now

static const u32 BITMAP_LINE_CHARS = 36;  // four groups of eight digits and a blank

// The three text lines (bits, ticks, scale) for a value; each holds 36 characters and a
// terminator. Group g holds byte 3 - g, most significant bit first.
void BuildBitmapLines(u32 value, u32 width, char16_t lines[3][BITMAP_LINE_CHARS + 1]);

struct BitmapPlacement {
  i32 left, top, right, bottom;  // the box area, shadow included
};
// Where the window stands for a cursor cell at (x, y): under it, or above it near the bottom.
BitmapPlacement PlaceBitmapWindow(i32 x, i32 y, u32 width);

// Opens, moves or refreshes the window for the cursor cell; returns 0.
u32 UpdateBitmapWindow();
// Puts back the screen under the window.
void CloseBitmapWindow();
// True while the window is on the screen (a dialog that took the box slot closed it).
bool BitmapWindowVisible();
