// Display names of PCI functions: the class-code names and the name of the current function.
#pragma once
#include "base/Types.h"

struct PciClassName {
  u8 subClass;
  u8 programmingInterface;  // FFh: any
  const char16_t* name;     // null ends a table
};

static const u32 PCI_CLASS_TABLES = 0x12;  // base classes 00h-11h
extern const PciClassName* const PciClassNameTable[PCI_CLASS_TABLES];

// The class name of a function; null for a base class without a table (above 11h).
const char16_t* PciClassNameOf(u32 baseClass, u32 subClass, u32 programmingInterface);

// "D<device>:F<function>" padded to 8, then vendor, device and class names and " Hot-Plug".
static const u32 PCI_DEVICE_NAME_CHARS = 8 + 35 + 1 + 35 + 1 + 46 + 9 + 1;
void PciDeviceName(char16_t* buffer);

// Header type of the current function (configuration byte 0Eh AND 7Fh); -1 unless the
// access type is PCI or PCI Express.
i32 PciHeaderLayout();
// The BAR block of a function, or the bus numbers and windows of a bridge, one line a row
// from the output position (the panel's column).
void PciBridgePanel();
