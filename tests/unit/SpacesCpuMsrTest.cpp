// Processor identification, the choice of the MSR table per vendor, the tables themselves
// and the probe that marks missing MSRs.
#include "SimTestSupport.h"
#include "app/AccessType.h"
#include "app/RegisterAccess.h"
#include "spaces/Cpu.h"
#include "spaces/MsrTables.h"

#include <cstring>
#include <string>

namespace {

u32 Word(const char* text) {
  u32 value = 0;
  for (int i = 0; i < 4; i++) value |= (u32)(u8)text[i] << (8 * i);
  return value;
}

// CPUID leaves of a processor: vendor signature, leaf 1 EAX and (when given) a brand.
void SetProcessor(const char* vendor, u32 signature, const char* brand) {
  gSim->cpuid[0] = {1, Word(vendor), Word(vendor + 8), Word(vendor + 4)};
  gSim->cpuid[1] = {signature, 0, 0, 0};
  if (!brand) {
    gSim->cpuid[0x80000000u] = {0x80000001u, 0, 0, 0};
    return;
  }
  gSim->cpuid[0x80000000u] = {0x80000008u, 0, 0, 0};
  char bytes[48] = {};
  std::memcpy(bytes, brand, std::min<size_t>(48, std::strlen(brand)));
  for (u32 leaf = 0; leaf < 3; leaf++)
    gSim->cpuid[0x80000002u + leaf] = {Word(bytes + 16 * leaf), Word(bytes + 16 * leaf + 4),
                                       Word(bytes + 16 * leaf + 8), Word(bytes + 16 * leaf + 12)};
}

std::u16string Name(const MsrEntry& entry) { return entry.name; }

class CpuMsrTest : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    ResetHistory();
    CpuInfo = CpuInfoRecord{0, 0, 0, 0, u"Unknown", u"Intel"};
  }
  void TearDown() override {
    MsrTable = nullptr;
    MsrTableRows = 0;
    MsrRowFlags = nullptr;
  }
};

struct VendorCase {
  const char* signature;
  const char16_t* shortName;
  u32 index;
  const MsrEntry* table;
  u32 rows;
};

TEST_F(CpuMsrTest, EachVendorGetsItsNameAndMsrTable) {
  const VendorCase cases[] = {
      {"GenuineIntel", u"Intel", 0, MsrTableIntel, 260}, {"CyrixInstead", u"Cyrix", 1, MsrTableIntel, 260},
      {"AuthenticAMD", u"AMD", 2, MsrTableAmd, 233},     {"UMC UMC UMC ", u"UMC", 3, MsrTableIntel, 260},
      {"CentaurHauls", u"Centaur", 4, MsrTableVia, 32},  {"RiseRiseRise", u"Rise", 5, MsrTableIntel, 260},
      {"HygonGenuine", u"Intel", 0, MsrTableIntel, 260},  // unknown: the start values
  };
  for (const VendorCase& c : cases) {
    SetProcessor("AuthenticAMD", 0x00A20F10, "x");  // an earlier, other processor
    CpuIdentify();
    SetProcessor(c.signature, 0x000906EA, "Some Processor");
    const CpuVendor* vendor = CpuIdentify();
    EXPECT_EQ(std::u16string(vendor->shortName), c.shortName) << c.signature;
    EXPECT_EQ(std::u16string(CpuInfo.vendorShortName), c.shortName) << c.signature;
    EXPECT_EQ(CpuInfo.vendorIndex, c.index) << c.signature;
    EXPECT_EQ(CpuInfo.signature, 0x000906EAu);
    ASSERT_TRUE(MsrListOpen()) << c.signature;
    EXPECT_EQ(MsrTable, c.table) << c.signature;
    EXPECT_EQ(MsrTableRows, c.rows) << c.signature;
  }
}

TEST_F(CpuMsrTest, TablesHaveTheirRowCountsAndTheirNamesAsListed) {
  EXPECT_EQ(MsrTableCount(MsrTableIntel), 260u);
  EXPECT_EQ(MsrTableCount(MsrTableVia), 32u);
  EXPECT_EQ(MsrTableCount(MsrTableAmd), 233u);
  struct Pinned {
    const MsrEntry* table;
    u32 row;
    u32 address;
    const char16_t* name;
  };
  const Pinned pinned[] = {
      {MsrTableIntel, 0, 0x10, u"TIME_STAMP_COUNT"},
      {MsrTableIntel, 2, 0x1B, u"IA32_APIC_BASE"},
      {MsrTableIntel, 22, 0xC7, u"IA32_PMC6"},
      {MsrTableIntel, 58, 0x19A, u"IA32_CLOCK_MODULATOIN"},
      {MsrTableIntel, 131, 0x2FF, u"IA32_MTRR_DEF_TYPE "},
      {MsrTableIntel, 142, 0x400, u"IA32_MC0_CTL"},
      {MsrTableIntel, 200, 0x60D, u"PKG_C2_ RESIDENCY"},
      {MsrTableIntel, 252, 0x83E, u"EXT_XAPIC_TIMER_DEVIDE_CONFIG"},
      {MsrTableIntel, 259, 0xC0000101, u"IA32_GS_BASE"},
      {MsrTableVia, 0, 0x2FF, u"defType"},
      {MsrTableVia, 28, 0x1107, u"L2 Disable"},
      {MsrTableVia, 31, 0x2A, u"EBL_CR_POWERON"},
      {MsrTableAmd, 0, 0x0, u"Load-Store MCA Address Register"},
      {MsrTableAmd, 68, 0x413, u"MC4_MISC0"},
      {MsrTableAmd, 93, 0xC000040A, u"MC4_MISC3/Reserved"},
      {MsrTableAmd, 204, 0xC0011002, u"CPUID Features for CPUID Fn0000_0007_E[B,A]X_x0"},
      {MsrTableAmd, 217, 0xC001102A, u"BU_CFG2|CU_CFG2"},
      {MsrTableAmd, 232, 0xC001103B, u"BP_IBSTGT_RIP"},
  };
  for (const Pinned& p : pinned) {
    EXPECT_EQ(p.table[p.row].address, p.address) << "row " << p.row;
    EXPECT_EQ(Name(p.table[p.row]), p.name) << "row " << p.row;
  }
}

