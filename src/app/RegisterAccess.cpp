#include "app/RegisterAccess.h"
#include "app/AccessType.h"
#include "platform/Hardware.h"
#include "spaces/Ide.h"
#include "spaces/IndexedPci.h"
#include "spaces/IsaIo.h"
#include "spaces/Msr.h"
#include "spaces/MsrValue.h"
#include "spaces/Pci.h"
#include "spaces/Smbios.h"

static u32 FunctionAddress() {
  return (u32)Current->bus * 0x10000 + (u32)Current->device * 0x800 + (u32)Current->function * 0x100;
}

u32 CurrentConfigAddress() {
  u32 address = FunctionAddress();
  if (Current->type == ACCESS_PCI && AmdExtendedConfigAvailable)
    address |= ((u32)Current->pageBase / 256) << 24;
  return address;
}

static u32 ReadIdentify(u32 index, u32 width) {
  u32 value = 0;
  for (u32 i = 0; i < width; i++) {
    u32 at = (u32)Current->pageBase + index + i;
    if (IdeIdentifyBuffer && at < IDENTIFY_BYTES) value |= (u32)IdeIdentifyBuffer[at] << (8 * i);
  }
  return value;
}

static u32 ReadMsrCell(u32 index, u32* highOut, u32 width) {
  u64 value = MsrRowRead(((u32)Current->pageBase + index) / MSR_ROW_BYTES);
  if (highOut) *highOut = (u32)(value >> 32);
  return MsrValueByte(value, index % MSR_ROW_BYTES, width);
}

u32 ReadRegister(u32 index, u32* highOut, u32 width) {
  u32 base = (u32)Current->pageBase;
  switch (Current->type) {
    case ACCESS_PCI:
      return PciCfgRead(CurrentConfigAddress() + index, width);
    case ACCESS_ISA:
      return IndexBankRead(index, (u32)Current->indexPort, (u32)Current->dataPort, width);
    case ACCESS_IO_SPACE:
      return IoSpaceRead(index, (u32)Current->indexPort, width);
    case ACCESS_IDE_IDENTIFY:
      return ReadIdentify(index, width);
    case ACCESS_MEMORY:
    case ACCESS_PCI_EXPRESS:
    case ACCESS_UEFI_VARIABLE:
    case ACCESS_AHCI_MMIO:
    case ACCESS_ACPI_TABLE:
      return MemRead(base + index, width);
    case ACCESS_CPU_MSR:
      return ReadMsrCell(index, highOut, width);
    case ACCESS_SMBIOS:
      return MemRead(SmbiosStructAddress + index, width);
    case ACCESS_SMBUS:
      return SmbusReadByte();
    case ACCESS_INDEXED_PCI:
      return IndexedPciRead(FunctionAddress(), (u32)Current->indexPort, (u32)Current->dataPort, base + index, width);
  }
  return 0;
}

void WriteRegister(u32 index, u32 value, u32 high, u32 width) {
  u32 base = (u32)Current->pageBase;
  switch (Current->type) {
    case ACCESS_PCI:
      for (u32 i = 0; i < width; i++) PciCfgWriteByte(CurrentConfigAddress() + index + i, (value >> (8 * i)) & 0xFF);
      break;
    case ACCESS_ISA:
      IndexBankWrite(index, value, (u32)Current->indexPort, (u32)Current->dataPort, width);
      break;
    case ACCESS_IO_SPACE:
      IoSpaceWrite(index, value, (u32)Current->indexPort, width);
      break;
    case ACCESS_MEMORY:
    case ACCESS_PCI_EXPRESS:
    case ACCESS_UEFI_VARIABLE:
    case ACCESS_AHCI_MMIO:
    case ACCESS_ACPI_TABLE:
      MemWrite(base + index, value, width);
      break;
    case ACCESS_CPU_MSR:
      MsrRowWrite((base + index) / MSR_ROW_BYTES, ((u64)high << 32) | value);
      break;
    case ACCESS_SMBUS:
      SmbusWriteByte();
      break;
    case ACCESS_INDEXED_PCI:
      IndexedPciWrite(FunctionAddress(), (u32)Current->indexPort, (u32)Current->dataPort, base + index, value, width);
      break;
  }
}

u32 ReadRegister8(u32 index) {
  u32 high;
  return ReadRegister(index, &high, 1);
}
u32 ReadRegister16(u32 index) {
  u32 high;
  return ReadRegister(index, &high, 2);
}
u32 ReadRegister32(u32 index) {
  u32 high;
  return ReadRegister(index, &high, 4);
}
