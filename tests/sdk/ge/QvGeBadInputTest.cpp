#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "sdk/ge/QvGeCircArc2d.h"
#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeCompositeCurve3d.h"
#include "sdk/ge/QvGeCurveCurveInt2d.h"
#include "sdk/ge/QvGeCurveCurveInt3d.h"
#include "sdk/ge/QvGeEllipArc2d.h"
#include "sdk/ge/QvGeEllipArc3d.h"
#include "sdk/ge/QvGeLine3d.h"
#include "sdk/ge/QvGeLineSeg2d.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGeMatrix2d.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGeNurbCurve2d.h"
#include "sdk/ge/QvGeNurbCurve3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/ge/QvGePolyline3d.h"
#include "sdk/ge/QvGeRay3d.h"

// Bad data and bad parameters fed to every curve kind and value type: each call either
// reports the failure the way its header says or answers with finite values.
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kPi = QvGe::kPi;

bool finite(double v) {
  return std::isfinite(v);
}
// A point or vector of either dimension.
template <class T>
bool finite(const T& v) {
  if constexpr (requires { v.z; }) return finite(v.x) && finite(v.y) && finite(v.z);
  return finite(v.x) && finite(v.y);
}
bool finite(const QvGeMatrix3d& m) {
  for (const auto& row : m.entry)
    for (double v : row)
      if (!finite(v)) return false;
  return true;
}

template <class Array>
bool allFinite(const Array& a) {
  for (const auto& v : a)
    if (!finite(v)) return false;
  return true;
}

template <class Curve>
bool finiteBox(const Curve& c, const QvGeInterval& range) {
  if constexpr (Curve::kDim == 3) {
    const QvGeBoundBlock3d box = c.orthoBoundBlock(range);
    return finite(box.minPoint()) && finite(box.maxPoint());
  } else {
    const QvGeExtents2d box = c.boundBlock(range);
    return !box.isValidExtents() || (finite(box.minPoint()) && finite(box.maxPoint()));
  }
}

// The point (x, y, z) of a space of `Dim` dimensions (z left out in the plane).
template <int Dim>
auto pointAt(double x, double y, double z) {
  if constexpr (Dim == 3)
    return QvGePoint3d(x, y, z);
  else
    return QvGePoint2d(x, y);
}

// Parameters a caller may hand over by mistake, relative to the interval [lo, hi].
std::vector<double> strayParams(double lo, double hi) {
  const double w = finite(hi - lo) ? hi - lo : 1.0;
  const double a = finite(lo) ? lo : -1.0, b = finite(hi) ? hi : 1.0;
  return {a - 10.0 * w, a - 1e-3 * w, b + 1e-3 * w, b + 10.0 * w, 1e12, -1e12};
}

