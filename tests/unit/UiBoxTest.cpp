// The pop-up box and what is built on it: layout, shadow, title bar, message windows,
// the input dialog and the error box.
#include "UiTestSupport.h"
#include "app/MainLoop.h"
#include "platform/Keyboard.h"
#include "platform/Screen.h"
#include "ui/ColorSet.h"
#include "ui/MessageWindow.h"
#include "ui/PopupBox.h"

class BoxTest : public UiTest {};

struct LayoutCase {
  i32 w, h;
  i32 columns, faceWidth, faceHeight, left, top, right, bottom;
};

TEST_F(BoxTest, LayoutCentresTheBoxAndSplitsLongContents) {
  const LayoutCase cases[] = {
      {10, 3, 1, 13, 5, 33, 10, 48, 15},
      {20, 40, 3, 69, 16, 5, 4, 76, 20},  // 42 rows > 20: three columns of 23
      {52, 12, 1, 55, 14, 12, 5, 69, 19},  // the help window
      {40, 11, 1, 43, 13, 18, 6, 63, 19},  // the command-list editor
      {10, 18, 1, 13, 20, 33, 2, 48, 22},  // 20 rows: still one column
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << " x " << c.h);
    EXPECT_EQ(BoxLayout(c.w, c.h), c.columns);
    EXPECT_EQ(PopupBox.faceWidth, c.faceWidth);
    EXPECT_EQ(PopupBox.faceHeight, c.faceHeight);
    EXPECT_EQ(PopupBox.left, c.left);
    EXPECT_EQ(PopupBox.top, c.top);
    EXPECT_EQ(PopupBox.right, c.right);
    EXPECT_EQ(PopupBox.bottom, c.bottom);
  }
}

TEST_F(BoxTest, OpenDrawsFaceAndShadowAndCloseRestoresEverything) {
  FillScreen();
  auto before = Cells();
  BoxLayout(10, 3);  // face 33..45 x 10..14, shadow to 48 x 15
  ScreenAttr = 0x4F;
  BoxOpen();
  EXPECT_TRUE(IsBoxOpen());
  EXPECT_EQ(Text(33, 10, 13), std::string(13, ' '));
  EXPECT_EQ(Attr(33, 14), 0x4F);
  EXPECT_EQ(Attr(45, 10), 0x4F);
  EXPECT_EQ(Attr(46, 11), 0x08);  // dark grey on black, the text kept
  EXPECT_EQ(Attr(48, 15), 0x08);
  EXPECT_EQ(Attr(35, 15), 0x08);
  EXPECT_EQ(Text(46, 11, 3), "fgh");  // the shadow keeps the text under it
  EXPECT_NE(Attr(46, 10), 0x08);  // the shadow starts one row down
  EXPECT_NE(Attr(34, 15), 0x08);  // and two columns right
  BoxClose();
  EXPECT_FALSE(IsBoxOpen());
  EXPECT_EQ(Cells(), before);
}

TEST_F(BoxTest, UserDefinedSetGivesAWhiteShadow) {
  SelectColorSet(1);
  BoxLayout(10, 3);
  BoxOpen();
  EXPECT_EQ(Attr(47, 12), 0x0F);
  BoxClose();
}

TEST_F(BoxTest, SecondOpenPutsBackTheFirstBoxBackground) {
  FillScreen();
  auto before = Cells();
  BoxLayout(30, 10);
  BoxOpen();
  BoxLayout(10, 3);
  BoxOpen();
  BoxClose();
  EXPECT_EQ(Cells(), before);
  BoxClose();  // the first owner's close finds the slot empty and changes nothing
  EXPECT_EQ(Cells(), before);
}

TEST_F(BoxTest, PaintersWriteUnderAnOpenBox) {
  FillScreen();
  BoxLayout(10, 3);
  BoxOpen();
  ScrPushState();
  ScrBoxRedirect = 1;
  ScreenAttr = 0x1E;
  ScrGotoXY(30, 12);
  ScrPutString(u"0123456789");
  ScrPopState();
  EXPECT_EQ(Text(30, 12, 10), "012       ");  // the face stays on top
  BoxClose();
  EXPECT_EQ(Text(30, 12, 10), "0123456789");
}

TEST_F(BoxTest, TitleBarInvertsTheBackgroundOverTheWholeFace) {
  BoxLayout(30, 3);
  ScreenAttr = 0x4F;
  BoxOpen();
  BoxTitle(u"Title", 32);
  EXPECT_EQ(Text(PopupBox.left, PopupBox.top, 33), std::string(13, ' ') + "Title" + std::string(15, ' '));
  EXPECT_EQ(Attr(PopupBox.left, PopupBox.top), 0xBF & 0x7F);  // 0x4F ^ 0xF0, bit 7 dropped
  EXPECT_EQ(Attr(PopupBox.left + 32, PopupBox.top), 0x3F);
  EXPECT_EQ(ScreenAttr, 0x4Fu);
  BoxClose();
}

