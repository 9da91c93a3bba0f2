// The header line: "Type:" with the name of the access type, then its parameters.
#include "view/HeaderLine.h"
#include "app/AccessType.h"
#include "base/String.h"
#include "base/Text.h"
#include "platform/Screen.h"
#include "spaces/Cpu.h"
#include "ui/ColorSet.h"
#include "view/Explanation.h"

i32 HeaderFieldColumns[3];

static const i32 NAME_POSITION = 5;
static const i32 EXPLAIN_ROM_HEADER = 8;      // explanation kinds a user may choose for memory
static const i32 EXPLAIN_PNP_ROM_HEADER = 9;

// Copies at most n characters at `position`; a shorter name fills the rest of the n with
// terminators, a name of n characters or more adds none (the text behind shows through).
static void CopyName(char16_t* text, i32 position, const char16_t* name, u32 n) {
  bool ended = false;
  for (u32 i = 0; i < n && position + (i32)i < (i32)HEADER_LINE_CHARS - 1; i++) {
    if (!name[i]) ended = true;
    text[position + i] = ended ? 0 : name[i];
  }
}

static void Append(char16_t* text, const char16_t* piece) { StrCat16(text, HEADER_LINE_CHARS, piece); }

template <typename... Args>
static void AppendFormatted(char16_t* text, const char16_t* format, Args... args) {
  char16_t piece[FORMAT_TEXT_CHARS];
  Append(text, FormatText(piece, format, args...));
}

static void SetColumns(i32 a, i32 b, i32 c) {
  HeaderFieldColumns[0] = a;
  HeaderFieldColumns[1] = b;
  HeaderFieldColumns[2] = c;
}

static void BuildPciHeader(char16_t* text, bool express) {
  CopyName(text, NAME_POSITION, u"PCI", 3);
  if (express) CopyName(text, 9, u"Express   ", 10);
  i32 start = (i32)StrLen16(text);
  AppendFormatted(text, u"Bus %02X   Device %02X   Function %02X", Current->bus, Current->device, Current->function);
  SetColumns(start + 4, start + 16, start + 30);
}

static const char16_t* MemoryName() {
  if (ExplanationOverride == EXPLAIN_ROM_HEADER) return u"ROM    ";
  if (ExplanationOverride == EXPLAIN_PNP_ROM_HEADER) return u"PnP ROM";
  return u"Memory ";
}

// Facts that the later spaces supply (drive number, SMBIOS structure number,
// SMBus base, slave address and block count, variable name) show as 0 or empty here.
static void BuildOtherHeader(i32 type, char16_t* text) {
  switch (type) {
    case ACCESS_IDE_IDENTIFY:
      CopyName(text, NAME_POSITION, u"IDE-", 4);
      CopyName(text, 9, u"0", 1);
      AppendFormatted(text, u" Offset: %04X", (u32)Current->pageBase);
      break;
    case ACCESS_CPU_MSR:
      CopyName(text, NAME_POSITION, CpuInfo.vendorShortName, CPU_VENDOR_NAME_CHARS);
      Append(text, u" CPU MSRs");
      break;
    case ACCESS_SMBIOS:
      CopyName(text, NAME_POSITION, u"SMBIOS ", 7);
      SetColumns(22, HeaderFieldColumns[1], HeaderFieldColumns[2]);
      AppendFormatted(text, u"   Handle %02X", 0u);
      break;
    case ACCESS_SMBUS:
      CopyName(text, NAME_POSITION, u"SMBus", 5);
      AppendFormatted(text, u"   Base %04X   SlaveAddress %02X", 0u, 0u);
      SetColumns(19, 39, 50);
      break;
    case ACCESS_UEFI_VARIABLE: {
      char16_t piece[FORMAT_TEXT_CHARS];
      CopyName(text, NAME_POSITION, FormatText(piece, u"UEFI Variables  Name:%-50s", u""), HEADER_LINE_CHARS);
      break;
    }
    case ACCESS_AHCI_MMIO: {
      char16_t piece[FORMAT_TEXT_CHARS];
      CopyName(text, NAME_POSITION, FormatText(piece, u"AHCI MMIO   Address %08lX", (u32)Current->pageBase),
               HEADER_LINE_CHARS);
      break;
    }
    case ACCESS_ACPI_TABLE:
      CopyName(text, NAME_POSITION, u"ACPI table", HEADER_LINE_CHARS);
      break;
  }
}

void BuildHeaderLine(i32 type, char16_t* text) {
  for (u32 i = 0; i < HEADER_LINE_CHARS; i++) text[i] = 0;
  StrCopy16(text, u"Type:ISA   ");
  switch (type) {
    case ACCESS_PCI:
    case ACCESS_PCI_EXPRESS:
      BuildPciHeader(text, type == ACCESS_PCI_EXPRESS);
      break;
    case ACCESS_ISA:
      AppendFormatted(text, u"Port %04X,%04X", (u32)Current->indexPort, (u32)Current->dataPort);
      SetColumns(16, 21, HeaderFieldColumns[2]);
      break;
    case ACCESS_INDEXED_PCI:
      CopyName(text, NAME_POSITION, u"ATi", 3);
      AppendFormatted(text, u"Reg# %04X,%04X", (u32)Current->indexPort, (u32)Current->dataPort);
      SetColumns(16, 21, HeaderFieldColumns[2]);
      break;
    case ACCESS_IO_SPACE:
      CopyName(text, NAME_POSITION, u"IO Space", 9);
      AppendFormatted(text, u"   Start %04X", (u32)Current->indexPort);
      SetColumns(22, HeaderFieldColumns[1], HeaderFieldColumns[2]);
      break;
    case ACCESS_MEMORY:
      CopyName(text, NAME_POSITION, MemoryName(), 7);
      AppendFormatted(text, u"   Address %08lX", (u32)Current->pageBase);
      SetColumns(23, HeaderFieldColumns[1], HeaderFieldColumns[2]);
      break;
    default:
      BuildOtherHeader(type, text);
  }
  text[HEADER_LINE_CHARS - 1] = 0;
}

void PaintHeaderLine(i32 type) {
  char16_t text[HEADER_LINE_CHARS];
  BuildHeaderLine(type, text);
  ScrPushState();
  ScreenAttr = ColorSet[15];
  ScrGotoXY(0, HEADER_LINE_ROW);
  if (ScrToFile && type == ACCESS_IDE_IDENTIFY) text[11] = 0;  // a register file keeps "Type:IDE-n "
  ScrPutString(text);
  if (!ScrToFile) ScrClearToEol();
  ScrPopState();
}
