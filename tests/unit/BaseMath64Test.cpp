// 64-bit helpers at their edges.
#include <gtest/gtest.h>

#include "base/Math64.h"

namespace {

const i64 I64_MIN = (i64)(1ull << 63);

TEST(Math64Test, Shifts) {
  struct Case {
    u64 value;
    u32 count;
    u64 left, right;
  } cases[] = {
      {0x8000000000000001ull, 0, 0x8000000000000001ull, 0x8000000000000001ull},
      {0x8000000000000001ull, 1, 0x2ull, 0x4000000000000000ull},
      {0x00000001FFFFFFFFull, 31, 0xFFFFFFFF80000000ull, 0x3ull},
      {0x00000001FFFFFFFFull, 32, 0xFFFFFFFF00000000ull, 0x1ull},
      {0xFFFFFFFFFFFFFFFFull, 63, 0x8000000000000000ull, 0x1ull},
      {0xFFFFFFFFFFFFFFFFull, 64, 0, 0},
      {0xFFFFFFFFFFFFFFFFull, 200, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShiftLeft64(c.value, c.count), c.left) << c.count;
    EXPECT_EQ(ShiftRight64(c.value, c.count), c.right) << c.count;
  }
}

TEST(Math64Test, Multiply) {
  EXPECT_EQ(Multiply64(0xFFFFFFFFull, 0xFFFFFFFFull), 0xFFFFFFFE00000001ull);
  EXPECT_EQ(Multiply64(0x100000000ull, 0x100000000ull), 0u);  // wraps
  EXPECT_EQ(Multiply64(0x123456789ull, 0x10ull), 0x1234567890ull);
}

TEST(Math64Test, UnsignedDivide) {
  struct Case {
    u64 dividend, divisor, quotient, remainder;
  } cases[] = {
      {100, 7, 14, 2},
      {0xFFFFFFFFFFFFFFFFull, 0x10, 0x0FFFFFFFFFFFFFFFull, 0xF},
      {0xFFFFFFFFFFFFFFFFull, 0x100000001ull, 0xFFFFFFFFull, 0},
      {0x123456789ABCDEF0ull, 0x200000000ull, 0x91A2B3Cull, 0x9ABCDEF0ull},
      {5, 0x100000000ull, 0, 5},
      {42, 0, 0, 0},
  };
  for (const Case& c : cases) {
    u64 rest = 99;
    EXPECT_EQ(DivideU64(c.dividend, c.divisor, &rest), c.quotient) << c.dividend << "/" << c.divisor;
    EXPECT_EQ(rest, c.remainder) << c.dividend << "%" << c.divisor;
  }
  EXPECT_EQ(DivideU64(9, 2, nullptr), 4u);
}

TEST(Math64Test, SignedDivide) {
  struct Case {
    i64 dividend, divisor, quotient, remainder;
  } cases[] = {
      {7, 2, 3, 1},
      {-7, 2, -3, -1},
      {7, -2, -3, 1},
      {-7, -2, 3, -1},
      {-0x300000001ll, 0x100000000ll, -3, -1},
      {I64_MIN, -1, I64_MIN, 0},  // the one quotient that does not fit wraps
      {I64_MIN, 1, I64_MIN, 0},
      {-5, 0, 0, 0},
  };
  for (const Case& c : cases) {
    i64 rest = 99;
    EXPECT_EQ(DivideS64(c.dividend, c.divisor, &rest), c.quotient) << c.dividend << "/" << c.divisor;
    EXPECT_EQ(rest, c.remainder) << c.dividend << "%" << c.divisor;
  }
}

}  // namespace
