// The formatter: the format strings the program uses, flags and widths, 64-bit values,
// argument-type safety and truncation at the capacity.
#include <gtest/gtest.h>

#include <string>

#include "base/Format.h"
#include "base/Text.h"

namespace {

template <typename... Args>
std::u16string Fmt(const char16_t* format, Args... args) {
  char16_t buffer[256];
  usize length = FormatInto(buffer, ARRAY_COUNT(buffer), format, args...);
  EXPECT_EQ(length, std::u16string(buffer).size());
  return buffer;
}

std::u16string Spaces(usize n) { return std::u16string(n, u' '); }

std::string Narrow(const std::u16string& text) {
  std::string out;
  for (char16_t ch : text) out += ch < 128 ? (char)ch : '?';
  return out;
}

struct Case {
  const char* what;
  std::u16string got;
  std::u16string want;
};

void Check(const std::initializer_list<Case>& cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(c.got, c.want) << c.what << ": got \"" << Narrow(c.got) << "\"";
  }
}

TEST(FormatTest, FormatsOfTheProgram) {
  const u64 address = 0xBFF7A000ull;
  Check({
      {"clock", Fmt(u"%02d:%02d:%02d", 9, 5, 30), u"09:05:30"},
      {"bdf", Fmt(u"Bus %02X, Device %02X, Function %02X", 0, 0x1F, 3),
       u"Bus 00, Device 1F, Function 03"},
      {"address", Fmt(u"%08lX", address), u"BFF7A000"},
      {"short address", Fmt(u"%08lX", (u64)0xABC), u"00000ABC"},
      {"wider than width", Fmt(u"%08lX", 0x123456789Aull), u"123456789A"},
      {"device", Fmt(u"Device: %-65s|", u"Host bridge"), u"Device: Host bridge" + Spaces(54) + u"|"},
      {"char", Fmt(u"%c", u'A'), u"A"},
      {"box char", Fmt(u"%c", (char16_t)0x2550), u"\x2550"},
      {"option", Fmt(u"(%c) %s", u'*', u"Sound"), u"(*) Sound"},
      {"run-time width", Fmt(u"%%0%dX", 4), u"%04X"},
      {"decimal", Fmt(u"%d", 1234), u"1234"},
      {"negative", Fmt(u"%d", -5), u"-5"},
      {"int minimum", Fmt(u"%d", (i32)0x80000000), u"-2147483648"},
      {"hex", Fmt(u"%X", 0xBEEF), u"BEEF"},
      {"hex lower conversion, upper digits", Fmt(u"%04X   %s = %x", 0x10, u"Command", 0xFFFF),
       u"0010   Command = FFFF"},
      {"kilobytes", Fmt(u" %uK", 639u), u" 639K"},
      {"blank line", Fmt(u"%-75c|", u' '), Spaces(75) + u"|"},
      {"column gaps", Fmt(u"Offset Name%50cValue%14c|", u' ', u' '),
       u"Offset Name" + Spaces(50) + u"Value" + Spaces(14) + u"|"},
      {"acpi row", Fmt(u"%10s%10c     %lX: ", "FACP", ' ', address),
       Spaces(6) + u"FACP" + Spaces(15) + u"BFF7A000: "},
      {"8-bit string", Fmt(u"ACPI table: %-12s|", "APIC"), u"ACPI table: APIC        |"},
      {"%a", Fmt(u"%a", "RSDT"), u"RSDT"},
      {"split 64-bit", Fmt(u"Base : %08lX%08lX", (u64)0x1, (u64)0xFED00000), u"Base : 00000001FED00000"},
      {"16-bit value", Fmt(u"%04X", (u16)0x8086), u"8086"},
      {"byte", Fmt(u"%02X ", (u8)0x7), u"07 "},
  });
  // A width built at run time is used as a format in its turn.
  std::u16string format = Fmt(u"%%0%dX", 6);
  EXPECT_EQ(Fmt(format.c_str(), 0xABu), u"0000AB");
}

TEST(FormatTest, IntegerWidths) {
  Check({
      {"%d low 32 bits of a 64-bit value", Fmt(u"%d", (i64)-5), u"-5"},
      {"%d drops the high word", Fmt(u"%d", 0x100000005ll), u"5"},
      {"%X drops the high word", Fmt(u"%X", 0x123456789ull), u"23456789"},
      {"%X of a negative int", Fmt(u"%X", -1), u"FFFFFFFF"},
      {"%u of a negative int", Fmt(u"%u", -1), u"4294967295"},
      {"%lX of a negative int", Fmt(u"%lX", -1), u"FFFFFFFFFFFFFFFF"},
      {"%d of an unsigned value", Fmt(u"%d", 0x80000000u), u"2147483648"},
      {"%ld", Fmt(u"%ld", (i64)-1234567890123ll), u"-1234567890123"},
      {"%ld minimum", Fmt(u"%ld", (i64)(1ull << 63)), u"-9223372036854775808"},
      {"%lu maximum", Fmt(u"%lu", ~0ull), u"18446744073709551615"},
      {"%ld of a 32-bit negative", Fmt(u"%ld", -7), u"-7"},
      {"%lld", Fmt(u"%lld", 10000000000ll), u"10000000000"},
      {"%lx", Fmt(u"%lx", 0xFEDCBA9876543210ull), u"FEDCBA9876543210"},
      {"char of a byte", Fmt(u"%c", (char)'z'), u"z"},
      {"bool", Fmt(u"%d", true), u"1"},
  });
}

