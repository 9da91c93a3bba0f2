// The main loop, the single key dispatcher with the global commands, in-place editing of
// grid values, and the page refresh.
#pragma once
#include "base/Types.h"

extern u32 RefreshRate;   // 99 .. 1999; the page repaints every (2000 - rate) refresh ticks
extern u32 AutoRefresh;   // Ctrl-minus switches it
extern u32 BusyFlag;      // set while a part owns the keyboard: no global commands
extern u32 CompareActive;      // the compare view is shown
extern u32 CommandAreaActive;  // the command line or the find prompt owns the bottom row
extern u32 KeyPollLatch;       // when set, KeyAvailable answers from its last check
extern u32 MsrEditState;       // 200 while a typed MSR value waits for Enter or Esc

void MainLoop();
u32 KeyAvailable();
void ForgetKeyAvailable();
u32 DispatchKey(u32 key, u32* handledOut);
// Edits `length` hex digits (mode 0) or characters (mode 1) at (x, y); returns the ending key.
u32 EditField(i32 x, i32 y, u32 length, u32* value, u32 firstKey, u32 mode);
void RepaintValues(u32 flags);
void RepaintAll();
void RunMenuCommand(u32 code);

static const u32 REPAINT_FORCE = 1;
static const u32 REPAINT_CURSOR_CELL = 2;

// The MSR row under the cursor is edited in a cache and written whole on Enter.
void InvalidateMsrCache();
u32 MsrCacheValue(u32 offset, u32 width);
