// Index/data banks and their probe, the ISA register sets, the PM IO exclusions and the
// indexed PCI space, seen as the port and configuration traffic of the simulated machine.
#include "SimTestSupport.h"
#include "app/AccessType.h"
#include "spaces/IndexedPci.h"
#include "spaces/IsaIo.h"
#include "spaces/IsaSets.h"

#include <vector>

namespace {

class IsaIoTest : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    ResetHistory();
    IoSpaceMode = -1;
  }
  // Cyrix configuration registers at 0x22/0x23: they answer 0x5A only after 0x10 went to C3h.
  void AddCyrixRegisters() {
    SimPortDevice d;
    d.read = [this](u16 port, u32) -> u32 { return port == 0x23 && unlocked ? 0x5A : 0xFF; };
    d.write = [this](u16 port, u32 value, u32) {
      if (port == 0x22) index = (u8)value;
      if (port == 0x23 && index == 0xC3 && value == 0x10) unlocked = true;
    };
    gSim->AddPortDevice(0x22, 0x23, d);
  }
  u8 index = 0;
  bool unlocked = false;
};

TEST_F(IsaIoTest, ProbeFindsTheFirstRegisterThatIsNotFF) {
  gSim->cmos.fill(0xFF);
  gSim->cmos[0x05] = 0x12;
  EXPECT_TRUE(IndexBankProbe(0x70, 0x71));
  EXPECT_EQ(gSim->portReads.size(), 6u) << "stops at register 5";
  gSim->cmos[0x05] = 0xFF;
  gSim->portReads.clear();
  EXPECT_FALSE(IndexBankProbe(0x70, 0x71));
  EXPECT_EQ(gSim->portReads.size(), 256u) << "every register read once";
}

TEST_F(IsaIoTest, CmosSetTakesItsPortsWhenTheBankAnswers) {
  gSim->cmos[0x0A] = 0x26;
  Current->isaSet = -1;
  ASSERT_TRUE(IsaOpenSet(Current, 0));
  EXPECT_EQ(Current->isaSet, 0);
  EXPECT_EQ(Current->indexPort, 0x70);
  EXPECT_EQ(Current->dataPort, 0x71);
  EXPECT_EQ(IndexBankRead(0x0A, 0x70, 0x71, 1), 0x26u);
}

TEST_F(IsaIoTest, CyrixSetIsUnlockedBeforeItIsProbed) {
  AddCyrixRegisters();
  ASSERT_TRUE(IsaOpenSet(Current, 1));
  std::vector<SimPortWrite> unlock = {{0x22, 0xC3, 1}, {0x23, 0x10, 1}};
  ASSERT_GE(gSim->portWrites.size(), 2u);
  EXPECT_EQ(std::vector<SimPortWrite>(gSim->portWrites.begin(), gSim->portWrites.begin() + 2), unlock);
  EXPECT_EQ(Current->isaSet, 1);
  EXPECT_EQ(Current->indexPort, 0x22);
  EXPECT_EQ(Current->dataPort, 0x23);
}

TEST_F(IsaIoTest, AbsentSetLeavesThePreviousPortsAndSet) {
  Current->isaSet = 0;
  Current->indexPort = 0x70;
  Current->dataPort = 0x71;
  EXPECT_FALSE(IsaOpenSet(Current, 1));  // nothing at 0x22/0x23
  EXPECT_EQ(Current->isaSet, 0);
  EXPECT_EQ(Current->indexPort, 0x70);
  EXPECT_EQ(Current->dataPort, 0x71);
  EXPECT_FALSE(IsaOpenSet(Current, -1));
  EXPECT_FALSE(IsaOpenSet(Current, 2));
  EXPECT_EQ(Current->isaSet, 0);
}

