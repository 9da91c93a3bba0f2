#include "view/BitmapWindow.h"
#include "app/AccessType.h"
#include "app/MainLoop.h"
#include "app/RegisterAccess.h"
#include "base/Text.h"
#include "platform/Screen.h"
#include "ui/ColorSet.h"
#include "ui/PopupBox.h"
#include "view/Grid.h"

static const char16_t ZERO_BITS[] = u"00000000 00000000 00000000 00000000 ";
static const char16_t TICK_LINE[] = u"|  |   |    |   |    |   |    |   | ";
static const char16_t SCALE_LINE[] = u"31 28 24   20  16   12   8    4   0 ";

static i32 sLastX = -1, sLastY = -1;

void BuildBitmapLines(u32 value, u32 width, char16_t lines[3][BITMAP_LINE_CHARS + 1]) {
  const char16_t* sources[3] = {ZERO_BITS, TICK_LINE, SCALE_LINE};
  for (u32 k = 0; k < 3; k++)
    for (u32 i = 0; i <= BITMAP_LINE_CHARS; i++) lines[k][i] = sources[k][i];
  for (u32 i = 0; i < width && i < 4; i++) {
    char16_t digits[33];
    NumberToText(value & 0xFF, digits, 2);
    u32 count = 0;
    while (digits[count]) count++;
    u32 end = 9 * (3 - i) + 7;  // the byte's last digit, bit 0 of the byte
    for (u32 d = 0; d < count; d++) lines[0][end + 1 - count + d] = digits[d];
    value >>= 8;
  }
}

BitmapPlacement PlaceBitmapWindow(i32 x, i32 y, u32 width) {
  i32 height = width == 1 ? 1 : 3;
  BitmapPlacement box = {x, y + 1, x + 9 * (i32)width, 0};
  if (box.top > 23 - height) box.top = y - height - 1;
  box.bottom = box.top + height;
  if (box.right > 78) {
    box.left -= box.right - 78;
    box.right = 78;
  }
  return box;
}

// The slot may have been taken over by a dialog since the window was drawn.
static bool WindowInSlot() { return BitmapShown && PopupBox.saved && PopupBox.isBitmapWindow; }
bool BitmapWindowVisible() { return WindowInSlot(); }

void CloseBitmapWindow() {
  if (WindowInSlot()) BoxClose();
  BitmapShown = 0;
}

static void OpenWindow(const BitmapPlacement& box) {
  CloseBitmapWindow();
  PopupBox.left = box.left;
  PopupBox.top = box.top;
  PopupBox.right = box.right;
  PopupBox.bottom = box.bottom;
  PopupBox.faceWidth = box.right - box.left - 2;
  PopupBox.faceHeight = box.bottom - box.top;
  BoxOpen();
  PopupBox.isBitmapWindow = true;
  BitmapShown = 1;
}

static void DrawLines(u32 value, u32 width) {
  char16_t lines[3][BITMAP_LINE_CHARS + 1];
  BuildBitmapLines(value, width, lines);
  u32 first = BITMAP_LINE_CHARS - 9 * width;
  for (u32 k = 0; k < 3; k++) {
    if (k > 0 && width == 1) break;  // width 1: the eight bits alone, in a one-row box
    ScrGotoXY(PopupBox.left, PopupBox.top + (i32)k);
    ScrPutText(lines[k], (i32)first, (i32)BITMAP_LINE_CHARS - 2);
  }
}

u32 UpdateBitmapWindow() {
  if (!BitmapEnabled || CompareActive) {
    CloseBitmapWindow();
    return 0;
  }
  if (!WindowInSlot() && IsBoxOpen()) return 0;
  u32 width = (u32)Current->width, offset = CursorOffset();
  ScrPushState();
  ScrBoxRedirect = 0;  // the window's own text goes on the screen, not under it
  i32 x, y;
  CursorScreenPosition(&x, &y);
  ScreenAttr = ColorSet[32];
  if (x != sLastX || y != sLastY || !WindowInSlot()) OpenWindow(PlaceBitmapWindow(x, y, width));
  u32 high;
  DrawLines(ReadRegister(offset, &high, width), width);
  sLastX = x;
  sLastY = y;
  ScrPopState();
  return 0;
}
