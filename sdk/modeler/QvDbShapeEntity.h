#pragma once

#include <memory>

#include "sdk/db/QvDbModelerEntity.h"
#include "sdk/db/QvDbSubentPath.h"

namespace qvmodeler_detail {
struct BodyShape;
}  // namespace qvmodeler_detail

// The modeler's side of 3D solids and surfaces: the body as a shape of the modeler, made by
// the classes' creation functions or from modeler data it wrote itself. Edges and faces are
// numbered from 1 in the order the shape holds them; an edge is drawn with its number as the
// selection marker and is the edge sub-entity of that index, a face the face sub-entity of its
// number. Without a body (modeler data the modeler cannot read) queries answer
// eNotApplicable (what cannot be computed from the data), the entity draws nothing and cannot
// be moved.
class QvDbShapeEntity : public QvDbModelerEntity, public QvDbSubentHolder {
 public:
  ~QvDbShapeEntity() override;

  // The area of all faces.
  Vexa::ErrorStatus getArea(double& area) const;
  int numFaces() const;  // 0 without a body
  int numEdges() const;

  // Edges: the edge the marker numbers; faces: the faces that meet at that edge. A marker of 0
  // names the edge nearest the pick point seen along the view, the one nearer the viewer when
  // two lie behind each other. Without a body: eNotApplicable.
  Vexa::ErrorStatus getSubentPathsAtGsMarker(QvDb::SubentType type, int64_t gsMark,
                                             const QvGePoint3d& pickPoint,
                                             const QvGeMatrix3d& viewXform,
                                             QvArray<QvDbFullSubentPath>& paths) const override;
  // An edge as a curve (line, arc, circle, ellipse or spline); a face as a surface (a plane
  // surface when it is planar).
  QvDbEntity* subentPtr(const QvDbSubentId& id) const override;

  // The modeler's shape (for the modeler's own code).
  const qvmodeler_detail::BodyShape& body() const;

 protected:
  QvDbShapeEntity();
  QvDbShapeEntity(const QvDbShapeEntity&);
  QvDbShapeEntity& operator=(const QvDbShapeEntity&);

  // The shape becomes the body, and its data what files get.
  Vexa::ErrorStatus setBody(const qvmodeler_detail::BodyShape& body);

  bool subBodyFromData(const QvDbModelerData& data) override;
  bool subHasBody() const override;
  // Moves, rotations, mirrors and uniform scalings; other matrices: eNotApplicable.
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;
  // The edges, each with its number as selection marker.
  bool subWorldDraw(QvGiWorldDraw* wd) override;
  // One piece a face, with the body's properties: a region where the face is planar, a surface
  // of that face otherwise. eNotApplicable without a body, and for a surface of one face that
  // is not planar (it would give itself again).
  Vexa::ErrorStatus subExplode(QvArray<QvDbEntity*>& pieces) const override;

 private:
  std::unique_ptr<qvmodeler_detail::BodyShape> body_;
};