// Every query of the common curve interface on one curve. A valid curve answers finite values
// for finite parameters (inside or outside its interval); non-finite parameters are refused
// where the call has a status and never crash or hang elsewhere. An invalid curve answers
// without NaN and refuses to make new curves.
template <class Curve>
void checkQueries(const Curve& c, const std::string& name) {
  constexpr int kDim = Curve::kDim;
  using Point = decltype(pointAt<kDim>(0, 0, 0));
  using Vector = std::conditional_t<kDim == 3, QvGeVector3d, QvGeVector2d>;
  using PointArray = std::conditional_t<kDim == 3, QvGePoint3dArray, QvGePoint2dArray>;
  using Base = std::conditional_t<kDim == 3, QvGeCurve3d, QvGeCurve2d>;
  SCOPED_TRACE(name);
  const bool valid = c.isValid();
  QvGeInterval iv;
  c.getInterval(iv);
  const bool bounded = c.isBounded();
  const double lo = iv.isBoundedBelow() ? iv.lowerBound() : -5.0;
  const double hi = iv.isBoundedAbove() ? iv.upperBound() : 5.0;
  ASSERT_TRUE(finite(lo) && finite(hi));
  std::vector<double> inside = {lo, 0.5 * (lo + hi), hi};
  std::vector<double> stray = strayParams(lo, hi);
  const std::vector<double> bad = {kNaN, kInf, -kInf};

  // Checked evaluation: inside succeeds for a valid curve, outside / non-finite is refused.
  Point p;
  std::conditional_t<kDim == 3, QvGeVector3dArray, QvGeVector2dArray> d;
  for (double t : inside) {
    const Vexa::ErrorStatus es = c.evaluate(t, 2, p, d);
    EXPECT_EQ(es == Vexa::eOk, valid) << "evaluate " << t;
    if (es == Vexa::eOk) {
      EXPECT_TRUE(finite(p) && allFinite(d)) << t;
    }
  }
  for (double t : bad) EXPECT_NE(c.evaluate(t, 1, p, d), Vexa::eOk) << "evaluate " << t;
  EXPECT_EQ(c.evaluate(lo, -1, p, d), Vexa::eInvalidInput);
  EXPECT_EQ(c.evaluate(lo, Curve::kMaxDerivatives + 1, p, d), Vexa::eInvalidInput);

  // Unchecked evaluation continues the carrier at finite parameters.
  std::vector<double> finiteParams = inside;
  finiteParams.insert(finiteParams.end(), stray.begin(), stray.end());
  for (double t : finiteParams) {
    Vector derivs[Curve::kMaxDerivatives];
    c.evalDerivatives(t, Curve::kMaxDerivatives, p, derivs);
    EXPECT_TRUE(finite(p)) << "evalPoint " << t;
    for (const auto& v : derivs) EXPECT_TRUE(finite(v)) << "derivative at " << t;
  }
  for (double t : bad) (void)c.evalPoint(t);  // no crash

  // Points and parameters.
  for (const auto& q : {pointAt<kDim>(0.3, 0.7, 0.1), pointAt<kDim>(1e9, -1e9, 3.0)}) {
    double param = kNaN;
    const auto cp = c.closestPointTo(q, param);
    EXPECT_TRUE(finite(cp) && finite(param)) << "closestPointTo";
    EXPECT_TRUE(finite(c.paramOf(q)));
    EXPECT_TRUE(finite(c.distanceTo(q)));
  }
  for (const auto& q : {pointAt<kDim>(kNaN, 0, 0), pointAt<kDim>(0, kInf, 0)}) {
    double param = 0.0;
    (void)c.closestPointTo(q, param);
    EXPECT_FALSE(c.isOn(q)) << "isOn of a non-finite point";
    EXPECT_FALSE(c.isOn(q, param));
  }
  if (valid) {
    double param = kNaN;
    EXPECT_TRUE(c.isOn(c.evalPoint(inside[1]), param));
    EXPECT_TRUE(finite(param));
  }

  // Lengths are clamped to the interval; getParamAtLength refuses what it cannot answer.
  for (double a : finiteParams) EXPECT_TRUE(finite(c.length(a, inside[1]))) << "length from " << a;
  if (bounded) {
    EXPECT_TRUE(finite(c.length()));
  }
  for (double t : bad) {
    double param = 12345.0;
    EXPECT_FALSE(c.getParamAtLength(inside[1], t, true, param)) << "length " << t;
    EXPECT_EQ(param, 12345.0);
    // An infinite datum clamps to an end; a NaN datum has no place on the curve.
    if (c.getParamAtLength(t, 0.0, true, param)) {
      EXPECT_TRUE(std::isinf(t) && finite(param));
    }
    if (c.getParamAtLength(t, 0.1, false, param)) {
      EXPECT_TRUE(std::isinf(t) && finite(param));
    }
    (void)c.paramAtLength(inside[1], t);
    (void)c.length(t, inside[1]);
  }
  {
    double param = 12345.0;
    EXPECT_FALSE(c.getParamAtLength(lo, -1.0, true, param));
    if (bounded) {
      EXPECT_FALSE(c.getParamAtLength(lo, 1e30, true, param));
    }
    EXPECT_EQ(param, 12345.0);
    EXPECT_TRUE(finite(c.paramAtLength(lo, 1e30)));
  }
  if (valid) {
    double param = kNaN;
    const double len = c.length(lo, hi);
    if (len > 0.0) {
      ASSERT_TRUE(c.getParamAtLength(lo, 0.5 * len, true, param));
      EXPECT_TRUE(finite(param));
    }
  }

  // Samples, including non-finite and absurd approximation values.
  for (double eps : {0.0, -1.0, kNaN, kInf}) {
    PointArray pts;
    QvGeDoubleArray params;
    c.getSamplePoints(lo, hi, eps, pts, params);
    EXPECT_TRUE(allFinite(pts) && allFinite(params)) << "samples eps " << eps;
    EXPECT_LE(pts.length(), 1000000) << eps;
  }
  for (double t : bad) {
    PointArray pts;
    QvGeDoubleArray params;
    c.getSamplePoints(t, hi, 0.0, pts, params);
    EXPECT_TRUE(allFinite(pts)) << "samples from " << t;
  }
  for (int n : {-3, 0, 1, 2}) {
    PointArray pts;
    c.getSamplePoints(n, pts);
    EXPECT_TRUE(allFinite(pts)) << n;
  }

  // Boxes.
  EXPECT_TRUE(finiteBox(c, QvGeInterval(lo, hi)));
  EXPECT_TRUE(finiteBox(c, QvGeInterval(stray[0], stray[3])));

  // New curves: refused from invalid curves and for non-finite ranges.
  for (double t : bad) {
    EXPECT_EQ(c.getTrimmedCurve(t, hi), nullptr) << "trim from " << t;
    EXPECT_EQ(c.getTrimmedCurve(lo, t), nullptr) << "trim to " << t;
  }
  {
    std::unique_ptr<Base> trimmed(c.getTrimmedCurve(lo, hi));
    if (!valid) {
      EXPECT_EQ(trimmed, nullptr);
    }
    if (trimmed) {
      EXPECT_TRUE(trimmed->isValid());
      EXPECT_TRUE(finite(trimmed->evalPoint(0.5 * (lo + hi))));
    }
  }
  {
    const QvGeDoubleArray params{kNaN, kInf, inside[1], stray[3]};
    QvArray<Base*> pieces;
    const Vexa::ErrorStatus es = c.getSplitCurves(params, pieces);
    if (!valid) {
      EXPECT_NE(es, Vexa::eOk);
    }
    if (es != Vexa::eOk) {
      EXPECT_EQ(pieces.length(), 0);
    }
    for (auto* piece : pieces) {
      ASSERT_NE(piece, nullptr);
      QvGeInterval pi;
      piece->getInterval(pi);
      if (pi.isBounded()) {
        EXPECT_TRUE(finite(piece->evalPoint(pi.lowerBound())));
        EXPECT_TRUE(finite(piece->evalPoint(pi.upperBound())));
      }
      delete piece;
    }
  }
}

