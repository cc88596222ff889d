#pragma once

#include <gtest/gtest.h>

#include "sdk/ge/QvGeArrays.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeVector3d.h"

// Comparisons of points and vectors that say how far apart they are when they fail.

::testing::AssertionResult pointsNear(const QvGePoint3d& a, const QvGePoint3d& b,
                                      double tol = 1e-9);
::testing::AssertionResult vectorsNear(const QvGeVector3d& a, const QvGeVector3d& b,
                                       double tol = 1e-9);
// The same points in the same order.
::testing::AssertionResult pointListsNear(const QvGePoint3dArray& a, const QvGePoint3dArray& b,
                                          double tol = 1e-9);

// (a, b) or (a, b, tol).
#define EXPECT_POINT_NEAR(...) EXPECT_TRUE(pointsNear(__VA_ARGS__))
#define EXPECT_VECTOR_NEAR(...) EXPECT_TRUE(vectorsNear(__VA_ARGS__))
#define EXPECT_POINTS_NEAR(...) EXPECT_TRUE(pointListsNear(__VA_ARGS__))