TEST(FormatTest, FlagsAndWidths) {
  Check({
      {"right", Fmt(u"%5d|", 42), u"   42|"},
      {"left", Fmt(u"%-5d|", 42), u"42   |"},
      {"zero after sign", Fmt(u"%05d", -42), u"-0042"},
      {"left wins over zero", Fmt(u"%-05d|", -42), u"-42  |"},
      {"narrow width", Fmt(u"%2d", 12345), u"12345"},
      {"plus", Fmt(u"%+d", 5), u"+5"},
      {"blank", Fmt(u"% d", 5), u" 5"},
      {"X pads with zeros", Fmt(u"%8X", 0xAB), u"000000AB"},
      {"x pads with blanks", Fmt(u"%8x", 0xAB), u"      AB"},
      {"left X", Fmt(u"%-8X|", 0xAB), u"AB      |"},
      {"precision digits", Fmt(u"%.3d", 7), u"007"},
      {"precision and width", Fmt(u"%6.3d", -7), u"  -007"},
      {"zero precision of zero", Fmt(u"[%.0d]", 0), u"[]"},
      {"string precision", Fmt(u"%.2s", u"abc"), u"ab"},
      {"right string", Fmt(u"%6s|", u"ab"), u"    ab|"},
      {"star width", Fmt(u"%*d|", 4, 7), u"   7|"},
      {"negative star width", Fmt(u"%*d|", -4, 7), u"7   |"},
      {"star precision", Fmt(u"%.*s|", 1, u"xyz"), u"x|"},
      {"percent", Fmt(u"100%%"), u"100%"},
      {"unknown conversion", Fmt(u"%q%5k", 1), u"%q%5k"},
      {"trailing percent", Fmt(u"50%"), u"50%"},
      {"cut-off directive", Fmt(u"a%-0"), u"a%-0"},
      {"zero char", Fmt(u"[%c]", 0), u"[]"},
  });
}

TEST(FormatTest, ArgumentsAreTypeChecked) {
  const char16_t* null16 = nullptr;
  const char* null8 = nullptr;
  Check({
      {"integer for %s", Fmt(u"[%s]", 5), u"[<?>]"},
      {"string for %d", Fmt(u"[%d]", u"x"), u"[<?>]"},
      {"string for %X", Fmt(u"[%04X]", "x"), u"[ <?>]"},
      {"string for %c", Fmt(u"[%c]", "x"), u"[<?>]"},
      {"null UCS-2 string", Fmt(u"[%s]", null16), u"[<null>]"},
      {"null 8-bit string", Fmt(u"[%a]", null8), u"[<null>]"},
      {"padded null", Fmt(u"[%-8s]", null16), u"[<null>  ]"},
      {"missing arguments", Fmt(u"[%d][%5s][%c]"), u"[][][]"},
      {"one missing", Fmt(u"A%dB%dC", 1), u"A1BC"},
      {"surplus argument", Fmt(u"A", 1, 2), u"A"},
      {"mismatch consumes its argument", Fmt(u"%s %d", 1, 2), u"<?> 2"},
      {"8-bit above 0x7F widens unsigned", Fmt(u"%s", "\xE9"), u"\x00E9"},
  });
}

TEST(FormatTest, CutToCapacityAndTerminated) {
  char16_t buffer[16];
  auto fill = [&] {
    for (char16_t& ch : buffer) ch = u'Z';
  };

  fill();
  EXPECT_EQ(FormatInto(buffer, 5, u"%d", 1234567), 4u);
  EXPECT_EQ(std::u16string(buffer), u"1234");
  EXPECT_EQ(buffer[5], u'Z');

  fill();
  EXPECT_EQ(FormatInto(buffer, 10, u"%-100s", u"ab"), 9u);
  EXPECT_EQ(std::u16string(buffer), u"ab" + Spaces(7));
  EXPECT_EQ(buffer[10], u'Z');

  fill();
  EXPECT_EQ(FormatInto(buffer, 8, u"%9999999999d", 1), 7u);
  EXPECT_EQ(std::u16string(buffer), Spaces(7));

  fill();
  EXPECT_EQ(FormatInto(buffer, 1, u"abc"), 0u);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(buffer[1], u'Z');

  fill();
  EXPECT_EQ(FormatInto(buffer, 0, u"abc"), 0u);
  EXPECT_EQ(buffer[0], u'Z');

  fill();
  EXPECT_EQ(FormatInto(buffer, 16, nullptr), 0u);
  EXPECT_EQ(buffer[0], 0);
}

TEST(FormatTest, FormatTextHoldsOneRow) {
  char16_t buffer[100];
  for (char16_t& ch : buffer) ch = u'Z';
  EXPECT_EQ(FormatText(buffer, u"%-100c", u'x'), buffer);
  EXPECT_EQ(std::u16string(buffer), u"x" + Spaces(78));
  EXPECT_EQ(buffer[80], u'Z');
}

}  // namespace
