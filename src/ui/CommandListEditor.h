// The box in which the user edits a command list (Ctrl-O and Ctrl-C).
#pragma once
#include "spaces/SuperIoCommands.h"

// Edits `list` in place until Esc. Ctrl-A empties both command lists, Ctrl-D deletes the
// current line, Enter inserts an empty line after it.
void CommandListEditor(const char16_t* title, CommandList list);
