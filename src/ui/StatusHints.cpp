// The key hints of the status line (constant data).
#include "app/AccessType.h"
#include "ui/StatusLine.h"

const char16_t* const CommonHints[] = {
    u"<Space> to toggle binary bitmap window",
    u"<0-9,A-F> Value, <Arrows> Move, <ESC> Cancel",
    u"<TAB>/<SHIFT-TAB> Next/Prev group of registers",
    nullptr,
};

static const char16_t* const PCI_HINTS[] = {u"<PgDn>/<PgUp> Next/Prev PCI", nullptr};
static const char16_t* const IDE_HINTS[] = {u"<PgDn>/<PgUp> Another 100h bytes.", nullptr};
static const char16_t* const MEMORY_HINTS[] = {u"<PgDn>/<PgUp> +/- 100h bytes",
                                               u"<Ctrl> + <PgDn>/<PgUp> Next/Prev ROM", nullptr};
static const char16_t* const MSR_HINTS[] = {u"<PgDn>/<PgUp> Next/Prev page",
                                            u"Hex to change value, <ENTER> Write MSRs, <ESC> Abort", nullptr};
static const char16_t* const SMBIOS_HINTS[] = {u"<PgDn>/<PgUp> Next/Prev SMBIOS Handle", nullptr};
static const char16_t* const PCIE_HINTS[] = {u"<PgDn>/<PgUp> Next/Prev PCI", u"<Ctrl> + <PgDn>/<PgUp> +/- 100h bytes",
                                             nullptr};
static const char16_t* const UEFI_HINTS[] = {u"<PgDn>/<PgUp> Next/Prev UEFI variable",
                                             u"<Ctrl> + <PgDn>/<PgUp> Next/Prev page for this variable",
                                             u"<Ctrl><W> Write this variable", nullptr};
static const char16_t* const ACPI_HINTS[] = {u"<PgDn>/<PgUp> Next/Prev ACPI table", nullptr};
static const char16_t* const NO_HINTS[] = {nullptr};

const char16_t* const* AccessTypeHints(i32 type) {
  switch (type) {
    case ACCESS_PCI: return PCI_HINTS;
    case ACCESS_IDE_IDENTIFY: return IDE_HINTS;
    case ACCESS_MEMORY: return MEMORY_HINTS;
    case ACCESS_CPU_MSR: return MSR_HINTS;
    case ACCESS_SMBIOS: return SMBIOS_HINTS;
    case ACCESS_PCI_EXPRESS: return PCIE_HINTS;
    case ACCESS_UEFI_VARIABLE: return UEFI_HINTS;
    case ACCESS_ACPI_TABLE: return ACPI_HINTS;
  }
  return NO_HINTS;
}
