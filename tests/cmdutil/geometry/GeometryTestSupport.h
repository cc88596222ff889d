#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

#include "sdk/db/QvDbCurve.h"
#include "sdk/ge/QvGeCurve3d.h"
#include "tests/support/CurveEnds.h"
#include "tests/support/DbSetup.h"
#include "tests/support/PointChecks.h"

// Steps and checks the conversion tests share.

// Parameter lists in failure messages.
void PrintTo(const QvArray<double>& values, std::ostream* os);

using CurvePtr = std::unique_ptr<QvGeCurve3d>;
