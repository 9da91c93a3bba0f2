// The line editor: typing over a pre-filled field, the editing keys, scrolling, and the
// keys that end an edit.
#include "UiTestSupport.h"
#include "app/AccessType.h"
#include "app/MainLoop.h"
#include "platform/Keyboard.h"
#include "platform/Screen.h"
#include "ui/EditLine.h"

class EditLineTest : public UiTest {
 protected:
  // Edits `start` in a field at column 5 of row 10; returns the ending key.
  u32 Edit(const char16_t* start, i32 width, i32 caret, u32 upDownStay, std::initializer_list<u32> keys,
           const u32* endKeys = nullptr) {
    std::u16string initial(start);
    std::copy(initial.begin(), initial.end(), text);
    text[initial.size()] = 0;
    this->caret = caret;
    Keys(keys);
    u32 key = 0;
    Run([&] {
      ScrGotoXY(5, 10);
      key = EditLine(5, text, width, &this->caret, upDownStay, endKeys);
    });
    gSim->keys.clear();  // keys after the ending one are not the next edit's
    script.clear();
    return key;
  }
  char16_t text[80];
  i32 caret = 0;
};

TEST_F(EditLineTest, FirstKeyReplacesAPrefilledTextOnlyFromCaretZero) {
  EXPECT_EQ(Edit(u"0123456789", 20, 0, 0, {'A', KEY_ENTER}), (u32)KEY_ENTER);
  EXPECT_EQ(std::u16string(text), u"A");
  EXPECT_EQ(Text(5, 10, 20), "A" + std::string(19, ' '));
  Edit(u"0123456789", 20, 10, 0, {'A', KEY_ENTER});
  EXPECT_EQ(std::u16string(text), u"0123456789A");
  EXPECT_EQ(caret, 11);
}

struct KeyCase {
  const char16_t* start;
  i32 caret;
  std::vector<u32> keys;
  const char16_t* text;
  i32 caretAfter;
};

TEST_F(EditLineTest, EditingKeys) {
  const KeyCase cases[] = {
      {u"abc", 0, {KEY_BACKSPACE}, u"abc", 0},
      {u"abc", 3, {KEY_DELETE}, u"abc", 3},
      {u"abc", 3, {KEY_BACKSPACE}, u"ab", 2},
      {u"abc", 3, {KEY_LEFT, KEY_LEFT, KEY_DELETE}, u"ac", 1},
      {u"abc", 3, {KEY_HOME, KEY_DELETE, 'x'}, u"xbc", 1},
      {u"abc", 1, {KEY_END, 'd'}, u"abcd", 4},
      {u"abc", 3, {KEY_RIGHT}, u"abc", 3},
      {u"abc", 1, {KEY_LEFT, KEY_LEFT, KEY_LEFT}, u"abc", 0},
      {u"abc", 2, {KEY_CTRL | 'q'}, u"abqc", 3},  // a Ctrl letter types the letter
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(testing::Message() << std::string(c.start, c.start + 3) << " caret " << c.caret);
    std::vector<u32> keys = c.keys;
    keys.push_back(KEY_ENTER);
    std::u16string initial(c.start);
    std::copy(initial.begin(), initial.end(), text);
    text[initial.size()] = 0;
    caret = c.caret;
    for (u32 k : keys) SimQueueKey(k);
    Run([&] {
      ScrGotoXY(5, 10);
      EditLine(5, text, 20, &caret, 0);
    });
    EXPECT_EQ(std::u16string(text), std::u16string(c.text));
    EXPECT_EQ(caret, c.caretAfter);
  }
}

TEST_F(EditLineTest, TextNeverGrowsPast79Characters) {
  std::u16string full(79, u'x');
  Edit(full.c_str(), 70, 79, 0, {'y', KEY_ENTER});
  EXPECT_EQ(std::u16string(text), full);
}

TEST_F(EditLineTest, ViewScrollsOneStepWithTheCaret) {
  const char16_t* thirty = u"abcdefghijklmnopqrstuvwxyz0123";
  Edit(thirty, 20, 20, 0, {KEY_RIGHT, KEY_ENTER});
  EXPECT_EQ(caret, 21);
  EXPECT_EQ(Text(5, 10, 20), "bcdefghijklmnopqrstu");
}

