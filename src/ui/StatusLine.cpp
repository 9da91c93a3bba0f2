// The status line: its message list, the rotation and the flash.
#include "ui/StatusLine.h"
#include "app/AccessType.h"
#include "app/MainLoop.h"
#include "base/String.h"
#include "platform/Screen.h"
#include "platform/Timer.h"
#include "ui/ColorSet.h"

static const u32 LIST_CAPACITY = 10;
static const u32 ROTATION_TICKS = 108;  // an entry stays for 109 ticks, about 0.6 s
static const u32 FLASH_STEPS = 6;
static const u32 FLASH_TICKS = 2;

struct StatusMessages {
  const char16_t* entries[LIST_CAPACITY];
  u32 count, next;
  u32 lastChange, lastFlash, flashCount;
};
static StatusMessages sStatus;
// A tool's hint is copied, so that a caller may pass a text it formatted on its stack.
static char16_t sToolHint[80];

void StatusClear(u32 full) {
  ScreenAttr = ColorSet[1];
  ScrGotoXY(0, 24);
  ScrPutText(ScreenBlanks, 0, full ? 78 : 69);
  ClockUpdate(1);
}

static void AddEntries(const char16_t* const* entries) {
  for (; *entries && sStatus.count < LIST_CAPACITY; entries++) sStatus.entries[sStatus.count++] = *entries;
}

static void BuildList(const char16_t* text) {
  sStatus.count = 0;
  sStatus.next = 0;
  if (text) {
    StrCopyN16(sToolHint, ARRAY_COUNT(sToolHint), text);
    sStatus.entries[sStatus.count++] = sToolHint;
    return;
  }
  AddEntries(AccessTypeHints(Current->type));
  AddEntries(CommonHints);
}

static u32 FlashAttribute() {
  if (sStatus.flashCount % 2 == 0) return Random(8) + (Random(8) + 8) * 16;
  if (CompareActive) return (ColorSet[1] & 0x0Fu) | (ColorSet[20] & 0xF0u);
  return ColorSet[1];
}

static void Flash(u32 now) {
  if (sStatus.flashCount >= FLASH_STEPS || now - sStatus.lastFlash < FLASH_TICKS) return;
  ScrRecolorRect(0, 24, 78, 24, FlashAttribute(), 0xFF, 16);
  sStatus.flashCount++;
  sStatus.lastFlash = now;
}

static void Rotate(u32 now) {
  if (now - sStatus.lastChange <= ROTATION_TICKS) return;
  sStatus.flashCount = 0;
  StatusClear(1);
  ScrGotoXY(0, 24);
  ScreenAttr = ColorSet[1];
  ScrPutString(sStatus.entries[sStatus.next]);
  sStatus.next = (sStatus.next + 1) % sStatus.count;
  sStatus.lastChange = now;
}

u32 StatusLine(const char16_t* text, u32 flags) {
  if (CommandAreaActive) return 0;
  if (flags & STATUS_BUILD_LIST) {
    BuildList(text);
    if (flags & STATUS_SHOW_NOW) sStatus.lastChange = TickCount() - (ROTATION_TICKS + 1);
    else return 0;
  }
  if (sStatus.count == 0) return 0;
  ScrPushState();
  u32 now = TickCount();
  Flash(now);
  Rotate(now);
  ScrPopState();
  return 0;
}
