// The display name of the current PCI function.
#include "app/AccessType.h"
#include "base/String.h"
#include "base/Text.h"
#include "spaces/Pci.h"
#include "spaces/PciIds.h"
#include "spaces/PciNames.h"

static const u32 ID_NAME_CHARS = PCI_ID_NAME_CHARS;

const char16_t* PciClassNameOf(u32 baseClass, u32 subClass, u32 programmingInterface) {
  if (baseClass >= PCI_CLASS_TABLES) return nullptr;
  const PciClassName* entry = PciClassNameTable[baseClass];
  const char16_t* fallback = nullptr;
  for (; entry->name; entry++) {
    bool interfaceMatches = entry->programmingInterface == 0xFF || entry->programmingInterface == programmingInterface;
    if (entry->subClass == subClass && interfaceMatches) return entry->name;
    fallback = entry->name;
  }
  return fallback;
}

// Vendor and device names of the built-in name database; a name it lacks stays empty.
static void LookUpIdNames(u32 vendor, u32 device, char16_t* vendorName, char16_t* deviceName) {
  PciIdLookup(PciIdDatabase, vendor, device, vendorName, deviceName);
}

static void AppendWord(char16_t* buffer, const char16_t* word) {
  if (!word[0]) return;
  StrCat16(buffer, PCI_DEVICE_NAME_CHARS, word);
  StrCat16(buffer, PCI_DEVICE_NAME_CHARS, u" ");
}

void PciDeviceName(char16_t* buffer) {
  u32 baseClass = PciProbeRead(0x0B, 1), subClass = PciProbeRead(0x0A, 1);
  u32 programmingInterface = PciProbeRead(0x09, 1);
  u32 vendor = PciProbeRead(0x00, 2), device = PciProbeRead(0x02, 2);
  FormatInto(buffer, PCI_DEVICE_NAME_CHARS, u"D%d:F%d", Current->device, Current->function);
  while (StrLen16(buffer) < 8) StrCat16(buffer, PCI_DEVICE_NAME_CHARS, u" ");
  const char16_t* className = PciClassNameOf(baseClass, subClass, programmingInterface);
  if (!className) {
    StrCat16(buffer, PCI_DEVICE_NAME_CHARS, u"Unknown");
    return;
  }
  char16_t vendorName[ID_NAME_CHARS], deviceName[ID_NAME_CHARS];
  LookUpIdNames(vendor, device, vendorName, deviceName);
  AppendWord(buffer, vendorName);
  AppendWord(buffer, deviceName);
  StrCat16(buffer, PCI_DEVICE_NAME_CHARS, className);
  // The capability walk answers only for the PCI access types.
  i32 type = Current->type;
  Current->type = ACCESS_PCI;
  if (PciCapabilityFlags() & PCI_CAP_HOT_PLUG) StrCat16(buffer, PCI_DEVICE_NAME_CHARS, u" Hot-Plug");
  Current->type = type;
}
