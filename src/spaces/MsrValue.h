// The bytes of a 64-bit MSR value as grid cells: byte k of a row is byte k of the value.
#pragma once
#include "base/Types.h"

u32 MsrValueByte(u64 value, u32 byteIndex, u32 width);
u64 MsrValueMerge(u64 value, u32 byteIndex, u32 width, u32 cell);
