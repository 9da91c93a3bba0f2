// Fixed-width integer types for freestanding code: no C library headers.
#pragma once

typedef __UINT8_TYPE__ u8;
typedef __UINT16_TYPE__ u16;
typedef __UINT32_TYPE__ u32;
typedef __UINT64_TYPE__ u64;
typedef __INT8_TYPE__ i8;
typedef __INT16_TYPE__ i16;
typedef __INT32_TYPE__ i32;
typedef __INT64_TYPE__ i64;
typedef __UINTPTR_TYPE__ uptr;
typedef __SIZE_TYPE__ usize;

#define ARRAY_COUNT(a) (sizeof(a) / sizeof((a)[0]))
