// The message window and the error box.
#include "ui/MessageWindow.h"
#include "app/MainLoop.h"
#include "base/String.h"
#include "platform/Screen.h"
#include "platform/Timer.h"
#include "ui/ColorSet.h"
#include "ui/PopupBox.h"

static i32 LongestLine(const char16_t* const* lines, i32* count) {
  i32 longest = 0, n = 0;
  for (; lines[n]; n++) {
    i32 length = (i32)StrLen16(lines[n]);
    if (length > longest) longest = length;
  }
  *count = n;
  return longest;
}

u32 MessageWindow(const char16_t* const* lines, bool wait) {
  i32 n;
  i32 w = LongestLine(lines, &n);
  BoxLayout(w, n);
  BoxOpen();
  BoxTitle(lines[0], w + 2);
  for (i32 i = 1; i < n; i++) {
    ScrGotoXY(PopupBox.left + 2, PopupBox.top + i + 1);
    ScrPutString(lines[i]);
  }
  if (!wait) return 0;
  u32 key = DispatchKey(0, nullptr);
  BoxClose();
  return key;
}

void ReportError(const char16_t* message) {
  ScrPushState();
  Chirp(100, 300);
  ScreenAttr = ColorSet[13];
  const char16_t* lines[] = {u"Error", message, nullptr};
  MessageWindow(lines, true);
  ScrPopState();
}
