// Every route of the register access dispatch, seen as the port, configuration, memory and
// MSR traffic the simulated machine records.
#include "SimTestSupport.h"
#include "app/AccessType.h"
#include "app/RegisterAccess.h"
#include "platform/Hardware.h"
#include "spaces/Ide.h"
#include "spaces/IsaIo.h"
#include "spaces/Msr.h"
#include "spaces/Smbios.h"

class RegisterAccessTest : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    ResetHistory();
    IoSpaceMode = -1;
  }
  void TearDown() override {
    MsrTable = nullptr;
    MsrTableRows = 0;
    MsrRowFlags = nullptr;
    IdeIdentifyBuffer = nullptr;
  }
  u32 Read(u32 index, u32 width) { return ReadRegister(index, nullptr, width); }
  // A port device that answers each port with its own low byte and records nothing else.
  void AddEchoPorts(u16 first, u16 last) {
    SimPortDevice d;
    d.read = [](u16 port, u32 width) -> u32 { return width == 1 ? (port & 0xFF) : 0xBEEF; };
    d.write = [](u16, u32, u32) {};
    gSim->AddPortDevice(first, last, d);
  }
};

TEST_F(RegisterAccessTest, PciUsesBusDeviceFunctionAndWritesByteByByte) {
  SimPciFunction& f = gSim->AddPciFunction(2, 3, 1, 0x1AF4, 0x1000);
  Current->bus = 2;
  Current->device = 3;
  Current->function = 1;
  EXPECT_EQ(Read(0, 4), 0x10001AF4u);
  gSim->portWrites.clear();
  WriteRegister(0x3C, 0xA1B2, 0, 2);
  std::vector<SimPortWrite> expected = {
      {0xCF8, 0x8002193C, 4}, {0xCFC, 0xB2, 1}, {0xCF8, 0x8002193C, 4}, {0xCFD, 0xA1, 1}};
  EXPECT_EQ(gSim->portWrites, expected);
  EXPECT_EQ(f.config[0x3C], 0xB2);
  EXPECT_EQ(f.config[0x3D], 0xA1);
}

TEST_F(RegisterAccessTest, IsaReadsEachByteThroughTheIndexPort) {
  gSim->cmos[0x10] = 0x10;
  gSim->cmos[0x11] = 0x11;
  gSim->cmos[0x12] = 0x12;
  gSim->cmos[0x13] = 0x13;
  Current->type = ACCESS_ISA;
  Current->indexPort = 0x70;
  Current->dataPort = 0x71;
  EXPECT_EQ(Read(0x10, 4), 0x13121110u);
  std::vector<SimPortWrite> indexWrites = {{0x70, 0x10, 1}, {0x70, 0x11, 1}, {0x70, 0x12, 1}, {0x70, 0x13, 1}};
  EXPECT_EQ(gSim->portWrites, indexWrites);
  WriteRegister(0x20, 0xBBAA, 0, 2);
  EXPECT_EQ(gSim->cmos[0x20], 0xAA);
  EXPECT_EQ(gSim->cmos[0x21], 0xBB);
}

TEST_F(RegisterAccessTest, IoSpaceReadsWholeWidthAndWritesBytes) {
  AddEchoPorts(0x500, 0x5FF);
  Current->type = ACCESS_IO_SPACE;
  Current->indexPort = 0x500;
  EXPECT_EQ(Read(0x10, 2), 0xBEEFu);
  EXPECT_EQ(gSim->portReads, std::vector<u16>{0x510});
  WriteRegister(0x10, 0x1234, 0, 2);
  std::vector<SimPortWrite> expected = {{0x510, 0x34, 1}, {0x511, 0x12, 1}};
  EXPECT_EQ(gSim->portWrites, expected);
}

TEST_F(RegisterAccessTest, PmIoModeLeavesRegisters15To18Alone) {
  AddEchoPorts(0x400, 0x4FF);
  Current->type = ACCESS_IO_SPACE;
  Current->indexPort = 0x400;
  IoSpaceMode = IO_MODE_PM;
  for (u32 reg = 0x15; reg <= 0x18; reg++) EXPECT_EQ(Read(reg, 1), 0u);
  EXPECT_TRUE(gSim->portReads.empty());
  EXPECT_EQ(Read(0x14, 1), 0x14u);
  for (u32 reg = 0x15; reg <= 0x18; reg++) WriteRegister(reg, 0x5A, 0, 1);
  std::vector<SimPortWrite> expected = {{0x417, 0x5A, 1}, {0x418, 0x5A, 1}};
  EXPECT_EQ(gSim->portWrites, expected);
}

