#include "spaces/IndexedPci.h"
#include "platform/Hardware.h"

// The index and data registers are typed as four hex digits; anything past FFh would carry
// into the device and function bits of the address and reach another function, so
// registers wrap inside the function's 256 bytes.
static u32 RegisterAddress(u32 configAddress, u32 reg) { return configAddress + (reg & 0xFF); }

u32 IndexedPciRead(u32 configAddress, u32 indexRegister, u32 dataRegister, u32 offset, u32 width) {
  PciCfgWriteByte(RegisterAddress(configAddress, indexRegister), offset / INDEXED_PCI_UNIT);
  return PciCfgRead(RegisterAddress(configAddress, dataRegister + offset % INDEXED_PCI_UNIT), width);
}

void IndexedPciWrite(u32 configAddress, u32 indexRegister, u32 dataRegister, u32 offset, u32 value,
                     u32 width) {
  // Index register 0xE8 needs its write enable at 0xE9; index register 0x60 takes bit 7 as
  // the write strobe.
  if (indexRegister == 0xE8) PciCfgWriteByte(RegisterAddress(configAddress, 0xE9), 1);
  u32 index = offset / INDEXED_PCI_UNIT;
  if (indexRegister == 0x60) index |= 0x80;
  PciCfgWriteByte(RegisterAddress(configAddress, indexRegister), index);
  for (u32 i = 0; i < width; i++)
    PciCfgWriteByte(RegisterAddress(configAddress, dataRegister + offset % INDEXED_PCI_UNIT + i),
                    (value >> (8 * i)) & 0xFF);
}
