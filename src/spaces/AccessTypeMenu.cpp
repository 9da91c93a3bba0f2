// The items of the access-type selection: menu labels and the space each one opens.
#include "spaces/AccessSelect.h"
#include "app/AccessType.h"

const char16_t* const AccessTypeMenu[] = {
    u"  Access Type Selection",
    u"PCI             <Alt 1", u"ISA             <Alt 2", u"ISA IO          <Alt 3", u"IO Space        <Alt 4",
    u"IDE Identify    <Alt 5", u"ACPI            <Alt 6", u"Memory (Flat)   <Alt 7", u"CPU MSR         <Alt 8",
    u"SMBIOS Data     <Alt 9", u"SMBus           <Alt 0", u"ATi PCI Space   <Alt -", u"UEFI variable   <ALT =",
    nullptr,
};

static const i32 ITEM_TYPES[ACCESS_ITEM_COUNT] = {
    ACCESS_PCI,         ACCESS_ISA,        ACCESS_ISA,     ACCESS_IO_SPACE, ACCESS_IDE_IDENTIFY,  ACCESS_ACPI_TABLE,
    ACCESS_MEMORY,      ACCESS_CPU_MSR,    ACCESS_SMBIOS,  ACCESS_SMBUS,    ACCESS_INDEXED_PCI,   ACCESS_UEFI_VARIABLE,
};

i32 AccessItemType(i32 item) { return item >= 0 && item < ACCESS_ITEM_COUNT ? ITEM_TYPES[item] : -1; }
