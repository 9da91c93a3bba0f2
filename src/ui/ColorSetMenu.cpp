// The user's choice of colour set (Ctrl-L and the System menu).
#include "platform/Screen.h"
#include "ui/ColorSet.h"
#include "ui/PickMenu.h"

static const char16_t* const COLOR_SET_MENU[] = {u"Color Sets", u"Normal", u"User Defined", nullptr};

u32 ChangeColorSet() {
  ScrPushState();
  i32 choice = PickMenu(COLOR_SET_MENU, 0);
  if (choice >= 0) ApplyColorSet((u32)choice);
  ScrPopState();
  return 0;
}
