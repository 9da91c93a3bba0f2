// The "IO Space" mode menu: normal, or PM IO space that leaves registers 15h-18h alone.
#include "spaces/IsaIo.h"
#include "platform/Screen.h"
#include "ui/PickMenu.h"

static const char16_t* const IO_MODE_MENU[] = {u"           IO Space                ", u"Normal IO space",
                                               u"PM IO space (exclude reg 15h-18h)", nullptr};

i32 IoSpaceSelectMode() {
  ScrPushState();
  i32 mode = PickMenu(IO_MODE_MENU, IoSpaceMode == IO_MODE_PM ? IO_MODE_PM : 0);
  if (mode >= 0) IoSpaceMode = mode;
  ScrPopState();
  return mode >= 0 ? SELECT_CHOSEN : SELECT_CANCELLED;
}
