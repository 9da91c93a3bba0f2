// The status area around the grid: the right panel and its facts.
#pragma once
#include "base/Types.h"

static const i32 PANEL_COLUMN = 56;

// Blanks the right panel (columns 56-79) from `firstRow` down to row 22.
void ClearPanel(i32 firstRow);
