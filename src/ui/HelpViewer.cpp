// The scrollable help window.
#include "app/MainLoop.h"
#include "base/String.h"
#include "platform/Keyboard.h"
#include "platform/Screen.h"
#include "ui/ColorSet.h"
#include "ui/HelpScreens.h"
#include "ui/PopupBox.h"
#include "ui/StatusLine.h"

static const i32 SHOWN_ENTRIES = 13;
static const i32 PAGE_STEP = 12;

static void DrawEntries(const char16_t* const* lines, i32 first, i32 last, i32 width) {
  for (i32 i = 0; i < SHOWN_ENTRIES; i++) {
    i32 entry = first + i;
    const char16_t* text = entry <= last ? lines[entry] : u"";
    ScrGotoXY(PopupBox.left + 1, PopupBox.top + 1 + i);
    ScrPutString(text);
    i32 length = (i32)StrLen16(text);
    if (length < width + 2) ScrPutText(ScreenBlanks, 0, width + 1 - length);
  }
}

static i32 Scrolled(i32 first, u32 key) {
  switch (key) {
    case KEY_UP: return first - 1;
    case KEY_DOWN: return first + 1;
    case KEY_PGUP: return first - PAGE_STEP;
    case KEY_PGDN: return first + PAGE_STEP;
  }
  return first;
}

void HelpViewer(const char16_t* const* lines) {
  ScrPushState();
  ScreenAttr = ColorSet[14];
  i32 width = 0, last = 0;
  for (i32 i = 0; lines[i]; i++) {
    i32 length = (i32)StrLen16(lines[i]);
    if (length > width) width = length;
    last = i;
  }
  BoxLayout(width, 12);
  BoxOpen();
  StatusLine(u"Use <Arrow>,<PgUp>,<PgDn> to look up help", STATUS_SET);
  BoxTitle(lines[0], width + 2);
  i32 first = 1, shown = -1;
  u32 key = 0;
  while (key != KEY_ESC) {
    if (first != shown) DrawEntries(lines, first, last, width);
    shown = first;
    if (KeyAvailable()) {
      key = DispatchKey(0, nullptr);
      first = Scrolled(first, key);
      if (first > last) first = last;
      if (first < 1) first = 1;
    }
    RepaintValues(0);
  }
  BoxClose();
  StatusLine(nullptr, STATUS_SET);
  ScrPopState();
}

void ShowHelp() { HelpViewer(HelpText); }
