// Port, PCI configuration, memory, MSR and file primitives against the simulated machine.
#include "SimTestSupport.h"
#include "platform/Files.h"
#include "platform/Hardware.h"

class HardwareTest : public SimTest {};

TEST_F(HardwareTest, PciConfigReadShiftsAndMasksTheDword) {
  SimPciFunction& f = gSim->AddPciFunction(0, 3, 0, 0x1234, 0xABCD);
  f.Set32(0x40, 0x44332211);
  EXPECT_EQ(PciCfgRead(3 << 11 | 0x02, 2), 0xABCDu);  // bits 16-31 of the dword at 0
  EXPECT_EQ(PciCfgRead(3 << 11 | 0x43, 2), 0x44u);    // only the top byte is left
  EXPECT_EQ(PciCfgRead(3 << 11 | 0x41, 1), 0x22u);
  EXPECT_EQ(PciCfgRead(3 << 11 | 0x40, 4), 0x44332211u);
  EXPECT_EQ(PciCfgRead(4 << 11, 4), 0xFFFFFFFFu);  // absent function
}

TEST_F(HardwareTest, PciConfigByteWriteGoesToTheMatchingDataPort) {
  gSim->AddPciFunction(0, 3, 0, 0x1234, 0xABCD);
  PciCfgWriteByte(3 << 11 | 0x41, 0x5A);
  ASSERT_EQ(gSim->portWrites.size(), 2u);
  EXPECT_EQ(gSim->portWrites[0], (SimPortWrite{0xCF8, 0x80001840, 4}));
  EXPECT_EQ(gSim->portWrites[1], (SimPortWrite{0xCFD, 0x5A, 1}));
  EXPECT_EQ(PciCfgRead(3 << 11 | 0x41, 1), 0x5Au);
}

TEST_F(HardwareTest, IoWriteAutoTakesItsWidthFromTheValue) {
  struct Case {
    u32 port, value, width;
  } cases[] = {{0x80, 0x12, 1}, {0x80, 0x1234, 2}, {0xCF8, 0x80000000, 4}, {0x80, 0xFF, 1}, {0x80, 0x100, 2}, {0x80, 0x10000, 4}};
  for (const Case& c : cases) {
    gSim->portWrites.clear();
    IoWriteAuto(c.port, c.value);
    ASSERT_EQ(gSim->portWrites.size(), 1u);
    EXPECT_EQ(gSim->portWrites[0], (SimPortWrite{(u16)c.port, c.value, c.width})) << std::hex << c.value;
  }
}

TEST_F(HardwareTest, UnsupportedWidthsTouchNothing) {
  EXPECT_EQ(IoRead(0x70, 3), 0u);
  EXPECT_TRUE(gSim->portReads.empty());
  u8* memory = gSim->AddMemory(0x100000 * 32, 16);
  memory[0] = 0x11;
  EXPECT_EQ(MemRead(0x100000 * 32, 3), 0u);
  MemWrite(0x100000 * 32, 0x99, 3);
  EXPECT_EQ(memory[0], 0x11);
}

TEST_F(HardwareTest, MemoryIsLittleEndian) {
  MemWrite(0x1000, 0x11223344, 4);
  EXPECT_EQ(MemRead(0x1000, 1), 0x44u);
  EXPECT_EQ(MemRead(0x1002, 2), 0x1122u);
  PokeByte(0x40, 0x1A, 0x7E);
  EXPECT_EQ(MemRead(0x41A, 1), 0x7Eu);
  EXPECT_EQ(PeekByte(0x40, 0x1A), 0x7Eu);
}

TEST_F(HardwareTest, PoolBuffersAreReachableThroughTheirPhysicalAddress) {
  u8* buffer = (u8*)PoolAlloc(64);
  ASSERT_NE(buffer, nullptr);
  buffer[5] = 0xA5;
  EXPECT_EQ(MemRead(PhysicalAddressOf(buffer) + 5, 1), 0xA5u);
  void* low = PoolAllocLow(512);
  EXPECT_LT((uptr)low, 0x100000000ull);
}

TEST_F(HardwareTest, MsrWriteCombinesTheHalves) {
  gSim->msrs[0x174] = 0;
  MsrWrite(0x174, 0x12345678, 0x9);
  EXPECT_EQ(gSim->msrs[0x174], 0x0000000912345678ull);
  u32 high = 0;
  EXPECT_EQ(MsrRead(0x174, &high), 0x12345678u);
  EXPECT_EQ(high, 9u);
}

TEST_F(HardwareTest, MissingMsrSetsTheFaultFlagAndGoesOn) {
  MsrFault = 0;
  u32 high = 0;
  MsrRead(0xDEAD, &high);
  EXPECT_EQ(MsrFault, 1u);
  MsrFault = 0;
  MsrWrite(0xDEAD, 1, 2);
  EXPECT_EQ(MsrFault, 1u);
  EXPECT_TRUE(gSim->msrWrites.empty());
}

TEST_F(HardwareTest, FileModes) {
  EXPECT_EQ(FileOpen(u"\\MISSING.TXT", "a"), nullptr);
  EXPECT_EQ(FileOpen(u"\\MISSING.TXT", "r"), nullptr);
  File* file = FileOpen(u"\\NEW.TXT", "w");
  ASSERT_NE(file, nullptr);
  FilePrintf(file, u"%s=%02X\n", u"Reg", 0x5u);
  FileClose(file);
  file = FileOpen(u"\\NEW.TXT", "a");
  ASSERT_NE(file, nullptr);
  FilePutText(u"tail", file);
  FileClose(file);
  const std::vector<u8>& data = gSim->files[u"\\NEW.TXT"];
  EXPECT_EQ(std::string(data.begin(), data.end()), "Reg=05\ntail");
}

TEST_F(HardwareTest, FixedEntryPoints) {
  EXPECT_EQ(SmbusFindDevice(1, 0, 0x7F), 1u);
  EXPECT_EQ(SmbusReadByte(), 1u);
  EXPECT_EQ(SmiSetVariable(nullptr, 4), 0x0Eu);
  EXPECT_EQ(CpuClockMhz(), 0u);
}
