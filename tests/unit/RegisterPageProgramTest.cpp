// The register page as the whole program shows it on a small PCI Express machine: the walk
// with PgDn/PgUp, the window of an Express function and its pages, the header line.
#include "PageTestSupport.h"
#include "platform/Keyboard.h"
#include "platform/Screen.h"
#include "view/BitmapWindow.h"

#include <string>
#include <vector>

namespace {

const u32 NEUTRAL_KEY = KEY_F11;

class RegisterPageProgram : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    ScreenFree();  // the program allocates its own
    gSim->AddPciFunction(0, 0, 0, 0x8086, 0x29C0, 0, 0x060000).Set32(0x60, 0xB0000001);
    SimPciFunction& port = gSim->AddPciFunction(0, 0x1C, 0, 0x8086, 0x2940, 0x01, 0x060400);
    port.Set8(0x19, 1);
    port.Set8(0x1A, 1);
    SimPciFunction& nic = gSim->AddPciFunction(1, 0, 0, 0x8086, 0x10D3, 0, 0x020000);
    nic.Set8(0x06, 0x10);
    nic.Set8(0x34, 0x40);
    nic.Set8(0x40, 0x10);
    nic.Set8(0x305, 0xA5);
    gSim->ecamBase = 0xB0000000;
    gSim->ecamBuses = 2;
    BitmapEnabled = 0;  // the grid cells stay visible
  }
  void TearDown() override {}
  std::string Run(std::vector<u32> keys) {
    SimQueueKey(NEUTRAL_KEY);
    for (u32 key : keys) SimQueueKey(key);
    RunProgram();
    return ConsoleRow(23);
  }
};

TEST_F(RegisterPageProgram, StartsOnTheHostBridge) {
  EXPECT_EQ(Run({}).substr(0, 44), "Type:PCI   Bus 00   Device 00   Function 00 ");
  EXPECT_EQ(ConsoleRow(6).substr(1, 16), "  00 86 80 C0 29");
  EXPECT_EQ(gSim->console.Text(56, 9, 19), "VID:DID = 8086:29C0");
}

TEST_F(RegisterPageProgram, PgDnWalksToTheExpressFunctionAndWraps) {
  EXPECT_EQ(Run({KEY_PGDN}).substr(0, 44), "Type:PCI   Bus 00   Device 1C   Function 00 ");
  SimReset();
  SetUp();
  EXPECT_EQ(Run({KEY_PGDN, KEY_PGDN}).substr(0, 52), "Type:PCI Express   Bus 01   Device 00   Function 00 ");
  EXPECT_EQ(ConsoleRow(2).substr(0, 13), " PCI Express:");
  EXPECT_EQ(ConsoleRow(6).substr(1, 16), "0000 86 80 D3 10");
  SimReset();
  SetUp();
  EXPECT_EQ(Run({KEY_PGDN, KEY_PGDN, KEY_PGDN}).substr(0, 44), "Type:PCI   Bus 00   Device 00   Function 00 ");
  SimReset();
  SetUp();
  EXPECT_EQ(Run({KEY_PGUP}).substr(0, 52), "Type:PCI Express   Bus 01   Device 00   Function 00 ");
}

TEST_F(RegisterPageProgram, CtrlPgDnPagesTheExpressSpaceAndWrapsAfterPage15) {
  Run({KEY_PGUP, KEY_CTRL | KEY_PGDN, KEY_CTRL | KEY_PGDN, KEY_CTRL | KEY_PGDN});
  EXPECT_EQ(ConsoleRow(6).substr(1, 22), "0300 00 00 00 00 00 A5");
  SimReset();
  SetUp();
  Run({KEY_PGUP, KEY_CTRL | KEY_PGUP});  // back from page 0 stays on page 0
  EXPECT_EQ(ConsoleRow(6).substr(1, 4), "0000");
  SimReset();
  SetUp();
  std::vector<u32> keys = {KEY_PGUP};
  for (int i = 0; i < 15; i++) keys.push_back(KEY_CTRL | KEY_PGDN);
  Run(keys);
  EXPECT_EQ(ConsoleRow(6).substr(1, 4), "0F00");
  SimReset();
  SetUp();
  keys.push_back(KEY_CTRL | KEY_PGDN);
  Run(keys);
  EXPECT_EQ(ConsoleRow(6).substr(1, 4), "0000");
}

TEST_F(RegisterPageProgram, NoPciFunctionStartsOnIsa) {
  gSim->pci.clear();
  EXPECT_EQ(Run({}).substr(0, 26), "Type:ISA   Port 0000,0000 ");
}

}  // namespace

namespace {

// A root port (PCI Express) at 00:02.0 and the LPC bridge at 00:1F.0 next to the machine.
void AddPortAndBridge() {
  SimPciFunction& rootPort = gSim->AddPciFunction(0, 2, 0, 0x1B36, 0x000C, 0x01, 0x060400);
  rootPort.Set8(0x06, 0x10);
  rootPort.Set8(0x34, 0x40);
  rootPort.Set8(0x40, 0x10);
  gSim->AddPciFunction(0, 0x1F, 0, 0x8086, 0x2918, 0x80, 0x060100);
}

TEST_F(RegisterPageProgram, HeaderLineFollowsFromAnExpressPortToAPlainFunction) {
  BitmapEnabled = 0xFFFFFFFF;
  AddPortAndBridge();
  EXPECT_EQ(Run({KEY_PGDN}), "Type:PCI Express   Bus 00   Device 02   Function 00" + std::string(29, ' '));
  SimReset();
  SetUp();
  BitmapEnabled = 0xFFFFFFFF;
  AddPortAndBridge();
  EXPECT_EQ(Run({KEY_PGDN, KEY_PGDN}), "Type:PCI   Bus 00   Device 1C   Function 00" + std::string(37, ' '));
  SimReset();
  SetUp();
  BitmapEnabled = 0xFFFFFFFF;
  AddPortAndBridge();
  EXPECT_EQ(Run({KEY_PGDN, KEY_PGDN, KEY_PGDN}), "Type:PCI   Bus 00   Device 1F   Function 00" + std::string(37, ' '));
}

}  // namespace
