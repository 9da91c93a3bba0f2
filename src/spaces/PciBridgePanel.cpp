// The space facts of a PCI function in the right panel: IDs, interrupt, base address
// registers and, for a bridge, its bus numbers and windows.
#include "app/AccessType.h"
#include "base/Text.h"
#include "platform/Screen.h"
#include "spaces/Pci.h"
#include "spaces/PciNames.h"
#include "view/StatusArea.h"

// One panel line, then the next row at the panel's column. Rows below the panel belong
// to the header and status lines: a function with many 64-bit BARs is cut at row 22.
template <typename... Args>
static void PanelLine(const char16_t* format, Args... args) {
  char16_t text[FORMAT_TEXT_CHARS];
  if (ScreenY <= PANEL_LAST_ROW) ScrPutString(FormatText(text, format, args...));
  ScrGotoXY(PANEL_COLUMN, ScreenY + 1);
}

static u32 Cfg8(u32 reg) { return PciProbeRead(reg, 1); }
static u32 Cfg16(u32 reg) { return PciProbeRead(reg, 2); }
static u32 Cfg32(u32 reg) { return PciProbeRead(reg, 4); }

i32 PciHeaderLayout() {
  if (Current->type != ACCESS_PCI && Current->type != ACCESS_PCI_EXPRESS) return -1;
  return (i32)(Cfg8(0x0E) & 0x7F);
}

static void PaintBar(u32 slot) {
  u32 value = Cfg32(0x10 + 4 * slot);
  if (value & 1) {
    PanelLine(u"IO : %08lX         ", value & ~1u);
  } else if ((value & 6) == 4) {
    PanelLine(u"M64b: %08lX%08lX", Cfg32(0x14 + 4 * slot), value);
    PanelLine(u"S64b:         ");
  } else {
    PanelLine(u"Mem: %08lX         ", value);
  }
}

static void PaintBridgeIo() {
  u32 base = (Cfg16(0x30) << 16) + (Cfg8(0x1C) & 0xF0) * 0x100;
  u32 limit = ((Cfg16(0x32) << 16) + Cfg8(0x1D) * 0x100) | 0xFFF;
  if (limit > base) {
    PanelLine(u"I/O Base   : %08lX", base);
    PanelLine(u"I/O Limit  : %08lX", limit);
  } else {
    PanelLine(u"I/O Range  : Not Used");
  }
}

static void PaintBridgeMemory() {
  u32 base = (Cfg16(0x20) & 0xFFF0) << 16;
  u32 limit = (Cfg16(0x22) << 16) | 0xFFFFF;
  if (limit > base) {
    PanelLine(u"Mem Base   : %08lX", base);
    PanelLine(u"Mem Limit  : %08lX", limit);
  } else {
    PanelLine(u"Mem Range  : Not Used");
  }
}

static void PaintBridgePrefetchable() {
  PanelLine(u"Prefetchable Memory:");
  u32 base = (Cfg16(0x24) & 0xFFF0) << 16, baseHigh = Cfg32(0x28);
  u32 limit = (Cfg16(0x26) << 16) | 0xFFFFF, limitHigh = Cfg32(0x2C);
  if (limit > base && limitHigh >= baseHigh) {
    PanelLine(u"Base : %08lX%08lX", baseHigh, base);
    PanelLine(u"Limit: %08lX%08lX", limitHigh, limit);
  } else {
    PanelLine(u"             Not Used");
  }
}

void PciBridgePanel() {
  i32 layout = PciHeaderLayout();
  if (layout != 0 && layout != 1) return;
  u32 bars = layout == 0 ? 6 : 2;
  for (u32 slot = 0; slot < bars; slot++) PaintBar(slot);
  if (layout == 0) {
    ScrGotoXY(PANEL_COLUMN, ScreenY + 1);
    PanelLine(u"ROM: %08lX", Cfg32(0x30));
    return;
  }
  PanelLine(u"Pri/Sec/Sub: %02X/%02X/%02X", Cfg8(0x18), Cfg8(0x19), Cfg8(0x1A));
  PaintBridgeIo();
  PaintBridgeMemory();
  PaintBridgePrefetchable();
  PanelLine(u"ROM  : %08lX", Cfg32(0x38));
}

void PaintPciPanel() {
  ScrGotoXY(PANEL_COLUMN, ScreenY);
  PanelLine(u"                       ");
  PanelLine(u"VID:DID = %04X:%04X    ", Cfg16(0x00), Cfg16(0x02));
  PanelLine(u"Rev ID        : %02X     ", Cfg8(0x08));
  PanelLine(u"Int Line (IRQ): %02X     ", Cfg8(0x3C));
  PanelLine(u"Int Pin       : %02X     ", Cfg8(0x3D));
  PciBridgePanel();
}
