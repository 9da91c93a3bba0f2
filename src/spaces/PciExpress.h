// PCI Express: the memory-mapped configuration window (ECAM) and how its base is found.
#pragma once
#include "base/Types.h"

static const u32 MCFG_MAX_BASES = 20;

extern u32 EcamBase;       // the last validated base, or the last candidate tried
extern u32 EcamBaseValid;  // set once any base has validated; never cleared
extern u32 McfgBaseList[MCFG_MAX_BASES];
extern u32 McfgBaseCount;  // 0: no MCFG table

// Fills the MCFG base list from the ACPI tables; returns the first base (0 if none).
u32 McfgLoadBases();
// True when base b shows the current function as the configuration ports do; leaves the
// record's pageBase and objectBase at the function's ECAM address for b.
bool EcamValidateBase(u32 base);
// Switches a PCI Express function to the memory-mapped view; true when it did.
bool EcamEnable();
// ECAM address of the current function for base b.
u32 EcamFunctionAddress(u32 base);
// Takes the bases of the MCFG table at `address` (at most 20); returns the first (0 if none).
u32 McfgReadTable(u32 address);
