// F6: the list of PCI functions, one page of 19 rows at a time, and opening the chosen one.
#include "spaces/PciList.h"
#include "app/AccessType.h"
#include "platform/Screen.h"
#include "spaces/Pci.h"
#include "ui/ColorSet.h"
#include "ui/PickMenu.h"

static const i32 LIST_TOP_ROW = 2;
static const i32 LIST_BOTTOM_ROW = 22;

// The list counts from the first present function, which is 00:00.0 on every PC; on a
// machine without it the rows must still match the functions they name.
void PciGotoListRow(u32 n) {
  Current->type = ACCESS_PCI;
  Current->bus = Current->device = Current->function = 0;
  if (PciFunctionPresent() || PciStepFunction(+1))
    for (u32 i = 0; i < n; i++) PciStepFunction(+1);
  // The walk may have switched to a function's PCI Express window; the caller activates.
  Current->type = ACCESS_PCI;
  Current->pageBase = Current->objectBase = 0;
}

// A short last page must not keep rows of the page before it.
static void ClearListArea() {
  ScrPushState();
  ScreenAttr = ColorSet[4];
  for (i32 y = LIST_TOP_ROW; y <= LIST_BOTTOM_ROW; y++) {
    ScrGotoXY(0, y);
    ScrClearToEol();
  }
  ScrPopState();
}

u32 PciListRows(u32 first, u32 count) {
  ClearListArea();
  PciGotoListRow(first);
  return PciDeviceList(PCI_LIST_FROM_HERE, count);
}

void PciSelectFromList() {
  OpenHistoryEntry();
  Current->type = ACCESS_PCI;
  i32 chosen = PagedList(PciListRows);
  if (chosen < 0) {
    CancelHistoryEntry();
    ActivateAccessType(ACTIVATE_KEEP_CURSOR);
    return;
  }
  PciGotoListRow((u32)chosen);
  Current->cursorRow = Current->cursorColumn = 0;
  ActivateAccessType(ACTIVATE_RESET_BASES);
}
