// Set-up for tests of the register page outside the main loop: a shadow screen, the
// first colour set, a fresh history and the run-long state of the page painters.
#pragma once
#include "SimTestSupport.h"

#include <string>

class PageTest : public SimTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Text the console shows from (x, y).
  static std::string Shown(int x, int y, int length) { return gSim->console.Text((u32)x, (u32)y, (u32)length); }
  // Attribute byte the shadow screen holds at (x, y).
  static u32 AttrAt(int x, int y);
};

// The run-long state of PCI access, ECAM search and bit map window back at its start values.
void ResetPageState();
