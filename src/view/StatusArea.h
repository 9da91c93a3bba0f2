// The status area around the grid: the corner label with the cursor's offset, the
// information line (row 2) and the right panel (Refresh, Sound, Data Width, space facts).
#pragma once
#include "base/Types.h"

static const i32 PANEL_COLUMN = 56;
static const i32 PANEL_LAST_ROW = 22;
static const i32 INFO_LINE_ROW = 2;

// Parts of the status area that PaintStatusArea repaints.
static const u32 PAINT_REFRESH = 0x001;        // the "Refresh" line
static const u32 PAINT_CURSOR_OFFSET = 0x002;  // corner label (and the memory address line)
static const u32 PAINT_DATA_WIDTH = 0x004;     // the "Data Width" line
static const u32 PAINT_SOUND = 0x008;          // the "Sound" line
static const u32 PAINT_INFO_LINE = 0x100;      // the information line
static const u32 PAINT_SPACE_PANEL = 0x200;    // the space facts of the right panel
static const u32 PAINT_EVERYTHING = 0x30F;

void PaintStatusArea(u32 flags);

// Blanks the right panel (columns 56-79) from `firstRow` down to row 22.
void ClearPanel(i32 firstRow);

// The information line of the current record at the output position (row 2).
void PaintInformationLine();
// The space facts of the current PCI or PCI Express function from the output position.
void PaintPciPanel();
