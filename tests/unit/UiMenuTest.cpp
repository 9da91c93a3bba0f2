// The pull-down menus, the pick menu, the paged list and the command-list editor.
#include "UiTestSupport.h"
#include "app/MainLoop.h"
#include "platform/Keyboard.h"
#include "platform/Screen.h"
#include "platform/Timer.h"
#include "spaces/SuperIoCommands.h"
#include "ui/ColorSet.h"
#include "ui/CommandListEditor.h"
#include "ui/MenuBar.h"
#include "ui/PickMenu.h"
#include "ui/PopupBox.h"

class MenuTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    DrawMenuBar(MenuBarTitles);
  }
  i32 Pull(u32 key, std::initializer_list<u32> keys) {
    Keys(keys);
    i32 result = 0;
    Run([&] { result = PullDownMenu(key, PullDownMenus); });
    return result;
  }
};

TEST_F(MenuTest, MenuBarTitlesAndMaker) {
  EXPECT_EQ(Row(0), "File  Config  Go  Tools  System  Quit                 Northwinds Firmware, Inc. ");
  EXPECT_EQ(MenuTitleCount, 6);
  const i32 columns[] = {0, 6, 14, 18, 25, 33};
  for (int i = 0; i < 6; i++) EXPECT_EQ(MenuTitleColumn[i], columns[i]);
}

struct PullCase {
  u32 key;
  std::vector<u32> keys;
  i32 result;
};

TEST_F(MenuTest, PullDownNavigation) {
  const PullCase cases[] = {
      {KEY_ALT | 'f', {KEY_ENTER}, 0x000},
      {KEY_ALT | 'f', {KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_ENTER}, 0x003},  // over the separator to About
      {KEY_ALT | 'f', {KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_ENTER}, 0x003},  // stops at the last
      {KEY_ALT | 'f', {KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_UP, KEY_ENTER}, 0x002},
      {KEY_ALT | 'f', {KEY_UP, KEY_ENTER}, 0x000},
      {KEY_ALT | 'c', {KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_DOWN,
                       KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_ENTER},
       0x10C},  // AHCI MMIO after the separator
      {KEY_ALT | 'f', {KEY_RIGHT, KEY_DOWN, KEY_ENTER}, 0x101},
      {KEY_ALT | 'f', {KEY_LEFT, KEY_ENTER}, 0x000},
      {KEY_ALT | 's', {KEY_RIGHT, KEY_ENTER}, 0x500},  // the Quit title has no box
      {KEY_ALT | 's', {KEY_RIGHT, KEY_RIGHT, KEY_LEFT, KEY_DOWN, KEY_ENTER}, 0x401},
      {KEY_ALT | 'g', {KEY_ESC}, MENU_LEFT},
      {KEY_ALT | 't', {KEY_ALT | 'c', KEY_DOWN, KEY_ENTER}, 0x101},  // another menu's key moves there
  };
  for (const PullCase& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.key << " -> " << c.result);
    for (u32 k : c.keys) SimQueueKey(k);
    i32 result = 0;
    Run([&] { result = PullDownMenu(c.key, PullDownMenus); });
    EXPECT_EQ(result, c.result);
    EXPECT_FALSE(IsBoxOpen());
    EXPECT_EQ(Row(0), "File  Config  Go  Tools  System  Quit                 Northwinds Firmware, Inc. ");
    EXPECT_EQ(Attr(0, 0), 0x7C) << "title unmarked";
    EXPECT_EQ(Attr(33, 0), 0x7C);
  }
}

TEST_F(MenuTest, PullDownSitsUnderItsTitleWithTheBarOnTheFirstEntry) {
  Then(
      [] {
        EXPECT_EQ(Text(7, 1, 22), "PCI             <Alt 1");
        EXPECT_EQ(Text(6, 13, 24), std::string(24, '?')) << "separator of U+2500";
        EXPECT_EQ(Text(7, 14, 22), "AHCI MMIO      <Alt F5");
        EXPECT_EQ(Attr(6, 0), 0x2C) << "the title's background marked, its hot letter kept";
        EXPECT_EQ(Attr(8, 0), 0x20);
        EXPECT_EQ(Attr(7, 1), 0x21) << "selection bar";
        EXPECT_EQ(Attr(23, 1), 0x2C) << "the key hint keeps its colour inside the bar";
        EXPECT_EQ(Attr(7, 2), 0x70);
        EXPECT_EQ(Attr(23, 2), 0x7C);
        EXPECT_EQ(Attr(9, 16), 0x08) << "shadow under the last entry";
        EXPECT_EQ(Attr(31, 2), 0x08) << "shadow right of the face";
      },
      {KEY_DOWN});
  Then([] { EXPECT_EQ(Attr(7, 1), 0x70); EXPECT_EQ(Attr(7, 2), 0x21); }, {KEY_ESC});
  Run([] { PullDownMenu(KEY_ALT | 'c', PullDownMenus); });
}

