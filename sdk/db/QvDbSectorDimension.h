#pragma once

#include "sdk/base/QvString.h"
#include "sdk/db/QvDbDimension.h"

// What the angular and the arc dimensions share: they measure round a vertex, between two rays
// from it, on the side where their arc point lies, and their dimension line is an arc about the
// vertex through the arc point. Not a class of the host's class tree: casts and class tests see
// the kinds only.
class QvDbSectorDimension : public QvDbDimension {
 public:
  QvGePoint3d arcPoint() const { return geometryValue(arcPoint_); }
  Vexa::ErrorStatus setArcPoint(const QvGePoint3d& point) {
    return setGeometryValue(arcPoint_, point);
  }

 protected:
  QvDbSectorDimension() = default;
  explicit QvDbSectorDimension(const QvGePoint3d& arcPoint) : arcPoint_(arcPoint) {}
  QvDbSectorDimension(const QvDbSectorDimension&) = default;
  QvDbSectorDimension& operator=(const QvDbSectorDimension&) = default;

  // Two rays from a vertex and the sector between them, counterclockwise about the normal from
  // the first ray to the second. Each ray has the stretch (distances from the vertex) that the
  // measured geometry covers on it: an extension line joins it to the arc when the arc is off it.
  struct Sector {
    QvGePoint3d vertex;
    QvGeVector3d start;  // unit, along the first ray
    double angle = 0.0;  // in (0, 2pi)
    double reach[2][2] = {{0.0, 0.0}, {0.0, 0.0}};
  };

  // The sector of the present geometry; false when there is none (parallel lines, a ray of
  // zero length).
  virtual bool subSector(Sector& sector) const = 0;
  // The value measured on the sector (its angle unless the kind says otherwise) and its text.
  virtual double subSectorValue(const Sector& sector) const;
  virtual QvString subSectorText(double value) const;

  // The sector between the rays from `vertex` through `p1` and `p2` that holds the arc point;
  // false when either ray has no direction in the plane.
  bool sectorThrough(const QvGePoint3d& vertex, const QvGePoint3d& p1, const QvGePoint3d& p2,
                     Sector& sector) const;

  double measuredValue() const override;
  // The arc through the arc point, extension lines from the measured geometry to it, an
  // arrowhead at each end of the arc pointing outwards, and the text outside the middle of the
  // arc. Without a sector, only the text.
  Vexa::ErrorStatus subMakeBlockEntities(const BlockSizes& sizes, bool placeText,
                                         QvGePoint3d& textPosition,
                                         QvArray<QvDbEntity*>& entities) const override;

  // The component of a vector in the dimension's plane.
  QvGeVector3d inPlane(const QvGeVector3d& v) const;

  QvGePoint3d arcPoint_;
};

// What the three-point angular and the arc dimension share: the vertex is a point of its own
// (centerPoint), the rays go through xLine1Point and xLine2Point. The definition points are
// xLine1Point, xLine2Point, centerPoint, arcPoint, in that order.
class QvDbCenteredSectorDimension : public QvDbSectorDimension {
 public:
  QvGePoint3d centerPoint() const { return geometryValue(centerPoint_); }
  Vexa::ErrorStatus setCenterPoint(const QvGePoint3d& point) {
    return setGeometryValue(centerPoint_, point);
  }
  QvGePoint3d xLine1Point() const { return geometryValue(xLine1Point_); }
  Vexa::ErrorStatus setXLine1Point(const QvGePoint3d& point) {
    return setGeometryValue(xLine1Point_, point);
  }
  QvGePoint3d xLine2Point() const { return geometryValue(xLine2Point_); }
  Vexa::ErrorStatus setXLine2Point(const QvGePoint3d& point) {
    return setGeometryValue(xLine2Point_, point);
  }

 protected:
  QvDbCenteredSectorDimension() = default;
  QvDbCenteredSectorDimension(const QvGePoint3d& centerPoint, const QvGePoint3d& xLine1Point,
                              const QvGePoint3d& xLine2Point, const QvGePoint3d& arcPoint)
      : QvDbSectorDimension(arcPoint),
        centerPoint_(centerPoint),
        xLine1Point_(xLine1Point),
        xLine2Point_(xLine2Point) {}
  QvDbCenteredSectorDimension(const QvDbCenteredSectorDimension&) = default;
  QvDbCenteredSectorDimension& operator=(const QvDbCenteredSectorDimension&) = default;

  bool subSector(Sector& sector) const override;
  void getDefinitionPoints(QvGePoint3dArray& points) const override;
  void setDefinitionPoints(const QvGePoint3dArray& points) override;

 private:
  QvGePoint3d centerPoint_;
  QvGePoint3d xLine1Point_;
  QvGePoint3d xLine2Point_;
};
