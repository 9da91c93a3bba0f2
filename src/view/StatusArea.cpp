#include "view/StatusArea.h"
#include "platform/Screen.h"
#include "ui/ColorSet.h"

static const char16_t PANEL_BLANKS[] = u"                        ";

void ClearPanel(i32 firstRow) {
  ScrPushState();
  ScreenAttr = ColorSet[4];
  for (i32 y = firstRow; y <= 22; y++) {
    ScrGotoXY(PANEL_COLUMN, y);
    ScrPutString(PANEL_BLANKS);
  }
  ScrPopState();
}
