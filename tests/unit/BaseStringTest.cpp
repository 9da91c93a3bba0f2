// String and byte-block helpers: bounds, termination, ordering, overlap.
#include <gtest/gtest.h>

#include <string>

#include "base/Memory.h"
#include "base/String.h"

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

TEST(StringTest, LengthAndBoundedCopy) {
  EXPECT_EQ(StrLen16(u"abc"), 3u);
  EXPECT_EQ(StrLen16(nullptr), 0u);
  EXPECT_EQ(StrLen8("abcd"), 4u);

  char16_t buffer[8];
  for (char16_t& ch : buffer) ch = u'Z';
  StrCopyN16(buffer, 4, u"abcdef");
  EXPECT_EQ(std::u16string(buffer), u"abc");
  EXPECT_EQ(buffer[4], u'Z');
  StrCopyN16(buffer, 1, u"abc");
  EXPECT_EQ(buffer[0], 0);
  buffer[0] = u'Z';
  StrCopyN16(buffer, 0, u"abc");
  EXPECT_EQ(buffer[0], u'Z');
  StrCopy16(buffer, u"xy");
  EXPECT_EQ(std::u16string(buffer), u"xy");
  StrCopy16(buffer, nullptr);
  EXPECT_EQ(buffer[0], 0);

  char small[4];
  StrCopyN8(small, sizeof small, "hello");
  EXPECT_STREQ(small, "hel");
  StrCopy8(small, "ok");
  EXPECT_STREQ(small, "ok");
}

TEST(StringTest, Compare) {
  struct Case {
    const char* a;
    const char* b;
    usize count;
    int sign;
  } cases[] = {
      {"abc", "abc", 99, 0}, {"abc", "abd", 99, -1}, {"abd", "abc", 99, 1},
      {"ab", "abc", 99, -1}, {"abc", "ab", 99, 1},   {"abc", "abd", 2, 0},
      {"", "", 99, 0},       {"\x80", "a", 99, 1},  // characters compare unsigned
      {"x", "y", 0, 0},
  };
  for (const Case& c : cases) {
    char16_t a16[8], b16[8];
    Str8To16(a16, 8, c.a);
    Str8To16(b16, 8, c.b);
    EXPECT_EQ(Sign(StrCompareN8(c.a, c.b, c.count)), c.sign) << c.a << " " << c.b;
    EXPECT_EQ(Sign(StrCompareN16(a16, b16, c.count)), c.sign) << c.a << " " << c.b;
    if (c.count == 99) {
      EXPECT_EQ(Sign(StrCompare8(c.a, c.b)), c.sign) << c.a << " " << c.b;
      EXPECT_EQ(Sign(StrCompare16(a16, b16)), c.sign) << c.a << " " << c.b;
    }
  }
}

TEST(StringTest, ConcatenateIsBounded) {
  char16_t buffer[8] = u"ab";
  StrCat16(buffer, 6, u"cdefgh");
  EXPECT_EQ(std::u16string(buffer), u"abcde");
  StrCat16(buffer, 6, u"x");
  EXPECT_EQ(std::u16string(buffer), u"abcde");

  char text[4] = {'a', 'b', 'c', 'd'};  // not terminated within its capacity
  StrCat8(text, 4, "x");
  EXPECT_STREQ(text, "abc");
}

TEST(StringTest, Find) {
  const char16_t* hay = u"aaab PCI";
  EXPECT_EQ(StrFind16(hay, u"aab"), hay + 1);
  EXPECT_EQ(StrFind16(hay, u"PCI"), hay + 5);
  EXPECT_EQ(StrFind16(hay, u"PCIe"), nullptr);
  EXPECT_EQ(StrFind16(hay, u""), hay);
  const char* hay8 = "RSDT XSDT";
  EXPECT_EQ(StrFind8(hay8, "XSDT"), hay8 + 5);
  EXPECT_EQ(StrFind8(hay8, "FACP"), nullptr);
}

TEST(StringTest, HexTextToNumber) {
  EXPECT_EQ(HexTextToNumber16(u" 0xFFFFFFFFFFFFFFFF"), ~0ull);
  EXPECT_EQ(HexTextToNumber16(u"\t1234567890abcdef,"), 0x1234567890ABCDEFull);
  EXPECT_EQ(HexTextToNumber8("0x100000000"), 0x100000000ull);
  EXPECT_EQ(HexTextToNumber8("12345678901234567"), 0x2345678901234567ull);
  EXPECT_EQ(HexTextToNumber8("x5"), 0u);
  EXPECT_EQ(HexTextToNumber8(nullptr), 0u);
}

TEST(StringTest, WidthConversions) {
  char narrow[8];
  Str16To8(narrow, sizeof narrow, u"A\x2550\x00E9xyzuvw");
  EXPECT_EQ(std::string(narrow), std::string("A\x50\xE9xyzu"));
  char16_t wide[4];
  Str8To16(wide, 4, "\xE9zq!");
  EXPECT_EQ(std::u16string(wide), u"\x00E9zq");
}

TEST(MemoryTest, SetCopyCompare) {
  u8 block[16];
  SetBytes(block, 0xA5, sizeof block);
  for (u8 b : block) EXPECT_EQ(b, 0xA5);

  for (int i = 0; i < 16; ++i) block[i] = (u8)i;
  CopyBytes(block + 2, block, 8);  // overlapping, target after source
  const u8 forward[] = {0, 1, 0, 1, 2, 3, 4, 5, 6, 7, 10};
  EXPECT_EQ(CompareBytes(block, forward, sizeof forward), 0);

  for (int i = 0; i < 16; ++i) block[i] = (u8)i;
  CopyBytes(block, block + 2, 8);  // overlapping, target before source
  const u8 backward[] = {2, 3, 4, 5, 6, 7, 8, 9, 8, 9};
  EXPECT_EQ(CompareBytes(block, backward, sizeof backward), 0);

  const u8 low[] = {1, 2, 0x10};
  const u8 high[] = {1, 2, 0xF0};
  EXPECT_LT(CompareBytes(low, high, 3), 0);
  EXPECT_GT(CompareBytes(high, low, 3), 0);
  EXPECT_EQ(CompareBytes(low, high, 2), 0);
}

}  // namespace
