// The auto-refresh of the page and the full repaint.
#include "app/AccessType.h"
#include "app/MainLoop.h"
#include "platform/Console.h"
#include "platform/Timer.h"
#include "ui/PopupBox.h"
#include "ui/StatusLine.h"
#include "view/BitmapWindow.h"
#include "view/Grid.h"
#include "view/HeaderLine.h"
#include "view/StatusArea.h"

u32 RefreshRate = 1500;
u32 AutoRefresh = 1;
static u32 sRefreshTicks;

static void RefreshTick(u32 flags) {
  ClockUpdate(0);
  StatusLine(nullptr, 0);  // the hints rotate and flash while keys are awaited
  if (BusyFlag && !(flags & REPAINT_FORCE)) return;
  if (IsBoxOpen() || BitmapWindowVisible()) return;  // the refresh pauses under the bit map
  sRefreshTicks++;
  if (!(flags & REPAINT_FORCE)) {
    u32 period = 2000 - RefreshRate;
    if (!AutoRefresh || sRefreshTicks % period != 0 || KeyAvailable() || CompareActive) return;
  }
  if (SoundEnabled) {
    SoundOn(500 + Random(500));
    Delay(10);
    SoundOff();
  }
  PaintPageValues(flags);
}

void RepaintValues(u32 flags) {
  RefreshTick(flags);
  ConsoleSyncCursor();  // a shown cursor goes back to its caret after the clock and the page
}

void RepaintAll() {
  InvalidateMsrCache();
  MsrEditState = 0;
  PaintGridFrame(false);
  PaintStatusArea(PAINT_EVERYTHING);
  PaintHeaderLine(Current->type);
  CloseBitmapWindow();
  RepaintValues(REPAINT_FORCE | REPAINT_CURSOR_CELL);
  UpdateBitmapWindow();
}
