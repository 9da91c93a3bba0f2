// Registers behind an index/data register pair in a PCI function's configuration space.
#pragma once
#include "base/Types.h"

static const u32 INDEXED_PCI_UNIT = 4;  // bytes per index of the space

// configAddress: the function's configuration address (bus, device, function).
u32 IndexedPciRead(u32 configAddress, u32 indexRegister, u32 dataRegister, u32 offset, u32 width);
void IndexedPciWrite(u32 configAddress, u32 indexRegister, u32 dataRegister, u32 offset, u32 value,
                     u32 width);
