#include "spaces/MsrValue.h"
#include "app/RegisterAccess.h"


u32 MsrValueByte(u64 value, u32 byteIndex, u32 width) {
  u32 k = byteIndex % 8;
  u32 half = k < 4 ? (u32)value : (u32)(value >> 32);
  return (half >> (8 * (k % 4))) & WidthMask(width);
}

u64 MsrValueMerge(u64 value, u32 byteIndex, u32 width, u32 cell) {
  u32 k = byteIndex % 8;
  u32 shift = 8 * k;
  u64 mask = (u64)WidthMask(width) << shift;
  return (value & ~mask) | (((u64)cell << shift) & mask);
}
