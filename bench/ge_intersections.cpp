// Intersections of many curve pairs: segments and arcs (closed forms, which must not allocate)
// and NURBS curves (subdivision and Newton refinement). Each benchmark intersects a fixed set
// of random pairs (fixed seed) and reports pairs per second, points found per pair and heap
// allocations per pair.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "bench/support/CountedAllocations.h"
#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeCurveCurveInt3d.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGeNurbCurve3d.h"
#include "sdk/ge/QvGePolyline3d.h"

namespace {

constexpr int kPairs = 1024;

std::mt19937& rng() {
  static std::mt19937 r;
  return r;
}

// Every benchmark draws the same curves, however often it is set up.
void reseed() {
  rng().seed(20240611);
}

double uniform(double lo, double hi) {
  return std::uniform_real_distribution<double>(lo, hi)(rng());
}

QvGeLineSeg3d randomSegment() {
  return QvGeLineSeg3d(QvGePoint3d(uniform(-10, 10), uniform(-10, 10), 0),
                       QvGePoint3d(uniform(-10, 10), uniform(-10, 10), 0));
}

QvGeCircArc3d randomArc() {
  const double start = uniform(0, 6.28);
  return QvGeCircArc3d(QvGePoint3d(uniform(-3, 3), uniform(-3, 3), 0), QvGeVector3d::kZAxis,
                       QvGeVector3d::kXAxis, uniform(1, 8), start, start + uniform(0.5, 6.0));
}

QvGeNurbCurve3d randomNurbs(bool rational) {
  const int n = 10, degree = 3;
  QvGePoint3dArray pts;
  QvGeDoubleArray knots, weights;
  for (int i = 0; i < n; ++i) {
    pts.append(QvGePoint3d(i * 2.0 - 9.0 + uniform(-1, 1), uniform(-6, 6), 0));
    if (rational) weights.append(uniform(0.5, 2));
  }
  for (int i = 0; i <= degree; ++i) knots.append(0);
  for (int i = 1; i < n - degree; ++i) knots.append(i);
  for (int i = 0; i <= degree; ++i) knots.append(n - degree);
  QvGeNurbCurve3d c(degree, knots, pts, weights);
  // Turn some curves so that the pairs cross at all angles.
  c.transformBy(QvGeMatrix3d::rotation(uniform(0, 3.14), QvGeVector3d::kZAxis));
  return c;
}

template <class A, class B>
void runPairs(benchmark::State& state, const std::vector<A>& first, const std::vector<B>& second) {
  long points = 0, pairs = 0;
  const long allocationsBefore = countedAllocations();
  QvGeCurveCurveInt3d ints;
  for (auto _ : state) {
    for (size_t i = 0; i < first.size(); ++i) {
      ints.set(first[i], second[i]);
      points += ints.numIntPoints();
      benchmark::DoNotOptimize(ints);
    }
    pairs += static_cast<long>(first.size());
  }
  state.SetItemsProcessed(pairs);
  state.counters["points/pair"] = static_cast<double>(points) / static_cast<double>(pairs);
  state.counters["allocs/pair"] =
      static_cast<double>(countedAllocations() - allocationsBefore) / static_cast<double>(pairs);
}

void BM_SegmentSegment(benchmark::State& state) {
  reseed();
  std::vector<QvGeLineSeg3d> a, b;
  for (int i = 0; i < kPairs; ++i) a.push_back(randomSegment()), b.push_back(randomSegment());
  runPairs(state, a, b);
}
BENCHMARK(BM_SegmentSegment);

void BM_SegmentArc(benchmark::State& state) {
  reseed();
  std::vector<QvGeLineSeg3d> a;
  std::vector<QvGeCircArc3d> b;
  for (int i = 0; i < kPairs; ++i) a.push_back(randomSegment()), b.push_back(randomArc());
  runPairs(state, a, b);
}
BENCHMARK(BM_SegmentArc);

void BM_ArcArc(benchmark::State& state) {
  reseed();
  std::vector<QvGeCircArc3d> a, b;
  for (int i = 0; i < kPairs; ++i) a.push_back(randomArc()), b.push_back(randomArc());
  runPairs(state, a, b);
}
BENCHMARK(BM_ArcArc);

void BM_NurbsNurbs(benchmark::State& state) {
  reseed();
  std::vector<QvGeNurbCurve3d> a, b;
  const bool rational = state.range(0) != 0;
  for (int i = 0; i < kPairs / 8; ++i)
    a.push_back(randomNurbs(rational)), b.push_back(randomNurbs(rational));
  runPairs(state, a, b);
}
BENCHMARK(BM_NurbsNurbs)->Arg(0)->Arg(1)->ArgName("rational");

void BM_NurbsSegment(benchmark::State& state) {
  reseed();
  std::vector<QvGeNurbCurve3d> a;
  std::vector<QvGeLineSeg3d> b;
  for (int i = 0; i < kPairs / 8; ++i)
    a.push_back(randomNurbs(false)), b.push_back(randomSegment());
  runPairs(state, a, b);
}
BENCHMARK(BM_NurbsSegment);

void BM_PolylinePolyline(benchmark::State& state) {
  // Two polylines of 1000 segments each, crossing many times.
  QvGePoint3dArray pa, pb;
  for (int i = 0; i <= 1000; ++i) {
    pa.append(QvGePoint3d(i * 0.02, std::sin(i * 0.05) * 3, 0));
    pb.append(QvGePoint3d(i * 0.02, std::cos(i * 0.07) * 3, 0));
  }
  const std::vector<QvGePolyline3d> a{QvGePolyline3d(pa)}, b{QvGePolyline3d(pb)};
  runPairs(state, a, b);
}
BENCHMARK(BM_PolylinePolyline);

}  // namespace

BENCHMARK_MAIN();
