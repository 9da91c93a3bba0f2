// 64-bit arithmetic helpers. The compiler handles u64 operators itself (on IA32 through
// the runtime routines in CompilerRuntime.cpp); these name the operations that the
// register code performs on 64-bit values so that their edge cases are tested once.
#pragma once
#include "base/Types.h"

u64 ShiftLeft64(u64 value, u32 count);   // count >= 64 gives 0
u64 ShiftRight64(u64 value, u32 count);  // count >= 64 gives 0
u64 Multiply64(u64 a, u64 b);
u64 DivideU64(u64 dividend, u64 divisor, u64* remainder);  // divisor 0 gives 0 and remainder 0
i64 DivideS64(i64 dividend, i64 divisor, i64* remainder);  // divisor 0 gives 0 and remainder 0
