#include "sdk/base/resbuf.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace {

TEST(Resbuf, BuildListCarriesEachKindOfValue) {
  const double pt[3] = {1, 2, 3};
  const int64_t name[2] = {7, 8};
  QvRbListPtr list(qvutBuildList(kRbString, L"text", kRbShort, 12, kRbReal, 2.5, kRbPoint3d, pt,
                                 kRbEntityName, name, 1070, -3, 1000, L"x", 0));
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
  // 38 is an elevation and 39 a thickness: reals right after the point codes.
  const std::pair<int, QvRbKind> kinds[] = {
      {0, QvRbKind::kString},   {10, QvRbKind::kPoint},    {37, QvRbKind::kPoint},
      {38, QvRbKind::kReal},    {39, QvRbKind::kReal},     {41, QvRbKind::kReal},
      {70, QvRbKind::kShort},   {90, QvRbKind::kLong},     {-1, QvRbKind::kName},
      {330, QvRbKind::kName},   {1001, QvRbKind::kString}, {1004, QvRbKind::kBinary},
      {1010, QvRbKind::kPoint}, {1040, QvRbKind::kReal},   {1070, QvRbKind::kShort},
      {1071, QvRbKind::kLong}};
  for (const auto& [code, kind] : kinds) EXPECT_EQ(qvRbValueKind(code), kind) << code;
  EXPECT_EQ(qvutBuildList(1004, nullptr, 0), nullptr);  // binary has no single-value form
}

}  // namespace
