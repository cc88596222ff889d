#include "tests/cmdutil/join/JoinTestCurves.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <sstream>

#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbEllipse.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/QvDbSpline.h"
#include "sdk/ge/QvGeContext.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/rx/QvRxClass.h"

QvArray<QvDbCurve*> JoinTestCurves::view() const {
  QvArray<QvDbCurve*> out;
  for (const auto& curve : owned_) out.append(curve.get());
  return out;
}

void JoinTestCurves::shuffle(uint32_t seed) {
  std::mt19937 rng(seed);
  std::shuffle(owned_.begin(), owned_.end(), rng);
}

JoinOutputs::~JoinOutputs() {
  for (int i = 0; i < curves_.length(); ++i) delete curves_[i];
}

QvDbPolyline* JoinOutputs::polyline(int i) const {
  return QvDbPolyline::cast(curves_[i]);
}

QvDbArc* arcThrough(const QvGePoint3d& start, const QvGePoint3d& end, double bulge,
                    const QvGeVector3d& normal) {
  const QvGeMatrix3d toPlane = QvGeMatrix3d::worldToPlane(normal);
  const QvGeMatrix3d toWorld = QvGeMatrix3d::planeToWorld(normal);
  QvGePoint3d a = start, b = end;
  a.transformBy(toPlane);
  b.transformBy(toPlane);
  const double sweep = 4.0 * std::atan(bulge);
  const double chord = std::hypot(b.x - a.x, b.y - a.y);
  const double radius = chord / (2.0 * std::fabs(std::sin(sweep / 2.0)));
  // The center lies on the chord's bisector, to the left of a -> b for a counterclockwise arc
  // shorter than a half turn.
  const double mx = (a.x + b.x) / 2, my = (a.y + b.y) / 2;
  const double ux = -(b.y - a.y) / chord, uy = (b.x - a.x) / chord;
  const double offset = radius * std::cos(sweep / 2.0) * (sweep > 0 ? 1.0 : -1.0);
  QvGePoint3d center(mx + ux * offset, my + uy * offset, a.z);
  double startAngle = std::atan2(a.y - center.y, a.x - center.x);
  double endAngle = std::atan2(b.y - center.y, b.x - center.x);
  if (sweep < 0) std::swap(startAngle, endAngle);  // clockwise: the arc runs from b to a
  center.transformBy(toWorld);
  return new QvDbArc(center, normal, radius, startAngle, endAngle);
}

namespace {

constexpr double kTol = QvGeTol::kDefaultEqualPoint;

class Generator {
 public:
  Generator(uint32_t seed, JoinTestCurves& curves) : rng_(seed), curves_(curves) {}

  void run() {
    const int chains = pick(1, 4);
    for (int c = 0; c < chains; ++c) addChain();
    if (chance(0.15)) curves_.add(new QvDbCircle(gridPoint(0), QvGeVector3d::kZAxis, 1.5));
    if (chance(0.05)) curves_.add(new QvDbArc(gridPoint(0), 2.0, 0.5, 0.5));
    if (chance(0.1)) addSpline();
    if (chance(0.05)) addEllipse();
    curves_.shuffle(static_cast<uint32_t>(rng_()));
  }

 private:
  int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
  double real(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng_); }
  // Grid points close together, so that chains meet and branch.
  QvGePoint3d gridPoint(double z) { return QvGePoint3d(pick(0, 5), pick(0, 5), z); }
  // About the tolerance away: inside or outside it.
  QvGePoint3d nudged(const QvGePoint3d& p) {
    static constexpr double kFactors[] = {0.5, 0.99, 1.01, 1.5};
    const double d = kFactors[pick(0, 3)] * kTol;
    const double a = real(0, 6.283185307179586);
    return QvGePoint3d(p.x + d * std::cos(a), p.y + d * std::sin(a), p.z);
  }
  double bulge() {
    const double b = real(0.1, 1.5);
    return chance(0.5) ? b : -b;
  }

  struct Piece {
    QvGePoint3d a, b;
    double bulge;
  };

  void addChain() {
    const double z = chance(0.2) ? 5.0 : 0.0;
    const int count = pick(1, 8);
    std::vector<QvGePoint3d> points{gridPoint(z)};
    for (int i = 0; i < count; ++i) {
      QvGePoint3d next = gridPoint(z);
      // Any step, a repeated point included (a zero-length line).
      points.push_back(next);
    }
    const bool closed = count >= 3 && chance(0.25);
    if (closed) points.back() = points.front();
    std::vector<Piece> pieces;
    for (int i = 0; i < count; ++i) {
      const bool arc = !points[i].isEqualTo(points[i + 1]) && chance(0.4);
      pieces.push_back({points[i], points[i + 1], arc ? bulge() : 0.0});
    }
    // Runs of pieces become polylines (a whole closed chain a closed polyline), the rest lines
    // and arcs.
    if (chance(0.3)) {
      addPolyline(pieces, closed);
      return;
    }
    for (size_t i = 0; i < pieces.size();) {
      const size_t run = chance(0.25) ? std::min<size_t>(pieces.size() - i, pick(2, 4)) : 1;
      if (run > 1) {
        addPolyline(std::vector<Piece>(pieces.begin() + i, pieces.begin() + i + run), false);
      } else {
        addPiece(pieces[i]);
      }
      i += run;
    }
  }

