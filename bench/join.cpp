// Joining a million loose segments into polylines here (CombineHelper::ChangeToPolyLine) and,
// side by side, with GEOS's line merge (when libgeos-dev is installed: benchmarks only).
//
//   bench_join [CHAINS [SEGMENTS]]   (default 10000 chains of 100 segments)
//
// The segments are lines of random walks that do not touch one another, shuffled, half of
// them reversed. Each side must give one polyline (line string) of SEGMENTS + 1 vertices per
// chain and the same total length. The best of three runs counts; the peak memory of one more
// run, in a child process, is reported beside it (the memory above what the inputs hold).
// Times are processor times of the thread, so that other work on the machine does not count.
// Then the plain quadratic reference of the tests against ChangeToPolyLine at 5,000 to 20,000
// segments, and as many segments as the first case all meeting at one point, and in one chain.
// Exits 1 when ChangeToPolyLine is not five times as fast as GEOS.
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbPolyline.h"
#include "tests/cmdutil/join/LiteralCombine.h"
#include "xqcmdutil/CombineHelper.h"

#if defined(TARVO_BENCH_GEOS)
#include <geos_c.h>
#endif

namespace {

constexpr double kGoal = 5.0;

struct Segment {
  double x0, y0, x1, y1;
};

// `chains` random walks of `length` unit steps, 1000 apart, as shuffled segments with half of
// them reversed.
std::vector<Segment> scatteredChains(int chains, int length, uint32_t seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> turn(0.0, 2.0 * M_PI);
  std::vector<Segment> out;
  out.reserve(static_cast<size_t>(chains) * static_cast<size_t>(length));
  for (int c = 0; c < chains; ++c) {
    double x = 1000.0 * (c % 100), y = 1000.0 * (c / 100);
    for (int s = 0; s < length; ++s) {
      const double a = turn(rng);
      const double nx = x + std::cos(a), ny = y + std::sin(a);
      out.push_back({x, y, nx, ny});
      x = nx, y = ny;
    }
  }
  std::shuffle(out.begin(), out.end(), rng);
  for (size_t i = 0; i < out.size(); i += 2) {
    std::swap(out[i].x0, out[i].x1);
    std::swap(out[i].y0, out[i].y1);
  }
  return out;
}

// `count` segments of length 1 leaving the origin.
std::vector<Segment> star(int count) {
  std::vector<Segment> out;
  for (int i = 0; i < count; ++i) {
    const double a = 2.0 * M_PI * i / count;
    out.push_back({0, 0, std::cos(a), std::sin(a)});
  }
  return out;
}

struct Lines {
  std::vector<std::unique_ptr<QvDbLine>> owned;
  QvArray<QvDbCurve*> curves;
  explicit Lines(const std::vector<Segment>& segments) : curves(static_cast<int>(segments.size())) {
    for (const Segment& s : segments) {
      owned.push_back(
          std::make_unique<QvDbLine>(QvGePoint3d(s.x0, s.y0, 0), QvGePoint3d(s.x1, s.y1, 0)));
      curves.append(owned.back().get());
    }
  }
};

// Processor time of the calling thread: both sides run on one thread, and other work on the
// machine does not count against either.
double cpuSeconds() {
  timespec t{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

double seconds(const std::function<void()>& work) {
  const double start = cpuSeconds();
  work();
  return cpuSeconds() - start;
}

double bestOf(int runs, const std::function<void()>& work) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) best = std::min(best, seconds(work));
  return best;
}

long statusKiB(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(key) + ":";
  while (std::getline(status, line))
    if (line.rfind(prefix, 0) == 0) return std::strtol(line.c_str() + prefix.size(), nullptr, 10);
  return -1;
}

// The memory one run of `work` takes above what the process held before, in MiB: measured in
// a child (the inputs shared with it), whose peak is reset before the run. Memory freed
// earlier goes back to the system first, so that the run cannot reuse it unseen.
double peakMiB(const std::function<void()>& work) {
  ::malloc_trim(0);
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) return -1;
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeEnds[0]);
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = statusKiB("VmRSS");
    work();
    const double mib = (statusKiB("VmHWM") - before) / 1024.0;
    (void)!::write(pipeEnds[1], &mib, sizeof mib);
    ::_exit(0);
  }
  ::close(pipeEnds[1]);
  double mib = -1;
  if (::read(pipeEnds[0], &mib, sizeof mib) != sizeof mib) mib = -1;
  ::close(pipeEnds[0]);
  ::waitpid(child, nullptr, 0);
  return mib;
}

