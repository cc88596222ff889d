#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "sdk/ge/QvGeScale3d.h"

// Compares all three factors of two scales at once (exactly unless a tolerance is given); a
// failure shows both.
inline ::testing::AssertionResult scalesNear(const QvGeScale3d& a, const QvGeScale3d& b,
                                             double tol = 0.0) {
  if (std::abs(a.sx - b.sx) <= tol && std::abs(a.sy - b.sy) <= tol && std::abs(a.sz - b.sz) <= tol)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << ::testing::PrintToString(a.sx) << ", " << ::testing::PrintToString(a.sy) << ", "
         << ::testing::PrintToString(a.sz) << " is not " << ::testing::PrintToString(b.sx) << ", "
         << ::testing::PrintToString(b.sy) << ", " << ::testing::PrintToString(b.sz) << " within "
         << tol;
}

// (a, b) or (a, b, tol).
#define EXPECT_SCALE_NEAR(...) EXPECT_TRUE(scalesNear(__VA_ARGS__))
