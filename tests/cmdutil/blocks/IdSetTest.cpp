// The id set of the block commands: membership through growth, removal and reinsertion.
#include <gtest/gtest.h>

#include <vector>

#include "cmdutil/blocks/XqIdSet.h"
#include "sdk/db/QvDbObjectStub.h"

namespace {

TEST(IdSetTest, EachIdIsHeldOnceThroughGrowthAndRemoval) {
  std::vector<QvDbObjectStub> stubs(5000);
  auto id = [&](size_t i) { return QvDbObjectId(&stubs[i]); };
  XqIdSet set;
  EXPECT_FALSE(set.contains(id(0)));
  EXPECT_FALSE(set.erase(id(0)));
  // The even ids, each twice: the second insertion finds it there.
  for (size_t i = 0; i < stubs.size(); i += 2) {
    ASSERT_TRUE(set.insert(id(i))) << i;
    ASSERT_FALSE(set.insert(id(i))) << i;
  }
  for (size_t i = 0; i < stubs.size(); ++i) ASSERT_EQ(set.contains(id(i)), i % 2 == 0) << i;
  // Every fourth goes; the others stay, found past the removed slots.
  for (size_t i = 0; i < stubs.size(); i += 4) ASSERT_TRUE(set.erase(id(i))) << i;
  for (size_t i = 0; i < stubs.size(); i += 4) ASSERT_FALSE(set.erase(id(i))) << i;
  for (size_t i = 0; i < stubs.size(); ++i) ASSERT_EQ(set.contains(id(i)), i % 4 == 2) << i;
  // Removed ids come back, and the odd ones join, growing the table over removed slots.
  for (size_t i = 0; i < stubs.size(); i += 4) ASSERT_TRUE(set.insert(id(i))) << i;
  for (size_t i = 1; i < stubs.size(); i += 2) ASSERT_TRUE(set.insert(id(i))) << i;
  for (size_t i = 0; i < stubs.size(); ++i) {
    ASSERT_TRUE(set.contains(id(i))) << i;
    ASSERT_FALSE(set.insert(id(i))) << i;
  }
}

TEST(IdSetTest, TheNullIdIsAnIdLikeAnyOther) {
  QvDbObjectStub stub;
  XqIdSet set;
  set.reserve(3);
  EXPECT_TRUE(set.insert(QvDbObjectId()));
  EXPECT_FALSE(set.insert(QvDbObjectId()));
  EXPECT_TRUE(set.contains(QvDbObjectId()));
  EXPECT_FALSE(set.contains(QvDbObjectId(&stub)));
  EXPECT_TRUE(set.erase(QvDbObjectId()));
  EXPECT_FALSE(set.contains(QvDbObjectId()));
}

}  // namespace