  void addPiece(const Piece& p) {
    if (p.bulge == 0.0) {
      QvGePoint3d a = p.a, b = p.b;
      if (chance(0.1)) a = nudged(a);
      if (chance(0.5)) std::swap(a, b);
      curves_.add(new QvDbLine(a, b));
      return;
    }
    // Either way round, and a clockwise arc either as an arc of normal -Z or reversed.
    const bool reversed = chance(0.5);
    const QvGePoint3d a = reversed ? p.b : p.a;
    const QvGePoint3d b = reversed ? p.a : p.b;
    const double bulge = reversed ? -p.bulge : p.bulge;
    if (bulge < 0 && chance(0.5))
      curves_.add(arcThrough(a, b, -bulge, -QvGeVector3d::kZAxis));
    else
      curves_.add(arcThrough(a, b, bulge));
  }

  void addPolyline(std::vector<Piece> pieces, bool closed) {
    if (chance(0.5)) {  // reversed
      std::reverse(pieces.begin(), pieces.end());
      for (Piece& p : pieces) {
        std::swap(p.a, p.b);
        p.bulge = -p.bulge;
      }
    }
    const bool below = chance(0.3);  // normal -Z
    const QvGeVector3d normal = below ? -QvGeVector3d::kZAxis : QvGeVector3d::kZAxis;
    const QvGeMatrix3d toPlane = QvGeMatrix3d::worldToPlane(normal);
    auto* polyline = curves_.add(new QvDbPolyline());
    polyline->setNormal(normal);
    const size_t vertices = closed ? pieces.size() : pieces.size() + 1;
    for (size_t i = 0; i < vertices; ++i) {
      QvGePoint3d p = i < pieces.size() ? pieces[i].a : pieces.back().b;
      p.transformBy(toPlane);
      if (i == 0) polyline->setElevation(p.z);
      const double b = i < pieces.size() ? pieces[i].bulge : 0.0;
      polyline->addVertexAt(polyline->numVerts(), QvGePoint2d(p.x, p.y), below ? -b : b);
    }
    polyline->setClosed(closed);
  }

  void addSpline() {
    QvGePoint3dArray fit;
    fit.append(gridPoint(0));
    fit.append(QvGePoint3d(real(0, 5), real(0, 5), 0));
    QvGePoint3d last = gridPoint(0);
    if (last.isEqualTo(fit[0])) last.x += 1;
    fit.append(last);
    curves_.add(new QvDbSpline(fit));
  }

  void addEllipse() {
    curves_.add(new QvDbEllipse(gridPoint(0), QvGeVector3d::kZAxis, QvGeVector3d(2, 1, 0), 0.5,
                                real(0, 3), real(3.5, 6.2)));
  }

  std::mt19937 rng_;
  JoinTestCurves& curves_;
};

std::string describe(const QvDbCurve* c) {
  std::ostringstream os;
  if (!c) return "null";
  const std::wstring name = c->isA()->name();
  os << std::string(name.begin(), name.end());
  if (const QvDbPolyline* pl = QvDbPolyline::cast(c)) {
    os << " elevation " << pl->elevation() << " normal z " << pl->normal().z << " closed "
       << pl->isClosed() << ":";
    for (unsigned int i = 0; i < pl->numVerts(); ++i) {
      QvGePoint2d p;
      double b = 0;
      pl->getPointAt(i, p);
      pl->getBulgeAt(i, b);
      os << " (" << p.x << "," << p.y << " b" << b << ")";
    }
  }
  return os.str();
}

bool samePolyline(const QvDbPolyline& a, const QvDbPolyline& b) {
  if (a.numVerts() != b.numVerts() || a.elevation() != b.elevation() ||
      !(a.normal() - b.normal()).isZeroLength(QvGeTol(0, 0)) || a.isClosed() != b.isClosed())
    return false;
  for (unsigned int i = 0; i < a.numVerts(); ++i) {
    QvGePoint2d pa, pb;
    double ba = 0, bb = 0;
    a.getPointAt(i, pa);
    b.getPointAt(i, pb);
    a.getBulgeAt(i, ba);
    b.getBulgeAt(i, bb);
    if (pa.x != pb.x || pa.y != pb.y || ba != bb) return false;
  }
  return true;
}

bool sameCopy(const QvDbCurve& a, const QvDbCurve& b) {
  QvGePoint3d sa, sb;
  a.getStartPoint(sa);
  b.getStartPoint(sb);
  return a.isA() == b.isA() && sa.x == sb.x && sa.y == sb.y && sa.z == sb.z;
}

}  // namespace

void addRandomJoinInput(uint32_t seed, JoinTestCurves& curves) {
  Generator(seed, curves).run();
}

::testing::AssertionResult sameJoinOutputs(const JoinOutputs& a, const JoinOutputs& b) {
  for (int i = 0; i < std::max(a.length(), b.length()); ++i) {
    const QvDbCurve* ca = i < a.length() ? a[i] : nullptr;
    const QvDbCurve* cb = i < b.length() ? b[i] : nullptr;
    bool same = ca && cb && ca->isA() == cb->isA();
    if (same) {
      const QvDbPolyline* pa = QvDbPolyline::cast(ca);
      same = pa ? samePolyline(*pa, *QvDbPolyline::cast(cb)) : sameCopy(*ca, *cb);
    }
    if (!same)
      return ::testing::AssertionFailure()
             << "output " << i << " of " << a.length() << " vs " << b.length() << ":\n  "
             << describe(ca) << "\n  " << describe(cb);
  }
  return ::testing::AssertionSuccess();
}
