// Access-type selection: the checks of each item, the parameter fields on the header line,
// cancelling with the history left exactly as it was, the ISA set and IO mode dialogues,
// the MSR item, option ROM recognition and the keys and menu entries that reach it.
#include "PageTestSupport.h"
#include "UiTestSupport.h"
#include "app/AccessType.h"
#include "app/MainLoop.h"
#include "platform/Keyboard.h"
#include "spaces/AccessSelect.h"
#include "spaces/Cpu.h"
#include "spaces/IsaIo.h"
#include "spaces/MsrTables.h"
#include "spaces/Pci.h"
#include "spaces/SuperIoCommands.h"
#include "view/Explanation.h"
#include "view/PageGeometry.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

u32 Word(const char* text) {
  u32 value = 0;
  for (int i = 0; i < 4; i++) value |= (u32)(u8)text[i] << (8 * i);
  return value;
}

// CPUID of a processor with the vendor signature and, when `brand`, the brand leaves.
void SetProcessor(const char* vendor, bool brand) {
  gSim->cpuid[0] = {1, Word(vendor), Word(vendor + 8), Word(vendor + 4)};
  gSim->cpuid[1] = {0x00A20F10, 0, 0, 0};
  gSim->cpuid[0x80000000u] = {brand ? 0x80000004u : 0x80000001u, 0, 0, 0};
  for (u32 leaf = 0; leaf < 3; leaf++) gSim->cpuid[0x80000002u + leaf] = {Word("Test"), Word(" CPU"), 0, 0};
}

class SelectTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ResetPageState();
    PciDeviceCount = 1;
    LastAccessItem = 0;
    IoSpaceMode = -1;
    SioCommandListsClear();
    CpuInfo = CpuInfoRecord{0, 0, 0, 0, u"Unknown", u"Intel"};
    saved = AccessHistory;
  }
  void TearDown() override {
    MsrTable = nullptr;
    MsrTableRows = 0;
    MsrRowFlags = nullptr;
    UiTest::TearDown();
  }
  void Select(i32 item) {
    Run([item] { SelectAccessType(item); });
  }
  bool HistoryUnchanged() const { return std::memcmp(&saved, &AccessHistory, sizeof saved) == 0; }
  void CheckOnScreen(const std::string& text, std::initializer_list<u32> keys) {
    Then([text] { EXPECT_TRUE(ScreenHas(text)) << "missing: " << text; }, keys);
  }
  static bool ScreenHas(const std::string& text) {
    for (int y = 0; y < 25; y++)
      if (Row(y).find(text) != std::string::npos) return true;
    return false;
  }
  AccessHistoryRing saved;
};

// ---------------------------------------------------------------- checks and refusals

TEST_F(SelectTest, ItemsWithoutTheirSpaceAreRefusedQuietlyAndChangeNothing) {
  SetProcessor("GenuineIntel", false);  // no brand leaves: no MSR list
  for (i32 item : {ITEM_IDE_IDENTIFY, ITEM_ACPI, ITEM_CPU_MSR, ITEM_SMBIOS, ITEM_SMBUS, ITEM_UEFI_VARIABLE}) {
    SCOPED_TRACE(item);
    Select(item);  // no key is needed: nothing is asked and no box waits
    EXPECT_TRUE(HistoryUnchanged());
    EXPECT_EQ(BusyFlag, 0u);
  }
}

TEST_F(SelectTest, PciWithoutAnyFunctionShowsTheErrorAndStaysOnTheSpace) {
  PciDeviceCount = 0;
  CheckOnScreen("No PCI BUS present!", {KEY_ENTER});
  Select(ITEM_PCI);
  EXPECT_TRUE(HistoryUnchanged());
}

TEST_F(SelectTest, FromTheMenuAnUnavailableChoiceShowsTheMenuAgain) {
  PciDeviceCount = 0;
  CheckOnScreen("  Access Type Selection", {'0'});
  CheckOnScreen("No PCI BUS present!", {KEY_ENTER});
  CheckOnScreen("(6) Memory (Flat)   <Alt 7", {'4'});  // IDE Identify: refused without a word
  CheckOnScreen("(6) Memory (Flat)   <Alt 7", {KEY_ESC});
  Select(ITEM_SHOW_MENU);
  EXPECT_TRUE(HistoryUnchanged());
  EXPECT_EQ(LastAccessItem, 0) << "a cancelled menu remembers nothing";
}

