#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/ge/QvGePrecision.h"
#include "sdk/ge/detail/BandSolver.h"
#include "sdk/ge/detail/GeSpace.h"

// A NURBS curve as degree, knot vector and homogeneous control points (w x, w y[, w z], w),
// with the standard algorithms (de Boor evaluation with derivatives, knot insertion, trimming,
// joining, blossoms, global interpolation). Written once for 2D and 3D.
namespace qvge_detail {

template <int Dim>
class NurbsCore {
 public:
  static constexpr int kMaxDegree = 25;
  static constexpr int kH = Dim + 1;
  using Point = typename GeSpace<Dim>::Point;
  using Vector = typename GeSpace<Dim>::Vector;
  using Extents = typename GeSpace<Dim>::Extents;
  using HPoint = std::array<double, kH>;

  int degree = 1;
  std::vector<double> knots;
  std::vector<HPoint> ctrl;
  bool rational = false;
  bool periodic = false;

  // Checks and stores the data; the core is unchanged on failure. Weights may be empty (all
  // one). eInvalidInput for: degree outside [1, kMaxDegree]; fewer than degree + 1 control
  // points; a knot count other than points + degree + 1; decreasing or non-finite knots; an
  // inner knot repeated more than degree times; an empty domain; weights of the wrong count,
  // not finite or not positive; control points not finite.
  Vexa::ErrorStatus set(int deg, const std::vector<double>& kn, const std::vector<Point>& pts,
                        const std::vector<double>& weights, bool isPeriodic) {
    const int n = static_cast<int>(pts.size());
    if (deg < 1 || deg > kMaxDegree || n < deg + 1) return Vexa::eInvalidInput;
    if (static_cast<int>(kn.size()) != n + deg + 1) return Vexa::eInvalidInput;
    for (size_t i = 0; i < kn.size(); ++i) {
      if (!std::isfinite(kn[i])) return Vexa::eInvalidInput;
      if (i > 0 && kn[i] < kn[i - 1]) return Vexa::eInvalidInput;
    }
    if (!(kn[deg] < kn[n])) return Vexa::eInvalidInput;
    // No knot more than degree + 1 times; inner knots (strictly inside the domain) at most
    // degree times.
    for (size_t i = 0; i < kn.size();) {
      size_t j = i;
      while (j < kn.size() && kn[j] == kn[i]) ++j;
      const int mult = static_cast<int>(j - i);
      if (mult > deg + 1) return Vexa::eInvalidInput;
      if (kn[i] > kn[deg] && kn[i] < kn[n] && mult > deg) return Vexa::eInvalidInput;
      i = j;
    }
    if (!weights.empty() && static_cast<int>(weights.size()) != n) return Vexa::eInvalidInput;
    for (double w : weights)
      if (!(w > 0.0) || !std::isfinite(w)) return Vexa::eInvalidInput;
    std::vector<HPoint> h(static_cast<size_t>(n));
    bool anyWeight = false;
    for (int i = 0; i < n; ++i) {
      const double w = weights.empty() ? 1.0 : weights[static_cast<size_t>(i)];
      if (w != 1.0) anyWeight = true;
      for (int d = 0; d < Dim; ++d) {
        if (!std::isfinite(pts[static_cast<size_t>(i)][d])) return Vexa::eInvalidInput;
        h[static_cast<size_t>(i)][d] = w * pts[static_cast<size_t>(i)][d];
      }
      h[static_cast<size_t>(i)][Dim] = w;
    }
    degree = deg;
    knots = kn;
    ctrl = std::move(h);
    rational = anyWeight;
    periodic = isPeriodic;
    return Vexa::eOk;
  }

  int numCtrl() const { return static_cast<int>(ctrl.size()); }
  double lo() const { return knots[static_cast<size_t>(degree)]; }
  double hi() const { return knots[static_cast<size_t>(numCtrl())]; }
  double weight(int i) const { return ctrl[static_cast<size_t>(i)][Dim]; }
  Point ctrlPoint(int i) const { return euclid(ctrl[static_cast<size_t>(i)]); }

