// Layout, opening, closing and the title bar of the pop-up box.
#include "ui/PopupBox.h"
#include "base/String.h"
#include "platform/Screen.h"
#include "ui/ColorSet.h"

i32 BoxLayout(i32 w, i32 h) {
  i32 faceWidth = w + 3, faceHeight = h + 2, columns = 1;
  if (faceHeight > 20) {
    columns = 76 / faceWidth;
    if (columns < 1) columns = 1;  // contents wider than 76 cannot be split
    faceHeight = faceHeight / columns + 2;
    faceWidth = faceWidth * columns;
  }
  PopupBox.faceWidth = faceWidth;
  PopupBox.faceHeight = faceHeight;
  PopupBox.left = (SCREEN_COLUMNS - faceWidth) / 2;
  PopupBox.top = (SCREEN_ROWS - faceHeight) / 2;
  PopupBox.right = PopupBox.left + faceWidth + 2;
  PopupBox.bottom = PopupBox.top + faceHeight;
  return columns;
}

static void PutBlanks(i32 count) {
  if (count > 0) ScrPutText(ScreenBlanks, 0, count > 80 ? 79 : count - 1);
}

// The area whose cells the slot holds; the slot's rectangle may already describe the
// next box when an open box is replaced.
struct SavedArea {
  i32 left, top, right, bottom;
};
static SavedArea sSavedArea;

static void RestoreSavedArea() {
  ScrRestoreRect(&PopupBox.saved, sSavedArea.left, sSavedArea.top, sSavedArea.right, sSavedArea.bottom);
  ScrClearRedirectBox();
  PopupBox.saved = nullptr;
  PopupBox.isBitmapWindow = false;
}

void BoxOpen() {
  // One slot: a box still open here would lose its background and leak its buffer, so it
  // is put away first and the screen under both boxes comes back in the end.
  if (PopupBox.saved) RestoreSavedArea();
  sSavedArea = {PopupBox.left, PopupBox.top, PopupBox.right, PopupBox.bottom};
  ScrSaveRect(&PopupBox.saved, PopupBox.left, PopupBox.top, PopupBox.right, PopupBox.bottom);
  u32 shadow = (u32)ColorMap[0] * 16 + ColorMap[8];
  ScrRecolorRect(PopupBox.left + 2, PopupBox.top + 1, PopupBox.right, PopupBox.bottom, shadow, 0xFF, 16);
  i32 width = PopupBox.right - PopupBox.left - 2;
  for (i32 row = PopupBox.top; row < PopupBox.bottom; row++) {
    ScrGotoXY(PopupBox.left, row);
    PutBlanks(width);
  }
  ScrSetRedirectBox(PopupBox.left, PopupBox.top, PopupBox.right, PopupBox.bottom, PopupBox.saved);
}

void BoxClose() { RestoreSavedArea(); }

void BoxTitle(const char16_t* title, i32 width) {
  u32 attribute = ScreenAttr;
  ScreenAttr = attribute ^ 0xF0;
  ScrGotoXY(PopupBox.left, PopupBox.top);
  PutBlanks(width + 1);
  ScrGotoXY(PopupBox.left + (width - (i32)StrLen16(title)) / 2, PopupBox.top);
  ScrPutString(title);
  ScreenAttr = attribute;
}
