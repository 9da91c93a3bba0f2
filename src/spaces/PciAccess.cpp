// Probes of the current PCI function by configuration mechanism 1.
#include "app/AccessType.h"
#include "platform/Hardware.h"
#include "spaces/Pci.h"

static u32 FunctionAddress() {
  return (u32)Current->bus << 16 | (u32)Current->device << 11 | (u32)Current->function << 8;
}

// Registers 00h-FFh only: a probe must not land on an extended page that happens to be shown.
u32 PciProbeRead(u32 reg, u32 width) { return PciCfgRead(FunctionAddress() + (reg & 0xFF), width); }

bool PciFunctionPresent() {
  u32 vendor = PciProbeRead(0x00, 2), device = PciProbeRead(0x02, 2);
  if (vendor == 0xFFFF) return false;
  return !(vendor == 0 && device == 0);
}

bool PciIsMultiFunction() {
  i32 function = Current->function;
  Current->function = 0;
  u32 header = PciProbeRead(0x0E, 1);
  bool multi = (header & 0x80) && header != 0xFF && PciFunctionPresent();
  Current->function = function;
  return multi;
}

static const u32 CAP_ID_HOT_PLUG = 0x0C;
static const u32 CAP_ID_EXPRESS = 0x10;
static const u32 CAP_WALK_LIMIT = 256;  // a looping list ends here

u32 PciCapabilityFlags() {
  if (Current->type != ACCESS_PCI && Current->type != ACCESS_PCI_EXPRESS) return 0;
  if (PciProbeRead(0x00, 2) == 0xFFFF || !(PciProbeRead(0x06, 1) & 0x10)) return 0;
  u32 flags = 0;
  u32 p = PciProbeRead(0x34, 1) & 0xFC;
  for (u32 visited = 0; p != 0 && visited < CAP_WALK_LIMIT; visited++) {
    u32 id = PciProbeRead(p, 1);
    if (id == CAP_ID_HOT_PLUG) flags |= PCI_CAP_HOT_PLUG;
    if (id == CAP_ID_EXPRESS) flags |= PCI_CAP_EXPRESS;
    p = PciProbeRead(p + 1, 1) & 0xFC;
  }
  return flags;
}

bool PciIsExpress() { return (PciCapabilityFlags() & PCI_CAP_EXPRESS) != 0; }

static bool IsAmdNorthbridge(u32 vendor, u32 device) {
  if (vendor != 0x1022) return false;
  return (device >= 0x1200 && device <= 0x1204) || (device >= 0x1300 && device <= 0x1304);
}

// Extended family (CPUID leaf 1, EAX bits 27:20) not zero: family 10h and later, whose
// northbridge takes register bits 11:8 in bits 27:24 of the configuration address.
static bool HasExtendedFamily() {
  u32 signature = 0;
  Cpuid(1, &signature, nullptr, nullptr, nullptr);
  return ((signature >> 20) & 0xFF) != 0;
}

void PciUpdateAmdExtendedConfig() {
  AmdExtendedConfigAvailable =
      IsAmdNorthbridge(PciProbeRead(0x00, 2), PciProbeRead(0x02, 2)) && HasExtendedFamily() ? 1 : 0;
}