void deleteAll(QvArray<QvDbCurve*>& curves) {
  for (int i = 0; i < curves.length(); ++i) delete curves[i];
  curves.setLogicalLength(0);
}

double lengthOf(const QvDbCurve& curve) {
  double end = 0, length = 0;
  curve.getEndParam(end);
  curve.getDistAtParam(end, length);
  return length;
}

// Whether the outputs are `chains` polylines of `vertices` vertices and `length` in all.
bool checkPolylines(const QvArray<QvDbCurve*>& outputs, int chains, unsigned int vertices,
                    double length, const char* who) {
  double total = 0;
  bool shaped = outputs.length() == chains;
  for (int i = 0; i < outputs.length() && shaped; ++i) {
    const QvDbPolyline* pl = QvDbPolyline::cast(outputs[i]);
    shaped = pl && pl->numVerts() == vertices;
    if (shaped) total += lengthOf(*pl);
  }
  if (!shaped || std::fabs(total - length) > 1e-6 * length) {
    std::fprintf(stderr, "%s: wrong output (%d curves, length %.6f of %.6f)\n", who,
                 outputs.length(), total, length);
    return false;
  }
  return true;
}

#if defined(TARVO_BENCH_GEOS)
// The segments as one GEOS multi line string, and its line merge.
class GeosSide {
 public:
  explicit GeosSide(const std::vector<Segment>& segments) : context_(GEOS_init_r()) {
    std::vector<GEOSGeometry*> lines;
    lines.reserve(segments.size());
    for (const Segment& s : segments) {
      GEOSCoordSequence* coords = GEOSCoordSeq_create_r(context_, 2, 2);
      GEOSCoordSeq_setXY_r(context_, coords, 0, s.x0, s.y0);
      GEOSCoordSeq_setXY_r(context_, coords, 1, s.x1, s.y1);
      lines.push_back(GEOSGeom_createLineString_r(context_, coords));
    }
    input_ = GEOSGeom_createCollection_r(context_, GEOS_MULTILINESTRING, lines.data(),
                                         static_cast<unsigned int>(lines.size()));
  }
  ~GeosSide() {
    GEOSGeom_destroy_r(context_, input_);
    GEOS_finish_r(context_);
  }
  GEOSGeometry* merge() const { return GEOSLineMerge_r(context_, input_); }
  void destroy(GEOSGeometry* g) const { GEOSGeom_destroy_r(context_, g); }
  bool check(const GEOSGeometry* merged, int chains, int vertices, double length) const {
    const int count = GEOSGetNumGeometries_r(context_, merged);
    double total = 0;
    bool shaped = count == chains;
    for (int i = 0; i < count && shaped; ++i) {
      const GEOSGeometry* part = GEOSGetGeometryN_r(context_, merged, i);
      shaped = GEOSGeomGetNumPoints_r(context_, part) == vertices;
      double l = 0;
      GEOSGeomGetLength_r(context_, part, &l);
      total += l;
    }
    if (!shaped || std::fabs(total - length) > 1e-6 * length) {
      std::fprintf(stderr, "GEOS: wrong output (%d parts, length %.6f)\n", count, total);
      return false;
    }
    return true;
  }

 private:
  GEOSContextHandle_t context_;
  GEOSGeometry* input_ = nullptr;
};
#endif

