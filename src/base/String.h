// UCS-2 (char16_t) and 8-bit (char) string functions.
// Bounded variants take the capacity of the target in characters, terminator included,
// and always terminate when the capacity is at least 1.
#pragma once
#include "base/Types.h"

usize StrLen16(const char16_t* text);
void StrCopy16(char16_t* target, const char16_t* source);
void StrCopyN16(char16_t* target, usize capacity, const char16_t* source);
int StrCompare16(const char16_t* a, const char16_t* b);
int StrCompareN16(const char16_t* a, const char16_t* b, usize count);
void StrCat16(char16_t* target, usize capacity, const char16_t* source);
// First occurrence of needle in haystack, or null. An empty needle matches at the start.
const char16_t* StrFind16(const char16_t* haystack, const char16_t* needle);
// Hexadecimal digits after optional blanks and an optional 0x prefix; stops at the first non-digit.
u64 HexTextToNumber16(const char16_t* text);

usize StrLen8(const char* text);
void StrCopy8(char* target, const char* source);
void StrCopyN8(char* target, usize capacity, const char* source);
int StrCompare8(const char* a, const char* b);
int StrCompareN8(const char* a, const char* b, usize count);
void StrCat8(char* target, usize capacity, const char* source);
const char* StrFind8(const char* haystack, const char* needle);
u64 HexTextToNumber8(const char* text);

// Conversions: UCS-2 to 8-bit keeps the low byte of each character; 8-bit to UCS-2 widens.
void Str16To8(char* target, usize capacity, const char16_t* source);
void Str8To16(char16_t* target, usize capacity, const char* source);
