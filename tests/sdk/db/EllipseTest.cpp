// Ellipses: eccentric parameters and geometric angles, lengths and areas against independent
// sums, splits, extension, and affine maps.
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

// Arc length of the ellipse with radii a, b between eccentric parameters, by Simpson's rule.
double simpsonLength(double a, double b, double from, double to) {
  const int n = 20000;
  const double h = (to - from) / n;
  auto speed = [&](double t) { return std::hypot(a * std::sin(t), b * std::cos(t)); };
  double sum = speed(from) + speed(to);
  for (int i = 1; i < n; ++i) sum += speed(from + i * h) * (i % 2 ? 4 : 2);
  return sum * h / 3;
}

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
  EXPECT_NEAR(ellipse.paramAtAngle(7.0), 7.0 + ellipse.paramAtAngle(7.0 - k2Pi) - 7.0 + k2Pi,
              1e-12);

  double dist = 0, area = 0;
  EXPECT_EQ(ellipse.getDistAtParam(k2Pi, dist), eOk);
  EXPECT_NEAR(dist, simpsonLength(5, 3, 0, k2Pi), 1e-9);
  EXPECT_EQ(ellipse.getArea(area), eOk);
  EXPECT_NEAR(area, kPi * 15, 1e-12);

  // An arc from angle 0 to 90 degrees (parameters equal at the axes).
  QvDbEllipse arc(QvGePoint3d(), QvGeVector3d::kZAxis, QvGeVector3d(5, 0, 0), 0.6, 0.0, kHalfPi);
  EXPECT_FALSE(arc.isClosed());
  EXPECT_NEAR(arc.endParam(), kHalfPi, 1e-12);
  EXPECT_EQ(arc.getDistAtParam(kHalfPi, dist), eOk);
  EXPECT_NEAR(dist, simpsonLength(5, 3, 0, kHalfPi), 1e-9);
  // The quarter ellipse less the triangle under the chord.
  EXPECT_EQ(arc.getArea(area), eOk);
  EXPECT_NEAR(area, kPi * 15 / 4 - 7.5, 1e-12);
  double param = 0;
  EXPECT_EQ(arc.getParamAtPoint(QvGePoint3d(-5, 0, 0), param), eInvalidInput);
}

TEST(EllipseTest, SplitsAndExtension) {
  const QvDbEllipse ellipse(QvGePoint3d(), QvGeVector3d::kZAxis, QvGeVector3d(4, 0, 0), 0.5);
  QvArray<QvDbEntity*> out;
  ASSERT_EQ(ellipse.getSplitCurves(QvGeDoubleArray{1.0, 4.0}, out), eOk);
  EntityList pieces(out);
  ASSERT_EQ(pieces.count<QvDbEllipse>(), 2);
  double total = 0;
  for (int i = 0; i < 2; ++i) {
    double d = 0, end = 0;
    pieces.as<QvDbEllipse>(i)->getEndParam(end);
    pieces.as<QvDbEllipse>(i)->getDistAtParam(end, d);
    total += d;
  }
  double whole = 0;
  ellipse.getDistAtParam(k2Pi, whole);
  EXPECT_NEAR(total, whole, 1e-9);
  QvGePoint3d a, b;
  pieces.as<QvDbEllipse>(0)->getEndPoint(a);
  pieces.as<QvDbEllipse>(1)->getStartPoint(b);
  EXPECT_POINT_NEAR(a, b, 1e-12);
  EXPECT_POINT_NEAR(a, at(ellipse, 4.0), 1e-12);

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
