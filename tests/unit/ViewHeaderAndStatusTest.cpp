// The header line of every access type, the information line, the corner label and the
// right panel of the status area.
#include "PageTestSupport.h"
#include "app/AccessType.h"
#include "app/MainLoop.h"
#include "platform/Screen.h"
#include "platform/Timer.h"
#include "ui/ColorSet.h"
#include "view/Explanation.h"
#include "view/HeaderLine.h"
#include "view/PageGeometry.h"
#include "view/StatusArea.h"

#include <string>

namespace {

std::string Narrow(const char16_t* text) {
  std::string s;
  for (; *text; text++) s += (char)*text;
  return s;
}

struct HeaderCase {
  i32 type;
  AccessType record;  // type, bus, device, function, width, indexPort, dataPort, isaSet, pageBase ...
  i32 explanation;
  const char* text;
  std::array<i32, 3> columns;  // -1: left as it was
};

class HeaderLineCases : public PageTest, public ::testing::WithParamInterface<HeaderCase> {};

TEST_P(HeaderLineCases, TextAndFieldColumns) {
  const HeaderCase& c = GetParam();
  *Current = c.record;
  ExplanationOverride = c.explanation;
  HeaderFieldColumns[0] = HeaderFieldColumns[1] = HeaderFieldColumns[2] = -1;
  char16_t text[HEADER_LINE_CHARS];
  BuildHeaderLine(c.type, text);
  EXPECT_EQ(Narrow(text), c.text);
  for (int i = 0; i < 3; i++) EXPECT_EQ(HeaderFieldColumns[i], c.columns[i]) << i;
  for (int i = 0; i < 3; i++)
    if (c.columns[i] >= 0 && c.columns[i] < (i32)Narrow(text).size()) {
      EXPECT_TRUE(isxdigit(text[c.columns[i]])) << i;  // the digits of a parameter
    }
}

AccessType Record(i32 bus, i32 device, i32 function, i32 indexPort, i32 dataPort, i32 pageBase) {
  AccessType r{};
  r.bus = bus;
  r.device = device;
  r.function = function;
  r.width = 1;
  r.indexPort = indexPort;
  r.dataPort = dataPort;
  r.isaSet = -1;
  r.pageBase = pageBase;
  return r;
}

INSTANTIATE_TEST_SUITE_P(
    Types, HeaderLineCases,
    ::testing::Values(
        HeaderCase{ACCESS_PCI, Record(0, 0x1F, 3, 0, 0, 0), -1, "Type:PCI   Bus 00   Device 1F   Function 03", {15, 27, 41}},
        HeaderCase{ACCESS_PCI_EXPRESS, Record(0xA, 2, 7, 0, 0, 0), -1,
                   "Type:PCI Express   Bus 0A   Device 02   Function 07", {23, 35, 49}},
        HeaderCase{ACCESS_ISA, Record(0, 0, 0, 0x70, 0x71, 0), -1, "Type:ISA   Port 0070,0071", {16, 21, -1}},
        HeaderCase{ACCESS_INDEXED_PCI, Record(0, 0, 0, 0xE8, 0xEC, 0), -1, "Type:ATi   Reg# 00E8,00EC", {16, 21, -1}},
        HeaderCase{ACCESS_IO_SPACE, Record(0, 0, 0, 0xC000, 0, 0), -1, "Type:IO Space   Start C000", {22, -1, -1}},
        HeaderCase{ACCESS_MEMORY, Record(0, 0, 0, 0, 0, (i32)0xFEDC0000), -1, "Type:Memory    Address FEDC0000",
                   {23, -1, -1}},
        HeaderCase{ACCESS_MEMORY, Record(0, 0, 0, 0, 0, 0xC0000), 8, "Type:ROM       Address 000C0000", {23, -1, -1}},
        HeaderCase{ACCESS_MEMORY, Record(0, 0, 0, 0, 0, 0xC0000), 9, "Type:PnP ROM   Address 000C0000",
                   {23, -1, -1}},
        HeaderCase{ACCESS_IDE_IDENTIFY, Record(0, 0, 0, 0, 0, 0x100), -1, "Type:IDE-0  Offset: 0100", {-1, -1, -1}},
        HeaderCase{ACCESS_SMBUS, Record(0, 0, 0, 0, 0, 0), -1, "Type:SMBus    Base 0000   SlaveAddress 00",
                   {19, 39, 50}},
        HeaderCase{ACCESS_AHCI_MMIO, Record(0, 0, 0, 0, 0, (i32)0xFEBD1000), -1, "Type:AHCI MMIO   Address FEBD1000",
                   {-1, -1, -1}},
        HeaderCase{ACCESS_ACPI_TABLE, Record(0, 0, 0, 0, 0, 0), -1, "Type:ACPI table", {-1, -1, -1}}));

TEST_F(PageTest, HeaderLineIsPaintedOnRow23InEntry15AndBlankedToTheEnd) {
  ScreenAttr = ColorSet[4];
  ScrGotoXY(0, 23);
  ScrPutString(u"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx");
  Current->device = 2;
  PaintHeaderLine(ACCESS_PCI);
  EXPECT_EQ(gSim->console.RowText(23), std::string("Type:PCI   Bus 00   Device 02   Function 00") + std::string(37, ' '));
  for (int x : {0, 43, 79}) EXPECT_EQ(AttrAt(x, 23), ColorSet[15]) << x;
}

class StatusAreaTest : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    host = &gSim->AddPciFunction(0, 2, 0, 0x1B36, 0x0008, 0, 0x060000);  // a vendor without names
    host->Set8(0x08, 0x02);
    host->Set8(0x3C, 0x0B);
    host->Set8(0x3D, 0x01);
    host->Set32(0x10, 0xFEB80000);
    host->Set32(0x14, 0xC001);
    host->Set32(0x18, 0xFE00000C);  // a 64-bit BAR in slots 2 and 3
    host->Set32(0x1C, 0x00000001);
    host->Set32(0x30, 0xFFFE0000);
    Current->device = 2;
    ComputePageGeometry(true);
  }
  std::string PanelRow(int y) { return Shown(PANEL_COLUMN, y, 24); }
  SimPciFunction* host;
};

