#include "view/Grid.h"
#include "app/AccessType.h"
#include "app/MainLoop.h"
#include "app/RegisterAccess.h"
#include "base/Text.h"
#include "platform/Console.h"
#include "platform/Screen.h"
#include "spaces/Msr.h"
#include "ui/ColorSet.h"
#include "ui/PopupBox.h"
#include "view/PageGeometry.h"
#include "view/StatusArea.h"

i32 GridLastRow;
i32 GridLastColumn;

static u32 Width() { return (u32)Current->width; }
static bool AsciiShown() { return (Current->viewFlags & VIEW_ASCII) != 0; }
static bool AsciiEditing() { return (Current->viewFlags & VIEW_CHAR_EDIT) != 0; }
static i32 CellWidth() { return (i32)(2 * Width() + 1); }

static void PutBlanks(i32 x, i32 y, i32 count) {
  if (count <= 0) return;
  ScrGotoXY(x, y);
  ScrPutText(ScreenBlanks, 0, count - 1);
}

void PaintRowLabel(i32 row) {
  char16_t text[FORMAT_TEXT_CHARS];
  if (Current->type == ACCESS_CPU_MSR) {
    u32 entry = (u32)Current->pageBase / MSR_ROW_BYTES + (u32)row;
    char16_t name[17] = {0};
    if (MsrTable && entry < MsrTableRows)
      for (u32 i = 0; i < 16 && MsrTable[entry].name[i]; i++) name[i] = MsrTable[entry].name[i];
    FormatText(text, u"%16s:%08lX", name, MsrTable && entry < MsrTableRows ? MsrTable[entry].address : 0u);
    ScrGotoXY(3, GRID_TOP + row);
  } else if (PageGeometry.pageCount <= 1) {
    FormatText(text, u"  %02X", (u32)row * 16);
    ScrGotoXY(PageGeometry.gridLeft - 5, GRID_TOP + row);
  } else {
    u32 offset = (u32)row * PageGeometry.bytesPerRow + (u32)Current->pageBase - (u32)Current->objectBase;
    FormatText(text, u"%04X", (offset / PageGeometry.addressUnit) & 0xFFFF);
    ScrGotoXY(PageGeometry.gridLeft - 5, GRID_TOP + row);
  }
  ScrPutString(text);
  GridLastRow = GRID_TOP + row;
}

bool PaintColumnHeader(u32 offset) {
  u32 w = Width();
  if (offset % w) return false;
  char16_t text[FORMAT_TEXT_CHARS] = u" ";
  for (u32 i = 0; i < w; i++) {
    char16_t digits[4];
    FormatText(digits, u"%02X", offset + w - 1 - i);
    text[1 + 2 * i] = digits[0];
    text[2 + 2 * i] = digits[1];
  }
  text[1 + 2 * w] = 0;
  i32 column = PageGeometry.gridLeft + (i32)(offset / w) * CellWidth() - 1;
  ScrGotoXY(column, GRID_TOP - 1);
  ScrPutString(text);
  GridLastColumn = column + (i32)(2 * w);
  return true;
}

void PaintGridFrame(bool clearAll) {
  ScrPushState();
  i32 right = AsciiShown() ? 79 : 56;
  ScreenAttr = ColorSet[3];
  i32 left = PageGeometry.gridLeft;
  if (clearAll) {
    for (i32 y = 5; y <= 21; y++) PutBlanks(left - 6, y, right - (left - 6));
  } else {
    for (u32 i = PageGeometry.pageBytes / PageGeometry.bytesPerRow; i <= 15; i++)
      PutBlanks(left - 5, GRID_TOP + (i32)i, right - (left - 5));
  }
  if (Current->type == ACCESS_CPU_MSR) {
    i32 entry = 0;
    for (i32 j = 0; j < 16; j++) {
      u32 listIndex = (u32)Current->pageBase / MSR_ROW_BYTES + (u32)entry;
      if (MsrTable && listIndex < MsrTableRows && entry < PageGeometry.rowsOnPage) {
        PaintRowLabel(entry);
        entry++;
      } else {
        PutBlanks(3, GRID_TOP + j, 25);
      }
    }
    for (u32 offset = 0; offset < 8; offset++) PaintColumnHeader(offset);
  } else {
    for (i32 row = 0; row < PageGeometry.rowsOnPage; row++) PaintRowLabel(row);
    u32 lastHeader = PageGeometry.bytesPerRow - 1;
    if (PageGeometry.lastInPage < lastHeader) lastHeader = PageGeometry.lastInPage;
    for (u32 offset = 0; offset <= lastHeader; offset++) PaintColumnHeader(offset);
  }
  ScrPopState();
}

void HighlightCursorAxes(u32 offset, u32 attribute) {
  ScrPushState();
  ScreenAttr = attribute;
  PaintRowLabel((i32)(offset / PageGeometry.bytesPerRow));
  PaintColumnHeader(offset % PageGeometry.bytesPerRow);
  ScrPopState();
}

