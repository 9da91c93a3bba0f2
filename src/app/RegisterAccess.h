// The single routing point of every register read and write: the current AccessType
// decides which primitive or space routine serves an index of the current page.
#pragma once
#include "base/Types.h"

// The bits of a value `width` bytes wide (1, 2 or 4).
inline u32 WidthMask(u32 width) { return width >= 4 ? 0xFFFFFFFFu : (1u << (8 * width)) - 1; }

u32 ReadRegister(u32 index, u32* highOut, u32 width);
void WriteRegister(u32 index, u32 value, u32 high, u32 width);
u32 ReadRegister8(u32 index);
u32 ReadRegister16(u32 index);
u32 ReadRegister32(u32 index);

// Bus, device and function of the current record as a configuration address; for PCI
// with extended configuration, bits 24-31 also select the 256-byte page.
u32 CurrentConfigAddress();
