// CPUID: the signature, the vendor and the brand string of the processor.
#include "base/String.h"
#include "platform/Hardware.h"
#include "spaces/CpuVendors.h"

CpuInfoRecord CpuInfo = {0, 0, 0, 0, u"Unknown", u"Intel"};

static const u32 CPUID_HIGHEST_EXTENDED = 0x80000000;
static const u32 CPUID_BRAND_FIRST = 0x80000002;
static const u32 CPUID_BRAND_LEAVES = 3;

static void StoreRegisterBytes(char* target, u32 value) {
  for (u32 i = 0; i < 4; i++) target[i] = (char)(value >> (8 * i));
}

const CpuVendor* CpuIdentify() {
  Cpuid(1, &CpuInfo.signature, nullptr, nullptr, nullptr);
  u32 ebx, ecx, edx;
  Cpuid(0, nullptr, &ebx, &ecx, &edx);
  char signature[12];
  StoreRegisterBytes(signature, ebx);
  StoreRegisterBytes(signature + 4, edx);
  StoreRegisterBytes(signature + 8, ecx);
  // An unknown vendor gets the start values, also when an earlier call found another one.
  CpuInfo.vendorIndex = (u8)CpuVendorFind(signature);
  const CpuVendor* vendor = CpuVendorAt(CpuInfo.vendorIndex);
  StrCopyN16(CpuInfo.vendorShortName, CPU_VENDOR_NAME_CHARS, vendor->shortName);
  return vendor;
}

static void StoreBrandLeaf(u32 leaf) {
  u32 registers[4];
  Cpuid(CPUID_BRAND_FIRST + leaf, &registers[0], &registers[1], &registers[2], &registers[3]);
  for (u32 r = 0; r < 4; r++)
    for (u32 b = 0; b < 4; b++) CpuInfo.brand[16 * leaf + 4 * r + b] = (u8)(registers[r] >> (8 * b));
}

const char16_t* CpuReadBrand(u32 vendorIndex) {
  u32 highest = 0;
  Cpuid(CPUID_HIGHEST_EXTENDED, &highest, nullptr, nullptr, nullptr);
  if (highest < CPUID_BRAND_FIRST + CPUID_BRAND_LEAVES - 1) return CpuInfo.brand;
  for (u32 leaf = 0; leaf < CPUID_BRAND_LEAVES; leaf++) StoreBrandLeaf(leaf);
  // The leaves carry 48 bytes; a processor that fills all of them leaves no terminator.
  CpuInfo.brand[CPU_BRAND_CHARS - 1] = 0;
  u32 signature = 0;
  Cpuid(1, &signature, nullptr, nullptr, nullptr);
  CpuInfo.signatureLow = signature & 0xFFFF;
  CpuInfo.msrTableCode = CpuVendorAt(vendorIndex)->msrTableCode;
  return CpuInfo.brand;
}
