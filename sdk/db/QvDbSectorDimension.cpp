#include "sdk/db/QvDbSectorDimension.h"

#include <algorithm>

#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbSolid.h"
#include "sdk/db/detail/DimensionDrawing.h"
#include "sdk/ge/QvGe.h"

using namespace qvdb_detail;

QvGeVector3d QvDbSectorDimension::inPlane(const QvGeVector3d& v) const {
  const QvGeVector3d normal = this->normal();
  return v - normal * v.dotProduct(normal);
}

bool QvDbSectorDimension::sectorThrough(const QvGePoint3d& vertex, const QvGePoint3d& p1,
                                        const QvGePoint3d& p2, Sector& sector) const {
  const QvGeVector3d normal = this->normal();
  const QvGeVector3d ray1 = inPlane(p1 - vertex), ray2 = inPlane(p2 - vertex);
  if (ray1.isZeroLength() || ray2.isZeroLength()) return false;
  const double between = ray1.angleTo(ray2, normal);
  const QvGeVector3d toArc = inPlane(arcPoint_ - vertex);
  // An arc point at the vertex, or on the first ray, takes the counterclockwise side.
  const bool counterclockwise = toArc.isZeroLength() || ray1.angleTo(toArc, normal) <= between;
  sector.vertex = vertex;
  const double d1 = ray1.length(), d2 = ray2.length();
  if (counterclockwise) {
    sector.start = ray1.normal();
    sector.angle = between;
    sector.reach[0][0] = sector.reach[0][1] = d1;
    sector.reach[1][0] = sector.reach[1][1] = d2;
  } else {
    sector.start = ray2.normal();
    sector.angle = QvGe::k2Pi - between;
    sector.reach[0][0] = sector.reach[0][1] = d2;
    sector.reach[1][0] = sector.reach[1][1] = d1;
  }
  return sector.angle > 0.0;
}

double QvDbSectorDimension::subSectorValue(const Sector& sector) const {
  return sector.angle;
}

QvString QvDbSectorDimension::subSectorText(double value) const {
  return dimensionDegrees(value);
}

double QvDbSectorDimension::measuredValue() const {
  Sector sector;
  return subSector(sector) ? subSectorValue(sector) : 0.0;
}

Vexa::ErrorStatus QvDbSectorDimension::subMakeBlockEntities(const BlockSizes& sizes, bool placeText,
                                                            QvGePoint3d& textPosition,
                                                            QvArray<QvDbEntity*>& entities) const {
  const QvGeVector3d normal = this->normal();
  Sector sector;
  if (!subSector(sector)) {
    if (placeText) textPosition = arcPoint_;
    entities.append(dimensionLabel(textPosition, readingDirection(normal.perpVector(), normal),
                                   normal, sizes.textHeight, subSectorText(0.0)));
    return Vexa::eOk;
  }
  double radius = inPlane(arcPoint_ - sector.vertex).length();
  if (radius <= 0.0) radius = std::max(sector.reach[0][1], sector.reach[1][1]);
  const double startAngle = planeAngle(sector.start, normal);
  const QvGeVector3d rays[2] = {sector.start, planeDirection(startAngle + sector.angle, normal)};
  entities.append(
      new QvDbArc(sector.vertex, normal, radius, startAngle, startAngle + sector.angle));
  for (int i = 0; i < 2; ++i) {
    const double lo = sector.reach[i][0], hi = sector.reach[i][1];
    const QvGePoint3d foot = sector.vertex + rays[i] * radius;
    if (radius > hi)
      entities.append(dimensionExtensionLine(sector.vertex + rays[i] * hi, foot, rays[i],
                                             sizes.extensionOffset, sizes.extensionBeyond));
    else if (radius < lo)
      entities.append(dimensionExtensionLine(sector.vertex + rays[i] * lo, foot, -rays[i],
                                             sizes.extensionOffset, sizes.extensionBeyond));
    // Along the arc, into it from its end.
    const QvGeVector3d into = normal.crossProduct(rays[i]).normal() * (i == 0 ? 1.0 : -1.0);
    entities.append(dimensionArrowhead(foot, into, sizes.arrowSize, normal));
  }
  const QvGeVector3d middle = planeDirection(startAngle + sector.angle / 2.0, normal);
  if (placeText)
    textPosition = sector.vertex + middle * (radius + sizes.textGap + sizes.textHeight / 2.0);
  entities.append(dimensionLabel(textPosition,
                                 readingDirection(normal.crossProduct(middle), normal), normal,
                                 sizes.textHeight, subSectorText(subSectorValue(sector))));
  return Vexa::eOk;
}

bool QvDbCenteredSectorDimension::subSector(Sector& sector) const {
  return sectorThrough(centerPoint_, xLine1Point_, xLine2Point_, sector);
}

void QvDbCenteredSectorDimension::getDefinitionPoints(QvGePoint3dArray& points) const {
  points.append(xLine1Point_);
  points.append(xLine2Point_);
  points.append(centerPoint_);
  points.append(arcPoint_);
}

void QvDbCenteredSectorDimension::setDefinitionPoints(const QvGePoint3dArray& points) {
  xLine1Point_ = points[0];
  xLine2Point_ = points[1];
  centerPoint_ = points[2];
  arcPoint_ = points[3];
}
