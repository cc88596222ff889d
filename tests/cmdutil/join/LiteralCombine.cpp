#include "tests/cmdutil/join/LiteralCombine.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbEllipse.h"
#include "sdk/db/QvDbExtents.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/QvDbSpline.h"

namespace {

struct PointNum {
  QvGePoint3d point;
  int num;
};

struct NumMap {
  int startNum;
  int endNum;
  double bulge;
};

struct Record {
  int num;
  double bulge;
};

struct Lists {
  std::vector<PointNum> points;
  std::vector<NumMap> segments;
  int nextNum = 0;

  int numberOf(const QvGePoint3d& p) {
    for (const PointNum& known : points)
      if (known.point.isEqualTo(p)) return known.num;
    points.push_back({p, nextNum});
    return nextNum++;
  }
  void add(const QvGePoint3d& start, const QvGePoint3d& end, double bulge) {
    const int s = numberOf(start);
    const int e = numberOf(end);
    segments.push_back({s, e, bulge});
  }
  bool findNext(int num, double& bulge, int& next) {
    for (size_t i = 0; i < segments.size(); ++i) {
      if (segments[i].startNum == num) {
        next = segments[i].endNum;
        bulge = segments[i].bulge;
        segments.erase(segments.begin() + static_cast<long>(i));
        return true;
      }
    }
    for (size_t i = 0; i < segments.size(); ++i) {
      if (segments[i].endNum == num) {
        next = segments[i].startNum;
        bulge = -segments[i].bulge;
        segments.erase(segments.begin() + static_cast<long>(i));
        return true;
      }
    }
    next = -1;
    bulge = 0;
    return false;
  }
  QvGePoint3d pointOf(int num) const {
    for (const PointNum& known : points)
      if (known.num == num) return known.point;
    return QvGePoint3d();
  }
};

double sideOf(const QvGeVector3d& normal) {
  return normal.z < 0 ? -1.0 : 1.0;
}

// Segments of a polyline between consecutive vertices (and the closing one), in world points.
void addPolyline(Lists& lists, const QvDbPolyline& pl) {
  if (pl.numVerts() < 2) return;
  const double side = sideOf(pl.normal());
  QvGePoint3d a, b;
  double bulge = 0;
  for (unsigned int k = 1; k < pl.numVerts(); ++k) {
    pl.getPointAt(k - 1, a);
    pl.getPointAt(k, b);
    pl.getBulgeAt(k - 1, bulge);
    lists.add(a, b, side * bulge);
  }
  if (pl.isClosed()) {
    pl.getPointAt(pl.numVerts() - 1, a);
    pl.getPointAt(0, b);
    pl.getBulgeAt(pl.numVerts() - 1, bulge);
    lists.add(a, b, side * bulge);
  }
}

// Start point, points at i x step below the length, end point; x and y at the start's height.
QvDbPolyline* approximate(const QvDbCurve* curve) {
  QvDbExtents ext;
  curve->getGeomExtents(ext);
  double step = ext.minPoint().distanceTo(ext.maxPoint()) / 40;
  double sp = 0, ep = 0, sd = 0, ed = 0;
  curve->getStartParam(sp);
  curve->getEndParam(ep);
  curve->getDistAtParam(sp, sd);
  curve->getDistAtParam(ep, ed);
  const double length = ed - sd;
  if (!(length / 20 > step)) step = length / 20;
  std::vector<QvGePoint3d> pts;
  QvGePoint3d p;
  curve->getStartPoint(p);
  pts.push_back(p);
  if (length > 0) {
    for (int i = 0; i * step < length; ++i)
      if (curve->getPointAtDist(i * step, p) == Vexa::eOk) pts.push_back(p);
  }
  curve->getEndPoint(p);
  pts.push_back(p);
  auto* pl = new QvDbPolyline();
  pl->setElevation(pts.front().z);
  for (const QvGePoint3d& q : pts)
    pl->addVertexAt(pl->numVerts(), QvGePoint2d(q.x, q.y), 0, -1, -1);
  return pl;
}

}  // namespace

bool LiteralCombine::changeToPolyLine(const QvArray<QvDbCurve*>& inputs,
                                      QvArray<QvDbCurve*>& outputs) {
  Lists lists;
  for (int i = 0; i < inputs.length(); ++i) {
    const QvDbCurve* curve = inputs[i];
    if (curve->isKindOf(QvDbSpline::desc()) || curve->isKindOf(QvDbEllipse::desc())) {
      QvDbPolyline* pl = approximate(curve);
      addPolyline(lists, *pl);
      delete pl;
    } else if (const QvDbArc* arc = QvDbArc::cast(curve)) {
      if (arc->startAngle() == arc->endAngle()) {
        outputs.append(static_cast<QvDbCurve*>(arc->clone()));
        continue;
      }
      double sweep = arc->endAngle() - arc->startAngle();
      if (sweep < 0) sweep += 8 * std::atan(1.0);
      QvGePoint3d s, e;
      arc->getStartPoint(s);
      arc->getEndPoint(e);
      lists.add(s, e, sideOf(arc->normal()) * std::tan(sweep / 4));
    } else if (const QvDbLine* line = QvDbLine::cast(curve)) {
      lists.add(line->startPoint(), line->endPoint(), 0);
    } else if (curve->isKindOf(QvDbCircle::desc())) {
      outputs.append(static_cast<QvDbCurve*>(curve->clone()));
    } else if (const QvDbPolyline* pl = QvDbPolyline::cast(curve)) {
      addPolyline(lists, *pl);
    }
  }

  std::vector<std::vector<Record>> chains;
  while (!lists.segments.empty()) {
    const int s = lists.segments.front().startNum;
    std::vector<Record> forward, backward;
    double bulge = 0;
    int next = -1;
    int cur = s;
    while (lists.findNext(cur, bulge, next)) {
      forward.push_back({cur, bulge});
      cur = next;
    }
    forward.push_back({cur, 0});
    cur = s;
    while (lists.findNext(cur, bulge, next)) {
      backward.push_back({next, bulge});
      cur = next;
    }
    std::reverse(backward.begin(), backward.end());
    for (Record& r : backward) r.bulge = -r.bulge;
    backward.insert(backward.end(), forward.begin(), forward.end());
    chains.push_back(backward);
  }
  for (const std::vector<Record>& chain : chains) {
    auto* pl = new QvDbPolyline();
    pl->setElevation(lists.pointOf(chain.front().num).z);
    for (const Record& r : chain) {
      const QvGePoint3d p = lists.pointOf(r.num);
      pl->addVertexAt(pl->numVerts(), QvGePoint2d(p.x, p.y), r.bulge, -1, -1);
    }
    outputs.append(pl);
  }
  return true;
}
