// 64-bit arithmetic with defined results at the edges (shift counts of 64 and more,
// division by zero, the one signed quotient that does not fit).
#include "base/Math64.h"

u64 ShiftLeft64(u64 value, u32 count) { return count >= 64 ? 0 : value << count; }

u64 ShiftRight64(u64 value, u32 count) { return count >= 64 ? 0 : value >> count; }

u64 Multiply64(u64 a, u64 b) { return a * b; }

u64 DivideU64(u64 dividend, u64 divisor, u64* remainder) {
  if (divisor == 0) {
    if (remainder) *remainder = 0;
    return 0;
  }
  if (remainder) *remainder = dividend % divisor;
  return dividend / divisor;
}

// Works on magnitudes so that the minimum value divided by -1 wraps to itself (remainder 0)
// instead of trapping; the remainder takes the sign of the dividend, as in C.
i64 DivideS64(i64 dividend, i64 divisor, i64* remainder) {
  if (divisor == 0) {
    if (remainder) *remainder = 0;
    return 0;
  }
  bool negativeDividend = dividend < 0;
  bool negativeDivisor = divisor < 0;
  u64 a = negativeDividend ? 0 - (u64)dividend : (u64)dividend;
  u64 b = negativeDivisor ? 0 - (u64)divisor : (u64)divisor;
  u64 quotient = a / b;
  u64 rest = a % b;
  if (remainder) *remainder = (i64)(negativeDividend ? 0 - rest : rest);
  return (i64)(negativeDividend != negativeDivisor ? 0 - quotient : quotient);
}
