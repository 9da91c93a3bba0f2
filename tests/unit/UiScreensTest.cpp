// Help, about, splash and usage, and the whole program's use of the interface: the start-up
// about box, the menu bar keys, Ctrl-L, Ctrl-O and the usage option.
#include "UiTestSupport.h"
#include "app/MainLoop.h"
#include "platform/Console.h"
#include "platform/Keyboard.h"
#include "platform/Screen.h"
#include "ui/ColorSet.h"
#include "ui/HelpScreens.h"
#include "ui/PopupBox.h"

class ScreensTest : public UiTest {};

static std::u16string U16(const std::string& text) { return std::u16string(text.begin(), text.end()); }

TEST_F(ScreensTest, HelpTextHas78EntriesAndTheBackquoteLine) {
  size_t count = 0, longest = 0;
  for (; HelpText[count]; count++) longest = std::max(longest, std::u16string(HelpText[count]).size());
  EXPECT_EQ(count, 78u);
  EXPECT_EQ(longest, 52u);
  EXPECT_EQ(std::u16string(HelpText[0]), u"Zoquel Help");
  EXPECT_EQ(std::u16string(HelpText[40]), U16("`        : Switch between Command or Register area"));
  EXPECT_EQ(std::u16string(HelpText[77]), u"OFF      : Turn OFF system");
  EXPECT_EQ(std::u16string(HelpText[20]), u"");
}

TEST_F(ScreensTest, HelpScrollsBetweenTheFirstEntryAndTheLast) {
  Then(
      [] {
        EXPECT_EQ(PopupBox.left, 12);
        EXPECT_EQ(PopupBox.top, 5);
        EXPECT_EQ(PopupBox.right, 69);
        EXPECT_EQ(PopupBox.bottom, 19);
        EXPECT_EQ(Text(12, 5, 55), std::string(21, ' ') + "Zoquel Help" + std::string(23, ' '));
        EXPECT_EQ(Text(13, 6, 54), "It can help you to read chipset easier than" + std::string(11, ' '));
        EXPECT_EQ(Text(13, 18, 12), "7.  IDE data");
        EXPECT_EQ(Attr(13, 6), 0x0F);
        EXPECT_NE(Row(24).find("Use <Arrow>,<PgUp>,<PgDn> to look up help"), std::string::npos);
      },
      {KEY_UP, KEY_PGUP});
  Then([] { EXPECT_EQ(Text(13, 6, 11), "It can help"); }, {KEY_DOWN, KEY_DOWN, KEY_PGUP});
  Then([] { EXPECT_EQ(Text(13, 6, 11), "It can help"); },
       {KEY_PGDN, KEY_PGDN, KEY_PGDN, KEY_PGDN, KEY_PGDN, KEY_PGDN, KEY_PGDN, KEY_DOWN});
  Then(
      [] {
        EXPECT_EQ(Text(13, 6, 26), "OFF      : Turn OFF system");
        for (int row = 7; row <= 18; row++) EXPECT_EQ(Text(13, row, 54), std::string(54, ' ')) << row;
      },
      {KEY_PGUP});
  Then([] { EXPECT_EQ(Text(13, 6, 21), "ESC      : Clear line"); }, {KEY_ESC});
  FillScreen();
  auto before = Cells();
  Run(ShowHelp);
  EXPECT_EQ(Cells(), before);
}

TEST_F(ScreensTest, AboutBoxWaitsForAnyKeyWithAFlashingHint) {
  Then(
      [] {
        EXPECT_TRUE(IsBoxOpen());
        EXPECT_NE(Row(24).find("Press any key to continue."), std::string::npos);
        i32 left = PopupBox.left, top = PopupBox.top;
        EXPECT_EQ(Text(left, top, 41).find("Zoquel Chipset Reading"), 9u);
        EXPECT_EQ(Text(left + 2, top + 2, 38), "An useful tool to read/write chipsets!");
        EXPECT_EQ(Text(left + 2, top + 3, 10), "04.95 Beta");
        EXPECT_EQ(Attr(left + 2, top + 2), 0x5F);
      },
      {KEY_ALT | 'x'});
  Run(AboutBox);
  EXPECT_FALSE(gSim->exited);
  EXPECT_FALSE(IsBoxOpen());
}

