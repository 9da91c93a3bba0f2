// The processor vendors this program tells apart, with the MSR table each one gets.
#include "spaces/CpuVendors.h"

static const CpuVendor CPU_VENDORS[] = {
    {"GenuineIntel", u"Intel", 0x05},   {"CyrixInstead", u"Cyrix", 0x05},
    {"AuthenticAMD", u"AMD", 0x55},     {"UMC UMC UMC ", u"UMC", 0x01},
    {"CentaurHauls", u"Centaur", 0x45}, {"RiseRiseRise", u"Rise", 0x05},
};

static bool SameSignature(const char* a, const char* b) {
  for (u32 i = 0; i < 12; i++)
    if (a[i] != b[i]) return false;
  return true;
}

u32 CpuVendorFind(const char* signature) {
  for (u32 i = 0; i < ARRAY_COUNT(CPU_VENDORS); i++)
    if (SameSignature(CPU_VENDORS[i].signature, signature)) return i;
  return 0;
}

const CpuVendor* CpuVendorAt(u32 index) {
  return &CPU_VENDORS[index < ARRAY_COUNT(CPU_VENDORS) ? index : 0];
}
