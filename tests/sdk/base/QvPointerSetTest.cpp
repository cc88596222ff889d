// The pointer set: members once, growth that keeps them, clearing.
#include <gtest/gtest.h>

#include <vector>

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

}  // namespace
