#include "spaces/IsaSets.h"
#include "spaces/IsaIo.h"

static const u32 BANK_REGISTERS = 256;
static const u32 ABSENT_BYTE = 0xFF;

// The Cyrix configuration registers answer only after 10h is written to register C3h.
static const IsaSet ISA_SETS[ISA_SET_COUNT] = {
    {u"CMOS", 0x70, 0x71, 0, 0},
    {u"Cyrix CPU (586 class)", 0x22, 0x23, 0xC3, 0x10},
};

const IsaSet* IsaSetAt(i32 set) { return set >= 0 && set < ISA_SET_COUNT ? &ISA_SETS[set] : nullptr; }

const char16_t* IsaSetName(i32 set) {
  const IsaSet* chosen = IsaSetAt(set);
  return chosen ? chosen->name : nullptr;
}

bool IndexBankProbe(u32 indexPort, u32 dataPort) {
  for (u32 reg = 0; reg < BANK_REGISTERS; reg++)
    if (IndexBankRead(reg, indexPort, dataPort, 1) != ABSENT_BYTE) return true;
  return false;
}

bool IsaOpenSet(AccessType* record, i32 set) {
  const IsaSet* chosen = IsaSetAt(set);
  if (!chosen) return false;
  if (chosen->prepareRegister)
    IndexBankWrite(chosen->prepareRegister, chosen->prepareValue, chosen->indexPort, chosen->dataPort, 1);
  if (!IndexBankProbe(chosen->indexPort, chosen->dataPort)) return false;
  record->isaSet = set;
  record->indexPort = chosen->indexPort;
  record->dataPort = chosen->dataPort;
  return true;
}
