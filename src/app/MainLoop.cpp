// One pass of the main loop: read the value under the cursor, draw the cursor, let the
// page refresh, take at most one key, and act on what the dispatcher hands back.
#include "app/MainLoop.h"
#include "app/AccessType.h"
#include "app/RegisterAccess.h"
#include "platform/Keyboard.h"
#include "spaces/Msr.h"
#include "spaces/MsrValue.h"
#include "ui/StatusLine.h"
#include "view/BitmapWindow.h"
#include "view/Grid.h"
#include "view/PageGeometry.h"
#include "view/StatusArea.h"

u32 MsrEditState;

// The MSR row under the cursor: edits go into this cache; it is written on Enter, or when
// the cursor leaves a row in which the user typed a change.
struct MsrCache {
  bool valid;
  bool typed;
  u32 row;
  u64 value;
};
static MsrCache sMsrCache;

void InvalidateMsrCache() { sMsrCache.valid = false; }

static u32 MsrRowAt(u32 offset) { return ((u32)Current->pageBase + offset) / MSR_ROW_BYTES; }

u32 MsrCacheValue(u32 offset, u32 width) {
  if (!sMsrCache.valid) {
    u32 high;
    return ReadRegister(offset, &high, width);
  }
  return MsrValueByte(sMsrCache.value, offset % MSR_ROW_BYTES, width);
}

static void LoadMsrCache(u32 offset) {
  sMsrCache.row = MsrRowAt(offset);
  sMsrCache.value = MsrRowRead(sMsrCache.row);
  sMsrCache.valid = true;
  sMsrCache.typed = false;
}

static void WriteMsrCache() {
  MsrRowWrite(sMsrCache.row, sMsrCache.value);
  PaintStatusArea(PAINT_SPACE_PANEL);
  sMsrCache.valid = false;
  sMsrCache.typed = false;
}

// Leaving a row writes back only a change the user typed there: MSRs that count by
// themselves (time-stamp and performance counters) must not get a stale value.
static void LeaveMsrRow() {
  MsrEditState = 0;
  if (sMsrCache.typed && MsrRowRead(sMsrCache.row) != sMsrCache.value) {
    MsrRowWrite(sMsrCache.row, sMsrCache.value);
    PaintStatusArea(PAINT_SPACE_PANEL);
  }
  sMsrCache.valid = false;
  sMsrCache.typed = false;
}

static u32 ReadCursorValue(u32 offset, u32 previousOffset) {
  u32 width = (u32)Current->width;
  if (Current->type != ACCESS_CPU_MSR) {
    u32 high;
    return ReadRegister(offset, &high, width);
  }
  if (sMsrCache.valid && (offset / MSR_ROW_BYTES != previousOffset / MSR_ROW_BYTES || sMsrCache.row != MsrRowAt(offset)))
    LeaveMsrRow();
  if (!sMsrCache.valid) {
    LoadMsrCache(offset);
    RepaintValues(REPAINT_FORCE);
  }
  return MsrValueByte(sMsrCache.value, offset % MSR_ROW_BYTES, width);
}

