// The status line: drawing, the flash, the rotation through the hints, and the flags
// that keep it alone.
#include "UiTestSupport.h"
#include "app/AccessType.h"
#include "app/MainLoop.h"
#include "platform/Firmware.h"
#include "platform/Screen.h"
#include "ui/StatusLine.h"

class StatusLineTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ScreenAttr = 0x07;
    ScrGotoXY(79, 24);
    ScrPutChar(u'Q');
  }
  void After(u32 ticks) {
    gFwTickCount += ticks;
    StatusLine(nullptr, 0);
  }
  static std::string Shown() { return Text(0, 24, 70); }
  static std::string Padded(const std::string& text) { return text + std::string(70 - text.size(), ' '); }
};

TEST_F(StatusLineTest, NewHintIsDrawnAtOnceAndFlashesThreeTimes) {
  StatusLine(u"Press any key to continue.", STATUS_SET);
  EXPECT_EQ(Shown(), Padded("Press any key to continue."));
  EXPECT_EQ(ScrCellAttr(0, 24), 0x70u);
  std::vector<bool> flashed;
  for (int step = 0; step < 8; step++) {
    u32 before = ScrCellAttr(30, 24);
    After(1);
    EXPECT_EQ(ScrCellAttr(30, 24), before) << "steps are at least 2 ticks apart";
    After(1);
    u32 attribute = ScrCellAttr(30, 24);
    EXPECT_EQ(ScrCellAttr(0, 24), attribute) << "the whole line takes the colour";
    EXPECT_EQ(ScrCellAttr(78, 24), attribute);
    bool random = attribute >= 0x80;  // random colours always have a bright background
    if (!random) {
      EXPECT_EQ(attribute, 0x70u) << step;
    }
    flashed.push_back(random);
  }
  EXPECT_EQ(flashed, (std::vector<bool>{true, false, true, false, true, false, false, false}));
  EXPECT_EQ(ScrCellChar(79, 24), u'Q') << "column 79 is never written";
}

TEST_F(StatusLineTest, CompareModeFlashesOnTheCompareBackground) {
  CompareActive = 1;
  StatusLine(u"hint", STATUS_SET);
  After(2);
  After(2);
  EXPECT_EQ(ScrCellAttr(0, 24), 0x40u);
  CompareActive = 0;
}

TEST_F(StatusLineTest, AccessTypeHintsRotateWithTheCommonOnes) {
  Current->type = ACCESS_PCI;
  StatusLine(nullptr, STATUS_SET);
  const char* expected[] = {"<PgDn>/<PgUp> Next/Prev PCI", "<Space> to toggle binary bitmap window",
                            "<0-9,A-F> Value, <Arrows> Move, <ESC> Cancel",
                            "<TAB>/<SHIFT-TAB> Next/Prev group of registers", "<PgDn>/<PgUp> Next/Prev PCI"};
  EXPECT_EQ(Shown(), Padded(expected[0]));
  for (int i = 1; i < 5; i++) {
    After(108);
    EXPECT_EQ(Shown(), Padded(expected[i - 1])) << "an entry stays for 109 ticks";
    After(1);
    EXPECT_EQ(Shown(), Padded(expected[i]));
  }
}

TEST_F(StatusLineTest, HintListsOfTheAccessTypes) {
  struct Case {
    i32 type;
    size_t count;
    const char16_t* first;
  } cases[] = {{ACCESS_PCI, 1, u"<PgDn>/<PgUp> Next/Prev PCI"},
               {ACCESS_ISA, 0, nullptr},
               {ACCESS_IO_SPACE, 0, nullptr},
               {ACCESS_IDE_IDENTIFY, 1, u"<PgDn>/<PgUp> Another 100h bytes."},
               {ACCESS_MEMORY, 2, u"<PgDn>/<PgUp> +/- 100h bytes"},
               {ACCESS_CPU_MSR, 2, u"<PgDn>/<PgUp> Next/Prev page"},
               {ACCESS_SMBIOS, 1, u"<PgDn>/<PgUp> Next/Prev SMBIOS Handle"},
               {ACCESS_SMBUS, 0, nullptr},
               {ACCESS_PCI_EXPRESS, 2, u"<PgDn>/<PgUp> Next/Prev PCI"},
               {ACCESS_UEFI_VARIABLE, 3, u"<PgDn>/<PgUp> Next/Prev UEFI variable"},
               {ACCESS_ACPI_TABLE, 1, u"<PgDn>/<PgUp> Next/Prev ACPI table"}};
  for (const Case& c : cases) {
    const char16_t* const* hints = AccessTypeHints(c.type);
    size_t count = 0;
    while (hints[count]) count++;
    EXPECT_EQ(count, c.count) << c.type;
    if (c.first) {
      EXPECT_EQ(std::u16string(hints[0]), std::u16string(c.first)) << c.type;
    }
  }
}

TEST_F(StatusLineTest, BuildingTheListAloneDrawsNothing) {
  StatusLine(u"first", STATUS_SET);
  StatusLine(u"second", STATUS_BUILD_LIST);
  EXPECT_EQ(Shown(), Padded("first"));
  After(109);
  EXPECT_EQ(Shown(), Padded("second"));
}

TEST_F(StatusLineTest, CommandLineKeepsTheRowAndTheList) {
  StatusLine(u"first", STATUS_SET);
  CommandAreaActive = 1;
  StatusLine(u"second", STATUS_SET);
  After(200);
  EXPECT_EQ(Shown(), Padded("first"));
  CommandAreaActive = 0;
  After(109);
  EXPECT_EQ(Shown(), Padded("first"));
}

TEST_F(StatusLineTest, ClearBlanksTheLineAndRedrawsTheClock) {
  gSim->time = {9, 8, 7};
  StatusLine(u"some hint that is long enough to reach far", STATUS_SET);
  StatusClear(0);
  EXPECT_EQ(Text(0, 24, 79), std::string(71, ' ') + "09:08:07");
  StatusClear(1);
  EXPECT_EQ(Text(0, 24, 79), std::string(71, ' ') + "09:08:07");
  EXPECT_EQ(Attr(5, 24), 0x70);
  EXPECT_EQ(ScrCellChar(79, 24), u'Q');
}
