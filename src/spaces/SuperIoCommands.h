// The commands sent to a Super I/O chip before and after its registers are read or
// written: "Commands to Open Config" and "Commands to Close Config".
#pragma once
#include "base/Types.h"

static const u32 COMMAND_LIST_LINES = 50;
static const u32 COMMAND_LINE_CHARS = 20;  // 19 characters and the terminator

// The lines in use are contiguous from line 0; the first empty line ends the list.
typedef char16_t CommandList[COMMAND_LIST_LINES][COMMAND_LINE_CHARS];

extern CommandList OpenConfigCommands;
extern CommandList CloseConfigCommands;

// Empties both lists (the parameter dialog of the access-type selection starts afresh).
void SioCommandListsClear();
