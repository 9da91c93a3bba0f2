// Option ROMs in physical memory: recognising their headers and walking from one to the
// next in a memory view.
#pragma once
#include "base/Types.h"

static const u32 ROM_SIGNATURE = 0xAA55;      // 16 bits at offset 0 of an option ROM
static const u32 PNP_SIGNATURE = 0x506E5024;  // "$PnP" at offset 0 of a PnP expansion header
static const u32 ROM_ALIGNMENT = 0x200;

// Explanation kinds of the two headers.
static const i32 ROM_KIND_HEADER = 8;      // "ROM header"
static const i32 ROM_KIND_PNP_HEADER = 9;  // "PnP Expansion ROM header"

// Start of the last option ROM the walk stood on.
extern u32 OptionRomLastStart;

// The explanation kind of the header at `address`, or -1 when none starts there.
i32 OptionRomHeaderKind(u32 address);

// Ctrl-PgDn (+1) / Ctrl-PgUp (-1) in a memory view: moves the current record's pageBase
// to the next or previous option ROM header within 128 KB. Returns true when it moved;
// otherwise pageBase is as before.
bool StepOptionRom(i32 step);