TEST_F(StatusAreaTest, EverythingOnAPciFunction) {
  PaintStatusArea(PAINT_EVERYTHING);
  EXPECT_EQ(Shown(0, 2, 80), "   Device: D2:F0   Host bridge" + std::string(50, ' '));
  EXPECT_EQ(PanelRow(5), "Refresh    : ON         ");
  EXPECT_EQ(PanelRow(6), "Sound      : OFF        ");
  EXPECT_EQ(PanelRow(7), "Data Width : 8 bits     ");
  EXPECT_EQ(PanelRow(8), std::string(24, ' '));
  EXPECT_EQ(PanelRow(9), "VID:DID = 1B36:0008     ");
  EXPECT_EQ(PanelRow(10), "Rev ID        : 02      ");
  EXPECT_EQ(PanelRow(11), "Int Line (IRQ): 0B      ");
  EXPECT_EQ(PanelRow(12), "Int Pin       : 01      ");
  EXPECT_EQ(PanelRow(13), "Mem: FEB80000           ");
  EXPECT_EQ(PanelRow(14), "IO : 0000C000           ");
  EXPECT_EQ(PanelRow(15), "M64b: 00000001FE00000C  ");
  EXPECT_EQ(PanelRow(16), "S64b:                   ");
  EXPECT_EQ(PanelRow(17), "IO : 00000000           ");  // the upper half decoded on its own line
  EXPECT_EQ(PanelRow(20), std::string(24, ' '));
  EXPECT_EQ(PanelRow(21), "ROM: FFFE0000           ");
  EXPECT_EQ(Shown(1, 5, 4), "  00");
  EXPECT_EQ(AttrAt(3, 5), ColorSet[6]);
  EXPECT_EQ(AttrAt(1, 5), ColorSet[18]);
}

TEST_F(StatusAreaTest, RefreshLabelAlternatesBetweenItsTwoAttributes) {
  PaintStatusArea(PAINT_REFRESH);
  u32 first = AttrAt(PANEL_COLUMN, 5);
  PaintStatusArea(PAINT_REFRESH);
  u32 second = AttrAt(PANEL_COLUMN, 5);
  EXPECT_NE(first, second);
  EXPECT_EQ(first ^ second, 0x08u);
  EXPECT_EQ(AttrAt(PANEL_COLUMN + 13, 5), ColorSet[18]);  // ON/OFF keeps its colour
  AutoRefresh = 0;
  PaintStatusArea(PAINT_REFRESH);
  EXPECT_EQ(PanelRow(5), "Refresh    : OFF        ");
  AutoRefresh = 1;
}

TEST_F(StatusAreaTest, AsciiColumnStopsEverythingButTheCornerAfterTheRefreshLine) {
  Current->viewFlags = VIEW_ASCII;
  ClearPanel(5);
  PaintStatusArea(PAINT_EVERYTHING);
  EXPECT_EQ(PanelRow(5), "Refresh    : ON         ");
  for (int y = 6; y <= 22; y++) EXPECT_EQ(PanelRow(y), std::string(24, ' ')) << y;
  Current->cursorRow = 1;
  PaintStatusArea(PAINT_CURSOR_OFFSET);
  EXPECT_EQ(Shown(1, 5, 4), "  10");
}

