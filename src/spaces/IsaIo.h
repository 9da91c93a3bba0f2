// Index/data register banks and ranges of I/O ports.
#pragma once
#include "base/Types.h"

// IO space mode: -1 (start) and 0 normal; 1 PM IO space, which leaves registers 15h-18h alone.
extern i32 IoSpaceMode;
static const i32 IO_MODE_PM = 1;

u32 IndexBankRead(u32 reg, u32 indexPort, u32 dataPort, u32 width);
void IndexBankWrite(u32 reg, u32 value, u32 indexPort, u32 dataPort, u32 width);
u32 IoSpaceRead(u32 offset, u32 basePort, u32 width);
void IoSpaceWrite(u32 offset, u32 value, u32 basePort, u32 width);

// Name of index/data register set `set` (0 CMOS, 1 Cyrix CPU); null for none (-1).

// The "IO Space" mode menu: 1 when a mode was chosen (IoSpaceMode set), 2 for Esc.
i32 IoSpaceSelectMode();
static const i32 SELECT_CHOSEN = 1;
static const i32 SELECT_CANCELLED = 2;
