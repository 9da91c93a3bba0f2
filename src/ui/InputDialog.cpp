// The one-line input dialog.
#include "ui/MessageWindow.h"
#include "base/String.h"
#include "platform/Keyboard.h"
#include "platform/Screen.h"
#include "ui/ColorSet.h"
#include "ui/EditLine.h"
#include "ui/PopupBox.h"

static const usize INPUT_CAPACITY = 256;
static char16_t sInputText[INPUT_CAPACITY];

const char16_t* InputDialog(const char16_t* const* lines, i32 width, const char16_t* initial) {
  ScrPushState();
  sInputText[0] = 0;
  if (initial) StrCopyN16(sInputText, EDIT_LINE_MAX + 1, initial);
  const char16_t* title = lines[0];
  const char16_t* prompt = lines[1];
  i32 hasTitle = title[0] ? 1 : 0;
  i32 w = (i32)StrLen16(prompt);
  if ((i32)StrLen16(title) > w) w = (i32)StrLen16(title);
  BoxLayout(width + w, hasTitle + 1);
  ScreenAttr = ColorSet[11];
  BoxOpen();
  if (hasTitle) BoxTitle(title, width + w + 2);
  ScrGotoXY(PopupBox.left + 1, PopupBox.top + hasTitle + 1);
  ScrPutString(prompt);
  i32 caret = 0;
  u32 key = EditLine(ScreenX, sInputText, width, &caret, 1);
  BoxClose();
  if (key == KEY_ESC) sInputText[0] = 0;
  ScrPopState();
  return sInputText;
}
