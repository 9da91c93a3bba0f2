// The single-line editor of the command line, the input dialog and the command-list
// editor: edits a UCS-2 text in place inside a field of fixed width on one screen row.
#pragma once
#include "base/Types.h"

static const i32 EDIT_LINE_MAX = 79;  // characters; the buffer holds at least 80

// Edits `text` in the field that starts at column x of the screen cursor's row.
// `caret` is the starting caret and receives the caret at the end (0 after Esc).
// With upDownStay 0, Up, Down and keys without a printable character end the edit; with
// 1 they do nothing. `endKeys` (0-terminated, may be null) are further keys that end the
// edit, taken before they could type their letter. Returns the key that ended the edit.
u32 EditLine(i32 x, char16_t* text, i32 width, i32* caret, u32 upDownStay, const u32* endKeys = nullptr);
