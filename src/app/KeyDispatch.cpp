// The single key dispatcher: global commands of the main screen and the menu commands.
#include "app/AccessType.h"
#include "app/MainLoop.h"
#include "app/Startup.h"
#include "platform/Keyboard.h"
#include "platform/Timer.h"
#include "spaces/AccessSelect.h"
#include "spaces/OptionRom.h"
#include "spaces/Pci.h"
#include "spaces/PciList.h"
#include "spaces/SuperIoCommands.h"
#include "ui/ColorSet.h"
#include "ui/CommandListEditor.h"
#include "ui/HelpScreens.h"
#include "ui/MenuBar.h"
#include "ui/PopupBox.h"
#include "view/BitmapWindow.h"
#include "view/FollowPointer.h"
#include "view/Grid.h"
#include "view/PageGeometry.h"
#include "view/StatusArea.h"

u32 BusyFlag;
u32 CompareActive;
u32 CommandAreaActive;
u32 KeyPollLatch;

static u32 sKeyWaiting;
static i32 sSavedViewFlags;

u32 KeyAvailable() {
  if (!KeyPollLatch) sKeyWaiting = KeyPending();
  return sKeyWaiting;
}

void ForgetKeyAvailable() { sKeyWaiting = 0; }

static void RedrawAfterViewChange() {
  ClearPanel(5);
  PaintStatusArea(PAINT_SPACE_PANEL | PAINT_SOUND | PAINT_DATA_WIDTH | PAINT_REFRESH);
  RepaintValues(REPAINT_FORCE);
}

static void ToggleAsciiColumn() {
  if (Current->viewFlags & VIEW_CHAR_EDIT) return;
  Current->viewFlags ^= VIEW_ASCII;
  RedrawAfterViewChange();
}

static void ToggleCharacterEdit() {
  if (Current->viewFlags & VIEW_CHAR_EDIT) {
    Current->viewFlags = sSavedViewFlags;
  } else {
    sSavedViewFlags = Current->viewFlags;
    Current->viewFlags = VIEW_ASCII | VIEW_CHAR_EDIT;
  }
  RedrawAfterViewChange();
}

static void CycleWidth() {
  u32 offset = CursorOffset();
  Current->width = Current->width == 1 ? 2 : Current->width == 2 ? 4 : 1;
  SetCursorOffset(offset);
  PaintGridFrame(true);
  RepaintValues(REPAINT_FORCE);
  PaintStatusArea(PAINT_INFO_LINE | PAINT_DATA_WIDTH);
}

static void StepPageAndRepaint(i32 delta) {
  StepPage(delta);
  RepaintAll();
}

static void PageKey(i32 step) {
  switch (Current->type) {
    case ACCESS_PCI:
    case ACCESS_PCI_EXPRESS:
      PciGotoAdjacentFunction(step);
      break;
    case ACCESS_IDE_IDENTIFY:
      StepPageAndRepaint(step * 256);
      break;
    case ACCESS_MEMORY:
    case ACCESS_CPU_MSR:
    case ACCESS_INDEXED_PCI:
    case ACCESS_AHCI_MMIO:
      StepPageAndRepaint(step * (i32)PageGeometry.nominalPageBytes);
      break;
  }
}

static void LargePageKey(i32 step) {
  switch (Current->type) {
    case ACCESS_PCI:
      if (AmdExtendedConfigAvailable) StepPageAndRepaint(step * (i32)PageGeometry.pageBytes);
      break;
    case ACCESS_PCI_EXPRESS:
      StepPageAndRepaint(step * (i32)PageGeometry.pageBytes);
      break;
    case ACCESS_MEMORY:
      if (StepOptionRom(step)) RepaintAll();
      break;
    case ACCESS_UEFI_VARIABLE:
      StepPageAndRepaint(step * 256);
      break;
  }
}

// The access-type item that Alt-1 .. Alt-9, Alt-0, Alt-minus and Alt-equals select; -1 for
// any other key.
static i32 DirectAccessItem(u32 key) {
  if (key >= (KEY_ALT | '1') && key <= (KEY_ALT | '9')) return (i32)(key - (KEY_ALT | '1'));
  if (key == (KEY_ALT | '0')) return ITEM_SMBUS;
  if (key == (KEY_ALT | '-')) return ITEM_INDEXED_PCI;
  if (key == (KEY_ALT | '=')) return ITEM_UEFI_VARIABLE;
  return -1;
}