TEST_F(ScreensTest, SplashTakesItsColoursFromTheColourMap) {
  struct Case {
    u32 set;
    u8 logo, name;
  } cases[] = {{0, 0x1C, 0x1F}, {1, 0x7F, 0x7F}};
  for (const Case& c : cases) {
    SelectColorSet(c.set);
    ShowSplash();
    EXPECT_EQ(Text(11, 16, 27), "  Northwinds Firmware Inc,.");
    EXPECT_EQ(ScrCellChar(11, 10), u'\x2550');
    EXPECT_EQ(ScrCellChar(44, 10), u'\x2588');
    EXPECT_EQ(Attr(11, 16), c.logo);
    EXPECT_EQ(Attr(44, 10), c.name);
    EXPECT_EQ(Attr(0, 0) >> 4, c.logo >> 4) << "the whole screen in the background";
    for (int row = 7; row <= 16; row++)
      for (int x = 40; x < 44; x++) EXPECT_EQ(ScrCellChar(x, row), u' ') << "logo wider than 29 at " << row;
    for (int row = 10; row <= 14; row++) EXPECT_EQ(ScrCellChar(69, row), u' ') << "name wider than 25 at " << row;
  }
}

TEST_F(ScreensTest, UsageLinesStartAtTheLeftEdge) {
  gSim->console.column = 0;
  gSim->console.row = 2;
  ConsoleInit();
  PrintUsage();
  EXPECT_EQ(Text(0, 3, 10), "+--------+");
  EXPECT_EQ(Text(0, 4, 11), "| ZO.EXE | ");
  EXPECT_EQ(Text(0, 5, 10), "+--------+");
  EXPECT_EQ(Row(6).substr(0, 19), "ZO.EXE [/L RegFile]");
  EXPECT_EQ(Row(7).substr(0, 29), "/L - Load RegFile saved by ZO");
  EXPECT_EQ(Row(8).substr(0, 56), "/A - Force not to use KBC command for legacy free system");
  EXPECT_EQ(Row(9).substr(0, 29), "/X - Turn off power (ACPI S5)");
}

// The whole program, started from its entry.
class ProgramUiTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    AddSmallPciMachine();
    AutoRefresh = 1;
  }
  bool Start() { return RunProgram(); }
  static bool HelpShown() { return Row(5).find("Zoquel Help") != std::string::npos; }
  static bool AboutShown() { return Row(7).find("Zoquel Chipset Reading") != std::string::npos; }
};

TEST_F(ProgramUiTest, AboutBoxAtStartUpTakesOneKeyThatDoesNothingElse) {
  Then([] { EXPECT_TRUE(AboutShown()); }, {KEY_F1});
  Then(
      [] {
        EXPECT_FALSE(AboutShown());
        EXPECT_FALSE(HelpShown());
        EXPECT_EQ(Text(3, 6, 14), "00 86 80 C0 29");
      },
      {KEY_F10});
  EXPECT_TRUE(Start());
}

TEST_F(ProgramUiTest, NoGlobalCommandWhileABoxIsOpenNotEvenAltX) {
  Then([] { EXPECT_TRUE(AboutShown()); }, {KEY_ALT | 'x'});
  Then([] { EXPECT_FALSE(AboutShown()); }, {KEY_ALT | 'x'});
  EXPECT_TRUE(Start());
}

TEST_F(ProgramUiTest, KeyOutsideTheMenuClosesItAndRunsAsGlobalKey) {
  Keys({KEY_ESC, KEY_ALT | 'f'});
  Then([] { EXPECT_EQ(Text(1, 1, 11), "Load    <F3"); }, {KEY_F1});
  Then([] {
    EXPECT_TRUE(HelpShown());
    EXPECT_NE(Text(1, 1, 11), "Load    <F3");
  }, {KEY_ESC, KEY_F10});
  EXPECT_TRUE(Start());
}

