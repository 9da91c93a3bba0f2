#include "platform/Screen.h"
#include "platform/Console.h"
#include "platform/Files.h"
#include "platform/Hardware.h"
#include "base/String.h"
#include "ui/ColorSet.h"

ScreenCell* ShadowScreen;
u32 ScreenAttr = 0x07;
i32 ScreenX, ScreenY;
u32 ScrToFile;
FwFile* ScrFile;
u32 ScrBoxRedirect;

const char16_t ScreenBlanks[] =
    u"                                                                                ";

struct RedirectBox {
  i32 left, top, right, bottom;
  ScreenCell* saved;
};
static RedirectBox sBox;

struct ScreenState {
  u8 attribute;
  i32 x, y;
  i32 boxRedirect;
  i32 consoleColumn, consoleRow;
};
static ScreenState sStateStack[4];
static u32 sStateCount;

bool ScreenAllocate() {
  sStateCount = 0;
  ScrToFile = 0;
  ScrBoxRedirect = 0;
  ScrClearRedirectBox();
  ShadowScreen = (ScreenCell*)PoolAlloc(SCREEN_CELLS * sizeof(ScreenCell));
  return ShadowScreen != nullptr;
}

void ScreenFree() {
  PoolFree(ShadowScreen);
  ShadowScreen = nullptr;
}

void ScrSetRedirectBox(i32 left, i32 top, i32 right, i32 bottom, ScreenCell* savedBackground) {
  sBox = {left, top, right, bottom, savedBackground};
}

void ScrClearRedirectBox() { sBox = {0, 0, -1, -1, nullptr}; }

static u32 CellIndex(i32 x, i32 y) { return (u32)(y * SCREEN_COLUMNS + x); }

// Stores a cell where it belongs; true when it went to the shadow screen (and so must be
// shown), false when it went into the open box's saved background or off the screen.
static bool StoreCell(i32 x, i32 y, char16_t ch, u32 attribute) {
  if (ScrBoxRedirect && sBox.saved && x >= sBox.left && x <= sBox.right && y >= sBox.top &&
      y <= sBox.bottom) {
    ScreenCell* cell = &sBox.saved[(y - sBox.top) * (sBox.right - sBox.left + 1) + (x - sBox.left)];
    cell->character = ch;
    cell->attribute = (u16)(attribute & 0xFF);
    return false;
  }
  u32 index = CellIndex(x, y);
  if (x < 0 || y < 0 || index >= SCREEN_CELLS || !ShadowScreen) return false;
  ShadowScreen[index].character = ch;
  ShadowScreen[index].attribute = (u16)(attribute & 0xFF);
  return true;
}

static void ShowRange(u32 first, u32 last) {
  if (ShadowScreen && first <= last) ConsoleShowCells(ShadowScreen, first, last);
}

i32 ScrGotoXY(i32 x, i32 y) {
  ScreenX = x;
  ScreenY = y;
  ConGotoXY(x + 1, y + 1);
  return y;
}

static void WriteToFile(const char16_t* text, i32 from, i32 to) {
  char line[256];
  u32 n = 0;
  for (i32 i = from; i <= to && n < sizeof(line); i++) line[n++] = (char)text[i];
  FileWrite(line, 1, n, ScrFile);
}

int ScrPutText(const char16_t* text, i32 from, i32 to) {
  i32 length = (i32)StrLen16(text);
  if (length == 0) return 1;
  if (to == -1) to = length - 1;
  if (ScrToFile) {
    WriteToFile(text, from, to);
    return 0;
  }
  ConSetAttr(ScreenAttr);
  u32 first = SCREEN_CELLS, last = 0;
  for (i32 i = from; i <= to && i < length; i++) {
    if (StoreCell(ScreenX, ScreenY, text[i], ScreenAttr)) {
      u32 index = CellIndex(ScreenX, ScreenY);
      if (index < first) first = index;
      last = index;
    }
    ScreenX++;
  }
  ShowRange(first, last);
  ConGotoXY(ScreenX + 1, ScreenY + 1);
  return 0;
}

int ScrPutString(const char16_t* text) { return ScrPutText(text, 0, -1); }

int ScrPutChar(char16_t ch) {
  if (ScrToFile) {
    FilePutByte(ch, ScrFile);
    return 0;
  }
  if (StoreCell(ScreenX, ScreenY, ch, ScreenAttr)) {
    ConSetAttr(ScreenAttr);
    u32 index = CellIndex(ScreenX, ScreenY);
    ShowRange(index, index);
  }
  ScrGotoXY(ScreenX + 1, ScreenY);
  return 0;
}

