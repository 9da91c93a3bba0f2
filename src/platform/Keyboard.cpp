#include "platform/Keyboard.h"
#include "platform/Console.h"
#include "platform/Firmware.h"
#include "platform/Hardware.h"
#include "app/MainLoop.h"

static const u32 SHIFT_STATE_VALID = 0x80000000u;

u32 MakeKeyCode(u32 scanCode, u32 character, u32 shiftState) {
  u32 code = ((scanCode & 0xFF) << 8) | (character & 0xFFFF);
  if (!(shiftState & SHIFT_STATE_VALID)) return code;
  if (shiftState & 0x03) code |= KEY_SHIFT;
  if (shiftState & 0x0C) code |= KEY_CTRL;
  if (shiftState & 0x30) code |= KEY_ALT;
  return code;
}

u32 KeyPending() { return FwKeyWaiting() ? 1 : 0; }

u32 ReadKey() {
  ConsoleSync();
  while (!FwKeyWaiting()) RepaintValues(0);
  FwKeyStroke key = {0, 0, 0};
  FwReadKey(&key);
  return MakeKeyCode(key.scanCode, key.character, key.shiftState);
}

void FlushLegacyKeyboard() {
  PokeByte(0x40, 0x1C, PeekByte(0x40, 0x1A));
  ForgetKeyAvailable();
}
