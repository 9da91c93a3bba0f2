// The menu bar on row 0.
#pragma once
#include "base/Types.h"

extern const char16_t* const MenuBarTitles[];  // null-terminated
extern i32 MenuTitleColumn[8];
extern i32 MenuTitleCount;

i32 DrawMenuBar(const char16_t* const* titles);
