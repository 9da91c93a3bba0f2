// Text utilities used all over the program: formatting into the 80-column text buffer,
// fixed-width hexadecimal, and character tests.
#pragma once
#include "base/Format.h"

// A FormatText buffer holds one screen row: 79 characters and the terminator (160 bytes).
static const usize FORMAT_TEXT_CHARS = 80;

template <typename... Args>
char16_t* FormatText(char16_t* buffer, const char16_t* format, Args... args) {
  FormatInto(buffer, FORMAT_TEXT_CHARS, format, args...);
  return buffer;
}

// Base 2: binary digits without leading zeros (0 gives ""; the buffer needs 33 characters).
// Bases 10 and 16: unsigned decimal or upper-case hexadecimal cut to the first 2 digits
// (the 6-byte buffer the callers use).
// Any other base leaves the buffer unchanged.
char16_t* NumberToText(u32 value, char16_t* buffer, u32 base);
// Exactly width upper-case hex digits, zero-padded; a longer number keeps its first digits.
char16_t* HexToText(u32 value, char16_t* buffer, u32 width);
// Skips blanks/tabs, then leading zeros, then an x/X right after a leading zero; reads hex digits.
u32 TextToHex(const char16_t* text);
bool IsPrintable(u32 ch);
bool IsHexDigit(u32 ch);
char16_t* ToUpperText(char16_t* text);
