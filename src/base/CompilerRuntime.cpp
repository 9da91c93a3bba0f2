// Routines that the compiler calls on its own in a freestanding image: the block
// operations, and on IA32 the 64-bit division, multiplication and shift helpers of the
// Microsoft ABI. Compiled into the EFI images only; the host build uses its C library.
//
// Nothing here may use an operation that the compiler would turn back into a call of
// one of these routines: the block operations are string instructions, and the 64-bit
// arithmetic is built from 32-bit divisions, shifts and compares.
#include "base/Types.h"

extern "C" {

void* memset(void* target, int value, usize count) {
  void* out = target;
  __asm__ volatile("rep stosb" : "+D"(out), "+c"(count) : "a"(value) : "memory");
  return target;
}

void* memcpy(void* target, const void* source, usize count) {
  void* out = target;
  __asm__ volatile("rep movsb" : "+D"(out), "+S"(source), "+c"(count) : : "memory");
  return target;
}

void* memmove(void* target, const void* source, usize count) {
  if ((uptr)target <= (uptr)source || (uptr)target >= (uptr)source + count) {
    return memcpy(target, source, count);
  }
  // The target overlaps the end of the source: copy backwards.
  void* out = (u8*)target + count - 1;
  const void* in = (const u8*)source + count - 1;
  __asm__ volatile("std\n\trep movsb\n\tcld" : "+D"(out), "+S"(in), "+c"(count) : : "memory");
  return target;
}

int memcmp(const void* a, const void* b, usize count) {
  const volatile u8* left = (const volatile u8*)a;
  const volatile u8* right = (const volatile u8*)b;
  for (usize i = 0; i < count; ++i) {
    int difference = (int)left[i] - (int)right[i];
    if (difference) return difference;
  }
  return 0;
}

}  // extern "C"

#if defined(__i386__)

// Unsigned division with remainder. Division by zero gives quotient 0 and remainder 0
// instead of a divide fault.
extern "C" __attribute__((used)) u64 ZoRuntimeUDivRem(u64 dividend, u64 divisor, u64* remainder) {
  u32 divisorHigh = (u32)(divisor >> 32);
  u32 divisorLow = (u32)divisor;
  if (divisorHigh == 0) {
    if (divisorLow == 0) {
      *remainder = 0;
      return 0;
    }
    // Two 64-by-32 divisions; each high part is below the divisor, so neither overflows.
    u32 high = (u32)(dividend >> 32);
    u32 quotientHigh, rest, quotientLow;
    __asm__("divl %4" : "=a"(quotientHigh), "=d"(rest) : "a"(high), "d"(0u), "rm"(divisorLow));
    __asm__("divl %4" : "=a"(quotientLow), "=d"(rest) : "a"((u32)dividend), "d"(rest), "rm"(divisorLow));
    *remainder = rest;
    return ((u64)quotientHigh << 32) | quotientLow;
  }
  // The divisor has more than 32 bits, so the quotient has at most 32: shift and subtract.
  // A shifted divisor that would lose bits is larger than any dividend and is skipped.
  u32 quotient = 0;
  u64 rest = dividend;
  for (int shift = 31; shift >= 0; --shift) {
    u64 part = divisor << shift;
    if ((part >> shift) == divisor && rest >= part) {
      rest -= part;
      quotient |= 1u << shift;
    }
  }
  *remainder = rest;
  return quotient;
}

// Signed division: the quotient rounds toward zero and the remainder takes the sign of
// the dividend. The minimum value divided by -1 wraps to itself with remainder 0.
extern "C" __attribute__((used)) i64 ZoRuntimeSDivRem(i64 dividend, i64 divisor, i64* remainder) {
  bool negativeDividend = dividend < 0;
  bool negativeDivisor = divisor < 0;
  u64 rest;
  u64 quotient = ZoRuntimeUDivRem(negativeDividend ? 0 - (u64)dividend : (u64)dividend,
                                  negativeDivisor ? 0 - (u64)divisor : (u64)divisor, &rest);
  *remainder = (i64)(negativeDividend ? 0 - rest : rest);
  return (i64)(negativeDividend != negativeDivisor ? 0 - quotient : quotient);
}

