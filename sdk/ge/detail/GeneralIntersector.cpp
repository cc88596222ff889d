#include "sdk/ge/detail/GeneralIntersector.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "sdk/ge/QvGePrecision.h"
#include "sdk/ge/detail/IntersectionPieces.h"

namespace qvge_detail {

namespace {

constexpr double kFlatness = 1e-4;       // chord deviation, relative to the chord
constexpr double kParallelSine = 1e-3;   // chords closer in direction than this are parallel
constexpr double kRoughFlatness = 2e-2;  // pieces this flat and parallel are tried as coincident
constexpr double kRoughParallelSine = 2e-2;
constexpr double kShortOverlap = 1e-4;  // shorter common stretches (relative to size) touch
constexpr double kTangentSine = 1e-4;   // tangents closer than this make a tangent point
constexpr int kMaxDepth = 120;          // halvings of a pair, both pieces together

struct Solution {
  double s, t, dist;
};

struct Coincidence {
  double s0, s1, t0, t1;
};

class Intersector {
 public:
  Intersector(const QvGeCurve3d& a, double a0, double a1, const QvGeCurve3d& b, double b0,
              double b1, const QvGeTol& tol, bool dropZ, int workLimit)
      : a_(a, dropZ),
        b_(b, dropZ),
        a0_(a0),
        a1_(a1),
        b0_(b0),
        b1_(b1),
        eps_(tol.equalPoint()),
        workLimit_(workLimit) {}

  void run(IntSink& out) {
    std::vector<Piece> pa, pb;
    a_.initial(a0_, a1_, pa);
    b_.initial(b0_, b1_, pb);
    QvGeExtents3d all;
    for (const Piece& p : pa) all.addExt(p.box);
    for (const Piece& p : pb) all.addExt(p.box);
    size_ = std::max(all.diagonal(), eps_);
    if (!subdivide(pa, pb)) out.complete = false;
    tryEnds();
    emit(out);
  }

 private:
  // --- Refinement on the true curves ---

  // Newton on a(s) - b(t) = 0 from (s, t), kept inside the ranges. Returns the distance left.
  double refine(double& s, double& t) const {
    for (int iter = 0; iter < 200; ++iter) {
      QvGePoint3d p, q;
      QvGeVector3d da, db, unused;
      a_.derivs(s, p, da, unused);
      b_.derivs(t, q, db, unused);
      const QvGeVector3d f = p - q;
      const double aa = da.dotProduct(da), bb = db.dotProduct(db), ab = da.dotProduct(db);
      const double af = da.dotProduct(f), bf = db.dotProduct(f);
      const double det = aa * bb - ab * ab;
      double ds, dt;
      if (det > 1e-12 * aa * bb && aa > 0.0 && bb > 0.0) {
        // Normal equations of the least-squares step [da -db] (ds, dt) = -f.
        ds = (-bb * af + ab * bf) / det;
        dt = (aa * bf - ab * af) / det;
      } else {
        // Parallel tangents: move each point half way to the other's foot.
        ds = aa > 0.0 ? -0.5 * af / aa : 0.0;
        dt = bb > 0.0 ? 0.5 * bf / bb : 0.0;
      }
      const double ns = std::clamp(s + ds, a0_, a1_), nt = std::clamp(t + dt, b0_, b1_);
      const bool still = std::fabs(ns - s) <= 1e-16 * std::max(1.0, std::fabs(s)) &&
                         std::fabs(nt - t) <= 1e-16 * std::max(1.0, std::fabs(t));
      s = ns;
      t = nt;
      if (still) break;
    }
    return a_.point(s).distanceTo(b_.point(t));
  }

  // Parameter on a curve nearest p by a one-dimensional Newton from seed within [lo, hi].
  static double footOn(const PieceSource& c, const QvGePoint3d& p, double seed, double lo,
                       double hi) {
    double t = seed;
    for (int iter = 0; iter < 60; ++iter) {
      QvGePoint3d q;
      QvGeVector3d d1, d2;
      c.derivs(t, q, d1, d2);
      const QvGeVector3d r = q - p;
      const double g = r.dotProduct(d1), gp = d1.dotProduct(d1) + r.dotProduct(d2);
      double next = gp > 0.0 ? t - g / gp : t - (d1.lengthSqrd() > 0.0 ? g / d1.lengthSqrd() : 0.0);
      next = std::clamp(next, lo, hi);
      if (std::fabs(next - t) <= 1e-16 * std::max(1.0, std::fabs(t))) return next;
      t = next;
    }
    return t;
  }

