// The register page: geometry and clamping of every access type, column headers, row
// labels and value colours, the bit map window, and Ctrl-G.
#include "PageTestSupport.h"
#include "app/AccessType.h"
#include "app/MainLoop.h"
#include "app/RegisterAccess.h"
#include "platform/Screen.h"
#include "spaces/Msr.h"
#include "ui/ColorSet.h"
#include "ui/PopupBox.h"
#include "view/BitmapWindow.h"
#include "view/FollowPointer.h"
#include "view/Grid.h"
#include "view/PageGeometry.h"

#include <string>

namespace {

std::string Narrow(const char16_t* text) {
  std::string s;
  for (; *text; text++) s += (char)*text;
  return s;
}

struct GeometryCase {
  i32 type, objectBase, pageBase;
  u32 pageCount, spaceEnd, addressUnit, bytesPerRow, pageBytes;
  i32 gridLeft, infoColumn;
};

class GeometryCases : public PageTest, public ::testing::WithParamInterface<GeometryCase> {};

TEST_P(GeometryCases, PerAccessType) {
  const GeometryCase& c = GetParam();
  MsrTableRows = 20;
  Current->type = c.type;
  Current->objectBase = c.objectBase;
  Current->pageBase = c.pageBase;
  ComputePageGeometry(false);
  EXPECT_EQ(PageGeometry.pageCount, c.pageCount);
  EXPECT_EQ(PageGeometry.spaceEnd, c.spaceEnd);
  EXPECT_EQ(PageGeometry.addressUnit, c.addressUnit);
  EXPECT_EQ(PageGeometry.bytesPerRow, c.bytesPerRow);
  EXPECT_EQ(PageGeometry.pageBytes, c.pageBytes);
  EXPECT_EQ(PageGeometry.gridLeft, c.gridLeft);
  EXPECT_EQ(PageGeometry.infoColumn, c.infoColumn);
  MsrTableRows = 0;
}

INSTANTIATE_TEST_SUITE_P(
    Types, GeometryCases,
    ::testing::Values(GeometryCase{ACCESS_PCI, 0, 0, 1, 0xFF, 1, 16, 256, 6, 3},
                      GeometryCase{ACCESS_PCI_EXPRESS, (i32)0xB0100000, (i32)0xB0100000, 16, 0xB0100FFF, 1, 16, 256, 6, 1},
                      GeometryCase{ACCESS_ISA, 0, 0, 1, 0xFF, 1, 16, 256, 6, 3},
                      GeometryCase{ACCESS_IO_SPACE, 0, 0, 1, 0xFF, 1, 16, 256, 6, 3},
                      GeometryCase{ACCESS_IDE_IDENTIFY, 0, 0x100, 2, 511, 1, 16, 256, 6, 3},
                      GeometryCase{ACCESS_MEMORY, 0, (i32)0xFFFFFF00, 1, 0xFFFFFFFF, 1, 16, 256, 6, 3},
                      GeometryCase{ACCESS_CPU_MSR, 0, 128, 2, 159, 8, 8, 32, 29, 3},
                      GeometryCase{ACCESS_INDEXED_PCI, 0, 0, 4, 0x3FF, 4, 16, 256, 6, 3},
                      GeometryCase{ACCESS_AHCI_MMIO, (i32)0xFEBD1000, (i32)0xFEBD1100, 17, 0xFEBD1100 + 17 * 256 - 1, 1,
                                   16, 256, 6, 3}));

TEST_F(PageTest, StepPageWrapsForwardAndStopsBackwardOnBoundedSpaces) {
  Current->type = ACCESS_IDE_IDENTIFY;
  ComputePageGeometry(true);
  EXPECT_TRUE(StepPage(256));
  EXPECT_EQ(Current->pageBase, 256);
  EXPECT_FALSE(StepPage(256));  // past the end: back to the first page
  EXPECT_EQ(Current->pageBase, 0);
  StepPage(-256);
  EXPECT_EQ(Current->pageBase, 0);  // before the start: the first page
  Current->type = ACCESS_MEMORY;
  ComputePageGeometry(true);
  EXPECT_TRUE(StepPage(-256));
  EXPECT_EQ((u32)Current->pageBase, 0xFFFFFF00u);
}

TEST_F(PageTest, ShortLastPageKeepsTheCursorOnIt) {
  MsrTableRows = 20;
  Current->type = ACCESS_CPU_MSR;
  Current->cursorRow = 9;
  ComputePageGeometry(true);
  StepPage(128);
  EXPECT_EQ(PageGeometry.pageBytes, 32u);
  EXPECT_EQ(PageGeometry.rowsOnPage, 4);
  EXPECT_EQ(PageGeometry.lastInPage, 31u);
  EXPECT_EQ(Current->cursorRow, 0);
  MsrTableRows = 0;
}

struct HeaderRowCase {
  i32 width;
  std::string row5;  // columns 5 .. 54
};

class ColumnHeaderCases : public PageTest, public ::testing::WithParamInterface<HeaderRowCase> {};

TEST_P(ColumnHeaderCases, DigitsStandAboveTheCells) {
  Current->width = GetParam().width;
  ComputePageGeometry(true);
  PaintGridFrame(true);
  EXPECT_EQ(Shown(5, 5, 50), GetParam().row5);
  EXPECT_EQ(GridLastColumn, 5 + (i32)GetParam().row5.find_last_not_of(' '));
}

INSTANTIATE_TEST_SUITE_P(
    Widths, ColumnHeaderCases,
    ::testing::Values(HeaderRowCase{1, " 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F  "},
                      HeaderRowCase{2, " 0100 0302 0504 0706 0908 0B0A 0D0C 0F0E          "},
                      HeaderRowCase{4, " 03020100 07060504 0B0A0908 0F0E0D0C              "}));

TEST_F(PageTest, RowLabelsOfOneAndOfManyPages) {
  ComputePageGeometry(true);
  PaintGridFrame(true);
  EXPECT_EQ(Shown(1, 6, 4), "  00");
  EXPECT_EQ(Shown(1, 21, 4), "  F0");
  Current->type = ACCESS_INDEXED_PCI;
  ComputePageGeometry(true);
  StepPage(256);
  PaintGridFrame(true);
  EXPECT_EQ(Shown(1, 6, 4), "0040");
  EXPECT_EQ(Shown(1, 7, 4), "0044");
  EXPECT_EQ(GridLastRow, 21);
}

struct ColorCase {
  i32 width;
  u32 value, entry;
};

class ValueColorCases : public PageTest, public ::testing::WithParamInterface<ColorCase> {};

TEST_P(ValueColorCases, ZeroAllOnesOrOrdinary) {
  Current->width = GetParam().width;
  EXPECT_EQ(ValueColor(0, GetParam().value), GetParam().entry);
  EXPECT_EQ(ScreenAttr, ColorSet[GetParam().entry]);
}

INSTANTIATE_TEST_SUITE_P(Values, ValueColorCases,
                         ::testing::Values(ColorCase{1, 0, 24}, ColorCase{1, 0xFF, 25}, ColorCase{1, 0x7F, 4},
                                           ColorCase{2, 0, 24}, ColorCase{2, 0xFFFF, 25}, ColorCase{2, 0xFF00, 4},
                                           ColorCase{4, 0, 24}, ColorCase{4, 0xFFFFFFFF, 25},
                                           ColorCase{4, 0xFFFF, 4}));

struct BitsCase {
  u32 value, width;
  const char* bits;
};

class BitmapLineCases : public PageTest, public ::testing::WithParamInterface<BitsCase> {};

TEST_P(BitmapLineCases, EachByteRightAlignedInItsGroup) {
  char16_t lines[3][BITMAP_LINE_CHARS + 1];
  BuildBitmapLines(GetParam().value, GetParam().width, lines);
  EXPECT_EQ(Narrow(lines[0]), GetParam().bits);
  EXPECT_EQ(Narrow(lines[1]), "|  |   |    |   |    |   |    |   | ");
  EXPECT_EQ(Narrow(lines[2]), "31 28 24   20  16   12   8    4   0 ");
}

INSTANTIATE_TEST_SUITE_P(Values, BitmapLineCases,
                         ::testing::Values(BitsCase{0x05, 1, "00000000 00000000 00000000 00000101 "},
                                           BitsCase{0x8001, 2, "00000000 00000000 10000000 00000001 "},
                                           BitsCase{0xFFFFFFFF, 4, "11111111 11111111 11111111 11111111 "},
                                           BitsCase{0, 4, "00000000 00000000 00000000 00000000 "},
                                           BitsCase{0x12345678, 4, "00010010 00110100 01010110 01111000 "}));

struct PlaceCase {
  i32 x, y;
  u32 width;
  BitmapPlacement box;
};

class BitmapPlaceCases : public PageTest, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(BitmapPlaceCases, UnderTheCursorAboveItNearTheBottomAndInsideColumn78) {
  const PlaceCase& c = GetParam();
  BitmapPlacement box = PlaceBitmapWindow(c.x, c.y, c.width);
  EXPECT_EQ(box.left, c.box.left);
  EXPECT_EQ(box.top, c.box.top);
  EXPECT_EQ(box.right, c.box.right);
  EXPECT_EQ(box.bottom, c.box.bottom);
}

INSTANTIATE_TEST_SUITE_P(Cells, BitmapPlaceCases,
                         ::testing::Values(PlaceCase{9, 9, 1, {9, 10, 18, 11}}, PlaceCase{6, 9, 2, {6, 10, 24, 13}},
                                           PlaceCase{6, 21, 4, {6, 17, 42, 20}}, PlaceCase{6, 20, 2, {6, 16, 24, 19}},
                                           PlaceCase{6, 21, 1, {6, 22, 15, 23}},  // one row still fits below
                                           PlaceCase{51, 6, 4, {42, 7, 78, 10}}));

class PageOnMachineTest : public PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    f = &gSim->AddPciFunction(0, 3, 0, 0x8086, 0x10D3, 0, 0x020000);
    Current->device = 3;
    ActivateAccessType(ACTIVATE_RESET_BASES);
  }
  SimPciFunction* f;
};