TEST_F(CpuMsrTest, AddressesRiseInsideEachListedRange) {
  // Rows given as ranges in the list: each must hold consecutive addresses.
  struct Range {
    const MsrEntry* table;
    u32 firstRow, rows, firstAddress;
  };
  const Range ranges[] = {
      {MsrTableIntel, 16, 8, 0xC1},        {MsrTableIntel, 85, 20, 0x200},
      {MsrTableIntel, 142, 40, 0x400},     {MsrTableIntel, 217, 24, 0x810},
      {MsrTableAmd, 20, 16, 0x200},        {MsrTableAmd, 49, 28, 0x400},
      {MsrTableAmd, 183, 12, 0xC0010200},
  };
  for (const Range& r : ranges)
    for (u32 i = 0; i < r.rows; i++)
      EXPECT_EQ(r.table[r.firstRow + i].address, r.firstAddress + i) << r.firstAddress << " + " << i;
}

TEST_F(CpuMsrTest, BrandIsReadWithTheLowSignatureAndTheTableCode) {
  SetProcessor("AuthenticAMD", 0x00A20F10, "AMD Ryzen 5 5600X 6-Core Processor");
  CpuIdentify();
  EXPECT_EQ(std::u16string(CpuReadBrand(CpuInfo.vendorIndex)), u"AMD Ryzen 5 5600X 6-Core Processor");
  EXPECT_EQ(CpuInfo.signatureLow, 0x0F10u);
  EXPECT_EQ(CpuInfo.msrTableCode, 0x55);
}

TEST_F(CpuMsrTest, BrandOfFortyEightCharactersIsCutToFortySeven) {
  std::string full(48, 'B');
  SetProcessor("GenuineIntel", 0x000906EA, full.c_str());
  CpuIdentify();
  EXPECT_EQ(std::u16string(CpuReadBrand(0)), std::u16string(47, u'B'));
}

TEST_F(CpuMsrTest, WithoutBrandLeavesNothingChangesAndNoMsrListIsOffered) {
  SetProcessor("GenuineIntel", 0x00000633, nullptr);
  CpuIdentify();
  EXPECT_EQ(std::u16string(CpuReadBrand(0)), u"Unknown");
  EXPECT_EQ(CpuInfo.signatureLow, 0u);
  EXPECT_FALSE(MsrListOpen());
  EXPECT_EQ(MsrTable, nullptr);
}

TEST_F(CpuMsrTest, ProbeMarksFaultingMsrsWhichReadAllOnesAndAreNeverWritten) {
  SetProcessor("CentaurHauls", 0x000006F2, "VIA Nano");
  CpuIdentify();
  gSim->msrs[0x2FF] = 0x0C06;           // row 0
  gSim->msrs[0x250] = 0x0606060606060606;  // row 1; row 2 (0x258) is missing
  ASSERT_TRUE(MsrListOpen());
  ASSERT_EQ(MsrTable, MsrTableVia);
  EXPECT_EQ(MsrRowFlags[0], 0u);
  EXPECT_EQ(MsrRowFlags[1], 0u);
  EXPECT_EQ(MsrRowFlags[2], MSR_UNREADABLE);
  EXPECT_EQ(MsrLongestName, 14u);  // "EBL_CR_POWERON"

  Current->type = ACCESS_CPU_MSR;
  u32 high = 0;
  EXPECT_EQ(ReadRegister(16, &high, 4), 0xFFFFFFFFu);
  EXPECT_EQ(high, 0xFFFFFFFFu);
  WriteRegister(16, 1, 0, 4);
  EXPECT_TRUE(gSim->msrWrites.empty());
  WriteRegister(0, 0x0C00, 0, 4);
  ASSERT_EQ(gSim->msrWrites.size(), 1u);
  EXPECT_EQ(gSim->msrWrites[0].first, 0x2FFu);

  gSim->msrs[0x258] = 0;  // a later probe finds it
  MsrTableProbe();
  EXPECT_EQ(MsrRowFlags[2], 0u);
}

}  // namespace
