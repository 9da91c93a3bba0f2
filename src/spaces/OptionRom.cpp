#include "spaces/OptionRom.h"
#include "app/AccessType.h"
#include "platform/Hardware.h"
#include "view/Explanation.h"
#include "view/PageGeometry.h"

u32 OptionRomLastStart;

static const u32 ROM_PNP_OFFSET = 0x1A;  // ROM header: offset of its first PnP header
static const u32 PNP_NEXT_OFFSET = 6;    // PnP header: offset of the next one, from the ROM start
static const u32 ROM_SEARCH_STEPS = 256;  // 256 x 512 bytes = 128 KB

static bool IsRomAt(u32 address) { return MemRead(address, 2) == ROM_SIGNATURE; }
static bool IsPnpAt(u32 address) { return MemRead(address, 4) == PNP_SIGNATURE; }

i32 OptionRomHeaderKind(u32 address) {
  if (IsRomAt(address)) return ROM_KIND_HEADER;
  if (IsPnpAt(address)) return ROM_KIND_PNP_HEADER;
  return -1;
}

// The PnP header a forward step from `from` goes to: the first one of the ROM at `aligned`
// while the ROM header explanation is shown, else the next one after the PnP header at
// `from` (PnP headers rarely sit on a 512-byte boundary, so it is looked for unaligned).
// 0 for none.
static u32 NextPnpHeader(u32 aligned, u32 from) {
  if (ExplanationOverride == ROM_KIND_HEADER && IsRomAt(aligned)) return aligned + MemRead(aligned + ROM_PNP_OFFSET, 2);
  if (IsPnpAt(from)) return OptionRomLastStart + MemRead(from + PNP_NEXT_OFFSET, 2);
  return 0;
}

// Walks 512-byte boundaries from `aligned` for a ROM header strictly beyond `from` in the
// direction of the step, so that the walk never turns back and never wraps around 4 GB.
static bool SearchRom(u32 aligned, u32 from, i32 step, u32* found) {
  for (u32 i = 0; i < ROM_SEARCH_STEPS; i++) {
    u32 candidate = aligned + (u32)step * i * ROM_ALIGNMENT;
    bool beyond = step > 0 ? candidate > from : candidate < from;
    if (!beyond) {
      if (i > 0) return false;  // wrapped around
      continue;
    }
    if (IsRomAt(candidate)) {
      *found = candidate;
      return true;
    }
  }
  return false;
}

bool StepOptionRom(i32 step) {
  u32 from = (u32)Current->pageBase;
  if (IsRomAt(from)) OptionRomLastStart = from;
  u32 aligned = from & ~(ROM_ALIGNMENT - 1);
  u32 target = 0;
  if (step > 0) {
    u32 pnp = NextPnpHeader(aligned, from);
    if (pnp > from && IsPnpAt(pnp)) target = pnp;
  }
  if (!target && !SearchRom(aligned, from, step, &target)) return false;
  Current->pageBase = (i32)target;
  ComputePageGeometry(false);
  return true;
}
