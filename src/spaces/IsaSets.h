// The index/data register sets offered by "ISA IO" (CMOS and the Cyrix processor
// registers) and the probe that tells whether a bank answers at all.
#pragma once
#include "app/AccessType.h"

struct IsaSet {
  const char16_t* name;
  u16 indexPort;
  u16 dataPort;
  // A register written before the bank is read; 0 when the set needs no preparation.
  u8 prepareRegister;
  u8 prepareValue;
};

static const i32 ISA_SET_COUNT = 2;

// The set numbered `set` (0 CMOS, 1 Cyrix CPU); null for any other number.
const IsaSet* IsaSetAt(i32 set);

// The set's name ("CMOS", "Cyrix CPU (586 class)"); null for any other number.
const char16_t* IsaSetName(i32 set);

// True when any of registers 00h-FFh behind the pair reads other than FFh.
bool IndexBankProbe(u32 indexPort, u32 dataPort);

// Makes `record` show set `set`: its ports and isaSet, after the set's preparation. When
// nothing answers, the record keeps its previous ports and isaSet and the result is false.
bool IsaOpenSet(AccessType* record, i32 set);

// The "ISA IO" dialog: a pick menu of the sets, then the probe. On success the current
// record shows the set (ISA access type, cursor at the start) and is activated; on failure
// the record keeps its ports and the command lists come back ("... not found!" unless the
// menu was left with Esc). Returns true when a set was selected.
bool IsaSelectSet();
