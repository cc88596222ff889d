// Hatch trimming here (CTrimHatch::TrimHatch) and, side by side, with Open CASCADE's booleans
// (benchmarks only: the modeler is the one place of the product that uses it).
//
//   bench_trimhatch [LOOPS [CUTTERS [RUNS [CROSSING]]]]
//   (default 100 square loops, 1000 circles, 2 runs, crossing series up to 40)
//
// 1. One hatch of LOOPS squares (10 x 10, on a grid of pitch 12) trimmed by CUTTERS circles of
//    random centres and radii, against Open CASCADE: the circles fused into one shape, then
//    BRepAlgoAPI_Common of each square face with it. The area kept in each square must agree
//    within 1e-6 relative (the new loops are given to the square that holds them).
// 2. N = 5, 10, 20, 40 circles that all cross one another inside one square loop (N (N - 1)
//    crossings): how the cost grows with the crossings, against the same Open CASCADE work.
// Times are processor times of the thread; the best of RUNS counts. Exits 1 when an area
// disagrees or TrimHatch is slower than Open CASCADE on the first case (the aim is 3x).
#include <BRepAlgoAPI_Common.hxx>
#include <BRepAlgoAPI_Fuse.hxx>
#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakePolygon.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepGProp.hxx>
#include <GProp_GProps.hxx>
#include <TopTools_ListOfShape.hxx>
#include <TopoDS_Face.hxx>
#include <TopoDS_Shape.hxx>
#include <gp_Ax2.hxx>
#include <gp_Circ.hxx>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "sdk/app/VexaDocumentManager.h"
#include "sdk/base/VexaHost.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHatch.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ge/QvGeCurve2d.h"
#include "sdk/ge/QvGeLineSeg2d.h"
#include "sdk/ge/QvGePlane.h"
#include "xqcmdutil/CTrimHatch.h"

