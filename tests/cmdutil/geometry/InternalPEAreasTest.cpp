// Hatches and regions answer area and boundary length through the internal extension, and a
// section, which has neither, says so.
#include <gtest/gtest.h>

#include <memory>
#include <numbers>

#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/modeler/QvDbRegion.h"
#include "sdk/modeler/VexaSpaModelerMgr.h"
#include "sdk/rx/QvRxDynamicLinker.h"
#include "tests/cmdutil/geometry/InternalPEFixture.h"
#include "tests/support/HatchShapes.h"

namespace {

constexpr double kPi = std::numbers::pi;

using InternalPEAreas = InternalPEFixture;

TEST_F(InternalPEAreas, AHatchMeasuresItsFilledAreaAndEveryLoop) {
  auto hatch = solidHatch();
  addEdgeLoop(*hatch, rectangleEdges(0, 0, 10, 6));
  addEdgeLoop(*hatch, circleEdges(QvGePoint2d(5, 3), 2), QvDbHatch::kDefault);
  EXPECT_NEAR(60 - 4 * kPi, area(*hatch), 1e-9);
  EXPECT_NEAR(32 + 4 * kPi, length(*hatch), 1e-9);
  angle(*hatch, Vexa::eNotImplemented);
  EXPECT_EQ(Vexa::eNotImplemented, setLength(*hatch, 1.0, QvGePoint3d()));
  EXPECT_EQ(Vexa::eNotImplemented, setAngle(*hatch, 1.0, QvGePoint3d()));

  // A polyline loop with a half-circle side, in a tilted plane.
  auto tilted = solidHatch(QvGeVector3d(0, 1, 1).normal(), 2.0);
  addPolylineLoop(*tilted, {{0, 0}, {4, 0}, {4, 4}, {0, 4}}, {0.0, 1.0, 0.0, 0.0});
  EXPECT_NEAR(16 + 2 * kPi, area(*tilted), 1e-9);
  EXPECT_NEAR(12 + 2 * kPi, length(*tilted), 1e-9);

  // No boundary: nothing to measure.
  auto empty = solidHatch();
  EXPECT_EQ(0.0, area(*empty, Vexa::eNotApplicable));
  EXPECT_EQ(0.0, length(*empty, Vexa::eInvalidInput));
  double value = 1.0;
  EXPECT_EQ(Vexa::eInvalidInput, pe(*hatch)->entityLength(nullptr, value));
  EXPECT_EQ(Vexa::eNotApplicable, pe(*hatch)->entityArea(nullptr, value));
}

TEST_F(InternalPEAreas, ARegionAnswersItsOwnAreaAndPerimeter) {
  ASSERT_TRUE(qvrxDynamicLinker()->loadModule(L"Xq3dCmds.qrx", false));
  QvDbLine bottom(QvGePoint3d(0, 0, 0), QvGePoint3d(8, 0, 0));
  QvDbLine right(QvGePoint3d(8, 0, 0), QvGePoint3d(8, 5, 0));
  QvDbLine top(QvGePoint3d(8, 5, 0), QvGePoint3d(0, 5, 0));
  QvDbLine left(QvGePoint3d(0, 5, 0), QvGePoint3d(0, 0, 0));
  QvDbCircle hole(QvGePoint3d(4, 2.5, 0), QvGeVector3d::kZAxis, 1.5);
  QvArray<QvDbCurve*> outline;
  for (QvDbCurve* c : {static_cast<QvDbCurve*>(&bottom), static_cast<QvDbCurve*>(&right),
                       static_cast<QvDbCurve*>(&top), static_cast<QvDbCurve*>(&left)})
    outline.append(c);
  QvDbRegion* made = nullptr;
  ASSERT_EQ(Vexa::eOk, spaCreateOneRegionFromCurves(outline, made, false, true, 1e-6));
  std::unique_ptr<QvDbRegion> plate(made);
  QvArray<QvDbCurve*> circle;
  circle.append(&hole);
  made = nullptr;
  ASSERT_EQ(Vexa::eOk, spaCreateOneRegionFromCurves(circle, made, false, true, 1e-6));
  std::unique_ptr<QvDbRegion> disc(made);
  ASSERT_EQ(Vexa::eOk, plate->booleanOper(QvDbRegion::kBoolSubtract, disc.get()));

  EXPECT_NEAR(40 - 2.25 * kPi, area(*plate), 1e-6);
  EXPECT_NEAR(26 + 3 * kPi, length(*plate), 1e-6);
  angle(*plate, Vexa::eNotImplemented);
  EXPECT_EQ(Vexa::eNotImplemented, setLength(*plate, 1.0, QvGePoint3d()));
  // What the subtraction consumed is null: it has no area and no boundary.
  EXPECT_EQ(0.0, area(*disc));
  EXPECT_EQ(0.0, length(*disc));
  plate.reset();
  disc.reset();
  ASSERT_TRUE(qvrxDynamicLinker()->unloadModule(L"Xq3dCmds.qrx"));
}

}  // namespace
