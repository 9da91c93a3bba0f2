// The built-in names of PCI vendors and devices, and their lookup.
//
// The database is one UCS-2 text of lines ending in LF alone:
//   "8086=Intel"                 a vendor line: four hex digits and "=" (the fifth character)
//   "2815+2850:ICH8M"            device lines of that vendor: IDs joined by "+", ":", the name
//   ""                           an empty line ends the vendor's block
// Hex digits are in either case. The text ends with an empty line and the terminator.
#pragma once
#include "base/Types.h"

extern const char16_t PciIdDatabase[];

// Each name buffer holds this many characters, terminator included; longer names are cut.
static const u32 PCI_ID_NAME_CHARS = 36;

// Looks up vendor `vendorId` and device `deviceId` in `text`. Returns 0 when the vendor was
// found (its name in vendorName; the device name, possibly empty, in deviceName) and 1
// otherwise (both names empty). Only the first block of a vendor is searched.
u32 PciIdLookup(const char16_t* text, u32 vendorId, u32 deviceId, char16_t* vendorName, char16_t* deviceName);
