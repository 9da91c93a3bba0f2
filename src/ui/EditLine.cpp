#include "ui/EditLine.h"
#include "app/AccessType.h"
#include "app/MainLoop.h"
#include "base/Memory.h"
#include "base/String.h"
#include "platform/Console.h"
#include "platform/Keyboard.h"
#include "platform/Screen.h"

struct LineEdit {
  i32 x, row, width;
  char16_t* text;
  i32 caret, viewStart;
  u32 upDownStay;
  const u32* endKeys;
  bool firstKey, replaceOnType, ended;
};

static i32 Length(const LineEdit& e) { return (i32)StrLen16(e.text); }

static void BlankField(const LineEdit& e) {
  ScrGotoXY(e.x, e.row);
  ScrPutText(ScreenBlanks, 0, e.width - 1);
}

static bool IsEndKey(const LineEdit& e, u32 key) {
  if (!e.endKeys) return false;
  for (const u32* k = e.endKeys; *k; k++)
    if (*k == key) return true;
  return false;
}

static void RemoveAt(LineEdit* e, i32 index) {
  i32 length = Length(*e);
  if (index < 0 || index >= length) return;
  CopyBytes(e->text + index, e->text + index + 1, (usize)(length - index) * sizeof(char16_t));
}

static void TypeCharacter(LineEdit* e, char16_t ch) {
  if (e->caret >= EDIT_LINE_MAX || Length(*e) >= EDIT_LINE_MAX) return;
  // Typing over a pre-filled field replaces its text, unless the caller put the caret
  // after it to append.
  if (e->firstKey && e->replaceOnType) {
    e->text[0] = 0;
    e->caret = 0;
    BlankField(*e);
  }
  i32 length = Length(*e);
  if (e->caret > length) e->caret = length;
  CopyBytes(e->text + e->caret + 1, e->text + e->caret, (usize)(length - e->caret + 1) * sizeof(char16_t));
  e->text[e->caret++] = ch;
}

static void ActOnKey(LineEdit* e, u32 key) {
  if (IsEndKey(*e, key)) {
    e->ended = true;
    return;
  }
  switch (key) {
    case KEY_UP:
    case KEY_DOWN:
      if (!e->upDownStay) e->ended = true;
      return;
    case KEY_HOME: e->caret = 0; return;
    case KEY_END: e->caret = Length(*e) < EDIT_LINE_MAX ? Length(*e) : EDIT_LINE_MAX; return;
    case KEY_LEFT:
      if (e->caret > 0) e->caret--;
      return;
    case KEY_RIGHT:
      if (e->caret < 80 && e->caret < Length(*e)) e->caret++;
      return;
    case KEY_BACKSPACE:
      if (e->caret > 0) RemoveAt(e, --e->caret);
      return;
    case KEY_DELETE: RemoveAt(e, e->caret); return;
    case KEY_ENTER:
    case KEY_ESC: e->ended = true; return;
    case KEY_BACKQUOTE:
      if (CommandAreaActive) e->ended = true;
      return;
  }
  char16_t ch = (char16_t)(key & 0xFF);
  if (ch < 0x20) {
    if (!e->upDownStay) e->ended = true;
    return;
  }
  TypeCharacter(e, ch);
}

// The view follows the caret at once, so that Home and End in a long text keep it
// visible; the caret may stand on the cell right after the field.
static void KeepCaretInView(LineEdit* e) {
  if (e->caret - e->viewStart > e->width) e->viewStart = e->caret - e->width;
  if (e->caret < e->viewStart) e->viewStart = e->caret;
}

// Redraws the whole field, so that no character of a shortened text stays behind.
static void Redraw(const LineEdit& e) {
  ScrGotoXY(e.x, e.row);
  i32 shown = Length(e) - e.viewStart;
  if (shown > e.width) shown = e.width;
  if (shown > 0) ScrPutText(e.text, e.viewStart, e.viewStart + shown - 1);
  if (shown < 0) shown = 0;
  if (shown < e.width) ScrPutText(ScreenBlanks, 0, e.width - shown - 1);
  ScrGotoXY(e.x + e.caret - e.viewStart, e.row);
}

u32 EditLine(i32 x, char16_t* text, i32 width, i32* caret, u32 upDownStay, const u32* endKeys) {
  i32 savedColumn = Current->cursorColumn;
  LineEdit e = {x, ScreenY, width, text, *caret, 0, upDownStay, endKeys, true, *caret == 0, false};
  if (width > 80) e.width = 80;
  if (e.caret > Length(e)) e.caret = Length(e);
  KeepCaretInView(&e);
  Redraw(e);
  ConShowCursor();
  u32 key = 0;
  while (!e.ended) {
    if (KeyAvailable()) {
      key = DispatchKey(0, nullptr);
      if (text[0] == 0) BlankField(e);
      ActOnKey(&e, key);
      KeepCaretInView(&e);
      Redraw(e);
      e.firstKey = false;
    }
    RepaintValues(0);
  }
  if (key == KEY_ESC) e.caret = 0;
  ConHideCursor();
  *caret = e.caret;
  Current->cursorColumn = savedColumn;
  return key;
}
