// The paged list and the command-list editor.
#include "UiTestSupport.h"
#include "app/MainLoop.h"
#include "platform/Keyboard.h"
#include "platform/Screen.h"
#include "spaces/SuperIoCommands.h"
#include "ui/ColorSet.h"
#include "ui/CommandListEditor.h"
#include "ui/PickMenu.h"
#include "ui/PopupBox.h"

#include <cstring>

static void StrCopy(char16_t* target, const char16_t* source) {
  while ((*target++ = *source++)) {
  }
}

static u32 sListRows;
static std::vector<std::pair<u32, u32>> sCalls;

// Draws "row N" lines in the list colour and reports sListRows rows.
static u32 TestRows(u32 first, u32 count) {
  sCalls.push_back({first, count});
  for (u32 i = 0; i < PAGED_LIST_ROWS; i++) {
    ScreenAttr = 0x1F;
    ScrGotoXY(0, PAGED_LIST_TOP + (i32)i);
    char16_t text[81];
    for (int x = 0; x < 80; x++) text[x] = u' ';
    text[80] = 0;
    if (i < count) {
      u32 n = first + i;
      text[0] = u'r';
      text[1] = (char16_t)(u'0' + n / 10);
      text[2] = (char16_t)(u'0' + n % 10);
    }
    ScrPutString(text);
  }
  return sListRows;
}

class ListTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    sCalls.clear();
    SetBytes(OpenConfigCommands, sizeof(CommandList));
    SetBytes(CloseConfigCommands, sizeof(CommandList));
  }
  static void SetBytes(void* p, size_t n) { memset(p, 0, n); }
  i32 List(u32 rows, std::initializer_list<u32> keys) {
    sListRows = rows;
    Keys(keys);
    i32 result = 0;
    Run([&] { result = PagedList(TestRows); });
    gSim->keys.clear();
    return result;
  }
};

struct ListCase {
  u32 rows;
  std::vector<u32> keys;
  i32 result;
};

TEST_F(ListTest, PagingKeys) {
  const ListCase cases[] = {
      {40, {KEY_PGDN, KEY_ENTER}, 19},
      {40, {KEY_PGDN, KEY_PGDN, KEY_ENTER}, 38},
      {40, {KEY_PGDN, KEY_PGDN, KEY_PGDN, KEY_ENTER}, 38},  // no page after the last
      {40, {KEY_PGDN, KEY_PGDN, KEY_END, KEY_ENTER}, 39},
      {40, {KEY_END, KEY_ENTER}, 18},
      {40, {KEY_END, KEY_HOME, KEY_ENTER}, 0},
      {40, {KEY_DOWN, KEY_DOWN, KEY_PGDN, KEY_ENTER}, 19},  // PgDn goes to the first row of the next page
      {40, {KEY_PGDN, KEY_DOWN, KEY_PGUP, KEY_ENTER}, 18},  // PgUp to the last row of the previous
      {40, {KEY_PGDN, KEY_UP, KEY_ENTER}, 18},
      {40, {KEY_UP, KEY_PGUP, KEY_ENTER}, 0},
      {3, {KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_ENTER}, 2},
      {3, {KEY_END, KEY_ENTER}, 2},
      {40, {KEY_DOWN, KEY_ESC}, -1},
      {40, {'x', KEY_F1, KEY_DOWN, KEY_ENTER}, 1},  // other keys are ignored
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rows << " rows -> " << c.result);
    sListRows = c.rows;
    for (u32 k : c.keys) SimQueueKey(k);
    i32 result = 0;
    Run([&] { result = PagedList(TestRows); });
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(BusyFlag, 0u);
  }
}

TEST_F(ListTest, CallbackGetsTheRowsOfEachPage) {
  List(40, {KEY_PGDN, KEY_PGDN, KEY_PGUP, KEY_ENTER});
  EXPECT_EQ(sCalls, (std::vector<std::pair<u32, u32>>{{0, 19}, {19, 19}, {38, 2}, {19, 19}}));
}

TEST_F(ListTest, EmptyListClosesAtOnce) {
  EXPECT_EQ(List(0, {}), -1);
  EXPECT_EQ(sCalls.size(), 1u);
}

TEST_F(ListTest, SelectionBarMovesAndGivesTheRowItsColourBack) {
  Then([] { EXPECT_EQ(Attr(0, 3), 0x21); EXPECT_EQ(Attr(79, 3), 0x21); EXPECT_EQ(Attr(0, 4), 0x1F); },
       {KEY_DOWN});
  Then([] { EXPECT_EQ(Attr(0, 3), 0x1F); EXPECT_EQ(Attr(79, 4), 0x21); }, {KEY_ESC});
  sListRows = 40;
  Run([] { PagedList(TestRows); });
}

TEST_F(ListTest, NoGlobalCommandRunsInTheList) {
  EXPECT_EQ(List(40, {KEY_ALT | 'x', KEY_F10, KEY_ENTER}), 0);
  EXPECT_FALSE(gSim->exited);
}

static std::u16string Line(const CommandList& list, int i) { return std::u16string(list[i]); }