  static Point euclid(const HPoint& h) {
    double c[3] = {0.0, 0.0, 0.0};
    for (int d = 0; d < Dim; ++d) c[d] = h[d] / h[Dim];
    return pointFrom<Point>(c);
  }
  static HPoint homogeneous(const Point& p, double w) {
    HPoint h;
    for (int d = 0; d < Dim; ++d) h[d] = p[d] * w;
    h[Dim] = w;
    return h;
  }

  // The index k of the non-empty span [knots[k], knots[k + 1]) holding t, kept to the first
  // and last spans of the domain for parameters outside it.
  int findSpan(double t) const {
    const auto b = knots.begin(), e = knots.end();
    const int first = static_cast<int>(std::upper_bound(b, e, lo()) - b) - 1;
    const int last = static_cast<int>(std::lower_bound(b, e, hi()) - b) - 1;
    const int k = static_cast<int>(std::upper_bound(b, e, t) - b) - 1;
    return std::clamp(k, first, last);
  }

  // The homogeneous curve on `span` (degree at most 3) as a polynomial in (t - about):
  // coef[k] = A^(k)(about) / k!, zero above the degree.
  void spanPolynomial(int span, double about, HPoint coef[4]) const {
    static constexpr double kInvFactorial[4] = {1.0, 1.0, 0.5, 1.0 / 6.0};
    double ders[4][kMaxDegree + 1];
    basisDerivs(span, about, degree, ders);
    for (int k = 0; k < 4; ++k) {
      coef[k].fill(0.0);
      if (k > degree) continue;
      for (int j = 0; j <= degree; ++j) {
        const HPoint& c = ctrl[static_cast<size_t>(span - degree + j)];
        for (int i = 0; i < kH; ++i) coef[k][i] += ders[k][j] * c[i];
      }
      for (int i = 0; i < kH; ++i) coef[k][i] *= kInvFactorial[k];
    }
  }

  // Nonzero basis functions of `span` and their derivatives up to nd at t (t may lie outside
  // the span: the span's polynomials continue).
  void basisDerivs(int span, double t, int nd, double ders[][kMaxDegree + 1]) const {
    const int p = degree;
    double ndu[kMaxDegree + 1][kMaxDegree + 1];
    double left[kMaxDegree + 1], right[kMaxDegree + 1];
    ndu[0][0] = 1.0;
    for (int j = 1; j <= p; ++j) {
      left[j] = t - knots[static_cast<size_t>(span + 1 - j)];
      right[j] = knots[static_cast<size_t>(span + j)] - t;
      double saved = 0.0;
      for (int r = 0; r < j; ++r) {
        ndu[j][r] = right[r + 1] + left[j - r];
        const double temp = ndu[r][j - 1] / ndu[j][r];
        ndu[r][j] = saved + right[r + 1] * temp;
        saved = left[j - r] * temp;
      }
      ndu[j][j] = saved;
    }
    for (int j = 0; j <= p; ++j) ders[0][j] = ndu[j][p];
    double a[2][kMaxDegree + 1];
    for (int r = 0; r <= p; ++r) {
      int s1 = 0, s2 = 1;
      a[0][0] = 1.0;
      for (int k = 1; k <= nd; ++k) {
        double d = 0.0;
        const int rk = r - k, pk = p - k;
        if (r >= k) {
          a[s2][0] = a[s1][0] / ndu[pk + 1][rk];
          d = a[s2][0] * ndu[rk][pk];
        }
        const int j1 = rk >= -1 ? 1 : -rk;
        const int j2 = (r - 1 <= pk) ? k - 1 : p - r;
        for (int j = j1; j <= j2; ++j) {
          a[s2][j] = (a[s1][j] - a[s1][j - 1]) / ndu[pk + 1][rk + j];
          d += a[s2][j] * ndu[rk + j][pk];
        }
        if (r <= pk) {
          a[s2][k] = -a[s1][k - 1] / ndu[pk + 1][r];
          d += a[s2][k] * ndu[r][pk];
        }
        ders[k][r] = d;
        std::swap(s1, s2);
      }
    }
    double factor = p;
    for (int k = 1; k <= nd; ++k) {
      for (int j = 0; j <= p; ++j) ders[k][j] *= factor;
      factor *= (p - k);
    }
  }

