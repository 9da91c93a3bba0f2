// Option ROM headers in memory and the Ctrl-PgDn / Ctrl-PgUp walk between them.
#include "SimTestSupport.h"
#include "app/AccessType.h"
#include "spaces/OptionRom.h"
#include "view/Explanation.h"

#include <cstring>

namespace {

class OptionRomTest : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    ResetHistory();
    Current->type = ACCESS_MEMORY;
    ExplanationOverride = -1;
    OptionRomLastStart = 0;
  }
  void TearDown() override { ExplanationOverride = -1; }
  u8* At(u32 address) { return gSim->MemoryAt(address, 1); }
  void Put16(u32 address, u16 value) {
    At(address)[0] = (u8)value;
    At(address)[1] = (u8)(value >> 8);
  }
  // A ROM at `address` whose PnP header lies at `pnp` (0: none), that header's next at `next`.
  void AddRom(u32 address, u16 pnp, u16 next = 0) {
    Put16(address, 0xAA55);
    Put16(address + 0x1A, pnp);
    if (!pnp) return;
    std::memcpy(At(address + pnp), "$PnP", 4);
    Put16(address + pnp + 6, next);
  }
  bool Step(u32 from, i32 step) {
    Current->pageBase = (i32)from;
    return StepOptionRom(step);
  }
  u32 Page() { return (u32)Current->pageBase; }
};

TEST_F(OptionRomTest, HeadersAreRecognised) {
  AddRom(0xC0000, 0x40);
  EXPECT_EQ(OptionRomHeaderKind(0xC0000), ROM_KIND_HEADER);
  EXPECT_EQ(OptionRomHeaderKind(0xC0040), ROM_KIND_PNP_HEADER);
  EXPECT_EQ(OptionRomHeaderKind(0xC0200), -1);
}

TEST_F(OptionRomTest, ForwardGoesToTheNextRomOnA512ByteBoundary) {
  AddRom(0xC0000, 0);
  AddRom(0xC8000, 0);
  EXPECT_TRUE(Step(0xC0000, +1));
  EXPECT_EQ(Page(), 0xC8000u);
  EXPECT_EQ(OptionRomLastStart, 0xC0000u);
  EXPECT_TRUE(Step(0xC8000, -1));
  EXPECT_EQ(Page(), 0xC0000u);
}

TEST_F(OptionRomTest, WithTheRomExplanationForwardGoesToItsPnpHeadersFirst) {
  AddRom(0xC0000, 0x40, 0x60);
  std::memcpy(At(0xC0060), "$PnP", 4);
  AddRom(0xC8000, 0);
  ExplanationOverride = ROM_KIND_HEADER;
  EXPECT_TRUE(Step(0xC0000, +1));
  EXPECT_EQ(Page(), 0xC0040u);
  ExplanationOverride = ROM_KIND_PNP_HEADER;
  EXPECT_TRUE(Step(0xC0040, +1));  // the next PnP header of the same ROM
  EXPECT_EQ(Page(), 0xC0060u);
  EXPECT_TRUE(Step(0xC0060, +1));  // its next is 0: on to the next ROM
  EXPECT_EQ(Page(), 0xC8000u);
}

TEST_F(OptionRomTest, ForwardFromAPnpHeaderNeverTurnsBack) {
  AddRom(0xC0000, 0x40);
  AddRom(0xC8000, 0);
  ExplanationOverride = ROM_KIND_HEADER;  // would point back to 0xC0040
  OptionRomLastStart = 0xC0000;
  EXPECT_TRUE(Step(0xC0050, +1));
  EXPECT_EQ(Page(), 0xC8000u) << "searches 512-byte boundaries, not 0xC0250, 0xC0450, ...";
}

TEST_F(OptionRomTest, BackwardFromInsideARomFindsItsStart) {
  AddRom(0xC0000, 0x40);
  EXPECT_TRUE(Step(0xC0040, -1));
  EXPECT_EQ(Page(), 0xC0000u);
}

TEST_F(OptionRomTest, NothingWithin128KbLeavesThePage) {
  AddRom(0xA0000, 0);  // 128 KB + 512 below
  AddRom(0xE0200, 0);  // 128 KB + 512 above
  EXPECT_FALSE(Step(0xC0200, -1));
  EXPECT_EQ(Page(), 0xC0200u);
  EXPECT_FALSE(Step(0xC0000, +1));
  EXPECT_EQ(Page(), 0xC0000u);
  AddRom(0xA0200, 0);  // exactly 255 steps below
  EXPECT_TRUE(Step(0xC0000, -1));
  EXPECT_EQ(Page(), 0xA0200u);
}

TEST_F(OptionRomTest, WalkDoesNotWrapAroundTheAddressSpace) {
  AddRom(0x0, 0);
  u8* top = gSim->AddMemory(0xFFFE0000u, 0x20000);
  top[0x1FE00] = 0x55;
  top[0x1FE01] = 0xAA;  // a ROM signature at 0xFFFFFE00
  EXPECT_TRUE(Step(0x200, -1));
  EXPECT_EQ(Page(), 0u);
  EXPECT_FALSE(StepOptionRom(-1)) << "nothing below 0";
  EXPECT_EQ(Page(), 0u);
  EXPECT_FALSE(Step(0xFFFFFE00u, +1));
  EXPECT_EQ(Page(), 0xFFFFFE00u);
}

}  // namespace
