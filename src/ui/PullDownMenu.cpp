// The pull-down menus under the menu bar titles.
#include "app/MainLoop.h"
#include "base/String.h"
#include "platform/Keyboard.h"
#include "platform/Screen.h"
#include "ui/ColorSet.h"
#include "ui/MenuBar.h"
#include "ui/PopupBox.h"

enum MenuState { MENU_OPEN, MENU_CHOSEN, MENU_LEAVE, MENU_SWITCH };

struct PullDown {
  const PullDownRecord* menus;
  i32 menu, count, width;  // entries and the longest entry of the open menu
  i32 row, ordinal;        // the highlighted entry, and its number without separators
  MenuState state;
  u32 leaveKey;
};

static i32 EntryCount(const PullDownRecord& record) {
  i32 n = 0;
  while (n < (i32)PULL_DOWN_ENTRIES && record.entries[n]) n++;
  return n;
}

static bool IsSeparator(const PullDown& p, i32 row) { return StrCompare16(p.menus[p.menu].entries[row], u"-") == 0; }

// The record that `key` opens; the end record (no entries) when none does.
static i32 FindMenu(const PullDownRecord* menus, u32 key) {
  i32 m = 0;
  while (menus[m].key != 0 && menus[m].key != key) m++;
  return m;
}

static void MarkTitle(i32 menu, u32 attribute) {
  i32 left = MenuTitleColumn[menu];
  ScrRecolorRect(left, 0, left + (i32)StrLen16(MenuBarTitles[menu]) + 1, -1, attribute, 0xF0, 16);
}

static void ColorRow(const PullDown& p, i32 row, u32 attribute) {
  i32 left = PopupBox.left;
  ScrRecolorRect(left, 1 + row, left + p.width + 1, -1, attribute, 0xFF, ColorSet[10]);
}

static void DrawEntries(const PullDown& p) {
  const PullDownRecord& record = p.menus[p.menu];
  for (i32 j = 0; j < p.count; j++) {
    if (IsSeparator(p, j)) {
      ScrGotoXY(PopupBox.left, 1 + j);
      for (i32 i = 0; i < p.width + 2; i++) ScrPutChar(u'\x2500');
    } else {
      ScrGotoXY(PopupBox.left + 1, 1 + j);
      ScrPutHotText(record.entries[j], u'<');
    }
  }
}

// The box sits right under the title, not centred.
static void OpenMenu(PullDown* p) {
  const PullDownRecord& record = p->menus[p->menu];
  p->count = EntryCount(record);
  p->width = 0;
  for (i32 j = 0; j < p->count; j++) {
    i32 length = (i32)StrLen16(record.entries[j]);
    if (length > p->width) p->width = length;
  }
  PopupBox.left = MenuTitleColumn[p->menu];
  PopupBox.top = 1;
  PopupBox.right = PopupBox.left + p->width + 4;
  PopupBox.bottom = p->count + 1;
  PopupBox.faceWidth = p->width + 2;
  PopupBox.faceHeight = p->count;
  MarkTitle(p->menu, ColorSet[29]);
  if (p->count > 0) {
    ScreenAttr = ColorSet[31];
    BoxOpen();
    DrawEntries(*p);
    ColorRow(*p, 0, ColorSet[29]);
  }
  p->row = p->ordinal = 0;
  p->state = MENU_OPEN;
}

static void CloseMenu(const PullDown& p) {
  if (p.count > 0) BoxClose();
  MarkTitle(p.menu, ColorSet[2]);
}

static void MoveUp(PullDown* p) {
  if (p->row == 0) return;
  p->row--;
  p->ordinal--;
  if (!IsSeparator(*p, p->row)) return;
  if (p->row == 0) {
    p->row++;
    p->ordinal++;
  } else {
    p->row--;
  }
}

static void MoveDown(PullDown* p) {
  if (p->row + 1 >= p->count) return;
  p->row++;
  p->ordinal++;
  if (!IsSeparator(*p, p->row)) return;
  if (p->row + 1 < p->count) {
    p->row++;
  } else {
    p->row--;
    p->ordinal--;
  }
}

static void Switch(PullDown* p, i32 menu) {
  p->menu = menu;
  p->state = MENU_SWITCH;
}

static void ActOnKey(PullDown* p, u32 key) {
  i32 row = p->row;
  switch (key) {
    case KEY_LEFT:
      if (p->menu > 0) Switch(p, p->menu - 1);
      break;
    case KEY_RIGHT:
      if (p->menu + 1 < MenuTitleCount) Switch(p, p->menu + 1);
      break;
    case KEY_UP: MoveUp(p); break;
    case KEY_DOWN: MoveDown(p); break;
    case KEY_ENTER: p->state = MENU_CHOSEN; break;
    default: {
      // Another menu's key moves there at once, without running menus inside menus.
      i32 other = FindMenu(p->menus, key);
      if (p->menus[other].key != 0) {
        Switch(p, other);
        break;
      }
      p->state = MENU_LEAVE;
      p->leaveKey = key;
    }
  }
  if (p->row != row) {
    ColorRow(*p, p->row, ColorSet[29]);
    ColorRow(*p, row, ColorSet[31]);
  }
}

// While a menu without a box (the Quit title) is up, the busy flag keeps the keys from
// running as global commands before the menu has closed.
static u32 ReadMenuKey(const PullDown& p) {
  u32 busy = BusyFlag;
  if (p.count == 0) BusyFlag = 1;
  u32 key = DispatchKey(0, nullptr);
  BusyFlag = busy;
  return key;
}

i32 PullDownMenu(u32 key, const PullDownRecord* menus) {
  i32 m = FindMenu(menus, key);
  if (menus[m].key == 0 || EntryCount(menus[m]) == 0) return -1;
  ScrPushState();
  PullDown p = {menus, m, 0, 0, 0, 0, MENU_SWITCH, 0};
  while (p.state == MENU_SWITCH) {
    OpenMenu(&p);
    while (p.state == MENU_OPEN) {
      if (KeyAvailable()) ActOnKey(&p, ReadMenuKey(p));
      RepaintValues(0);
    }
    i32 next = p.menu;
    p.menu = m;
    CloseMenu(p);
    p.menu = m = next;
  }
  ScrPopState();
  if (p.state == MENU_LEAVE) {
    DispatchKey(p.leaveKey, nullptr);
    return MENU_LEFT;
  }
  return m * 256 + p.ordinal;
}
