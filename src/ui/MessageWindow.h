// Message windows, the one-line input dialog and the error box, all in the pop-up box.
#pragma once
#include "base/Types.h"

// Shows a window of `lines` (null-terminated; the first is the title). With `wait` it reads
// one key, closes and returns the key; without, it returns 0 and the box stays open until
// the caller's BoxClose.
u32 MessageWindow(const char16_t* const* lines, bool wait);

// Asks for one line of text. `lines` is {title, prompt}; an empty title leaves out the
// title bar. Returns the entered text (a buffer reused by every call), empty when cancelled.
const char16_t* InputDialog(const char16_t* const* lines, i32 width, const char16_t* initial);

// Chirps and shows `message` in the error box until a key is pressed.
void ReportError(const char16_t* message);
