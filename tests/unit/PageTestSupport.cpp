#include "PageTestSupport.h"

#include "app/AccessType.h"
#include "platform/Console.h"
#include "platform/Screen.h"
#include "spaces/Pci.h"
#include "spaces/PciExpress.h"
#include "ui/ColorSet.h"
#include "ui/PopupBox.h"
#include "view/BitmapWindow.h"
#include "view/Explanation.h"

void ResetPageState() {
  EcamBase = 0xF0000000;
  EcamBaseValid = 0;
  McfgBaseCount = 0;
  AmdExtendedConfigAvailable = 0;
  BitmapEnabled = 0xFFFFFFFF;
  BitmapShown = 0;
  PopupBox = PopupBoxSlot{};
  ExplanationOverride = -1;
  ScrClearRedirectBox();
}

void PageTest::SetUp() {
  SimTest::SetUp();
  ASSERT_TRUE(ScreenAllocate());
  ConsoleInit();
  SelectColorSet(0);
  ConSetAttr(ColorSet[4]);
  ScrClearWindow();
  ResetHistory();
  ResetPageState();
}

void PageTest::TearDown() { ScreenFree(); }

u32 PageTest::AttrAt(int x, int y) { return ScrCellAttr(x, y); }
