// The pick menu: choices with key characters, laid out in columns when long.
#include "ui/PickMenu.h"
#include "app/MainLoop.h"
#include "base/String.h"
#include "base/Text.h"
#include "platform/Keyboard.h"
#include "platform/Screen.h"
#include "platform/Timer.h"
#include "ui/ColorSet.h"
#include "ui/PopupBox.h"
#include "ui/StatusLine.h"

struct Pick {
  i32 count, width, perColumn;  // choices, longest entry, choices per column
  i32 current;
  bool chosen, cancelled;
};

static char16_t KeyCharacter(i32 k) { return (char16_t)(k < 10 ? u'0' + k : u'A' + (k - 10)); }

static i32 ChoiceOfCharacter(u32 key, i32 count) {
  if (key & (KEY_CTRL | KEY_ALT) || key & 0xFF00) return -1;
  u32 c = key & 0xFF;
  if (c >= 'a' && c <= 'z') c -= 'a' - 'A';
  i32 k = -1;
  if (c >= '0' && c <= '9') k = (i32)(c - '0');
  if (c >= 'A' && c <= 'Z') k = (i32)(c - 'A') + 10;
  return k < count ? k : -1;
}

static i32 ChoiceColumn(const Pick& p, i32 k) { return PopupBox.left + (p.width + 5) * (k / p.perColumn) + 1; }
static i32 ChoiceRow(const Pick& p, i32 k) { return PopupBox.top + 2 + k % p.perColumn; }

// With some widths the column count leaves fewer face rows than a column needs; the face
// then grows so that no choice lands on the shadow or off the box.
static void FitRows(i32 perColumn) {
  if (perColumn + 2 <= PopupBox.faceHeight) return;
  PopupBox.faceHeight = perColumn + 2;
  PopupBox.top = (SCREEN_ROWS - PopupBox.faceHeight) / 2;
  PopupBox.bottom = PopupBox.top + PopupBox.faceHeight;
}

static void DrawChoices(const Pick& p, const char16_t* const* lines) {
  char16_t text[FORMAT_TEXT_CHARS];
  for (i32 k = 0; k < p.count; k++) {
    ScrGotoXY(ChoiceColumn(p, k), ChoiceRow(p, k));
    ScrPutString(FormatText(text, u"(%c) %s", KeyCharacter(k), lines[k + 1]));
  }
}

static void DrawKeyCharacter(const Pick& p, u32 attribute) {
  ScreenAttr = attribute;
  ScrGotoXY(ChoiceColumn(p, p.current) + 1, ChoiceRow(p, p.current));
  ScrPutChar(KeyCharacter(p.current));
}

static void ActOnKey(Pick* p, u32 key) {
  switch (key) {
    case KEY_UP:
    case KEY_LEFT: p->current = p->current == 0 ? p->count - 1 : p->current - 1; return;
    case KEY_DOWN:
    case KEY_RIGHT: p->current = p->current + 1 == p->count ? 0 : p->current + 1; return;
    case KEY_ENTER: p->chosen = true; return;
    case KEY_ESC: p->cancelled = true; return;
  }
  i32 k = ChoiceOfCharacter(key, p->count);
  if (k < 0) return;
  p->current = k;
  p->chosen = true;
}

// The key character of the current choice blinks: its foreground flips on every tick
// without a key.
static void RunKeys(Pick* p) {
  u32 blink = ColorSet[9], lastTick = TickCount();
  while (!p->chosen && !p->cancelled) {
    if (KeyAvailable()) {
      DrawKeyCharacter(*p, ColorSet[9]);
      ActOnKey(p, DispatchKey(0, nullptr));
      blink = ColorSet[9] ^ 0x0F;
      DrawKeyCharacter(*p, blink);
    } else if (TickCount() != lastTick) {
      lastTick = TickCount();
      blink ^= 0x0F;
      DrawKeyCharacter(*p, blink);
    }
    RepaintValues(0);
  }
}

i32 PickMenu(const char16_t* const* lines, i32 initial) {
  Pick p = {0, 0, 1, 0, false, false};
  for (i32 i = 0; lines[i]; i++) {
    if (i > 0) p.count++;
    i32 length = (i32)StrLen16(lines[i]);
    if (length > p.width) p.width = length;
  }
  if (p.count == 0) return -1;
  ScrPushState();
  i32 columns = BoxLayout(p.width + 3, p.count + 1);
  p.perColumn = (p.count - 1) / columns + 1;
  FitRows(p.perColumn);
  p.current = initial >= 0 && initial < p.count ? initial : 0;
  StatusLine(u"<Arrow> to move or <0-9>/<A-Z> to select", STATUS_SET);
  ScreenAttr = ColorSet[9];
  BoxOpen();
  BoxTitle(lines[0], columns * (p.width + 6) - 1);
  DrawChoices(p, lines);
  RunKeys(&p);
  BoxClose();
  ScrPopState();
  if (p.chosen) return p.current;
  StatusLine(nullptr, STATUS_SET);
  return -1;
}
