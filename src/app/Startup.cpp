#include "app/Startup.h"
#include "app/AccessType.h"
#include "app/MainLoop.h"
#include "base/Text.h"
#include "platform/Console.h"
#include "platform/Firmware.h"
#include "platform/Hardware.h"
#include "platform/Platform.h"
#include "platform/Screen.h"
#include "platform/Timer.h"
#include "spaces/Cpu.h"
#include "spaces/Ide.h"
#include "spaces/Pci.h"
#include "spaces/PciExpress.h"
#include "spaces/PciList.h"
#include "ui/ColorSet.h"
#include "ui/MenuBar.h"
#include "ui/HelpScreens.h"
#include "ui/MessageWindow.h"
#include "ui/PopupBox.h"
#include "ui/StatusLine.h"
#include "view/PageGeometry.h"
#include "view/StatusArea.h"

u32 SettingsRestored;
static TextInfo sSavedConsole;

void ParseOptions(i32 count, char16_t** arguments, u32 phase) {
  if (count < 2) return;
  for (i32 i = 1; i < count; i++) {
    char16_t* argument = arguments[i];
    if (argument[0] != u'/') continue;
    ToUpperText(argument);
    char16_t option = argument[1];
    if (phase == 0 && option == u'A') KeyPollLatch = 0;
    if (phase == 1 && option == u'?') {
      PrintUsage();
      ExitImage();
    }
  }
}

u32 LoadSettings(const char16_t*) { return 0; }

// Counts the PCI functions; while the "Scanning PCI buses" window is open each function
// is shown on its line. Without any function the first space is ISA instead of PCI.
static void CountPciFunctions() {
  McfgLoadBases();
  ScrPushState();
  bool window = IsBoxOpen();
  if (window) ScrGotoXY(PopupBox.left + 2, PopupBox.top + 2);
  PciDeviceCount = PciDeviceList(PCI_LIST_NO_ROWS | (window ? PCI_LIST_PROGRESS : 0), 0);
  ScrPopState();
  if (PciDeviceCount == 0 && Current->type == ACCESS_PCI) Current->type = ACCESS_ISA;
}

static const char16_t* const SCAN_WINDOW[] = {u"Scanning PCI buses", u"Bus   , Device   , Function   ", nullptr};

// The window stays open while the functions are counted and shown in it.
static void OpenScanWindow() {
  ScreenAttr = ColorSet[12];
  MessageWindow(SCAN_WINDOW, false);
}

static void CloseScanWindow() {
  BoxClose();
  StatusClear(0);
  ScreenAttr = ColorSet[4];
}

uptr AppStartup(void*, void*) {
  KeyPollLatch = 0;
  if (!ScreenAllocate()) {
    FwConOutput(u"video buffer allocation error\n");
    return 0;
  }
  if (PlatformInit() != 0) ExitImage();
  char16_t** arguments;
  i32 argumentCount = PlatformArguments(&arguments);
  ParseOptions(argumentCount, arguments, 0);
  ConSetWindow(1, 1, 80, 25);
  ConGetTextInfo(&sSavedConsole);
  ParseOptions(argumentCount, arguments, 1);
  ConHideCursor();
  SettingsRestored = LoadSettings(u"\\ZO.SET");
  ResetHistory();
  CpuIdentify();
  SelectColorSet(0);
  ShowSplash();
  PaintEmptyScreen();
  OpenScanWindow();
  CountPciFunctions();
  CloseScanWindow();
  ComputePageGeometry(true);
  if (PciDeviceCount == 0) Current->type = ACCESS_ISA;
  RefreshRate = 1500;
  AutoRefresh = 1;
  ActivateAccessType(0);  // paints the whole page: frame, status area, header line, values
  PaintStatusArea(PAINT_REFRESH);
  AboutBox();
  MainLoop();
  AppExit();
}

void AppExit() {
  // A box still open gives back its buffer: pool memory outlives the application. This
  // comes first, as it draws.
  if (PopupBox.saved) BoxClose();
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
