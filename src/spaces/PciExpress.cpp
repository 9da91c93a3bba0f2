// The memory-mapped PCI Express configuration window (ECAM): the base from the MCFG table,
// from Intel host-bridge registers, or from a downward scan, each validated against what
// the configuration ports show for the current function.
#include "spaces/PciExpress.h"
#include "app/AccessType.h"
#include "base/Text.h"
#include "platform/Hardware.h"
#include "platform/Screen.h"
#include "spaces/Pci.h"
#include "ui/ColorSet.h"
#include "view/PageGeometry.h"

u32 EcamBase = 0xF0000000;
u32 EcamBaseValid;
u32 McfgBaseList[MCFG_MAX_BASES];
u32 McfgBaseCount;

static const u32 ECAM_BUS_STRIDE = 0x100000;
static const u32 SCAN_LOWEST_BASE = 0x40000000;

// The ACPI table list supplies the MCFG table; until it is read the list stays empty and
// the base is found from the host bridge or by the scan.
u32 McfgLoadBases() {
  McfgBaseCount = 0;
  return 0;
}

u32 McfgReadTable(u32 address) {
  McfgBaseCount = 0;
  u32 length = MemRead(address + 4, 4);
  if (length < 36) return 0;  // a table shorter than its header has no entries
  u32 count = (length - 36) / 16;
  if (count > MCFG_MAX_BASES) count = MCFG_MAX_BASES;
  for (u32 i = 0; i < count; i++) McfgBaseList[McfgBaseCount++] = MemRead(address + 44 + 16 * i, 4);
  return McfgBaseCount ? McfgBaseList[0] : 0;
}

u32 EcamFunctionAddress(u32 base) {
  return base + ((u32)Current->bus * 256 + (u32)Current->device * 8 + (u32)Current->function) * 4096;
}

// The registers compared: the IDs and the bus numbers of a bridge (which differ per function).
struct ValidationSample {
  u32 ids, byte18, byte19, byte1A;
};

static ValidationSample SampleByPorts() {
  return {PciProbeRead(0x00, 4), PciProbeRead(0x18, 1), PciProbeRead(0x19, 1), PciProbeRead(0x1A, 1)};
}

static ValidationSample SampleByMemory(u32 address) {
  return {MemRead(address, 4), MemRead(address + 0x18, 1), MemRead(address + 0x19, 1), MemRead(address + 0x1A, 1)};
}

bool EcamValidateBase(u32 base) {
  ValidationSample ports = SampleByPorts();
  u32 address = EcamFunctionAddress(base);
  Current->pageBase = Current->objectBase = (i32)address;
  ValidationSample memory = SampleByMemory(address);
  return ports.ids == memory.ids && ports.byte18 == memory.byte18 && ports.byte19 == memory.byte19 &&
         ports.byte1A == memory.byte1A;
}

static bool TryBase(u32 base) {
  EcamBase = base;
  return EcamValidateBase(base);
}

static bool TryMcfgBases() {
  for (u32 i = 0; i < McfgBaseCount; i++)
    if (TryBase(McfgBaseList[i])) return true;
  return false;
}

// Intel chipsets: PCIEXBAR of the host bridge (00:00.0, 60h), then the older register of
// device 5 (00:05.0, 84h). The current function stays the one being validated.
static u32 HostBridgeRegister(i32 device, u32 reg) {
  AccessType saved = *Current;
  Current->bus = 0;
  Current->device = device;
  Current->function = 0;
  u32 value = PciProbeRead(reg, 4);
  *Current = saved;
  return value;
}

static bool TryIntelHostBridge() {
  if (PciProbeRead(0x00, 2) != 0x8086) return false;
  if (TryBase(HostBridgeRegister(0, 0x60) & ~1u)) return true;
  return TryBase(HostBridgeRegister(5, 0x84) & 0xF3000000u);
}

static void ShowScanLine() {
  char16_t text[FORMAT_TEXT_CHARS];
  ScrPushState();
  ScreenAttr = ColorSet[1];
  ScrGotoXY(0, 24);
  ScrPutString(FormatText(text, u"Scanning PCIe ECAM base = %lX", (u32)Current->objectBase));
  ScrPopState();
}

static void ClearBottomLine() {
  ScrPushState();
  ScreenAttr = ColorSet[1];
  ScrGotoXY(0, 24);
  ScrPutText(ScreenBlanks, 0, 69);
  ScrPopState();
}

// From below the last base tried down to 40000000h, one bus-number stride at a time.
static bool ScanDownward() {
  Current->objectBase = (i32)EcamBase;
  ClearBottomLine();
  for (;;) {
    EcamBase -= ECAM_BUS_STRIDE;
    ShowScanLine();
    if (EcamValidateBase(EcamBase)) return true;
    if (EcamBase <= SCAN_LOWEST_BASE) return false;
  }
}

static bool FindBase() {
  if (McfgBaseCount) return TryMcfgBases();
  if (EcamBaseValid && TryBase(EcamBase)) return true;
  if (TryIntelHostBridge()) return true;
  return ScanDownward();
}

bool EcamEnable() {
  if (Current->type != ACCESS_PCI_EXPRESS && !(Current->type == ACCESS_PCI && PciIsExpress())) return false;
  i32 type = Current->type, pageBase = Current->pageBase, objectBase = Current->objectBase;
  u32 spaceEnd = PageGeometry.spaceEnd;
  Current->type = ACCESS_PCI_EXPRESS;
  if (!FindBase()) {
    Current->type = type;
    Current->pageBase = pageBase;
    Current->objectBase = objectBase;
    PageGeometry.spaceEnd = spaceEnd;
    return false;
  }
  EcamBaseValid = 1;
  Current->pageBase = Current->objectBase;
  ComputePageGeometry(false);
  return true;
}
