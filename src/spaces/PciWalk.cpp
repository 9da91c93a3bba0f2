// The walk from one present PCI function to the next: every enumeration of the machine's
// functions is done with it (there is no stored device table).
#include "app/AccessType.h"
#include "app/MainLoop.h"
#include "base/Text.h"
#include "platform/Screen.h"
#include "spaces/Pci.h"
#include "spaces/PciExpress.h"
#include "ui/MessageWindow.h"
#include "view/PageGeometry.h"

// Every position of the machine once: a start position that the walk would never come back
// to (a function above 0 of a single-function device) must not make it run for ever.
static const u32 WALK_LIMIT = 256 * 32 * 8 + 1;

PciLocation PciCurrentLocation() { return {Current->bus, Current->device, Current->function}; }

bool PciIsAtLocation(const PciLocation& p) {
  return Current->bus == p.bus && Current->device == p.device && Current->function == p.function;
}

void PciMoveToLocation(const PciLocation& p) {
  Current->bus = p.bus;
  Current->device = p.device;
  Current->function = p.function;
}

// Backwards past function 0: the highest function of the previous device.
static void StepBackOverDevice(i32 direction) {
  Current->function = 7;
  if (Current->device != 0) {
    Current->device += direction;
    return;
  }
  Current->device = 31;
  Current->bus = Current->bus != 0 ? Current->bus + direction : 255;
}

static void StepForwardOverDevice(i32 direction) {
  Current->function = 0;
  Current->device += direction;
  if ((u32)Current->device > 31) {
    Current->device = 0;
    Current->bus += direction;
    if ((u32)Current->bus > 255) Current->bus = 0;
  }
}

static void NextPosition(i32 direction) {
  if (PciIsMultiFunction())
    Current->function += direction;
  else
    Current->function = direction > 0 ? 8 : -1;
  if (Current->function == -1) StepBackOverDevice(direction);
  if ((u32)Current->function > 7) StepForwardOverDevice(direction);
  if (!PciIsMultiFunction()) Current->function = 0;
}

static void ResetToPciView() {
  Current->type = ACCESS_PCI;
  ComputePageGeometry(true);
}

bool PciStepFunction(i32 direction) {
  if (Current->type != ACCESS_PCI && Current->type != ACCESS_PCI_EXPRESS) return false;
  Current->type = ACCESS_PCI;  // every probe goes through the configuration ports
  PciLocation start = PciCurrentLocation();
  i32 pageBase = Current->pageBase;
  Current->pageBase = 0;
  bool found = false;
  for (u32 steps = 0; steps < WALK_LIMIT && !found; steps++) {
    NextPosition(direction);
    found = PciFunctionPresent();
    if (PciIsAtLocation(start)) break;
  }
  if (!found) {
    PciMoveToLocation(start);
    Current->pageBase = pageBase;
    return false;
  }
  if (!EcamEnable()) ResetToPciView();
  return true;
}

// The error box of a walk that found nothing.
static void ReportNoMoreFunctions() { ReportError(u"No more PCI Configuration Space!"); }

void PciGotoAdjacentFunction(i32 direction) {
  if (Current->type != ACCESS_PCI && Current->type != ACCESS_PCI_EXPRESS) return;
  ScrPushState();
  if (PciStepFunction(direction))
    RepaintAll();
  else
    ReportNoMoreFunctions();
  ScrPopState();
}