// A matrix collapsing everything onto the XY plane, one with NaN, one with infinity.
std::vector<QvGeMatrix3d> badMatrices3d() {
  QvGeMatrix3d flat;
  flat(2, 2) = 0.0;
  QvGeMatrix3d zero;
  for (int i = 0; i < 3; ++i) zero(i, i) = 0.0;
  QvGeMatrix3d withNaN;
  withNaN(0, 1) = kNaN;
  QvGeMatrix3d withInf;
  withInf(1, 3) = kInf;
  QvGeMatrix3d perspective;
  perspective(3, 0) = 1.0;
  return {flat, zero, withNaN, withInf, perspective};
}

// transformBy with a bad matrix: a failure leaves the curve as it was; a success leaves it
// finite.
template <class Curve>
void checkBadTransforms(const Curve& c, const std::string& name) {
  SCOPED_TRACE(name);
  QvGeInterval iv;
  c.getInterval(iv);
  const double t = iv.isBounded() ? 0.5 * (iv.lowerBound() + iv.upperBound()) : 0.25;
  const auto before = c.evalPoint(t);
  const std::vector<QvGeMatrix3d> matrices = badMatrices3d();
  for (size_t i = 0; i < matrices.size(); ++i) {
    const QvGeMatrix3d& m = matrices[i];
    SCOPED_TRACE("matrix " + std::to_string(i));
    std::unique_ptr<QvGeCurve3d> moved(c.copy());
    const Vexa::ErrorStatus es = moved->transformBy(m);
    if (es == Vexa::eOk) {
      if (!c.isValid()) continue;
      EXPECT_TRUE(finite(moved->evalPoint(t)));
      EXPECT_TRUE(finite(moved->length(iv.isBoundedBelow() ? iv.lowerBound() : -1.0, t)));
    } else {
      const auto after = moved->evalPoint(t);
      if (finite(before)) {
        EXPECT_TRUE(after.isEqualTo(before)) << "changed by a refused matrix";
      }
    }
  }
}

using Doubles = QvGeDoubleArray;
using Points = QvGePoint3dArray;

template <class Base>
struct Case {
  const char* name;
  bool valid;
  std::function<std::unique_ptr<Base>()> make;
};
using Maker3d = std::function<std::unique_ptr<QvGeCurve3d>()>;
using Case3d = Case<QvGeCurve3d>;

// A maker of the curve C built from `args`.
template <class C, class... Args>
auto make(Args... args) {
  return [=] { return std::make_unique<C>(args...); };
}

const QvGePoint3d O(0, 0, 0);
const QvGeVector3d Z(0, 0, 1), X(1, 0, 0), Y(0, 1, 0), Zero(0, 0, 0);
const QvGePoint3d NaNPt(kNaN, 0, 0), InfPt(0, kInf, 0);

const Points kSquare{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 0}};

// A composite of copies of `parts` (a null part stays null).
Maker3d composite(std::vector<std::shared_ptr<QvGeCurve3d>> parts) {
  return [parts] {
    QvArray<QvGeCurve3d*> list;
    for (const auto& part : parts) list.append(part.get());
    return std::make_unique<QvGeCompositeCurve3d>(list);
  };
}

