#include "platform/Console.h"
#include "platform/Firmware.h"
#include "platform/Screen.h"
#include "base/Text.h"
#include "ui/ColorSet.h"

ConsoleWindowRect ConsoleWindow = {1, 1, 80, 25};
ConsoleTraffic gConsoleTraffic;

// What the program wants the console to use (0-based cursor).
static u32 sAttribute = 0x07;
static bool sAttributeKnown;
static i32 sCursorX, sCursorY;
static bool sCursorVisible = true;

// What the console shows, cell by cell; attribute 0xFFFF marks a cell as unknown.
static ScreenCell sShown[SCREEN_CELLS];
static bool sShownValid;

static void ForgetAll() {
  for (u32 i = 0; i < SCREEN_CELLS; i++) sShown[i].attribute = 0xFFFF;
  sShownValid = true;
}

static void ApplyAttribute(u32 attribute) {
  if (FwConAttribute() == attribute) return;
  FwConSetAttribute((u8)attribute);
  gConsoleTraffic.attributeCalls++;
}

static void ApplyCursor(i32 x, i32 y) {
  if ((i32)FwConCursorColumn() == x && (i32)FwConCursorRow() == y) return;
  FwConSetCursor((u32)x, (u32)y);
  gConsoleTraffic.cursorCalls++;
}

static void Output(const char16_t* text, u32 length) {
  FwConOutput(text);
  gConsoleTraffic.outputCalls++;
  gConsoleTraffic.outputCharacters += length;
}

void ConsoleSync() {
  if (sAttributeKnown) ApplyAttribute(sAttribute);
  if (sCursorX >= 0 && sCursorX < SCREEN_COLUMNS && sCursorY >= 0 && sCursorY < SCREEN_ROWS)
    ApplyCursor(sCursorX, sCursorY);
}

void ConsoleSyncCursor() {
  if (sCursorVisible && sCursorX >= 0 && sCursorX < SCREEN_COLUMNS && sCursorY >= 0 && sCursorY < SCREEN_ROWS)
    ApplyCursor(sCursorX, sCursorY);
}

void ConSetAttr(u32 attribute) {
  sAttribute = attribute & 0x7F;
  sAttributeKnown = true;
}

void ConSetForeground(u32 colour) { ConSetAttr((colour & 0x0F) | (sAttribute & 0xF0)); }
void ConSetBackground(u32 colour) { ConSetAttr(((colour & 0x07) << 4) | (sAttribute & 0x0F)); }
u32 ConAttr() { return sAttribute; }

int ConGotoXY(i32 column, i32 row) {
  sCursorX = column - 1;
  sCursorY = row - 1;
  return 0;
}

i32 ConWhereX() { return sCursorX + 1; }
i32 ConWhereY() { return sCursorY + 1; }

// The bottom-right cell is never written: writing it makes a console scroll.
static const u32 LAST_SENDABLE_CELL = SCREEN_CELLS - 2;

struct HeldCells {
  u32 depth;
  const ScreenCell* cells;
  u32 first, last;
};
static HeldCells sHeld = {0, nullptr, SCREEN_CELLS, 0};

static void SendChangedCells(const ScreenCell* cells, u32 first, u32 last);

void ConsoleHold() { sHeld.depth++; }

void ConsoleRelease() {
  if (sHeld.depth == 0 || --sHeld.depth > 0) return;
  if (sHeld.cells && sHeld.first <= sHeld.last) SendChangedCells(sHeld.cells, sHeld.first, sHeld.last);
  sHeld = {0, nullptr, SCREEN_CELLS, 0};
}

void ConsoleShowCells(const ScreenCell* cells, u32 first, u32 last) {
  if (last > LAST_SENDABLE_CELL) last = LAST_SENDABLE_CELL;
  if (last < first) return;
  gConsoleTraffic.cellsShown += last - first + 1;
  if (!sHeld.depth) {
    SendChangedCells(cells, first, last);
    return;
  }
  sHeld.cells = cells;
  if (first < sHeld.first) sHeld.first = first;
  if (last > sHeld.last) sHeld.last = last;
}

