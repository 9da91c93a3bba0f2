#include "app/AccessType.h"
#include "app/MainLoop.h"
#include "platform/Screen.h"
#include "spaces/PciExpress.h"
#include "view/Explanation.h"
#include "view/PageGeometry.h"

static i32 sPreviousType = -1;

u32 CursorOffset() {
  return (u32)Current->cursorRow * PageGeometry.bytesPerRow + (u32)Current->cursorColumn * (u32)Current->width;
}

void SetCursorOffset(u32 offset) {
  if (PageGeometry.bytesPerRow == 0) return;
  Current->cursorRow = (i32)(offset / PageGeometry.bytesPerRow);
  Current->cursorColumn = (i32)((offset % PageGeometry.bytesPerRow) / (u32)Current->width);
}

void ActivateAccessType(u32 flags) {
  ScrClearMainArea();
  if (!(flags & ACTIVATE_KEEP_CURSOR)) SetCursorOffset(0);
  ComputePageGeometry((flags & ACTIVATE_RESET_BASES) != 0);
  if (Current->type == ACCESS_PCI) EcamEnable();  // a PCI Express function is shown by its 4 KB window
  if (Current->type != sPreviousType) ExplanationOverride = -1;
  sPreviousType = Current->type;
  RepaintAll();
}