static bool StartsEdit(u32 key) {
  if (key == KEY_NONE || (key & 0xFFFFFF00u)) return false;
  u32 c = key & 0xFF;
  if (Current->viewFlags & VIEW_CHAR_EDIT) return c >= 0x20 && c != 0x7F;
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Edits the cursor cell starting with `key`; returns the key that ended the edit, or 0.
static u32 EditCursorCell(u32 key, u32 offset, u32 value) {
  u32 width = (u32)Current->width;
  bool msr = Current->type == ACCESS_CPU_MSR;
  if (msr) {
    MsrEditState = 200;
    StatusLine(u"Type 8-bytes MSR,  <ENTER> write,  <ESC> abort", STATUS_SET);
  }
  i32 x, y;
  u32 edited = value;
  if (Current->viewFlags & VIEW_CHAR_EDIT) {
    x = ASCII_COLUMN + (i32)(offset % PageGeometry.bytesPerRow);
    y = GRID_TOP + (i32)(offset / PageGeometry.bytesPerRow);
    key = EditField(x, y, width, &edited, key, 1);
  } else {
    CursorScreenPosition(&x, &y);
    key = EditField(x, y, 2 * width, &edited, key, 0);
  }
  if (key == KEY_ESC) MsrEditState = 0;
  if (key == KEY_ENTER || (IsArrowKey(key) && edited != value)) {
    if (msr) {
      sMsrCache.value = MsrValueMerge(sMsrCache.value, offset % MSR_ROW_BYTES, width, edited);
      sMsrCache.typed = true;
    } else {
      WriteRegister(offset, edited, 0, width);
      PaintStatusArea(PAINT_SPACE_PANEL);
    }
    return key;
  }
  return IsArrowKey(key) || key == KEY_ESC ? key : 0;
}

static void MoveCursor(u32 key) {
  u32 width = (u32)Current->width;
  switch (key) {
    case KEY_UP:
      if (Current->cursorRow > 0) Current->cursorRow--;
      break;
    case KEY_DOWN:
      Current->cursorRow++;
      if (Current->cursorRow >= PageGeometry.rowsOnPage || CursorOffset() > PageGeometry.lastInPage)
        Current->cursorRow = 0;
      break;
    case KEY_RIGHT:
      Current->cursorColumn++;
      if ((u32)Current->cursorColumn * width >= PageGeometry.bytesPerRow || CursorOffset() > PageGeometry.lastInPage)
        Current->cursorColumn = 0;
      break;
    case KEY_LEFT:
      Current->cursorColumn--;
      if (Current->cursorColumn < 0) {
        Current->cursorColumn = (i32)((PageGeometry.bytesPerRow - 1) / width);
        if ((u32)Current->cursorColumn * width >= PageGeometry.pageBytes - PageGeometry.bytesPerRow * (u32)Current->cursorRow)
          Current->cursorColumn =
              (i32)((PageGeometry.pageBytes - PageGeometry.bytesPerRow * (u32)Current->cursorRow - 1) / width);
      }
      break;
  }
}

static void ActOnKey(u32 key) {
  switch (key) {
    case KEY_UP:
    case KEY_DOWN:
    case KEY_RIGHT:
    case KEY_LEFT:
      MoveCursor(key);
      break;
    case KEY_ENTER:
      // Enter writes what was typed; with nothing typed a self-changing MSR is left alone.
      if (Current->type == ACCESS_CPU_MSR && sMsrCache.valid && sMsrCache.typed) WriteMsrCache();
      if (Current->type == ACCESS_CPU_MSR) sMsrCache.valid = false;
      MsrEditState = 0;
      break;
    case KEY_ESC:
      if (MsrEditState && Current->type == ACCESS_CPU_MSR) {
        MsrEditState = 0;
        LoadMsrCache(CursorOffset());
        RepaintValues(REPAINT_FORCE);
      }
      break;
  }
}

void MainLoop() {
  InvalidateMsrCache();
  u32 offset = CursorOffset(), value = 0, key = 0;
  i32 cellX = -1, cellY = -1;
  do {
    u32 previousOffset = offset, previousValue = value, bitmapBefore = BitmapEnabled;
    offset = CursorOffset();
    i32 type = Current->type;
    value = ReadCursorValue(offset, previousOffset);
    DrawCursorCell(&cellX, &cellY, offset, value, CELL_CURSOR);
    i32 row = Current->cursorRow, column = Current->cursorColumn;
    RepaintValues(0);
    key = KeyAvailable() ? DispatchKey(0, nullptr) : KEY_NONE;
    if (StartsEdit(key)) key = EditCursorCell(key, offset, value);
    ActOnKey(key);
    bool moved = row != Current->cursorRow || column != Current->cursorColumn;
    bool movingKey = IsArrowKey(key) || key == KEY_TAB || key == (KEY_SHIFT | KEY_TAB);
    bool cursorLeftCell = cellX >= 0 && moved && offset < PageGeometry.pageBytes && movingKey;
    if (cursorLeftCell && Current->type == type) {
      u32 shown = value, high;
      if (type != ACCESS_CPU_MSR)
        shown = ReadRegister(offset, &high, (u32)Current->width);
      else if (sMsrCache.valid)
        shown = MsrValueByte(sMsrCache.value, offset % MSR_ROW_BYTES, (u32)Current->width);
      DrawCursorCell(&cellX, &cellY, offset, shown, CELL_ORDINARY);
      if (!MsrEditState) StatusLine(nullptr, STATUS_SET);  // a pending MSR edit keeps its hint
    }
    if (value != previousValue || cursorLeftCell || BitmapEnabled != bitmapBefore ||
        (BitmapEnabled && !BitmapWindowVisible()))
      UpdateBitmapWindow();
    if (Current->type != type) InvalidateMsrCache();
  } while (key != KEY_F10);
}