static void SendChangedCells(const ScreenCell* cells, u32 first, u32 last) {
  if (!sShownValid) ForgetAll();
  char16_t run[SCREEN_COLUMNS + 1];
  u32 i = first;
  while (i <= last) {
    u32 attribute = cells[i].attribute & 0x7F;
    if (sShown[i].character == cells[i].character && sShown[i].attribute == attribute) {
      i++;
      continue;
    }
    u32 start = i, length = 0;
    u32 rowEnd = (start / SCREEN_COLUMNS + 1) * SCREEN_COLUMNS - 1;
    while (i <= last && i <= rowEnd && (u32)(cells[i].attribute & 0x7F) == attribute &&
           (sShown[i].character != cells[i].character || sShown[i].attribute != attribute)) {
      run[length++] = cells[i].character;
      sShown[i].character = cells[i].character;
      sShown[i].attribute = (u16)attribute;
      i++;
    }
    run[length] = 0;
    ApplyAttribute(attribute);
    ApplyCursor((i32)(start % SCREEN_COLUMNS), (i32)(start / SCREEN_COLUMNS));
    Output(run, length);
  }
}

void ConsoleForget(u32 first, u32 last) {
  if (!sShownValid) ForgetAll();
  for (u32 i = first; i <= last && i < SCREEN_CELLS; i++) sShown[i].attribute = 0xFFFF;
}

// Direct output at the console cursor. The console then shows something the shadow
// screen may not hold, so those cells are forgotten; text with control characters moves
// the console in ways not followed here, so then everything is forgotten.
static void OutputAtCursor(const char16_t* text) {
  if (sHeld.cells && sHeld.first <= sHeld.last) {  // what is held goes first, in order
    SendChangedCells(sHeld.cells, sHeld.first, sHeld.last);
    sHeld.first = SCREEN_CELLS;
    sHeld.last = 0;
  }
  ConsoleSync();
  u32 length = 0;
  bool control = false;
  for (; text[length]; length++)
    if (text[length] < 0x20) control = true;
  if (length == 0) return;
  Output(text, length);
  u32 start = (u32)(sCursorY * SCREEN_COLUMNS + sCursorX);
  if (control)
    ForgetAll();
  else
    ConsoleForget(start, start + length - 1);
  sCursorX = (i32)FwConCursorColumn();
  sCursorY = (i32)FwConCursorRow();
}

int ConPutString(const char16_t* text) {
  OutputAtCursor(text);
  return 0;
}

int ConPutChar(char16_t ch) {
  char16_t text[2] = {ch, 0};
  OutputAtCursor(text);
  return 0;
}

void ConPutStringColored(u32 colour, const char16_t* text) {
  u32 remembered = sAttribute;
  ConSetForeground(colour);
  ConPutString(text);
  ConSetAttr(remembered);
}

void ConSetWindow(u32 left, u32 top, u32 right, u32 bottom) {
  ConsoleWindow.left = (u8)left;
  ConsoleWindow.top = (u8)top;
  ConsoleWindow.right = (u8)right;
  ConsoleWindow.bottom = (u8)bottom;
}

void ConGetTextInfo(TextInfo* info) {
  info->windowLeft = ConsoleWindow.left;
  info->windowTop = ConsoleWindow.top;
  info->windowRight = ConsoleWindow.right;
  info->windowBottom = ConsoleWindow.bottom;
  info->attribute = (u8)(sAttributeKnown ? sAttribute : FwConAttribute());
  info->cursorX = (u8)(ConWhereX());
  info->cursorY = (u8)(ConWhereY());
}

void ConGotoXYAttr(i32 column, i32 row, u32 colorIndex) {
  ConGotoXY(column, row);
  ConSetAttr(ColorSet[colorIndex]);
}

int ConShowCursor() {
  sCursorVisible = true;
  ConsoleSync();
  FwConEnableCursor(true);
  return 0;
}

int ConHideCursor() {
  sCursorVisible = false;
  FwConEnableCursor(false);
  return 0;
}

void ConPrintArgs(const char16_t* format, const FormatArg* args, usize count) {
  char16_t text[800];
  FormatArgs(text, ARRAY_COUNT(text), format, args, count);
  i32 column = sCursorX, row = sCursorY;
  OutputAtCursor(text);
  if (!ShadowScreen) return;
  for (u32 i = 0; text[i]; i++) {
    u32 cell = (u32)(row * SCREEN_COLUMNS + column) + i;
    if (cell >= SCREEN_CELLS) break;
    if (!IsPrintable(text[i])) continue;
    ShadowScreen[cell].character = text[i];
    ShadowScreen[cell].attribute = (u16)sAttribute;
  }
}

void ConsoleInit() {
  sAttribute = FwConAttribute() & 0x7F;
  sAttributeKnown = true;
  sCursorX = (i32)FwConCursorColumn();
  sCursorY = (i32)FwConCursorRow();
  sShownValid = false;
}
