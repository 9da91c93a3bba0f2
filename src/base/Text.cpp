// Number and hexadecimal text conversion and the character tests.
#include "base/Text.h"

#include "base/String.h"

namespace {
const char HEX_DIGITS[] = "0123456789ABCDEF";
}

char16_t* NumberToText(u32 value, char16_t* buffer, u32 base) {
  if (!buffer) return buffer;
  switch (base) {
    case 2: {
      usize n = 0;
      for (u32 rest = value; rest; rest >>= 1) ++n;
      buffer[n] = 0;
      for (u32 rest = value; rest; rest >>= 1) buffer[--n] = (char16_t)(u'0' + (rest & 1));
      break;
    }
    // The value is unsigned, so it is printed unsigned: 0x80000000 gives "21", not "-2".
    // Three characters: the first 2 digits and the terminator.
    case 10:
      FormatInto(buffer, 3, u"%u", value);
      break;
    case 16:
      FormatInto(buffer, 3, u"%X", value);
      break;
    default:
      break;
  }
  return buffer;
}

char16_t* HexToText(u32 value, char16_t* buffer, u32 width) {
  if (!buffer) return buffer;
  u32 digits = 1;
  while (digits < 8 && (value >> (4 * digits))) ++digits;
  // A number with more digits than the width keeps its leading ones.
  u32 drop = digits > width ? digits - width : 0;
  for (u32 i = 0; i < width; ++i) {
    u32 position = width - 1 - i + drop;  // hexadecimal digit position, 0 = least significant
    buffer[i] = position < 8 ? (char16_t)HEX_DIGITS[(value >> (4 * position)) & 0xF] : u'0';
  }
  buffer[width] = 0;
  return buffer;
}

u32 TextToHex(const char16_t* text) { return (u32)HexTextToNumber16(text); }

bool IsPrintable(u32 ch) { return ch >= 32 && ch != 127; }

bool IsHexDigit(u32 ch) {
  return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
}

char16_t* ToUpperText(char16_t* text) {
  if (!text) return text;
  for (char16_t* p = text; *p; ++p) {
    if (*p >= u'a' && *p <= u'z') *p = (char16_t)(*p - u'a' + u'A');
  }
  return text;
}
