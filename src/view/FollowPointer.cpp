#include "view/FollowPointer.h"
#include "app/AccessType.h"
#include "app/RegisterAccess.h"
#include "spaces/Pci.h"
#include "view/Explanation.h"
#include "view/PageGeometry.h"

static const i32 EXPLAIN_PCI_HEADER = 0;
static const i32 EXPLAIN_ROM_HEADER = 8;
static const i32 EXPLAIN_PNP_ROM_HEADER = 9;
static const u32 ROM_BASE_REGISTER = 0x30;
static const u32 ROM_ADDRESS_BITS = 0xFFFFF800;

// The explanation kind of the view: the user's choice, else the PCI header on the first
// page of a PCI function (the other automatic kinds all follow the value as it is).
static i32 ExplanationKindOfView() {
  if (ExplanationOverride != -1) return ExplanationOverride;
  if (Current->type == ACCESS_PCI) return EXPLAIN_PCI_HEADER;
  if (Current->type == ACCESS_PCI_EXPRESS && Current->pageBase == Current->objectBase) return EXPLAIN_PCI_HEADER;
  return -1;
}

// After sizing, firmware that assigns no address leaves the mask it read back: ones from
// bit 31 down to the size bit (ROMs are at most 16 MB, so at least bits 31-24).
bool RomAddressAssigned(u32 value) {
  u32 address = value & ROM_ADDRESS_BITS;
  if (address == 0) return false;
  u32 below = ~address;
  bool onesFromTop = (below & (below + 1)) == 0;
  return !(onesFromTop && address >= 0xFF000000u);
}

static void OpenMemoryAt(u32 value) {
  Current->type = ACCESS_MEMORY;
  Current->pageBase = (i32)(value & ~1u);
  Current->objectBase = 0;
  Current->viewFlags |= VIEW_ASCII;
  ActivateAccessType(0);
}

static void OpenIoSpaceAt(u32 value) {
  Current->type = ACCESS_IO_SPACE;
  Current->indexPort = (i32)(value & 0xFFFE);
  ActivateAccessType(ACTIVATE_RESET_BASES);
}

// A BAR at 10h-33h: I/O space for an I/O BAR, else memory; an expansion ROM is enabled
// first, and only when it has an address (else it would decode over flash or low memory).
static void FollowHeaderRegister() {
  u32 offset = CursorOffset();
  if (offset < 0x10 || offset > 0x33) {
    CancelHistoryEntry();
    return;
  }
  u32 reg = offset & ~3u, value = ReadRegister32(reg);
  // Bit 0 of the ROM register is its enable bit, not the I/O mark of a BAR. (On a bridge
  // 30h holds the upper half of the I/O window and is followed like the BARs.)
  if (reg == ROM_BASE_REGISTER && (PciProbeRead(0x0E, 1) & 0x7F) == 0) {
    if (!RomAddressAssigned(value)) {
      CancelHistoryEntry();
      return;
    }
    WriteRegister(reg, value | 1, 0, 4);
    OpenMemoryAt(value);
    return;
  }
  if (value & 1)
    OpenIoSpaceAt(value);
  else
    OpenMemoryAt(value);
}

void FollowPointer() {
  AccessType shown = *Current;
  OpenHistoryEntry();
  i32 age = Current->age;  // the history's bookkeeping stays with the new slot
  *Current = shown;
  Current->age = age;
  i32 kind = ExplanationKindOfView();
  if (kind == EXPLAIN_PCI_HEADER) {
    FollowHeaderRegister();
  } else if (kind == EXPLAIN_ROM_HEADER || kind == EXPLAIN_PNP_ROM_HEADER) {
    CancelHistoryEntry();
  } else {
    OpenMemoryAt(ReadRegister32(CursorOffset()));
  }
}
