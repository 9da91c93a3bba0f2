#include "ui/CommandListEditor.h"
#include "base/Memory.h"
#include "base/String.h"
#include "platform/Keyboard.h"
#include "platform/Screen.h"
#include "platform/Timer.h"
#include "ui/ColorSet.h"
#include "ui/EditLine.h"
#include "ui/PopupBox.h"
#include "ui/StatusLine.h"

static const i32 LAST_LINE = (i32)COMMAND_LIST_LINES - 1;
static const i32 SHOWN_LINES = 10;
static const i32 FIELD_WIDTH = (i32)COMMAND_LINE_CHARS;
static const u32 CLEAR_ALL_KEY = KEY_CTRL | 'a';
static const u32 DELETE_LINE_KEY = KEY_CTRL | 'd';
// The editor's own keys end the line edit instead of typing their letter.
static const u32 EDITOR_KEYS[] = {CLEAR_ALL_KEY, DELETE_LINE_KEY, 0};


struct ListEdit {
  char16_t (*lines)[COMMAND_LINE_CHARS];
  i32 line, first, caret;
  bool redraw;
};

static i32 TextColumn() { return PopupBox.left + 2; }
static i32 TextRow(const ListEdit& e, i32 line) { return PopupBox.top + 2 + line - e.first; }

static void OpenBox(const char16_t* title) {
  ScreenAttr = ColorSet[22];
  BoxOpen();
  BoxTitle(title, 42);
}

static void DrawLines(const ListEdit& e) {
  for (i32 i = e.first; i < e.first + SHOWN_LINES; i++) {
    ScrGotoXY(TextColumn(), TextRow(e, i));
    ScrPutString(e.lines[i]);
    ScrPutText(ScreenBlanks, 0, 20 - (i32)StrLen16(e.lines[i]));  // a shown line has 21 cells
  }
}

// The editor works on a full-size copy: a line holds only 19 characters, but the line
// editor may grow its text to 79 before the line is cut back.
static u32 EditCurrentLine(ListEdit* e) {
  char16_t text[EDIT_LINE_MAX + 1];
  StrCopyN16(text, ARRAY_COUNT(text), e->lines[e->line]);
  ScrGotoXY(TextColumn(), TextRow(*e, e->line));
  u32 key = EditLine(TextColumn(), text, FIELD_WIDTH, &e->caret, 0, EDITOR_KEYS);
  StrCopyN16(e->lines[e->line], COMMAND_LINE_CHARS, text);
  return key;
}

static void InsertLineAfter(ListEdit* e) {
  if (e->lines[LAST_LINE][0]) return;
  if (e->line == LAST_LINE) {
    e->line++;  // past the end: refused with a chirp
    return;
  }
  CopyBytes(e->lines[e->line + 2], e->lines[e->line + 1], (usize)(LAST_LINE - e->line - 1) * sizeof(e->lines[0]));
  e->line++;
  e->lines[e->line][0] = 0;
  e->redraw = true;
}

static void DeleteLine(ListEdit* e) {
  CopyBytes(e->lines[e->line], e->lines[e->line + 1], (usize)(LAST_LINE - e->line) * sizeof(e->lines[0]));
  e->lines[LAST_LINE][0] = 0;
  e->redraw = true;
}

static void ClearBothLists(ListEdit* e) {
  SioCommandListsClear();
  e->line = 0;
  e->redraw = true;
}

static void ActOnKey(ListEdit* e, u32 key) {
  switch (key) {
    case KEY_ENTER: InsertLineAfter(e); break;
    case KEY_UP: e->line--; break;
    case KEY_DOWN:
      if (e->lines[e->line][0]) e->line++;
      break;
    case CLEAR_ALL_KEY: ClearBothLists(e); break;
    case DELETE_LINE_KEY: DeleteLine(e); break;
  }
  if (e->line > LAST_LINE || e->line < 0) {
    Chirp(500, 520);
    e->line = e->line < 0 ? 0 : LAST_LINE;
  }
}

static void Scroll(ListEdit* e) {
  i32 first = e->first;
  if (e->line - e->first > SHOWN_LINES - 1) e->first++;
  if (e->line < e->first) e->first = e->line;
  if (e->first != first) e->redraw = true;
  i32 length = (i32)StrLen16(e->lines[e->line]);
  if (e->caret > length) e->caret = length;
}

void CommandListEditor(const char16_t* title, CommandList list) {
  ScrPushState();
  StatusLine(u"<ESC> Exit  <Ctrl-D> Delete  <Ctrl-A> Clear all  <Arrows> Move", STATUS_SET);
  ListEdit e = {list, 0, 0, 0, true};
  u32 key = 0;
  while (key != KEY_ESC) {
    if (!IsBoxOpen()) {
      BoxLayout(40, 11);
      OpenBox(title);
      e.redraw = true;
    }
    if (e.redraw) DrawLines(e);
    e.redraw = false;
    key = EditCurrentLine(&e);
    ActOnKey(&e, key);
    Scroll(&e);
  }
  BoxClose();
  StatusLine(nullptr, STATUS_SET);
  ScrPopState();
}
