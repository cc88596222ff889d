#pragma once

#include "sdk/db/QvDbEntity.h"

// An OLE frame: an embedded object of another application shown in a rectangle. The database
// keeps the rectangle (its upper-left corner, the location, and its lower-right corner, in the
// world) and the object's kind and data as files give them.
class QvDbOle2Frame : public QvDbEntity {
  QVDB_DECLARE_MEMBERS(QvDbOle2Frame);

  QvDbOle2Frame() = default;

  // The upper-left corner.
  Vexa::ErrorStatus getLocation(QvGePoint3d& location) const;
  QvGePoint3d lowerRight() const;
  // The two corners; finite and not equal (eInvalidInput).
  Vexa::ErrorStatus setPosition(const QvGePoint3d& upperLeft, const QvGePoint3d& lowerRight);

 protected:
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;
  Vexa::ErrorStatus subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                     QvDbIntArray& geomIds) const override;
  // The frame's rectangle (in the plane through the corners parallel to the XY plane).
  bool subWorldDraw(QvGiWorldDraw* wd) override;

 private:
  QvGePoint3d upperLeft_{0.0, 1.0, 0.0};
  QvGePoint3d lowerRight_{1.0, 0.0, 0.0};
};