TEST_F(RegisterAccessTest, MemoryTypesAddThePageBase) {
  u8* memory = gSim->AddMemory(0x80000000u, 0x1000);
  memory[0x123] = 0x77;
  for (i32 type : {ACCESS_MEMORY, ACCESS_PCI_EXPRESS, ACCESS_UEFI_VARIABLE, ACCESS_AHCI_MMIO, ACCESS_ACPI_TABLE}) {
    Current->type = type;
    Current->pageBase = (i32)0x80000100u;
    EXPECT_EQ(Read(0x23, 1), 0x77u) << type;
  }
  WriteRegister(0x24, 0x5566, 0, 2);
  EXPECT_EQ(memory[0x124], 0x66);
  EXPECT_EQ(memory[0x125], 0x55);
}

TEST_F(RegisterAccessTest, MsrCellsAreBytesOfTheSixtyFourBitValue) {
  static const MsrEntry table[] = {{u"IA32_SYSENTER_CS", 0x174, 0}, {u"MISSING", 0x999, 0}, {nullptr, 0, 0}};
  static u32 flags[] = {0, MSR_UNREADABLE};
  MsrTable = table;
  MsrTableRows = 2;
  MsrRowFlags = flags;
  gSim->msrs[0x174] = 0x1122334455667788ull;
  Current->type = ACCESS_CPU_MSR;
  u32 high = 0;
  EXPECT_EQ(ReadRegister(4, &high, 4), 0x11223344u);  // byte 4: the upper half
  EXPECT_EQ(high, 0x11223344u);
  EXPECT_EQ(Read(1, 2), 0x6677u);
  EXPECT_EQ(Read(8, 4), 0xFFFFFFFFu);  // unreadable row
  EXPECT_EQ(Read(12, 4), 0xFFFFFFFFu);
  WriteRegister(8, 1, 2, 4);
  WriteRegister(0, 0xAABBCCDD, 0x01020304, 4);
  ASSERT_EQ(gSim->msrWrites.size(), 1u);
  EXPECT_EQ(gSim->msrWrites[0], (std::pair<u32, u64>{0x174, 0x01020304AABBCCDDull}));
}

TEST_F(RegisterAccessTest, IdentifyAndSmbiosAreReadOnly) {
  u8 identify[IDENTIFY_BYTES] = {};
  identify[0x102] = 0x42;
  IdeIdentifyBuffer = identify;
  Current->type = ACCESS_IDE_IDENTIFY;
  Current->pageBase = 0x100;
  EXPECT_EQ(Read(2, 1), 0x42u);
  EXPECT_EQ(Read(0x1FF, 2), 0u);  // past the buffer
  WriteRegister(2, 0x99, 0, 1);
  EXPECT_EQ(identify[0x102], 0x42);

  u8* memory = gSim->AddMemory(0x90000000u, 0x100);
  memory[5] = 0x33;
  SmbiosStructAddress = 0x90000000u;
  Current->type = ACCESS_SMBIOS;
  Current->pageBase = 0x1234;  // not used
  EXPECT_EQ(Read(5, 1), 0x33u);
  WriteRegister(5, 0x44, 0, 1);
  EXPECT_EQ(memory[5], 0x33);
  SmbiosStructAddress = 0;
}

TEST_F(RegisterAccessTest, IndexedPciWriteSequences) {
  struct Case {
    i32 indexRegister;
    std::vector<SimPortWrite> configWrites;  // (register, byte) pairs as PCI writes
  };
  gSim->AddPciFunction(0, 0, 0, 0x1002, 0x5A10);
  Current->type = ACCESS_INDEXED_PCI;
  Current->dataPort = 0xEC;
  Current->pageBase = 0x100;
  auto writesTo = [](u32 reg, u32 value) {
    return std::vector<SimPortWrite>{{0xCF8, 0x80000000u | (reg & ~3u), 4}, {(u16)(0xCFC + (reg & 3)), value, 1}};
  };
  // index register 0xE8: write enable at 0xE9 first
  Current->indexPort = 0xE8;
  gSim->portWrites.clear();
  WriteRegister(0x06, 0xAB, 0, 1);
  std::vector<SimPortWrite> expected;
  for (auto part : {writesTo(0xE9, 1), writesTo(0xE8, 0x41), writesTo(0xEE, 0xAB)})
    expected.insert(expected.end(), part.begin(), part.end());
  EXPECT_EQ(gSim->portWrites, expected);
  // index register 0x60: bit 7 of the index is the write strobe
  Current->indexPort = 0x60;
  Current->dataPort = 0x64;
  gSim->portWrites.clear();
  WriteRegister(0x06, 0xAB, 0, 1);
  expected.clear();
  for (auto part : {writesTo(0x60, 0xC1), writesTo(0x66, 0xAB)}) expected.insert(expected.end(), part.begin(), part.end());
  EXPECT_EQ(gSim->portWrites, expected);
}

TEST_F(RegisterAccessTest, SmbusAndUnassignedTypes) {
  Current->type = ACCESS_SMBUS;
  EXPECT_EQ(Read(0x33, 1), 1u);
  Current->type = 2;
  EXPECT_EQ(Read(0, 4), 0u);
  WriteRegister(0, 1, 0, 1);
  EXPECT_TRUE(gSim->portWrites.empty());
}