// The low 64 bits of the product, from 32-by-32 multiplications.
extern "C" __attribute__((used)) u64 ZoRuntimeMul(u64 a, u64 b) {
  u32 aLow = (u32)a, aHigh = (u32)(a >> 32);
  u32 bLow = (u32)b, bHigh = (u32)(b >> 32);
  u64 low = (u64)aLow * bLow;
  u32 cross = aLow * bHigh + aHigh * bLow;
  return low + ((u64)cross << 32);
}

// Entry points with the Microsoft conventions. The division, remainder and multiply
// helpers take two 64-bit values on the stack (low word first), return EDX:EAX and pop
// their 16 bytes of arguments; the dvrm variants also return the remainder in EBX:ECX.
// The shift helpers take the value in EDX:EAX and the count in CL.
//
// A division stub reserves 8 bytes for the remainder, pushes its address and a copy of
// the four argument words (each "push [esp+28]" reaches the next word down), and calls
// the C routine; the C routine may change EAX, ECX and EDX only.
__asm__(R"(
  .intel_syntax noprefix
  .text

  .macro ZO_DIVIDE_CALL core
    sub esp, 8
    push esp
    push dword ptr [esp + 28]
    push dword ptr [esp + 28]
    push dword ptr [esp + 28]
    push dword ptr [esp + 28]
    call \core
    add esp, 20
  .endm

  .globl __aulldiv
__aulldiv:
  ZO_DIVIDE_CALL _ZoRuntimeUDivRem
  add esp, 8
  ret 16

  .globl __alldiv
__alldiv:
  ZO_DIVIDE_CALL _ZoRuntimeSDivRem
  add esp, 8
  ret 16

  .globl __aullrem
__aullrem:
  ZO_DIVIDE_CALL _ZoRuntimeUDivRem
  pop eax
  pop edx
  ret 16

  .globl __allrem
__allrem:
  ZO_DIVIDE_CALL _ZoRuntimeSDivRem
  pop eax
  pop edx
  ret 16

  .globl __aulldvrm
__aulldvrm:
  ZO_DIVIDE_CALL _ZoRuntimeUDivRem
  pop ecx
  pop ebx
  ret 16

  .globl __alldvrm
__alldvrm:
  ZO_DIVIDE_CALL _ZoRuntimeSDivRem
  pop ecx
  pop ebx
  ret 16

  .globl __allmul
__allmul:
  push dword ptr [esp + 16]
  push dword ptr [esp + 16]
  push dword ptr [esp + 16]
  push dword ptr [esp + 16]
  call _ZoRuntimeMul
  add esp, 16
  ret 16

  .globl __allshl
__allshl:
  cmp cl, 64
  jae 2f
  cmp cl, 32
  jae 1f
  shld edx, eax, cl
  shl eax, cl
  ret
1:
  mov edx, eax
  xor eax, eax
  and cl, 31
  shl edx, cl
  ret
2:
  xor eax, eax
  xor edx, edx
  ret

  .globl __aullshr
__aullshr:
  cmp cl, 64
  jae 2f
  cmp cl, 32
  jae 1f
  shrd eax, edx, cl
  shr edx, cl
  ret
1:
  mov eax, edx
  xor edx, edx
  and cl, 31
  shr eax, cl
  ret
2:
  xor eax, eax
  xor edx, edx
  ret

  .globl __allshr
__allshr:
  cmp cl, 64
  jae 2f
  cmp cl, 32
  jae 1f
  shrd eax, edx, cl
  sar edx, cl
  ret
1:
  mov eax, edx
  sar edx, 31
  and cl, 31
  sar eax, cl
  ret
2:
  sar edx, 31
  mov eax, edx
  ret

  .att_syntax prefix
)");

#endif  // __i386__
