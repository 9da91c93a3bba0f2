// Shared set-up for host tests: a fresh simulated machine per test and a way to run the
// whole program on it.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "platform/sim/SimMachine.h"

// A fresh machine, and the program's box slot empty as in a freshly loaded image (a run
// that ended inside a box leaves the slot pointing at the old machine's memory).
void ForgetOpenBoxes();

class SimTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SimReset();
    ForgetOpenBoxes();
  }
};

// A q35-like machine: host bridge 8086:29C0 at 00:00.0 and an LPC bridge at 00:1F.0.
void AddSmallPciMachine();

// Runs the program from its entry until it exits or the queued keys are used up.
// Returns true when it exited.
bool RunProgram();

// What the console shows on row y, as 8-bit text.
inline std::string ConsoleRow(int y) { return gSim->console.RowText((u32)y); }
inline u8 ConsoleAttr(int x, int y) { return gSim->console.Attr((u32)x, (u32)y); }

inline void PrintTo(const SimPortWrite& w, std::ostream* os) {
  *os << "{port " << std::hex << w.port << ", value " << w.value << ", width " << std::dec << w.width << "}";
}