  void addSolution(double s, double t) {
    const double d = refine(s, t);
    if (d <= eps_) solutions_.push_back({s, t, d});
  }

  // --- Subdivision ---

  static double chordParam(const Piece& p, const QvGePoint3d& q) {
    const QvGeVector3d chord = p.p1 - p.p0;
    const double len2 = chord.lengthSqrd();
    const double u = len2 > 0.0 ? std::clamp((q - p.p0).dotProduct(chord) / len2, 0.0, 1.0) : 0.5;
    return p.t0 + u * (p.t1 - p.t0);
  }

  // Seeds Newton from the chords' nearest points.
  void leaf(const Piece& a, const Piece& b) {
    const QvGeVector3d da = a.p1 - a.p0, db = b.p1 - b.p0, w = a.p0 - b.p0;
    const double aa = da.dotProduct(da), ab = da.dotProduct(db), bb = db.dotProduct(db);
    const double d = da.dotProduct(w), e = db.dotProduct(w);
    const double det = aa * bb - ab * ab;
    double u = 0.5, v = 0.5;
    if (det > 1e-24 * aa * bb && aa > 0.0 && bb > 0.0) {
      u = std::clamp((ab * e - bb * d) / det, 0.0, 1.0);
      v = std::clamp((aa * e - ab * d) / det, 0.0, 1.0);
    }
    addSolution(a.t0 + u * (a.t1 - a.t0), b.t0 + v * (b.t1 - b.t0));
  }

  // Points at a quarter, half and three quarters of each piece lie on the other curve.
  bool coincident(const Piece& a, const Piece& b) const {
    for (double f : {0.5, 0.25, 0.75}) {
      const QvGePoint3d pa = a_.point(a.t0 + f * (a.t1 - a.t0));
      const double tb = footOn(b_, pa, chordParam(b, pa), b0_, b1_);
      if (b_.point(tb).distanceTo(pa) > eps_) return false;
      const QvGePoint3d pb = b_.point(b.t0 + f * (b.t1 - b.t0));
      const double sa = footOn(a_, pb, chordParam(a, pb), a0_, a1_);
      if (a_.point(sa).distanceTo(pb) > eps_) return false;
    }
    return true;
  }

  // False when the work limit left pairs unexamined.
  bool subdivide(std::vector<Piece>& pa, std::vector<Piece>& pb) {
    std::vector<std::pair<int, int>> stack;
    for (int i = 0; i < static_cast<int>(pa.size()); ++i)
      for (int j = 0; j < static_cast<int>(pb.size()); ++j) stack.emplace_back(i, j);
    const QvGeTol boxTol(eps_, 0.0);
    const double tiny = std::max(16.0 * eps_, 1e-13 * size_);
    for (int work = 0; !stack.empty(); ++work) {
      if (work == workLimit_) return false;
      const auto [i, j] = stack.back();
      stack.pop_back();
      if (pa[static_cast<size_t>(i)].box.isDisjoint(pb[static_cast<size_t>(j)].box, boxTol))
        continue;
      const Piece& a = pa[static_cast<size_t>(i)];
      const Piece& b = pb[static_cast<size_t>(j)];
      const double lenA = a.p0.distanceTo(a.p1), lenB = b.p0.distanceTo(b.p1);
      const double devA = a_.deviation(a), devB = b_.deviation(b);
      const bool flatA = devA <= std::max(kFlatness * lenA, 0.25 * eps_);
      const bool flatB = devB <= std::max(kFlatness * lenB, 0.25 * eps_);
      const bool small = a.box.diagonal() <= tiny && b.box.diagonal() <= tiny;
      const bool deep = a.depth + b.depth >= kMaxDepth;
      double sine = 1.0;
      if (lenA > 0.0 && lenB > 0.0)
        sine = ((a.p1 - a.p0) / lenA).crossProduct((b.p1 - b.p0) / lenB).length();
      const bool parallel = sine < kParallelSine;
      // Pieces lying on each other's curve are an overlap: not halved further.
      if (sine < kRoughParallelSine && devA <= kRoughFlatness * lenA &&
          devB <= kRoughFlatness * lenB && !small && coincident(a, b)) {
        coincidences_.push_back({a.t0, a.t1, std::min(b.t0, b.t1), std::max(b.t0, b.t1)});
        continue;
      }
      // Flat pieces lie within their deviation of their chords: chords further apart than
      // that cannot meet.
      if (flatA && flatB && segmentDistance(a.p0, a.p1, b.p0, b.p1) > devA + devB + eps_) continue;
      if ((flatA && flatB && !parallel) || small || deep) {
        leaf(a, b);
        continue;
      }
      // Halve the larger piece: boxes shrink fastest, also around a long straight piece.
      const bool splitFirst = a.box.diagonal() >= b.box.diagonal();
      Piece left, right;
      if (splitFirst) {
        a_.split(a, left, right);
        pa.push_back(std::move(left));
        pa.push_back(std::move(right));
        const int n = static_cast<int>(pa.size());
        stack.emplace_back(n - 2, j);
        stack.emplace_back(n - 1, j);
      } else {
        b_.split(b, left, right);
        pb.push_back(std::move(left));
        pb.push_back(std::move(right));
        const int n = static_cast<int>(pb.size());
        stack.emplace_back(i, n - 2);
        stack.emplace_back(i, n - 1);
      }
    }
    return true;
  }

