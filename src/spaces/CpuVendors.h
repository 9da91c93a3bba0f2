// The vendor table: CPUID signature, short name and MSR table code of each known vendor.
#pragma once
#include "spaces/Cpu.h"

// Row of the vendor whose 12-character signature this is; 0 (Intel) when none matches.
u32 CpuVendorFind(const char* signature);
// The row at `index`; the first row for an index past the table.
const CpuVendor* CpuVendorAt(u32 index);