TEST_F(StatusAreaTest, BridgeUsesTheWholePanelWithoutSoundAndWidth) {
  SimPciFunction& bridge = gSim->AddPciFunction(0, 28, 0, 0x8086, 0x2940, 0x81, 0x060400);
  bridge.Set8(0x18, 0x00);
  bridge.Set8(0x19, 0x02);
  bridge.Set8(0x1A, 0x02);
  bridge.Set8(0x1C, 0xF0);  // I/O limit below its base
  bridge.Set8(0x1D, 0x00);
  bridge.Set16(0x20, 0xFE80);
  bridge.Set16(0x22, 0xFE90);
  bridge.Set16(0x24, 0xFFF1);
  bridge.Set16(0x26, 0x0001);
  Current->device = 28;
  PaintStatusArea(PAINT_EVERYTHING);
  EXPECT_EQ(PanelRow(5), "                        ");
  EXPECT_EQ(PanelRow(6), "VID:DID = 8086:2940     ");
  EXPECT_EQ(PanelRow(12), "Pri/Sec/Sub: 00/02/02   ");
  EXPECT_EQ(PanelRow(13), "I/O Range  : Not Used   ");
  EXPECT_EQ(PanelRow(14), "Mem Base   : FE800000   ");
  EXPECT_EQ(PanelRow(15), "Mem Limit  : FE9FFFFF   ");
  EXPECT_EQ(PanelRow(16), "Prefetchable Memory:    ");
  EXPECT_EQ(PanelRow(17), "             Not Used   ");
  EXPECT_EQ(PanelRow(18), "ROM  : 00000000         ");
}

TEST_F(StatusAreaTest, PanelNeverRunsIntoTheHeaderLine) {
  for (u32 slot = 0; slot < 6; slot++) host->Set32(0x10 + 4 * slot, 0xFE00000C);  // six 64-bit BARs
  ScreenAttr = ColorSet[15];
  ScrGotoXY(0, 23);
  ScrPutString(u"Type:PCI");
  PaintStatusArea(PAINT_SPACE_PANEL);
  EXPECT_EQ(Shown(0, 23, 8), "Type:PCI");
  EXPECT_EQ(Shown(PANEL_COLUMN, 23, 8), "        ");
}

struct InfoCase {
  i32 type, indexPort, isaSet, pageBase;
  std::string line;
};

class InfoLineCases : public PageTest, public ::testing::WithParamInterface<InfoCase> {};

TEST_P(InfoLineCases, LineOfTheAccessType) {
  const InfoCase& c = GetParam();
  ScreenAttr = ColorSet[4];
  ScrGotoXY(0, 2);
  ScrPutString(u"################################################################################");
  Current->type = c.type;
  Current->indexPort = c.indexPort;
  Current->isaSet = c.isaSet;
  Current->pageBase = c.pageBase;
  ComputePageGeometry(false);
  PaintStatusArea(PAINT_INFO_LINE);
  EXPECT_EQ(Shown(0, 2, 80), c.line);
}

std::string Padded(const char* start, const std::string& text, char rest = '#') {
  std::string line = start + text;
  return line + std::string(80 - line.size(), rest);
}

INSTANTIATE_TEST_SUITE_P(
    Types, InfoLineCases,
    ::testing::Values(InfoCase{ACCESS_ISA, 0x70, 0, 0, Padded("#  ", "Device: CMOS")},
                      InfoCase{ACCESS_ISA, 0x22, 1, 0, Padded("#  ", "Device: Cyrix CPU (586 class)")},
                      InfoCase{ACCESS_ISA, 0x70, -1, 0, Padded("#  ", "")},
                      InfoCase{ACCESS_IO_SPACE, 0xC000, -1, 0, Padded("#  ", "IO Space   Start:C000  End:C100")},
                      InfoCase{ACCESS_MEMORY, 0, -1, 0x1000, Padded("#  ", std::string(75, ' '))},
                      InfoCase{ACCESS_INDEXED_PCI, 0, -1, 0, Padded("#  ", std::string(75, ' '))}));

TEST_F(PageTest, ExpressFunctionShowsPciExpressFromColumn1OnItsFirstPageOnly) {
  SimPciFunction& f = gSim->AddPciFunction(1, 0, 0, 0x1B36, 0x10D3, 0, 0x020000);
  f.Set8(0x06, 0x10);
  f.Set8(0x34, 0x40);
  f.Set8(0x40, 0x10);
  gSim->ecamBase = 0xB0000000;
  gSim->ecamBuses = 2;
  Current->bus = 1;
  Current->type = ACCESS_PCI_EXPRESS;
  Current->objectBase = Current->pageBase = (i32)0xB0100000;
  ComputePageGeometry(false);
  PaintStatusArea(PAINT_INFO_LINE | PAINT_CURSOR_OFFSET);
  EXPECT_EQ(Shown(0, 2, 80), Padded(" ", "PCI Express: D0:F0   Ethernet controller", ' '));
  EXPECT_EQ(Shown(1, 5, 4), "0000");
  StepPage(0x100);
  Current->cursorRow = 2;
  ScrGotoXY(0, 2);
  ScrPutString(u"################################################################################");
  PaintStatusArea(PAINT_INFO_LINE | PAINT_CURSOR_OFFSET);
  EXPECT_EQ(Shown(0, 2, 80), std::string(80, '#'));  // nothing written past page 0
  EXPECT_EQ(Shown(1, 5, 4), "0120");
}

}  // namespace
