// Byte-block helpers. Plain loops: in the EFI images the compiler may still turn a loop
// into a call of memset or memcpy, which CompilerRuntime.cpp provides without recursion.
#include "base/Memory.h"

void SetBytes(void* target, u8 value, usize count) {
  u8* out = (u8*)target;
  for (usize i = 0; i < count; ++i) out[i] = value;
}

void CopyBytes(void* target, const void* source, usize count) {
  u8* out = (u8*)target;
  const u8* in = (const u8*)source;
  if (out == in || count == 0) return;
  if ((uptr)out < (uptr)in || (uptr)out >= (uptr)in + count) {
    for (usize i = 0; i < count; ++i) out[i] = in[i];
  } else {
    // The target starts inside the source: copy from the end so nothing is overwritten
    // before it has been read.
    for (usize i = count; i > 0; --i) out[i - 1] = in[i - 1];
  }
}

int CompareBytes(const void* a, const void* b, usize count) {
  const u8* left = (const u8*)a;
  const u8* right = (const u8*)b;
  for (usize i = 0; i < count; ++i) {
    if (left[i] != right[i]) return (int)left[i] - (int)right[i];
  }
  return 0;
}