TEST_F(ProgramUiTest, MenuBarKeysOpenTheirMenusAndRunTheChosenEntry) {
  Keys({KEY_ESC, KEY_ALT | 'f', KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_ENTER});
  Then([] { EXPECT_TRUE(AboutShown()) << "File / About"; }, {KEY_ESC, KEY_ALT | 't', KEY_DOWN});
  Then(
      [] {
        EXPECT_EQ(Attr(19, 1), 0x70) << "Tools menu, the bar moved to the second entry";
        EXPECT_EQ(Attr(19, 2), 0x21);
      },
      {KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_ENTER});
  Then([] { EXPECT_TRUE(HelpShown()) << "Tools / Help"; }, {KEY_ESC, KEY_ALT | 'q'});
  EXPECT_TRUE(Start());
}

TEST_F(ProgramUiTest, QuitTitleEndsTheProgram) {
  Keys({KEY_ESC, KEY_ALT | 's', KEY_RIGHT, KEY_ENTER});
  EXPECT_TRUE(Start());
}

TEST_F(ProgramUiTest, ColourSetMenuSwitchesAndRepaintsEverything) {
  Keys({KEY_ESC, KEY_CTRL | 'l'});
  Then([] { EXPECT_NE(Row(12).find("(0) Normal"), std::string::npos); }, {'1'});
  Then(
      [] {
        EXPECT_EQ(ScrCellAttr(1, 0), 0xF0u) << "menu bar";
        EXPECT_EQ(Attr(40, 1), 0x07) << "work area";
        EXPECT_EQ(Text(3, 6, 14), "00 86 80 C0 29");
        EXPECT_EQ(Attr(71, 24), 0x70) << "clock";
      },
      {KEY_ALT | 's', KEY_ENTER});
  Then([] { EXPECT_NE(Row(13).find("(1) User Defined"), std::string::npos); }, {KEY_ESC});
  Then([] { EXPECT_EQ(ScrCellAttr(1, 0), 0xF0u) << "Esc changes nothing"; }, {KEY_CTRL | 'l', '0'});
  Then([] {
    EXPECT_EQ(ScrCellAttr(1, 0), 0x70u);
    EXPECT_EQ(Attr(40, 1), 0x1E);
  }, {KEY_F10});
  EXPECT_TRUE(Start());
  SelectColorSet(0);
}

TEST_F(ProgramUiTest, CtrlOAndCtrlCEditTheirLists) {
  Keys({KEY_ESC, KEY_CTRL | 'o'});
  Then([] { EXPECT_NE(Row(6).find("Commands to Open Config"), std::string::npos); }, {KEY_ESC, KEY_CTRL | 'c'});
  Then([] { EXPECT_NE(Row(6).find("Commands to Close Config"), std::string::npos); }, {KEY_ESC, KEY_F10});
  EXPECT_TRUE(Start());
}

TEST_F(ProgramUiTest, QuestionMarkOptionPrintsUsageAndEnds) {
  gSim->arguments = {u"ZO.EFI", u"/?"};
  gSim->console.column = gSim->console.row = 0;  // the shell's cursor; this console does not scroll
  EXPECT_TRUE(Start());
  bool found = false;
  for (int y = 0; y < 25; y++) found |= Row(y).rfind("ZO.EXE [/L RegFile]", 0) == 0;
  EXPECT_TRUE(found);

  EXPECT_FALSE(AboutShown());
}

TEST_F(ProgramUiTest, OptionAIsAcceptedInAnyCase) {
  gSim->arguments = {u"ZO.EFI", u"/a"};
  Then([] { EXPECT_TRUE(AboutShown()); }, {KEY_ESC, KEY_F10});
  EXPECT_TRUE(Start());
  EXPECT_EQ(KeyPollLatch, 0u);
}
