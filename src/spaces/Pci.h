// PCI configuration space facts shared with the register access.
#pragma once
#include "base/Types.h"

// Set while the current function's extended configuration space (registers 100h-FFFh) is
// reachable through the configuration ports (bits 27:24 of the configuration address).
extern u32 AmdExtendedConfigAvailable;

// Number of PCI functions found at start-up; 0 means that no PCI bus is present.
extern u32 PciDeviceCount;