void literalCurve() {
  std::printf("\nthe plain reference of the tests against ChangeToPolyLine:\n");
  std::printf("%10s %14s %16s %8s\n", "segments", "reference ms", "ChangeToPolyLine", "ratio");
  for (const int chains : {50, 100, 200}) {
    const Lines lines(scatteredChains(chains, 100, 7));
    QvArray<QvDbCurve*> out;
    const double literal = bestOf(1, [&] {
      LiteralCombine::changeToPolyLine(lines.curves, out);
      deleteAll(out);
    });
    const double fast = bestOf(3, [&] {
      CombineHelper::ChangeToPolyLine(lines.curves, out);
      deleteAll(out);
    });
    std::printf("%10d %14.1f %13.2f ms %8.0f\n", chains * 100, literal * 1e3, fast * 1e3,
                literal / fast);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int chains = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int length = argc > 2 ? std::atoi(argv[2]) : 100;
  if (chains <= 0 || length <= 0) {
    std::fprintf(stderr, "usage: bench_join [CHAINS [SEGMENTS]]\n");
    return 2;
  }
  const std::vector<Segment> segments = scatteredChains(chains, length, 1);
  const double totalLength = static_cast<double>(segments.size());  // unit steps
  std::printf("%zu segments in %d chains of %d, shuffled, half reversed\n", segments.size(), chains,
              length);

  const Lines lines(segments);
  QvArray<QvDbCurve*> out;
  CombineHelper::ChangeToPolyLine(lines.curves, out);
  if (!checkPolylines(out, chains, static_cast<unsigned int>(length + 1), totalLength,
                      "ChangeToPolyLine"))
    return 1;
  deleteAll(out);
  const double fast = bestOf(3, [&] {
    CombineHelper::ChangeToPolyLine(lines.curves, out);
    deleteAll(out);
  });
  const double fastMiB = peakMiB([&] {
    CombineHelper::ChangeToPolyLine(lines.curves, out);
    deleteAll(out);
  });
  std::printf("%-18s %10.1f ms  peak %7.1f MiB\n", "ChangeToPolyLine", fast * 1e3, fastMiB);

  int status = 0;
#if defined(TARVO_BENCH_GEOS)
  {
    const GeosSide geos(segments);
    GEOSGeometry* merged = geos.merge();
    const bool right = geos.check(merged, chains, length + 1, totalLength);
    geos.destroy(merged);
    if (!right) return 1;
    const double geosTime = bestOf(3, [&] { geos.destroy(geos.merge()); });
    const double geosMiB = peakMiB([&] { geos.destroy(geos.merge()); });
    std::printf("%-18s %10.1f ms  peak %7.1f MiB\n", "GEOS GEOSLineMerge", geosTime * 1e3, geosMiB);
    const double ratio = geosTime / fast;
    std::printf("ChangeToPolyLine is %.1fx as fast as GEOS (goal %.0fx)\n", ratio, kGoal);
    if (ratio < kGoal) status = 1;
  }
#else
  std::printf("GEOS: not installed (apt-get install libgeos-dev), no comparison\n");
#endif

  literalCurve();

  const Lines spokes(star(static_cast<int>(segments.size())));
  const double starTime = bestOf(1, [&] {
    CombineHelper::ChangeToPolyLine(spokes.curves, out);
    deleteAll(out);
  });
  std::printf("\n%zu segments meeting at one point: %.1f ms\n", segments.size(), starTime * 1e3);

  const Lines walk(scatteredChains(1, static_cast<int>(segments.size()), 3));
  CombineHelper::ChangeToPolyLine(walk.curves, out);
  if (!checkPolylines(out, 1, static_cast<unsigned int>(segments.size() + 1), totalLength,
                      "one chain"))
    return 1;
  deleteAll(out);
  const double walkTime = bestOf(1, [&] {
    CombineHelper::ChangeToPolyLine(walk.curves, out);
    deleteAll(out);
  });
  std::printf("%zu segments in one chain: %.1f ms\n", segments.size(), walkTime * 1e3);
  return status;
}
