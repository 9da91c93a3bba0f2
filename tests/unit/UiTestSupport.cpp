#include "UiTestSupport.h"

#include "app/AccessType.h"
#include "app/MainLoop.h"
#include "platform/Console.h"
#include "platform/Screen.h"
#include "ui/ColorSet.h"
#include "ui/PopupBox.h"
#include "view/PageGeometry.h"

void UiTest::SetUp() {
  SimTest::SetUp();
  ASSERT_TRUE(ScreenAllocate());
  ConsoleInit();
  ResetHistory();
  ComputePageGeometry(true);  // a forced repaint must find a page
  SelectColorSet(0);
  AutoRefresh = 0;  // the page itself is not under test here
  BusyFlag = CompareActive = CommandAreaActive = 0;
  PopupBox = PopupBoxSlot{};
  ScrClearRedirectBox();
  ConSetAttr(0x1E);
  ScrClearWindow();
  gSim->onIdle = [this] {
    if (script.empty()) return;
    ScriptStep step = script.front();
    script.pop_front();
    if (step.check) step.check();
    for (u32 key : step.keys) SimQueueKey(key);
  };
}

void UiTest::TearDown() {
  gSim->onIdle = nullptr;
  AutoRefresh = 1;
  ScreenFree();
}

void UiTest::Run(const std::function<void()>& body) {
  bool returned = false;
  SimRun([&] {
    body();
    returned = true;
  });
  ASSERT_TRUE(returned) << "the keys ran out before the call returned";
}

void UiTest::FillScreen() {
  for (i32 y = 0; y < 24; y++) {
    ScreenAttr = 0x10 + (u32)(y % 7);
    ScrGotoXY(0, y);
    for (i32 x = 0; x < SCREEN_COLUMNS; x++) ScrPutChar((char16_t)(u'a' + (x + y) % 26));
  }
}

std::vector<std::pair<char16_t, u8>> UiTest::Cells() {
  std::vector<std::pair<char16_t, u8>> cells;
  for (u32 y = 0; y < 24; y++)
    for (const SimCell& cell : gSim->console.cells[y]) cells.push_back({cell.character, cell.attribute});
  return cells;
}
