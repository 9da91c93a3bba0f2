#include "view/PageGeometry.h"
#include "app/AccessType.h"
#include "app/MainLoop.h"
#include "spaces/Msr.h"
#include "spaces/Pci.h"
#include "view/Explanation.h"

PageGeometryRecord PageGeometry;

static void SetDefaults() {
  PageGeometry.gridLeft = 6;
  PageGeometry.infoColumn = 3;
  PageGeometry.addressUnit = 1;
  PageGeometry.pageBytes = 256;
  PageGeometry.nominalPageBytes = 256;
  PageGeometry.bytesPerRow = 16;
  PageGeometry.pageCount = 1;
  PageGeometry.spaceEnd = 0;
  FieldMarkStart = 0;
  FieldMarkEnd = 0;
}

static void SetMsrGeometry() {
  PageGeometry.gridLeft = 29;
  PageGeometry.addressUnit = 8;
  PageGeometry.bytesPerRow = 8;
  PageGeometry.pageBytes = PageGeometry.nominalPageBytes = 128;
  PageGeometry.spaceEnd = 8 * MsrTableRows - 1;
  PageGeometry.pageCount = (128 + PageGeometry.spaceEnd) / 128;
  InvalidateMsrCache();
}

void ComputePageGeometry(bool reset) {
  SetDefaults();
  if (reset) Current->objectBase = Current->pageBase = 0;
  switch (Current->type) {
    case ACCESS_PCI:
      PciUpdateAmdExtendedConfig();  // the flag follows the function shown
      if (AmdExtendedConfigAvailable) {
        PageGeometry.infoColumn = 1;
        PageGeometry.pageCount = 16;
      }
      break;
    case ACCESS_PCI_EXPRESS:
      PageGeometry.infoColumn = 1;
      PageGeometry.pageCount = 16;
      break;
    case ACCESS_IDE_IDENTIFY:
      PageGeometry.pageCount = 2;
      PageGeometry.spaceEnd = 511;
      break;
    case ACCESS_MEMORY:
      PageGeometry.spaceEnd = 0xFFFFFFFF;
      break;
    case ACCESS_CPU_MSR:
      SetMsrGeometry();
      break;
    case ACCESS_INDEXED_PCI:
      PageGeometry.addressUnit = 4;
      PageGeometry.pageCount = 4;
      break;
    case ACCESS_AHCI_MMIO:
      PageGeometry.pageCount = 17;
      PageGeometry.spaceEnd = (u32)Current->pageBase + 17 * 256 - 1;
      break;
  }
  if (PageGeometry.spaceEnd == 0)
    PageGeometry.spaceEnd = (u32)Current->objectBase + PageGeometry.pageBytes * PageGeometry.pageCount - 1;
  PageGeometry.lastInPage = PageGeometry.pageBytes - 1;
  if (reset) Current->pageBase = Current->objectBase;
  ClampPage();
}

void ClampPage() {
  u32 pageBase = (u32)Current->pageBase, objectBase = (u32)Current->objectBase;
  if (pageBase < objectBase) pageBase = objectBase;
  if (pageBase > PageGeometry.spaceEnd) pageBase = objectBase;
  Current->pageBase = (i32)pageBase;
  if (pageBase + PageGeometry.lastInPage >= PageGeometry.spaceEnd)
    PageGeometry.lastInPage = PageGeometry.spaceEnd - pageBase;
  PageGeometry.pageBytes = PageGeometry.lastInPage + 1;
  PageGeometry.rowsOnPage = (i32)(PageGeometry.pageBytes / PageGeometry.bytesPerRow);
  if (PageGeometry.pageBytes % PageGeometry.bytesPerRow) PageGeometry.rowsOnPage++;
  if ((u32)(Current->cursorColumn * Current->width) >= PageGeometry.bytesPerRow ||
      CursorOffset() > PageGeometry.lastInPage)
    Current->cursorColumn = 0;
  if (Current->cursorRow >= PageGeometry.rowsOnPage || CursorOffset() > PageGeometry.lastInPage)
    Current->cursorRow = 0;
}

bool StepPage(i32 delta) {
  Current->pageBase = (i32)((u32)Current->pageBase + (u32)delta);
  ComputePageGeometry(false);
  if (Current->type == ACCESS_CPU_MSR) InvalidateMsrCache();
  return Current->pageBase != 0;
}
