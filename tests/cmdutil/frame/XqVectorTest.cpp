#include "xqcmdutil/XqVector.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <utility>

namespace {

template <typename Call>
Vexa::ErrorStatus raisedStatus(Call&& call) {
  try {
    call();
  } catch (const XqErrorStatus& error) {
    return error.status();
  }
  return Vexa::eOk;
}

TEST(XqVector, CopiesShareTheBufferUntilOneChanges) {
  XqVector<int> a{1, 2, 3};
  XqVector<int> b = a;
  EXPECT_EQ(a.useCount(), 2);
  EXPECT_EQ(a.begin(), b.begin());
  b.append(4);
  EXPECT_EQ(a.length(), 3);
  EXPECT_EQ(b.length(), 4);
  EXPECT_EQ(a.useCount(), 1);
  XqVector<int> c = a;
  c[0] = 10;  // a write through the index also separates
  EXPECT_EQ(a[0], 1);
  EXPECT_EQ(c[0], 10);
  EXPECT_FALSE(a == c);
  c.setAt(0, 1);
  EXPECT_TRUE(a == c);
}

TEST(XqVector, KeepsOrderAndFindsElements) {
  using Piece = std::pair<int, std::string>;
  XqVector<Piece> pieces;
  EXPECT_TRUE(pieces.isEmpty());
  pieces.append({1, "hatch"}).append({2, "line"});
  pieces.insertAt(0, {0, "first"});
  pieces.insertAt(3, {3, "last"});
  ASSERT_EQ(pieces.length(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(pieces[i].first, i);
  EXPECT_EQ(pieces.first().second, "first");
  EXPECT_EQ(pieces.last().second, "last");
  EXPECT_EQ(pieces.find({2, "line"}), 2);
  EXPECT_FALSE(pieces.contains({2, "arc"}));
  pieces.removeAt(1).removeLast();
  ASSERT_EQ(pieces.length(), 2);
  EXPECT_EQ(pieces[1].second, "line");
  int visited = 0;
  for (const Piece& piece : pieces) visited += piece.first;
  EXPECT_EQ(visited, 2);
  pieces.clear();
  EXPECT_EQ(pieces.begin(), pieces.end());
}

TEST(XqVector, AnIndexOutOfRangeRaisesStatus24) {
  XqVector<int> v{5};
  const XqVector<int>& cv = v;
  EXPECT_EQ(raisedStatus([&] { (void)cv.at(1); }), Vexa::eInvalidIndex);
  EXPECT_EQ(raisedStatus([&] { (void)v[-1]; }), Vexa::eInvalidIndex);
  EXPECT_EQ(raisedStatus([&] { v.removeAt(3); }), Vexa::eInvalidIndex);
  EXPECT_EQ(raisedStatus([&] { v.insertAt(2, 0); }), Vexa::eInvalidIndex);
  EXPECT_EQ(raisedStatus([] { XqVector<int>().last(); }), Vexa::eInvalidIndex);
  EXPECT_EQ(raisedStatus([] { XqVector<int>().removeLast(); }), Vexa::eInvalidIndex);
  EXPECT_EQ(v.length(), 1);
  EXPECT_EQ(Vexa::eInvalidIndex, 24);
}

// An element whose copy fails as an allocation does when memory runs out.
struct Fragile {
  static inline bool failCopies = false;
  int value = 0;
  Fragile(int v) : value(v) {}  // NOLINT
  Fragile(const Fragile& other) : value(other.value) {
    if (failCopies) throw std::bad_alloc();
  }
  Fragile& operator=(const Fragile&) = default;
  bool operator==(const Fragile& other) const { return value == other.value; }
};

TEST(XqVector, AVectorThatCannotGrowRaisesStatus2AndStaysAsItWas) {
  XqVector<Fragile> v;
  v.append(Fragile(1));
  Fragile::failCopies = true;
  const Fragile extra(2);
  const Vexa::ErrorStatus status = raisedStatus([&] { v.append(extra); });
  Fragile::failCopies = false;
  EXPECT_EQ(status, Vexa::eNotApplicable);
  ASSERT_EQ(v.length(), 1);
  EXPECT_EQ(v[0].value, 1);
  EXPECT_STREQ(XqErrorStatus(Vexa::eNotApplicable).what(), "eNotApplicable");
}

}  // namespace
