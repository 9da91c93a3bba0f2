// Console traffic of the register page on the simulated machine, against the scheme that
// sends every drawn cell as its own one-character OutputString call.
//
// Prints figures; it is not a pass/fail test. Run with `make benchmark`.
#include <cstdio>
#include <functional>

#include "app/MainLoop.h"
#include "app/Startup.h"
#include "platform/Console.h"
#include "platform/Keyboard.h"
#include "platform/sim/SimMachine.h"
#include "view/BitmapWindow.h"

namespace {

struct Traffic {
  u64 calls, bytes, serialBytes, cells;
};

Traffic Measure(const std::function<void()>& action) {
  gSim->console.ResetTraffic();
  u32 cellsBefore = gConsoleTraffic.cellsShown;
  SimRun(action);
  const SimConsole& c = gSim->console;
  Traffic t;
  t.calls = c.outputCalls + c.attributeCalls + c.cursorCalls;
  t.bytes = 2ull * (c.outputCharacters + c.outputCalls);  // UCS-2 text and terminators
  t.serialBytes = c.SerialBytes();
  t.cells = gConsoleTraffic.cellsShown - cellsBefore;
  return t;
}

void Report(const char* name, const Traffic& t) {
  u64 perCellCalls = t.cells, perCellBytes = 4 * t.cells;  // one character and its terminator per call
  double share = perCellBytes ? 100.0 * (double)t.bytes / (double)perCellBytes : 0.0;
  printf("%-34s %8llu %10llu %12llu | %8llu %10llu | %6.2f%%\n", name, (unsigned long long)t.calls,
         (unsigned long long)t.bytes, (unsigned long long)t.serialBytes, (unsigned long long)perCellCalls,
         (unsigned long long)perCellBytes, share);
}

void SetUpMachine() {
  SimReset();
  gSim->AddPciFunction(0, 0, 0, 0x8086, 0x29C0, 0x00, 0x060000);
  gSim->AddPciFunction(0, 0x1F, 0, 0x8086, 0x2918, 0x80, 0x060100);
  gSim->AddPciFunction(0, 0x1F, 2, 0x8086, 0x2922, 0x00, 0x010601);
  gSim->idleLimit = 2000;
  SimQueueKey(KEY_F11);  // dismisses a start-up box, does nothing otherwise
}

}  // namespace

int main() {
  SetUpMachine();
  printf("%-34s %8s %10s %12s | %8s %10s | %7s\n", "console traffic", "calls", "bytes", "serial bytes",
         "per-cell", "per-cell", "bytes");
  printf("%-34s %8s %10s %12s | %8s %10s | %7s\n", "", "", "", "(estimate)", "calls", "bytes", "share");
  Report("first full paint (start-up)", Measure([] { AppStartup(nullptr, nullptr); }));
  // The page does not refresh itself while the bit map window is shown: switch it off.
  Report("bit map window switched off", Measure([] {
           BitmapEnabled = 0;
           CloseBitmapWindow();
         }));
  Report("idle repaint, nothing changed", Measure([] { RepaintValues(REPAINT_FORCE); }));
  Report("repaint with 3 changed registers", Measure([] {
           gSim->pci[0].config[0x40] ^= 0xFF;
           gSim->pci[0].config[0x41] ^= 0xFF;
           gSim->pci[0].config[0x90] ^= 0x0F;
           RepaintValues(REPAINT_FORCE);
         }));
  Report("full repaint of an unchanged page", Measure([] { RepaintAll(); }));
  Report("PgDn to the next PCI function", Measure([] { DispatchKey(KEY_PGDN, nullptr); }));
  Report("idle repaint after PgDn", Measure([] { RepaintValues(REPAINT_FORCE); }));
  return 0;
}
