// The PCI device list: its rows (names, IDs, position, the PCI Express mark and colours),
// the walk modes, the row callback of the paged list, and F6 opening the chosen function.
#include "PageTestSupport.h"
#include "UiTestSupport.h"
#include "app/AccessType.h"
#include "app/MainLoop.h"
#include "platform/Keyboard.h"
#include "platform/Screen.h"
#include "spaces/Pci.h"
#include "spaces/PciList.h"
#include "ui/ColorSet.h"
#include "view/PageGeometry.h"

#include <cstring>
#include <string>

namespace {

void MarkExpress(SimPciFunction& f) {
  f.Set8(0x06, 0x10);  // capability list
  f.Set8(0x34, 0x40);
  f.Set8(0x40, 0x10);  // PCI Express
  f.Set8(0x41, 0x00);
}

class PciListTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ResetPageState();
    IchIdePresent = 0;
  }
  // Host bridge, an Express NIC behind bus 1, the LPC bridge, and an 82801AA IDE function.
  void AddMachine() {
    gSim->AddPciFunction(0, 0, 0, 0x8086, 0x29C0, 0x00, 0x060000);
    gSim->AddPciFunction(0, 0x1F, 0, 0x8086, 0x2918, 0x80, 0x060100);
    gSim->AddPciFunction(0, 0x1F, 1, 0x8086, 0x2411, 0x00, 0x01018A);
    MarkExpress(gSim->AddPciFunction(1, 0, 0, 0x8086, 0x10D3, 0x00, 0x020000));
  }
};

struct RowCase {
  int row;
  const char* position;  // the last three columns
  const char* ids;
  u32 colour;            // colour-set entry
};

TEST_F(PciListTest, RowsShowNameIdsAndPositionInWalkOrder) {
  AddMachine();
  Current->bus = 1;  // the list starts at 00:00.0 wherever the view is
  EXPECT_EQ(PciDeviceList(0, 0), 4u);
  EXPECT_EQ(Row(2), "Name                                             Vendor  Device   Bus# Dev# Fun#");
  EXPECT_EQ(Attr(0, 2), ColorSet[27]);
  const RowCase rows[] = {
      {3, "00   00   00", "8086    29C0", 28},
      {4, "00   1F   00", "8086    2918", 28},
      {5, "00   1F   01", "8086    2411", 28},
      {6, "01   00   00", "8086    10D3", 30},
  };
  for (const RowCase& r : rows) {
    SCOPED_TRACE(r.row);
    std::string row = Row(r.row);
    EXPECT_EQ(row.substr(49, 12), r.ids);
    EXPECT_EQ(row.substr(67, 12), r.position);
    EXPECT_EQ(Attr(0, r.row), ColorSet[r.colour]);
  }
  EXPECT_EQ(Row(3).substr(0, 14), "D0:F0   Intel ");
  EXPECT_EQ(Row(5).substr(0, 14), "D31:F1  Intel ");
  EXPECT_EQ(Current->bus, 1) << "the position comes back";
  EXPECT_EQ(Current->type, ACCESS_PCI);
  EXPECT_TRUE(IchIdePresent);
  EXPECT_EQ(IchIdePosition.device, 0x1F);
  EXPECT_EQ(IchIdePosition.function, 1);
}

TEST_F(PciListTest, ExpressMarkStaysWholeAtTheEndOfTheNameColumn) {
  AddMachine();
  PciDeviceList(0, 0);
  std::string name = Row(6).substr(0, 46);
  EXPECT_EQ(name.rfind("(PCI Express)"), name.find("(PCI Express)"));
  std::string trimmed = name.substr(0, name.find_last_not_of(' ') + 1);
  EXPECT_EQ(trimmed.substr(trimmed.size() - 13), "(PCI Express)") << name;
  EXPECT_EQ(Row(3).find("(PCI Express)"), std::string::npos);
}

