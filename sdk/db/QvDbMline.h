#pragma once

#include <vector>

#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbImpObject.h"
#include "sdk/db/QvDbSubentPath.h"
#include "sdk/ge/QvGeLineSeg3d.h"

// A multiline: parallel elements along a chain of vertices in the plane of its normal. Each
// vertex keeps the direction of the segment that starts there, its miter (the direction in
// which the elements cross the vertex) and, per element, parameters whose first value is the
// element's distance from the vertex along the miter (the others describe dashes and fills and
// are kept as given). The elements' offsets from the centre line come from the multiline's
// style (two, 0.5 and -0.5, when none is given); the justification puts the top element, the
// centre line or the bottom element on the vertices, and the scale multiplies the offsets.
// Changing the vertices, offsets, justification, scale or normal works the vertex data out
// again; setVertexData takes them as a file gives them.
//
// Sub-entities: each element piece (element e on segment s) is drawn with the selection marker
// s * numElements() + e + 1 and is the multiline sub-entity (or edge) of that index.
class QvDbMline : public QvDbEntity, public QvDbSubentHolder {
  QVDB_DECLARE_MEMBERS(QvDbMline);

  enum Justification { kTop = 0, kZero = 1, kBottom = 2 };

  // The data of a vertex as files give them; params and fillParams have one array per element.
  struct VertexData {
    QvGePoint3d position;
    QvGeVector3d direction;
    QvGeVector3d miter;
    std::vector<QvGeDoubleArray> params;
    std::vector<QvGeDoubleArray> fillParams;
  };

  QvDbMline() = default;

  // The style object (null for none) and its element offsets, top first; eInvalidInput for no
  // offsets or offsets that are not finite.
  QvDbObjectId style() const;
  Vexa::ErrorStatus setStyle(QvDbObjectId styleId, const QvGeDoubleArray& elementOffsets);
  QvGeDoubleArray elementOffsets() const;
  int numElements() const;

  Justification justification() const;
  Vexa::ErrorStatus setJustification(Justification justification);
  double scale() const;
  Vexa::ErrorStatus setScale(double scale);  // finite, not 0
  QvGeVector3d normal() const;
  Vexa::ErrorStatus setNormal(const QvGeVector3d& normal);  // not zero
  bool closedMline() const;
  Vexa::ErrorStatus setClosedMline(bool closed);
  bool supressStartCaps() const;
  Vexa::ErrorStatus setSupressStartCaps(bool suppress);
  bool supressEndCaps() const;
  Vexa::ErrorStatus setSupressEndCaps(bool suppress);

  int numVertices() const;
  Vexa::ErrorStatus vertexAt(int index, QvGePoint3d& point) const;  // eInvalidIndex
  // Appends a vertex (projected onto the plane of the first one); a point equal to the last
  // vertex or not finite is refused (eInvalidInput).
  Vexa::ErrorStatus appendSeg(const QvGePoint3d& point);
  Vexa::ErrorStatus removeLastSeg(QvGePoint3d& lastPoint);  // eInvalidIndex when empty
  Vexa::ErrorStatus moveVertexAt(int index, const QvGePoint3d& point);
  Vexa::ErrorStatus getVertexData(int index, VertexData& data) const;
  // Replaces every vertex; each needs one parameter array per element (eInvalidInput).
  Vexa::ErrorStatus setVertexData(const std::vector<VertexData>& vertices);

  // The piece of element `element` on the segment from vertex `segment` (the last segment of a
  // closed multiline runs back to the first vertex). eInvalidIndex outside.
  Vexa::ErrorStatus getElementSegment(int segment, int element, QvGeLineSeg3d& piece) const;
  int numSegments() const;

  // The selection marker of a piece, and the piece of a marker (false outside).
  int64_t pieceMarker(int segment, int element) const;
  bool pieceOfMarker(int64_t marker, int& segment, int& element) const;
  // The piece passing nearest `point` seen along `viewDir` (a zero direction: in space);
  // false for a multiline of fewer than two vertices or input that is not finite.
  bool nearestPiece(const QvGePoint3d& point, const QvGeVector3d& viewDir, int& segment,
                    int& element) const;

  // Multiline sub-entities and edges: the piece a marker names, or with a marker of 0 the
  // piece nearest the pick point seen along the view (the z axis of `viewXform`, its third
  // row). eNotApplicable for another kind or a marker that names no piece.
  Vexa::ErrorStatus getSubentPathsAtGsMarker(QvDb::SubentType type, int64_t gsMark,
                                             const QvGePoint3d& pickPoint,
                                             const QvGeMatrix3d& viewXform,
                                             QvArray<QvDbFullSubentPath>& paths) const override;
  // The piece as a line with the multiline's properties; null for a marker of no piece.
  QvDbEntity* subentPtr(const QvDbSubentId& id) const override;

 protected:
  // Uniform scaling, turns, moves and mirrors; eNotApplicable for other matrices.
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  // One line per element and segment, with the multiline's properties.
  Vexa::ErrorStatus subExplode(QvArray<QvDbEntity*>& pieces) const override;
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;
  // The vertices.
  Vexa::ErrorStatus subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                     QvDbIntArray& geomIds) const override;
  Vexa::ErrorStatus subGetPlane(QvGePlane& plane, QvDb::Planarity& planarity) const override;
  Vexa::ErrorStatus subGetOutlineCurves(bool extended,
                                        QvArray<QvGeCurve3d*>& curves) const override;
  // Each element piece with its selection marker.
  bool subWorldDraw(QvGiWorldDraw* wd) override;
  QvDbImpObject* createImpObject() override;

 private:
  // Works out directions, miters and element distances from the vertices and the offsets.
  void recompute();
  QvGePoint3d elementPoint(int vertex, int element) const;

  QvDbObjectId styleId_;
  QvGeDoubleArray offsets_{0.5, -0.5};
  Justification justification_ = kTop;
  double scale_ = 1.0;
  QvGeVector3d normal_{0.0, 0.0, 1.0};
  bool closed_ = false;
  bool suppressStart_ = false;
  bool suppressEnd_ = false;
  std::vector<VertexData> vertices_;
};

// The implementation object of a multiline: the element piece nearest a point seen along a
// direction.
class QvDbMlineImp : public QvDbImpObject {
 public:
  explicit QvDbMlineImp(QvDbMline* mline);

  // A new line (in no database, the caller's) of the element piece that passes nearest `point`
  // seen along `viewDir` (a zero direction: in space). eInvalidInput for a multiline of fewer
  // than two vertices or a point that is not finite.
  Vexa::ErrorStatus getNearestEntAtPt(const QvGePoint3d& point, const QvGeVector3d& viewDir,
                                      QvDbEntity*& entity) const;

 private:
  QvDbMline* mline_;
};
