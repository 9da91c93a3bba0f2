// The whole program on the simulated machine: the first screen, the ways out, in-place
// editing and what reaches the hardware, the refresh rate, and the MSR write protocol.
#include "SimTestSupport.h"
#include "app/AccessType.h"
#include "app/MainLoop.h"
#include "app/Startup.h"
#include "platform/Console.h"
#include "platform/Keyboard.h"
#include "platform/Platform.h"
#include "platform/Screen.h"
#include "platform/Timer.h"
#include "spaces/Msr.h"
#include "ui/ColorSet.h"
#include "view/BitmapWindow.h"
#include "view/PageGeometry.h"

// A key that means nothing on the main screen; it also dismisses a start-up box.
static const u32 NEUTRAL_KEY = KEY_F11;

class ProgramTest : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    AddSmallPciMachine();
    host = &gSim->pci[0];
  }
  void Keys(std::initializer_list<u32> keys) {
    for (u32 key : keys) SimQueueKey(key);
  }
  // Config writes as (register, byte) pairs, decoded from the recorded port writes.
  std::vector<std::pair<u32, u32>> ConfigByteWrites() {
    std::vector<std::pair<u32, u32>> writes;
    u32 address = 0;
    for (const SimPortWrite& w : gSim->portWrites) {
      if (w.port == 0xCF8) address = w.value;
      if (w.port >= 0xCFC && w.port <= 0xCFF && w.width == 1)
        writes.push_back({(address & 0xFC) + (w.port - 0xCFC), w.value});
    }
    return writes;
  }
  SimPciFunction* host;
};

TEST_F(ProgramTest, FirstScreenShowsMenuBarPageAndClock) {
  gSim->time = {10, 20, 30};
  Keys({NEUTRAL_KEY});
  EXPECT_FALSE(RunProgram());
  EXPECT_TRUE(gSim->keysExhausted);
  EXPECT_EQ(ConsoleRow(0), "File  Config  Go  Tools  System  Quit                 Northwinds Firmware, Inc. ");
  for (int x : {0, 6, 14, 18, 25, 33}) EXPECT_EQ(ConsoleAttr(x, 0), 0x7C) << x;
  EXPECT_EQ(ConsoleAttr(1, 0), 0x70);
  EXPECT_EQ(gSim->console.Text(71, 24, 8), "10:20:30");
  EXPECT_EQ(ConsoleAttr(71, 24), 0x70);
  EXPECT_EQ(ConsoleAttr(40, 1), 0x1E);  // work area in the normal colour
  EXPECT_NE(ConsoleRow(6).find("86 80 C0 29"), std::string::npos) << ConsoleRow(6);
  EXPECT_FALSE(gSim->console.cursorVisible);
  EXPECT_FALSE(gSim->console.scrolled);
}

TEST_F(ProgramTest, EveryExitKeyRestoresTheConsole) {
  for (u32 exitKey : {(u32)KEY_F10, KEY_ALT | 'x', KEY_ALT | 'q'}) {
    SimReset();
    AddSmallPciMachine();
    gSim->console.attribute = 0x0A;
    gSim->console.column = 3;
    gSim->console.row = 7;
    Keys({NEUTRAL_KEY, KEY_DOWN, exitKey});
    EXPECT_TRUE(RunProgram()) << std::hex << exitKey;
    EXPECT_EQ(gSim->console.attribute, 0x0A);
    EXPECT_TRUE(gSim->console.cursorVisible);
    EXPECT_EQ(gSim->console.clearCalls, 1u);
    EXPECT_EQ(ConsoleRow(0), std::string(80, ' '));
  }
}

TEST_F(ProgramTest, ExitGivesBackEveryPoolBuffer) {
  Keys({NEUTRAL_KEY, KEY_DOWN, KEY_F7, KEY_F1, KEY_ESC, KEY_F10});  // boxes opened and closed on the way
  EXPECT_TRUE(RunProgram());
  EXPECT_EQ(SimPoolBlocksInUse(), 0u);
}

