// The shadow screen: 80 x 25 cells that mirror the console, with box and file redirection
// and a four-entry stack of drawing state. Positions are 0-based columns 0-79, rows 0-24.
#pragma once
#include "base/Types.h"

static const i32 SCREEN_COLUMNS = 80;
static const i32 SCREEN_ROWS = 25;
static const u32 SCREEN_CELLS = SCREEN_COLUMNS * SCREEN_ROWS;

struct ScreenCell {
  u16 character;
  u16 attribute;  // the attribute byte in bits 0-7
};

// A row of 80 blanks: the source of every clear (ScrPutText(ScreenBlanks, 0, n - 1)).
extern const char16_t ScreenBlanks[];

extern ScreenCell* ShadowScreen;  // 2000 cells, row-major; null until start-up allocates it
extern u32 ScreenAttr;            // the attribute of every cell a screen operation writes
extern i32 ScreenX, ScreenY;      // the screen cursor

// File redirection: while set, ScrPutChar and ScrPutText write 8-bit text into ScrFile.
struct FwFile;
extern u32 ScrToFile;
extern FwFile* ScrFile;

// Box redirection: while ScrBoxRedirect is set and a box with a saved background is open,
// writes inside the box rectangle go into its saved background instead of the screen.
extern u32 ScrBoxRedirect;
void ScrSetRedirectBox(i32 left, i32 top, i32 right, i32 bottom, ScreenCell* savedBackground);
void ScrClearRedirectBox();

bool ScreenAllocate();  // false when pool memory is exhausted
void ScreenFree();

i32 ScrGotoXY(i32 x, i32 y);
int ScrPutChar(char16_t ch);
int ScrPutText(const char16_t* text, i32 from, i32 to);  // to -1: to the end; 1 for an empty text
int ScrPutString(const char16_t* text);
void ScrPutHotText(const char16_t* text, char16_t marker);
void ScrClearWindow();
void ScrClearMainArea();
int ScrClearToEol();
int ScrSaveRect(ScreenCell** saved, i32 left, i32 top, i32 right, i32 bottom);
int ScrRestoreRect(ScreenCell** saved, i32 left, i32 top, i32 right, i32 bottom);
int ScrPushState();
int ScrPopState();
u32 ScrRecolorRect(i32 x0, i32 y0, i32 x1, i32 y1, u32 value, u32 mask, u32 keepForeground);

// Screen text and attribute of a cell, for code that reads back what it drew.
u32 ScrCellAttr(i32 x, i32 y);
char16_t ScrCellChar(i32 x, i32 y);
