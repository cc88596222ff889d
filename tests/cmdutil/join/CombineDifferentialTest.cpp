// ChangeToPolyLine against the plain quadratic reference, on seeded random inputs: the same
// outputs, bit for bit.
#include <gtest/gtest.h>

#include "tests/cmdutil/join/JoinTestCurves.h"
#include "tests/cmdutil/join/LiteralCombine.h"
#include "xqcmdutil/CombineHelper.h"

namespace {

TEST(CombineDifferential, SameOutputsAsTheReferenceOnTenThousandRandomInputs) {
  constexpr uint32_t kInputs = 10000;
  int polylines = 0;
  for (uint32_t seed = 1; seed <= kInputs; ++seed) {
    JoinTestCurves in;
    addRandomJoinInput(seed, in);
    JoinOutputs fast, reference;
    ASSERT_TRUE(CombineHelper::ChangeToPolyLine(in.view(), fast.array()));
    ASSERT_TRUE(LiteralCombine::changeToPolyLine(in.view(), reference.array()));
    ASSERT_TRUE(sameJoinOutputs(fast, reference)) << "seed " << seed;
    polylines += fast.length();
  }
  // The inputs are not trivial: most chains join several curves.
  EXPECT_GT(polylines, static_cast<int>(kInputs));
}

}  // namespace
