// The shadow screen and the console behind it: state stack, redirections, recolouring,
// hot-key text, and the rule that the console receives only cells that change.
#include "SimTestSupport.h"
#include "platform/Console.h"
#include "platform/Files.h"
#include "platform/Screen.h"
#include "ui/ColorSet.h"

class ScreenTest : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    ASSERT_TRUE(ScreenAllocate());
    ConsoleInit();
    SelectColorSet(0);
    ConSetAttr(0x07);
    ScrClearWindow();
  }
  void TearDown() override { ScreenFree(); }
  void Put(i32 x, i32 y, u32 attribute, const char16_t* text) {
    ScreenAttr = attribute;
    ScrGotoXY(x, y);
    ScrPutString(text);
  }
};

TEST_F(ScreenTest, AttributeReachesTheConsoleWithoutBitSeven) {
  Put(0, 3, 0xF0, u"AB");
  EXPECT_EQ(ShadowScreen[3 * 80].attribute, 0xF0);
  EXPECT_EQ(ConsoleAttr(0, 3), 0x70);
  EXPECT_EQ(ConsoleRow(3).substr(0, 2), "AB");
}

TEST_F(ScreenTest, UnchangedCellsAreNotSentAgain) {
  Put(10, 5, 0x1E, u"Hello");
  gSim->console.ResetTraffic();
  Put(10, 5, 0x1E, u"Hello");
  EXPECT_EQ(gSim->console.outputCalls, 0u);
  EXPECT_EQ(gSim->console.attributeCalls, 0u);
  EXPECT_EQ(gSim->console.cursorCalls, 0u);
  Put(10, 5, 0x1E, u"Help!");
  EXPECT_EQ(gSim->console.outputCalls, 1u);  // "p!" in one call
  EXPECT_EQ(gSim->console.outputCharacters, 2u);
  EXPECT_EQ(ConsoleRow(5).substr(10, 5), "Help!");
}

TEST_F(ScreenTest, SameAttributeIsNotSetTwice) {
  Put(0, 1, 0x1E, u"x");
  gSim->console.ResetTraffic();
  ConSetAttr(0x1E);
  Put(5, 1, 0x1E, u"y");
  EXPECT_EQ(gSim->console.attributeCalls, 0u);
}

TEST_F(ScreenTest, BottomRightCellNeverScrollsTheConsole) {
  Put(0, 24, 0x70, u"                                                                                ");
  EXPECT_FALSE(gSim->console.scrolled);
  EXPECT_EQ(ShadowScreen[24 * 80 + 79].character, u' ');
}

TEST_F(ScreenTest, StateStackHoldsFourEntries) {
  for (int i = 0; i < 4; i++) EXPECT_EQ(ScrPushState(), 0);
  EXPECT_EQ(ScrPushState(), 1);
  for (int i = 0; i < 4; i++) EXPECT_EQ(ScrPopState(), 0);
  EXPECT_EQ(ScrPopState(), 1);
}

TEST_F(ScreenTest, PopRestoresAttributeCursorsAndRedirection) {
  ScreenAttr = 0x1F;
  ScrGotoXY(7, 8);
  ScrBoxRedirect = 1;
  ScrPushState();
  ScreenAttr = 0x40;
  ScrGotoXY(1, 1);
  ScrBoxRedirect = 0;
  ScrPopState();
  EXPECT_EQ(ScreenAttr, 0x1Fu);
  EXPECT_EQ(ScreenX, 7);
  EXPECT_EQ(ScreenY, 8);
  EXPECT_EQ(ScrBoxRedirect, 1u);
  EXPECT_EQ(ConWhereX(), 8);
  EXPECT_EQ(ConWhereY(), 9);
}

