#pragma once

#include "sdk/base/QvString.h"
#include "sdk/db/QvDbEntity.h"

// A section object: a section line through two or more vertices and the vertical direction in
// which the section plane (or the planes of a jogged line) rises from it, between a bottom and
// a top height; a name, a state, an indicator colour and transparency, and the line on the back
// of the section when it is a boundary or volume.
class QvDbSection : public QvDbEntity {
  QVDB_DECLARE_MEMBERS(QvDbSection);

  enum State { kPlane = 1, kBoundary = 2, kVolume = 4 };

  QvDbSection() = default;
  // See setSectionLine; an invalid request leaves the default section.
  QvDbSection(const QvGePoint3dArray& vertices, const QvGeVector3d& verticalDirection);

  // The vertices and the vertical direction together: two or more finite vertices, no two in a
  // row equal, and a direction across the first segment (eInvalidInput, nothing changed).
  Vexa::ErrorStatus setSectionLine(const QvGePoint3dArray& vertices,
                                   const QvGeVector3d& verticalDirection);

  // Each checked with the other as it stands, as setSectionLine.
  Vexa::ErrorStatus setVertices(const QvGePoint3dArray& vertices);
  int numVertices() const;
  Vexa::ErrorStatus getVertex(int index, QvGePoint3d& vertex) const;  // eInvalidIndex
  QvGePoint3dArray vertices() const;
  Vexa::ErrorStatus setVerticalDirection(const QvGeVector3d& direction);  // not zero
  QvGeVector3d verticalDirection() const;
  // The back line: any number of finite points.
  Vexa::ErrorStatus setBackLine(const QvGePoint3dArray& vertices);
  QvGePoint3dArray backLine() const;

  QvString name() const;
  Vexa::ErrorStatus setName(const QvString& name);
  State state() const;
  Vexa::ErrorStatus setState(State state);
  int flags() const;
  Vexa::ErrorStatus setFlags(int flags);
  double topHeight() const;
  double bottomHeight() const;
  // Finite, not negative.
  Vexa::ErrorStatus setHeights(double bottom, double top);
  int indicatorTransparency() const;
  Vexa::ErrorStatus setIndicatorTransparency(int transparency);  // 0 to 100
  int indicatorColorIndex() const;
  Vexa::ErrorStatus setIndicatorColorIndex(int color);  // 0 to 256

 protected:
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;
  Vexa::ErrorStatus subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                     QvDbIntArray& geomIds) const override;
  // The plane through the first segment and the vertical direction.
  Vexa::ErrorStatus subGetPlane(QvGePlane& plane, QvDb::Planarity& planarity) const override;
  Vexa::ErrorStatus subGetOutlineCurves(bool extended,
                                        QvArray<QvGeCurve3d*>& curves) const override;
  // The section line.
  bool subWorldDraw(QvGiWorldDraw* wd) override;

 private:
  QvGePoint3dArray vertices_{QvGePoint3d(0.0, 0.0, 0.0), QvGePoint3d(1.0, 0.0, 0.0)};
  QvGePoint3dArray backLine_;
  QvGeVector3d verticalDirection_{0.0, 0.0, 1.0};
  QvString name_;
  State state_ = kPlane;
  int flags_ = 0;
  double topHeight_ = 0.0;
  double bottomHeight_ = 0.0;
  int transparency_ = 70;
  int colorIndex_ = 131;
};