  // The point and its first nd (<= 3) derivatives. Outside the domain the end spans continue
  // (a periodic curve wraps instead).
  void evaluate(double t, int nd, Point& point, Vector* d) const {
    if (periodic) t = wrapPeriodic(t);
    const int p = degree;
    const int span = findSpan(t);
    const int ndb = std::min(nd, p);
    double ders[4][kMaxDegree + 1];
    basisDerivs(span, t, ndb, ders);
    HPoint aw[4];
    for (int k = 0; k <= nd; ++k) aw[k].fill(0.0);
    for (int k = 0; k <= ndb; ++k)
      for (int j = 0; j <= p; ++j) {
        const HPoint& c = ctrl[static_cast<size_t>(span - p + j)];
        for (int i = 0; i < kH; ++i) aw[k][i] += ders[k][j] * c[i];
      }
    const double w0 = aw[0][Dim];
    if (!(std::fabs(w0) > 1e-300) || !std::isfinite(w0)) {
      // Where a rational curve is continued beyond its domain, the end of the domain stands
      // in; a NaN parameter (inside no range) has no point.
      if (t < lo() || t > hi()) {
        evaluate(std::clamp(t, lo(), hi()), nd, point, d);
        return;
      }
      const double nan = std::numeric_limits<double>::quiet_NaN();
      const double none[3] = {nan, nan, nan};
      point = pointFrom<Point>(none);
      for (int k = 1; k <= nd; ++k) d[k - 1] = vectorFrom<Vector>(none);
      return;
    }
    // Rational derivatives: C(k) = (A(k) - sum_{i=1..k} binom(k,i) w(i) C(k-i)) / w.
    double c[4][3] = {};
    static constexpr double kBinom[4][4] = {{1, 0, 0, 0}, {1, 1, 0, 0}, {1, 2, 1, 0}, {1, 3, 3, 1}};
    for (int k = 0; k <= nd; ++k) {
      for (int i = 0; i < Dim; ++i) {
        double v = aw[k][i];
        for (int j = 1; j <= k; ++j) v -= kBinom[k][j] * aw[j][Dim] * c[k - j][i];
        c[k][i] = v / w0;
      }
    }
    point = pointFrom<Point>(c[0]);
    for (int k = 1; k <= nd; ++k) d[k - 1] = vectorFrom<Vector>(c[k]);
  }

  Point at(double t) const {
    Point p;
    evaluate(t, 0, p, nullptr);
    return p;
  }

  double wrapPeriodic(double t) const {
    const double a = lo(), len = hi() - a;
    if (t >= a && t <= hi()) return t;
    double w = std::fmod(t - a, len);
    if (w < 0.0) w += len;
    return a + w;
  }

  int multiplicity(double t) const {
    return static_cast<int>(std::count(knots.begin(), knots.end(), t));
  }

  // Moves t onto a knot when it lies within a hair of one, so that trimming makes no sliver.
  double snapToKnot(double t) const {
    const double tol = QvGePrecision::kRoundoff * (hi() - lo());
    for (double k : knots)
      if (std::fabs(k - t) <= tol) return k;
    return t;
  }

