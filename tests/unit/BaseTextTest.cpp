// Number and hexadecimal text conversion and the character tests.
#include <gtest/gtest.h>

#include <string>

#include "base/Text.h"

namespace {

TEST(TextTest, NumberToText) {
  struct Case {
    u32 value, base;
    const char16_t* want;
  } cases[] = {
      {0, 2, u""},
      {5, 2, u"101"},
      {0xFFFFFFFF, 2, u"11111111111111111111111111111111"},
      {255, 10, u"25"},
      {7, 10, u"7"},
      {0, 10, u"0"},
      {0x80000000, 10, u"21"},  // unsigned: not "-2"
      {0xABC, 16, u"AB"},
      {0xF, 16, u"F"},
  };
  for (const Case& c : cases) {
    char16_t buffer[40];
    for (char16_t& ch : buffer) ch = u'Z';
    EXPECT_EQ(NumberToText(c.value, buffer, c.base), buffer);
    EXPECT_EQ(std::u16string(buffer), c.want) << c.value << " base " << c.base;
    if (c.base != 2) {
      EXPECT_EQ(buffer[3], u'Z') << "at most 3 characters in bases 10 and 16";
    }
  }
  char16_t kept[] = u"keep";
  NumberToText(9, kept, 8);
  EXPECT_EQ(std::u16string(kept), u"keep");
}

TEST(TextTest, HexToText) {
  struct Case {
    u32 value, width;
    const char16_t* want;
  } cases[] = {
      {0x1234, 2, u"12"},   {0xA, 4, u"000A"},     {0xDEADBEEF, 8, u"DEADBEEF"},
      {0, 2, u"00"},        {0xABCDEF12, 4, u"ABCD"}, {0x123, 3, u"123"},
      {0x5, 0, u""},        {0x1, 10, u"0000000001"},
  };
  for (const Case& c : cases) {
    char16_t buffer[16];
    for (char16_t& ch : buffer) ch = u'Z';
    EXPECT_EQ(HexToText(c.value, buffer, c.width), buffer);
    EXPECT_EQ(std::u16string(buffer), c.want) << std::hex << c.value << " width " << c.width;
  }
}

TEST(TextTest, TextToHex) {
  struct Case {
    const char16_t* text;
    u32 want;
  } cases[] = {
      {u"  0x1F", 0x1F}, {u"x12", 0},         {u"\t 0X1f", 0x1F},  {u"00x1F", 0x1F},
      {u"ff", 0xFF},     {u"12G4", 0x12},     {u"", 0},            {u"0", 0},
      {u"0x", 0},        {u"1x2", 1},         {u"123456789", 0x23456789},
      {u"- 5", 0},       {u"0 1", 0},         {nullptr, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextToHex(c.text), c.want) << (c.text ? std::u16string(c.text).size() : 0);
  }
}

TEST(TextTest, CharacterTests) {
  struct Case {
    u32 ch;
    bool printable, hex;
  } cases[] = {
      {0, false, false},   {31, false, false},   {32, true, false},    {126, true, false},
      {127, false, false}, {128, true, false},   {0x2550, true, false}, {'0', true, true},
      {'9', true, true},   {'a', true, true},    {'f', true, true},    {'A', true, true},
      {'F', true, true},   {'g', true, false},   {'G', true, false},   {'/', true, false},
      {':', true, false},  {'@', true, false},   {'`', true, false},   {0x141, true, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsPrintable(c.ch), c.printable) << c.ch;
    EXPECT_EQ(IsHexDigit(c.ch), c.hex) << c.ch;
  }
}

TEST(TextTest, ToUpperText) {
  char16_t text[] = u"abc-xyz{`@\x00E4";
  EXPECT_EQ(ToUpperText(text), text);
  EXPECT_EQ(std::u16string(text), u"ABC-XYZ{`@\x00E4");
  EXPECT_EQ(ToUpperText(nullptr), nullptr);
}

}  // namespace