TEST_F(PageOnMachineTest, BitmapWindowShowsTheBitsUnderTheCursorAndPausesTheRefresh) {
  f->Set8(0x35, 0x05);
  Current->cursorRow = 3;
  Current->cursorColumn = 5;
  UpdateBitmapWindow();
  ASSERT_TRUE(BitmapWindowVisible());
  i32 x = 6 + 5 * 3;
  EXPECT_EQ(Shown(x, 10, 8), "00000101");
  EXPECT_EQ(AttrAt(x, 10), ColorSet[32]);
  // The page under the box is not repainted while it is shown, except into its background.
  f->Set8(0x45, 0x77);
  RepaintValues(REPAINT_FORCE);
  EXPECT_EQ(Shown(x, 10, 8), "00000101");
  CloseBitmapWindow();
  EXPECT_FALSE(BitmapWindowVisible());
  EXPECT_EQ(Shown(x, 10, 2), "00");  // the cell as it was painted before the box opened
  RepaintValues(REPAINT_FORCE);
  EXPECT_EQ(Shown(x, 10, 2), "77");
}

TEST_F(PageOnMachineTest, BitmapWindowOfA32BitCellOnTheLastRowStandsAboveIt) {
  Current->width = 4;
  Current->cursorRow = 15;
  f->Set32(0xF0, 0x8001);
  std::string gridRow19 = Shown(6, 19, 35);
  UpdateBitmapWindow();
  EXPECT_EQ(Shown(6, 17, 35), "00000000 00000000 10000000 00000001");
  EXPECT_EQ(Shown(6, 18, 35), "|  |   |    |   |    |   |    |   |");
  EXPECT_EQ(Shown(6, 19, 35), "31 28 24   20  16   12   8    4   0");
  EXPECT_EQ(PopupBox.bottom, 20);
  BitmapEnabled = 0;
  UpdateBitmapWindow();
  EXPECT_FALSE(BitmapWindowVisible());
  EXPECT_EQ(Shown(6, 19, 35), gridRow19);  // the grid row under it is back
}

