// The paged list: 19 rows a page, drawn by the caller's row callback.
#include "app/MainLoop.h"
#include "platform/Console.h"
#include "platform/Keyboard.h"
#include "platform/Screen.h"
#include "ui/ColorSet.h"
#include "ui/PickMenu.h"
#include "ui/StatusLine.h"

static const i32 PAGE = (i32)PAGED_LIST_ROWS;

struct ListPosition {
  i32 page, row;  // first row of the page, row on the page
};

static i32 RowsOnPage(i32 page, i32 total) { return page + PAGE > total ? total % PAGE : PAGE; }

static ListPosition Move(ListPosition at, u32 key, i32 total) {
  switch (key) {
    case KEY_HOME: at.row = 0; break;
    case KEY_END: at.row = at.page + PAGE > total ? total % PAGE - 1 : PAGE - 1; break;
    case KEY_UP: at.row--; break;
    case KEY_DOWN: at.row++; break;
    case KEY_PGUP: at.row -= PAGE; break;
    case KEY_PGDN: at.row += PAGE; break;
  }
  if (at.row < 0) {
    at.row = PAGE - 1;
    at.page -= PAGE;
  }
  if (at.row > PAGE - 1) {
    at.row = 0;
    at.page += PAGE;
  }
  return at;
}

static bool Allowed(ListPosition at, i32 total) { return at.page >= 0 && at.page + at.row + 1 <= total; }

// Returns the row's old attribute (of its first cell), which the whole row gets back later.
static u32 RecolorRow(i32 row, u32 attribute) {
  return ScrRecolorRect(0, PAGED_LIST_TOP + row, 79, -1, attribute, 0xFF, 16);
}

i32 PagedList(PagedListRows rowCallback) {
  ScrPushState();
  ConHideCursor();
  u32 busy = BusyFlag;
  BusyFlag = 1;
  StatusLine(u"<Home><End> Top/Bottom, <PgDn><PgUp> Next/Prev page, <ENTER> Select", STATUS_SET);
  ListPosition at = {0, 0}, drawn = {-1, -1};
  i32 total = 0;
  u32 rowAttribute = 0, key = 0;
  for (;;) {
    if (at.page != drawn.page) {
      total = (i32)rowCallback((u32)at.page, (u32)RowsOnPage(at.page, total == 0 ? PAGE : total));
      if (total <= 0) {
        key = KEY_ESC;
        break;
      }
    }
    if (at.page != drawn.page || at.row != drawn.row) rowAttribute = RecolorRow(at.row, ColorSet[29]);
    drawn = at;
    key = DispatchKey(0, nullptr);
    if (key == KEY_ENTER || key == KEY_ESC) break;
    ListPosition next = Move(at, key, total);
    if (Allowed(next, total)) at = next;
    if (at.row != drawn.row) RecolorRow(drawn.row, rowAttribute);
  }
  BusyFlag = busy;
  ScrPopState();
  if (key == KEY_ENTER) return at.page + at.row;
  StatusLine(nullptr, STATUS_SET);
  return -1;
}
