#include "ui/PopupBox.h"

PopupBoxSlot PopupBox;

bool IsBoxOpen() { return PopupBox.saved != nullptr && !PopupBox.isBitmapWindow; }
