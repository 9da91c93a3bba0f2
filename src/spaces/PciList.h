// The list of PCI functions (F6), the walk behind it, and the count of functions at
// start-up. Every redraw of a list page walks the whole machine: nothing is cached.
#pragma once
#include "base/Types.h"
#include "spaces/Pci.h"

// Modes of PciDeviceList (bits, combinable).
static const u32 PCI_LIST_NO_ROWS = 0x1;     // count only (start-up)
static const u32 PCI_LIST_FROM_HERE = 0x4;   // row callback: start at the current position,
                                             // draw at most `rows` rows, leave the position
                                             // where the walk ended
static const u32 PCI_LIST_PROGRESS = 0x8;    // "Bus 00, Device 00, Function 00" at the output
                                             // position the caller set, for every function

// Walks every present function once and, unless PCI_LIST_NO_ROWS, draws the heading on
// row 2 and one row per function from row 3. Returns the number of functions; the access
// type, page bases and geometry are as before.
u32 PciDeviceList(u32 mode, u32 rows);

// Row callback of the paged list: rows first .. first + count - 1; returns the total.
u32 PciListRows(u32 first, u32 count);

// Moves the current record to the n-th present function (0: the first from 00:00.0).
void PciGotoListRow(u32 n);

// F6: chooses a function from the list and opens it in a new history entry.
void PciSelectFromList();

// The IDE controller of Intel's 82801AA (8086:2411), recorded by the walk for the IDE cable check.
extern PciLocation IchIdePosition;
extern u32 IchIdePresent;
