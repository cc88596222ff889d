// Ellipses: parameters and angles, closed forms, splits, extension and affine maps.
#include <gtest/gtest.h>

#include <cmath>

#include "sdk/db/QvDbEllipse.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "tests/sdk/db/EntityTestSupport.h"

namespace {

using QvGe::k2Pi;
using QvGe::kHalfPi;
using QvGe::kPi;
using Vexa::eInvalidInput;
using Vexa::eOk;

TEST(EllipseTest, RefusesDataThatMakesNoEllipse) {
  QvDbEllipse ellipse;
  const QvGePoint3d c(0, 0, 0);
  EXPECT_EQ(ellipse.set(c, QvGeVector3d::kZAxis, QvGeVector3d(4, 0, 0), 1.5), eInvalidInput);
  EXPECT_EQ(ellipse.set(c, QvGeVector3d::kZAxis, QvGeVector3d(4, 0, 1), 0.5), eInvalidInput);
  EXPECT_EQ(ellipse.set(c, QvGeVector3d(), QvGeVector3d(4, 0, 0), 0.5), eInvalidInput);
  EXPECT_EQ(ellipse.set(c, QvGeVector3d::kZAxis, QvGeVector3d(), 0.5), eInvalidInput);
  EXPECT_EQ(ellipse.setRadiusRatio(0.0), eInvalidInput);
  EXPECT_EQ(ellipse.radiusRatio(), 1.0);  // the default stays
}

TEST(EllipseTest, ParametersAnglesLengthAndArea) {
  // a = 5 along (0, 1, 0), b = 3; the minor axis is normal x major = (-1, 0, 0).
  const QvDbEllipse ellipse(QvGePoint3d(1, 1, 0), QvGeVector3d::kZAxis, QvGeVector3d(0, 5, 0), 0.6);
  EXPECT_VECTOR_NEAR(ellipse.minorAxis(), QvGeVector3d(-3, 0, 0), 1e-15);
  EXPECT_TRUE(ellipse.isClosed());
  EXPECT_POINT_NEAR(at(ellipse, 0.0), QvGePoint3d(1, 6, 0), 1e-12);
  EXPECT_POINT_NEAR(at(ellipse, kHalfPi), QvGePoint3d(-2, 1, 0), 1e-12);
  // Geometric angle 45 degrees: tan(t) = (a / b) tan(45 degrees).
  EXPECT_NEAR(ellipse.paramAtAngle(kPi / 4), std::atan(5.0 / 3.0), 1e-12);
  EXPECT_NEAR(ellipse.angleAtParam(std::atan(5.0 / 3.0)), kPi / 4, 1e-12);
  EXPECT_NEAR(ellipse.paramAtAngle(7.0), ellipse.paramAtAngle(7.0 - k2Pi) + k2Pi, 1e-12);

  // Lengths agree with chord sums for every curve (CurveConsistencyTest).
  double area = 0;
  EXPECT_EQ(ellipse.getArea(area), eOk);
  EXPECT_NEAR(area, kPi * 15, 1e-12);

  // An arc from angle 0 to 90 degrees (parameters equal at the axes).
  QvDbEllipse arc(QvGePoint3d(), QvGeVector3d::kZAxis, QvGeVector3d(5, 0, 0), 0.6, 0.0, kHalfPi);
  EXPECT_FALSE(arc.isClosed());
  EXPECT_NEAR(arc.endParam(), kHalfPi, 1e-12);
  // The quarter ellipse less the triangle under the chord.
  EXPECT_EQ(arc.getArea(area), eOk);
  EXPECT_NEAR(area, kPi * 15 / 4 - 7.5, 1e-12);
  double param = 0;
  EXPECT_EQ(arc.getParamAtPoint(QvGePoint3d(-5, 0, 0), param), eInvalidInput);
}

TEST(EllipseTest, SplitsAndExtension) {
  const QvDbEllipse ellipse(QvGePoint3d(), QvGeVector3d::kZAxis, QvGeVector3d(4, 0, 0), 0.5);
  const EntityList pieces = splitInto<QvDbEllipse>(ellipse, QvGeDoubleArray{1.0, 4.0}, 2);
  ASSERT_EQ(pieces.size(), 2);
  QvGePoint3d cut;
  pieces.as<QvDbEllipse>(0)->getEndPoint(cut);
  EXPECT_POINT_NEAR(cut, at(ellipse, 4.0), 1e-12);

  QvDbEllipse arc(QvGePoint3d(), QvGeVector3d::kZAxis, QvGeVector3d(4, 0, 0), 0.5, 0.0, kHalfPi);
  EXPECT_EQ(arc.extend(-1.0), eOk);
  EXPECT_NEAR(arc.startParam(), -1.0, 1e-15);
  EXPECT_EQ(arc.extend(false, at(ellipse, 3.0)), eOk);
  EXPECT_NEAR(arc.endParam(), 3.0, 1e-9);
  EXPECT_EQ(arc.extend(false, QvGePoint3d(4, 1, 0)), eInvalidInput);  // off the ellipse
  EXPECT_EQ(arc.extend(5.5), eInvalidInput);                          // past a whole turn
  QvDbEllipse full(ellipse);
  EXPECT_EQ(full.extend(7.0), Vexa::eNotApplicable);
}

TEST(EllipseTest, AffineMapsMoveEveryPointToItsImage) {
  const QvDbEllipse original(QvGePoint3d(1, 2, 3), QvGeVector3d(0, 0, 1), QvGeVector3d(3, 4, 0),
                             0.4, 0.3, 2.5);
  QvGeMatrix3d shear;
  shear.entry[0][1] = 0.7;  // x += 0.7 y
  shear.entry[1][1] = 0.5;
  const QvGeMatrix3d maps[] = {
      shear,
      QvGeMatrix3d::mirroring(QvGePlane(QvGePoint3d(0, 0, 0), QvGeVector3d(1, 0, 0))),
      QvGeMatrix3d::rotation(1.0, QvGeVector3d(1, 1, 0)) * QvGeMatrix3d::scaling(2.0),
  };
  for (const QvGeMatrix3d& m : maps) {
    QvDbEllipse image(original);
    ASSERT_EQ(image.transformBy(m), eOk);
    EXPECT_LE(image.radiusRatio(), 1.0);
    for (double f : {0.0, 0.3, 0.7, 1.0}) {
      QvGePoint3d p =
          at(original, original.startParam() + f * (original.endParam() - original.startParam()));
      p.transformBy(m);
      QvGePoint3d closest;
      ASSERT_EQ(image.getClosestPointTo(p, closest), eOk);
      EXPECT_POINT_NEAR(closest, p, 1e-9);
    }
    double a0 = 0, a1 = 0;
    original.getArea(a0);
    image.getArea(a1);
    QvGeVector3d u = original.majorAxis().normal(), v = original.minorAxis().normal();
    u.transformBy(m);
    v.transformBy(m);
    EXPECT_NEAR(a1, a0 * u.crossProduct(v).length(), 1e-9);
  }
}

}  // namespace
