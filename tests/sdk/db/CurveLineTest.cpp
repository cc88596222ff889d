// Lines, rays and xlines: distances as parameters, splits, extension and refusals.
#include <gtest/gtest.h>

#include <cmath>

#include "sdk/db/QvDbExtents.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbRay.h"
#include "sdk/db/QvDbXline.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "tests/sdk/db/EntityTestSupport.h"

namespace {

using Vexa::eInvalidInput;
using Vexa::eNotApplicable;
using Vexa::eOk;

constexpr double kTol = 1e-12;

// Beyond what every curve keeps (CurveConsistencyTest): a line's parameter is the distance from
// its start.
TEST(CurveLineTest, ParametersMeasureTheDistanceFromTheStart) {
  const QvDbLine line(QvGePoint3d(1, 2, 0), QvGePoint3d(4, 6, 0));  // length 5
  double dist = 0, area = -1;
  EXPECT_EQ(endsOf(line).startParam, 0.0);
  EXPECT_NEAR(endsOf(line).endParam, 5.0, kTol);
  for (double t : {1.0, 2.5, 4.0}) {
    EXPECT_POINT_NEAR(at(line, t), QvGePoint3d(1, 2, 0) + QvGeVector3d(0.6, 0.8, 0) * t, kTol);
    EXPECT_EQ(line.getDistAtParam(t, dist), eOk);
    EXPECT_NEAR(dist, t, kTol);
  }
  QvGeVector3d d1;
  EXPECT_EQ(line.getFirstDeriv(QvGePoint3d(4, 6, 0), d1), eOk);
  EXPECT_VECTOR_NEAR(d1, QvGeVector3d(0.6, 0.8, 0), kTol);
  EXPECT_EQ(line.getArea(area), eOk);
  EXPECT_EQ(area, 0.0);
  EXPECT_FALSE(line.isClosed());
}

TEST(CurveLineTest, BadInputIsRefusedAndLeavesOutputsAlone) {
  QvDbLine line(QvGePoint3d(0, 0, 0), QvGePoint3d(10, 0, 0));
  QvGePoint3d p(7, 7, 7);
  double value = 42;
  EXPECT_EQ(line.getPointAtParam(10.5, p), eInvalidInput);
  EXPECT_EQ(line.getPointAtParam(-0.5, p), eInvalidInput);
  EXPECT_EQ(line.getPointAtParam(NAN, p), eInvalidInput);
  EXPECT_POINT_NEAR(p, QvGePoint3d(7, 7, 7), 0);
  EXPECT_EQ(line.getParamAtPoint(QvGePoint3d(5, 1e-6, 0), value), eInvalidInput);
  EXPECT_EQ(line.getParamAtPoint(QvGePoint3d(11, 0, 0), value), eInvalidInput);  // on the carrier
  EXPECT_EQ(line.getParamAtDist(-1, value), eInvalidInput);
  EXPECT_EQ(line.getParamAtDist(10.001, value), eInvalidInput);
  EXPECT_EQ(line.getDistAtParam(11, value), eInvalidInput);
  EXPECT_EQ(value, 42);

  // A point within a relative 1e-9 counts as on the line, as far out as the coordinates go.
  QvDbLine far(QvGePoint3d(1e6, 0, 0), QvGePoint3d(1e6 + 10, 0, 0));
  EXPECT_EQ(far.getParamAtPoint(QvGePoint3d(1e6 + 5, 1e-4, 0), value), eOk);
  EXPECT_NEAR(value, 5.0, 1e-9);

  // A line of no length has no curve.
  const QvDbLine dot(QvGePoint3d(3, 3, 3), QvGePoint3d(3, 3, 3));
  EXPECT_EQ(dot.getEndParam(value), eInvalidInput);
  EXPECT_EQ(dot.getPointAtParam(0, p), eInvalidInput);
  QvArray<QvDbEntity*> pieces;
  EXPECT_EQ(dot.getSplitCurves(QvGeDoubleArray{0.0}, pieces), eInvalidInput);
  EXPECT_TRUE(pieces.isEmpty());
  EXPECT_EQ(line.extend(5.0), eInvalidInput);  // inside
  EXPECT_POINT_NEAR(line.startPoint(), QvGePoint3d(0, 0, 0), 0);
  EXPECT_POINT_NEAR(line.endPoint(), QvGePoint3d(10, 0, 0), 0);
}

TEST(CurveLineTest, SplitPiecesMeetAndAddUpToTheWhole) {
  QvDbLine line(QvGePoint3d(0, 0, 0), QvGePoint3d(0, 12, 5));  // length 13
  line.setColorIndex(3);
  // Repeats and the ends do not cut; the pieces take the curve's properties.
  const EntityList pieces = splitInto<QvDbLine>(line, QvGeDoubleArray{9.1, 2.6, 9.1, 0.0, 13.0}, 3);
  ASSERT_EQ(pieces.size(), 3);
  EXPECT_POINT_NEAR(pieces.as<QvDbLine>(0)->startPoint(), QvGePoint3d(0, 0, 0), 0);
  EXPECT_POINT_NEAR(pieces.as<QvDbLine>(0)->endPoint(), QvGePoint3d(0, 2.4, 1), 1e-12);
  EXPECT_POINT_NEAR(pieces.as<QvDbLine>(2)->endPoint(), QvGePoint3d(0, 12, 5), 1e-12);
  for (int i = 0; i < pieces.size(); ++i) EXPECT_EQ(pieces[i]->colorIndex(), 3);

  // At points; any point off the line or parameter outside refuses the whole split.
  QvGePoint3dArray points{QvGePoint3d(0, 6, 2.5)};
  QvArray<QvDbEntity*> out;
  ASSERT_EQ(line.getSplitCurves(points, out), eOk);
  EXPECT_EQ(EntityList(out).size(), 2);
  EXPECT_EQ(line.getSplitCurves(QvGeDoubleArray{}, out), eInvalidInput);
  EXPECT_EQ(line.getSplitCurves(QvGeDoubleArray{4.0, 14.0}, out), eInvalidInput);
  points.append(QvGePoint3d(1, 1, 1));
  EXPECT_EQ(line.getSplitCurves(points, out), eInvalidInput);
  EXPECT_TRUE(out.isEmpty());
}

TEST(CurveLineTest, ExtendsAlongItsCarrierOnly) {
  QvDbLine line(QvGePoint3d(0, 0, 0), QvGePoint3d(4, 3, 0));
  EXPECT_EQ(line.extend(-5.0), eOk);  // five back from the start
  EXPECT_POINT_NEAR(line.startPoint(), QvGePoint3d(-4, -3, 0), 1e-12);
  EXPECT_EQ(line.extend(15.0), eOk);  // to 15 from the new start
  EXPECT_POINT_NEAR(line.endPoint(), QvGePoint3d(8, 6, 0), 1e-12);
  EXPECT_EQ(line.extend(false, QvGePoint3d(12, 9, 0)), eOk);
  EXPECT_POINT_NEAR(line.endPoint(), QvGePoint3d(12, 9, 0), 0);
  // Off the carrier, or on the wrong side of the end: refused, unchanged.
  EXPECT_EQ(line.extend(true, QvGePoint3d(-8, -5, 0)), eInvalidInput);
  EXPECT_EQ(line.extend(true, QvGePoint3d(0, 0, 0)), eInvalidInput);
  EXPECT_POINT_NEAR(line.startPoint(), QvGePoint3d(-4, -3, 0), 1e-12);
}

TEST(CurveLineTest, ClosestPointsPlainExtendedAndSeenAlongADirection) {
  const QvDbLine line(QvGePoint3d(0, 0, 0), QvGePoint3d(10, 0, 0));
  QvGePoint3d p;
  EXPECT_EQ(line.getClosestPointTo(QvGePoint3d(14, 3, 0), p), eOk);
  EXPECT_POINT_NEAR(p, QvGePoint3d(10, 0, 0), kTol);
  EXPECT_EQ(line.getClosestPointTo(QvGePoint3d(14, 3, 0), p, true), eOk);
  EXPECT_POINT_NEAR(p, QvGePoint3d(14, 0, 0), kTol);
  // Seen along (1, 0, -1) the point (2, 5, 5) stands over (7, 0, 0).
  EXPECT_EQ(line.getClosestPointTo(QvGePoint3d(2, 5, 5), QvGeVector3d(1, 0, -1), p), eOk);
  EXPECT_POINT_NEAR(p, QvGePoint3d(7, 0, 0), 1e-9);
  EXPECT_EQ(line.getClosestPointTo(QvGePoint3d(2, 5, 5), QvGeVector3d(), p), eInvalidInput);
}

TEST(CurveLineTest, TransformsReversesAndProjects) {
  QvDbLine line(QvGePoint3d(1, 0, 0), QvGePoint3d(3, 0, 0));
  const QvGeMatrix3d move = QvGeMatrix3d::translation(QvGeVector3d(0, 0, 2)) *
                            QvGeMatrix3d::rotation(QvGe::kHalfPi, QvGeVector3d::kZAxis);
  EXPECT_EQ(line.transformBy(move), eOk);
  EXPECT_POINT_NEAR(line.startPoint(), QvGePoint3d(0, 1, 2), 1e-12);
  EXPECT_POINT_NEAR(line.endPoint(), QvGePoint3d(0, 3, 2), 1e-12);
  EXPECT_EQ(line.transformBy(QvGeMatrix3d::scaling(0.0)), Vexa::eDegenerateGeometry);
  // Right after a regular matrix, one that differs from it in a single entry and flattens
  // space, or holds a NaN, is still refused; the regular one is taken again.
  QvDbLine other(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 1, 1));
  QvGeMatrix3d twice = QvGeMatrix3d::scaling(2.0);
  ASSERT_EQ(other.transformBy(twice), eOk);
  QvGeMatrix3d flat = twice;
  flat.entry[2][2] = 0.0;
  EXPECT_EQ(other.transformBy(flat), Vexa::eDegenerateGeometry);
  QvGeMatrix3d holed = twice;
  holed.entry[0][3] = std::nan("");
  EXPECT_EQ(other.transformBy(holed), Vexa::eDegenerateGeometry);
  EXPECT_POINT_NEAR(other.endPoint(), QvGePoint3d(2, 2, 2), 0.0);
  ASSERT_EQ(other.transformBy(twice), eOk);
  EXPECT_POINT_NEAR(other.endPoint(), QvGePoint3d(4, 4, 4), 0.0);
  // Lines of different normals one after another under one matrix, then a mirror: each
  // normal is the image of its own (a quarter turn about X takes Z to -Y and Y to Z).
  const QvGeMatrix3d quarter = QvGeMatrix3d::rotation(QvGe::kHalfPi, QvGeVector3d::kXAxis);
  QvDbLine up(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0));
  QvDbLine side(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0));
  ASSERT_EQ(side.setNormal(QvGeVector3d::kYAxis), eOk);
  ASSERT_EQ(up.transformBy(quarter), eOk);
  ASSERT_EQ(side.transformBy(quarter), eOk);
  EXPECT_VECTOR_NEAR(up.normal(), QvGeVector3d(0, -1, 0), 1e-15);
  EXPECT_VECTOR_NEAR(side.normal(), QvGeVector3d(0, 0, 1), 1e-15);
  QvDbLine again(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0));
  ASSERT_EQ(again.transformBy(quarter), eOk);
  EXPECT_VECTOR_NEAR(again.normal(), QvGeVector3d(0, -1, 0), 1e-15);
  QvGeMatrix3d mirror;
  mirror.entry[1][1] = -1.0;  // y to -y: the plane y = 0 stays, its normal turns over
  ASSERT_EQ(again.transformBy(mirror), eOk);
  EXPECT_VECTOR_NEAR(again.normal(), QvGeVector3d(0, 1, 0), 1e-15);
  EXPECT_EQ(line.reverseCurve(), eOk);
  EXPECT_POINT_NEAR(line.startPoint(), QvGePoint3d(0, 3, 2), 1e-12);

  QvDbCurve* image = nullptr;
  ASSERT_EQ(line.getProjectedCurve(QvGePlane::kXYPlane, QvGeVector3d(1, 0, 1), image), eOk);
  std::unique_ptr<QvDbCurve> owned(image);
  ASSERT_NE(QvDbLine::cast(image), nullptr);
  EXPECT_POINT_NEAR(QvDbLine::cast(image)->startPoint(), QvGePoint3d(-2, 3, 0), 1e-12);
  // A direction in the plane cannot project.
  EXPECT_EQ(line.getProjectedCurve(QvGePlane::kXYPlane, QvGeVector3d(1, 0, 0), image),
            eInvalidInput);
  QvDbExtents box;
  EXPECT_EQ(line.getGeomExtents(box), eOk);
  EXPECT_POINT_NEAR(box.minPoint(), QvGePoint3d(0, 1, 2), 1e-12);
  EXPECT_POINT_NEAR(box.maxPoint(), QvGePoint3d(0, 3, 2), 1e-12);
}