// ---------------------------------------------------------------- parameter fields

struct FieldCase {
  const char* name;
  i32 item;
  std::vector<u32> keys;
  i32 type, bus, device, function, indexPort, dataPort, pageBase;
};

TEST_F(SelectTest, ParameterFieldsAreTypedAndStored) {
  const FieldCase cases[] = {
      {"memory, one digit", ITEM_MEMORY, {'5', KEY_ENTER}, ACCESS_MEMORY, 0, 0, 0, 0, 0, 5},
      {"memory, eight digits", ITEM_MEMORY, {'f', 'e', 'e', '0', '0', '0', '0', '0', KEY_ENTER}, ACCESS_MEMORY,
       0, 0, 0, 0, 0, (i32)0xFEE00000},
      {"PCI, Right and Enter move on", ITEM_PCI, {'1', KEY_RIGHT, '2', KEY_ENTER, '3', KEY_ENTER}, ACCESS_PCI,
       1, 2, 3, 0, 0, 0},
      {"PCI, Left moves back", ITEM_PCI, {'1', KEY_ENTER, '2', KEY_LEFT, '4', KEY_ENTER, KEY_ENTER, KEY_ENTER},
       ACCESS_PCI, 4, 2, 0, 0, 0, 0},
      {"PCI, Left on the first field and Up stay", ITEM_PCI, {KEY_LEFT, '1', KEY_UP, '7', KEY_ENTER, KEY_ENTER, KEY_ENTER},
       ACCESS_PCI, 7, 0, 0, 0, 0, 0},
      {"PCI, Right on the last field stays", ITEM_PCI, {KEY_ENTER, KEY_ENTER, '6', KEY_RIGHT, KEY_ENTER}, ACCESS_PCI,
       0, 0, 6, 0, 0, 0},
      {"PCI, device and function kept in range", ITEM_PCI, {KEY_ENTER, '2', '5', KEY_ENTER, '9', KEY_ENTER},
       ACCESS_PCI, 0, 5, 1, 0, 0, 0},
      {"ISA ports", ITEM_ISA, {'8', '0', KEY_ENTER, '8', '1', KEY_ENTER}, ACCESS_ISA, 0, 0, 0, 0x80, 0x81, 0},
      {"indexed PCI", ITEM_INDEXED_PCI, {'6', '0', KEY_ENTER, '6', '4', KEY_ENTER}, ACCESS_INDEXED_PCI, 0, 0, 0,
       0x60, 0x64, 0},
      {"IO space, normal mode", ITEM_IO_SPACE, {'0', '4', '0', '0', KEY_ENTER}, ACCESS_IO_SPACE, 0, 0, 0, 0x400, 0, 0},
  };
  for (const FieldCase& c : cases) {
    SCOPED_TRACE(c.name);
    ResetHistory();
    AccessHistory.records[1].bus = 0;  // the new record starts as the slot after the current one
    AccessHistory.records[1].viewFlags = VIEW_ASCII | VIEW_CHAR_EDIT;
    Current->bus = 3;  // indexed PCI always reaches 00:00.0
    script.clear();
    script.push_back({nullptr, std::vector<u32>(c.keys.begin(), c.keys.end())});
    Select(c.item);
    EXPECT_EQ(AccessHistory.count, 2);
    EXPECT_EQ(Current->type, c.type);
    if (c.type == ACCESS_PCI || c.type == ACCESS_INDEXED_PCI) {
      EXPECT_EQ(Current->bus, c.bus);
      EXPECT_EQ(Current->device, c.device);
      EXPECT_EQ(Current->function, c.function);
    }
    if (c.type == ACCESS_ISA || c.type == ACCESS_INDEXED_PCI || c.type == ACCESS_IO_SPACE) {
      EXPECT_EQ(Current->indexPort, c.indexPort);
      if (c.type != ACCESS_IO_SPACE) {
        EXPECT_EQ(Current->dataPort, c.dataPort);
      }
    }
    if (c.type == ACCESS_MEMORY) {
      EXPECT_EQ(Current->pageBase, c.pageBase);
      EXPECT_EQ(Current->objectBase, 0);
      EXPECT_EQ(Current->viewFlags, VIEW_ASCII);
    } else {
      EXPECT_EQ(Current->viewFlags, 0);
    }
    EXPECT_EQ(Current->isaSet, -1);
    EXPECT_EQ(CursorOffset(), 0u);
    EXPECT_EQ(BusyFlag, 0u);
  }
}

