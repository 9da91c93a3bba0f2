// The information line (row 2): what is being viewed, by access type.
#include "app/AccessType.h"
#include "base/Text.h"
#include "platform/Hardware.h"
#include "platform/Screen.h"
#include "spaces/IsaIo.h"
#include "spaces/IsaSets.h"
#include "spaces/Pci.h"
#include "spaces/PciNames.h"
#include "view/StatusArea.h"

static void Put(const char16_t* text) { ScrPutString(text); }

// The description is cut to its 65 columns: a long name must not run on into row 3.
static void PaintPciLine() {
  if (Current->type == ACCESS_PCI_EXPRESS && Current->pageBase != Current->objectBase) return;
  char16_t name[PCI_DEVICE_NAME_CHARS], text[FORMAT_TEXT_CHARS];
  PciDeviceName(name);
  Put(PciIsExpress() ? u"PCI Express:" : u"Device:");
  Put(FormatText(text, u" %-65.65s", name));
}

static void PaintAhciLine() {
  char16_t name[PCI_DEVICE_NAME_CHARS], text[FORMAT_TEXT_CHARS];
  PciDeviceName(name);
  name[39] = 0;  // the IDs and the address must stay on the row
  Put(FormatText(text, u"%s   VID.DID=%04X.%04X  BDF=%02X.%02X.%02X", name, PciProbeRead(0, 2), PciProbeRead(2, 2),
                 Current->bus, Current->device, Current->function));
}

static void PaintAcpiLine() {
  char16_t signature[5], text[FORMAT_TEXT_CHARS];
  u32 address = (u32)Current->objectBase;
  for (u32 i = 0; i < 4; i++) signature[i] = (char16_t)MemRead(address + i, 1);
  signature[4] = 0;
  Put(FormatText(text, u"ACPI table: %-12s   Address:%08lX", signature, address));
}

// IDE identify (drive line), SMBIOS, SMBus and UEFI variable lines come with those spaces.
void PaintInformationLine() {
  char16_t text[FORMAT_TEXT_CHARS];
  switch (Current->type) {
    case ACCESS_PCI:
    case ACCESS_PCI_EXPRESS:
      PaintPciLine();
      break;
    case ACCESS_ISA:
      if (const char16_t* set = IsaSetName(Current->isaSet)) Put(FormatText(text, u"Device: %s", set));
      break;
    case ACCESS_IO_SPACE:
      Put(FormatText(text, u"IO Space   Start:%04X  End:%04X", (u32)Current->indexPort, (u32)Current->indexPort + 0x100));
      break;
    case ACCESS_AHCI_MMIO:
      PaintAhciLine();
      break;
    case ACCESS_ACPI_TABLE:
      PaintAcpiLine();
      break;
    case ACCESS_MEMORY:
    case ACCESS_CPU_MSR:
    case ACCESS_INDEXED_PCI:
      Put(FormatText(text, u"%-75c", u' '));
      break;
  }
}
