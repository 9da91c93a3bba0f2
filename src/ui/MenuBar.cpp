#include "ui/MenuBar.h"
#include "platform/Screen.h"
#include "ui/ColorSet.h"

const char16_t* const MenuBarTitles[] = {u"File", u"Config", u"Go", u"Tools", u"System", u"Quit", nullptr};
i32 MenuTitleColumn[8];
i32 MenuTitleCount;

static const char16_t MAKER[] = u"Northwinds Firmware, Inc.";
i32 DrawMenuBar(const char16_t* const* titles) {
  ScrGotoXY(0, 0);
  ScreenAttr = ColorSet[2];
  ScrPutString(ScreenBlanks);
  ScrGotoXY(0, 0);
  i32 count = 0;
  for (; titles[count]; count++) {
    if (count < 8) MenuTitleColumn[count] = ScreenX;
    ScrPutHotText(titles[count], 0);
    if (titles[count + 1]) ScrPutString(u"  ");
  }
  ScrGotoXY(54, 0);
  ScrPutString(MAKER);
  MenuTitleCount = count;
  return count;
}
