#include "platform/Timer.h"
#include "platform/Firmware.h"
#include "platform/Hardware.h"
#include "platform/Screen.h"
#include "base/Text.h"
#include "ui/ColorSet.h"

u32 SoundEnabled;
static u32 sRandomCounter;
static u32 sLastClockSecond = 0xFFFFFFFF;

u32 TickCount() { return gFwTickCount; }

u32 Random(u32 n) {
  if (n == 0) return 0;
  sRandomCounter++;
  return (sRandomCounter + TickCount()) % n;
}

void Delay(u32 count) { FwStall(count * 15); }
void DelayMs(u32 milliseconds) { FwStall(milliseconds * 1000); }

int ReadClock(ClockTime* time) {
  FwTime now;
  if (FwGetTime(&now)) {
    time->hour = now.hour;
    time->minute = now.minute;
    time->second = now.second;
  }
  return 0;
}

void ClockUpdate(u32 force) {
  FwTime now;
  if (!FwGetTime(&now)) return;
  if (!force && now.second == sLastClockSecond) return;
  char16_t text[FORMAT_TEXT_CHARS];
  FormatText(text, u"%02d:%02d:%02d", now.hour, now.minute, now.second);
  ScrPushState();
  ScreenAttr = ColorSet[1];
  ScrGotoXY(71, 24);
  ScrPutString(text);
  sLastClockSecond = now.second;
  ScrPopState();
}

void SoundOn(u32 divisor) {
  IoWrite8(0x43, 0xB6);
  IoWrite8(0x42, divisor & 0xFF);
  IoWrite8(0x42, (divisor >> 8) & 0xFF);
  IoWrite8(0x61, IoRead8(0x61) | 3);
}

void SoundOff() { IoWrite8(0x61, IoRead8(0x61) & 0xFC); }

void Chirp(u32 from, u32 to) {
  for (u32 i = from; i < to; i++) {
    SoundOn(((i * 10) ^ 0xEA) & 0xFFFF);
    Delay(20);
    SoundOff();
    Delay(10);
  }
  SoundOff();
}
