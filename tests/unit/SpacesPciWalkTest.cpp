// PCI probes and the function walk: presence, multi-function devices, the wrap at bus 255,
// capability flags, the AMD extended configuration and the display name of a function.
#include "PageTestSupport.h"
#include "app/AccessType.h"
#include "base/String.h"
#include "spaces/Pci.h"
#include "spaces/PciList.h"
#include "spaces/PciNames.h"
#include "app/RegisterAccess.h"
#include "view/PageGeometry.h"

#include <string>
#include <tuple>
#include <vector>

namespace {

struct Bdf {
  i32 bus, device, function;
  bool operator==(const Bdf& o) const { return bus == o.bus && device == o.device && function == o.function; }
};
void PrintTo(const Bdf& p, std::ostream* os) { *os << p.bus << ":" << p.device << "." << p.function; }

Bdf Here() { return {Current->bus, Current->device, Current->function}; }
void GoTo(Bdf p) {
  Current->bus = p.bus;
  Current->device = p.device;
  Current->function = p.function;
}

std::string Narrow(const char16_t* text) {
  std::string s;
  for (; *text; text++) s += (char)*text;
  return s;
}

class PciWalkTest : public PageTest {};

TEST_F(PciWalkTest, ForwardAndBackwardVisitEveryPresentFunctionInOrderAndWrap) {
  gSim->AddPciFunction(0, 0, 0, 0x8086, 0x29C0);
  gSim->AddPciFunction(0, 1, 0, 0x8086, 0x1111, 0x80);  // multi-function, functions 0 and 2
  gSim->AddPciFunction(0, 1, 2, 0x8086, 0x1112);
  gSim->AddPciFunction(0, 0x1F, 0, 0x8086, 0x2918);
  gSim->AddPciFunction(2, 0, 0, 0x8086, 0x10D3);
  std::vector<Bdf> order = {{0, 1, 0}, {0, 1, 2}, {0, 0x1F, 0}, {2, 0, 0}, {0, 0, 0}};
  for (const Bdf& expected : order) {
    ASSERT_TRUE(PciStepFunction(+1));
    EXPECT_EQ(Here(), expected);
  }
  for (auto it = order.rbegin() + 1; it != order.rend(); ++it) {
    ASSERT_TRUE(PciStepFunction(-1));
    EXPECT_EQ(Here(), *it);
  }
  ASSERT_TRUE(PciStepFunction(-1));
  EXPECT_EQ(Here(), (Bdf{0, 0, 0}));
  ASSERT_TRUE(PciStepFunction(-1));
  EXPECT_EQ(Here(), (Bdf{2, 0, 0}));  // from 00:00.0 backwards the walk wraps to the top
}

struct StepCase {
  const char* name;
  std::vector<std::tuple<Bdf, u16, u16, u8>> functions;  // position, vendor, device, header type
  Bdf start;
  i32 direction;
  bool found;
  Bdf expected;
};

class PciStepCases : public PciWalkTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(PciStepCases, LandsWhereTheWalkRulesSay) {
  const StepCase& c = GetParam();
  for (auto& [p, vendor, device, header] : c.functions) gSim->AddPciFunction(p.bus, p.device, p.function, vendor, device, header);
  GoTo(c.start);
  EXPECT_EQ(PciStepFunction(c.direction), c.found);
  EXPECT_EQ(Here(), c.expected);
  EXPECT_EQ(Current->type, ACCESS_PCI);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, PciStepCases,
    ::testing::Values(
        StepCase{"BackFromZeroLandsOnTheHighestFunctionOfBus255Device31",
                 {{{0, 0, 0}, 0x8086, 1, 0}, {{255, 31, 0}, 0x8086, 2, 0x80}, {{255, 31, 3}, 0x8086, 3, 0}},
                 {0, 0, 0}, -1, true, {255, 31, 3}},
        StepCase{"BackFromZeroToASingleFunctionDeviceTakesFunction0",
                 {{{0, 0, 0}, 0x8086, 1, 0}, {{255, 31, 0}, 0x8086, 2, 0}}, {0, 0, 0}, -1, true, {255, 31, 0}},
        StepCase{"DeviceWithoutFunction0IsSkippedWhole",
                 {{{0, 0, 0}, 0x8086, 1, 0}, {{0, 3, 1}, 0x8086, 2, 0}, {{0, 4, 0}, 0x8086, 3, 0}}, {0, 0, 0}, +1,
                 true, {0, 4, 0}},
        StepCase{"HeaderType0xFFCountsAsSingleFunction",
                 {{{0, 0, 0}, 0x8086, 1, 0}, {{0, 2, 0}, 0x8086, 2, 0xFF}, {{0, 2, 1}, 0x8086, 3, 0},
                  {{0, 5, 0}, 0x8086, 4, 0}},
                 {0, 2, 0}, +1, true, {0, 5, 0}},
        StepCase{"Vendor0Device0IsAbsent",
                 {{{0, 0, 0}, 0x8086, 1, 0}, {{0, 2, 0}, 0x0000, 0x0000, 0}, {{0, 5, 0}, 0x8086, 4, 0}}, {0, 0, 0},
                 +1, true, {0, 5, 0}},
        StepCase{"Vendor0WithADeviceIdIsPresent",
                 {{{0, 0, 0}, 0x8086, 1, 0}, {{0, 2, 0}, 0x0000, 0x1234, 0}, {{0, 5, 0}, 0x8086, 4, 0}}, {0, 0, 0},
                 +1, true, {0, 2, 0}},
        StepCase{"ASingleFunctionIsItsOwnNeighbour", {{{0, 7, 0}, 0x8086, 1, 0}}, {0, 7, 0}, +1, true, {0, 7, 0}},
        StepCase{"ForwardFromBus255Device31WrapsToBus0", {{{0, 0, 0}, 0x8086, 1, 0}, {{255, 31, 0}, 0x8086, 2, 0}},
                 {255, 31, 0}, +1, true, {0, 0, 0}},
        StepCase{"NothingPresentLeavesThePositionAlone", {}, {0, 4, 0}, +1, false, {0, 4, 0}},
        // A start that the walk never passes again (function 3 of a single-function
        // device) must still end.
        StepCase{"NothingPresentFromAFunctionTheWalkNeverRevisitsEnds", {}, {0, 4, 3}, -1, false, {0, 4, 3}}),
    [](const ::testing::TestParamInfo<StepCase>& info) { return std::string(info.param.name); });

TEST_F(PciWalkTest, StepIsOnlyForThePciTypes) {
  gSim->AddPciFunction(0, 0, 0, 0x8086, 1);
  gSim->AddPciFunction(0, 1, 0, 0x8086, 2);
  Current->type = ACCESS_MEMORY;
  EXPECT_FALSE(PciStepFunction(+1));
  EXPECT_EQ(Here(), (Bdf{0, 0, 0}));
}

TEST_F(PciWalkTest, CountWalksTheWholeMachineAndLeavesTheRecordAlone) {
  gSim->AddPciFunction(0, 0, 0, 0x8086, 0x29C0);
  gSim->AddPciFunction(0, 1, 0, 0x8086, 0x1111, 0x80);
  gSim->AddPciFunction(0, 1, 1, 0x8086, 0x1112);
  gSim->AddPciFunction(3, 0, 0, 0x8086, 0x10D3);
  GoTo({0, 1, 1});
  Current->cursorRow = 3;
  EXPECT_EQ(PciDeviceList(PCI_LIST_NO_ROWS, 0), 4u);
  EXPECT_EQ(Here(), (Bdf{0, 1, 1}));
  EXPECT_EQ(Current->cursorRow, 3);
}

TEST_F(PciWalkTest, CountStartsAtTheFirstPresentFunctionWhen00IsAbsent) {
  gSim->AddPciFunction(0, 2, 0, 0x8086, 1);
  gSim->AddPciFunction(5, 0, 0, 0x8086, 2);
  EXPECT_EQ(PciDeviceList(PCI_LIST_NO_ROWS, 0), 2u);
  SimReset();
  EXPECT_EQ(PciDeviceList(PCI_LIST_NO_ROWS, 0), 0u);
}

// A capability list laid out from `ids` at 40h, 48h, ...; `loopTo` >= 0 links the last
// entry back to entry `loopTo`.
void AddCapabilities(SimPciFunction& f, std::vector<u8> ids, int loopTo = -1) {
  f.Set8(0x06, 0x10);
  f.Set8(0x34, 0x40);
  for (size_t i = 0; i < ids.size(); i++) {
    u32 at = 0x40 + 8 * (u32)i;
    f.Set8(at, ids[i]);
    u32 next = i + 1 < ids.size() ? at + 8 : loopTo >= 0 ? 0x40 + 8 * (u32)loopTo : 0;
    f.Set8(at + 1, (u8)next);
  }
}

struct CapabilityCase {
  std::vector<u8> ids;
  int loopTo;
  bool statusBit;
  u32 expected;
};

class CapabilityCases : public PciWalkTest, public ::testing::WithParamInterface<CapabilityCase> {};

TEST_P(CapabilityCases, FlagsFollowTheList) {
  const CapabilityCase& c = GetParam();
  SimPciFunction& f = gSim->AddPciFunction(0, 0, 0, 0x8086, 1);
  AddCapabilities(f, c.ids, c.loopTo);
  if (!c.statusBit) f.Set8(0x06, 0);
  EXPECT_EQ(PciCapabilityFlags(), c.expected);
  EXPECT_EQ(PciIsExpress(), (c.expected & PCI_CAP_EXPRESS) != 0);
}

INSTANTIATE_TEST_SUITE_P(Lists, CapabilityCases,
                         ::testing::Values(CapabilityCase{{0x01, 0x05}, -1, true, 0},
                                           CapabilityCase{{0x01, 0x10, 0x05}, -1, true, PCI_CAP_EXPRESS},
                                           CapabilityCase{{0x0C}, -1, true, PCI_CAP_HOT_PLUG},
                                           CapabilityCase{{0x10, 0x0C}, -1, true, PCI_CAP_EXPRESS | PCI_CAP_HOT_PLUG},
                                           CapabilityCase{{0x10}, -1, false, 0},  // no list without status bit 4
                                           CapabilityCase{{0x01, 0x05, 0x10}, 1, true, PCI_CAP_EXPRESS}));

TEST_F(PciWalkTest, LoopingCapabilityListEndsAfter256Entries) {
  SimPciFunction& f = gSim->AddPciFunction(0, 0, 0, 0x8086, 1);
  AddCapabilities(f, {0x01}, 0);  // the entry points at itself
  size_t before = gSim->portReads.size();
  EXPECT_EQ(PciCapabilityFlags(), 0u);
  size_t reads = gSim->portReads.size() - before;
  EXPECT_GT(reads, 256u * 2);   // the walk went round ...
  EXPECT_LT(reads, 256u * 2 + 20);  // ... and stopped at 256 entries (two reads each)
}

TEST_F(PciWalkTest, CapabilityFlagsAreZeroOutsideThePciTypes) {
  SimPciFunction& f = gSim->AddPciFunction(0, 0, 0, 0x8086, 1);
  AddCapabilities(f, {0x10});
  Current->type = ACCESS_MEMORY;
  EXPECT_EQ(PciCapabilityFlags(), 0u);
  Current->type = ACCESS_PCI_EXPRESS;
  EXPECT_EQ(PciCapabilityFlags(), PCI_CAP_EXPRESS);
}

struct AmdCase {
  u16 vendor, device;
  u32 signature;
  u32 expected;
};

class AmdCases : public PciWalkTest, public ::testing::WithParamInterface<AmdCase> {};

TEST_P(AmdCases, ExtendedConfigurationNeedsTheNorthbridgeAndAnExtendedFamily) {
  const AmdCase& c = GetParam();
  gSim->AddPciFunction(0, 0x18, 3, c.vendor, c.device);
  gSim->cpuid[1] = {c.signature, 0, 0, 0};
  GoTo({0, 0x18, 3});
  PciUpdateAmdExtendedConfig();
  EXPECT_EQ(AmdExtendedConfigAvailable, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Devices, AmdCases,
                         ::testing::Values(AmdCase{0x1022, 0x1203, 0x00100F42, 1}, AmdCase{0x1022, 0x1200, 0x00100F42, 1},
                                           AmdCase{0x1022, 0x1304, 0x00500F01, 1}, AmdCase{0x1022, 0x1205, 0x00100F42, 0},
                                           AmdCase{0x1022, 0x1203, 0x00000F48, 0},  // family 0Fh: no extension
                                           AmdCase{0x8086, 0x1203, 0x00100F42, 0}));

TEST_F(PciWalkTest, ExtendedPagesOfTheAmdNorthbridgePutThePageIntoAddressBits24To27) {
  SimPciFunction& f = gSim->AddPciFunction(0, 0x18, 3, 0x1022, 0x1203);
  f.Set8(0x540, 0x5A);
  gSim->cpuid[1] = {0x00100F42, 0, 0, 0};
  GoTo({0, 0x18, 3});
  ActivateAccessType(ACTIVATE_RESET_BASES);
  EXPECT_EQ(Current->type, ACCESS_PCI);
  EXPECT_EQ(PageGeometry.pageCount, 16u);
  EXPECT_EQ(PageGeometry.infoColumn, 1);
  StepPage(0x500);
  EXPECT_EQ(Current->pageBase, 0x500);
  EXPECT_EQ(ReadRegister8(0x40), 0x5Au);
  EXPECT_EQ(gSim->pciAddress & 0x0F000000u, 0x05000000u);
}

struct ClassCase {
  u32 base, sub, interface;
  const char* name;
};

class ClassNameCases : public PciWalkTest, public ::testing::WithParamInterface<ClassCase> {};

TEST_P(ClassNameCases, FirstMatchOrTheLastNamedEntry) {
  const ClassCase& c = GetParam();
  const char16_t* name = PciClassNameOf(c.base, c.sub, c.interface);
  if (!c.name) {
    EXPECT_EQ(name, nullptr);
    return;
  }
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(Narrow(name), c.name);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ClassNameCases,
    ::testing::Values(ClassCase{0x01, 0x01, 0x8A, "IDE controller"}, ClassCase{0x01, 0x01, 0x00, "IDE controller"},
                      ClassCase{0x01, 0x06, 0x01, "AHCI 1.0 controller"}, ClassCase{0x01, 0x06, 0x00, "SATA controller"},
                      ClassCase{0x01, 0x08, 0x02, "Mass Storage controller"},
                      ClassCase{0x06, 0x00, 0x00, "Host bridge"}, ClassCase{0x06, 0x01, 0x00, "ISA bridge"},
                      ClassCase{0x06, 0x04, 0x01, "Subtractive Decode PCI-to-PCI bridge"},
                      ClassCase{0x0C, 0x05, 0x00, "SMBUS"}, ClassCase{0x0C, 0x03, 0x30, "Serial Bus Controller"},
                      ClassCase{0x02, 0x00, 0x00, "Ethernet controller"}, ClassCase{0x03, 0x00, 0x00, "VGA controller"},
                      ClassCase{0x0A, 0x00, 0x00, "Generic docking station"}, ClassCase{0x11, 0x80, 0x00,
                                                                                 "Data acquisition/signal processing controllers"},
                      ClassCase{0x12, 0x00, 0x00, nullptr}, ClassCase{0xFF, 0x00, 0x00, nullptr}));

TEST_F(PciWalkTest, EveryBaseClassTableEndsAndHasAFallback) {
  for (u32 base = 0; base < PCI_CLASS_TABLES; base++) {
    const PciClassName* entry = PciClassNameTable[base];
    u32 count = 0;
    while (entry[count].name) count++;
    EXPECT_GT(count, 0u) << base;
    EXPECT_EQ(PciClassNameOf(base, 0xEE, 0xEE), entry[count - 1].name) << base;
  }
}

struct NameCase {
  Bdf at;
  u32 classCode;
  std::vector<u8> capabilities;
  const char* expected;
};

class DeviceNameCases : public PciWalkTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(DeviceNameCases, PrefixClassAndHotPlug) {
  const NameCase& c = GetParam();
  SimPciFunction& f = gSim->AddPciFunction(c.at.bus, c.at.device, c.at.function, 0x1B36, 0x000C, 0, c.classCode);
  if (!c.capabilities.empty()) AddCapabilities(f, c.capabilities);
  GoTo(c.at);
  char16_t name[PCI_DEVICE_NAME_CHARS];
  PciDeviceName(name);
  EXPECT_EQ(Narrow(name), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Names, DeviceNameCases,
                         ::testing::Values(NameCase{{0, 2, 0}, 0x060000, {}, "D2:F0   Host bridge"},
                                           NameCase{{0, 31, 2}, 0x010601, {}, "D31:F2  AHCI 1.0 controller"},
                                           NameCase{{0, 2, 0}, 0xFF0000, {}, "D2:F0   Unknown"},
                                           NameCase{{0, 28, 7}, 0x060400, {0x10, 0x0C},
                                                    "D28:F7  PCI-to-PCI bridge Hot-Plug"}));

}  // namespace