TEST_F(PciListTest, LongExpressNameGivesWayToTheMark) {
  // An unknown vendor and the longest class name: 8 + 46 characters before the mark.
  MarkExpress(gSim->AddPciFunction(0, 0, 0, 0xABCD, 0x0001, 0x00, 0x060980));
  PciDeviceList(0, 0);
  std::string row = Row(3);
  EXPECT_EQ(row.substr(0, 33), "D0:F0   Semi-transparent PCI-to-P");
  EXPECT_EQ(row.substr(33, 13), "(PCI Express)") << row;
  EXPECT_EQ(row.substr(46, 7), "   ABCD");
}

TEST_F(PciListTest, CountModeDrawsNothingAndProgressModeShowsEachFunction) {
  AddMachine();
  FillScreen();
  auto before = Cells();
  EXPECT_EQ(PciDeviceList(PCI_LIST_NO_ROWS, 0), 4u);
  EXPECT_TRUE(before == Cells());
  ScrGotoXY(10, 12);
  EXPECT_EQ(PciDeviceList(PCI_LIST_NO_ROWS | PCI_LIST_PROGRESS, 0), 4u);
  EXPECT_EQ(Row(12).substr(10, 30), "Bus 01, Device 00, Function 00") << "the last function visited";
}

TEST_F(PciListTest, RowCallbackDrawsAPageFromItsFirstRowAndReturnsTheTotal) {
  AddMachine();
  FillScreen();
  EXPECT_EQ(PciListRows(2, 2), 4u);
  EXPECT_EQ(Row(3).substr(67, 12), "00   1F   01");
  EXPECT_EQ(Row(4).substr(67, 12), "01   00   00");
  EXPECT_EQ(Row(5), std::string(80, ' ')) << "rows of an earlier page do not stay";
  EXPECT_EQ(Row(22), std::string(80, ' '));
}

TEST_F(PciListTest, ListCountsFromTheFirstPresentFunction) {
  gSim->AddPciFunction(0, 2, 0, 0x8086, 0x1111);
  gSim->AddPciFunction(0, 3, 0, 0x8086, 0x2222);
  PciGotoListRow(0);
  EXPECT_EQ(Current->device, 2);
  PciGotoListRow(1);
  EXPECT_EQ(Current->device, 3);
  EXPECT_EQ(PciListRows(1, 1), 2u);
  EXPECT_EQ(Row(3).substr(49, 12), "8086    2222");
}

TEST_F(PciListTest, F6OpensTheChosenFunctionInANewHistoryEntry) {
  AddMachine();
  Current->cursorRow = 5;
  Then([] { EXPECT_EQ(Row(6).substr(67, 12), "01   00   00"); }, {KEY_DOWN, KEY_DOWN, KEY_ENTER});
  Run([] { DispatchKey(KEY_F6, nullptr); });
  EXPECT_EQ(AccessHistory.count, 2);
  EXPECT_EQ(Current->bus, 0);
  EXPECT_EQ(Current->device, 0x1F);
  EXPECT_EQ(Current->function, 1);
  EXPECT_EQ(Current->type, ACCESS_PCI);
  EXPECT_EQ(CursorOffset(), 0u);
  EXPECT_EQ(Row(23).substr(0, 43), "Type:PCI   Bus 00   Device 1F   Function 01");
}

TEST_F(PciListTest, EscLeavesTheHistoryAsItWas) {
  AddMachine();
  Current->device = 0x1F;
  AccessHistoryRing saved = AccessHistory;
  Keys({KEY_DOWN, KEY_ESC});
  Run([] { PciSelectFromList(); });
  EXPECT_EQ(std::memcmp(&saved, &AccessHistory, sizeof saved), 0);
}

TEST_F(PciListTest, ToolsMenuEntryOpensTheList) {
  AddMachine();
  Keys({KEY_END, KEY_ENTER});
  Run([] { RunMenuCommand(0x300); });
  EXPECT_EQ(Current->bus, 1);
  EXPECT_EQ(AccessHistory.count, 2);
}

}  // namespace
