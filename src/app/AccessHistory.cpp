#include "app/AccessType.h"
#include "app/MainLoop.h"
#include "view/HeaderLine.h"

AccessHistoryRing AccessHistory;
AccessType* Current = &AccessHistory.records[0];

static AccessHistoryRing sSavedHistory;

static void MakeCurrent(i32 index) {
  AccessHistory.current = index;
  Current = &AccessHistory.records[index];
}

void ResetHistory() {
  for (u32 i = 0; i < HISTORY_SIZE; i++) {
    AccessHistory.records[i] = AccessType{};
    AccessHistory.records[i].type = ACCESS_PCI;
    AccessHistory.records[i].width = 1;
    AccessHistory.records[i].isaSet = -1;
  }
  AccessHistory.count = 1;
  MakeCurrent(0);
}

// Moves records [from, to) one place up, starting from the top.
static void ShiftUp(i32 from, i32 to) {
  for (i32 i = to; i > from; i--) AccessHistory.records[i] = AccessHistory.records[i - 1];
}

void OpenHistoryEntry() {
  sSavedHistory = AccessHistory;
  i32 next = AccessHistory.current + 1;
  if (next >= (i32)HISTORY_SIZE) next = 0;
  if (AccessHistory.count < (i32)HISTORY_SIZE) {
    ShiftUp(next, AccessHistory.count);
    AccessHistory.count++;
    AccessHistory.records[next].age = AccessHistory.count - 1;
  } else {
    i32 drop = -1;
    for (i32 i = 0; i < (i32)HISTORY_SIZE; i++) {
      AccessHistory.records[i].age--;
      if (AccessHistory.records[i].age < 0) drop = i;
    }
    if (drop < 0) drop = next;  // ages out of step: drop the record that is overwritten anyway
    if (drop < next) {
      // the records before the dropped one move up and the last record wraps to position 0
      AccessType last = AccessHistory.records[HISTORY_SIZE - 1];
      ShiftUp(0, drop);
      AccessHistory.records[0] = last;
      drop = HISTORY_SIZE - 1;
    }
    ShiftUp(next, drop);
  }
  MakeCurrent(next);
}

void CancelHistoryEntry() {
  AccessHistory = sSavedHistory;
  MakeCurrent(AccessHistory.current);
}

void StepHistory(i32 step) {
  i32 index = AccessHistory.current + step;
  if (index < 0) index = AccessHistory.count - 1;
  if (index >= AccessHistory.count) index = 0;
  MakeCurrent(index);
  ActivateAccessType(ACTIVATE_KEEP_CURSOR);
  PaintHeaderLine(Current->type);
}

void ClearHistory() {
  AccessHistory.records[0] = *Current;
  AccessHistory.count = 1;
  MakeCurrent(0);
}
