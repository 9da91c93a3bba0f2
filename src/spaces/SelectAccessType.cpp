// Access-type selection: choose an item, check that its space exists, run its dialogue
// and either keep the new history entry or withdraw it.
#include "spaces/AccessSelect.h"
#include "app/AccessType.h"
#include "app/MainLoop.h"
#include "platform/Screen.h"
#include "spaces/IsaIo.h"
#include "spaces/IsaSets.h"
#include "spaces/MsrTables.h"
#include "spaces/OptionRom.h"
#include "spaces/Pci.h"
#include "ui/MessageWindow.h"
#include "ui/PickMenu.h"
#include "ui/PopupBox.h"
#include "ui/StatusLine.h"
#include "view/Explanation.h"
#include "view/HeaderLine.h"
#include "view/PageGeometry.h"

i32 LastAccessItem;

enum Outcome { CANCELLED, ACCEPTED, OPENED_BY_DIALOGUE };

// Whether the item's space exists; the error box says why not where there is a message.
// The IDE, ACPI, SMBIOS, SMBus and UEFI variable spaces are not part of this program yet:
// their items are refused without a word.
static bool ItemAvailable(i32 item) {
  switch (item) {
    case ITEM_PCI:
      if (PciDeviceCount != 0) return true;
      ReportError(u"No PCI BUS present!");
      return false;
    case ITEM_CPU_MSR:
      return MsrListOpen();
    case ITEM_ISA:
    case ITEM_ISA_SETS:
    case ITEM_IO_SPACE:
    case ITEM_MEMORY:
    case ITEM_INDEXED_PCI:
      return true;
  }
  return false;
}

// A direct item that is not available ends the selection; from the menu the user chooses again.
static i32 ChooseItem(i32 item) {
  if (item != ITEM_SHOW_MENU) return ItemAvailable(item) ? item : -1;
  for (;;) {
    i32 chosen = PickMenu(AccessTypeMenu, LastAccessItem);
    if (chosen < 0 || ItemAvailable(chosen)) return chosen;
  }
}

static Outcome RunDialogue(i32 item) {
  switch (item) {
    case ITEM_ISA_SETS:
      return IsaSelectSet() ? OPENED_BY_DIALOGUE : CANCELLED;
    case ITEM_IO_SPACE:
      if (IoSpaceSelectMode() != SELECT_CHOSEN) return CANCELLED;
      break;
    case ITEM_CPU_MSR:
      return ACCEPTED;
  }
  return AskParameters(AccessItemType(item)) ? ACCEPTED : CANCELLED;
}

// A memory page that starts with an option ROM or PnP header gets that explanation.
static void RecogniseRomHeader() {
  i32 kind = OptionRomHeaderKind((u32)Current->pageBase);
  ExplanationOverride = kind;
  ExplanationAnchor = kind == -1 ? 0 : (u32)Current->pageBase;
}

static Outcome Select(i32 item) {
  i32 chosen = ChooseItem(item);
  if (chosen < 0) return CANCELLED;
  LastAccessItem = chosen;
  Outcome outcome = RunDialogue(chosen);
  if (outcome == CANCELLED) return CANCELLED;
  ExplanationOverride = -1;
  Current->type = AccessItemType(chosen);
  if (Current->type == ACCESS_MEMORY) RecogniseRomHeader();
  return outcome;
}

void SelectAccessType(i32 item) {
  if (BusyFlag || IsBoxOpen()) return;
  ScrPushState();
  i32 ioSpaceMode = IoSpaceMode;  // the mode menu's choice counts only for an accepted space
  OpenHistoryEntry();
  BusyFlag = 1;
  Current->pageBase = Current->objectBase = 0;
  PageGeometry.spaceEnd = 255;
  Outcome outcome = Select(item);
  if (outcome == CANCELLED) {
    IoSpaceMode = ioSpaceMode;
    CancelHistoryEntry();
  }
  ActivateAccessType(outcome == ACCEPTED ? 0 : ACTIVATE_KEEP_CURSOR);
  PaintHeaderLine(Current->type);
  StatusLine(nullptr, STATUS_SET);
  ScrPopState();
  BusyFlag = 0;
}
