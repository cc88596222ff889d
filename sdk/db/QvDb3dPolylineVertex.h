#pragma once

#include "sdk/db/QvDbVertex.h"

// The kinds of 3D polyline vertices: plain (0) and fit (2) vertices are on the curve; control
// vertices (1) are the frame of a splined polyline, skipped by everything that walks its
// geometry.
enum QvDb3dPolylineVertexType {
  k3dSimpleVertex = 0,
  k3dControlVertex = 1,
  k3dFitVertex = 2,
};

// A vertex of a 3D polyline: its position in the world and its kind.
class QvDb3dPolylineVertex : public QvDbVertex {
  QVDB_DECLARE_MEMBERS(QvDb3dPolylineVertex);

  QvDb3dPolylineVertex() = default;
  explicit QvDb3dPolylineVertex(const QvGePoint3d& position);

  QvDb3dPolylineVertexType vertexType() const;
  Vexa::ErrorStatus setVertexType(QvDb3dPolylineVertexType type);
  QvGePoint3d position() const;
  Vexa::ErrorStatus setPosition(const QvGePoint3d& position);

 protected:
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;

 private:
  friend class QvDb3dPolyline;

  QvGePoint3d position_;
  QvDb3dPolylineVertexType type_ = k3dSimpleVertex;
};