std::vector<Case3d> curveCases3d() {
  const Points four{{0, 0, 0}, {1, 2, 0}, {3, 2, 0}, {4, 0, 0}};
  const Doubles clamped{0, 0, 0, 0, 1, 1, 1, 1};
  const QvGeDoubleArray none;
  auto nurb = [four](QvGeDoubleArray knots, QvGeDoubleArray weights) {
    return make<QvGeNurbCurve3d>(3, knots, four, weights);
  };
  QvGePoint3dArray nanPts = four, seven = four;
  nanPts[2] = NaNPt;
  for (const QvGePoint3d& p :
       {QvGePoint3d(5, 1, 0), QvGePoint3d(6, 0, 0), QvGePoint3d(7, 1, 0), QvGePoint3d(8, 0, 0)})
    seven.append(p);
  const QvGePoint3d A(1, 0, 0), B(2, 0, 0), C(2, 2, 2);
  return {
      {"segment", true, make<QvGeLineSeg3d>(O, QvGePoint3d(1, 1, 0))},
      {"point segment", true, make<QvGeLineSeg3d>(O, O)},
      {"NaN segment", false, make<QvGeLineSeg3d>(NaNPt, O)},
      {"inf segment", false, make<QvGeLineSeg3d>(O, InfPt)},
      {"line", true, make<QvGeLine3d>(O, X)},
      {"zero line", false, make<QvGeLine3d>(O, Zero)},
      {"NaN line", false, make<QvGeLine3d>(O, QvGeVector3d(kNaN, 1, 0))},
      {"NaN-point line", false, make<QvGeLine3d>(NaNPt, X)},
      {"ray", true, make<QvGeRay3d>(O, Y)},
      {"zero ray", false, make<QvGeRay3d>(O, O)},
      {"inf ray", false, make<QvGeRay3d>(InfPt, Y)},
      {"arc", true, make<QvGeCircArc3d>(O, Z, X, 2.0, 0.5, 2.0)},
      {"circle", true, make<QvGeCircArc3d>(O, Z, 2.0)},
      {"zero-radius arc", false, make<QvGeCircArc3d>(O, Z, 0.0)},
      {"negative-radius arc", false, make<QvGeCircArc3d>(O, Z, -1.0)},
      {"NaN-radius arc", false, make<QvGeCircArc3d>(O, Z, kNaN)},
      {"zero-normal arc", false, make<QvGeCircArc3d>(O, Zero, 1.0)},
      {"ref along normal", false, make<QvGeCircArc3d>(O, Z, Z, 1.0, 0.0, 1.0)},
      {"zero-sweep arc", false, make<QvGeCircArc3d>(O, Z, X, 1.0, 1.0, 1.0)},
      {"NaN-angle arc", false, make<QvGeCircArc3d>(O, Z, X, 1.0, kNaN, 1.0)},
      {"NaN-center arc", false, make<QvGeCircArc3d>(NaNPt, Z, 1.0)},
      {"inf-center arc", false, make<QvGeCircArc3d>(InfPt, Z, X, 1.0, 0.0, 1.0)},
      {"collinear 3-point arc", false, make<QvGeCircArc3d>(O, QvGePoint3d(1, 1, 1), C)},
      {"equal 3-point arc", false, make<QvGeCircArc3d>(O, O, C)},
      {"NaN 3-point arc", false, make<QvGeCircArc3d>(O, NaNPt, B)},
      {"ellipse", true, make<QvGeEllipArc3d>(O, X, Y, 3.0, 1.0)},
      {"ellipse arc", true, make<QvGeEllipArc3d>(O, X, Y, 3.0, 1.0, -1.0, 2.0)},
      {"equal-axes ellipse", false, make<QvGeEllipArc3d>(O, X, X, 3.0, 1.0)},
      {"zero-axis ellipse", false, make<QvGeEllipArc3d>(O, X, Zero, 3.0, 1.0)},
      {"zero-radius ellipse", false, make<QvGeEllipArc3d>(O, X, Y, 3.0, 0.0)},
      {"inf-radius ellipse", false, make<QvGeEllipArc3d>(O, X, Y, kInf, 1.0)},
      {"zero-sweep ellipse", false, make<QvGeEllipArc3d>(O, X, Y, 3.0, 1.0, 2.0, 2.0)},
      {"NaN-center ellipse", false, make<QvGeEllipArc3d>(NaNPt, X, Y, 3.0, 1.0)},
      {"nurbs", true, nurb(clamped, none)},
      {"rational nurbs", true, nurb(clamped, Doubles{1, 2, 0.5, 1})},
      {"decreasing knots", false, nurb(Doubles{0, 0, 0, 0, 1, 0.5, 1, 1}, none)},
      {"too few knots", false, nurb(Doubles{0, 0, 0, 1, 1, 1}, none)},
      {"empty domain", false, nurb(Doubles{0, 0, 0, 0, 0, 0, 0, 0}, none)},
      {"NaN knot", false, nurb(Doubles{0, 0, 0, 0, kNaN, 1, 1, 1}, none)},
      {"zero weight", false, nurb(clamped, Doubles{1, 0, 1, 1})},
      {"negative weight", false, nurb(clamped, Doubles{1, -1, 1, 1})},
      {"NaN weight", false, nurb(clamped, Doubles{1, kNaN, 1, 1})},
      {"short weights", false, nurb(clamped, Doubles{1, 1})},
      {"NaN control point", false, make<QvGeNurbCurve3d>(3, clamped, nanPts, none)},
      {"too few control points", false,
       make<QvGeNurbCurve3d>(3, Doubles{0, 0, 0, 1, 1, 1}, Points{O, A})},
      {"interior knot of full multiplicity", false,
       make<QvGeNurbCurve3d>(3, Doubles{0, 0, 0, 0, 0.5, 0.5, 0.5, 0.5, 1, 1, 1, 1}, seven)},
      {"degree zero", false, make<QvGeNurbCurve3d>(0, Doubles{0, 1, 2, 3, 4}, four)},
      {"degree 40", false, make<QvGeNurbCurve3d>(40, Doubles{0, 1}, four)},
      {"fit with repeated points", false,
       make<QvGeNurbCurve3d>(Points{O, O, QvGePoint3d(1, 1, 0)})},
      {"fit with a NaN point", false,
       make<QvGeNurbCurve3d>(Points{O, NaNPt, QvGePoint3d(1, 1, 0)})},
      {"fit with one point", false, make<QvGeNurbCurve3d>(Points{O})},
      {"polyline", true, make<QvGePolyline3d>(kSquare)},
      {"one-point polyline", false, make<QvGePolyline3d>(Points{O})},
      {"NaN polyline", false, make<QvGePolyline3d>(Points{O, NaNPt, A})},
      {"composite", true,
       composite({std::make_shared<QvGeLineSeg3d>(O, A),
                  std::make_shared<QvGeCircArc3d>(QvGePoint3d(1, 1, 0), Z, -Y, 1.0, 0.0, kPi)})},
      {"composite with a gap", false,
       composite({std::make_shared<QvGeLineSeg3d>(O, A),
                  std::make_shared<QvGeLineSeg3d>(B, QvGePoint3d(3, 0, 0))})},
      {"composite of an invalid arc", false,
       composite({std::make_shared<QvGeCircArc3d>(O, Z, 0.0)})},
      {"composite with a line", false, composite({std::make_shared<QvGeLine3d>(O, X)})},
      {"composite with a null", false, composite({nullptr})},
  };
}

