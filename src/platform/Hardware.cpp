#include "platform/Hardware.h"
#include "platform/Firmware.h"
#include "base/Memory.h"

u32 MsrFault;

u32 IoRead(u32 port, u32 width) {
  switch (width) {
    case 1: return FwPortIn8((u16)port);
    case 2: return FwPortIn16((u16)port);
    case 4: return FwPortIn32((u16)port);
  }
  return 0;
}

void IoWriteAuto(u32 port, u32 value) {
  if (value > 0xFFFF)
    FwPortOut32((u16)port, value);
  else if (value > 0xFF)
    FwPortOut16((u16)port, (u16)value);
  else
    FwPortOut8((u16)port, (u8)value);
}

void IoWrite8(u32 port, u32 value) { FwPortOut8((u16)port, (u8)value); }
u32 IoRead8(u32 port) { return FwPortIn8((u16)port); }

static const u16 PCI_ADDRESS_PORT = 0xCF8;
static const u16 PCI_DATA_PORT = 0xCFC;

u32 PciCfgRead(u32 address, u32 width) {
  FwPortOut32(PCI_ADDRESS_PORT, (address & ~3u) | 0x80000000u);
  u32 value = FwPortIn32(PCI_DATA_PORT) >> (8 * (address & 3));
  if (width == 1) return value & 0xFF;
  if (width == 2) return value & 0xFFFF;
  return value;
}

void PciCfgWriteByte(u32 address, u32 value) {
  FwPortOut32(PCI_ADDRESS_PORT, (address & ~3u) | 0x80000000u);
  FwPortOut8((u16)(PCI_DATA_PORT + (address & 3)), (u8)value);
}

u32 MemRead(u32 address, u32 width) {
  if (width != 1 && width != 2 && width != 4) return 0;
  return FwMemRead(address, width);
}

void MemWrite(u32 address, u32 value, u32 width) {
  if (width != 1 && width != 2 && width != 4) return;
  FwMemWrite(address, value, width);
}

u32 PeekByte(u32 segment, u32 offset) { return FwMemRead((segment & 0xFFFF) * 16 + (offset & 0xFFFF), 1); }
void PokeByte(u32 segment, u32 offset, u32 value) {
  FwMemWrite((segment & 0xFFFF) * 16 + (offset & 0xFFFF), value & 0xFF, 1);
}

int MemCompare(const void* a, const void* b, usize count) { return CompareBytes(a, b, count) ? 1 : 0; }
void MemFill(void* buffer, u32 value, usize size) { SetBytes(buffer, (u8)value, size); }
u32 PhysicalAddressOf(const void* buffer) { return (u32)(uptr)buffer; }

u32 MsrRead(u32 index, u32* high) {
  u64 value = ~0ull;
  if (!FwMsrRead(index, &value)) MsrFault = 1;
  if (high) *high = (u32)(value >> 32);
  return (u32)value;
}

void MsrWrite(u32 index, u32 low, u32 high) {
  if (!FwMsrWrite(index, ((u64)high << 32) | low)) MsrFault = 1;
}

void Cpuid(u32 leaf, u32* eax, u32* ebx, u32* ecx, u32* edx) {
  u32 out[4];
  FwCpuid(leaf, out);
  if (eax) *eax = out[0];
  if (ebx) *ebx = out[1];
  if (ecx) *ecx = out[2];
  if (edx) *edx = out[3];
}

void* PoolAlloc(usize size) { return FwAlloc(size); }
void PoolFree(void* buffer) { FwFree(buffer); }
void* PoolAllocLow(usize size) { return FwAllocLow(size); }
void PoolFreeLow(void* buffer, usize size) { FwFreeLow(buffer, size); }

u32 CpuClockMhz() { return 0; }
u32 SmbusFindDevice(i32, u32, u32) { return 1; }
u32 SmbusReadByte() { return 1; }
void SmbusWriteByte() {}
u32 SmiSetVariable(const void*, u32) { return 0x0E; }
u32 TextToCount(const char16_t*) { return 0; }
