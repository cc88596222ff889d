#include "sdk/base/QvArray.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(QvArray, LengthsAndGrowLength) {
  QvArray<int> b(0, 20);
  EXPECT_EQ(b.growLength(), 20);
  b.append(1);
  EXPECT_GE(b.physicalLength(), 20);  // the first growth takes a whole grow step
  b.setLogicalLength(4);
  EXPECT_EQ(b.length(), 4);
  EXPECT_EQ(b[3], 0);  // new slots are value-initialised
  QvArray<const int*> pointers;
  pointers.setLogicalLength(4);
  for (const int* p : pointers) EXPECT_EQ(p, nullptr);
}

TEST(QvArray, CopyKeepsGrowLengthMoveStealsBuffer) {
  QvArray<int> src(0, 32);
  for (int i = 0; i < 5; ++i) src.append(i);
  const QvArray<int> copy(src);
  EXPECT_EQ(copy.length(), 5);
  EXPECT_EQ(copy.growLength(), 32);
  const int* buffer = src.asArrayPtr();
  QvArray<int> moved(std::move(src));
  EXPECT_EQ(moved.asArrayPtr(), buffer);
  EXPECT_EQ(src.length(), 0);  // NOLINT: the moved-from state is specified
  EXPECT_EQ(src.growLength(), 8);
  QvArray<int> target;
  target.append(99);
  target = std::move(moved);
  EXPECT_EQ(target.length(), 5);
  EXPECT_EQ(moved.length(), 0);  // NOLINT
}

TEST(QvArray, InsertRemoveFindContains) {
  QvArray<int> a{3, 1, 4, 1, 5};
  a.insertAt(0, 9);
  a.insertAt(a.length(), 7);
  EXPECT_EQ(a, (QvArray<int>{9, 3, 1, 4, 1, 5, 7}));
  int index = -1;
  EXPECT_TRUE(a.find(1, index));
  EXPECT_EQ(index, 2);
  EXPECT_TRUE(a.find(1, index, 3));
  EXPECT_EQ(index, 4);
  EXPECT_FALSE(a.find(42, index));
  EXPECT_EQ(a.find(42), -1);
  EXPECT_TRUE(a.contains(5));
  EXPECT_TRUE(a.remove(1));
  EXPECT_FALSE(a.remove(42));
  a.removeFirst().removeLast();
  EXPECT_EQ(a, (QvArray<int>{3, 4, 1, 5}));
  a.removeSubArray(1, 2);
  EXPECT_EQ(a, (QvArray<int>{3, 5}));
  a.append(a);  // appending itself doubles it
  EXPECT_EQ(a, (QvArray<int>{3, 5, 3, 5}));
  a.reverse();
  EXPECT_EQ(a.first(), 5);
  EXPECT_EQ(a.last(), 3);
}

// An element of the array itself may be appended or inserted, also when the storage must move
// to make room (the sanitizer build stops at a read of the old storage).
TEST(QvArray, AppendAndInsertOwnElements) {
  QvArray<std::string> a(1, 1);
  a.append("first element, longer than any short-string buffer");
  ASSERT_EQ(a.physicalLength(), 1);
  a.append(a.first());
  a.insertAt(0, a.last());
  a.insertAt(1, a[2]);
  EXPECT_EQ(a.length(), 4);
  for (const std::string& s : a) EXPECT_EQ(s, a.first());
}

}  // namespace