TEST_F(SelectTest, FieldsStandOverTheDigitsOfTheHeaderLine) {
  CheckOnScreen("<Arrows> Move,  enter hex numbers for parameters", {});
  Then([] { EXPECT_EQ(Row(23).substr(0, 31), "Type:Memory    Address 00000000"); }, {'5'});
  Then([] { EXPECT_EQ(Row(23).substr(23, 8), "00000005"); }, {'a'});
  Then([] { EXPECT_EQ(Row(23).substr(23, 8), "0000005A"); }, {KEY_ENTER});
  Select(ITEM_MEMORY);
  EXPECT_EQ(Current->pageBase, 0x5A);
  EXPECT_EQ(Row(23).substr(0, 31), "Type:Memory    Address 0000005A");
}

TEST_F(SelectTest, PciFieldsAreTheThreeHeaderNumbers) {
  Then([] { EXPECT_EQ(Row(23).substr(0, 43), "Type:PCI   Bus 00   Device 00   Function 00"); }, {'1', '2'});
  Then([] { EXPECT_EQ(Row(23).substr(15, 2), "12"); }, {KEY_ENTER, '1', 'f'});
  Then([] { EXPECT_EQ(Row(23).substr(27, 2), "1F"); }, {KEY_ENTER, '7'});
  Then([] { EXPECT_EQ(Row(23).substr(41, 2), "07"); }, {KEY_ENTER});
  Select(ITEM_PCI);
  EXPECT_EQ(Row(23).substr(0, 43), "Type:PCI   Bus 12   Device 1F   Function 07");
}

struct CancelCase {
  const char* name;
  i32 item;
  std::vector<u32> keys;
};

TEST_F(SelectTest, EscLeavesTheHistoryExactlyAsItWas) {
  const CancelCase cases[] = {
      {"memory address", ITEM_MEMORY, {'1', '2', KEY_ESC}},
      {"second PCI field", ITEM_PCI, {'1', KEY_ENTER, '2', KEY_ESC}},
      {"ISA data port", ITEM_ISA, {'8', '0', KEY_ENTER, KEY_ESC}},
      {"IO mode menu", ITEM_IO_SPACE, {KEY_ESC}},
      {"IO base port", ITEM_IO_SPACE, {'1', '4', '0', '0', KEY_ESC}},
      {"access type menu", ITEM_SHOW_MENU, {KEY_ESC}},
  };
  for (u32 full : {0u, 1u}) {
    for (const CancelCase& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (full ? ", full history" : ""));
      ResetHistory();
      Current->type = ACCESS_IO_SPACE;
      Current->indexPort = 0x1000;
      Current->cursorRow = 2;
      if (full) {
        for (i32 i = 0; i < (i32)HISTORY_SIZE; i++) AccessHistory.records[i].age = i;
        AccessHistory.count = HISTORY_SIZE;
        AccessHistory.current = 4;
        Current = &AccessHistory.records[4];
      }
      ComputePageGeometry(false);
      saved = AccessHistory;
      IoSpaceMode = -1;
      script.clear();
      script.push_back({nullptr, std::vector<u32>(c.keys.begin(), c.keys.end())});
      Select(c.item);
      EXPECT_TRUE(HistoryUnchanged());
      EXPECT_EQ(Current, &AccessHistory.records[AccessHistory.current]);
      EXPECT_EQ(IoSpaceMode, -1) << "a mode chosen for a cancelled space does not last";
      EXPECT_EQ(BusyFlag, 0u);
    }
  }
}

