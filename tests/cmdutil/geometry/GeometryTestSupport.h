#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

#include "sdk/db/QvDbEntity.h"
#include "sdk/ge/QvGeArrays.h"
#include "sdk/ge/QvGeCurve3d.h"
#include "tests/support/DbSetup.h"
#include "tests/support/PointChecks.h"

// Steps and checks the conversion tests share.

// The fit points of a geometry polyline (empty for any other curve).
QvGePoint3dArray fitPointsOf(const QvGeCurve3d* curve);

// Parameter lists in failure messages.
void PrintTo(const QvArray<double>& values, std::ostream* os);

using CurvePtr = std::unique_ptr<QvGeCurve3d>;
