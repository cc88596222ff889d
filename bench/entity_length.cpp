// The length of splines and their cutting back to 90 % of it, through the module's internal
// protocol extension (QvDbEntityInternalBasePE, found with x(desc) as the host's commands find
// it), against Open CASCADE on the same random cubic NURBS curves: GCPnts_AbscissaPoint::Length
// for the length, GCPnts_AbscissaPoint for the parameter at 90 % and Geom_BSplineCurve::Segment
// for the cut. The lengths must agree within 1e-9 relative and the cut ends within 1e-7 of the
// curve's size; the times are processor seconds of the best of RUNS.
//
//   bench_entity_length [CURVES [RUNS]]   (100000 curves, 1 run)
#include <GCPnts_AbscissaPoint.hxx>
#include <GeomAdaptor_Curve.hxx>
#include <Geom_BSplineCurve.hxx>
#include <TColStd_Array1OfInteger.hxx>
#include <TColStd_Array1OfReal.hxx>
#include <TColgp_Array1OfPnt.hxx>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

#include "bench/support/BenchProcess.h"
#include "sdk/app/VexaDocumentManager.h"
#include "sdk/base/VexaHost.h"
#include "sdk/db/QvDbSpline.h"
#include "xqcmdutil/QvDbEntityInternalBasePE.h"
#include "xqcmdutil/XqCmdUtilEntry.h"

