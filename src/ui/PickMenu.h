// Pick menus, paged lists and the command-list editor.
#pragma once
#include "base/Types.h"

// Shows the choices of `lines` (null-terminated: the title, then the choices) with their
// key characters 0-9, A-Z. Returns the chosen index, or -1 for Esc.
i32 PickMenu(const char16_t* const* lines, i32 initial);

// Draws rows first .. first + count - 1 of a list on screen rows 3, 4, ... (and any heading
// above them); returns the total number of rows of the list.
typedef u32 (*PagedListRows)(u32 first, u32 count);
static const u32 PAGED_LIST_ROWS = 19;
static const i32 PAGED_LIST_TOP = 3;

// A full-screen list of pages of 19 rows. Returns the chosen row, or -1 for Esc or for a
// list without rows.
i32 PagedList(PagedListRows rowCallback);
