// The open register spaces: the AccessType record, the history ring of the last ten
// spaces, and the cursor arithmetic on the current page.
#pragma once
#include "base/Types.h"

enum AccessTypeId : i32 {
  ACCESS_PCI = 0,
  ACCESS_ISA = 1,
  ACCESS_IO_SPACE = 3,
  ACCESS_IDE_IDENTIFY = 4,
  ACCESS_MEMORY = 5,
  ACCESS_CPU_MSR = 7,
  ACCESS_SMBIOS = 8,
  ACCESS_SMBUS = 9,
  ACCESS_PCI_EXPRESS = 10,
  ACCESS_INDEXED_PCI = 11,
  ACCESS_UEFI_VARIABLE = 12,
  ACCESS_AHCI_MMIO = 13,
  ACCESS_ACPI_TABLE = 14,
};

// viewFlags bits
static const i32 VIEW_ASCII = 1;      // the side column shows the values as characters
static const i32 VIEW_CHAR_EDIT = 2;  // typing edits the characters of the value

struct AccessType {
  i32 type;
  i32 bus;
  i32 device;
  i32 function;
  i32 width;
  i32 indexPort;
  i32 dataPort;
  i32 isaSet;
  i32 pageBase;
  i32 objectBase;
  i32 cursorColumn;
  i32 cursorRow;
  i32 viewFlags;
  i32 age;
};

static const u32 HISTORY_SIZE = 10;

struct AccessHistoryRing {
  AccessType records[HISTORY_SIZE];
  i32 count;
  i32 current;
};

extern AccessHistoryRing AccessHistory;
extern AccessType* Current;  // always &AccessHistory.records[AccessHistory.current]

void ResetHistory();  // the start state: one PCI record
void OpenHistoryEntry();
void CancelHistoryEntry();
void StepHistory(i32 step);
void ClearHistory();

u32 CursorOffset();
void SetCursorOffset(u32 offset);
void ActivateAccessType(u32 flags);

static const u32 ACTIVATE_KEEP_CURSOR = 1;
static const u32 ACTIVATE_RESET_BASES = 2;
