// The ring of the last ten spaces: opening, cancelling, the full-ring drop, stepping.
#include "SimTestSupport.h"
#include "app/AccessType.h"

class HistoryTest : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    ResetHistory();
  }
  // Opens a new entry and marks it with `tag` in its bus field.
  void Open(i32 tag) {
    OpenHistoryEntry();
    Current->bus = tag;
  }
  std::vector<i32> Tags() {
    std::vector<i32> tags;
    for (i32 i = 0; i < AccessHistory.count; i++) tags.push_back(AccessHistory.records[i].bus);
    return tags;
  }
};

TEST_F(HistoryTest, StartsWithOnePciRecord) {
  EXPECT_EQ(AccessHistory.count, 1);
  EXPECT_EQ(Current, &AccessHistory.records[0]);
  EXPECT_EQ(Current->type, ACCESS_PCI);
  EXPECT_EQ(Current->width, 1);
  EXPECT_EQ(Current->isaSet, -1);
}

TEST_F(HistoryTest, OpenInsertsAfterTheCurrentRecord) {
  Open(1);
  Open(2);
  AccessHistory.current = 0;
  Current = &AccessHistory.records[0];
  Open(9);
  EXPECT_EQ(Tags(), (std::vector<i32>{0, 9, 1, 2}));
  EXPECT_EQ(AccessHistory.current, 1);
}

TEST_F(HistoryTest, CancelPutsEverythingBack) {
  Open(1);
  AccessHistoryRing before = AccessHistory;
  Open(2);
  Current->type = ACCESS_MEMORY;
  CancelHistoryEntry();
  EXPECT_EQ(memcmp(&before, &AccessHistory, sizeof before), 0);
  EXPECT_EQ(Current, &AccessHistory.records[1]);
}

TEST_F(HistoryTest, FullRingDropsTheOldestAndKeepsTheOtherNine) {
  for (i32 tag = 1; tag <= 9; tag++) Open(tag);
  ASSERT_EQ(AccessHistory.count, 10);
  AccessHistoryRing full = AccessHistory;
  Open(10);
  EXPECT_EQ(AccessHistory.count, 10);
  std::vector<i32> tags = Tags();
  EXPECT_EQ(std::count(tags.begin(), tags.end(), 0), 0) << "the oldest record is dropped";
  for (i32 tag = 1; tag <= 10; tag++) EXPECT_EQ(std::count(tags.begin(), tags.end(), tag), 1) << tag;
  EXPECT_EQ(Current->bus, 10);
  CancelHistoryEntry();
  EXPECT_EQ(memcmp(&full, &AccessHistory, sizeof full), 0);
}

TEST_F(HistoryTest, FullRingKeepsDroppingInAgeOrder) {
  for (i32 tag = 1; tag <= 9; tag++) Open(tag);
  for (i32 tag = 10; tag <= 14; tag++) Open(tag);
  std::vector<i32> tags = Tags();
  std::sort(tags.begin(), tags.end());
  EXPECT_EQ(tags, (std::vector<i32>{5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
}

TEST_F(HistoryTest, ClearKeepsOnlyTheCurrentRecord) {
  Open(1);
  Open(2);
  AccessHistory.current = 1;
  Current = &AccessHistory.records[1];
  ClearHistory();
  EXPECT_EQ(AccessHistory.count, 1);
  EXPECT_EQ(Current, &AccessHistory.records[0]);
  EXPECT_EQ(Current->bus, 1);
}
