// The splash screen drawn for a moment at start-up.
#include "platform/Console.h"
#include "platform/Screen.h"
#include "platform/Timer.h"
#include "ui/ColorSet.h"
#include "ui/HelpScreens.h"

// The maker's mark: streaks of wind (U+2550), and the maker line under it.
static const char16_t* const LOGO_LINES[] = {
    u"        \x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550",
    u"    \x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550",
    u"  \x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550    \x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550",
    u"\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550",
    u"\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550",
    u"  \x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550    \x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550",
    u"    \x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550",
    u"        \x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550\x2550",
    u"",
    u"  Northwinds Firmware Inc,.",
};

// The firmware product name in block letters (U+2588), and the author line.
static const char16_t* const NAME_LINES[] = {
    u"\x2588 \x2588 \x2588 \x2588 \x2588\x2588\x2588 \x2588\x2588  \x2588 \x2588\x2588\x2588 \x2588\x2588\x2588",
    u"\x2588\x2588\x2588 \x2588 \x2588 \x2588   \x2588 \x2588 \x2588 \x2588 \x2588 \x2588  ",
    u"\x2588\x2588\x2588 \x2588 \x2588 \x2588\x2588  \x2588\x2588  \x2588 \x2588 \x2588 \x2588\x2588\x2588",
    u"\x2588 \x2588 \x2588\x2588\x2588 \x2588   \x2588 \x2588 \x2588 \x2588 \x2588   \x2588",
    u"\x2588 \x2588 \x2588 \x2588 \x2588   \x2588\x2588  \x2588 \x2588\x2588\x2588 \x2588\x2588\x2588",
    u"",
    u"by the ZO firmware tools team",
};

static const i32 LOGO_COLUMN = 11, LOGO_ROW = 7;
static const i32 NAME_COLUMN = 44, NAME_ROW = 10;
static const u32 SPLASH_DELAY = 30000;  // x 15 microseconds: 0.45 s

static void DrawColumn(const char16_t* const* lines, u32 count, i32 column, i32 row, u32 attribute) {
  ScreenAttr = attribute;
  for (u32 i = 0; i < count; i++) {
    ScrGotoXY(column, row + (i32)i);
    ScrPutString(lines[i]);
  }
}

void ShowSplash() {
  u32 background = ColorMap[1];
  ConSetBackground(background);
  ScrClearWindow();
  DrawColumn(LOGO_LINES, ARRAY_COUNT(LOGO_LINES), LOGO_COLUMN, LOGO_ROW, ColorMap[12] | background << 4);
  DrawColumn(NAME_LINES, ARRAY_COUNT(NAME_LINES), NAME_COLUMN, NAME_ROW, ColorMap[15] | background << 4);
  Delay(SPLASH_DELAY);
}
