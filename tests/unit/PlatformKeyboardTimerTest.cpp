// Key codes, the tick-based random numbers, the clock and the speaker.
#include "SimTestSupport.h"
#include "platform/Console.h"
#include "platform/Keyboard.h"
#include "platform/Screen.h"
#include "platform/Timer.h"
#include "ui/ColorSet.h"

TEST(KeyCode, BuildsFromScanCodeCharacterAndShiftState) {
  struct Case {
    u32 scan, character, shift, code;
  } cases[] = {
      {0, 'A', 0x80000000u | 0x02 | 0x08, 0xF0041},  // Ctrl-Shift-A
      {0, 'a', 0x0C, 'a'},                          // shift state not valid: no modifier bits
      {0, 'x', 0x80000000u | 0x20, 0x300078},       // Alt-X
      {0, 's', 0x80000000u | 0x04, 0xC0073},        // Ctrl-S (right Ctrl)
      {0x0B, 0, 0x80000000u, 0x0B00},               // F1
      {0x17, 0, 0, 0x1700},                         // Esc
      {0, 9, 0x80000000u | 0x01, 0x30009},          // Shift-Tab
      {0x0C, 0, 0x80000000u | 0x02, 0x30C00},       // Shift-F2
      {0x0E, 0, 0x80000000u | 0x08, 0xC0E00},       // Ctrl-F4
  };
  for (const Case& c : cases) EXPECT_EQ(MakeKeyCode(c.scan, c.character, c.shift), c.code) << std::hex << c.code;
}

class TimerTest : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    ASSERT_TRUE(ScreenAllocate());
    ConsoleInit();
  }
  void TearDown() override { ScreenFree(); }
};

TEST_F(TimerTest, RandomWithinOneTickStepsByOne) {
  u32 first = Random(8), second = Random(8);
  EXPECT_EQ(second, (first + 1) % 8);
  EXPECT_LT(Random(3), 3u);
}

TEST_F(TimerTest, DelayStallsFifteenMicrosecondsPerUnit) {
  Delay(30000);
  EXPECT_EQ(gSim->stalledMicroseconds, 450000u);
}

TEST_F(TimerTest, ClockDrawsOncePerSecondUnlessForced) {
  gSim->time = {9, 5, 7};
  ClockUpdate(1);
  EXPECT_EQ(gSim->console.Text(71, 24, 8), "09:05:07");
  EXPECT_EQ(ConsoleAttr(71, 24), ColorSet[1] & 0x7F);
  for (u32 i = 71; i <= 78; i++) ShadowScreen[24 * 80 + i].character = u'-';  // mark the cells
  ClockUpdate(0);  // same second: nothing is drawn
  EXPECT_EQ(ShadowScreen[24 * 80 + 71].character, u'-');
  ClockUpdate(1);
  EXPECT_EQ(ShadowScreen[24 * 80 + 71].character, u'0');
  gSim->time = {9, 5, 8};
  ClockUpdate(0);
  EXPECT_EQ(gSim->console.Text(71, 24, 8), "09:05:08");
}

TEST_F(TimerTest, ClockThatCannotBeReadDrawsNothing) {
  gSim->clockFails = true;
  ClockUpdate(1);
  EXPECT_EQ(gSim->console.Text(71, 24, 8), "        ");
}

TEST_F(TimerTest, EmptyChirpStillSilencesTheSpeaker) {
  gSim->speakerGate = 0x03;
  Chirp(5, 5);
  EXPECT_EQ(gSim->speakerGate, 0x00);
  for (const SimPortWrite& w : gSim->portWrites) EXPECT_NE(w.port, 0x42) << "no tone may be programmed";
}

TEST_F(TimerTest, ToneProgramsChannelTwoAndOpensTheGate) {
  SoundOn(0x1234);
  std::vector<SimPortWrite> expected = {{0x43, 0xB6, 1}, {0x42, 0x34, 1}, {0x42, 0x12, 1}, {0x61, 0x03, 1}};
  EXPECT_EQ(gSim->portWrites, expected);
  SoundOff();
  EXPECT_EQ(gSim->speakerGate & 3, 0);
}
