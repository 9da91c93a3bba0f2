// Set-up for tests of the text user interface: a screen on the simulated machine, a
// current PCI space, and a script of checks and keys played whenever the program waits.
#pragma once
#include "SimTestSupport.h"

#include <deque>
#include <functional>
#include <initializer_list>
#include <vector>

struct ScriptStep {
  std::function<void()> check;  // runs when the program waits for a key (may be empty)
  std::vector<u32> keys;        // then queued
};

class UiTest : public SimTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Runs `body` with the script played at every wait for a key. Fails the test when the
  // keys run out before `body` returns.
  void Run(const std::function<void()>& body);
  void Then(std::function<void()> check, std::initializer_list<u32> keys) { script.push_back({check, keys}); }
  void Keys(std::initializer_list<u32> keys) { script.push_back({nullptr, keys}); }
  // The screen as the program drew it.
  static std::string Row(int y) { return ConsoleRow(y); }
  static std::string Text(int x, int y, int length) { return gSim->console.Text((u32)x, (u32)y, (u32)length); }
  static u8 Attr(int x, int y) { return ConsoleAttr(x, y); }
  // Fills rows 0-23 with a pattern so that restored cells can be told apart.
  static void FillScreen();
  // Characters and attributes of rows 0-23 (the status line and clock may change anyway).
  static std::vector<std::pair<char16_t, u8>> Cells();

  std::deque<ScriptStep> script;
};
