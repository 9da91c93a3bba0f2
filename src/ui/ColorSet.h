// Colour sets: every attribute the program draws with is a byte of the current set.
#pragma once
#include "base/Types.h"

static const u32 COLOR_SET_BYTES = 33;
static const u32 COLOR_SET_COUNT = 2;

extern const u8* ColorSet;  // the current set: 33 attributes indexed by screen element
extern const u8* ColorMap;  // the current map: 16 colours standing for the standard ones
extern u32 ColorSetIndex;

extern const u8 BuiltInColorSets[COLOR_SET_COUNT][COLOR_SET_BYTES];
extern const u8 BuiltInColorMaps[COLOR_SET_COUNT][COLOR_SET_BYTES];
extern const char16_t* const ColorSetNames[COLOR_SET_COUNT];

void SelectColorSet(u32 index);
// Clears the whole screen in the set's normal colour and draws the menu bar and the
// status line: the empty screen of the start and of a change of colours.
void PaintEmptyScreen();
// Makes set `index` current and repaints the whole screen in it.
void ApplyColorSet(u32 index);
// Lets the user pick a set with a pick menu and applies it; Esc changes nothing. Returns 0.
u32 ChangeColorSet();
