// Ticks, delays, pseudo-random numbers, the clock on the bottom line and the speaker.
#pragma once
#include "base/Types.h"

struct ClockTime {
  u32 hour, minute, second;
};

u32 TickCount();
u32 Random(u32 n);        // 0 .. n-1
void Delay(u32 count);    // count x 15 microseconds
void DelayMs(u32 milliseconds);
int ReadClock(ClockTime* time);  // the record is left alone when the clock cannot be read
void ClockUpdate(u32 force);     // draws HH:MM:SS in columns 71-78 of row 24

extern u32 SoundEnabled;  // gates the refresh click only
void SoundOn(u32 divisor);
void SoundOff();
void Chirp(u32 from, u32 to);
