// The value grid of the register page: frame (row labels, column headers), value cells,
// the ASCII column and the cursor cell.
#pragma once
#include "base/Types.h"

extern i32 GridLastRow;     // screen row of the last row label drawn
extern i32 GridLastColumn;  // screen column of the last character of the last column header

void PaintGridFrame(bool clearAll);
void PaintRowLabel(i32 row);
bool PaintColumnHeader(u32 offset);
void HighlightCursorAxes(u32 offset, u32 attribute);
u32 ValueColor(u32 offset, u32 value);  // chooses and sets the attribute; returns the entry number
void PaintValueHex(u32 value);
void PaintAsciiMirror(i32 x, i32 y, u32 offset, u32 value, bool erase);
void CursorScreenPosition(i32* column, i32* row);
// Paints every value cell of the page (flags bit 1: the cursor cell too).
void PaintPageValues(u32 flags);

// mode 1 ordinary cell, 2 cursor, 3 cursor while another part has the keyboard.
static const u32 CELL_ORDINARY = 1;
static const u32 CELL_CURSOR = 2;
static const u32 CELL_CURSOR_BUSY = 3;
void DrawCursorCell(i32* x, i32* y, u32 offset, u32 value, u32 mode);