TEST_F(SelectTest, PmModeIsChosenBeforeTheBasePort) {
  CheckOnScreen("           IO Space                ", {});
  CheckOnScreen("(1) PM IO space (exclude reg 15h-18h)", {'1'});
  Keys({'4', '0', '0', KEY_ENTER});
  Select(ITEM_IO_SPACE);
  EXPECT_EQ(IoSpaceMode, IO_MODE_PM);
  EXPECT_EQ(Current->type, ACCESS_IO_SPACE);
  EXPECT_EQ(Current->indexPort, 0x400);
  EXPECT_EQ(Row(23).substr(0, 26), "Type:IO Space   Start 0400");
  Keys({'0', KEY_ENTER, KEY_ENTER});
  Select(ITEM_IO_SPACE);
  EXPECT_EQ(IoSpaceMode, 0);
}

TEST_F(SelectTest, ParameterDialogEmptiesTheCommandLists) {
  OpenConfigCommands[0][0] = u'x';
  CloseConfigCommands[0][0] = u'y';
  Keys({KEY_ESC});
  Select(ITEM_MEMORY);
  EXPECT_EQ(OpenConfigCommands[0][0], 0);
  EXPECT_EQ(CloseConfigCommands[0][0], 0);
}

// ---------------------------------------------------------------- ISA sets

TEST_F(SelectTest, CmosSetIsProbedAndShown) {
  gSim->cmos[0x0A] = 0x26;
  OpenConfigCommands[0][0] = u'x';
  CheckOnScreen("    ISA IO Sets    ", {'0'});
  Select(ITEM_ISA_SETS);
  EXPECT_EQ(AccessHistory.count, 2);
  EXPECT_EQ(Current->type, ACCESS_ISA);
  EXPECT_EQ(Current->isaSet, 0);
  EXPECT_EQ(Current->indexPort, 0x70);
  EXPECT_EQ(Current->dataPort, 0x71);
  EXPECT_EQ(OpenConfigCommands[0][0], 0) << "a selected set keeps the lists empty";
  EXPECT_EQ(Row(23).substr(0, 25), "Type:ISA   Port 0070,0071");
  EXPECT_EQ(LastAccessItem, ITEM_ISA_SETS);
}

TEST_F(SelectTest, AbsentSetReportsNotFoundAndBringsTheListsBack) {
  OpenConfigCommands[0][0] = u'x';
  CheckOnScreen("    ISA IO Sets    ", {'1'});
  CheckOnScreen("Cyrix CPU (586 class) not found!", {KEY_ENTER});
  Select(ITEM_ISA_SETS);
  EXPECT_TRUE(HistoryUnchanged());
  EXPECT_EQ(OpenConfigCommands[0][0], u'x');
}

TEST_F(SelectTest, EscInTheSetMenuSaysNothing) {
  OpenConfigCommands[0][0] = u'x';
  Keys({KEY_ESC});  // an error box would wait for a key that never comes
  Select(ITEM_ISA_SETS);
  EXPECT_TRUE(HistoryUnchanged());
  EXPECT_EQ(OpenConfigCommands[0][0], u'x');
}

TEST_F(SelectTest, AllFFCmosIsNotFound) {
  gSim->cmos.fill(0xFF);
  CheckOnScreen("    ISA IO Sets    ", {'0'});
  CheckOnScreen("CMOS not found!", {KEY_ENTER});
  Select(ITEM_ISA_SETS);
  EXPECT_TRUE(HistoryUnchanged());
}

// ---------------------------------------------------------------- CPU MSR

TEST_F(SelectTest, MsrItemOpensTheVendorsTableNamedInTheHeader) {
  SetProcessor("AuthenticAMD", true);
  CpuIdentify();
  Select(ITEM_CPU_MSR);
  EXPECT_EQ(AccessHistory.count, 2);
  EXPECT_EQ(Current->type, ACCESS_CPU_MSR);
  EXPECT_EQ(MsrTable, MsrTableAmd);
  EXPECT_EQ(Row(23).substr(0, 18), "Type:AMD CPU MSRs ");
}