// Runs the global command of a key. Returns the key handed back to the caller (0 for a key
// that is fully consumed); *isGlobal tells whether the key was a global command.
static u32 RunGlobalCommand(u32 key, bool* isGlobal) {
  *isGlobal = true;
  i32 item = DirectAccessItem(key);
  if (item >= 0) {
    SelectAccessType(item);
    return key;
  }
  switch (key) {
    case KEY_F4: ToggleAsciiColumn(); return key;
    case KEY_CTRL | KEY_F4: ToggleCharacterEdit(); return key;
    case KEY_F5: SelectAccessType(ITEM_SHOW_MENU); return key;
    case KEY_F6: PciSelectFromList(); return key;
    case KEY_F7: CycleWidth(); return 0;
    case KEY_F9: SelectAccessType(ITEM_ISA_SETS); return key;
    case KEY_F10:
    case KEY_ALT | 'q':
    case KEY_ALT | 'x': AppExit();
    case KEY_SPACE:
      if (CommandAreaActive) return key;
      BitmapEnabled = ~BitmapEnabled;
      Chirp(100, 110);
      return key;
    case KEY_PGUP: PageKey(-1); return key;
    case KEY_PGDN: PageKey(+1); return key;
    case KEY_CTRL | KEY_PGUP: LargePageKey(-1); return key;
    case KEY_CTRL | KEY_PGDN: LargePageKey(+1); return key;
    case KEY_CTRL | KEY_LEFT: StepHistory(-1); return key;
    case KEY_CTRL | KEY_RIGHT: StepHistory(+1); return key;
    case KEY_CTRL | '[':
      if (RefreshRate > 100) RefreshRate -= 100;
      return 0;
    case KEY_CTRL | ']':
      RefreshRate += 100;
      if (RefreshRate > 1899) RefreshRate = 1999;
      return 0;
    case KEY_CTRL | '-':
      AutoRefresh = !AutoRefresh;
      PaintStatusArea(PAINT_REFRESH);
      return key;
    case KEY_CTRL | 's':
      SoundEnabled = !SoundEnabled;
      PaintStatusArea(PAINT_SOUND);
      return key;
    case KEY_CTRL | 'g': FollowPointer(); return key;
    case KEY_F1: ShowHelp(); return key;
    case KEY_ALT | 'f':
    case KEY_ALT | 'c':
    case KEY_ALT | 'g':
    case KEY_ALT | 't':
    case KEY_ALT | 's': RunMenuCommand((u32)PullDownMenu(key, PullDownMenus)); return key;
    case KEY_CTRL | 'l': ChangeColorSet(); return key;
    case KEY_CTRL | 'o': CommandListEditor(u"Commands to Open Config", OpenConfigCommands); return key;
    case KEY_CTRL | 'c': CommandListEditor(u"Commands to Close Config", CloseConfigCommands); return key;
  }
  *isGlobal = false;
  return key;
}

u32 DispatchKey(u32 key, u32* handledOut) {
  if (key == 0) key = ReadKey();
  ForgetKeyAvailable();
  u32 handled = 0;
  if (IsBoxOpen()) {
    handled = IsArrowKey(key) ? 0 : key;
  } else if (!BusyFlag && !CompareActive) {
    CloseBitmapWindow();  // the main loop shows it again after the command
    bool isGlobal;
    u32 result = RunGlobalCommand(key, &isGlobal);
    if (isGlobal) handled = key;
    key = result;
  }
  if (handledOut) *handledOut = handled;
  return key;
}

void RunMenuCommand(u32 code) {
  if (code > 0x5FF) return;
  u32 menu = code / 256, item = code % 256;
  switch (menu) {
    case 0:
      if (item == 3) AboutBox();
      break;
    case 1:
      if (item < ACCESS_ITEM_COUNT) SelectAccessType((i32)item);
      break;
    case 2:
      if (item == 0) StepHistory(+1);
      if (item == 1) StepHistory(-1);
      if (item == 2) ClearHistory();
      if (item == 3) FollowPointer();
      break;
    case 3:
      if (item == 0) PciSelectFromList();
      if (item == 1) DispatchKey(KEY_F7, nullptr);
      if (item == 2) DispatchKey(KEY_F4, nullptr);
      if (item == 4) ShowHelp();
      break;
    case 4:
      if (item == 0) ChangeColorSet();
      if (item == 1) DispatchKey(KEY_CTRL | 's', nullptr);
      break;
    case 5:
      AppExit();
  }
}
