// The firmware console: attribute, cursor and direct output (1-based positions).
//
// The console is driven lazily: ConSetAttr and ConGotoXY record what the console should
// use, and the firmware is told only when something is written, and only what differs.
// Every visible cell goes through ConsoleShowCells, which sends just the cells whose
// character or attribute differ from what the console shows already.
#pragma once
#include "base/Format.h"

struct ScreenCell;

struct TextInfo {
  u8 windowLeft, windowTop, windowRight, windowBottom;
  u8 attribute;
  u8 cursorX, cursorY;  // 1-based
};

void ConSetAttr(u32 attribute);
void ConSetForeground(u32 colour);
void ConSetBackground(u32 colour);
u32 ConAttr();  // the console attribute (already masked with 0x7F)
int ConGotoXY(i32 column, i32 row);
i32 ConWhereX();
i32 ConWhereY();
int ConPutString(const char16_t* text);
int ConPutChar(char16_t ch);
void ConPutStringColored(u32 colour, const char16_t* text);
void ConSetWindow(u32 left, u32 top, u32 right, u32 bottom);
void ConGetTextInfo(TextInfo* info);
void ConGotoXYAttr(i32 column, i32 row, u32 colorIndex);
int ConShowCursor();
int ConHideCursor();
void ConPrintArgs(const char16_t* format, const FormatArg* args, usize count);

template <typename... Args>
void ConPrintf(const char16_t* format, Args... args) {
  FormatArg list[sizeof...(Args) + 1] = {MakeFormatArg(args)...};
  ConPrintArgs(format, list, sizeof...(Args));
}

// The console window used by ScrClearWindow (1-based, inclusive).
struct ConsoleWindowRect {
  u8 left, top, right, bottom;
};
extern ConsoleWindowRect ConsoleWindow;

// Sends the cells first..last (element indexes of the shadow screen) that differ from what
// the console shows.
void ConsoleShowCells(const ScreenCell* cells, u32 first, u32 last);
// Holds back what ConsoleShowCells would send until the matching release, and then sends
// only the net difference: a page refresh that paints a label in one attribute and back
// costs the console nothing.
void ConsoleHold();
void ConsoleRelease();
// Forgets what the console shows, so that the next show of those cells sends them again.
void ConsoleForget(u32 first, u32 last);
// Brings the firmware's attribute and cursor in line with the recorded ones.
void ConsoleSync();
// While the cursor is shown, puts the firmware's cursor where the program placed it:
// painting elsewhere (the clock, a refresh) leaves it after the last cell written.
void ConsoleSyncCursor();

// Counters of what reached the firmware console (for the console benchmark).
// cellsShown counts every cell handed to the console, changed or not: what a scheme that
// sends each drawn cell on its own would send.
struct ConsoleTraffic {
  u32 outputCalls, outputCharacters, attributeCalls, cursorCalls, cellsShown;
};
extern ConsoleTraffic gConsoleTraffic;

// Takes the firmware console's attribute and cursor as the starting state.
void ConsoleInit();