TEST_F(PageOnMachineTest, FollowIoBarOpensIoSpaceAtItsPort) {
  f->Set32(0x14, 0xE001);
  Current->cursorRow = 1;
  Current->cursorColumn = 6;  // offset 16h, inside the BAR at 14h
  FollowPointer();
  EXPECT_EQ(Current->type, ACCESS_IO_SPACE);
  EXPECT_EQ(Current->indexPort, 0xE000);
  EXPECT_EQ(AccessHistory.count, 2);
  EXPECT_EQ(CursorOffset(), 0u);
}

TEST_F(PageOnMachineTest, FollowMemoryBarOpensMemoryWithTheAsciiColumn) {
  f->Set32(0x10, 0xFEB8000C);
  Current->cursorRow = 1;
  FollowPointer();
  EXPECT_EQ(Current->type, ACCESS_MEMORY);
  EXPECT_EQ((u32)Current->pageBase, 0xFEB8000Cu);
  EXPECT_TRUE(Current->viewFlags & VIEW_ASCII);
  EXPECT_EQ(AccessHistory.records[0].type, ACCESS_PCI);  // the PCI view stays in the history
}

struct RomCase {
  u32 rom;
  bool opens;
};

class FollowRomCases : public PageOnMachineTest, public ::testing::WithParamInterface<RomCase> {};

