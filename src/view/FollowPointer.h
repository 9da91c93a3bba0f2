// Ctrl-G: open the memory or I/O space that the value under the cursor points at.
#pragma once
#include "base/Types.h"

void FollowPointer();

// True when an expansion ROM base register holds an address the ROM may be decoded at:
// not 0 and not only the size mask that firmware leaves after sizing the register.
bool RomAddressAssigned(u32 value);