TEST(CurveLineTest, RaysHaveAStartAndXlinesNoEnds) {
  QvDbRay ray(QvGePoint3d(1, 1, 0), QvGeVector3d(0, 2, 0));
  EXPECT_VECTOR_NEAR(ray.unitDir(), QvGeVector3d(0, 1, 0), 0);
  double value = 0;
  QvGePoint3d p;
  EXPECT_EQ(ray.getStartParam(value), eOk);
  EXPECT_EQ(value, 0.0);
  EXPECT_EQ(ray.getEndParam(value), eNotApplicable);
  EXPECT_EQ(ray.getEndPoint(p), eNotApplicable);
  EXPECT_EQ(ray.getPointAtParam(1e6, p), eOk);
  EXPECT_EQ(ray.getPointAtParam(-1, p), eInvalidInput);
  EXPECT_EQ(ray.getParamAtPoint(QvGePoint3d(1, 0, 0), value), eInvalidInput);  // behind
  EXPECT_EQ(ray.extend(-2.0), eOk);
  EXPECT_POINT_NEAR(ray.basePoint(), QvGePoint3d(1, -1, 0), 0);
  EXPECT_EQ(ray.extend(3.0), eInvalidInput);
  EXPECT_EQ(ray.setUnitDir(QvGeVector3d()), eInvalidInput);
  QvDbExtents box;
  EXPECT_EQ(ray.getGeomExtents(box), Vexa::eInvalidExtents);
  EXPECT_EQ(ray.reverseCurve(), eNotApplicable);

  QvDbXline xline(QvGePoint3d(0, 0, 5), QvGeVector3d(1, 1, 0));
  EXPECT_EQ(xline.getStartParam(value), eNotApplicable);
  EXPECT_EQ(xline.getParamAtPoint(QvGePoint3d(-3, -3, 5), value), eOk);
  EXPECT_NEAR(value, -3 * std::sqrt(2.0), 1e-12);
  EXPECT_EQ(xline.getDistAtParam(-2.0, value), eOk);  // signed, from the base point
  EXPECT_NEAR(value, -2.0, 0);
  EXPECT_EQ(xline.extend(1.0), eNotApplicable);
  EXPECT_EQ(xline.reverseCurve(), eOk);
  EXPECT_VECTOR_NEAR(xline.unitDir(), QvGeVector3d(-1, -1, 0).normal(), 1e-15);
}

}  // namespace
