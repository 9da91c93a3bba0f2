// Key codes: (scan code << 8) | character, plus the shift groups when the firmware
// reports a valid shift state.
#pragma once
#include "base/Types.h"

static const u32 KEY_SHIFT = 0x030000;
static const u32 KEY_CTRL = 0x0C0000;
static const u32 KEY_ALT = 0x300000;
static const u32 KEY_MODIFIERS = KEY_SHIFT | KEY_CTRL | KEY_ALT;
static const u32 KEY_NONE = 0xFFFF;

enum : u32 {
  KEY_BACKSPACE = 0x0008,
  KEY_TAB = 0x0009,
  KEY_ENTER = 0x000D,
  KEY_SPACE = 0x0020,
  KEY_BACKQUOTE = 0x0060,
  KEY_UP = 0x0100,
  KEY_DOWN = 0x0200,
  KEY_RIGHT = 0x0300,
  KEY_LEFT = 0x0400,
  KEY_HOME = 0x0500,
  KEY_END = 0x0600,
  KEY_INSERT = 0x0700,
  KEY_DELETE = 0x0800,
  KEY_PGUP = 0x0900,
  KEY_PGDN = 0x0A00,
  KEY_F1 = 0x0B00,
  KEY_F2 = 0x0C00,
  KEY_F3 = 0x0D00,
  KEY_F4 = 0x0E00,
  KEY_F5 = 0x0F00,
  KEY_F6 = 0x1000,
  KEY_F7 = 0x1100,
  KEY_F8 = 0x1200,
  KEY_F9 = 0x1300,
  KEY_F10 = 0x1400,
  KEY_F11 = 0x1500,
  KEY_F12 = 0x1600,
  KEY_ESC = 0x1700,
};

inline bool IsArrowKey(u32 key) { return key == KEY_UP || key == KEY_DOWN || key == KEY_LEFT || key == KEY_RIGHT; }

// Builds the code of one key stroke (scan code, character, firmware shift state).
u32 MakeKeyCode(u32 scanCode, u32 character, u32 shiftState);

u32 KeyPending();  // 1 when a key stroke is waiting; the key stays queued
u32 ReadKey();     // waits for a key while the page keeps refreshing, then reads it
void FlushLegacyKeyboard();