TEST_F(BoxTest, MessageWindowLinesSitUnderAnEmptyRow) {
  const char16_t* lines[] = {u"Note", u"first line of thirty characters", u"second line of thirty chars...", nullptr};
  ScreenAttr = 0x40;
  EXPECT_EQ(MessageWindow(lines, false), 0u);
  ASSERT_TRUE(IsBoxOpen());
  i32 left = PopupBox.left, top = PopupBox.top;
  EXPECT_EQ(Text(left + 2, top + 2, 31), "first line of thirty characters");
  EXPECT_EQ(Text(left + 2, top + 3, 30), "second line of thirty chars...");
  EXPECT_EQ(Text(left, top + 1, 34), std::string(34, ' '));
  for (int x = left; x < left + 34; x++) EXPECT_EQ(Attr(x, top), 0x30) << x;  // 0x40 ^ 0xF0 without bit 7
  EXPECT_NE(Attr(left + 34, top), 0x30);
  BoxClose();
}

TEST_F(BoxTest, WaitingMessageWindowReturnsItsKeyAndRunsNoCommand) {
  FillScreen();
  auto before = Cells();
  const char16_t* lines[] = {u"Title", u"text", nullptr};
  u32 key = 0;
  Then([] { EXPECT_EQ(Text(38, 12, 4), "text"); }, {KEY_ALT | 'x'});
  Run([&] { key = MessageWindow(lines, true); });
  EXPECT_EQ(key, KEY_ALT | 'x');
  EXPECT_FALSE(gSim->exited);
  EXPECT_EQ(Cells(), before);
}

TEST_F(BoxTest, ErrorBoxChirpsFirstAndAnyKeyClosesIt) {
  FillScreen();
  auto before = Cells();
  u32 attribute = ScreenAttr;
  size_t writesBeforeBox = 0;
  Then(
      [&] {
        writesBeforeBox = gSim->portWrites.size();
        EXPECT_NE(Row(10).find("Error"), std::string::npos) << Row(10);
        EXPECT_NE(Row(12).find("No more PCI Configuration Space!"), std::string::npos) << Row(12);
        EXPECT_EQ(Attr(PopupBox.left + 2, 12), 0x4F);
      },
      {'z'});
  Run([] { ReportError(u"No more PCI Configuration Space!"); });
  EXPECT_GT(writesBeforeBox, 100u);  // the speaker was played before the box waited
  EXPECT_EQ(Cells(), before);
  EXPECT_EQ(ScreenAttr, attribute) << "the screen state is given back";
}

TEST_F(BoxTest, InputDialogPromptRowDependsOnTheTitle) {
  struct Case {
    const char16_t* title;
    i32 promptOffset;
  } cases[] = {{u"", 1}, {u"Find", 2}};
  for (const Case& c : cases) {
    const char16_t* lines[] = {c.title, u"File name: ", nullptr};
    i32 row = -1;
    Then([&] { row = ScreenY; }, {KEY_ESC});
    Run([&] { InputDialog(lines, 12, nullptr); });
    EXPECT_EQ(row, PopupBox.top + c.promptOffset);
    EXPECT_EQ(Text(PopupBox.left + 1, row, 11), "           ") << "the box is gone";
  }
}

TEST_F(BoxTest, InputDialogShowsPromptAndField) {
  const char16_t* lines[] = {u"Load", u"File name: ", nullptr};
  Then(
      [] {
        i32 left = PopupBox.left, top = PopupBox.top;
        EXPECT_EQ(Text(left + 1, top + 2, 19), "File name: REGS.TXT");
        EXPECT_EQ(Attr(left + 1, top + 2), 0x70);
        EXPECT_EQ(ScreenX, left + 12) << "caret at 0";
        EXPECT_TRUE(gSim->console.cursorVisible);
      },
      {KEY_END, '2', KEY_ENTER});
  std::u16string result;
  Run([&] { result = InputDialog(lines, 20, u"REGS.TXT"); });
  EXPECT_EQ(result, u"REGS.TXT2");
  EXPECT_FALSE(gSim->console.cursorVisible);
}

TEST_F(BoxTest, InputDialogFirstKeyReplacesAndEscCancels) {
  const char16_t* lines[] = {u"", u"Value: ", nullptr};
  std::u16string typed, cancelled;
  Keys({'4', '2', KEY_ENTER});
  Run([&] { typed = InputDialog(lines, 10, u"1234"); });
  EXPECT_EQ(typed, u"42");
  Keys({'7', KEY_ESC});
  Run([&] { cancelled = InputDialog(lines, 10, u"1234"); });
  EXPECT_EQ(cancelled, u"");
}