  // Inserts t r times (Boehm); the total multiplicity must stay at most degree.
  void insertKnot(double t, int r) {
    if (r <= 0) return;
    const int p = degree, np = numCtrl() - 1;
    const int s = multiplicity(t);
    int k;
    if (s > 0) {
      k = static_cast<int>(std::upper_bound(knots.begin(), knots.end(), t) - knots.begin()) - 1;
    } else {
      k = findSpan(t);
    }
    std::vector<double> uq(knots.size() + static_cast<size_t>(r));
    for (int i = 0; i <= k; ++i) uq[static_cast<size_t>(i)] = knots[static_cast<size_t>(i)];
    for (int i = 1; i <= r; ++i) uq[static_cast<size_t>(k + i)] = t;
    for (size_t i = static_cast<size_t>(k) + 1; i < knots.size(); ++i)
      uq[i + static_cast<size_t>(r)] = knots[i];
    std::vector<HPoint> qw(ctrl.size() + static_cast<size_t>(r));
    for (int i = 0; i <= k - p; ++i) qw[static_cast<size_t>(i)] = ctrl[static_cast<size_t>(i)];
    for (int i = k - s; i <= np; ++i) qw[static_cast<size_t>(i + r)] = ctrl[static_cast<size_t>(i)];
    std::vector<HPoint> rw(static_cast<size_t>(p - s + 1));
    for (int i = 0; i <= p - s; ++i)
      rw[static_cast<size_t>(i)] = ctrl[static_cast<size_t>(k - p + i)];
    int L = k - p;
    for (int j = 1; j <= r; ++j) {
      L = k - p + j;
      for (int i = 0; i <= p - j - s; ++i) {
        const double alpha =
            (t - knots[static_cast<size_t>(L + i)]) /
            (knots[static_cast<size_t>(i + k + 1)] - knots[static_cast<size_t>(L + i)]);
        for (int c = 0; c < kH; ++c)
          rw[static_cast<size_t>(i)][c] = alpha * rw[static_cast<size_t>(i + 1)][c] +
                                          (1.0 - alpha) * rw[static_cast<size_t>(i)][c];
      }
      qw[static_cast<size_t>(L)] = rw[0];
      qw[static_cast<size_t>(k + r - j - s)] = rw[static_cast<size_t>(p - j - s)];
    }
    for (int i = L + 1; i < k - s; ++i) qw[static_cast<size_t>(i)] = rw[static_cast<size_t>(i - L)];
    knots = std::move(uq);
    ctrl = std::move(qw);
  }

  // The curve over [a, b] within the domain, clamped at both ends. False for an empty or
  // outside range.
  bool trimmed(double a, double b, NurbsCore& out) const {
    const double tol = QvGePrecision::kRoundoff * (hi() - lo());
    if (!(a < b) || a < lo() - tol || b > hi() + tol) return false;
    a = snapToKnot(std::clamp(a, lo(), hi()));
    b = snapToKnot(std::clamp(b, lo(), hi()));
    if (!(a < b)) return false;
    NurbsCore c = *this;
    c.periodic = false;
    const int p = degree;
    c.insertKnot(a, std::max(0, p - c.multiplicity(a)));
    c.insertKnot(b, std::max(0, p - c.multiplicity(b)));
    const auto first = std::lower_bound(c.knots.begin(), c.knots.end(), a) - c.knots.begin();
    const int ma = c.multiplicity(a);
    const auto last = (std::upper_bound(c.knots.begin(), c.knots.end(), b) - c.knots.begin()) - 1;
    const int mb = c.multiplicity(b);
    const int startCtrl = static_cast<int>(first) + ma - 1 - p;
    const int endCtrl = static_cast<int>(last) - mb;
    if (startCtrl < 0 || endCtrl >= c.numCtrl() || endCtrl - startCtrl < p) return false;
    out.degree = p;
    out.periodic = false;
    out.ctrl.assign(c.ctrl.begin() + startCtrl, c.ctrl.begin() + endCtrl + 1);
    out.knots.assign(c.knots.begin() + startCtrl, c.knots.begin() + endCtrl + p + 2);
    for (int i = 0; i <= p; ++i) {
      out.knots[static_cast<size_t>(i)] = a;
      out.knots[out.knots.size() - 1 - static_cast<size_t>(i)] = b;
    }
    out.rational = rational;
    return true;
  }

  // first followed by second (same degree, both clamped, second starting where first ends):
  // the parameters of second are shifted to follow those of first, its weights scaled to meet
  // first's last weight, and the joint keeps multiplicity degree.
  static bool join(const NurbsCore& first, const NurbsCore& second, NurbsCore& out) {
    if (first.degree != second.degree) return false;
    const int p = first.degree;
    const double factor = first.ctrl.back()[Dim] / second.ctrl.front()[Dim];
    const double shift = first.hi() - second.lo();
    out.degree = p;
    out.periodic = false;
    out.rational = first.rational || second.rational;
    out.knots.assign(first.knots.begin(), first.knots.end() - 1);
    for (size_t i = static_cast<size_t>(p) + 1; i < second.knots.size(); ++i)
      out.knots.push_back(second.knots[i] + shift);
    out.ctrl = first.ctrl;
    for (size_t i = 1; i < second.ctrl.size(); ++i) {
      HPoint h = second.ctrl[i];
      for (double& c : h) c *= factor;
      out.ctrl.push_back(h);
    }
    return true;
  }

