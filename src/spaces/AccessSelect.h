// Access-type selection: the one door through which the user opens a new register space
// (F5 menu, Alt-1 .. Alt-0, Alt-minus, Alt-equals, F9 and the Config menu).
#pragma once
#include "base/Types.h"

// Items of the "  Access Type Selection" menu, in menu order.
enum AccessItem : i32 {
  ITEM_PCI = 0,
  ITEM_ISA = 1,
  ITEM_ISA_SETS = 2,
  ITEM_IO_SPACE = 3,
  ITEM_IDE_IDENTIFY = 4,
  ITEM_ACPI = 5,
  ITEM_MEMORY = 6,
  ITEM_CPU_MSR = 7,
  ITEM_SMBIOS = 8,
  ITEM_SMBUS = 9,
  ITEM_INDEXED_PCI = 10,
  ITEM_UEFI_VARIABLE = 11,
  ACCESS_ITEM_COUNT = 12,
};
static const i32 ITEM_SHOW_MENU = -1;

// The menu (item -1) or one item directly: checks that the space exists, asks for its
// parameters and makes it current in a new history entry, or withdraws the entry.
void SelectAccessType(i32 item);

// The item highlighted when the menu opens next (the last one chosen; 0 at first).
extern i32 LastAccessItem;

// The menu's title and labels (null-terminated), and the access type of each item.
extern const char16_t* const AccessTypeMenu[];
i32 AccessItemType(i32 item);

// Asks for the parameter fields of `type` over their digits in the header line (Left,
// Right and Enter between fields, Esc cancels) and stores them into the current record.
// False when cancelled.
bool AskParameters(i32 type);