void ScrPutHotText(const char16_t* text, char16_t marker) {
  u32 hot = (ScreenAttr & 0xF0) | (ColorSet[10] & 0x0F);
  usize length = StrLen16(text);
  if (length > 79) length = 79;
  bool inHotPart = false;
  u32 first = SCREEN_CELLS, last = 0;
  for (usize i = 0; i < length; i++) {
    if (marker && text[i] == marker) inHotPart = true;
    bool isHot = marker ? inHotPart : i == 0;
    u32 index = CellIndex(ScreenX + (i32)i, ScreenY);
    if (!ShadowScreen || index >= SCREEN_CELLS) break;
    ShadowScreen[index].character = text[i];
    ShadowScreen[index].attribute = (u16)(isHot ? hot : ScreenAttr);
    if (index < first) first = index;
    last = index;
  }
  ShowRange(first, last);
  ScrGotoXY(ScreenX + (i32)length, ScreenY);
}

void ScrClearWindow() {
  u32 attribute = ConAttr();
  for (i32 row = ConsoleWindow.top; row <= ConsoleWindow.bottom; row++) {
    i32 y = row - 1;
    for (i32 column = ConsoleWindow.left; column <= ConsoleWindow.right; column++) {
      u32 index = CellIndex(column - 1, y);
      if (!ShadowScreen || index >= SCREEN_CELLS) continue;
      ShadowScreen[index].character = u' ';
      ShadowScreen[index].attribute = (u16)attribute;
    }
    ShowRange(CellIndex(ConsoleWindow.left - 1, y), CellIndex(ConsoleWindow.right - 1, y));
    ConGotoXY(ConsoleWindow.left, row);
  }
}

void ScrClearMainArea() {
  ConSetWindow(1, 2, 80, 24);
  ConSetAttr(ColorSet[4]);
  ScrClearWindow();
  ConSetWindow(1, 1, 80, 25);
}

int ScrClearToEol() { return ScrPutText(ScreenBlanks, ScreenX, 79); }

int ScrSaveRect(ScreenCell** saved, i32 left, i32 top, i32 right, i32 bottom) {
  i32 width = right - left + 1, height = bottom - top + 1;
  ScreenCell* buffer = (ScreenCell*)PoolAlloc((usize)(width * height) * sizeof(ScreenCell));
  if (!buffer) {
    *saved = nullptr;
    return 1;
  }
  for (i32 y = 0; y < height; y++)
    for (i32 x = 0; x < width; x++) buffer[y * width + x] = ShadowScreen[CellIndex(left + x, top + y)];
  *saved = buffer;
  return 0;
}

int ScrRestoreRect(ScreenCell** saved, i32 left, i32 top, i32 right, i32 bottom) {
  if (!*saved) return 1;
  i32 width = right - left + 1;
  for (i32 y = top; y <= bottom; y++) {
    for (i32 x = left; x <= right; x++) ShadowScreen[CellIndex(x, y)] = (*saved)[(y - top) * width + (x - left)];
    ShowRange(CellIndex(left, y), CellIndex(right, y));
  }
  PoolFree(*saved);
  *saved = nullptr;
  return 0;
}

int ScrPushState() {
  if (sStateCount >= ARRAY_COUNT(sStateStack)) return 1;
  ScreenState& state = sStateStack[sStateCount++];
  state.attribute = (u8)ScreenAttr;
  state.x = ScreenX;
  state.y = ScreenY;
  state.boxRedirect = (i32)ScrBoxRedirect;
  state.consoleColumn = ConWhereX();
  state.consoleRow = ConWhereY();
  return 0;
}

int ScrPopState() {
  if (sStateCount == 0) return 1;
  const ScreenState& state = sStateStack[--sStateCount];
  ScreenAttr = state.attribute;
  ScrGotoXY(state.x, state.y);
  ScrBoxRedirect = (u32)state.boxRedirect;
  ConGotoXY(state.consoleColumn, state.consoleRow);
  return 0;
}

u32 ScrRecolorRect(i32 x0, i32 y0, i32 x1, i32 y1, u32 value, u32 mask, u32 keepForeground) {
  if (y1 < 0) y1 = y0;
  if (x1 < x0 || y1 < y0) return 0xFFFF;
  u32 masked = value & mask;
  u32 firstOld = 0xFFFF;
  ScrPushState();
  for (i32 y = y0; y <= y1; y++) {
    for (i32 x = x0; x <= x1; x++) {
      u32 index = CellIndex(x, y);
      if (index >= SCREEN_CELLS) continue;
      u32 old = ShadowScreen[index].attribute;
      if (firstOld == 0xFFFF) firstOld = old;
      u32 updated = (old & (u32)~mask & 0xFF) | masked;
      if ((old & 0x0F) == keepForeground) updated = (old & (u32)~mask & 0xFF) | (masked & 0xF0) | keepForeground;
      ShadowScreen[index].attribute = (u16)updated;
    }
    ShowRange(CellIndex(x0, y), CellIndex(x1, y));
  }
  ScrPopState();
  return firstOld;
}

u32 ScrCellAttr(i32 x, i32 y) { return ShadowScreen ? ShadowScreen[CellIndex(x, y)].attribute : 0; }
char16_t ScrCellChar(i32 x, i32 y) { return ShadowScreen ? (char16_t)ShadowScreen[CellIndex(x, y)].character : 0; }
