// The status line on the bottom row: rotating key hints of the current access type, or a
// hint of the active tool, each new one drawn with a brief flash.
#pragma once
#include "base/Types.h"

static const u32 STATUS_BUILD_LIST = 1;  // make a new list (the text, or the type's hints)
static const u32 STATUS_SHOW_NOW = 2;    // with STATUS_BUILD_LIST: draw the first entry at once
static const u32 STATUS_SET = STATUS_BUILD_LIST | STATUS_SHOW_NOW;

// Sets up (flags) and animates the status line; called with (null, 0) on every repaint.
u32 StatusLine(const char16_t* text, u32 flags);
// Blanks the status line (columns 0-78 when full, else 0-69) and redraws the clock.
void StatusClear(u32 full);

// The hints of an access type (null-terminated), and those shown for every type.
const char16_t* const* AccessTypeHints(i32 type);
extern const char16_t* const CommonHints[];