TEST_F(IsaIoTest, PmModeLeavesRegisters15To18Alone) {
  struct Case {
    i32 mode;
    u32 offset, width;
    bool portRead;
  };
  const Case reads[] = {
      {1, 0x14, 1, true}, {1, 0x15, 1, false}, {1, 0x16, 2, false}, {1, 0x17, 4, false},
      {1, 0x18, 1, false}, {1, 0x19, 1, true}, {1, 0x14, 2, true},  {1, 0x12, 4, true},
      {0, 0x15, 1, true},  {-1, 0x16, 1, true},
  };
  for (const Case& c : reads) {
    IoSpaceMode = c.mode;
    gSim->portReads.clear();
    u32 value = IoSpaceRead(c.offset, 0x400, c.width);
    EXPECT_EQ(!gSim->portReads.empty(), c.portRead) << c.mode << " read " << c.offset;
    if (c.portRead) {
      EXPECT_EQ(gSim->portReads[0], 0x400 + c.offset);
    } else {
      EXPECT_EQ(value, 0u);
    }
  }
  const Case writes[] = {
      {1, 0x15, 1, false}, {1, 0x16, 1, false}, {1, 0x17, 1, true}, {1, 0x18, 1, true},
      {1, 0x14, 2, true},  {0, 0x15, 1, true},  {-1, 0x16, 1, true},
  };
  for (const Case& c : writes) {
    IoSpaceMode = c.mode;
    gSim->portWrites.clear();
    IoSpaceWrite(c.offset, 0xBBAA, 0x400, c.width);
    EXPECT_EQ(gSim->portWrites.size(), c.portRead ? c.width : 0u) << c.mode << " write " << c.offset;
    if (c.portRead) {
      EXPECT_EQ(gSim->portWrites[0], (SimPortWrite{(u16)(0x400 + c.offset), 0xAA, 1}));
    }
  }
}

// The configuration writes of the indexed PCI space, as (register, byte) pairs of 00:00.0.
std::vector<std::pair<u32, u32>> ConfigByteWrites() {
  std::vector<std::pair<u32, u32>> writes;
  u32 address = 0;
  for (const SimPortWrite& w : gSim->portWrites) {
    if (w.port == 0xCF8) address = w.value & 0xFFFFFF;
    if (w.port >= 0xCFC && w.port <= 0xCFF && w.width == 1) writes.push_back({address + (w.port - 0xCFC), w.value});
  }
  return writes;
}

TEST_F(IsaIoTest, IndexedPciWritesFollowTheRulesOfTheIndexRegister) {
  gSim->AddPciFunction(0, 0, 0, 0x1002, 0x5A10);
  struct Case {
    u32 indexRegister, dataRegister, offset, value, width;
    std::vector<std::pair<u32, u32>> expected;
  };
  const Case cases[] = {
      {0x60, 0x64, 0x0C, 0x5A, 1, {{0x60, 0x83}, {0x64, 0x5A}}},
      {0xE8, 0xEC, 0x0D, 0x2211, 2, {{0xE9, 0x01}, {0xE8, 0x03}, {0xED, 0x11}, {0xEE, 0x22}}},
      {0x90, 0x94, 0x3FC, 0x44332211, 4, {{0x90, 0xFF}, {0x94, 0x11}, {0x95, 0x22}, {0x96, 0x33}, {0x97, 0x44}}},
      // A register typed past FFh stays inside the function instead of reaching 00:1F.7.
      {0x1E0, 0x1E4, 0x04, 0x77, 1, {{0xE0, 0x01}, {0xE4, 0x77}}},
  };
  for (const Case& c : cases) {
    gSim->portWrites.clear();
    IndexedPciWrite(0, c.indexRegister, c.dataRegister, c.offset, c.value, c.width);
    EXPECT_EQ(ConfigByteWrites(), c.expected) << std::hex << c.indexRegister << " offset " << c.offset;
  }
}

TEST_F(IsaIoTest, IndexedPciReadSelectsTheIndexThenReadsTheData) {
  SimPciFunction& f = gSim->AddPciFunction(0, 0, 0, 0x1002, 0x5A10);
  f.Set32(0x64, 0x44332211);
  EXPECT_EQ(IndexedPciRead(0, 0x60, 0x64, 0x0D, 2), 0x3322u);
  std::vector<std::pair<u32, u32>> indexWrite = {{0x60, 0x03}};  // no strobe bit on reads
  EXPECT_EQ(ConfigByteWrites(), indexWrite);
  EXPECT_EQ(f.config[0x60], 0x03);
}

}  // namespace
