// Type-safe formatted printing into a UCS-2 buffer.
//
// Format strings follow the firmware print library: %d %u %x %X %c %s %a %%, the flags
// '-' (left-justify), '0' (zero-pad), '+' and ' ', a decimal width or '*', a precision
// ('.'), and 'l' for a 64-bit value ("%08lX"). As in that library, %x and %X both print
// upper-case digits and %X zero-pads to the width ("%8X" equals "%08X"). Every argument
// is captured with its type, so a conversion never reads bytes that were not passed: an
// integer for %s (or a string for %d) prints "<?>", a missing argument prints nothing,
// and without 'l' an integer conversion uses the low 32 bits (%d of a negative int prints
// '-'; %d of an unsigned argument prints it unsigned). %s and %a accept both char16_t and
// 8-bit strings; a null string prints "<null>". An unknown conversion is copied as is.
#pragma once
#include "base/Types.h"

struct FormatArg {
  enum Kind : u8 { Integer, Text16, Text8 } kind;
  bool isSigned;
  union {
    u64 integer;
    const char16_t* text16;
    const char* text8;
  };
};

inline FormatArg MakeFormatArg(signed char v) { FormatArg a; a.kind = FormatArg::Integer; a.isSigned = true; a.integer = (u64)(i64)v; return a; }
inline FormatArg MakeFormatArg(short v) { FormatArg a; a.kind = FormatArg::Integer; a.isSigned = true; a.integer = (u64)(i64)v; return a; }
inline FormatArg MakeFormatArg(int v) { FormatArg a; a.kind = FormatArg::Integer; a.isSigned = true; a.integer = (u64)(i64)v; return a; }
inline FormatArg MakeFormatArg(long v) { FormatArg a; a.kind = FormatArg::Integer; a.isSigned = true; a.integer = (u64)(i64)v; return a; }
inline FormatArg MakeFormatArg(long long v) { FormatArg a; a.kind = FormatArg::Integer; a.isSigned = true; a.integer = (u64)v; return a; }
inline FormatArg MakeFormatArg(unsigned char v) { FormatArg a; a.kind = FormatArg::Integer; a.isSigned = false; a.integer = v; return a; }
inline FormatArg MakeFormatArg(unsigned short v) { FormatArg a; a.kind = FormatArg::Integer; a.isSigned = false; a.integer = v; return a; }
inline FormatArg MakeFormatArg(unsigned int v) { FormatArg a; a.kind = FormatArg::Integer; a.isSigned = false; a.integer = v; return a; }
inline FormatArg MakeFormatArg(unsigned long v) { FormatArg a; a.kind = FormatArg::Integer; a.isSigned = false; a.integer = v; return a; }
inline FormatArg MakeFormatArg(unsigned long long v) { FormatArg a; a.kind = FormatArg::Integer; a.isSigned = false; a.integer = v; return a; }
inline FormatArg MakeFormatArg(char v) { FormatArg a; a.kind = FormatArg::Integer; a.isSigned = false; a.integer = (u8)v; return a; }
inline FormatArg MakeFormatArg(char16_t v) { FormatArg a; a.kind = FormatArg::Integer; a.isSigned = false; a.integer = v; return a; }
inline FormatArg MakeFormatArg(const char16_t* v) { FormatArg a; a.kind = FormatArg::Text16; a.isSigned = false; a.text16 = v; return a; }
inline FormatArg MakeFormatArg(char16_t* v) { return MakeFormatArg((const char16_t*)v); }
inline FormatArg MakeFormatArg(const char* v) { FormatArg a; a.kind = FormatArg::Text8; a.isSigned = false; a.text8 = v; return a; }
inline FormatArg MakeFormatArg(char* v) { return MakeFormatArg((const char*)v); }

// Formats into target (capacity in characters, terminator included; the text is cut to
// fit and always terminated when capacity >= 1). Returns the length written.
usize FormatArgs(char16_t* target, usize capacity, const char16_t* format,
                 const FormatArg* args, usize argCount);

template <typename... Args>
usize FormatInto(char16_t* target, usize capacity, const char16_t* format, Args... args) {
  FormatArg list[sizeof...(Args) + 1] = {MakeFormatArg(args)...};
  return FormatArgs(target, capacity, format, list, sizeof...(Args));
}