TEST_F(EditLineTest, HomeAndEndScrollAtOnce) {
  const char16_t* thirty = u"abcdefghijklmnopqrstuvwxyz0123";
  Edit(thirty, 20, 1, 0, {KEY_END, KEY_ENTER});
  EXPECT_EQ(Text(5, 10, 20), "klmnopqrstuvwxyz0123");
  EXPECT_EQ(ScreenX, 5 + 20) << "the caret stands after the last character";
  Edit(thirty, 20, 1, 0, {KEY_END, KEY_HOME, KEY_ENTER});
  EXPECT_EQ(Text(5, 10, 20), "abcdefghijklmnopqrst");
}

TEST_F(EditLineTest, ShortenedTextLeavesNoCharacterBehind) {
  const char16_t* thirty = u"abcdefghijklmnopqrstuvwxyz0123";
  Edit(thirty, 20, 30, 0, {KEY_BACKSPACE, KEY_ENTER});
  EXPECT_EQ(Text(5, 10, 20), "klmnopqrstuvwxyz012 ");
}

TEST_F(EditLineTest, EscReturnsWithCaretZeroAndTextKept) {
  EXPECT_EQ(Edit(u"keep", 20, 2, 0, {'x', KEY_ESC}), (u32)KEY_ESC);
  EXPECT_EQ(std::u16string(text), u"kexep");
  EXPECT_EQ(caret, 0);
}

TEST_F(EditLineTest, UpDownAndControlKeysEndOnlyWithoutUpDownStay) {
  struct Case {
    u32 key;
    u32 upDownStay;
    bool ends;
  } cases[] = {{KEY_TAB, 0, true},  {KEY_TAB, 1, false}, {KEY_UP, 0, true},  {KEY_DOWN, 1, false},
               {KEY_F12, 0, true},  {KEY_F12, 1, false},  {KEY_INSERT, 0, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.key << " stay " << c.upDownStay);
    u32 key = Edit(u"ab", 20, 2, c.upDownStay, {c.key, KEY_ENTER});
    EXPECT_EQ(key, c.ends ? c.key : (u32)KEY_ENTER);
    EXPECT_EQ(std::u16string(text), u"ab");
  }
}

TEST_F(EditLineTest, BackquoteEndsOnlyWhenTheCommandLineOwnsTheRow) {
  EXPECT_EQ(Edit(u"", 20, 0, 0, {KEY_BACKQUOTE, KEY_ENTER}), (u32)KEY_ENTER);
  CommandAreaActive = 1;
  EXPECT_EQ(Edit(u"", 20, 0, 0, {KEY_BACKQUOTE, KEY_ENTER}), (u32)KEY_BACKQUOTE);
  CommandAreaActive = 0;
}

TEST_F(EditLineTest, CallerKeysEndTheEditInsteadOfTyping) {
  const u32 endKeys[] = {KEY_CTRL | 'a', KEY_CTRL | 'd', 0};
  EXPECT_EQ(Edit(u"ab", 20, 2, 0, {KEY_CTRL | 'd'}, endKeys), KEY_CTRL | 'd');
  EXPECT_EQ(std::u16string(text), u"ab");
  EXPECT_EQ(Edit(u"ab", 20, 2, 0, {KEY_CTRL | 'a'}, endKeys), KEY_CTRL | 'a');
}

TEST_F(EditLineTest, CursorShownDuringTheEditAndColumnKept) {
  Current->cursorColumn = 7;
  bool shown = false;
  Then([&] {
    shown = gSim->console.cursorVisible;
    Current->cursorColumn = 2;  // as a repaint might
  }, {'x', KEY_ENTER});
  Run([&] {
    ScrGotoXY(5, 10);
    EditLine(5, text, 20, &caret, 0);
  });
  EXPECT_TRUE(shown);
  EXPECT_FALSE(gSim->console.cursorVisible);
  EXPECT_EQ(Current->cursorColumn, 7);
}