namespace {

constexpr double kGoal = 2.0;  // at least twice as fast as the peer
constexpr double kShare = 0.9;
// Open CASCADE's tolerance on lengths (absolute; the curves are 100 to 1000 long): the loosest
// that still agrees with ours within 1e-9 relative.
constexpr double kPeerTolerance = 1e-8;

// One random cubic: 4 to 10 control points in a 200 box, weights in [0.5, 2], a clamped knot
// vector with random inner knots.
struct Cubic {
  std::vector<QvGePoint3d> points;
  std::vector<double> weights;
  std::vector<double> knots;  // with repeats
};

std::vector<Cubic> randomCubics(int count) {
  std::mt19937_64 random(20261207);
  std::uniform_real_distribution<double> coordinate(-100.0, 100.0), weight(0.5, 2.0),
      unit(0.0, 1.0);
  std::uniform_int_distribution<int> size(4, 10);
  std::vector<Cubic> out(static_cast<size_t>(count));
  for (Cubic& c : out) {
    const int n = size(random);
    for (int i = 0; i < n; ++i) {
      c.points.emplace_back(coordinate(random), coordinate(random), coordinate(random));
      c.weights.push_back(weight(random));
    }
    std::vector<double> inner;
    for (int i = 0; i < n - 4; ++i) inner.push_back(0.05 + 0.9 * unit(random));
    std::sort(inner.begin(), inner.end());
    c.knots.assign(4, 0.0);
    c.knots.insert(c.knots.end(), inner.begin(), inner.end());
    c.knots.insert(c.knots.end(), 4, 1.0);
  }
  return out;
}

std::unique_ptr<QvDbSpline> ourSpline(const Cubic& c) {
  QvGePoint3dArray points;
  QvGeDoubleArray knots, weights;
  for (const QvGePoint3d& p : c.points) points.append(p);
  for (double k : c.knots) knots.append(k);
  for (double w : c.weights) weights.append(w);
  auto spline = std::make_unique<QvDbSpline>();
  if (spline->setNurbsData(3, true, false, false, points, knots, weights) != Vexa::eOk) {
    std::fprintf(stderr, "a random curve was refused\n");
    std::exit(2);
  }
  return spline;
}

Handle(Geom_BSplineCurve) peerCurve(const Cubic& c) {
  const int n = static_cast<int>(c.points.size());
  TColgp_Array1OfPnt poles(1, n);
  TColStd_Array1OfReal weights(1, n);
  for (int i = 0; i < n; ++i) {
    const QvGePoint3d& p = c.points[static_cast<size_t>(i)];
    poles.SetValue(i + 1, gp_Pnt(p.x, p.y, p.z));
    weights.SetValue(i + 1, c.weights[static_cast<size_t>(i)]);
  }
  const int distinct = n - 2;  // 0, the inner knots, 1
  TColStd_Array1OfReal knots(1, distinct);
  TColStd_Array1OfInteger mults(1, distinct);
  for (int i = 1; i <= distinct; ++i) {
    knots.SetValue(i, c.knots[static_cast<size_t>(i + 2)]);
    mults.SetValue(i, i == 1 || i == distinct ? 4 : 1);
  }
  return new Geom_BSplineCurve(poles, weights, knots, mults, 3);
}

struct Side {
  double lengthTime = 1e300, cutTime = 1e300;
  std::vector<double> lengths;
  std::vector<QvGePoint3d> cutEnds;
};

Side ours(const std::vector<Cubic>& cubics, int runs) {
  Side side;
  VexaHost host;
  host.service<VexaDocumentManager>().newDocument();
  IVexaCmdApplication* module = GetVexaCmdApplication();
  module->initApplication();
  for (int run = 0; run < runs; ++run) {
    std::vector<std::unique_ptr<QvDbSpline>> splines;
    for (const Cubic& c : cubics) splines.push_back(ourSpline(c));
    std::vector<double> lengths(cubics.size());
    double start = processSeconds();
    for (size_t i = 0; i < splines.size(); ++i) {
      const QvDbSpline& spline = *splines[i];
      auto* pe = QvDbEntityInternalBasePE::cast(spline.x(QvDbEntityInternalBasePE::desc()));
      if (!pe || pe->entityLength(&spline, lengths[i]) != Vexa::eOk) std::exit(2);
    }
    side.lengthTime = std::min(side.lengthTime, processSeconds() - start);
    start = processSeconds();
    for (size_t i = 0; i < splines.size(); ++i) {
      QvDbSpline& spline = *splines[i];
      auto* pe = QvDbEntityInternalBasePE::cast(spline.x(QvDbEntityInternalBasePE::desc()));
      // The pick is the end point: the start stays.
      if (!pe ||
          pe->setEntityLength(&spline, kShare * lengths[i], cubics[i].points.back()) != Vexa::eOk)
        std::exit(2);
    }
    side.cutTime = std::min(side.cutTime, processSeconds() - start);
    side.lengths = lengths;
    side.cutEnds.clear();
    for (const auto& spline : splines) {
      QvGePoint3d end;
      spline->getEndPoint(end);
      side.cutEnds.push_back(end);
    }
  }
  module->exitApplication();
  return side;
}

Side peer(const std::vector<Cubic>& cubics, int runs, double tolerance) {
  Side side;
  for (int run = 0; run < runs; ++run) {
    std::vector<Handle(Geom_BSplineCurve)> curves;
    for (const Cubic& c : cubics) curves.push_back(peerCurve(c));
    std::vector<double> lengths(cubics.size());
    double start = processSeconds();
    for (size_t i = 0; i < curves.size(); ++i) {
      GeomAdaptor_Curve adaptor(curves[i]);
      lengths[i] = GCPnts_AbscissaPoint::Length(adaptor, tolerance);
    }
    side.lengthTime = std::min(side.lengthTime, processSeconds() - start);
    start = processSeconds();
    for (size_t i = 0; i < curves.size(); ++i) {
      GeomAdaptor_Curve adaptor(curves[i]);
      // Started, as ours is, from the parameter in proportion to the length.
      const double first = curves[i]->FirstParameter(), last = curves[i]->LastParameter();
      GCPnts_AbscissaPoint at(adaptor, kShare * lengths[i], first, first + kShare * (last - first),
                              tolerance);
      if (!at.IsDone()) std::exit(2);
      curves[i]->Segment(first, at.Parameter());
    }
    side.cutTime = std::min(side.cutTime, processSeconds() - start);
    side.lengths = lengths;
    side.cutEnds.clear();
    for (const auto& curve : curves) {
      const gp_Pnt p = curve->EndPoint();
      side.cutEnds.emplace_back(p.X(), p.Y(), p.Z());
    }
  }
  return side;
}

bool agree(const Side& a, const Side& b) {
  double worstLength = 0.0, worstEnd = 0.0;
  for (size_t i = 0; i < a.lengths.size(); ++i) {
    worstLength = std::max(worstLength, std::fabs(a.lengths[i] - b.lengths[i]) / b.lengths[i]);
    worstEnd = std::max(worstEnd, a.cutEnds[i].distanceTo(b.cutEnds[i]) / b.lengths[i]);
  }
  std::printf("lengths agree within %.1e relative, cut ends within %.1e of the length\n",
              worstLength, worstEnd);
  return worstLength <= 1e-9 && worstEnd <= 1e-7;
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int runs = argc > 2 ? std::atoi(argv[2]) : 1;
  if (count <= 0 || runs <= 0) {
    std::fprintf(stderr, "usage: bench_entity_length [CURVES [RUNS]]\n");
    return 2;
  }
  const std::vector<Cubic> cubics = randomCubics(count);
  std::printf("%d random rational cubic NURBS curves (4 to 10 control points)\n", count);
  const Side mine = ours(cubics, runs);
  const Side theirs = peer(cubics, runs, kPeerTolerance);
  if (!agree(mine, theirs)) {
    std::fprintf(stderr, "THE RESULTS DISAGREE\n");
    return 1;
  }
  const double lengthRatio = theirs.lengthTime / mine.lengthTime;
  const double cutRatio = theirs.cutTime / mine.cutTime;
  std::printf("%-34s %12s %12s\n", "", "length", "90 % cut");
  std::printf("%-34s %9.1f ms %9.1f ms\n", "entityLength / setEntityLength", mine.lengthTime * 1e3,
              mine.cutTime * 1e3);
  std::printf("%-34s %9.1f ms %9.1f ms\n", "Open CASCADE", theirs.lengthTime * 1e3,
              theirs.cutTime * 1e3);
  std::printf("ours is %.2fx as fast for the length and %.2fx for the cut (goal %.0fx)\n",
              lengthRatio, cutRatio, kGoal);
  return lengthRatio >= kGoal && cutRatio >= kGoal ? 0 : 1;
}
