#include "spaces/IndexedPci.h"
#include "platform/Hardware.h"

u32 IndexedPciRead(u32 configAddress, u32 indexRegister, u32 dataRegister, u32 offset, u32 width) {
  PciCfgWriteByte(configAddress + indexRegister, offset / INDEXED_PCI_UNIT);
  return PciCfgRead(configAddress + dataRegister + offset % INDEXED_PCI_UNIT, width);
}

void IndexedPciWrite(u32 configAddress, u32 indexRegister, u32 dataRegister, u32 offset, u32 value,
                     u32 width) {
  // Index register 0xE8 needs its write enable at 0xE9; index register 0x60 takes bit 7 as
  // the write strobe.
  if (indexRegister == 0xE8) PciCfgWriteByte(configAddress + 0xE9, 1);
  u32 index = offset / INDEXED_PCI_UNIT;
  if (indexRegister == 0x60) index |= 0x80;
  PciCfgWriteByte(configAddress + indexRegister, index);
  for (u32 i = 0; i < width; i++)
    PciCfgWriteByte(configAddress + dataRegister + offset % INDEXED_PCI_UNIT + i, (value >> (8 * i)) & 0xFF);
}
