#include "SimTestSupport.h"

#include "app/Startup.h"
#include "ui/PopupBox.h"
#include "view/BitmapWindow.h"

void AddSmallPciMachine() {
  gSim->AddPciFunction(0, 0, 0, 0x8086, 0x29C0, 0x00, 0x060000);
  gSim->AddPciFunction(0, 0x1F, 0, 0x8086, 0x2918, 0x80, 0x060100);
}

bool RunProgram() {
  ForgetOpenBoxes();  // as in a freshly loaded image
  return SimRun([] { AppStartup(nullptr, nullptr); });
}

void ForgetOpenBoxes() {
  PopupBox = PopupBoxSlot{};
  BitmapShown = 0;
}