TEST_F(ProgramTest, TypedByteIsWrittenOnEnter) {
  Keys({NEUTRAL_KEY, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_RIGHT, KEY_RIGHT, KEY_RIGHT, KEY_RIGHT, '8', '0',
        KEY_ENTER});
  RunProgram();
  EXPECT_EQ(host->config[0x44], 0x80);
  EXPECT_EQ(ConfigByteWrites(), (std::vector<std::pair<u32, u32>>{{0x44, 0x80}}));
  EXPECT_EQ(gSim->console.Text(6 + 4 * 3, 10, 2), "80");
}

TEST_F(ProgramTest, EditEndingDecidesWhatIsWritten) {
  struct Case {
    std::vector<u32> keys;
    std::vector<std::pair<u32, u32>> writes;
  } cases[] = {
      {{'1', '2', '3', KEY_ENTER}, {{0x40, 0x12}}},  // the third digit does not fit
      {{'5', KEY_ESC}, {}},                         // Esc writes nothing
      {{'0', '0', KEY_RIGHT}, {}},                  // an arrow writes only a changed value
      {{'7', KEY_RIGHT}, {{0x40, 0x07}}},
      {{KEY_ENTER}, {}},                            // Enter without an edit is no write
      {{'0', KEY_ENTER}, {{0x40, 0x00}}},           // Enter after typing always writes
      {{KEY_SHIFT | 'A', KEY_ENTER}, {}},           // Shift held: not an edit
      {{'A', KEY_ENTER}, {{0x40, 0x0A}}},           // Caps Lock letters edit
  };
  for (const Case& c : cases) {
    SimReset();
    AddSmallPciMachine();
    Keys({NEUTRAL_KEY, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_DOWN});
    for (u32 key : c.keys) SimQueueKey(key);
    RunProgram();
    EXPECT_EQ(ConfigByteWrites(), c.writes) << "case starting with key " << std::hex << c.keys[0];
  }
}

TEST_F(ProgramTest, FullFieldChirps) {
  auto toneProgrammed = [] {
    for (const SimPortWrite& w : gSim->portWrites)
      if (w.port == 0x43 && w.value == 0xB6) return true;
    return false;
  };
  Keys({NEUTRAL_KEY, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_DOWN, '1', '2'});
  RunProgram();
  EXPECT_FALSE(toneProgrammed());
  SimReset();
  AddSmallPciMachine();
  Keys({NEUTRAL_KEY, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_DOWN, '1', '2', '3'});
  RunProgram();
  EXPECT_TRUE(toneProgrammed());
}

TEST_F(ProgramTest, CharacterEditStoresLastTypedCharacterLowest) {
  Keys({NEUTRAL_KEY, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_F7, KEY_F7, KEY_CTRL | KEY_F4, 'A', 'B', 'C', 'D',
        KEY_ENTER});
  RunProgram();
  EXPECT_EQ(host->Get32(0x40), 0x41424344u);
  EXPECT_NE(gSim->console.Text(56, 10, 4).find("ABCD"), std::string::npos);  // the side column, most significant first
}

TEST_F(ProgramTest, WidthCycleKeepsTheCursorOnItsByte) {
  Keys({NEUTRAL_KEY, KEY_DOWN, KEY_RIGHT, KEY_RIGHT, KEY_RIGHT, KEY_F7});
  RunProgram();
  EXPECT_EQ(Current->width, 2);
  EXPECT_EQ(CursorOffset(), 0x12u);  // byte 0x13 lies in the 16-bit cell at 0x12
  SimQueueKey(KEY_F7);
  SimRun([] { MainLoop(); });
  EXPECT_EQ(Current->width, 4);
  EXPECT_EQ(CursorOffset(), 0x10u);
  EXPECT_NE(ConsoleRow(5).find("03020100 07060504"), std::string::npos) << ConsoleRow(5);
}

