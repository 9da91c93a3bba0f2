// Choosing the MSR table of the processor and finding out which of its MSRs exist.
#include "app/AccessType.h"
#include "platform/Hardware.h"
#include "spaces/Cpu.h"
#include "spaces/MsrTables.h"
#include "view/PageGeometry.h"

u32 MsrLongestName;

static const u32 MSR_MAX_ROWS = 512;
static u32 sRowFlags[MSR_MAX_ROWS];

struct MsrTableChoice {
  u32 number;
  const MsrEntry* table;
};

static const MsrTableChoice MSR_TABLES[] = {
    {MSR_TABLE_INTEL, MsrTableIntel},
    {MSR_TABLE_VIA, MsrTableVia},
    {MSR_TABLE_AMD, MsrTableAmd},
};

u32 MsrTableCount(const MsrEntry* table) {
  u32 rows = 0;
  while (table[rows].name) rows++;
  return rows;
}

// An unknown table number gets the Intel table, the one of every vendor without its own.
static const MsrEntry* TableNumbered(u32 number) {
  for (const MsrTableChoice& choice : MSR_TABLES)
    if (choice.number == number) return choice.table;
  return MsrTableIntel;
}

static u32 NameLength(const char16_t* name) {
  u32 length = 0;
  while (name[length]) length++;
  return length;
}

static u32 ProbeRow(const MsrEntry& entry) {
  u32 high;
  MsrFault = 0;
  MsrRead(entry.address, &high);
  return MsrFault ? MSR_UNREADABLE : 0;
}

void MsrTableProbe() {
  MsrTable = TableNumbered(CpuInfo.msrTableCode >> 4);
  u32 rows = MsrTableCount(MsrTable);
  MsrTableRows = rows < MSR_MAX_ROWS ? rows : MSR_MAX_ROWS;
  MsrRowFlags = sRowFlags;
  MsrLongestName = 0;
  for (u32 row = 0; row < MsrTableRows; row++) {
    u32 length = NameLength(MsrTable[row].name);
    if (length > MsrLongestName) MsrLongestName = length;
    sRowFlags[row] = ProbeRow(MsrTable[row]);
  }
  MsrFault = 0;
  // A page already showing the MSR list takes the new row count.
  if (Current->type == ACCESS_CPU_MSR) ComputePageGeometry(false);
}

bool MsrListOpen() {
  CpuReadBrand(CpuInfo.vendorIndex);
  if (CpuInfo.signatureLow == 0) return false;
  MsrTableProbe();
  return true;
}