TEST_P(FollowRomCases, EnablesAndOpensOnlyAnAssignedRom) {
  f->Set32(0x30, GetParam().rom);
  Current->cursorRow = 3;  // offset 30h
  FollowPointer();
  if (GetParam().opens) {
    EXPECT_EQ(f->Get32(0x30), GetParam().rom | 1);
    EXPECT_EQ(Current->type, ACCESS_MEMORY);
    EXPECT_EQ((u32)Current->pageBase, GetParam().rom & ~1u);
  } else {
    EXPECT_EQ(f->Get32(0x30), GetParam().rom);  // nothing written
    EXPECT_EQ(Current->type, ACCESS_PCI);
    EXPECT_EQ(AccessHistory.count, 1);
  }
}

INSTANTIATE_TEST_SUITE_P(Registers, FollowRomCases,
                         ::testing::Values(RomCase{0xFEB40000, true}, RomCase{0xFEB40001, true},
                                           RomCase{0x80000000, true}, RomCase{0, false},
                                           RomCase{0xFFFE0000, false},  // the size mask after sizing
                                           RomCase{0xFFFC0000, false}, RomCase{0xFFFFF800, false}));

TEST_F(PageOnMachineTest, FollowOutsideTheBarsDoesNothing) {
  Current->cursorColumn = 0x0C;
  FollowPointer();
  EXPECT_EQ(Current->type, ACCESS_PCI);
  EXPECT_EQ(AccessHistory.count, 1);
}

TEST_F(PageOnMachineTest, FollowOnABridgeNeverWritesItsIoWindowRegister) {
  SimPciFunction& bridge = gSim->AddPciFunction(0, 4, 0, 0x8086, 0x2940, 1, 0x060400);
  bridge.Set32(0x30, 0x0000F000);
  Current->device = 4;
  Current->cursorRow = 3;
  FollowPointer();
  EXPECT_EQ(bridge.Get32(0x30), 0x0000F000u);
}

}  // namespace