  // The same points in the opposite order over the same domain.
  void reverse() {
    const double sum = lo() + hi();
    std::reverse(ctrl.begin(), ctrl.end());
    std::reverse(knots.begin(), knots.end());
    for (double& k : knots) k = sum - k;
  }

  template <class MapPoint>
  void mapPoints(MapPoint map) {
    for (HPoint& h : ctrl) {
      const double w = h[Dim];
      h = homogeneous(map(euclid(h)), w);
    }
  }

  void addHullToBox(Extents& box) const {
    for (const HPoint& h : ctrl) box.addPoint(euclid(h));
  }

  // The Bezier pieces of [a, b]: parameter ranges and homogeneous control points (degree + 1
  // each), by trimming and raising every inner knot to multiplicity degree.
  void bezierPieces(double a, double b, std::vector<std::pair<double, double>>& ranges,
                    std::vector<std::vector<HPoint>>& pieces) const {
    NurbsCore c;
    if (!trimmed(a, b, c)) return;
    for (double k : c.innerKnots()) c.insertKnot(k, std::max(0, c.degree - c.multiplicity(k)));
    const int p = c.degree;
    for (int first = 0; first + p < c.numCtrl(); first += p) {
      const double t0 = c.knots[static_cast<size_t>(first + p)];
      const double t1 = c.knots[static_cast<size_t>(first + p + 1)];
      ranges.emplace_back(t0, t1);
      pieces.emplace_back(c.ctrl.begin() + first, c.ctrl.begin() + first + p + 1);
    }
  }

  // Distinct knots strictly inside the domain.
  std::vector<double> innerKnots() const {
    std::vector<double> out;
    for (double k : knots)
      if (k > lo() && k < hi() && (out.empty() || k > out.back())) out.push_back(k);
    return out;
  }

  // The polar form (blossom) of span `span` at degree arguments, in homogeneous coordinates:
  // de Boor's triangle with one argument per level.
  HPoint blossom(int span, const double* args) const {
    const int p = degree;
    HPoint d[kMaxDegree + 1];
    for (int j = 0; j <= p; ++j) d[j] = ctrl[static_cast<size_t>(span - p + j)];
    for (int r = 1; r <= p; ++r) {
      for (int j = p; j >= r; --j) {
        const int i = span - p + j;
        const double denom =
            knots[static_cast<size_t>(i + p + 1 - r)] - knots[static_cast<size_t>(i)];
        const double alpha =
            denom != 0.0 ? (args[r - 1] - knots[static_cast<size_t>(i)]) / denom : 0.0;
        for (int c = 0; c < kH; ++c) d[j][c] = (1.0 - alpha) * d[j - 1][c] + alpha * d[j][c];
      }
    }
    return d[p];
  }

  // The end span's polynomial continued beyond the domain, as a clamped Bezier curve over
  // [lo - w, lo] (start) or [hi, hi + w] (end), w the width of that end span. The width is
  // halved (up to 30 times) while a continued rational weight would not stay positive.
  bool extension(bool atStart, NurbsCore& out) const {
    const int p = degree;
    const int span = findSpan(atStart ? lo() : hi());
    double width = knots[static_cast<size_t>(span + 1)] - knots[static_cast<size_t>(span)];
    for (int attempt = 0; attempt < 30; ++attempt, width *= 0.5) {
      const double a = atStart ? lo() - width : hi();
      const double b = atStart ? lo() : hi() + width;
      std::vector<HPoint> bez(static_cast<size_t>(p + 1));
      bool positive = true;
      for (int i = 0; i <= p; ++i) {
        double args[kMaxDegree];
        for (int r = 0; r < p; ++r) args[r] = r < p - i ? a : b;
        bez[static_cast<size_t>(i)] = blossom(span, args);
        if (!(bez[static_cast<size_t>(i)][Dim] > 0.0)) positive = false;
      }
      if (!positive) continue;
      out.degree = p;
      out.periodic = false;
      out.rational = rational;
      out.ctrl = std::move(bez);
      out.knots.assign(static_cast<size_t>(p + 1), a);
      out.knots.insert(out.knots.end(), static_cast<size_t>(p + 1), b);
      return true;
    }
    return false;
  }

