#include "spaces/Msr.h"
#include "platform/Hardware.h"

const MsrEntry* MsrTable;
u32 MsrTableRows;
u32* MsrRowFlags;

static bool RowUsable(u32 row) {
  return MsrTable && row < MsrTableRows && !(MsrRowFlags && (MsrRowFlags[row] & MSR_UNREADABLE));
}

u64 MsrRowRead(u32 row) {
  if (!RowUsable(row)) return ~0ull;
  u32 high = 0;
  u32 low = MsrRead(MsrTable[row].address, &high);
  return ((u64)high << 32) | low;
}

void MsrRowWrite(u32 row, u64 value) {
  if (!RowUsable(row)) return;
  MsrWrite(MsrTable[row].address, (u32)value, (u32)(value >> 32));
}
