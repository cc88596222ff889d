#include <gtest/gtest.h>

#include <utility>

#include "sdk/db/QvDbHeader.h"

namespace {

TEST(HeaderPlacesTest, APlaceFollowsItsVariableUntilTheHeaderIsRearranged) {
  QvDbHeader header;
  const QvDbHeaderValue* insunits = header.find(L"insunits");
  ASSERT_NE(insunits, nullptr);
  EXPECT_EQ(header.find(L"$INSUNITS"), insunits);
  EXPECT_EQ(header.find(L"NOSUCHVARIABLE"), nullptr);

  // Changing a variable keeps every place, and the place shows the new value.
  const auto before = header.placesRevision();
  ASSERT_EQ(header.set(L"INSUNITS", QvDbHeaderValue::ofShort(6)), Vexa::eOk);
  EXPECT_EQ(header.placesRevision(), before);
  EXPECT_EQ(insunits->asShort(), 6);
  // So does a refused change, which leaves the value alone.
  EXPECT_NE(header.set(L"INSUNITS", QvDbHeaderValue::ofString(L"six")), Vexa::eOk);
  EXPECT_EQ(header.placesRevision(), before);
  EXPECT_EQ(insunits->asShort(), 6);

  // A new variable rearranges the header.
  ASSERT_EQ(header.set(L"FROMAFILE", QvDbHeaderValue::ofReal(2.5)), Vexa::eOk);
  EXPECT_NE(header.placesRevision(), before);
  ASSERT_NE(header.find(L"FROMAFILE"), nullptr);
  EXPECT_EQ(header.find(L"FROMAFILE")->asReal(), 2.5);
}

TEST(HeaderPlacesTest, NoTwoHeadersShareARevision) {
  QvDbHeader first;
  QvDbHeader second;
  EXPECT_NE(first.placesRevision(), second.placesRevision());

  const QvDbHeader copy(first);
  EXPECT_NE(copy.placesRevision(), first.placesRevision());
  EXPECT_NE(copy.find(L"INSUNITS"), first.find(L"INSUNITS"));

  // Assigned, copied or moved: both sides take revisions never seen, as their places moved.
  const auto seenFirst = first.placesRevision();
  const auto seenSecond = second.placesRevision();
  second = first;
  EXPECT_NE(second.placesRevision(), seenSecond);
  EXPECT_NE(second.placesRevision(), seenFirst);
  const auto assigned = second.placesRevision();
  QvDbHeader moved(std::move(second));
  EXPECT_NE(second.placesRevision(), assigned);  // NOLINT: the moved-from header is still usable
  EXPECT_NE(moved.placesRevision(), assigned);
  EXPECT_NE(moved.placesRevision(), second.placesRevision());  // NOLINT
  first = std::move(moved);
  EXPECT_NE(first.placesRevision(), seenFirst);
  EXPECT_NE(moved.placesRevision(), first.placesRevision());  // NOLINT
  EXPECT_EQ(first.get(L"INSUNITS").asShort(), copy.get(L"INSUNITS").asShort());
}

}  // namespace