TEST(QvGeBadInput, CurveKinds3dReportBadDataAndAnswerWithoutNaN) {
  for (const Case3d& k : curveCases3d()) {
    const std::unique_ptr<QvGeCurve3d> c = k.make();
    EXPECT_EQ(c->isValid(), k.valid) << k.name;
    checkQueries(*c, k.name);
    checkBadTransforms(*c, k.name);
  }
}

TEST(QvGeBadInput, SettersRefuseBadDataAndKeepTheCurve) {
  QvGeCircArc3d arc(O, Z, X, 2.0, 0.0, 1.0);
  const QvGePoint3d end = arc.endPoint();
  EXPECT_EQ(arc.setRadius(0.0), Vexa::eInvalidInput);
  EXPECT_EQ(arc.setRadius(kNaN), Vexa::eInvalidInput);
  EXPECT_EQ(arc.setAngles(1.0, 1.0), Vexa::eInvalidInput);
  EXPECT_EQ(arc.setAngles(kInf, 1.0), Vexa::eInvalidInput);
  EXPECT_EQ(arc.setAxes(Zero, X), Vexa::eInvalidInput);
  EXPECT_EQ(arc.setAxes(Z, Z), Vexa::eInvalidInput);
  EXPECT_EQ(arc.set(NaNPt, Z, 1.0), Vexa::eInvalidInput);
  EXPECT_EQ(arc.set(O, QvGePoint3d(1, 0, 0), QvGePoint3d(2, 0, 0)), Vexa::eInvalidInput);
  ASSERT_TRUE(arc.isValid());
  EXPECT_TRUE(arc.endPoint().isEqualTo(end));

  QvGeEllipArc3d ell(O, X, Y, 3.0, 1.0);
  EXPECT_EQ(ell.set(O, X, QvGeVector3d(1, 1, 0), 3.0, 1.0), Vexa::eInvalidInput);
  EXPECT_EQ(ell.set(O, X, Y, -3.0, 1.0), Vexa::eInvalidInput);
  EXPECT_EQ(ell.set(QvGePoint3d(kInf, 0, 0), X, Y, 3.0, 1.0), Vexa::eInvalidInput);
  EXPECT_EQ(ell.setAngles(0.5, 0.5), Vexa::eInvalidInput);
  EXPECT_TRUE(ell.isValid());
  EXPECT_NEAR(ell.majorRadius(), 3.0, 0.0);
  EXPECT_TRUE(finite(ell.paramAtAngle(1.0)));

  QvGeNurbCurve3d nurbs;
  const Points two{O, {1, 0, 0}};
  EXPECT_EQ(nurbs.set(1, Doubles{0, 0, 1, 1}, two, Doubles{1, 0}), Vexa::eInvalidInput);
  EXPECT_EQ(nurbs.setFitData(two, 0), Vexa::eInvalidInput);
  EXPECT_EQ(nurbs.insertKnot(kNaN), Vexa::eOutOfRange);
  ASSERT_TRUE(nurbs.isValid());
  EXPECT_TRUE(nurbs.evalPoint(1.0).isEqualTo(QvGePoint3d(1, 0, 0)));

  QvGePolyline3d poly(kSquare);
  EXPECT_EQ(poly.set(Points{O, InfPt}), Vexa::eInvalidInput);
  EXPECT_EQ(poly.numFitPoints(), 5);

  QvGeLine3d line;
  EXPECT_EQ(line.set(O, Zero), Vexa::eInvalidInput);
  EXPECT_TRUE(line.isValid());
}

