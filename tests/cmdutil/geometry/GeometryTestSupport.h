#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

#include "sdk/db/QvDbEntity.h"
#include "sdk/ge/QvGeArrays.h"
#include "sdk/ge/QvGeCurve3d.h"

class QvDbDatabase;

// Steps and checks the conversion tests share.

// Appends a new entity to the model space of `db` and closes it; its id (null on failure).
QvDbObjectId appendToModelSpace(QvDbDatabase* db, QvDbEntity* entity);

// The fit points of a geometry polyline (empty for any other curve).
QvGePoint3dArray fitPointsOf(const QvGeCurve3d* curve);

::testing::AssertionResult pointsNear(const QvGePoint3d& a, const QvGePoint3d& b,
                                      double tol = 1e-9);
// The same points in the same order.
::testing::AssertionResult pointListsNear(const QvGePoint3dArray& a, const QvGePoint3dArray& b,
                                          double tol = 1e-9);

// Parameter lists in failure messages.
void PrintTo(const QvArray<double>& values, std::ostream* os);

#define EXPECT_POINT_NEAR(a, b) EXPECT_TRUE(pointsNear((a), (b)))
#define EXPECT_POINTS_NEAR(a, b) EXPECT_TRUE(pointListsNear((a), (b)))

using CurvePtr = std::unique_ptr<QvGeCurve3d>;
