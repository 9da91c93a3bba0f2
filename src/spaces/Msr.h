// The MSR list of the processor: one row per MSR, eight bytes of the space per row.
#pragma once
#include "base/Types.h"

static const u32 MSR_UNREADABLE = 1;  // flags bit 0: the probe found the MSR missing

struct MsrEntry {
  const char16_t* name;  // a table ends with a row without a name
  u32 address;
  u32 flags;
};

static const u32 MSR_ROW_BYTES = 8;

// The table of the current processor and its rows' flags (the flags are probed at run time).
extern const MsrEntry* MsrTable;
extern u32 MsrTableRows;
extern u32* MsrRowFlags;

// Reads the 64-bit value of row `row`; all ones when the row is marked unreadable or out of range.
u64 MsrRowRead(u32 row);
// Writes all 64 bits of row `row`, unless it is marked unreadable or out of range.
void MsrRowWrite(u32 row, u64 value);
