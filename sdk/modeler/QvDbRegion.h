#pragma once

#include <memory>

#include "sdk/db/QvDbImpObject.h"
#include "sdk/db/QvDbModelerEntity.h"
#include "sdk/ge/QvGeArrays.h"

class TopoDS_Shape;

namespace qvmodeler_detail {
struct RegionShape;
}  // namespace qvmodeler_detail

// A region: a planar area bounded by closed loops, possibly of several separate faces (a union
// of apart areas, or what a subtraction leaves in pieces), each face an outer loop with its
// holes. Made by the modeler (spaCreateOneRegionFromCurves) and by booleans of regions; an
// empty region (what a subtraction of everything leaves) is null. Drawing files keep a region
// as modeler data: the modeler's own data gives the faces back; other data (another modeler's)
// is kept and written back unchanged, and such a region has no faces here: it is not null, its
// measures, booleans and transformations answer eNotApplicable and it draws nothing.
class QvDbRegion : public QvDbModelerEntity {
  QVDB_DECLARE_MEMBERS(QvDbRegion);

  enum BoolOperType { kBoolUnite = 0, kBoolIntersect = 1, kBoolSubtract = 2 };

  QvDbRegion();  // null
  ~QvDbRegion() override;
  QvDbRegion(const QvDbRegion&);
  QvDbRegion& operator=(const QvDbRegion&);

  bool isNull() const;
  int numFaces() const;
  // The unit normal of the region's plane (eNotApplicable when null).
  Vexa::ErrorStatus getNormal(QvGeVector3d& normal) const;
  Vexa::ErrorStatus getArea(double& area) const;
  // The length of every loop of every face.
  Vexa::ErrorStatus getPerimeter(double& perimeter) const;
  // Area properties in the frame (origin, x axis, y axis; the axes are made unit, the y axis
  // perpendicular to the x axis): the perimeter and area, the centroid, the second moments
  // about the frame's x and y axes (integrals of y^2 and x^2) and the product (of xy), the
  // principal moments and axes about the centroid, the radii of gyration about the frame's axes
  // and the box of the region in the frame. eNotApplicable for a null region, eInvalidInput for
  // axes that are zero or parallel.
  Vexa::ErrorStatus getAreaProp(const QvGePoint3d& origin, const QvGeVector3d& xAxis,
                                const QvGeVector3d& yAxis, double& perimeter, double& area,
                                QvGePoint2d& centroid, double momInertia[2], double& prodInertia,
                                double prinMoments[2], QvGeVector2d prinAxes[2],
                                double radiiGyration[2], QvGePoint2d& extentsLow,
                                QvGePoint2d& extentsHigh) const;
  // This region becomes its union with, intersection with or difference from `other`, which is
  // left null (consumed). Regions in different planes do not combine (eNotApplicable, both
  // unchanged). eInvalidInput for a null `other` pointer or `other` being this region.
  Vexa::ErrorStatus booleanOper(BoolOperType operation, QvDbRegion* other);

  // The modeler's shape (for the modeler's own code). Setting it replaces the modeler data.
  const qvmodeler_detail::RegionShape& shape() const;
  void setShape(const qvmodeler_detail::RegionShape& shape);

 protected:
  // Moves, rotations, mirrors and uniform scalings; other matrices: eNotApplicable.
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;
  // A region of several faces gives one region per face; a region of one face gives the
  // curves of its loops (lines, arcs, circles, ellipses, splines), outer loop first, each loop
  // as a chain; lines and splines that meet share their end points exactly.
  Vexa::ErrorStatus subExplode(QvArray<QvDbEntity*>& pieces) const override;
  Vexa::ErrorStatus subGetPlane(QvGePlane& plane, QvDb::Planarity& planarity) const override;
  // The loops' curves.
  Vexa::ErrorStatus subGetOutlineCurves(bool extended,
                                        QvArray<QvGeCurve3d*>& curves) const override;
  // The loops, as polylines.
  bool subWorldDraw(QvGiWorldDraw* wd) override;
  QvDbImpObject* createImpObject() override;
  // The faces of the modeler's data; data that is not the modeler's, or whose faces are not
  // planar regions, leaves no faces (the data is kept).
  bool subBodyFromData(const QvDbModelerData& data) override;
  bool subHasBody() const override;

 private:
  // The shape becomes `shape`, and its data what files get.
  void adopt(const TopoDS_Shape& shape);
  // Data kept that the modeler could not read: nothing can be computed from it.
  bool isOpaque() const;

  std::unique_ptr<qvmodeler_detail::RegionShape> shape_;
};

// The host's inner operations on a region.
class QvDbRegionImp : public QvDbImpObject {
 public:
  explicit QvDbRegionImp(QvDbRegion* region) : QvDbImpObject(region) {}
  // Whether the two regions touch or overlap (share at least a point, within a millionth of
  // their size). False when either is null or `other` is. The flag is the host's and is unused.
  bool isIntersectWithRegion(const QvDbRegion* other, bool) const;
};