  // The ends of each curve against the other: curves that meet at an end point are common in
  // drawings and must not depend on the subdivision finding them.
  void tryEnds() {
    for (double s : {a0_, a1_}) {
      const QvGePoint3d p = a_.point(s);
      const double t = nearestOn(b_, p, b0_, b1_);
      if (b_.point(t).distanceTo(p) <= eps_) addSolution(s, t);
    }
    for (double t : {b0_, b1_}) {
      const QvGePoint3d q = b_.point(t);
      const double s = nearestOn(a_, q, a0_, a1_);
      if (a_.point(s).distanceTo(q) <= eps_) addSolution(s, t);
    }
  }

  // Nearest parameter by coarse samples and local Newton steps.
  static double nearestOn(const PieceSource& c, const QvGePoint3d& p, double lo, double hi) {
    constexpr int kSamples = 64;
    double best = lo, bestD = HUGE_VAL;
    for (int k = 0; k <= kSamples; ++k) {
      const double t = lo + (hi - lo) * k / kSamples;
      const double d = c.point(t).distSqrdTo(p);
      if (d < bestD) bestD = d, best = t;
    }
    const double step = (hi - lo) / kSamples;
    return footOn(c, p, best, std::max(lo, best - step), std::min(hi, best + step));
  }

  // --- Results ---

  QvGe::IntConfig configAt(double s, double t) const {
    QvGePoint3d p;
    QvGeVector3d da, db, d2;
    a_.derivs(s, p, da, d2);
    b_.derivs(t, p, db, d2);
    if (da.isZeroLength() || db.isZeroLength()) return QvGe::kIntCrossing;
    return da.normal().crossProduct(db.normal()).length() < kTangentSine ? QvGe::kIntTangent
                                                                         : QvGe::kIntCrossing;
  }

  // Two solutions of one meeting: close in both parameters, with the curves within the
  // tolerance of each other between them (a tangency gives a run of such solutions).
  bool sameMeeting(const Solution& x, const Solution& y) const {
    const double rangeA = std::max(a1_ - a0_, 1e-300), rangeB = std::max(b1_ - b0_, 1e-300);
    if (std::fabs(x.s - y.s) > 1e-4 * rangeA || std::fabs(x.t - y.t) > 1e-4 * rangeB) return false;
    double t;
    return onB(0.5 * (x.s + y.s), 0.5 * (x.t + y.t), t);
  }

  void emit(IntSink& out) {
    std::vector<IntOverlap> overlaps = gatherOverlaps();
    for (const IntOverlap& o : shortStretches_) {
      double s = 0.5 * (o.lo1 + o.hi1), t = 0.5 * (o.lo2 + o.hi2);
      const double d = refine(s, t);
      if (d <= eps_) solutions_.push_back({s, t, d});
    }
    std::sort(solutions_.begin(), solutions_.end(),
              [](const Solution& x, const Solution& y) { return x.s < y.s; });
    std::vector<Solution> kept;
    std::vector<QvGe::IntConfig> configs;
    for (size_t i = 0; i < solutions_.size();) {
      // A run of solutions of one meeting.
      size_t j = i + 1;
      while (j < solutions_.size() && sameMeeting(solutions_[j - 1], solutions_[j])) ++j;
      Solution sol = solutions_[i];
      QvGe::IntConfig config;
      const double spread = solutions_[j - 1].s - solutions_[i].s;
      if (spread <= QvGePrecision::kRelative * std::max(a1_ - a0_, 1e-300)) {
        // One crossing found from several pieces.
        config = configAt(sol.s, sol.t);
      } else {
        // Several solutions along a touching stretch: one tangent point in its middle.
        double s = 0.0, t = 0.0;
        for (size_t k = i; k < j; ++k) s += solutions_[k].s, t += solutions_[k].t;
        s /= static_cast<double>(j - i);
        t /= static_cast<double>(j - i);
        const double d = refine(s, t);
        if (d <= eps_) sol = {s, t, d};
        config = QvGe::kIntTangent;
      }
      i = j;
      bool inside = false;
      for (const IntOverlap& o : overlaps) {
        const QvGePoint3d p = a_.point(sol.s);
        inside = inside || (sol.s >= o.lo1 && sol.s <= o.hi1) ||
                 p.distanceTo(a_.point(o.lo1)) <= eps_ || p.distanceTo(a_.point(o.hi1)) <= eps_;
      }
      if (inside) continue;
      kept.push_back(sol);
      configs.push_back(config);
    }
    for (size_t k = 0; k < kept.size(); ++k)
      out.add(kept[k].s, kept[k].t, a_.point(kept[k].s), b_.point(kept[k].t), configs[k]);
    for (const IntOverlap& o : overlaps) {
      out.overlaps.push_back(o);
      out.add(o.lo1, o.lo2, a_.point(o.lo1), b_.point(o.lo2), QvGe::kIntOverlapEnd);
      out.add(o.hi1, o.hi2, a_.point(o.hi1), b_.point(o.hi2), QvGe::kIntOverlapEnd);
    }
  }