// 2D kinds share the conic and NURBS code with 3D but have their own segments and setters.
TEST(QvGeBadInput, CurveKinds2dReportBadDataAndAnswerWithoutNaN) {
  const QvGePoint2d o(0, 0), nanPt(kNaN, 0);
  const QvGeVector2d x(1, 0), y(0, 1), zero(0, 0);
  const QvGePoint2dArray four{{0, 0}, {1, 2}, {3, 2}, {4, 0}};
  const std::vector<Case<QvGeCurve2d>> cases = {
      {"segment", true, make<QvGeLineSeg2d>(o, QvGePoint2d(1, 1))},
      {"point segment", true, make<QvGeLineSeg2d>(o, o)},
      {"NaN segment", false, make<QvGeLineSeg2d>(nanPt, o)},
      {"arc", true, make<QvGeCircArc2d>(o, 1.0, 0.0, 2.0, x, true)},
      {"zero-radius arc", false, make<QvGeCircArc2d>(o, 0.0)},
      {"zero-ref arc", false, make<QvGeCircArc2d>(o, 1.0, 0.0, 1.0, zero)},
      {"zero-sweep arc", false, make<QvGeCircArc2d>(o, 1.0, 1.0, 1.0)},
      {"NaN-center arc", false, make<QvGeCircArc2d>(nanPt, 1.0)},
      {"collinear arc", false, make<QvGeCircArc2d>(o, QvGePoint2d(1, 1), QvGePoint2d(2, 2))},
      {"ellipse", true, make<QvGeEllipArc2d>(o, x, y, 2.0, 1.0)},
      {"equal-axes ellipse", false, make<QvGeEllipArc2d>(o, x, x, 2.0, 1.0)},
      {"zero-radius ellipse", false, make<QvGeEllipArc2d>(o, x, y, 0.0, 1.0)},
      {"nurbs", true, make<QvGeNurbCurve2d>(3, Doubles{0, 0, 0, 0, 1, 1, 1, 1}, four)},
      {"decreasing knots", false, make<QvGeNurbCurve2d>(3, Doubles{0, 0, 0, 0, 1, 0, 1, 1}, four)},
      {"negative weight", false,
       make<QvGeNurbCurve2d>(3, Doubles{0, 0, 0, 0, 1, 1, 1, 1}, four, Doubles{1, 1, -2, 1})},
  };
  for (const auto& k : cases) {
    const std::unique_ptr<QvGeCurve2d> c = k.make();
    EXPECT_EQ(c->isValid(), k.valid) << k.name;
    checkQueries(*c, k.name);
    QvGeMatrix2d flat;
    flat.entry[1][1] = 0.0;
    std::unique_ptr<QvGeCurve2d> moved(c->copy());
    if (moved->transformBy(flat) == Vexa::eOk && c->isValid()) {
      QvGeInterval iv;
      moved->getInterval(iv);
      EXPECT_TRUE(finite(moved->evalPoint(iv.lowerBound()))) << k.name;
      EXPECT_TRUE(finite(moved->length())) << k.name;
    }
  }
}

// Intersections refuse invalid curves with eInvalidInput and report finite points otherwise.
TEST(QvGeBadInput, IntersectionsOfBadCurvesAreRefused) {
  const std::vector<Case3d> cases = curveCases3d();
  std::vector<std::unique_ptr<QvGeCurve3d>> curves;
  for (const Case3d& k : cases) curves.push_back(k.make());
  const QvGePlane badPlane(O, Zero);
  for (size_t i = 0; i < curves.size(); ++i) {
    for (size_t j = 0; j < curves.size(); ++j) {
      if (cases[i].valid && cases[j].valid && i != j && (i + j) % 3 != 0) continue;
      SCOPED_TRACE(std::string(cases[i].name) + " x " + cases[j].name);
      QvGeCurveCurveInt3d inter(*curves[i], *curves[j]);
      const bool bothValid = curves[i]->isValid() && curves[j]->isValid();
      if (!bothValid) {
        EXPECT_EQ(inter.status(), Vexa::eInvalidInput);
        EXPECT_EQ(inter.numIntPoints(), 0);
      }
      for (int n = 0; n < inter.numIntPoints(); ++n) {
        double p1 = kNaN, p2 = kNaN;
        inter.getIntParams(n, p1, p2);
        EXPECT_TRUE(finite(inter.intPoint(n)) && finite(p1) && finite(p2));
      }
      QvGeCurveCurveInt3d projected(*curves[i], *curves[j], badPlane);
      EXPECT_EQ(projected.status(), Vexa::eInvalidInput);
      EXPECT_EQ(projected.numIntPoints(), 0);
    }
  }
  // Queries for a point that does not exist answer without touching memory outside.
  QvGeCurveCurveInt3d none;
  EXPECT_EQ(none.numIntPoints(), 0);
  EXPECT_TRUE(none.intPoint(3).isEqualTo(QvGePoint3d::kOrigin));
  double p1 = 1.0, p2 = 2.0;
  none.getIntParams(-1, p1, p2);
  EXPECT_TRUE(finite(p1) && finite(p2));

  const QvGeLineSeg2d nanSeg(QvGePoint2d(kNaN, 0), QvGePoint2d(1, 1));
  const QvGeCircArc2d zeroArc(QvGePoint2d(0, 0), 0.0);
  const QvGeLineSeg2d seg(QvGePoint2d(-2, 0), QvGePoint2d(2, 0));
  for (const QvGeCurve2d* bad : std::initializer_list<const QvGeCurve2d*>{&nanSeg, &zeroArc}) {
    QvGeCurveCurveInt2d inter(seg, *bad);
    EXPECT_EQ(inter.status(), Vexa::eInvalidInput);
    EXPECT_EQ(inter.numIntPoints(), 0);
  }
}