TEST_F(ProgramTest, RefreshRateKeysStepAndStopAtTheirLimits) {
  const u32 slower = KEY_CTRL | '[', faster = KEY_CTRL | ']';
  struct Case {
    std::vector<std::pair<u32, int>> presses;  // key, times
    u32 expected;
  } cases[] = {
      {{{faster, 3}}, 1800},
      {{{faster, 4}}, 1999},                  // above 1899 it becomes 1999
      {{{faster, 5}}, 1999},                  // and stays there
      {{{faster, 4}, {slower, 1}}, 1899},     // from 1999: 1899, 1799, ...
      {{{faster, 4}, {slower, 19}}, 99},      // ... 199, 99
      {{{slower, 14}}, 100},
      {{{slower, 15}}, 100},                  // at 100 it stays
  };
  for (const Case& c : cases) {
    SimReset();
    ForgetOpenBoxes();
    AddSmallPciMachine();
    SimQueueKey(NEUTRAL_KEY);
    for (auto [key, times] : c.presses)
      for (int i = 0; i < times; i++) SimQueueKey(key);
    RunProgram();  // starts at 1500
    EXPECT_EQ(RefreshRate, c.expected);
  }
  RefreshRate = 1500;
}

class RefreshTest : public SimTest {
 protected:
  // Counts how many of `calls` idle refresh ticks repaint the page at `rate`. The value at
  // offset 0x80 changes before every tick, so every repaint sends something to the console.
  int RepaintsAt(u32 rate, int calls) {
    SimReset();
    ForgetOpenBoxes();
    AddSmallPciMachine();
    int repaints = 0;
    SimRun([&] {
      ScreenAllocate();
      PlatformInit();
      ResetHistory();
      ComputePageGeometry(true);
      RefreshRate = rate;
      AutoRefresh = 1;
      RepaintValues(REPAINT_FORCE);
      ClockUpdate(1);
      for (int i = 0; i < calls; i++) {
        gSim->pci[0].config[0x80]++;
        u32 before = gSim->console.outputCharacters;
        RepaintValues(0);
        if (gSim->console.outputCharacters != before) repaints++;
      }
      ScreenFree();
    });
    RefreshRate = 1500;
    return repaints;
  }
};

TEST_F(RefreshTest, RateDecidesHowOftenThePageIsRepainted) {
  EXPECT_EQ(RepaintsAt(1999, 10), 10);
  EXPECT_EQ(RepaintsAt(100, 2 * 1900), 2);
  EXPECT_EQ(RepaintsAt(1500, 4 * 500), 4);
}

// MSR rows: a typed change is written on Enter, whole and with the other bytes unchanged;
// a row the cursor only passes is never written; an unreadable row is never written.
class MsrEditTest : public SimTest {
 protected:
  void RunOnMsrPage(std::initializer_list<u32> keys) {
    static const MsrEntry table[] = {
        {u"TSC", 0x10, 0}, {u"SYSENTER_CS", 0x174, 0}, {u"MISSING", 0x999, 0}, {nullptr, 0, 0}};
    static u32 flags[3];
    flags[0] = flags[1] = 0;
    flags[2] = MSR_UNREADABLE;
    MsrTable = table;
    MsrTableRows = 3;
    MsrRowFlags = flags;
    gSim->msrs[0x10] = 0x123456789ull;
    gSim->msrs[0x174] = 0x1111222233334444ull;
    for (u32 key : keys) SimQueueKey(key);
    SimRun([] {
      ScreenAllocate();
      PlatformInit();
      ResetHistory();
      Current->type = ACCESS_CPU_MSR;
      BitmapEnabled = 0;  // the bit map window would cover the rows these tests read
      ActivateAccessType(0);
      MainLoop();
    });
    BitmapEnabled = 0xFFFFFFFF;
    MsrTable = nullptr;
    MsrTableRows = 0;
    MsrRowFlags = nullptr;
  }
};