// ---------------------------------------------------------------- option ROM recognition

struct RomCase {
  const char* name;
  u32 address;
  i32 previousType;
  i32 kind;
  const char* header;
};

TEST_F(SelectTest, RomHeadersAreRecognisedWhenMemoryIsSelectedFromAMemoryView) {
  gSim->lowMemory[0xC0000] = 0x55;
  gSim->lowMemory[0xC0001] = 0xAA;
  std::memcpy(&gSim->lowMemory[0xC0040], "$PnP", 4);
  const RomCase cases[] = {
      {"ROM header", 0xC0000, ACCESS_MEMORY, 8, "Type:ROM       Address 000C0000"},
      {"PnP header", 0xC0040, ACCESS_MEMORY, 9, "Type:PnP ROM   Address 000C0040"},
      {"plain memory", 0xC0100, ACCESS_MEMORY, -1, "Type:Memory    Address 000C0100"},
      {"from another space", 0xC0000, ACCESS_PCI, -1, "Type:Memory    Address 000C0000"},
  };
  for (const RomCase& c : cases) {
    SCOPED_TRACE(c.name);
    ResetHistory();
    Current->type = c.previousType;
    ActivateAccessType(0);  // the type of the last activation decides
    char digits[16];
    std::snprintf(digits, sizeof digits, "%X", c.address);
    ScriptStep step{nullptr, {}};
    for (const char* d = digits; *d; d++) step.keys.push_back((u32)(u8)*d);
    step.keys.push_back(KEY_ENTER);
    script.clear();
    script.push_back(step);
    Select(ITEM_MEMORY);
    EXPECT_EQ(ExplanationOverride, c.kind);
    if (c.kind != -1) {
      EXPECT_EQ(ExplanationAnchor, c.address);
    }
    EXPECT_EQ(Row(23).substr(0, 31), c.header);
  }
}

// ---------------------------------------------------------------- keys and menu entries

struct KeyCase {
  const char* name;
  u32 key;
  std::vector<u32> keys;
  i32 type;
};

TEST_F(SelectTest, KeysAndMenuEntriesReachTheSelection) {
  gSim->cmos[0] = 0x10;
  const KeyCase cases[] = {
      {"Alt-1", KEY_ALT | '1', {KEY_ENTER, KEY_ENTER, KEY_ENTER}, ACCESS_PCI},
      {"Alt-2", KEY_ALT | '2', {KEY_ENTER, KEY_ENTER}, ACCESS_ISA},
      {"Alt-3", KEY_ALT | '3', {'0'}, ACCESS_ISA},
      {"F9", KEY_F9, {'0'}, ACCESS_ISA},
      {"Alt-4", KEY_ALT | '4', {'0', KEY_ENTER}, ACCESS_IO_SPACE},
      {"Alt-7", KEY_ALT | '7', {KEY_ENTER}, ACCESS_MEMORY},
      {"Alt-minus", KEY_ALT | '-', {KEY_ENTER, KEY_ENTER}, ACCESS_INDEXED_PCI},
      {"F5", KEY_F5, {'6', KEY_ENTER}, ACCESS_MEMORY},
      {"Config menu, Memory", KEY_ALT | 'c', {KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_ENTER,
                                              KEY_ENTER}, ACCESS_MEMORY},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    ResetHistory();
    Current->type = ACCESS_SMBIOS;  // a type none of the keys opens
    script.clear();
    script.push_back({nullptr, std::vector<u32>(c.keys.begin(), c.keys.end())});
    Run([&c] { DispatchKey(c.key, nullptr); });
    EXPECT_EQ(Current->type, c.type);
    EXPECT_EQ(AccessHistory.count, 2);
  }
}

TEST_F(SelectTest, NothingIsSelectedWhileBusyOrABoxIsOpen) {
  BusyFlag = 1;
  Select(ITEM_MEMORY);
  EXPECT_TRUE(HistoryUnchanged());
  BusyFlag = 0;
}

}  // namespace
