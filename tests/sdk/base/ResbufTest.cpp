#include "sdk/base/resbuf.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace {

TEST(Resbuf, BuildListCarriesEachKindOfValue) {
  const double pt[3] = {1, 2, 3};
  const int64_t name[2] = {7, 8};
  QvRbListPtr list(qvutBuildList(kRbString, L"text", kRbShort, 12, kRbReal, 2.5, kRbPoint3d,
                                 pt, kRbEntityName, name, 1070, -3, 1000, L"x", 0));
  ASSERT_TRUE(list);
  EXPECT_EQ(qvutListLength(list.get()), 7);
  const resbuf* rb = list.get();
  EXPECT_EQ(rb->type, kRbString);
  EXPECT_STREQ(rb->value.string, L"text");
  rb = rb->next;
  EXPECT_EQ(rb->value.int16, 12);
  rb = rb->next;
  EXPECT_DOUBLE_EQ(rb->value.real, 2.5);
  rb = rb->next;
  EXPECT_DOUBLE_EQ(rb->value.point[2], 3.0);
  rb = rb->next;
  EXPECT_EQ(rb->value.name[1], 8);
  rb = rb->next;
  EXPECT_EQ(rb->value.int16, -3);
  EXPECT_EQ(rb->next->next, nullptr);
}

TEST(Resbuf, DuplicateIsDeepAndStringsAreReplaced) {
  QvRbListPtr list(qvutBuildList(kRbString, L"one", kRbShort, 1, 0));
  QvRbListPtr copy(qvutDupList(list.get()));
  ASSERT_TRUE(copy);
  EXPECT_NE(copy->value.string, list->value.string);
  qvutSetRbString(list.get(), L"two");
  EXPECT_STREQ(copy->value.string, L"one");
  EXPECT_STREQ(list->value.string, L"two");
  EXPECT_EQ(qvutRelRb(nullptr), kQvNormal);
}

TEST(Resbuf, GroupCodesMapToValueKinds) {
  EXPECT_EQ(qvRbValueKind(0), QvRbKind::kString);
  EXPECT_EQ(qvRbValueKind(10), QvRbKind::kPoint);
  EXPECT_EQ(qvRbValueKind(37), QvRbKind::kPoint);
  EXPECT_EQ(qvRbValueKind(38), QvRbKind::kReal);  // elevation
  EXPECT_EQ(qvRbValueKind(39), QvRbKind::kReal);  // thickness
  EXPECT_EQ(qvRbValueKind(41), QvRbKind::kReal);
  EXPECT_EQ(qvRbValueKind(70), QvRbKind::kShort);
  EXPECT_EQ(qvRbValueKind(90), QvRbKind::kLong);
  EXPECT_EQ(qvRbValueKind(-1), QvRbKind::kName);
  EXPECT_EQ(qvRbValueKind(330), QvRbKind::kName);
  EXPECT_EQ(qvRbValueKind(1001), QvRbKind::kString);
  EXPECT_EQ(qvRbValueKind(1004), QvRbKind::kBinary);
  EXPECT_EQ(qvRbValueKind(1010), QvRbKind::kPoint);
  EXPECT_EQ(qvRbValueKind(1040), QvRbKind::kReal);
  EXPECT_EQ(qvRbValueKind(1070), QvRbKind::kShort);
  EXPECT_EQ(qvRbValueKind(1071), QvRbKind::kLong);
  EXPECT_EQ(qvutBuildList(1004, nullptr, 0), nullptr);  // binary has no single-value form
}

}  // namespace
