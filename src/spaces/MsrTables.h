// The MSR name tables, one per processor family, and the probe that makes one of them the
// current MSR list.
#pragma once
#include "spaces/Msr.h"

// Each table ends with a row without a name.
extern const MsrEntry MsrTableIntel[];
extern const MsrEntry MsrTableVia[];
extern const MsrEntry MsrTableAmd[];

// Table numbers, bits 7:4 of the vendor's MSR table code.
static const u32 MSR_TABLE_INTEL = 0;
static const u32 MSR_TABLE_VIA = 4;
static const u32 MSR_TABLE_AMD = 5;

// Rows of a table, counted up to the row without a name.
u32 MsrTableCount(const MsrEntry* table);

// Length of the longest name of the current table, for the name column of the page.
extern u32 MsrLongestName;

// Selects the table of CpuInfo.msrTableCode and reads every MSR of it once: rows whose
// read faults are marked unreadable, so they show as all ones and are never written.
void MsrTableProbe();
// Refreshes the brand and table code; false (nothing probed) when the processor has no
// brand string, so that the MSR list is not offered.
bool MsrListOpen();