// Random rational curves with tiny, huge and mixed weights and clustered knots (fixed seed):
// valid ones answer finite values, invalid ones are refused.
TEST(QvGeBadInput, RandomNurbsDataNeverGivesNaN) {
  std::mt19937 rng(20261206u);
  std::uniform_real_distribution<double> coord(-10.0, 10.0), expo(-2.0, 2.0), unit(0.0, 1.0);
  for (int round = 0; round < 10; ++round) {
    const int degree = 1 + round % 4;
    const int n = degree + 1 + static_cast<int>(unit(rng) * 4);
    QvGePoint3dArray pts;
    QvGeDoubleArray weights, knots;
    for (int i = 0; i < n; ++i) {
      pts.append(QvGePoint3d(coord(rng), coord(rng), coord(rng)));
      weights.append(std::pow(10.0, expo(rng)));
    }
    for (int i = 0; i <= degree; ++i) knots.append(0.0);
    for (int i = 1; i < n - degree; ++i)
      knots.append(round % 5 == 0 ? 0.5 : static_cast<double>(i) / (n - degree));
    for (int i = 0; i <= degree; ++i) knots.append(1.0);
    const QvGeNurbCurve3d c(degree, knots, pts, weights);
    checkQueries(c, "random nurbs " + std::to_string(round));
    checkBadTransforms(c, "random nurbs " + std::to_string(round));
  }
}

// The smallest inputs that once crashed or passed NaN on under a success.
TEST(QvGeBadInput, MinimalRegressions) {
  const QvGeNurbCurve3d nurbs;  // degree 1 from the origin to (1, 0, 0)
  (void)nurbs.evalPoint(kNaN);  // recursed without end
  QvGePoint3d p;
  QvGeVector3dArray d;
  EXPECT_EQ(nurbs.evaluate(kNaN, 0, p, d), Vexa::eOutOfRange);
  EXPECT_TRUE(finite(QvGePolyline3d(kSquare).evalPoint(1e12)));  // int overflow
  QvGeMatrix3d withNaN, inv;
  withNaN(0, 1) = kNaN;
  EXPECT_FALSE(withNaN.inverse(inv));
  EXPECT_EQ(QvGeLine3d(O, X).evaluate(kInf, 0, p, d), Vexa::eOutOfRange);
  double param = 1.0;
  EXPECT_FALSE(QvGeCircArc3d(O, Z, 1.0).getParamAtLength(kNaN, 0.5, true, param));
  EXPECT_EQ(param, 1.0);
  QvGeLineSeg3d seg(O, QvGePoint3d(1, 0, 0));
  EXPECT_EQ(seg.transformBy(withNaN), Vexa::eInvalidInput);
  EXPECT_TRUE(seg.evalPoint(1.0).isEqualTo(QvGePoint3d(1, 0, 0)));
}

// --- Value types ---

TEST(QvGeBadInput, ZeroAndNonFiniteVectors) {
  for (const QvGeVector3d& v :
       {Zero, QvGeVector3d(kNaN, 0, 0), QvGeVector3d(kInf, 1, 0), QvGeVector3d(1e-300, 0, 0)}) {
    QvGe::ErrorCondition flag = QvGe::kOk;
    QvGeVector3d n = v;
    n.normalize(QvGeContext::gTol, flag);
    EXPECT_EQ(flag, QvGe::k0This) << v.x;
    EXPECT_FALSE(v.normal().isUnitLength()) << "a unit normal from a bad vector";
    const QvGeVector3d perp = v.perpVector();
    if (finite(v)) {
      EXPECT_TRUE(finite(perp));
    }
  }
  EXPECT_TRUE(finite(X.angleTo(Zero)));
  EXPECT_TRUE(finite(Zero.angleTo(X, Z)));
  EXPECT_TRUE(finite(X.angleTo(Y, Zero)));
  for (QvGeVector2d v : {QvGeVector2d(0, 0), QvGeVector2d(kNaN, 1)}) {
    QvGe::ErrorCondition flag = QvGe::kOk;
    v.normalize(QvGeContext::gTol, flag);
    EXPECT_EQ(flag, QvGe::k0This) << v.x;
  }
  EXPECT_TRUE(finite(QvGeVector2d(1, 0).angleTo(QvGeVector2d(0, 0))));
  EXPECT_TRUE(finite(QvGeVector2d(0, 0).angleToCCW(QvGeVector2d(1, 0))));
}

