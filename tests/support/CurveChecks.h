#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "sdk/ge/QvGeCurve2d.h"
#include "sdk/ge/QvGeCurve3d.h"
#include "sdk/ge/QvGeMatrix3d.h"

// Invariants every curve must keep, checked against independent computations (finite
// differences, dense chords, the curve's own points) rather than against its algorithms.
namespace curvecheck {

inline const QvGeTol kFine(1e-9, 1e-12);

template <class Curve>
void bounds(const Curve& c, double& lo, double& hi) {
  QvGeInterval i;
  c.getInterval(i);
  lo = i.lowerBound();
  hi = i.upperBound();
}

template <class Curve>
double sizeOf(const Curve& c) {
  typename std::conditional_t<Curve::kDim == 3, QvGePoint3dArray, QvGePoint2dArray> pts;
  c.getSamplePoints(64, pts);
  double size = 0.0;
  for (const auto& p : pts) size = std::max(size, p.distanceTo(pts[0]));
  return std::max(size, 1.0);
}

// evalPoint then paramOf gives the parameter back; the point is on the curve.
template <class Curve>
void paramRoundTrip(const Curve& c, int samples = 37) {
  double lo, hi;
  bounds(c, lo, hi);
  const double scale = sizeOf(c);
  for (int i = 0; i <= samples; ++i) {
    const double t = lo + (hi - lo) * i / samples;
    const auto p = c.evalPoint(t);
    double back = 0.0;
    ASSERT_TRUE(c.isOn(p, back, QvGeTol(1e-9 * scale, 1e-12))) << "t=" << t;
    EXPECT_NEAR(c.evalPoint(back).distanceTo(p), 0.0, 1e-9 * scale) << "t=" << t;
    // Parameters are unique except at the seam of a closed curve.
    if (!c.isClosed() || (i > 0 && i < samples)) {
      EXPECT_NEAR(back, t, 1e-7 * (hi - lo)) << t;
    }
  }
}

// Derivatives agree with central differences of the points.
template <class Curve>
void derivativesMatchDifferences(const Curve& c, int samples = 11) {
  double lo, hi;
  bounds(c, lo, hi);
  const double h = 1e-5 * (hi - lo);
  for (int i = 1; i < samples; ++i) {
    const double t = lo + (hi - lo) * i / samples;
    typename std::remove_cv_t<std::remove_reference_t<decltype(c.evalPoint(0.0))>> p;
    typename std::conditional_t<Curve::kDim == 3, QvGeVector3d, QvGeVector2d> d[2];
    c.evalDerivatives(t, 2, p, d);
    const auto d1 = (c.evalPoint(t + h) - c.evalPoint(t - h)) / (2 * h);
    const auto d2 = (c.evalPoint(t + h) - p - (p - c.evalPoint(t - h))) / (h * h);
    const double s1 = std::max(1.0, d[0].length()), s2 = std::max(1.0, d[1].length());
    EXPECT_NEAR((d[0] - d1).length() / s1, 0.0, 1e-6) << "t=" << t;
    EXPECT_NEAR((d[1] - d2).length() / s2, 0.0, 1e-3) << "t=" << t;
  }
}

// Length agrees with fine chords; paramAtLength inverts length.
template <class Curve>
void lengthMatchesChords(const Curve& c, int chords = 20000) {
  double lo, hi;
  bounds(c, lo, hi);
  double chordSum = 0.0;
  auto prev = c.evalPoint(lo);
  for (int i = 1; i <= chords; ++i) {
    const auto q = c.evalPoint(lo + (hi - lo) * i / chords);
    chordSum += q.distanceTo(prev);
    prev = q;
  }
  const double len = c.length(lo, hi);
  EXPECT_GE(len, chordSum * (1 - 1e-12));
  EXPECT_NEAR(len, chordSum, 1e-6 * len);
  for (double f : {0.1, 0.5, 0.77}) {
    double t = 0.0;
    ASSERT_TRUE(c.getParamAtLength(lo, f * len, true, t));
    EXPECT_NEAR(c.length(lo, t), f * len, 1e-9 * len);
    ASSERT_TRUE(c.getParamAtLength(hi, f * len, false, t));
    EXPECT_NEAR(c.length(t, hi), f * len, 1e-9 * len);
  }
  double t = 0.0;
  EXPECT_FALSE(c.getParamAtLength(lo, len * 1.001 + 1e-6, true, t));
  EXPECT_FALSE(c.getParamAtLength(lo, -1.0, true, t));
}

// The box holds dense samples and is not much larger than their box.
template <class Curve>
void boxHoldsSamples(const Curve& c, const QvGeInterval& range) {
  typename std::conditional_t<Curve::kDim == 3, QvGePoint3dArray, QvGePoint2dArray> pts;
  QvGeDoubleArray ts;
  c.getSamplePoints(range.lowerBound(), range.upperBound(), 1e-4 * sizeOf(c), pts, ts);
  const auto box = [&]() {
    if constexpr (Curve::kDim == 3)
      return c.orthoBoundBlock(range).extents();
    else
      return c.boundBlock(range);
  }();
  for (const auto& p : pts) EXPECT_TRUE(box.contains(p, QvGeTol(1e-9 * sizeOf(c), 1e-12)));
}

// Splitting covers the curve: consecutive pieces meet, lengths add up, pieces lie on the curve.
template <class Curve>
void splitCoversCurve(const Curve& curve, const QvGeDoubleArray& params, int expectedPieces) {
  using Base = std::conditional_t<Curve::kDim == 3, QvGeCurve3d, QvGeCurve2d>;
  const Base& c = curve;
  QvArray<Base*> pieces;
  ASSERT_EQ(c.getSplitCurves(params, pieces), Vexa::eOk);
  std::vector<std::unique_ptr<Base>> owned(pieces.begin(), pieces.end());
  ASSERT_EQ(static_cast<int>(owned.size()), expectedPieces);
  const double scale = sizeOf(c);
  double sum = 0.0;
  for (size_t i = 0; i < owned.size(); ++i) {
    double lo, hi;
    bounds(*owned[i], lo, hi);
    sum += owned[i]->length(lo, hi);
    for (int k = 0; k <= 8; ++k)
      EXPECT_TRUE(
          c.isOn(owned[i]->evalPoint(lo + (hi - lo) * k / 8), QvGeTol(1e-8 * scale, 1e-12)));
    const size_t next = (i + 1) % owned.size();
    if (i + 1 < owned.size() || c.isClosed()) {
      double nlo, nhi;
      bounds(*owned[next], nlo, nhi);
      EXPECT_LE(owned[i]->evalPoint(hi).distanceTo(owned[next]->evalPoint(nlo)), 1e-9 * scale);
    }
  }
  double lo, hi;
  bounds(c, lo, hi);
  EXPECT_NEAR(sum, c.length(lo, hi), 1e-8 * sum);
}

// Transforming by m and then by its inverse gives the same points.
inline void transformRoundTrip(const QvGeCurve3d& c, const QvGeMatrix3d& m) {
  std::unique_ptr<QvGeCurve3d> moved(c.copy());
  ASSERT_EQ(moved->transformBy(m), Vexa::eOk);
  double lo, hi;
  bounds(c, lo, hi);
  for (int i = 0; i <= 10; ++i) {
    QvGePoint3d expected = c.evalPoint(lo + (hi - lo) * i / 10);
    expected.transformBy(m);
    EXPECT_TRUE(moved->isOn(expected, QvGeTol(1e-8 * sizeOf(c) * m.scale(), 1e-12)));
  }
  ASSERT_EQ(moved->transformBy(m.inverse()), Vexa::eOk);
  for (int i = 0; i <= 10; ++i) {
    const double t = lo + (hi - lo) * i / 10;
    EXPECT_LE(moved->closestPointTo(c.evalPoint(t)).distanceTo(c.evalPoint(t)), 1e-8 * sizeOf(c));
  }
}

// Reversing twice gives the same curve; once, the same points in the other order.
template <class Curve>
void reverseKeepsPoints(const Curve& c) {
  std::unique_ptr<Curve> r(static_cast<Curve*>(c.copy()));
  r->reverseParam();
  double lo, hi, rlo, rhi;
  bounds(c, lo, hi);
  bounds(*r, rlo, rhi);
  const double scale = sizeOf(c);
  EXPECT_LE(r->evalPoint(rlo).distanceTo(c.evalPoint(hi)), 1e-9 * scale);
  EXPECT_LE(r->evalPoint(rhi).distanceTo(c.evalPoint(lo)), 1e-9 * scale);
  EXPECT_NEAR(r->length(rlo, rhi), c.length(lo, hi), 1e-9 * scale);
  for (int i = 0; i <= 6; ++i)
    EXPECT_TRUE(c.isOn(r->evalPoint(rlo + (rhi - rlo) * i / 6), QvGeTol(1e-9 * scale, 1e-12)));
}

}  // namespace curvecheck
