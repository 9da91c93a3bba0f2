// UCS-2 and 8-bit string functions. Each operation is written once as a template over the
// character type. A null pointer reads as the empty string; a null target is left alone.
#include "base/String.h"

namespace {

// Characters compare as unsigned values, so 8-bit text above 0x7F sorts after ASCII.
inline u32 Code(char ch) { return (u8)ch; }
inline u32 Code(char16_t ch) { return ch; }

template <typename Char>
usize Length(const Char* text) {
  usize n = 0;
  if (text) {
    while (text[n]) ++n;
  }
  return n;
}

template <typename Char>
void CopyBounded(Char* target, usize capacity, const Char* source) {
  if (!target || capacity == 0) return;
  usize n = 0;
  if (source) {
    for (; n + 1 < capacity && source[n]; ++n) target[n] = source[n];
  }
  target[n] = 0;
}

template <typename Char>
int CompareBounded(const Char* a, const Char* b, usize count) {
  static const Char empty[1] = {0};
  if (!a) a = empty;
  if (!b) b = empty;
  for (usize i = 0; i < count; ++i) {
    if (a[i] != b[i] || a[i] == 0) return (int)Code(a[i]) - (int)Code(b[i]);
  }
  return 0;
}

template <typename Char>
void Append(Char* target, usize capacity, const Char* source) {
  if (!target || capacity == 0) return;
  usize n = 0;
  while (n < capacity && target[n]) ++n;
  if (n == capacity) {
    // The target was not terminated within its capacity: cut it to fit.
    target[capacity - 1] = 0;
    return;
  }
  CopyBounded(target + n, capacity - n, source);
}

template <typename Char>
const Char* Find(const Char* haystack, const Char* needle) {
  if (!haystack) return nullptr;
  if (!needle || !needle[0]) return haystack;
  for (; *haystack; ++haystack) {
    usize i = 0;
    while (needle[i] && haystack[i] == needle[i]) ++i;
    if (!needle[i]) return haystack;
  }
  return nullptr;
}

inline int HexValue(u32 ch) {
  if (ch >= '0' && ch <= '9') return (int)(ch - '0');
  if (ch >= 'a' && ch <= 'f') return (int)(ch - 'a' + 10);
  if (ch >= 'A' && ch <= 'F') return (int)(ch - 'A' + 10);
  return -1;
}

// Blanks and tabs, then leading zeros, then an x or X right after a zero, then digits.
// Digits beyond the sixteenth shift the first ones out.
template <typename Char>
u64 ParseHex(const Char* text) {
  if (!text) return 0;
  while (*text == ' ' || *text == '\t') ++text;
  bool zero = false;
  while (*text == '0') {
    zero = true;
    ++text;
  }
  if (zero && (*text == 'x' || *text == 'X')) ++text;
  u64 value = 0;
  for (int digit; (digit = HexValue(Code(*text))) >= 0; ++text) value = (value << 4) | (u64)digit;
  return value;
}

}  // namespace

usize StrLen16(const char16_t* text) { return Length(text); }
void StrCopy16(char16_t* target, const char16_t* source) { CopyBounded(target, Length(source) + 1, source); }
void StrCopyN16(char16_t* target, usize capacity, const char16_t* source) { CopyBounded(target, capacity, source); }
int StrCompare16(const char16_t* a, const char16_t* b) { return CompareBounded(a, b, (usize)-1); }
int StrCompareN16(const char16_t* a, const char16_t* b, usize count) { return CompareBounded(a, b, count); }
void StrCat16(char16_t* target, usize capacity, const char16_t* source) { Append(target, capacity, source); }
const char16_t* StrFind16(const char16_t* haystack, const char16_t* needle) { return Find(haystack, needle); }
u64 HexTextToNumber16(const char16_t* text) { return ParseHex(text); }

usize StrLen8(const char* text) { return Length(text); }
void StrCopy8(char* target, const char* source) { CopyBounded(target, Length(source) + 1, source); }
void StrCopyN8(char* target, usize capacity, const char* source) { CopyBounded(target, capacity, source); }
int StrCompare8(const char* a, const char* b) { return CompareBounded(a, b, (usize)-1); }
int StrCompareN8(const char* a, const char* b, usize count) { return CompareBounded(a, b, count); }
void StrCat8(char* target, usize capacity, const char* source) { Append(target, capacity, source); }
const char* StrFind8(const char* haystack, const char* needle) { return Find(haystack, needle); }
u64 HexTextToNumber8(const char* text) { return ParseHex(text); }

void Str16To8(char* target, usize capacity, const char16_t* source) {
  if (!target || capacity == 0) return;
  usize n = 0;
  if (source) {
    for (; n + 1 < capacity && source[n]; ++n) target[n] = (char)(u8)source[n];
  }
  target[n] = 0;
}

void Str8To16(char16_t* target, usize capacity, const char* source) {
  if (!target || capacity == 0) return;
  usize n = 0;
  if (source) {
    for (; n + 1 < capacity && source[n]; ++n) target[n] = (char16_t)(u8)source[n];
  }
  target[n] = 0;
}