TEST_F(MenuTest, KeyThatOpensNoMenuDrawsNothing) {
  auto before = Cells();
  Run([] { EXPECT_EQ(PullDownMenu(KEY_ALT | 'z', PullDownMenus), -1); });
  Run([] { EXPECT_EQ(PullDownMenu(0, PullDownMenus), -1); });
  EXPECT_EQ(Cells(), before);
}

TEST_F(MenuTest, QuitTitleRunsNoGlobalCommandWhileUp) {
  Keys({KEY_ALT | 's', KEY_RIGHT, KEY_CTRL | 's', KEY_ENTER});
  u32 sound = SoundEnabled;
  i32 result = 0;
  Run([&] { result = PullDownMenu(KEY_ALT | 's', PullDownMenus); });
  EXPECT_EQ(result, MENU_LEFT);
  EXPECT_NE(SoundEnabled, sound) << "Ctrl-S ran once, after the menu closed";
  SoundEnabled = sound;
}

static const char16_t* const TWELVE[] = {u"Twelve", u"c0", u"c1", u"c2", u"c3", u"c4", u"c5", u"c6",
                                         u"c7",     u"c8", u"c9", u"c10", u"c11", nullptr};

struct PickCase {
  i32 initial;
  std::vector<u32> keys;
  i32 result;
};

TEST_F(MenuTest, PickMenuKeys) {
  const PickCase cases[] = {
      {0, {'b'}, 11}, {0, {'B'}, 11},  {0, {'7'}, 7},         {3, {KEY_ENTER}, 3},
      {0, {KEY_UP, KEY_ENTER}, 11},    {11, {KEY_DOWN, KEY_ENTER}, 0},
      {5, {KEY_LEFT, KEY_LEFT, KEY_RIGHT, KEY_ENTER}, 4},  {0, {'c', 'z', KEY_F5, KEY_ESC}, -1},
  };
  for (const PickCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.initial << " -> " << c.result);
    for (u32 k : c.keys) SimQueueKey(k);
    i32 result = 0;
    Run([&] { result = PickMenu(TWELVE, c.initial); });
    EXPECT_EQ(result, c.result);
    EXPECT_FALSE(IsBoxOpen());
  }
}

TEST_F(MenuTest, PickMenuShowsKeyCharactersAndItsHint) {
  Then(
      [] {
        i32 left = PopupBox.left, top = PopupBox.top;
        EXPECT_EQ(Text(left + 1, top + 2, 6), "(0) c0");
        EXPECT_EQ(Text(left + 1, top + 12, 6), "(A) c1");
        EXPECT_EQ(Text(left + 1, top + 13, 7), "(B) c11");
        EXPECT_EQ(Attr(left + 1, top + 2), 0x5F);
        EXPECT_NE(Row(24).find("<Arrow> to move or <0-9>/<A-Z> to select"), std::string::npos);
      },
      {KEY_ESC});
  Run([] { PickMenu(TWELVE, 0); });
}

TEST_F(MenuTest, LongPickMenuIsLaidOutInColumns) {
  static const char16_t* names[42];
  static char16_t texts[40][8];
  names[0] = u"Many";
  for (int k = 0; k < 40; k++) {
    texts[k][0] = u'n';
    texts[k][1] = (char16_t)(u'0' + k / 10);
    texts[k][2] = (char16_t)(u'0' + k % 10);
    texts[k][3] = 0;
    names[k + 1] = texts[k];
  }
  names[41] = nullptr;
  Then(
      [] {
        // Longest entry 4: BoxLayout(7, 41) gives 7 columns of 10 cells, 6 choices each.
        i32 left = PopupBox.left, top = PopupBox.top;
        EXPECT_EQ(Text(left + 1, top + 2, 7), "(0) n00");
        EXPECT_EQ(Text(left + 1 + 9, top + 2, 7), "(6) n06");
        EXPECT_LE(top + 2 + 5, PopupBox.top + PopupBox.faceHeight - 1) << "every row on the face";
        EXPECT_LE(PopupBox.right, 79);
      },
      {KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_ENTER});
  i32 result = 0;
  Run([&] { result = PickMenu(names, 0); });
  EXPECT_EQ(result, 7) << "the arrows step through the choices one by one";
}

TEST_F(MenuTest, ColumnsNeverPutChoicesOnTheShadow) {
  for (int n = 18; n <= 45; n++) {
    std::vector<const char16_t*> lines = {u"T"};
    for (int k = 0; k < n; k++) lines.push_back(u"abc");
    lines.push_back(nullptr);
    i32 lastRow = 0;
    Then([&] { lastRow = PopupBox.top + PopupBox.faceHeight - 1; }, {KEY_ESC});
    Run([&] { PickMenu(lines.data(), 0); });
    i32 columns = 76 / 9;
    i32 perColumn = (n - 1) / (n + 3 > 20 ? columns : 1) + 1;
    EXPECT_LE(PopupBox.top + 2 + perColumn - 1, lastRow) << n << " choices";
  }
}
