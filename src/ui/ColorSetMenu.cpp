// The user's choice of colour set (Ctrl-L and the System menu).
#include "platform/Screen.h"
#include "ui/ColorSet.h"
#include "ui/PickMenu.h"

u32 ChangeColorSet() {
  const char16_t* menu[] = {u"Color Sets", ColorSetNames[0], ColorSetNames[1], nullptr};
  ScrPushState();
  i32 choice = PickMenu(menu, 0);
  if (choice >= 0) ApplyColorSet((u32)choice);
  ScrPopState();
  return 0;
}
