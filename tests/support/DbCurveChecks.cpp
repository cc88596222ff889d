#include "tests/support/DbCurveChecks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "sdk/db/QvDb2dPolyline.h"
#include "sdk/db/QvDb3dPolyline.h"
#include "sdk/db/QvDbCurve.h"
#include "sdk/db/QvDbExtents.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/QvDbSpline.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/rx/QvRxClass.h"
#include "tests/support/PointChecks.h"

namespace dbcurvecheck {
namespace {

struct Span {
  double lo = 0.0;
  double hi = 0.0;
  double width() const { return hi - lo; }
};

Span spanOf(const QvDbCurve& c) {
  Span s;
  EXPECT_EQ(c.getStartParam(s.lo), Vexa::eOk);
  EXPECT_EQ(c.getEndParam(s.hi), Vexa::eOk);
  return s;
}

std::vector<QvGePoint3d> samples(const QvDbCurve& c, int count) {
  const Span s = spanOf(c);
  std::vector<QvGePoint3d> points;
  for (int i = 0; i <= count; ++i) points.push_back(at(c, s.lo + s.width() * i / count));
  return points;
}

// The largest distance from the start of the curve's points: the scale of its tolerances.
double sizeOf(const QvDbCurve& c) {
  const std::vector<QvGePoint3d> points = samples(c, 64);
  double size = 0.0;
  for (const QvGePoint3d& p : points) size = std::max(size, p.distanceTo(points[0]));
  return std::max(size, 1.0);
}

// Polylines change direction at their vertices, which sit at whole parameters: parameters
// for differences keep clear of them.
bool hasCorners(const QvDbCurve& c) {
  return QvDbPolyline::cast(&c) || QvDb2dPolyline::cast(&c) || QvDb3dPolyline::cast(&c);
}

// Inner parameters spread over the curve, off its vertices.
std::vector<double> innerParams(const QvDbCurve& c, int count) {
  const Span s = spanOf(c);
  std::vector<double> params;
  for (int i = 0; i < count; ++i) {
    double t = s.lo + s.width() * (i + 0.37) / count;
    if (hasCorners(c) && std::fabs(t - std::round(t)) < 0.01) t += 0.02;
    params.push_back(t);
  }
  return params;
}

std::unique_ptr<QvDbCurve> copyOf(const QvDbCurve& c) {
  return std::unique_ptr<QvDbCurve>(QvDbCurve::cast(c.clone()));
}

double lengthOf(const QvDbCurve& c) {
  double length = 0.0, end = 0.0;
  EXPECT_EQ(c.getEndParam(end), Vexa::eOk);
  EXPECT_EQ(c.getDistAtParam(end, length), Vexa::eOk);
  return length;
}

}  // namespace

QvGePoint3d at(const QvDbCurve& c, double t) {
  QvGePoint3d p;
  EXPECT_EQ(c.getPointAtParam(t, p), Vexa::eOk) << "t=" << t;
  return p;
}

void pointsAndParams(const QvDbCurve& c) {
  const Span s = spanOf(c);
  const double tol = 1e-9 * sizeOf(c);
  QvGePoint3d start, end;
  ASSERT_EQ(c.getStartPoint(start), Vexa::eOk);
  ASSERT_EQ(c.getEndPoint(end), Vexa::eOk);
  EXPECT_POINT_NEAR(start, at(c, s.lo), tol);
  EXPECT_POINT_NEAR(end, at(c, s.hi), tol);
  EXPECT_EQ(c.isClosed(), start.distanceTo(end) <= tol);

  const int count = 29;
  for (int i = 0; i <= count; ++i) {
    const double t = s.lo + s.width() * i / count;
    const QvGePoint3d p = at(c, t);
    double back = 0.0;
    ASSERT_EQ(c.getParamAtPoint(p, back), Vexa::eOk) << "t=" << t;
    EXPECT_POINT_NEAR(at(c, back), p, tol) << "t=" << t;
    if (!c.isClosed() || (i > 0 && i < count)) {
      EXPECT_NEAR(back, t, 1e-7 * s.width());
    }
  }
  // A point well off the curve has no parameter, and the answer is left alone.
  QvGeVector3d d1;
  ASSERT_EQ(c.getFirstDeriv(innerParams(c, 1)[0], d1), Vexa::eOk);
  const QvGeVector3d off = d1.perpVector().normal() * (0.01 * sizeOf(c));
  double untouched = -12345.0;
  EXPECT_NE(c.getParamAtPoint(at(c, innerParams(c, 1)[0]) + off, untouched), Vexa::eOk);
  EXPECT_EQ(untouched, -12345.0);
}

void derivativesMatchDifferences(const QvDbCurve& c) {
  const Span s = spanOf(c);
  const double h1 = 1e-6 * s.width(), h2 = 1e-4 * s.width();
  for (const double t : innerParams(c, 11)) {
    QvGeVector3d d1, d2;
    ASSERT_EQ(c.getFirstDeriv(t, d1), Vexa::eOk);
    ASSERT_EQ(c.getSecondDeriv(t, d2), Vexa::eOk);
    const QvGeVector3d f1 = (at(c, t + h1) - at(c, t - h1)) / (2 * h1);
    const QvGeVector3d f2 = ((at(c, t + h2) - at(c, t)) - (at(c, t) - at(c, t - h2))) / (h2 * h2);
    EXPECT_VECTOR_NEAR(d1, f1, 1e-6 * std::max(1.0, d1.length())) << "t=" << t;
    EXPECT_VECTOR_NEAR(d2, f2, 1e-3 * std::max(1.0, d2.length())) << "t=" << t;
    // The same at the point of the parameter.
    QvGeVector3d byPoint;
    ASSERT_EQ(c.getFirstDeriv(at(c, t), byPoint), Vexa::eOk);
    EXPECT_VECTOR_NEAR(byPoint, d1, 1e-6 * std::max(1.0, d1.length())) << "t=" << t;
  }
}

void distancesMatchChords(const QvDbCurve& c) {
  const Span s = spanOf(c);
  // Chords of a polyline end at its vertices, so that none cuts a corner.
  const int perUnit = hasCorners(c) ? static_cast<int>(std::ceil(20000 / s.width())) : 0;
  const int chords = hasCorners(c) ? perUnit * static_cast<int>(std::lround(s.width())) : 20000;
  double chordSum = 0.0;
  QvGePoint3d previous = at(c, s.lo);
  for (int i = 1; i <= chords; ++i) {
    const QvGePoint3d q = at(c, s.lo + s.width() * i / chords);
    chordSum += q.distanceTo(previous);
    previous = q;
  }
  const double length = lengthOf(c);
  EXPECT_GE(length, chordSum * (1 - 1e-12));
  EXPECT_NEAR(length, chordSum, 1e-6 * length);

  double atStart = -1.0;
  EXPECT_EQ(c.getDistAtParam(s.lo, atStart), Vexa::eOk);
  EXPECT_EQ(atStart, 0.0);
  for (const double t : innerParams(c, 7)) {
    double dist = 0.0, back = 0.0, byPoint = 0.0;
    ASSERT_EQ(c.getDistAtParam(t, dist), Vexa::eOk);
    ASSERT_EQ(c.getParamAtDist(dist, back), Vexa::eOk);
    EXPECT_NEAR(back, t, 1e-9 * s.width()) << "t=" << t;
    ASSERT_EQ(c.getDistAtPoint(at(c, t), byPoint), Vexa::eOk);
    EXPECT_NEAR(byPoint, dist, 1e-9 * length) << "t=" << t;
    QvGePoint3d p;
    ASSERT_EQ(c.getPointAtDist(dist, p), Vexa::eOk);
    EXPECT_POINT_NEAR(p, at(c, t), 1e-9 * sizeOf(c)) << "t=" << t;
  }
  double param = 0.0;
  EXPECT_NE(c.getParamAtDist(length * 1.001 + 1e-6, param), Vexa::eOk);
  EXPECT_NE(c.getParamAtDist(-0.001 * length, param), Vexa::eOk);
}

void closestPointsBeatSamples(const QvDbCurve& c) {
  const double size = sizeOf(c);
  const double tol = 1e-9 * size;
  const std::vector<QvGePoint3d> dense = samples(c, 4000);
  const QvGeVector3d offsets[] = {QvGeVector3d(0.3, -0.5, 0.8) * (0.2 * size),
                                  QvGeVector3d(-0.7, 0.1, 0.2) * (0.05 * size)};
  for (const double t : innerParams(c, 9)) {
    const QvGePoint3d p = at(c, t);
    QvGePoint3d closest;
    ASSERT_EQ(c.getClosestPointTo(p, closest), Vexa::eOk);
    EXPECT_POINT_NEAR(closest, p, tol) << "t=" << t;
    for (const QvGeVector3d& offset : offsets) {
      const QvGePoint3d q = p + offset;
      ASSERT_EQ(c.getClosestPointTo(q, closest), Vexa::eOk);
      double param = 0.0;
      EXPECT_EQ(c.getParamAtPoint(closest, param), Vexa::eOk) << "t=" << t;
      double nearest = q.distanceTo(dense[0]);
      for (const QvGePoint3d& sample : dense) nearest = std::min(nearest, q.distanceTo(sample));
      EXPECT_LE(q.distanceTo(closest), nearest + tol) << "t=" << t;
    }
  }
}

void extentsHoldSamples(const QvDbCurve& c) {
  QvDbExtents box;
  ASSERT_EQ(c.getGeomExtents(box), Vexa::eOk);
  const double size = sizeOf(c);
  QvGeExtents3d sampled;
  for (const QvGePoint3d& p : samples(c, 4000)) {
    EXPECT_TRUE(box.contains(p, QvGeTol(1e-9 * size, 1e-12))) << p.x << " " << p.y << " " << p.z;
    sampled.addPoint(p);
  }
  // Splines answer the box of their control points; the other kinds their own box, which
  // dense samples come within the sag of a chord of.
  if (QvDbSpline::cast(&c)) return;
  const double slack = 1e-4 * size;
  EXPECT_POINT_NEAR(box.minPoint(), sampled.minPoint(), slack);
  EXPECT_POINT_NEAR(box.maxPoint(), sampled.maxPoint(), slack);
}

void transformMovesEveryPoint(const QvDbCurve& c, const QvGeMatrix3d& m) {
  QvDbEntity* made = nullptr;
  ASSERT_EQ(c.getTransformedCopy(m, made), Vexa::eOk);
  std::unique_ptr<QvDbEntity> owned(made);
  const QvDbCurve* moved = QvDbCurve::cast(made);
  ASSERT_NE(moved, nullptr);
  const double tol = 1e-8 * sizeOf(c) * std::max(1.0, m.scale());
  const Span s = spanOf(c);
  for (int i = 0; i <= 12; ++i) {
    QvGePoint3d image = at(c, s.lo + s.width() * i / 12);
    image.transformBy(m);
    QvGePoint3d closest;
    ASSERT_EQ(moved->getClosestPointTo(image, closest), Vexa::eOk);
    EXPECT_POINT_NEAR(closest, image, tol) << "i=" << i;
  }
  QvGePoint3d start, end, movedStart, movedEnd;
  c.getStartPoint(start);
  c.getEndPoint(end);
  moved->getStartPoint(movedStart);
  moved->getEndPoint(movedEnd);
  start.transformBy(m);
  end.transformBy(m);
  // A mirrored arc runs the other way round: its ends may change places. The seam of a closed
  // curve may move along it (a circle starts on the axis of its normal's frame).
  const bool kept = movedStart.distanceTo(start) <= tol && movedEnd.distanceTo(end) <= tol;
  const bool swapped = movedStart.distanceTo(end) <= tol && movedEnd.distanceTo(start) <= tol;
  if (!c.isClosed()) {
    EXPECT_TRUE(kept || swapped);
  }
  EXPECT_NEAR(lengthOf(*moved), lengthOf(c) * std::cbrt(std::fabs(m.det())), tol);
}

void reverseKeepsPoints(const QvDbCurve& c) {
  std::unique_ptr<QvDbCurve> reversed = copyOf(c);
  ASSERT_NE(reversed, nullptr);
  ASSERT_EQ(reversed->reverseCurve(), Vexa::eOk);
  const double tol = 1e-9 * sizeOf(c);
  QvGePoint3d start, end, reversedStart, reversedEnd;
  c.getStartPoint(start);
  c.getEndPoint(end);
  reversed->getStartPoint(reversedStart);
  reversed->getEndPoint(reversedEnd);
  if (!c.isClosed()) {
    EXPECT_POINT_NEAR(reversedStart, end, tol);
    EXPECT_POINT_NEAR(reversedEnd, start, tol);
  }
  EXPECT_NEAR(lengthOf(*reversed), lengthOf(c), tol);
  for (const QvGePoint3d& p : samples(*reversed, 8)) {
    QvGePoint3d closest;
    ASSERT_EQ(c.getClosestPointTo(p, closest), Vexa::eOk);
    EXPECT_POINT_NEAR(closest, p, tol);
  }
}

void consistent(const QvDbCurve& c) {
  SCOPED_TRACE(QvString(c.isA()->name()));
  pointsAndParams(c);
  derivativesMatchDifferences(c);
  distancesMatchChords(c);
  closestPointsBeatSamples(c);
  extentsHoldSamples(c);
  const QvGeMatrix3d maps[] = {
      QvGeMatrix3d::translation(QvGeVector3d(5, -1, 2)) *
          QvGeMatrix3d::rotation(0.7, QvGeVector3d(1, 2, 3)) * QvGeMatrix3d::scaling(1.5),
      QvGeMatrix3d::mirroring(QvGePlane(QvGePoint3d(3, 1, 0), QvGeVector3d(1, 1, 1))),
  };
  for (const QvGeMatrix3d& m : maps) transformMovesEveryPoint(c, m);
  reverseKeepsPoints(c);
}

}  // namespace dbcurvecheck