  bool onB(double s, double seedT, double& t) const {
    const QvGePoint3d p = a_.point(s);
    t = footOn(b_, p, seedT, b0_, b1_);
    return b_.point(t).distanceTo(p) <= eps_;
  }

  // The coincident pairs merged into overlaps, with their ends found by bisection.
  std::vector<IntOverlap> gatherOverlaps() const {
    std::vector<Coincidence> sorted = coincidences_;
    std::sort(sorted.begin(), sorted.end(),
              [](const Coincidence& x, const Coincidence& y) { return x.s0 < y.s0; });
    std::vector<IntOverlap> result;
    for (size_t i = 0; i < sorted.size();) {
      Coincidence group = sorted[i];
      size_t j = i + 1;
      while (j < sorted.size() &&
             sorted[j].s0 <= group.s1 + QvGePrecision::kRoundoff * (a1_ - a0_)) {
        group.s1 = std::max(group.s1, sorted[j].s1);
        group.t0 = std::min(group.t0, sorted[j].t0);
        group.t1 = std::max(group.t1, sorted[j].t1);
        ++j;
      }
      i = j;
      IntOverlap o;
      if (!refineEnds(group, o)) continue;
      // A short stretch within the tolerance is where the curves touch: one tangent point.
      if (a_.point(o.lo1).distanceTo(a_.point(o.hi1)) <=
          std::max(10.0 * eps_, kShortOverlap * size_)) {
        shortStretches_.push_back(o);
        continue;
      }
      result.push_back(o);
    }
    return result;
  }

  // Moves each end of a coincident range to where a leaves b (bisection), and finds b's
  // parameters there. False when what remains is no longer than the tolerance.
  bool refineEnds(const Coincidence& c, IntOverlap& o) const {
    const double seed = 0.5 * (c.t0 + c.t1);
    double tMid;
    const double sMid = 0.5 * (c.s0 + c.s1);
    if (!onB(sMid, seed, tMid)) return false;
    auto edge = [&](double inside, double outside, double tInside) {
      double t = tInside, tOut;
      if (onB(outside, tInside, tOut)) return std::make_pair(outside, tOut);
      for (int k = 0; k < 60; ++k) {
        const double m = 0.5 * (inside + outside);
        double tm;
        if (onB(m, t, tm)) {
          inside = m;
          t = tm;
        } else {
          outside = m;
        }
      }
      return std::make_pair(inside, t);
    };
    const auto lo = edge(sMid, c.s0, tMid);
    const auto hi = edge(sMid, c.s1, tMid);
    o = {lo.first, hi.first, lo.second, hi.second};
    return true;
  }

  PieceSource a_, b_;
  double a0_, a1_, b0_, b1_;
  double eps_;
  int workLimit_;
  double size_ = 1.0;
  std::vector<Solution> solutions_;
  std::vector<Coincidence> coincidences_;
  mutable std::vector<IntOverlap> shortStretches_;
};

}  // namespace

void intersectGeneral(const QvGeCurve3d& a, double a0, double a1, const QvGeCurve3d& b, double b0,
                      double b1, const QvGeTol& tol, bool dropZ, int workLimit, IntSink& out) {
  if (!(a1 >= a0) || !(b1 >= b0)) return;
  Intersector(a, a0, a1, b, b0, b1, tol, dropZ, workLimit).run(out);
}

}  // namespace qvge_detail
