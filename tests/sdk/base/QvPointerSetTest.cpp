// The pointer set and index: members once, the first position kept, growth and reserving that
// keep every entry, clearing.
#include <gtest/gtest.h>

#include <vector>

#include "sdk/base/QvPointerIndex.h"
#include "sdk/base/QvPointerSet.h"

namespace {

TEST(QvPointerSetTest, MembersAreTakenOnceAndKeptThroughGrowth) {
  std::vector<int> items(5000);
  QvPointerSet set;
  EXPECT_FALSE(set.contains(&items[0]));
  EXPECT_FALSE(set.insert(nullptr));
  for (int& item : items) ASSERT_TRUE(set.insert(&item));
  EXPECT_EQ(set.size(), items.size());
  // Neighbours in memory (the usual case) hash apart and all stay members.
  for (const int& item : items) {
    EXPECT_TRUE(set.contains(&item));
    EXPECT_FALSE(set.insert(&item));
  }
  EXPECT_EQ(set.size(), items.size());
  const int other = 0;
  EXPECT_FALSE(set.contains(&other));
  EXPECT_FALSE(set.contains(nullptr));

  set.clear();
  EXPECT_EQ(set.size(), 0u);
  EXPECT_FALSE(set.contains(&items[7]));
  EXPECT_TRUE(set.insert(&items[7]));
}

TEST(QvPointerSetTest, AnIndexKeepsEachPointersFirstPositionThroughGrowthAndReserve) {
  std::vector<double> items(3000);
  QvPointerIndex index;
  EXPECT_EQ(index.find(&items[0]), QvPointerIndex::npos);
  EXPECT_EQ(index.insert(nullptr, 4), QvPointerIndex::npos);
  EXPECT_EQ(index.find(nullptr), QvPointerIndex::npos);
  // Positions counted down, so that an entry answering its own slot would show.
  for (size_t i = 0; i < 1000; ++i) ASSERT_EQ(index.insert(&items[i], 5000 - i), 5000 - i);
  index.reserve(items.size());
  for (size_t i = 1000; i < items.size(); ++i)
    ASSERT_EQ(index.insert(&items[i], 5000 - i), 5000 - i);
  EXPECT_EQ(index.size(), items.size());
  for (size_t i = 0; i < items.size(); ++i) {
    ASSERT_EQ(index.find(&items[i]), 5000 - i) << i;
    ASSERT_EQ(index.insert(&items[i], 1), 5000 - i) << i;  // a second insert changes nothing
  }
  EXPECT_EQ(index.size(), items.size());
  index.reserve(10);  // never shrinks
  EXPECT_EQ(index.find(&items[2999]), 2001u);

  index.clear();
  EXPECT_EQ(index.size(), 0u);
  EXPECT_EQ(index.find(&items[5]), QvPointerIndex::npos);
  EXPECT_EQ(index.insert(&items[5], 0), 0u);
}

}  // namespace
