// Splines: fit and NURBS data, splits and exact circles.
#include <gtest/gtest.h>

#include "sdk/db/QvDbSpline.h"
#include "sdk/db/QvDbSplineImp.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "tests/sdk/db/EntityTestSupport.h"

namespace {

using QvGe::k2Pi;
using QvGe::kPi;
using Vexa::eInvalidInput;
using Vexa::eOk;

TEST(SplineTest, FitDataPassesThroughItsPoints) {
  const QvGePoint3dArray fit{QvGePoint3d(0, 0, 0), QvGePoint3d(1, 1, 0), QvGePoint3d(2, 0, 0),
                             QvGePoint3d(3, 1, 0)};
  QvDbSpline spline(fit, 3, 0.0, QvGeVector3d(1, 0, 0), QvGeVector3d());
  ASSERT_TRUE(spline.hasFitData());
  EXPECT_EQ(spline.numFitPoints(), 4);
  QvGePoint3d p;
  EXPECT_EQ(spline.getFitPointAt(2, p), eOk);
  EXPECT_POINT_NEAR(p, QvGePoint3d(2, 0, 0), 0);
  EXPECT_EQ(spline.getFitPointAt(4, p), Vexa::eInvalidIndex);
  for (int i = 0; i < fit.length(); ++i) {
    double param = 0;
    EXPECT_EQ(spline.getParamAtPoint(fit[i], param), eOk) << i;
  }
  const CurveEnds ends = endsOf(spline);
  EXPECT_POINT_NEAR(ends.start, fit[0], 1e-12);
  EXPECT_POINT_NEAR(ends.end, fit[3], 1e-12);
  QvGeVector3d t0, t1;
  EXPECT_EQ(spline.getFitTangents(t0, t1), eOk);
  EXPECT_VECTOR_NEAR(t0, QvGeVector3d(1, 0, 0), 0);
  // The start tangent's direction holds at the start.
  QvGeVector3d d;
  EXPECT_EQ(spline.getFirstDeriv(ends.startParam, d), eOk);
  EXPECT_NEAR(d.normal().dotProduct(QvGeVector3d(1, 0, 0)), 1.0, 1e-12);

  // Moving a control point leaves the fit data behind.
  EXPECT_EQ(spline.setControlPointAt(1, QvGePoint3d(0, 2, 0)), eOk);
  EXPECT_FALSE(spline.hasFitData());
  EXPECT_EQ(spline.setControlPointAt(99, QvGePoint3d()), Vexa::eInvalidIndex);
  EXPECT_EQ(spline.setFitData(QvGePoint3dArray{QvGePoint3d()}, 3), eInvalidInput);
  EXPECT_EQ(spline.extend(1.0), Vexa::eNotApplicable);
}

TEST(SplineTest, ExactCircleHasTheCirclesLengthAndArea) {
  std::unique_ptr<QvDbSpline> circle(unitCircleSpline(QvGePoint3d(2, 3, 0)));
  EXPECT_TRUE(circle->isClosed());
  EXPECT_TRUE(circle->isRational());
  double end = 0, length = 0, area = 0;
  ASSERT_EQ(circle->getEndParam(end), eOk);
  EXPECT_EQ(end, 4.0);
  EXPECT_EQ(circle->getDistAtParam(end, length), eOk);
  EXPECT_NEAR(length, k2Pi, 1e-9);
  EXPECT_EQ(circle->getArea(area), eOk);
  EXPECT_NEAR(area, kPi, 1e-12);
  QvGePlane plane;
  QvDb::Planarity planarity = QvDb::kNonPlanar;
  EXPECT_EQ(circle->getPlane(plane, planarity), eOk);
  EXPECT_EQ(planarity, QvDb::kPlanar);
  EXPECT_TRUE(plane.normal().isParallelTo(QvGeVector3d::kZAxis));
  // Bad NURBS data is refused and the curve stays.
  EXPECT_EQ(circle->setNurbsData(2, false, false, false, QvGePoint3dArray{QvGePoint3d()},
                                 QvGeDoubleArray{0, 1}, QvGeDoubleArray()),
            eInvalidInput);
  EXPECT_EQ(circle->numControlPoints(), 9);
}

TEST(SplineTest, SplitPiecesMeetAndKeepTheLength) {
  const QvGePoint3dArray fit{QvGePoint3d(0, 0, 0), QvGePoint3d(2, 3, 1), QvGePoint3d(5, 1, 0),
                             QvGePoint3d(7, 4, 2)};
  const QvDbSpline spline(fit);
  const CurveEnds ends = endsOf(spline);
  const double cut = ends.startParam + 0.37 * (ends.endParam - ends.startParam);
  const EntityList pieces = splitInto<QvDbSpline>(spline, QvGeDoubleArray{cut}, 2);
  ASSERT_EQ(pieces.size(), 2);
  EXPECT_POINT_NEAR(endsOf(*pieces.as<QvDbSpline>(0)).end, at(spline, cut), 1e-12);
  QvGePlane plane;
  QvDb::Planarity planarity = QvDb::kPlanar;
  EXPECT_EQ(spline.getPlane(plane, planarity), eOk);
  EXPECT_EQ(planarity, QvDb::kNonPlanar);
  double area = 0;
  EXPECT_EQ(spline.getArea(area), Vexa::eNotApplicable);
}

TEST(SplineTest, ImplementationObjectHandsTheNurbsCurve) {
  std::unique_ptr<QvDbSpline> circle(unitCircleSpline(QvGePoint3d()));
  auto* imp = static_cast<QvDbSplineImp*>(QvDbSystemInternals::getImpObject(circle.get()));
  ASSERT_NE(imp, nullptr);
  EXPECT_EQ(imp->nurbCurve().numControlPoints(), 9);
  QvGeNurbCurve3d moved(imp->nurbCurve());
  moved.transformBy(QvGeMatrix3d::translation(QvGeVector3d(0, 0, 5)));
  EXPECT_EQ(imp->setNurbCurve3d(moved), eOk);
  QvGePoint3d p;
  circle->getStartPoint(p);
  EXPECT_POINT_NEAR(p, QvGePoint3d(1, 0, 5), 1e-12);
  EXPECT_EQ(imp->setNurbCurve3d(QvGeNurbCurve3d(2, QvGeDoubleArray{0}, QvGePoint3dArray{})),
            eInvalidInput);
}

}  // namespace