TEST_F(ListTest, CommandListEditorTypesInsertsAndDeletes) {
  Keys({'a', 'b', KEY_ENTER, 'c', 'd', KEY_UP, KEY_ENTER, 'x', KEY_DOWN, KEY_CTRL | 'd', KEY_ESC});
  Run([] { CommandListEditor(u"Commands to Open Config", OpenConfigCommands); });
  EXPECT_EQ(Line(OpenConfigCommands, 0), u"ab");
  EXPECT_EQ(Line(OpenConfigCommands, 1), u"x");
  EXPECT_EQ(Line(OpenConfigCommands, 2), u"");
  EXPECT_FALSE(IsBoxOpen());
}

TEST_F(ListTest, CommandListEditorBoxAndHint) {
  StrCopy(OpenConfigCommands[0], u"out 2e,87");
  Then(
      [] {
        i32 left = PopupBox.left, top = PopupBox.top;
        EXPECT_EQ(left, 18);
        EXPECT_EQ(top, 6);
        EXPECT_EQ(Text(left, top, 43), std::string(9, ' ') + "Commands to Open Config" + std::string(11, ' '));
        EXPECT_EQ(Text(left + 2, top + 2, 9), "out 2e,87");
        EXPECT_EQ(Attr(left + 2, top + 2), 0x3F);
        EXPECT_NE(Row(24).find("<ESC> Exit  <Ctrl-D> Delete  <Ctrl-A> Clear all  <Arrows> Move"), std::string::npos);
      },
      {KEY_ESC});
  Run([] { CommandListEditor(u"Commands to Open Config", OpenConfigCommands); });
}

TEST_F(ListTest, DownOnAnEmptyLineStays) {
  Keys({KEY_DOWN, KEY_DOWN, 'q', KEY_ESC});
  Run([] { CommandListEditor(u"Commands to Open Config", OpenConfigCommands); });
  EXPECT_EQ(Line(OpenConfigCommands, 0), u"q");
  EXPECT_EQ(Line(OpenConfigCommands, 1), u"");
}

TEST_F(ListTest, CtrlAEmptiesBothLists) {
  StrCopy(OpenConfigCommands[0], u"open");
  StrCopy(CloseConfigCommands[0], u"close");
  StrCopy(CloseConfigCommands[7], u"more");
  Keys({KEY_CTRL | 'a', KEY_ESC});
  Run([] { CommandListEditor(u"Commands to Close Config", CloseConfigCommands); });
  CommandList empty{};
  EXPECT_EQ(memcmp(OpenConfigCommands, empty, sizeof(empty)), 0);
  EXPECT_EQ(memcmp(CloseConfigCommands, empty, sizeof(empty)), 0);
}

TEST_F(ListTest, LinesAreCutTo19CharactersWithoutTouchingTheNext) {
  StrCopy(OpenConfigCommands[1], u"next");
  std::vector<u32> keys;
  for (int i = 0; i < 30; i++) keys.push_back('k');
  for (u32 k : keys) SimQueueKey(k);
  Keys({KEY_ESC});
  Run([] { CommandListEditor(u"Commands to Open Config", OpenConfigCommands); });
  EXPECT_EQ(Line(OpenConfigCommands, 0), std::u16string(19, u'k'));
  EXPECT_EQ(Line(OpenConfigCommands, 1), u"next");
}

TEST_F(ListTest, FullListRefusesNewLinesAndTheLastLineStays) {
  for (int i = 0; i < 50; i++) StrCopy(OpenConfigCommands[i], i == 0 ? u"first" : u"line");
  std::vector<u32> keys = {KEY_ENTER};
  for (int i = 0; i < 60; i++) keys.push_back(KEY_DOWN);
  keys.push_back('z');
  keys.push_back(KEY_ESC);
  for (u32 k : keys) SimQueueKey(k);
  Run([] { CommandListEditor(u"Commands to Open Config", OpenConfigCommands); });
  EXPECT_EQ(Line(OpenConfigCommands, 0), u"first") << "Enter with 50 lines in use inserts nothing";
  EXPECT_EQ(Line(OpenConfigCommands, 1), u"line");
  // Down stops at the last line; typing there from caret 0 replaces it, as in every field.
  EXPECT_EQ(Line(OpenConfigCommands, 49), u"z");
  EXPECT_EQ(Line(OpenConfigCommands, 48), u"line");
}

TEST_F(ListTest, EnterOnTheLastEmptyLineWritesNothingPastTheList) {
  for (int i = 0; i < 49; i++) StrCopy(OpenConfigCommands[i], u"x");
  char16_t guard[COMMAND_LINE_CHARS];
  memcpy(guard, CloseConfigCommands[0], sizeof(guard));
  std::vector<u32> keys;
  for (int i = 0; i < 49; i++) keys.push_back(KEY_DOWN);
  keys.push_back(KEY_ENTER);
  keys.push_back('e');
  keys.push_back(KEY_ESC);
  for (u32 k : keys) SimQueueKey(k);
  Run([] { CommandListEditor(u"Commands to Open Config", OpenConfigCommands); });
  EXPECT_EQ(Line(OpenConfigCommands, 49), u"e");
  EXPECT_EQ(Line(OpenConfigCommands, 48), u"x");
}
