#include "ui/ColorSet.h"
#include "app/AccessType.h"
#include "platform/Console.h"
#include "platform/Screen.h"
#include "ui/MenuBar.h"
#include "ui/StatusLine.h"

const u8* ColorSet = BuiltInColorSets[0];
const u8* ColorMap = BuiltInColorMaps[0];
u32 ColorSetIndex;

void SelectColorSet(u32 index) {
  if (index >= COLOR_SET_COUNT) return;
  ColorSetIndex = index;
  ColorSet = BuiltInColorSets[index];
  ColorMap = BuiltInColorMaps[index];
}

void PaintEmptyScreen() {
  ConSetForeground(ColorSet[4] & 0x0F);
  ConSetBackground(ColorSet[4] >> 4);
  ScrClearWindow();
  DrawMenuBar(MenuBarTitles);
  StatusClear(1);
}

void ApplyColorSet(u32 index) {
  SelectColorSet(index);
  PaintEmptyScreen();
  ActivateAccessType(ACTIVATE_KEEP_CURSOR);
}
