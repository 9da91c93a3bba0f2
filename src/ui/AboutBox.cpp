// The about box of start-up and of the File menu.
#include "app/MainLoop.h"
#include "platform/Keyboard.h"
#include "platform/Screen.h"
#include "ui/ColorSet.h"
#include "ui/HelpScreens.h"
#include "ui/MessageWindow.h"
#include "ui/PopupBox.h"
#include "ui/StatusLine.h"
#include "view/BitmapWindow.h"

const char16_t VersionText[] = u"04.95 Beta";

const char16_t* const AboutLines[] = {
    u" Zoquel Chipset Reading",
    u"An useful tool to read/write chipsets!",
    VersionText,
    u"",
    u"Written by the ZO firmware tools team",
    u"Contact: zo-support@northwinds.example",
    u"Web: www.northwinds.example/zo",
    u"",
    u"Northwinds Firmware, Inc.",
    nullptr,
};

void AboutBox() {
  FlushLegacyKeyboard();
  ScrPushState();
  StatusLine(u"Press any key to continue.", STATUS_SET);
  CloseBitmapWindow();
  ScreenAttr = ColorSet[16];
  MessageWindow(AboutLines, false);
  while (!KeyAvailable()) StatusLine(nullptr, 0);
  DispatchKey(0, nullptr);  // the box is open: the key runs no command
  BoxClose();
  StatusLine(nullptr, STATUS_SET);
  RepaintValues(REPAINT_FORCE);
  ScrPopState();
}
