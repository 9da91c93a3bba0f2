// PCI configuration space: presence and capability probes of the current function, the
// walk from one present function to the next, and the AMD extended configuration access.
#pragma once
#include "base/Types.h"

// Set while the current function's extended configuration space (registers 100h-FFFh) is
// reachable through the configuration ports (bits 27:24 of the configuration address).
extern u32 AmdExtendedConfigAvailable;

// Number of PCI functions found at start-up; 0 means that no PCI bus is present.
extern u32 PciDeviceCount;

// Probes of the current record's bus, device and function. They always read registers
// 00h-FFh by the configuration ports, whatever page or access type is shown.
u32 PciProbeRead(u32 reg, u32 width);
bool PciFunctionPresent();
bool PciIsMultiFunction();

static const u32 PCI_CAP_EXPRESS = 1;   // capability 10h
static const u32 PCI_CAP_HOT_PLUG = 2;  // capability 0Ch
// Capability bits of the current function; 0 unless the access type is PCI or PCI Express.
u32 PciCapabilityFlags();
bool PciIsExpress();

// Recomputes AmdExtendedConfigAvailable for the current function.
void PciUpdateAmdExtendedConfig();

// Bus, device and function of a PCI function, and the current record's position as one.
struct PciLocation {
  i32 bus, device, function;
};
PciLocation PciCurrentLocation();
bool PciIsAtLocation(const PciLocation& location);
void PciMoveToLocation(const PciLocation& location);

// Moves the current record to the next (+1) or previous (-1) present function; false when
// none answers anywhere (the position is then unchanged).
bool PciStepFunction(i32 direction);
// PgDn / PgUp on a PCI or PCI Express page.
void PciGotoAdjacentFunction(i32 direction);