TEST_F(ScreenTest, BoxRedirectionWritesIntoTheSavedBackground) {
  Put(10, 10, 0x1E, u"under");
  ScreenCell* saved = nullptr;
  ASSERT_EQ(ScrSaveRect(&saved, 8, 9, 20, 12), 0);
  Put(8, 10, 0x4F, u"[ the box face ]");  // drawn over the area
  ScrSetRedirectBox(8, 9, 20, 12, saved);
  ScrBoxRedirect = 1;
  Put(10, 10, 0x1E, u"NEW");  // inside the box: kept for later
  Put(30, 10, 0x1E, u"out");  // outside: drawn at once
  ScrBoxRedirect = 0;
  EXPECT_EQ(ConsoleRow(10).substr(8, 16), "[ the box face ]");
  EXPECT_EQ(ConsoleRow(10).substr(30, 3), "out");
  ScrClearRedirectBox();
  EXPECT_EQ(ScrRestoreRect(&saved, 8, 9, 20, 12), 0);
  EXPECT_EQ(ConsoleRow(10).substr(10, 5), "NEWer");
  EXPECT_EQ(ScrRestoreRect(&saved, 8, 9, 20, 12), 1);  // the slot is empty now
}

TEST_F(ScreenTest, FileRedirectionWritesTextInsteadOfDrawing) {
  File* file = FileOpen(u"\\OUT.TXT", "w");
  ASSERT_NE(file, nullptr);
  ScrFile = file;
  ScrToFile = 1;
  ScrGotoXY(0, 2);
  ScrPutString(u"Reg");
  ScrPutChar(u'=');
  ScrToFile = 0;
  FileClose(file);
  const std::vector<u8>& data = gSim->files[u"\\OUT.TXT"];
  EXPECT_EQ(std::string(data.begin(), data.end()), "Reg=");
  EXPECT_EQ(ConsoleRow(2).substr(0, 4), "    ");
}

TEST_F(ScreenTest, RecolorKeepsTheChosenForeground) {
  Put(0, 4, 0x1E, u"a");
  Put(1, 4, 0x1C, u"b");
  u32 old = ScrRecolorRect(0, 4, 1, -1, 0x21, 0xFF, 0x0E);
  EXPECT_EQ(old, 0x1Eu);
  EXPECT_EQ(ShadowScreen[4 * 80 + 0].attribute, 0x2E);  // foreground 14 kept, new background
  EXPECT_EQ(ShadowScreen[4 * 80 + 1].attribute, 0x21);
  EXPECT_EQ(ConsoleAttr(0, 4), 0x2E);
  EXPECT_EQ(ScrRecolorRect(5, 4, 4, -1, 0x21, 0xFF, 16), 0xFFFFu);  // empty rectangle
}

TEST_F(ScreenTest, HotTextMarksFirstLetterOrTheHintAfterTheMarker) {
  u32 hot = 0x70 | (ColorSet[10] & 0x0F);
  ScreenAttr = 0x70;
  ScrGotoXY(0, 0);
  ScrPutHotText(u"File", 0);
  EXPECT_EQ(ConsoleAttr(0, 0), hot);
  EXPECT_EQ(ConsoleAttr(1, 0), 0x70);
  ScrGotoXY(0, 1);
  ScrPutHotText(u"Load    <F3", u'<');
  EXPECT_EQ(ConsoleAttr(7, 1), 0x70);
  for (int x = 8; x <= 10; x++) EXPECT_EQ(ConsoleAttr(x, 1), hot);
  EXPECT_EQ(ScreenX, 11);
}

TEST_F(ScreenTest, PrintfCopiesIntoTheShadowScreenAndSkipsControlCharacters) {
  ConGotoXY(1, 6);
  ConPrintf(u"AB\nC%d", 7);
  EXPECT_EQ(ShadowScreen[5 * 80 + 0].character, u'A');
  EXPECT_EQ(ShadowScreen[5 * 80 + 1].character, u'B');
  EXPECT_EQ(ShadowScreen[5 * 80 + 2].character, u' ');  // the line feed keeps its position
  EXPECT_EQ(ShadowScreen[5 * 80 + 3].character, u'C');
  EXPECT_EQ(ShadowScreen[5 * 80 + 4].character, u'7');
}

TEST_F(ScreenTest, ClearMainAreaBlanksRowsOneToTwentyThree) {
  Put(0, 0, 0x70, u"menu");
  Put(0, 12, 0x40, u"junk");
  Put(0, 24, 0x70, u"status");
  ScrClearMainArea();
  EXPECT_EQ(ConsoleRow(0).substr(0, 4), "menu");
  EXPECT_EQ(ConsoleRow(12).substr(0, 4), "    ");
  EXPECT_EQ(ConsoleAttr(0, 12), ColorSet[4]);
  EXPECT_EQ(ConsoleRow(24).substr(0, 6), "status");
}
