// The memory-mapped PCI Express window: validating a base, the MCFG list, the Intel host
// bridge candidates and the downward scan, and the 16-page view it gives a function.
#include "PageTestSupport.h"
#include "app/AccessType.h"
#include "spaces/Pci.h"
#include "spaces/PciExpress.h"
#include "view/PageGeometry.h"

#include <cstring>
#include <vector>

namespace {

const u32 FUNCTION_OFFSET = 0x100000;  // bus 1, device 0, function 0 of the window

class EcamTest : public PageTest {
 protected:
  // A PCI Express function at 01:00.0 (an Intel NIC unless `vendor` says otherwise).
  SimPciFunction& AddExpressFunction(u16 vendor = 0x8086) {
    SimPciFunction& f = gSim->AddPciFunction(1, 0, 0, vendor, 0x10D3, 0, 0x020000);
    f.Set8(0x06, 0x10);
    f.Set8(0x34, 0x40);
    f.Set8(0x40, 0x10);
    Current->bus = 1;
    return f;
  }
  void AddWindow(u32 base) {
    gSim->ecamBase = base;
    gSim->ecamBuses = 256;
  }
  // The bases tried, in order: each validation starts with a dword read of the function.
  void RecordCandidates() {
    gSim->onMemRead = [this](u32 address, u32 width) {
      if (width == 4) candidates.push_back(address - FUNCTION_OFFSET);
    };
  }
  std::vector<u32> candidates;
};

TEST_F(EcamTest, ABaseIsValidWhenItShowsTheSameIdsAndBusNumbers) {
  SimPciFunction& f = AddExpressFunction();
  f.Set8(0x19, 0x02);
  AddWindow(0xB0000000);
  EXPECT_TRUE(EcamValidateBase(0xB0000000));
  EXPECT_EQ((u32)Current->objectBase, 0xB0100000u);
  EXPECT_EQ(Current->pageBase, Current->objectBase);
  EXPECT_FALSE(EcamValidateBase(0xC0000000));  // nothing there: all ones
  EXPECT_EQ((u32)Current->objectBase, 0xC0100000u);
  // Memory that holds the IDs but another secondary bus number is not the window.
  u8* copy = gSim->AddMemory(0xD0100000, 0x100);
  memcpy(copy, f.config.data(), 0x100);
  copy[0x19] = 0x03;
  EXPECT_FALSE(EcamValidateBase(0xD0000000));
  copy[0x19] = 0x02;
  EXPECT_TRUE(EcamValidateBase(0xD0000000));
}

TEST_F(EcamTest, IntelHostBridgeRegister60GivesTheBaseWithoutAScan) {
  gSim->AddPciFunction(0, 0, 0, 0x8086, 0x29C0).Set32(0x60, 0xB0000001);
  AddExpressFunction();
  AddWindow(0xB0000000);
  RecordCandidates();
  EXPECT_TRUE(EcamEnable());
  EXPECT_EQ(candidates, std::vector<u32>({0xB0000000}));
  EXPECT_EQ(Current->type, ACCESS_PCI_EXPRESS);
  EXPECT_EQ((u32)Current->objectBase, 0xB0100000u);
  EXPECT_EQ(Current->pageBase, Current->objectBase);
  EXPECT_EQ(PageGeometry.pageCount, 16u);
  EXPECT_EQ(PageGeometry.spaceEnd, 0xB0100FFFu);
  EXPECT_EQ(EcamBaseValid, 1u);
  EXPECT_EQ(EcamBase, 0xB0000000u);
}

TEST_F(EcamTest, CandidatesAreRegister60ThenDevice5Register84ThenTheScanDownward) {
  gSim->AddPciFunction(0, 0, 0, 0x8086, 0x29C0).Set32(0x60, 0xA0000000);  // not the window
  gSim->AddPciFunction(0, 5, 0, 0x8086, 0x1234).Set32(0x84, 0xE7FFFFFF);
  AddExpressFunction();
  AddWindow(0xE2000000);
  RecordCandidates();
  EXPECT_TRUE(EcamEnable());
  ASSERT_GE(candidates.size(), 4u);
  EXPECT_EQ(candidates[0], 0xA0000000u);
  EXPECT_EQ(candidates[1], 0xE3000000u);  // 84h AND F3000000h
  EXPECT_EQ(candidates[2], 0xE2F00000u);  // the scan starts one stride below the last candidate
  EXPECT_EQ(candidates[3], 0xE2E00000u);
  EXPECT_EQ(candidates.back(), 0xE2000000u);
  EXPECT_EQ(candidates.size(), 2u + 16u);
  EXPECT_EQ(Shown(0, 24, 26), "Scanning PCIe ECAM base = ");
}

TEST_F(EcamTest, ScanWithoutAWindowTriesEveryBaseDownTo40000000AndGivesUp) {
  SimPciFunction& f = AddExpressFunction(0x1B36);  // not Intel: no host-bridge candidates
  RecordCandidates();
  EXPECT_FALSE(EcamEnable());
  ASSERT_EQ(candidates.size(), 2816u);
  EXPECT_EQ(candidates.front(), 0xEFF00000u);
  EXPECT_EQ(candidates.back(), 0x40000000u);
  EXPECT_EQ(EcamBase, 0x40000000u);
  EXPECT_EQ(Current->type, ACCESS_PCI);  // the function stays on the configuration ports
  EXPECT_EQ(Current->pageBase, 0);
  EXPECT_EQ(Current->objectBase, 0);
  EXPECT_EQ(EcamBaseValid, 0u);
  // The next search starts below the last candidate and ends after one.
  candidates.clear();
  f.Set16(2, 0x0001);
  EXPECT_FALSE(EcamEnable());
  EXPECT_EQ(candidates, std::vector<u32>({0x3FF00000}));
}

TEST_F(EcamTest, AValidatedBaseIsTriedFirstForTheNextFunction) {
  gSim->AddPciFunction(0, 0, 0, 0x8086, 0x29C0).Set32(0x60, 0xA0000000);
  AddExpressFunction(0x1B36);
  AddWindow(0xE0000000);
  EcamBase = 0xE0000000;
  EcamBaseValid = 1;
  RecordCandidates();
  EXPECT_TRUE(EcamEnable());
  EXPECT_EQ(candidates, std::vector<u32>({0xE0000000}));
}

TEST_F(EcamTest, NonExpressFunctionsStayOnTheConfigurationPorts) {
  gSim->AddPciFunction(0, 0, 0, 0x8086, 0x29C0).Set32(0x60, 0xB0000001);
  AddWindow(0xB0000000);
  RecordCandidates();
  EXPECT_FALSE(EcamEnable());
  EXPECT_TRUE(candidates.empty());
  EXPECT_EQ(Current->type, ACCESS_PCI);
}

// An MCFG table at `address` with `entries` allocation entries whose bases are 1, 2, 3 ... x 100000h.
void AddMcfg(u32 address, u32 entries) {
  u8* table = gSim->AddMemory(address, 44 + 16 * entries);
  u32 length = 44 + 16 * entries;
  memcpy(table, "MCFG", 4);
  memcpy(table + 4, &length, 4);
  for (u32 i = 0; i < entries; i++) {
    u32 base = (i + 1) * 0x10000000u;
    memcpy(table + 44 + 16 * i, &base, 4);
  }
}

TEST_F(EcamTest, McfgTableGivesAtMost20Bases) {
  AddMcfg(0x7000000, 25);
  EXPECT_EQ(McfgReadTable(0x7000000), 0x10000000u);
  EXPECT_EQ(McfgBaseCount, 20u);
  EXPECT_EQ(McfgBaseList[19], 20u * 0x10000000u);
  AddMcfg(0x7100000, 2);
  EXPECT_EQ(McfgReadTable(0x7100000), 0x10000000u);
  EXPECT_EQ(McfgBaseCount, 2u);
}

TEST_F(EcamTest, McfgTableShorterThanItsHeaderGivesNoBases) {
  u8* table = gSim->AddMemory(0x7000000, 64);
  u32 length = 20;
  memcpy(table + 4, &length, 4);
  EXPECT_EQ(McfgReadTable(0x7000000), 0u);
  EXPECT_EQ(McfgBaseCount, 0u);
}

TEST_F(EcamTest, McfgBasesAreTriedInOrderAndNothingElse) {
  gSim->AddPciFunction(0, 0, 0, 0x8086, 0x29C0).Set32(0x60, 0xB0000001);
  AddExpressFunction();
  AddWindow(0x30000000);
  McfgBaseList[0] = 0x10000000;
  McfgBaseList[1] = 0x30000000;
  McfgBaseList[2] = 0x20000000;
  McfgBaseCount = 3;
  RecordCandidates();
  EXPECT_TRUE(EcamEnable());
  EXPECT_EQ(candidates, std::vector<u32>({0x10000000, 0x30000000}));
  candidates.clear();
  McfgBaseCount = 1;  // a list without the window: no host bridge, no scan
  EXPECT_FALSE(EcamEnable());
  EXPECT_EQ(candidates, std::vector<u32>({0x10000000}));
}

TEST_F(EcamTest, StepToAnExpressFunctionOpensItsWindowAndBackLeavesIt) {
  gSim->AddPciFunction(0, 0, 0, 0x8086, 0x29C0).Set32(0x60, 0xB0000001);
  AddExpressFunction();
  AddWindow(0xB0000000);
  Current->bus = 0;
  ComputePageGeometry(true);
  ASSERT_TRUE(PciStepFunction(+1));
  EXPECT_EQ(Current->bus, 1);
  EXPECT_EQ(Current->type, ACCESS_PCI_EXPRESS);
  EXPECT_EQ((u32)Current->objectBase, 0xB0100000u);
  StepPage(0x300);
  ASSERT_TRUE(PciStepFunction(+1));
  EXPECT_EQ(Current->bus, 0);
  EXPECT_EQ(Current->type, ACCESS_PCI);
  EXPECT_EQ(Current->pageBase, 0);
  EXPECT_EQ(Current->objectBase, 0);
  EXPECT_EQ(PageGeometry.pageCount, 1u);
}

}  // namespace