TEST_F(MsrEditTest, PassingOverRowsWritesNothing) {
  RunOnMsrPage({KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_UP, KEY_ENTER, KEY_F10});
  EXPECT_TRUE(gSim->msrWrites.empty());
}

TEST_F(MsrEditTest, TypedByteIsWrittenWholeOnEnter) {
  RunOnMsrPage({KEY_DOWN, KEY_RIGHT, '5', 'A', KEY_RIGHT, KEY_ENTER, KEY_F10});
  ASSERT_EQ(gSim->msrWrites.size(), 1u);
  EXPECT_EQ(gSim->msrWrites[0], (std::pair<u32, u64>{0x174, 0x1111222233335A44ull}));
}

TEST_F(MsrEditTest, EscapeDropsTheTypedValue) {
  RunOnMsrPage({KEY_DOWN, '5', 'A', KEY_RIGHT, KEY_ESC, KEY_DOWN, KEY_F10});
  EXPECT_TRUE(gSim->msrWrites.empty());
}

TEST_F(MsrEditTest, LeavingARowWithATypedChangeWritesIt) {
  RunOnMsrPage({KEY_DOWN, '0', '0', KEY_RIGHT, KEY_DOWN, KEY_F10});
  ASSERT_EQ(gSim->msrWrites.size(), 1u);
  EXPECT_EQ(gSim->msrWrites[0], (std::pair<u32, u64>{0x174, 0x1111222233334400ull}));
}

TEST_F(MsrEditTest, UnreadableRowShowsAllOnesAndIsNeverWritten) {
  RunOnMsrPage({KEY_DOWN, KEY_DOWN, '1', '2', KEY_ENTER, KEY_UP});
  EXPECT_TRUE(gSim->msrWrites.empty());
  EXPECT_EQ(gSim->console.Text(29, 8, 23), "FF FF FF FF FF FF FF FF");
  EXPECT_EQ(gSim->console.Text(29, 7, 23), "44 44 33 33 22 22 11 11");
}

// A shown cursor (a line editor's caret) must stand at its caret while keys are awaited,
// although the clock and the refresh write elsewhere in between.
TEST_F(ProgramTest, ShownCursorReturnsToItsCaretAfterTheClock) {
  SimRun([] {
    ScreenAllocate();
    PlatformInit();
    ResetHistory();
    ComputePageGeometry(true);
    ConGotoXY(28, 10);
    ConShowCursor();
    gSim->time.second++;  // the clock redraws: the console cursor ends after it
    RepaintValues(0);
    EXPECT_EQ(gSim->console.column, 27u);
    EXPECT_EQ(gSim->console.row, 9u);
    ConHideCursor();
    ScreenFree();
  });
}

// The console gets only the net change of a refresh: on an unchanged page nothing at all,
// although the "Refresh" label is painted in its other attribute and back.
TEST_F(RefreshTest, IdleRefreshOfAnUnchangedPageSendsNothing) {
  AddSmallPciMachine();
  SimRun([] {
    ScreenAllocate();
    PlatformInit();
    ResetHistory();
    ComputePageGeometry(true);
    BitmapEnabled = 0;  // the page does not refresh under the bit map window
    RepaintAll();
    RepaintValues(REPAINT_FORCE);
    gSim->console.ResetTraffic();
    RepaintValues(REPAINT_FORCE);
    EXPECT_EQ(gSim->console.outputCalls + gSim->console.attributeCalls + gSim->console.cursorCalls, 0u);
    gSim->pci[0].config[0x41] = 0x5A;
    RepaintValues(REPAINT_FORCE);
    EXPECT_EQ(gSim->console.outputCalls, 1u);
    EXPECT_EQ(gSim->console.outputCharacters, 2u);  // the two digits of the changed byte
    EXPECT_EQ(gSim->console.Text(9, 10, 2), "5A");
    ScreenFree();
  });
  BitmapEnabled = 0xFFFFFFFF;
}
