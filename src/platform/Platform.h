// Start and end of the platform: firmware protocols, tick timer, fault handler, exit.
#pragma once
#include "base/Types.h"

int PlatformInit();  // 0 done, 1 no console input, 2 no console output
void PlatformShutdown();
[[noreturn]] void ExitImage();
// The image's shell arguments (argument 0 is the program); 0 when none were given.
int PlatformArguments(char16_t*** argv);