TEST(QvGeBadInput, SingularAndNonFiniteMatrices) {
  for (const QvGeMatrix3d& m : badMatrices3d()) {
    QvGeMatrix3d inv;
    inv(0, 0) = 7.0;
    if (m.inverse(inv)) {
      EXPECT_TRUE(finite(inv));
      EXPECT_TRUE((m * inv).isEqualTo(QvGeMatrix3d()));
    } else {
      EXPECT_EQ(inv(0, 0), 7.0) << "result touched on failure";
    }
    QvGeMatrix3d copy = m;
    if (!copy.invert()) {
      EXPECT_TRUE(finite(m) ? finite(copy) : true);
    }
    EXPECT_TRUE(finite(m.inverse()) || !finite(m));
  }
  QvGeMatrix3d align;
  EXPECT_FALSE(align.setToAlignCoordSys(O, X, X, Z, O, X, Y, Z));
  EXPECT_FALSE(align.setToAlignCoordSys(O, X, Y, Zero, O, X, Y, Z));
  EXPECT_FALSE(align.setToAlignCoordSys(O, X, Y, X + Y, O, X, Y, Z));
  EXPECT_FALSE(align.setToAlignCoordSys(O, QvGeVector3d(kNaN, 0, 0), Y, Z, O, X, Y, Z));
  EXPECT_FALSE(align.setToWorldToPlane(QvGeVector3d(kNaN, 0, 1)));
  EXPECT_FALSE(align.setToProjection(QvGePlane(), X));
  EXPECT_TRUE(finite(QvGeMatrix3d::rotation(1.0, Zero)));
  EXPECT_TRUE(finite(QvGeMatrix3d::rotation(1.0, QvGeVector3d(kNaN, 0, 0))));

  QvGeMatrix2d flat;
  flat.entry[0][0] = 0.0;
  QvGeMatrix2d inv2;
  inv2.entry[0][0] = 7.0;
  EXPECT_FALSE(flat.inverse(inv2));
  EXPECT_EQ(inv2.entry[0][0], 7.0);
  QvGeMatrix2d nan2;
  nan2.entry[0][1] = kNaN;
  if (nan2.inverse(inv2)) {
    EXPECT_TRUE(finite(inv2.entry[0][0]) && finite(inv2.entry[1][1]));
  }
}

TEST(QvGeBadInput, DegeneratePlanes) {
  const QvGePoint3d a(0, 0, 0), b(1, 1, 1), c(2, 2, 2);
  const std::vector<QvGePlane> bad = {
      QvGePlane(a, b, c),       QvGePlane(a, a, c),     QvGePlane(a, Zero),
      QvGePlane(a, X, X * 2.0), QvGePlane(0, 0, 0, 1),  QvGePlane(a, QvGeVector3d(kNaN, 0, 1)),
      QvGePlane(NaNPt, Z),      QvGePlane(a, NaNPt, c), QvGePlane(kNaN, 0, 1, 0),
  };
  for (const QvGePlane& p : bad) {
    EXPECT_FALSE(p.isValid());
    EXPECT_FALSE(p.isOn(a));
    QvGePoint3d hit(5, 5, 5);
    EXPECT_FALSE(p.intersectWith(a, Z, hit));
    EXPECT_TRUE(hit.isEqualTo(QvGePoint3d(5, 5, 5)));
    EXPECT_TRUE(finite(p.distanceTo(b)));
    EXPECT_TRUE(finite(p.closestPointTo(b)));
  }
  QvGePlane plane;
  EXPECT_EQ(plane.set(a, b, c), Vexa::eInvalidInput);
  EXPECT_EQ(plane.set(NaNPt, Z), Vexa::eInvalidInput);
  EXPECT_TRUE(plane.isValid());
  EXPECT_TRUE(plane.normal().isEqualTo(Z));

  // Lines lying in the plane or not there at all do not meet it at one point, and the hit is
  // left alone (parallel lines and planes are refused in QvGePlaneTest).
  QvGePoint3d hit(5, 5, 5);
  EXPECT_FALSE(plane.intersectWith(a, X, hit));
  EXPECT_FALSE(plane.intersectWith(NaNPt, Z, hit));
  EXPECT_FALSE(plane.intersectWith(QvGeLineSeg3d(NaNPt, QvGePoint3d(0, 0, 2)), hit));
  EXPECT_TRUE(hit.isEqualTo(QvGePoint3d(5, 5, 5)));
  QvGeVector3d dir;
  EXPECT_FALSE(plane.intersectWith(QvGePlane(a, Zero), hit, dir));
  // A flattening matrix leaves the plane as it was.
  QvGeMatrix3d flat;
  flat(2, 2) = 0.0;
  QvGePlane side(a, X);
  EXPECT_FALSE(side.transformBy(flat));
  EXPECT_TRUE(side.normal().isEqualTo(X));
}

}  // namespace
