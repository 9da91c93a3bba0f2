// The menu bar on row 0 and its pull-down menus.
#pragma once
#include "base/Types.h"

extern const char16_t* const MenuBarTitles[];  // null-terminated
extern i32 MenuTitleColumn[8];
extern i32 MenuTitleCount;

i32 DrawMenuBar(const char16_t* const* titles);

static const u32 PULL_DOWN_ENTRIES = 20;

// One pull-down menu: the key that opens it and its entries ("-" is a separator), ended by
// a null. The record after the last menu has key 0 and no entries.
struct PullDownRecord {
  u64 key;
  const char16_t* entries[PULL_DOWN_ENTRIES + 1];
};
extern const PullDownRecord PullDownMenus[];

static const i32 MENU_LEFT = 0xFFFF;  // PullDownMenu: left with Esc or another key

// Runs the pull-down menu that `key` opens. Returns menu x 256 + entry (separators not
// counted), MENU_LEFT when left with Esc or another key (which then runs as a global
// key), or -1 when the key opens no menu.
i32 PullDownMenu(u32 key, const PullDownRecord* menus);
