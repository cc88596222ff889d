#include "cmdutil/hatchtrim/TrimHatchSupport.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "sdk/db/QvDbCurve.h"
#include "sdk/db/QvDbHatch.h"
#include "sdk/db/QvDbRay.h"
#include "sdk/ge/QvGeCurve2d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/ge/QvGePrecision.h"

namespace xq_hatchtrim {

QvGeVector3d rayDirection() {
  return QvGeVector3d(std::cos(1.0) * std::cos(1.0), std::cos(1.0) * std::sin(1.0), std::sin(1.0));
}

int rayCrossingsOdd(const QvDbEntity* entity, const QvGePoint3d& point, const QvGePlane& plane) {
  // The ray lies in the plane: its direction is the test direction seen in the plane.
  QvGeVector3d direction = rayDirection();
  direction -= plane.normal() * direction.dotProduct(plane.normal());
  if (direction.isZeroLength()) direction = plane.normal().perpVector();
  const QvDbRay ray(point, direction.normal());
  QvGePoint3dArray points;
  const Vexa::ErrorStatus es = entity->intersectWith(&ray, QvDb::kOnBothOperands, plane, points);
  if (es != Vexa::eOk) return -1;
  return points.length() % 2;
}

bool boxesApart(const QvDbExtents& a, const QvDbExtents& b) {
  const QvGePoint3d &alo = a.minPoint(), &ahi = a.maxPoint();
  const QvGePoint3d &blo = b.minPoint(), &bhi = b.maxPoint();
  const double gap = -QvGePrecision::confusion();
  return ahi.x - blo.x < gap || bhi.x - alo.x < gap || ahi.y - blo.y < gap || bhi.y - alo.y < gap ||
         ahi.z - blo.z < gap || bhi.z - alo.z < gap;
}

double boxMargin(const QvDbExtents& box) {
  const QvGePoint3d &lo = box.minPoint(), &hi = box.maxPoint();
  const double magnitude = std::max({std::fabs(lo.x), std::fabs(lo.y), std::fabs(lo.z),
                                     std::fabs(hi.x), std::fabs(hi.y), std::fabs(hi.z)});
  return 1e-6 * (1.0 + box.diagonal()) + 1e-12 * magnitude;
}

QvGePoint2d startOf(const QvGeCurve2d& curve) {
  QvGePoint2d p;
  curve.hasStartPoint(p);
  return p;
}

QvGePoint2d endOf(const QvGeCurve2d& curve) {
  QvGePoint2d p;
  curve.hasEndPoint(p);
  return p;
}

void addDistinct(QvGePoint3dArray& points, const QvGePoint3d& p) {
  for (const QvGePoint3d& q : points)
    if (q.isEqualTo(p)) return;
  points.append(p);
}

void closeCutters(const QvArray<QvDbCurve*>& cuttingCurves, const QvDbHatch* hatch) {
  std::vector<const QvDbCurve*> closed;
  for (QvDbCurve* cutter : cuttingCurves) {
    QvDbEntity* entity = asEntity(cutter);
    if (!entity || entity == hatch) continue;
    bool seen = false;
    for (const QvDbCurve* c : closed) seen = seen || c == cutter;
    if (seen) continue;
    closed.push_back(cutter);
    entity->close();
  }
}

}  // namespace xq_hatchtrim

#include "sdk/modeler/QvDbRegion.h"

namespace xq_hatchtrim {

OwnedPieces::~OwnedPieces() {
  for (int i = 0; i < pieces_.length(); ++i) delete pieces_[i].second;
  pieces_.clear();
}

OwnedRegions::~OwnedRegions() {
  for (CTrimHatch::RegionRecord& record : regions_) delete record.region;
  regions_.clear();
}

OwnedCurves::~OwnedCurves() {
  for (QvDbCurve* curve : curves) delete curve;
}

void addDistinctId(QvArray<QvDbObjectId>& ids, const QvDbObjectId& id) {
  if (!ids.contains(id)) ids.append(id);
}

double areaOf(const QvDbRegion* region) {
  double area = 0.0;
  if (!region || region->getArea(area) != Vexa::eOk) return 0.0;
  return area;
}

bool sameArea(double a, double b) {
  return std::fabs(a - b) <=
         QvGePrecision::kRelative * std::max({std::fabs(a), std::fabs(b), 1e-300});
}

}  // namespace xq_hatchtrim
