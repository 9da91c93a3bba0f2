// The "ISA IO" dialog: choose a register set, probe it, and show it when it answers.
#include "spaces/IsaSets.h"
#include "app/AccessType.h"
#include "base/Memory.h"
#include "base/String.h"
#include "platform/Screen.h"
#include "spaces/IsaIo.h"
#include "spaces/SuperIoCommands.h"
#include "ui/MessageWindow.h"
#include "ui/PickMenu.h"

static const char16_t ISA_SET_MENU_TITLE[] = u"    ISA IO Sets    ";

// The command lists are put aside while the sets are probed; a selected set keeps them empty.
struct SavedCommands {
  CommandList open, close;
};
static SavedCommands sSavedCommands;

static void PutCommandsAside() {
  CopyBytes(sSavedCommands.open, OpenConfigCommands, sizeof(CommandList));
  CopyBytes(sSavedCommands.close, CloseConfigCommands, sizeof(CommandList));
  SioCommandListsClear();
}

static void RestoreCommands() {
  CopyBytes(OpenConfigCommands, sSavedCommands.open, sizeof(CommandList));
  CopyBytes(CloseConfigCommands, sSavedCommands.close, sizeof(CommandList));
}

static void ReportSetNotFound(i32 set) {
  char16_t message[64];
  StrCopy16(message, IsaSetName(set));
  StrCat16(message, ARRAY_COUNT(message), u" not found!");
  ReportError(message);
}

static void ShowSet() {
  Current->cursorRow = Current->cursorColumn = 0;
  Current->type = ACCESS_ISA;
  ActivateAccessType(0);
}

bool IsaSelectSet() {
  ScrPushState();
  PutCommandsAside();
  const char16_t* menu[] = {ISA_SET_MENU_TITLE, IsaSetName(0), IsaSetName(1), nullptr};
  i32 set = PickMenu(menu, Current->isaSet >= 0 ? Current->isaSet : 0);
  bool selected = set >= 0 && IsaOpenSet(Current, set);
  if (selected) {
    ShowSet();
  } else {
    RestoreCommands();
    if (set >= 0) ReportSetNotFound(set);
  }
  ScrPopState();
  return selected;
}
