// Page geometry of the current space: how many bytes a page holds, how many pages the
// space has, and where the grid sits on the screen.
#pragma once
#include "base/Types.h"

struct PageGeometryRecord {
  u32 addressUnit;       // bytes per index of the space
  u32 bytesPerRow;       // 16; 8 on MSR pages
  u32 nominalPageBytes;  // 256; 128 on MSR pages
  u32 pageBytes;         // bytes on the current page
  u32 pageCount;
  u32 spaceEnd;          // last valid offset of the space (absolute, like pageBase)
  u32 lastInPage;        // last valid offset inside the current page
  i32 rowsOnPage;
  i32 gridLeft;          // 6; 29 on MSR pages
  i32 infoColumn;        // 3; 1 for the 16-page PCI layout
};

extern PageGeometryRecord PageGeometry;

static const i32 GRID_TOP = 6;
static const i32 ASCII_COLUMN = 56;

void ComputePageGeometry(bool reset);
void ClampPage();
bool StepPage(i32 delta);  // true when the new pageBase is not 0
