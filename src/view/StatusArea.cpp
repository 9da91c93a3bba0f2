// The status area painter: each flag repaints one part, in a fixed order.
#include "view/StatusArea.h"
#include "app/AccessType.h"
#include "app/MainLoop.h"
#include "base/Text.h"
#include "platform/Screen.h"
#include "platform/Timer.h"
#include "spaces/Pci.h"
#include "ui/ColorSet.h"
#include "view/PageGeometry.h"

static bool sRefreshBlink;

void ClearPanel(i32 firstRow) {
  ScrPushState();
  ScreenAttr = ColorSet[4];
  for (i32 y = firstRow; y <= PANEL_LAST_ROW; y++) {
    ScrGotoXY(PANEL_COLUMN, y);
    ScrPutText(ScreenBlanks, 0, 79 - PANEL_COLUMN);
  }
  ScrPopState();
}

static bool OnePageSpace() { return PageGeometry.pageCount <= 1; }

static void PaintCornerLabel() {
  char16_t text[FORMAT_TEXT_CHARS];
  u32 offset = CursorOffset();
  ScrGotoXY(1, 5);
  if (OnePageSpace()) {
    ScreenAttr = ColorSet[18];
    ScrPutString(u"  ");
    ScreenAttr = ColorSet[6];
    ScrPutString(FormatText(text, u"%04X", offset) + 2);
    return;
  }
  u32 position = ((u32)Current->pageBase + offset - (u32)Current->objectBase) / PageGeometry.addressUnit;
  ScreenAttr = ColorSet[6];
  ScrPutString(FormatText(text, u"%04X", position & 0xFFFF));
}

static void PaintCursorOffset() {
  if (Current->type == ACCESS_MEMORY) {
    char16_t text[FORMAT_TEXT_CHARS];
    ScreenAttr = ColorSet[18];
    ScrGotoXY(PageGeometry.infoColumn, INFO_LINE_ROW);
    ScrPutString(FormatText(text, u"Address: %08lX", (u32)Current->pageBase + CursorOffset()));
  }
  PaintCornerLabel();
}

static void PaintInfoLinePart() {
  ScreenAttr = ColorSet[4];
  for (i32 x = PageGeometry.gridLeft - 5; x < PageGeometry.infoColumn; x++) {
    ScrGotoXY(x, INFO_LINE_ROW);
    ScrPutChar(u' ');
  }
  ScreenAttr = ColorSet[18];
  ScrGotoXY(PageGeometry.infoColumn, INFO_LINE_ROW);
  PaintInformationLine();
}

// Alternate calls dim the label, so a running refresh shows as a blinking "Refresh".
static void PaintRefreshLine() {
  sRefreshBlink = !sRefreshBlink;
  if (sRefreshBlink) ScreenAttr &= ~0x08u;
  ScrPutString(u"Refresh    : ");
  ScreenAttr = ColorSet[18];
  ScrPutString(AutoRefresh ? u"ON" : u"OFF");
  ScrClearToEol();
}

// Bridges and IDE identify pages use the whole panel for their facts.
static bool PanelHasSettings() {
  if (Current->type == ACCESS_IDE_IDENTIFY) return false;
  if (Current->type == ACCESS_PCI || Current->type == ACCESS_PCI_EXPRESS) return (PciProbeRead(0x0E, 1) & 0x7F) != 1;
  return true;
}

static void PaintSettingLines(u32 flags) {
  char16_t text[FORMAT_TEXT_CHARS];
  ScreenAttr = ColorSet[18];
  ScrGotoXY(PANEL_COLUMN, 6);
  if (flags & PAINT_SOUND) {
    ScrPutString(SoundEnabled ? u"Sound      : ON" : u"Sound      : OFF");
    ScrClearToEol();
  }
  ScrGotoXY(PANEL_COLUMN, 7);
  if (flags & PAINT_DATA_WIDTH) {
    ScrPutString(FormatText(text, u"Data Width : %d bits ", Current->width * 8));
    ScrClearToEol();
  }
  ScrGotoXY(PANEL_COLUMN, 8);
}

static void PaintSpacePanel() {
  if (Current->type == ACCESS_PCI && Current->pageBase != 0) return;
  ClearPanel(ScreenY);
  ScreenAttr = ColorSet[18];
  bool pciFirstPage = Current->type == ACCESS_PCI ||
                      (Current->type == ACCESS_PCI_EXPRESS && Current->pageBase == Current->objectBase);
  // The drive block of IDE identify and the mode block of SMBus come with those spaces.
  if (pciFirstPage) PaintPciPanel();
}

static const u32 PANEL_FLAGS = PAINT_REFRESH | PAINT_DATA_WIDTH | PAINT_SOUND | PAINT_INFO_LINE | PAINT_SPACE_PANEL;

void PaintStatusArea(u32 flags) {
  ScrPushState();
  ScrBoxRedirect = 1;
  u32 toFile = ScrToFile;
  ScrToFile = 0;  // the status area always goes to the screen
  ScreenAttr = ColorSet[18];
  if ((flags & PAINT_CURSOR_OFFSET) && Current->type != ACCESS_CPU_MSR) PaintCursorOffset();
  if (flags & PAINT_INFO_LINE) PaintInfoLinePart();
  ScreenAttr = ColorSet[18];
  ScrGotoXY(PANEL_COLUMN, 5);
  if (flags & PAINT_REFRESH) PaintRefreshLine();
  bool asciiShown = (Current->viewFlags & VIEW_ASCII) != 0;
  if (!(asciiShown && (flags & PANEL_FLAGS))) {
    ScrGotoXY(PANEL_COLUMN, 5);
    if (PanelHasSettings()) PaintSettingLines(flags);
    if (flags & PAINT_SPACE_PANEL) PaintSpacePanel();
  }
  ScrToFile = toFile;
  ScrPopState();
}