namespace {

constexpr double kGoal = 1.0;  // at least as fast as the peer
constexpr double kAim = 3.0;
constexpr double kAreaTol = 1e-6;
constexpr double kSide = 10.0;
constexpr double kPitch = 12.0;

struct Disc {
  double x, y, r;
};

struct Plot {
  double x0, y0;
};

double cpuSeconds() {
  timespec t{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// The squares of a grid about as wide as it is high.
std::vector<Plot> grid(int count) {
  const int columns = std::max(1, static_cast<int>(std::ceil(std::sqrt(count))));
  std::vector<Plot> out;
  for (int i = 0; i < count; ++i) out.push_back({kPitch * (i % columns), kPitch * (i / columns)});
  return out;
}

// Circles over the grid's field (a little beyond it), radii 0.5 to 2.5.
std::vector<Disc> scatteredDiscs(int count, const std::vector<Plot>& squares, uint32_t seed) {
  double width = 0.0, height = 0.0;
  for (const Plot& s : squares) {
    width = std::max(width, s.x0 + kSide);
    height = std::max(height, s.y0 + kSide);
  }
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> x(-2.0, width + 2.0), y(-2.0, height + 2.0), r(0.5, 2.5);
  std::vector<Disc> out;
  for (int i = 0; i < count; ++i) {
    const double cx = x(rng), cy = y(rng);
    out.push_back({cx, cy, r(rng)});
  }
  return out;
}

// `count` circles of radius 3 with centres on a circle of radius 1 about (cx, cy): every two
// cross, twice.
std::vector<Disc> crossingDiscs(int count, double cx, double cy) {
  std::vector<Disc> out;
  for (int i = 0; i < count; ++i) {
    const double a = 2.0 * M_PI * (i + 0.25) / count;
    out.push_back({cx + std::cos(a), cy + std::sin(a), 3.0});
  }
  return out;
}

// ---- Our side ----

QvDbDatabase* workingDb() {
  return qvdbHostApplicationServices()->workingDatabase();
}

QvDbObjectId append(QvDbEntity* entity) {
  QvDbObjectPointer<QvDbBlockTableRecord> space(workingDb()->modelSpaceId(), QvDb::kForWrite);
  QvDbObjectId id;
  space->appendQvDbEntity(id, entity);
  entity->close();
  return id;
}

QvDbObjectId addHatch(const std::vector<Plot>& squares) {
  auto* hatch = new QvDbHatch();
  hatch->setPattern(QvDbHatch::kPreDefined, L"SOLID");
  for (const Plot& s : squares) {
    const QvGePoint2d p[4] = {
        {s.x0, s.y0}, {s.x0 + kSide, s.y0}, {s.x0 + kSide, s.y0 + kSide}, {s.x0, s.y0 + kSide}};
    QvGeLineSeg2d sides[4] = {{p[0], p[1]}, {p[1], p[2]}, {p[2], p[3]}, {p[3], p[0]}};
    QvArray<QvGeCurve2d*> edges;
    QvGeIntArray types;
    for (QvGeLineSeg2d& side : sides) {
      edges.append(&side);
      types.append(QvDbHatch::kLine);
    }
    hatch->appendLoop(QvDbHatch::kExternal, edges, types);
  }
  return append(hatch);
}

std::vector<QvDbObjectId> addCircles(const std::vector<Disc>& discs) {
  std::vector<QvDbObjectId> ids;
  for (const Disc& d : discs)
    ids.push_back(append(new QvDbCircle(QvGePoint3d(d.x, d.y, 0), QvGeVector3d::kZAxis, d.r)));
  return ids;
}

// Opens the cutters and the hatch, trims (TrimHatch closes the cutters): the processor time.
double trim(QvDbObjectId hatchId, const std::vector<QvDbObjectId>& cutterIds) {
  QvArray<QvDbCurve*> cutters;
  for (const QvDbObjectId& id : cutterIds) {
    QvDbEntity* entity = nullptr;
    qvdbOpenObject(entity, id, QvDb::kForRead);
    cutters.append(reinterpret_cast<QvDbCurve*>(entity));  // the host's array types them so
  }
  QvDbObjectPointer<QvDbHatch> hatch(hatchId, QvDb::kForWrite);
  const double start = cpuSeconds();
  CTrimHatch::TrimHatch(workingDb(), cutters, hatch.object(), 0, QvGePlane());
  return cpuSeconds() - start;
}

// The area the hatch keeps in each square: each loop goes to the square that holds the middle
// of its box; a square's loops are measured together (even-odd, holes included).
std::vector<double> keptAreas(QvDbObjectId hatchId, const std::vector<Plot>& squares) {
  QvDbObjectPointer<QvDbHatch> hatch(hatchId, QvDb::kForRead);
  std::vector<std::unique_ptr<QvDbHatch>> perSquare(squares.size());
  for (auto& h : perSquare) h = std::make_unique<QvDbHatch>();
  for (int i = 0; i < hatch->numLoops(); ++i) {
    int type = 0;
    QvArray<QvGeCurve2d*> edges;
    QvGeIntArray types;
    hatch->getLoopAt(i, type, edges, types);
    double lox = 1e300, loy = 1e300, hix = -1e300, hiy = -1e300;
    for (QvGeCurve2d* edge : edges) {
      QvGePoint2d p;
      edge->hasStartPoint(p);
      lox = std::min(lox, p.x), loy = std::min(loy, p.y);
      hix = std::max(hix, p.x), hiy = std::max(hiy, p.y);
    }
    const double mx = 0.5 * (lox + hix), my = 0.5 * (loy + hiy);
    for (size_t s = 0; s < squares.size(); ++s)
      if (mx >= squares[s].x0 - 1e-9 && mx <= squares[s].x0 + kSide + 1e-9 &&
          my >= squares[s].y0 - 1e-9 && my <= squares[s].y0 + kSide + 1e-9) {
        perSquare[s]->appendLoop(type, edges, types);
        break;
      }
    for (QvGeCurve2d* edge : edges) delete edge;
  }
  std::vector<double> areas;
  for (auto& h : perSquare) {
    double area = 0.0;
    if (h->numLoops() > 0) h->getArea(area);
    areas.push_back(area);
  }
  return areas;
}

// Trims a new hatch of the squares by new circles of the discs: the processor time of the
// best of `runs`, and the kept areas of the last.
double ours(const std::vector<Plot>& squares, const std::vector<Disc>& discs, int runs,
            std::vector<double>& areas) {
  double best = 1e300;
  for (int run = 0; run < runs; ++run) {
    VexaHost host;
    host.service<VexaDocumentManager>().newDocument();
    const QvDbObjectId hatch = addHatch(squares);
    const std::vector<QvDbObjectId> circles = addCircles(discs);
    best = std::min(best, trim(hatch, circles));
    if (run + 1 == runs) areas = keptAreas(hatch, squares);
  }
  return best;
}

// ---- The peer ----

TopoDS_Face discFace(const Disc& d) {
  const gp_Circ circle(gp_Ax2(gp_Pnt(d.x, d.y, 0), gp_Dir(0, 0, 1)), d.r);
  const TopoDS_Edge edge = BRepBuilderAPI_MakeEdge(circle);
  return BRepBuilderAPI_MakeFace(BRepBuilderAPI_MakeWire(edge).Wire());
}

TopoDS_Face squareFace(const Plot& s) {
  BRepBuilderAPI_MakePolygon polygon(gp_Pnt(s.x0, s.y0, 0), gp_Pnt(s.x0 + kSide, s.y0, 0),
                                     gp_Pnt(s.x0 + kSide, s.y0 + kSide, 0),
                                     gp_Pnt(s.x0, s.y0 + kSide, 0), true);
  return BRepBuilderAPI_MakeFace(polygon.Wire());
}

double areaOf(const TopoDS_Shape& shape) {
  GProp_GProps props;
  BRepGProp::SurfaceProperties(shape, props);
  return props.Mass();
}

struct PeerTimes {
  double fuse = 0.0, common = 0.0;
  double total() const { return fuse + common; }
};

// The circles fused, then each square's common with them: times of the best run (by total).
PeerTimes peer(const std::vector<Plot>& squares, const std::vector<Disc>& discs, int runs,
               std::vector<double>& areas) {
  PeerTimes best{1e300, 1e300};
  for (int run = 0; run < runs; ++run) {
    std::vector<TopoDS_Face> faces;
    for (const Disc& d : discs) faces.push_back(discFace(d));
    std::vector<TopoDS_Face> loops;
    for (const Plot& s : squares) loops.push_back(squareFace(s));
    PeerTimes times;
    double start = cpuSeconds();
    TopoDS_Shape fused;
    if (faces.size() == 1) {
      fused = faces[0];
    } else if (!faces.empty()) {
      TopTools_ListOfShape arguments, tools;
      arguments.Append(faces[0]);
      for (size_t i = 1; i < faces.size(); ++i) tools.Append(faces[i]);
      BRepAlgoAPI_Fuse fuse;
      fuse.SetArguments(arguments);
      fuse.SetTools(tools);
      fuse.Build();
      if (!fuse.IsDone()) {
        std::fprintf(stderr, "Open CASCADE: the fuse failed\n");
        std::exit(1);
      }
      fused = fuse.Shape();
    }
    times.fuse = cpuSeconds() - start;
    std::vector<double> got;
    start = cpuSeconds();
    for (const TopoDS_Face& loop : loops) {
      if (fused.IsNull()) {
        got.push_back(0.0);
        continue;
      }
      BRepAlgoAPI_Common common(loop, fused);
      if (!common.IsDone()) {
        std::fprintf(stderr, "Open CASCADE: a common failed\n");
        std::exit(1);
      }
      got.push_back(areaOf(common.Shape()));
    }
    times.common = cpuSeconds() - start;
    if (times.total() < best.total()) best = times;
    areas = std::move(got);
  }
  return best;
}

// Whether the areas agree within kAreaTol relative (of the larger, or of the square).
bool sameAreas(const std::vector<double>& a, const std::vector<double>& b, const char* what) {
  bool same = a.size() == b.size();
  double worst = 0.0;
  for (size_t i = 0; same && i < a.size(); ++i) {
    const double scale = std::max({std::fabs(a[i]), std::fabs(b[i]), 1e-12 * kSide * kSide});
    const double off = std::fabs(a[i] - b[i]) / scale;
    worst = std::max(worst, off);
    if (off > kAreaTol) {
      std::fprintf(stderr, "%s: square %zu keeps %.12g here, %.12g in Open CASCADE\n", what, i,
                   a[i], b[i]);
      same = false;
    }
  }
  if (!same) std::fprintf(stderr, "%s: THE KEPT AREAS DISAGREE\n", what);
  std::printf("%s: kept areas agree (worst %.1e relative)\n", what, worst);
  return same;
}

double sum(const std::vector<double>& values) {
  double total = 0.0;
  for (const double v : values) total += v;
  return total;
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  const int loops = argc > 1 ? std::atoi(argv[1]) : 100;
  const int cutters = argc > 2 ? std::atoi(argv[2]) : 1000;
  const int runs = argc > 3 ? std::atoi(argv[3]) : 2;
  const int crossingMost = argc > 4 ? std::atoi(argv[4]) : 40;
  if (loops <= 0 || cutters < 0 || runs <= 0) {
    std::fprintf(stderr, "usage: bench_trimhatch [LOOPS [CUTTERS [RUNS [CROSSING]]]]\n");
    return 2;
  }
  int status = 0;
  {
    const std::vector<Plot> squares = grid(loops);
    const std::vector<Disc> discs = scatteredDiscs(cutters, squares, 1);
    std::printf("%d square loops trimmed by %d circles\n", loops, cutters);
    std::vector<double> ourAreas, peerAreas;
    const double ourTime = ours(squares, discs, runs, ourAreas);
    const PeerTimes peerTime = peer(squares, discs, runs, peerAreas);
    if (!sameAreas(ourAreas, peerAreas, "squares")) return 1;
    std::printf("%-28s %10.1f ms  (kept %.6f)\n", "TrimHatch", ourTime * 1e3, sum(ourAreas));
    std::printf("%-28s %10.1f ms  (fuse %.1f ms, commons %.1f ms)\n", "Open CASCADE fuse + common",
                peerTime.total() * 1e3, peerTime.fuse * 1e3, peerTime.common * 1e3);
    const double ratio = peerTime.total() / ourTime;
    std::printf("TrimHatch is %.2fx as fast as Open CASCADE (goal %.0fx, aim %.0fx)\n", ratio,
                kGoal, kAim);
    if (ratio < kGoal) status = 1;
  }

  std::printf("\ncircles that all cross one another, inside one square loop:\n");
  std::printf("%8s %12s %14s %16s %8s\n", "circles", "crossings", "TrimHatch ms", "Open CASCADE ms",
              "ratio");
  const std::vector<Plot> one{{0.0, 0.0}};
  for (const int n : {5, 10, 20, 40}) {
    if (n > crossingMost) break;
    const std::vector<Disc> discs = crossingDiscs(n, 5.0, 5.0);
    std::vector<double> ourAreas, peerAreas;
    const double ourTime = ours(one, discs, runs, ourAreas);
    const PeerTimes peerTime = peer(one, discs, runs, peerAreas);
    char label[32];
    std::snprintf(label, sizeof label, "%d crossing", n);
    if (!sameAreas(ourAreas, peerAreas, label)) return 1;
    std::printf("%8d %12d %14.1f %16.1f %8.2f\n", n, n * (n - 1), ourTime * 1e3,
                peerTime.total() * 1e3, peerTime.total() / ourTime);
  }
  return status;
}