u32 ValueColor(u32, u32 value) {
  u32 entry = 4;
  if (((value + 1) & WidthMask(Width())) == 0)
    entry = 25;
  else if (value == 0)
    entry = 24;
  ScreenAttr = ColorSet[entry];
  return entry;
}

void PaintValueHex(u32 value) {
  char16_t text[12];
  ScrPutString(HexToText(value, text, 2 * Width()));
}

void CursorScreenPosition(i32* column, i32* row) {
  *column = CellWidth() * Current->cursorColumn + PageGeometry.gridLeft;
  *row = Current->cursorRow + GRID_TOP;
  ScrGotoXY(*column, *row);
}

static void CellPosition(u32 offset, i32* x, i32* y) {
  *x = PageGeometry.gridLeft + (i32)((offset % PageGeometry.bytesPerRow) / Width()) * CellWidth();
  *y = GRID_TOP + (i32)(offset / PageGeometry.bytesPerRow);
}

static void PaintAsciiBytes(u32 offset, u32 value, u32 attribute) {
  u32 w = Width();
  ScrGotoXY(ASCII_COLUMN + (i32)(offset % PageGeometry.bytesPerRow), GRID_TOP + (i32)(offset / PageGeometry.bytesPerRow));
  ScreenAttr = attribute;
  for (u32 i = 0; i < w; i++) {
    u32 byte = (value >> (8 * (w - 1 - i))) & 0xFF;
    ScrPutChar(byte >= 0x20 && byte != 0x7F ? (char16_t)byte : u'.');
  }
}

void PaintAsciiMirror(i32, i32, u32 offset, u32 value, bool erase) {
  if (!AsciiShown()) return;
  u32 attribute = ColorSet[18];
  if (!erase) attribute = AsciiEditing() ? ColorSet[5] : ColorSet[23];
  ScrPushState();
  PaintAsciiBytes(offset, value, attribute);
  ScrPopState();
}

// The value of a cell as the painter shows it: on MSR pages the cursor's row comes from the
// edit cache, so a typed but unwritten value stays visible.
static u32 PaintedValue(u32 offset) {
  if (Current->type == ACCESS_CPU_MSR && !CompareActive &&
      offset / PageGeometry.addressUnit == (u32)Current->cursorRow)
    return MsrCacheValue(offset, Width());
  u32 high;
  return ReadRegister(offset, &high, Width());
}

void PaintPageValues(u32 flags) {
  // The console gets the net change of the whole refresh: the "Refresh" label is painted in
  // its other attribute and back, which costs a serial console nothing then.
  ConsoleHold();
  ScrPushState();
  ScrBoxRedirect = 1;
  PaintStatusArea(PAINT_REFRESH);
  u32 w = Width(), cursor = CursorOffset();
  for (u32 offset = 0; offset <= PageGeometry.lastInPage; offset += w) {
    u32 value = PaintedValue(offset);
    i32 x, y;
    CellPosition(offset, &x, &y);
    ScrGotoXY(x, y);
    u32 entry = 4;
    if (offset != cursor || (flags & 2)) {
      entry = ValueColor(offset, value);
      PaintValueHex(value);
    } else if (CommandAreaActive || IsBoxOpen()) {
      DrawCursorCell(&x, &y, offset, value, CELL_CURSOR_BUSY);
    }
    if (AsciiShown() && (offset != cursor || (flags & 2)))
      PaintAsciiBytes(offset, value, ColorSet[entry == 26 ? 26 : 18]);
    ScreenAttr = ColorSet[4];
    ScrGotoXY(x + (i32)(2 * w), y);
    ScrPutChar(u' ');
  }
  PaintStatusArea(PAINT_REFRESH);
  ScrPopState();
  ConsoleRelease();
}

static u32 sCursorDraws;

void DrawCursorCell(i32* x, i32* y, u32 offset, u32 value, u32 mode) {
  if (mode == CELL_CURSOR_BUSY && !CommandAreaActive && !IsBoxOpen()) mode = CELL_CURSOR;
  u32 blink = sCursorDraws++;
  CellPosition(offset, x, y);
  ScrPushState();
  if (mode == CELL_ORDINARY) {
    HighlightCursorAxes(offset, ColorSet[3]);
    ScrGotoXY(*x, *y);
    ValueColor(offset, value);
    PaintValueHex(value);
    PaintAsciiMirror(*x, *y, offset, value, true);
    ScrPopState();
    return;
  }
  u32 attribute = ColorSet[AsciiEditing() ? 23 : 5];
  if (mode == CELL_CURSOR_BUSY) attribute = ColorSet[6];
  HighlightCursorAxes(offset, ColorSet[17]);
  PaintStatusArea(PAINT_CURSOR_OFFSET);
  bool drawValue = true;
  if (MsrEditState) {
    drawValue = blink % 200 == 0;
    attribute = (blink / 200) % 2 ? ColorSet[7] : ColorSet[5];
  }
  if (drawValue) {
    ScrGotoXY(*x, *y);
    ScreenAttr = attribute;
    PaintValueHex(value);
    PaintAsciiMirror(*x, *y, offset, value, false);
  }
  ScrPopState();
}
