// Byte-block helpers: the only way freestanding code fills, copies and compares memory.
#pragma once
#include "base/Types.h"

void SetBytes(void* target, u8 value, usize count);
void CopyBytes(void* target, const void* source, usize count);  // overlapping ranges are safe
// 0 when the blocks are equal; otherwise the difference of the first unequal bytes.
int CompareBytes(const void* a, const void* b, usize count);
