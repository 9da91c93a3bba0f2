#include "app/Startup.h"
#include "app/AccessType.h"
#include "app/MainLoop.h"
#include "platform/Console.h"
#include "platform/Firmware.h"
#include "platform/Hardware.h"
#include "platform/Platform.h"
#include "platform/Screen.h"
#include "platform/Timer.h"
#include "spaces/Ide.h"
#include "ui/ColorSet.h"
#include "ui/MenuBar.h"
#include "view/PageGeometry.h"

u32 SettingsRestored;
static TextInfo sSavedConsole;

static void ToUpperArgument(char16_t* text) {
  for (; *text; text++)
    if (*text >= u'a' && *text <= u'z') *text = (char16_t)(*text - u'a' + u'A');
}

void ParseOptions(i32 count, char16_t** arguments, u32 phase) {
  if (count < 2) return;
  for (i32 i = 1; i < count; i++) {
    char16_t* argument = arguments[i];
    if (argument[0] != u'/') continue;
    ToUpperArgument(argument);
    char16_t option = argument[1];
    if (phase == 0 && option == u'A') KeyPollLatch = 0;
  }
}

u32 LoadSettings(const char16_t*) { return 0; }

static void PaintFirstScreen() {
  u32 normal = ColorSet[4];
  ConSetForeground(normal & 0x0F);
  ConSetBackground(normal >> 4);
  ConSetAttr(normal);
  ScrClearWindow();
  DrawMenuBar(MenuBarTitles);
  ClockUpdate(1);
}

uptr AppStartup(void*, void*) {
  KeyPollLatch = 0;
  if (!ScreenAllocate()) {
    FwConOutput(u"video buffer allocation error\n");
    return 0;
  }
  if (PlatformInit() != 0) ExitImage();
  ParseOptions(0, nullptr, 0);
  ConSetWindow(1, 1, 80, 25);
  ConGetTextInfo(&sSavedConsole);
  ParseOptions(0, nullptr, 1);
  ConHideCursor();
  SettingsRestored = LoadSettings(u"\\ZO.SET");
  ResetHistory();
  SelectColorSet(0);
  PaintFirstScreen();
  ComputePageGeometry(true);
  RefreshRate = 1500;
  AutoRefresh = 1;
  ActivateAccessType(0);
  RepaintValues(REPAINT_FORCE | REPAINT_CURSOR_CELL);
  MainLoop();
  AppExit();
}

void AppExit() {
  ConSetAttr(sSavedConsole.attribute);
  ConShowCursor();
  ConGotoXY(sSavedConsole.cursorX, sSavedConsole.cursorY);
  ConsoleSync();
  ScreenFree();
  PlatformShutdown();
  if (IdeIdentifyBuffer) PoolFreeLow(IdeIdentifyBuffer, IDENTIFY_BYTES);
  IdeIdentifyBuffer = nullptr;
  ExitImage();
}