  // Global interpolation of fit points with chord-length parameters over [0, 1] and averaged
  // knots, with optional end derivatives (zero vectors mean none). The degree is lowered when
  // there are too few points. False for fewer than two points, consecutive equal points or a
  // singular system.
  static bool interpolate(const std::vector<Point>& pts, int deg, const Vector& startDeriv,
                          const Vector& endDeriv, NurbsCore& out) {
    const int n = static_cast<int>(pts.size()) - 1;
    if (n < 1 || deg < 1) return false;
    const bool hasStart = startDeriv.lengthSqrd() > 0.0, hasEnd = endDeriv.lengthSqrd() > 0.0;
    const int kStart = hasStart ? 1 : 0, kEnd = hasEnd ? 1 : 0;
    const int numCtrl = n + 1 + kStart + kEnd;
    const int p = std::min({deg, numCtrl - 1, kMaxDegree});
    std::vector<double> u(static_cast<size_t>(n + 1), 0.0);
    double total = 0.0;
    for (int i = 1; i <= n; ++i) {
      const double chord = (pts[static_cast<size_t>(i)] - pts[static_cast<size_t>(i - 1)]).length();
      if (!(chord > 0.0) || !std::isfinite(chord)) return false;
      total += chord;
      u[static_cast<size_t>(i)] = total;
    }
    for (double& v : u) v /= total;
    u.back() = 1.0;
    NurbsCore c;
    c.degree = p;
    c.knots.assign(static_cast<size_t>(p + 1), 0.0);
    const int inner = numCtrl - p - 1;
    for (int j = 0; j < inner; ++j) {
      const int s = j + 1 - kStart;
      double sum = 0.0;
      for (int i = s; i < s + p; ++i) sum += u[static_cast<size_t>(std::clamp(i, 0, n))];
      c.knots.push_back(sum / p);
    }
    c.knots.insert(c.knots.end(), static_cast<size_t>(p + 1), 1.0);
    c.ctrl.assign(static_cast<size_t>(numCtrl), HPoint{});
    for (HPoint& h : c.ctrl) h[Dim] = 1.0;

    // Rows in the order Q0, D0, Q1 .. Q(n-1), Dn, Qn keep the matrix banded.
    const int band = p + 2;
    BandSolver solver(numCtrl, band, band, Dim);
    int row = 0;
    double ders[4][kMaxDegree + 1];
    auto addRow = [&](double t, int derivOrder, const double* rhs) {
      const int span = c.findSpan(t);
      c.basisDerivs(span, t, derivOrder, ders);
      for (int j = 0; j <= p; ++j)
        if (!solver.set(row, span - p + j, ders[derivOrder][j])) return false;
      for (int d = 0; d < Dim; ++d) solver.setRhs(row, d, rhs[d]);
      ++row;
      return true;
    };
    auto coords = [](const auto& v) {
      std::array<double, 3> a{0, 0, 0};
      for (int d = 0; d < Dim; ++d) a[static_cast<size_t>(d)] = v[d];
      return a;
    };
    bool ok = addRow(0.0, 0, coords(pts[0]).data());
    if (hasStart) ok = ok && addRow(0.0, 1, coords(startDeriv).data());
    for (int i = 1; i < n; ++i)
      ok = ok && addRow(u[static_cast<size_t>(i)], 0, coords(pts[static_cast<size_t>(i)]).data());
    if (hasEnd) ok = ok && addRow(1.0, 1, coords(endDeriv).data());
    ok = ok && addRow(1.0, 0, coords(pts[static_cast<size_t>(n)]).data());
    if (!ok || !solver.solve()) return false;
    for (int i = 0; i < numCtrl; ++i)
      for (int d = 0; d < Dim; ++d) c.ctrl[static_cast<size_t>(i)][d] = solver.solution(i, d);
    out = std::move(c);
    return true;
  }
};

}  // namespace qvge_detail
