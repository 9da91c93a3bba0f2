// The walk over every present PCI function that serves the device list and the count at
// start-up.
#include "spaces/PciList.h"
#include "app/AccessType.h"
#include "base/String.h"
#include "base/Text.h"
#include "platform/Screen.h"
#include "spaces/Pci.h"
#include "spaces/PciExpress.h"
#include "spaces/PciNames.h"
#include "ui/ColorSet.h"
#include "view/PageGeometry.h"

PciLocation IchIdePosition;
u32 IchIdePresent;

static const u32 LIST_PAGE_ROWS = 19;
static const u32 LIST_NAME_CHARS = 46;
static const i32 LIST_HEADING_ROW = 2;
static const i32 LIST_FIRST_ROW = 3;
static const char16_t LIST_HEADING[] =
    u"Name                                             Vendor  Device   Bus# Dev# Fun#";
static const char16_t EXPRESS_MARK[] = u"(PCI Express)";


// The walk may switch the record to PCI Express and recompute the geometry on the way.
struct ViewState {
  i32 type, pageBase, objectBase;
  PciLocation position;
  PageGeometryRecord geometry;
  u32 amdExtendedConfig;
};

static ViewState SaveView() {
  return {Current->type, Current->pageBase, Current->objectBase, PciCurrentLocation(), PageGeometry, AmdExtendedConfigAvailable};
}

static void RestoreView(const ViewState& saved, bool position) {
  Current->type = saved.type;
  Current->pageBase = saved.pageBase;
  Current->objectBase = saved.objectBase;
  if (position) PciMoveToLocation(saved.position);
  PageGeometry = saved.geometry;
  AmdExtendedConfigAvailable = saved.amdExtendedConfig;
}

// The first present function from the current position on; false when there is none.
static bool FindFirstFunction() {
  if (PciFunctionPresent()) {
    EcamEnable();
    return true;
  }
  return PciStepFunction(+1);
}

static void RecordIdeController() {
  if (PciProbeRead(0x00, 2) != 0x8086 || PciProbeRead(0x02, 2) != 0x2411) return;
  IchIdePosition = PciCurrentLocation();
  IchIdePresent = 1;
}

// The name with the PCI Express mark, cut to the name column; a long name gives way so
// that the mark is always seen whole.
static void ListName(char16_t* name) {
  PciDeviceName(name);
  bool express = PciIsExpress();
  u32 room = express ? LIST_NAME_CHARS - (u32)StrLen16(EXPRESS_MARK) : LIST_NAME_CHARS;
  if (StrLen16(name) > room) name[room] = 0;
  if (express) StrCat16(name, PCI_DEVICE_NAME_CHARS, EXPRESS_MARK);
}

static void DrawRow(u32 row) {
  char16_t name[PCI_DEVICE_NAME_CHARS], text[FORMAT_TEXT_CHARS];
  ListName(name);
  ScreenAttr = ColorSet[PciIsExpress() ? 30 : 28];
  ScrGotoXY(0, LIST_FIRST_ROW + (i32)row);
  ScrPutString(FormatText(text, u"%-46s   %04X    %04X      %02X   %02X   %02X", name, PciProbeRead(0x00, 2),
                          PciProbeRead(0x02, 2), Current->bus, Current->device, Current->function));
}

static void DrawHeading() {
  ScreenAttr = ColorSet[27];
  ScrGotoXY(0, LIST_HEADING_ROW);
  ScrPutString(LIST_HEADING);
}

static void ShowProgress(i32 x, i32 y) {
  char16_t text[FORMAT_TEXT_CHARS];
  ScrGotoXY(x, y);
  ScrPutString(FormatText(text, u"Bus %02X, Device %02X, Function %02X", Current->bus, Current->device,
                          Current->function));
}

u32 PciDeviceList(u32 mode, u32 rows) {
  ViewState saved = SaveView();
  i32 progressX = ScreenX, progressY = ScreenY;
  bool drawRows = !(mode & PCI_LIST_NO_ROWS);
  u32 rowLimit = mode & PCI_LIST_FROM_HERE ? rows : LIST_PAGE_ROWS;
  Current->type = ACCESS_PCI;
  Current->pageBase = Current->objectBase = 0;
  if (!(mode & PCI_LIST_FROM_HERE)) PciMoveToLocation({0, 0, 0});
  u32 count = 0;
  ScrPushState();
  if (FindFirstFunction()) {
    PciLocation first = PciCurrentLocation();
    if (drawRows) DrawHeading();
    do {
      RecordIdeController();
      if (drawRows && count < rowLimit) DrawRow(count);
      if (mode & PCI_LIST_PROGRESS) ShowProgress(progressX, progressY);
      count++;
    } while (PciStepFunction(+1) && !PciIsAtLocation(first));
  }
  ScrPopState();
  RestoreView(saved, !(mode & PCI_LIST_FROM_HERE));
  return count;
}
