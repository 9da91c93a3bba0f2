// Identification of the processor: vendor, signature and brand string.
#pragma once
#include "base/Types.h"

static const u32 CPU_BRAND_CHARS = 48;        // 47 characters and the terminator
static const u32 CPU_VENDOR_NAME_CHARS = 8;

struct CpuInfoRecord {
  u32 signature;     // CPUID leaf 1 EAX, whole
  u32 signatureLow;  // its low 16 bits once the brand was read; 0: no MSR list
  u8 msrTableCode;   // bits 7:4: the MSR table number
  u8 vendorIndex;    // row of the vendor table
  char16_t brand[CPU_BRAND_CHARS];
  char16_t vendorShortName[CPU_VENDOR_NAME_CHARS];
};

extern CpuInfoRecord CpuInfo;

struct CpuVendor {
  char signature[13];  // CPUID leaf 0 EBX, EDX, ECX as 12 characters
  const char16_t* shortName;
  u8 msrTableCode;
};

// Reads the signature and the vendor; an unknown vendor counts as the first row (Intel).
// Returns the vendor's row.
const CpuVendor* CpuIdentify();
// Reads the brand string, the low signature and the vendor's MSR table code when the
// processor has the brand leaves; otherwise nothing changes. Returns the brand.
const char16_t* CpuReadBrand(u32 vendorIndex);
