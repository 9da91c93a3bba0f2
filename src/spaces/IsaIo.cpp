#include "spaces/IsaIo.h"
#include "platform/Hardware.h"

i32 IoSpaceMode = -1;

u32 IndexBankRead(u32 reg, u32 indexPort, u32 dataPort, u32 width) {
  u32 value = 0;
  for (u32 i = 0; i < width; i++) {
    IoWriteAuto(indexPort, reg + i);
    value |= IoRead8(dataPort) << (8 * i);
  }
  return value;
}

void IndexBankWrite(u32 reg, u32 value, u32 indexPort, u32 dataPort, u32 width) {
  for (u32 i = 0; i < width; i++) {
    IoWriteAuto(indexPort, reg + i);
    IoWrite8(dataPort, value & 0xFF);
    value >>= 8;
  }
}

static bool IsPmExcludedRead(u32 offset) { return IoSpaceMode == IO_MODE_PM && offset >= 0x15 && offset <= 0x18; }
static bool IsPmExcludedWrite(u32 offset) { return IoSpaceMode == IO_MODE_PM && (offset == 0x15 || offset == 0x16); }

u32 IoSpaceRead(u32 offset, u32 basePort, u32 width) {
  if (IsPmExcludedRead(offset)) return 0;
  return IoRead((basePort + offset) & 0xFFFF, width);
}

void IoSpaceWrite(u32 offset, u32 value, u32 basePort, u32 width) {
  if (IsPmExcludedWrite(offset)) return;
  for (u32 i = 0; i < width; i++) IoWrite8((basePort + offset + i) & 0xFFFF, (value >> (8 * i)) & 0xFF);
}
