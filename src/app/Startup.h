// Start-up, option parsing and the one way out of the program.
#pragma once
#include "base/Types.h"

// Runs ZO; returns only when the shadow screen cannot be allocated.
uptr AppStartup(void* imageHandle, void* systemTable);
[[noreturn]] void AppExit();
void ParseOptions(i32 count, char16_t** arguments, u32 phase);
u32 LoadSettings(const char16_t* path);  // 0: nothing was restored (no settings format exists)

extern u32 SettingsRestored;
